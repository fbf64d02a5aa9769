// The system MIDI ports through RtMidi 5: the API is chosen at run time (ALSA when the kernel
// sequencer exists, else JACK; PRESETOR_MIDI_API=jack|alsa or the option forces one), input
// delivers SysEx and drops timing and active sensing, and the sender follows the API's policy.
#pragma once

#include "MidiBackend.h"
#include "MidiSender.h"

#include <memory>
#include <string>

namespace presetor {

struct RtMidiOptions {
    // "" = automatic (environment variable PRESETOR_MIDI_API, else ALSA when /dev/snd/seq
    // exists, else JACK); "alsa", "jack", "winmm", "coremidi" force an API.
    std::string api;
    // Client name shown by the system (JACK client, ALSA sequencer client).
    std::string clientName = "Presetor";
    // Pause in milliseconds between consecutive messages sent (0 = none).
    int messagePauseMs = 0;
};

// A pair of ports that other programs connect to, published by this program (JACK ports, or
// ALSA sequencer ports): input "<clientName>-in:in" and output "<clientName>:out".
struct VirtualPorts {
    std::unique_ptr<MidiInPort> in;
    std::unique_ptr<MidiOutPort> out;
};
// openInput false leaves the input to the caller (which then owns the name NAME-in:in).
VirtualPorts OpenVirtualPorts(const RtMidiOptions& options, std::string& error,
                              bool openInput = true);
// True when these options choose JACK.
bool ChoosesJack(const RtMidiOptions& options);

// The system's MIDI ports for the chosen API: JACK directly through one client (JackBackend.h)
// when built with libjack, every other API through RtMidi. Never throws; when the chosen API
// cannot start, error says why and null is returned.
std::unique_ptr<MidiBackend> MakeSystemMidiBackend(const RtMidiOptions& options,
                                                   std::string& error);

// The sender policy for an RtMidi API short name ("jack", "alsa", "winmm", "core"): raw pieces
// of at most 100 bytes except on WinMM and CoreMIDI, which take whole messages only.
SenderPolicy PolicyForApi(const std::string& apiName);

} // namespace presetor
