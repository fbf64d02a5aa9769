// The print module's one entry point (Printers.h): the print functions linked into it.
#include "Printers.h"

extern "C" __attribute__((visibility("default"))) const printout::Printers* PresetorPrinters() {
    return printout::LinkedPrinters();
}
