// Reads the system's font configuration (fontconfig) on a helper thread while the program starts,
// so that the first text the main window measures does not wait for it. Qt reads the same
// configuration on first use and finds it already loaded.
#pragma once

namespace presetor {

// Starts the reading once; returns at once. Does nothing where fonts do not come from fontconfig.
void StartFontPreload();
// Returns when the reading has finished; at once when it was never started. Call it before the
// first text is measured: a reading still running then would be done a second time by Qt.
void WaitForFontPreload();

} // namespace presetor
