// The entry point of the system MIDI module (SystemMidiModule.h).
#include "SystemMidiModule.h"

#include "RtMidiBackend.h"

extern "C" __attribute__((visibility("default"))) presetor::MidiBackend*
PresetorMakeSystemMidiBackend(std::string* error) {
    return presetor::MakeSystemMidiBackend(presetor::RtMidiOptions{}, *error).release();
}
