// Loading the system MIDI module, or the linked-in backend.
#include "SystemMidi.h"

#if PRESETOR_HAVE_MIDI_MODULE
#include "ProgramModule.h"
#include "midi/SystemMidiModule.h"
#elif PRESETOR_HAVE_RTMIDI
#include "midi/RtMidiBackend.h"
#endif

#include <cstdio>
#include <string>

using namespace presetor;

std::unique_ptr<MidiSystem> MakeSystemMidi([[maybe_unused]] const QString& programDir) {
#if PRESETOR_HAVE_MIDI_MODULE
    QString failure;
    const auto make = reinterpret_cast<SystemMidiEntry>(
        ResolveModuleEntry(programDir, kSystemMidiModule, kSystemMidiEntry, &failure));
    if (make == nullptr) {
        std::fprintf(stderr, "presetor: no system MIDI ports (%s)\n",
                     failure.toLocal8Bit().constData());
        return std::make_unique<MidiSystem>();
    }
    std::string error;
    return std::make_unique<MidiSystem>(std::unique_ptr<MidiBackend>(make(&error)));
#elif PRESETOR_HAVE_RTMIDI
    std::string error;
    return std::make_unique<MidiSystem>(MakeSystemMidiBackend(RtMidiOptions{}, error));
#else
    return std::make_unique<MidiSystem>();
#endif
}
