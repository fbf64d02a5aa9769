// The window's File > Print..., Print Preview... and Export as PDF...: each asks whether to
// print the current preset or the whole bank, then prints the summary through the platform's
// print dialog, shows it in the print preview or writes it as a PDF file.
#pragma once

#include "PresetSummary.h"

class CAppDoc;
class CEditorApp;
class QWidget;

namespace printout {

// The summary of the document for a scope, with the application's sound lists.
Summary DocumentSummary(CEditorApp& app, CAppDoc& doc, PrintScope scope);

// Asks "What to print"; false when cancelled.
bool AskPrintScope(QWidget* parent, PrintScope& scope);

// command: ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW or ID_FILE_EXPORT_PDF.
void RunPrintCommand(QWidget* parent, CEditorApp& app, CAppDoc& doc, int command);

} // namespace printout
