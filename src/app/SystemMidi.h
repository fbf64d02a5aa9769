// The devices the editor offers with the system's MIDI ports: the virtual keyboards plus the
// ports of the system's MIDI API, from the module beside the program (or linked in where no
// module is built).
#pragma once

#include "midi/MidiSystem.h"

#include <QString>

#include <memory>

// programDir: the program's folder; the module is looked for there (a build folder) and in
// ../lib/presetor/modules (installed). Without a module or a usable MIDI API only the virtual
// keyboards are offered, and the reason goes to standard error.
std::unique_ptr<presetor::MidiSystem> MakeSystemMidi(const QString& programDir);
