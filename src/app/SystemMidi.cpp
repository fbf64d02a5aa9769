// Loading the system MIDI module, or the linked-in backend.
#include "SystemMidi.h"

#if PRESETOR_HAVE_MIDI_MODULE
#include "midi/SystemMidiModule.h"

#include <QLibrary>
#elif PRESETOR_HAVE_RTMIDI
#include "midi/RtMidiBackend.h"
#endif

#include <cstdio>
#include <string>

using namespace presetor;

std::unique_ptr<MidiSystem> MakeSystemMidi([[maybe_unused]] const QString& programDir) {
#if PRESETOR_HAVE_MIDI_MODULE
    // Never unloaded: the backend's code must outlive every port it hands out.
    QLibrary module;
    for (const QString& dir :
         {programDir, programDir + QStringLiteral("/../lib/presetor/modules")}) {
        module.setFileName(dir + QLatin1Char('/') + QLatin1String(kSystemMidiModule));
        if (module.load()) {
            break;
        }
    }
    const auto make = reinterpret_cast<SystemMidiEntry>(module.resolve(kSystemMidiEntry));
    if (make == nullptr) {
        std::fprintf(stderr, "presetor: no system MIDI ports (%s)\n",
                     module.errorString().toLocal8Bit().constData());
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
