// A source of system MIDI ports (RtMidi on ALSA, JACK, WinMM or CoreMIDI). The port layer
// lists and opens its ports by index; presetor_rtmidi provides the real one.
#pragma once

#include "MidiPort.h"

#include <memory>
#include <string>
#include <vector>

namespace presetor {

class MidiBackend {
public:
    virtual ~MidiBackend() = default;

    // Name of the API in use ("ALSA", "JACK", ...), for messages.
    virtual std::string ApiName() const = 0;
    virtual std::vector<std::string> PortNames(MidiKind kind) = 0;
    // Open port number index of the list above. On failure returns null and sets error.
    virtual std::unique_ptr<MidiOutPort> OpenOut(int index, std::string& error) = 0;
    virtual std::unique_ptr<MidiInPort> OpenIn(int index, std::string& error) = 0;
};

} // namespace presetor
