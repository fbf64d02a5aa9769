// presetor-cli print, as presetor-cli offers it: the printout needs Qt, which the other commands
// must not load, so the command runs in its own program, presetor-cli-print, next to this one
// (CliPrintCommand.cpp). Its usage and summary here are the ones that program prints.
#include "CliCommand.h"

namespace presetor::cli {

namespace {

const CliRegistration registration{{
    {"print",
     "[--preset N] IN.lmk OUT.pdf",
     "Write the printed summary page of preset N (serial number, 1 by default) as a PDF.",
     {},
     {},
     0,
     nullptr,
     "presetor-cli-print"},
}};

} // namespace

} // namespace presetor::cli
