// presetor-cli print, as presetor-cli offers it: the printout needs Qt, which the other commands
// must not load, so the command runs in its own program, presetor-cli-print, next to this one
// (CliPrintCommand.cpp); both show the usage of CliPrintUsage.h.
#include "CliCommand.h"
#include "CliPrintUsage.h"

namespace presetor::cli {

namespace {

const CliRegistration registration{{
    {"print", kPrintUsage, kPrintSummary, {}, {}, 0, nullptr, "presetor-cli-print"},
}};

} // namespace

} // namespace presetor::cli
