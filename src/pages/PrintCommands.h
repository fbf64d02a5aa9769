// The window's File > Print..., Print Preview... and Export as PDF...: each asks whether to
// print the current preset or the whole bank, then prints the summary through the platform's
// print dialog, shows it in the print preview or writes it as a PDF file. And the command
// line's printing and PDF writing of the opened document's current preset.
#pragma once

#include "Printers.h"

class CAppDoc;
class CEditorApp;
class QWidget;

namespace printout {

// The summary of the document for a scope, with the application's sound lists.
Summary DocumentSummary(CEditorApp& app, CAppDoc& doc, PrintScope scope);

// Asks "What to print"; false when cancelled.
bool AskPrintScope(QWidget* parent, PrintScope& scope);

// command: ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW or ID_FILE_EXPORT_PDF. The printer functions
// come from printers, asked only once the user has chosen to print or preview.
void RunPrintCommand(QWidget* parent, CEditorApp& app, CAppDoc& doc, int command,
                     PrinterSource printers);

// Command-line printing ("/p FILE", "/pt FILE PRINTER"): prints the current preset of the opened
// document on the named or the default printer. Returns the exit code: 0 when printed, 1 with
// the reason on stderr (and in a message box when there is a screen) when not.
int PrintCommand(CEditorApp& app, CAppDoc& doc, const QString& printer, PrinterSource printers);

// "/pdf FILE OUT.pdf": writes the page of the opened document's current preset as a PDF file.
// Returns the exit code as PrintCommand does.
int PdfCommand(CEditorApp& app, CAppDoc& doc, const QString& outputPath);

} // namespace printout
