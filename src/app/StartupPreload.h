// Work of the start-up that does not need the GUI thread, done on helper threads while that
// thread builds the window: the system's font configuration (fontconfig) and the connection to
// the desktop's session bus (D-Bus), which Qt asks for when it makes the menu bar.
#pragma once

namespace presetor {

// Starts reading the font configuration once; returns at once. Does nothing where fonts do not
// come from fontconfig. Call it before the QApplication is made.
void StartFontPreload();
// Returns when the reading has finished; at once when it was never started. Call it before the
// first text is measured: a reading still running then would be done a second time by Qt.
void WaitForFontPreload();

// Connects to the session bus on a helper thread (once; where Qt uses D-Bus); the GUI thread
// finds the connection made, or waits for it, when it needs it. Call it after the QApplication
// is made; the object returned waits for the helper when it goes, before the QApplication.
class SessionBusPreload final {
public:
    SessionBusPreload();
    ~SessionBusPreload();
    SessionBusPreload(const SessionBusPreload&) = delete;
    SessionBusPreload& operator=(const SessionBusPreload&) = delete;

private:
    struct Helper;
    Helper* helper = nullptr;
};

} // namespace presetor
