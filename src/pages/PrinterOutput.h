// Printing on a printer: the preset's page and the summary onto a QPrinter, a named or the
// default printer, and the print dialog with its preview.
#pragma once

#include "Printers.h"

class QPrinter;

namespace printout {

// Prints the bank's current preset on one landscape page to an already set-up printer
// (a real printer or PDF output). Returns false with a message when the job cannot start.
bool PrintCurrentPreset(QPrinter& printer, const presetor::Bank& bank, QString* error);

// Prints the bank's current preset on the named printer, or on the default printer when the
// name is empty, without a dialog. Fails with a clear message when no such printer exists.
bool PrintToPrinter(const presetor::Bank& bank, const QString& printerName, QString* error);

// Prints on an already set-up printer (landscape). False with a message when the job fails.
bool PrintSummary(QPrinter& printer, const Summary& summary, QString* error);

// The print dialog, or the print preview, for the summary (see Printers).
bool PrintWithDialog(QWidget* parent, const Summary& summary, const QString& docName, bool preview,
                     QString* error);

} // namespace printout
