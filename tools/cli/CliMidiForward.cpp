// ports, receive and send, as presetor-cli offers them: they need RtMidi and the MIDI server's
// client library, which the file commands must not load, so they run in presetor-cli-midi
// (CliMidiCommands.cpp); both show the usage of CliMidiUsage.h.
#include "CliCommand.h"
#include "CliMidiUsage.h"

namespace presetor::cli {

namespace {

const CliRegistration registration{{
    {"ports", kPortsUsage, kPortsSummary, {}, {}, 0, nullptr, "presetor-cli-midi"},
    {"receive", kReceiveUsage, kReceiveSummary, {}, {}, 0, nullptr, "presetor-cli-midi"},
    {"send", kSendUsage, kSendSummary, {}, {}, 0, nullptr, "presetor-cli-midi"},
}};

} // namespace

} // namespace presetor::cli
