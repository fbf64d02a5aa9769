// What needs Qt's print support (a printer, the print dialog and its preview), apart from the
// drawing of the pages, which the PDF files share. The editor loads these functions as a module
// at the first print where the platform allows it, so the window starts without that library
// and what it pulls in; the module's file name and its one entry point are here.
#pragma once

#include "PresetSummary.h"

#include <QString>

class QWidget;

namespace presetor {
class Bank;
}

namespace printout {

struct Printers {
    // Prints the bank's current preset on the named printer, or on the default printer when the
    // name is empty, without a dialog. Fails with a clear message when no such printer exists.
    bool (*printToPrinter)(const presetor::Bank& bank, const QString& printerName, QString* error);
    // Shows the print dialog (or, with preview, the print preview) for the summary and prints
    // it; false with a message when a print job that was asked for failed.
    bool (*printWithDialog)(QWidget* parent, const Summary& summary, const QString& docName,
                            bool preview, QString* error);
};

// Where the print functions come from: null with *error saying why when they are not available.
using PrinterSource = const Printers* (*)(QString* error);

// Without prefix and suffix (libpresetor-print.so), as QLibrary takes it.
inline constexpr char kPrintModule[] = "presetor-print";
inline constexpr char kPrintModuleEntry[] = "PresetorPrinters";
using PrintModuleEntry = const Printers* (*)();

// The functions as linked into this program (the module's own, inside the module).
const Printers* LinkedPrinters();

} // namespace printout
