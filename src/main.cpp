// Presetor: starts the program with the editor pages, their Options dialogs and the printout,
// as far as they are built, plugged into the application shell.
#include "app/PresetorMain.h"

#if PRESETOR_HAVE_PAGES
#include "pages/PageFactory.h"
#endif
#if PRESETOR_HAVE_PAGE_DIALOGS
#include "pages/CChannelAssignDlg.h"
#include "pages/CPropertySheetOptions.h"
#endif
#if PRESETOR_HAVE_PRINTOUT
#include "ProgramPrinters.h"
#include "pages/PrintCommands.h"
#endif

int main(int argc, char** argv) {
    PresetorParts parts;
#if PRESETOR_HAVE_PAGES
    parts.pages = &CreatePage;
#endif
#if PRESETOR_HAVE_PAGE_DIALOGS
    parts.dialogs.presetDefaults = [](QWidget* parent, CEditorApp& app, CAppDoc& doc) {
        RunPresetDefaultSettings(parent, app, doc);
    };
    parts.dialogs.channelAssignment = &RunChannelAssignment;
#endif
#if PRESETOR_HAVE_PRINTOUT
    parts.print = [](CEditorApp& app, CAppDoc& doc, const QString& printer) {
        return printout::PrintCommand(app, doc, printer, &ProgramPrinters);
    };
    parts.pdf = &printout::PdfCommand;
    parts.dialogs.print = [](QWidget* parent, CEditorApp& app, CAppDoc& doc, int command) {
        printout::RunPrintCommand(parent, app, doc, command, &ProgramPrinters);
    };
#endif
    return PresetorMain(argc, argv, parts);
}
