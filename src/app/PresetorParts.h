// What the executable plugs into the shell: the page factory, the Options dialogs of the pages
// and the printout of the command line.
#pragma once

#include "PageFactory.h"

#include <functional>

class CAppDoc;
class CEditorApp;

// Prints the current preset of the opened document; printer empty = the default printer.
// Returns the process exit code.
using PrintHandler = std::function<int(CEditorApp& app, CAppDoc& doc, const QString& printer)>;
// Writes the current preset of the opened document as a PDF file; returns the exit code.
using PdfHandler = std::function<int(CEditorApp& app, CAppDoc& doc, const QString& output)>;

struct PresetorParts {
    PageFactory pages;   // empty: every tab gets an empty page
    PageDialogs dialogs; // empty members: their Options entries stay disabled
    PrintHandler print;  // empty: /p and /pt report that printing is not available
    PdfHandler pdf;      // empty: /pdf reports the same
};
