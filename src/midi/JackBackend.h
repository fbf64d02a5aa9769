// MIDI ports on a JACK server through one client of this program's own, without RtMidi: opening
// a port is one server request and no pause (an output's bytes wait for the first cycle that
// carries its new connection), and closing an output waits until its last bytes left.
#pragma once

#include "MidiBackend.h"

#include <memory>
#include <string>

namespace presetor {

// Opens the client (named clientName, or the server's variant of it when taken). Null with error
// set when no JACK server answers; it never starts one. messagePauseMs is the pause between
// consecutive messages an output sends (0 = none).
std::unique_ptr<MidiBackend> MakeJackBackend(const std::string& clientName, int messagePauseMs,
                                             std::string& error);

} // namespace presetor
