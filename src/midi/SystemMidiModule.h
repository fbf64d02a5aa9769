// The system's MIDI ports as a module that the editor loads at their first need, so the window
// starts without RtMidi and the MIDI servers' libraries: its file name and its one entry point.
#pragma once

#include "MidiBackend.h"

#include <string>

namespace presetor {

// Without prefix and suffix (libpresetor-midi.so, presetor-midi.dll), as QLibrary takes it.
inline constexpr char kSystemMidiModule[] = "presetor-midi";
inline constexpr char kSystemMidiEntry[] = "PresetorMakeSystemMidiBackend";

// MakeSystemMidiBackend with the default options; the caller owns the result (null when no
// system MIDI API starts, with *error saying why). The module stays loaded while it lives.
using SystemMidiEntry = MidiBackend* (*)(std::string* error);

} // namespace presetor
