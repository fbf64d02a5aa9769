// Print, print preview and PDF export of the summary.
#include "PrintCommands.h"

#include "app/CAppDoc.h"
#include "app/CEditorApp.h"
#include "app/CommandIds.h"
#include "app/Messages.h"
#include "app/Strings.h"

#include "PresetPrintout.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cstdio>

namespace printout {

using namespace presetor;

Summary DocumentSummary(CEditorApp& app, CAppDoc& doc, PrintScope scope) {
    return Summary{doc.GetBank(), scope, SoundNames{&app.soundLists, &app.channelAssignments},
                   doc.Title()};
}

bool AskPrintScope(QWidget* parent, PrintScope& scope) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("printScopeDialog"));
    dialog.setWindowTitle(Str(IDS_PRINT_WHAT));
    auto* current = new QRadioButton(Str(IDS_PRINT_CURRENT), &dialog);
    current->setObjectName(QStringLiteral("printCurrent"));
    auto* bank = new QRadioButton(Str(IDS_PRINT_BANK), &dialog);
    bank->setObjectName(QStringLiteral("printBank"));
    (scope == PrintScope::WholeBank ? bank : current)->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(current);
    layout->addWidget(bank);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    scope = bank->isChecked() ? PrintScope::WholeBank : PrintScope::CurrentPreset;
    return true;
}

void RunPrintCommand(QWidget* parent, CEditorApp& app, CAppDoc& doc, int command,
                     PrinterSource printers) {
    static PrintScope lastScope = PrintScope::CurrentPreset;
    PrintScope scope = lastScope;
    if (!AskPrintScope(parent, scope)) {
        return;
    }
    lastScope = scope;
    const Summary summary = DocumentSummary(app, doc, scope);
    QString error;
    if (command == ID_FILE_EXPORT_PDF) {
        QString path = QFileDialog::getSaveFileName(
            parent, Str(IDS_MENU_EXPORT_PDF).remove(QLatin1Char('&')).remove(QStringLiteral("...")),
            QFileInfo(doc.Title()).completeBaseName() + QStringLiteral(".pdf"),
            Str(IDS_FILTER_PDF));
        if (path.isEmpty()) {
            return;
        }
        if (QFileInfo(path).suffix().isEmpty()) {
            path += QStringLiteral(".pdf");
        }
        if (!WriteSummaryPdf(path, summary, &error)) {
            ShowWarning(parent, error);
        }
        return;
    }
    const Printers* functions = printers(&error);
    if (!functions || !functions->printWithDialog(parent, summary, doc.Title(),
                                                  command == ID_FILE_PRINT_PREVIEW, &error)) {
        ShowWarning(parent, error);
    }
}

namespace {

// A failed command-line print: the reason on stderr, and in a message box when there is a
// screen to show it on (the desktop's print action has no console).
int ReportFailure(const QString& error) {
    std::fprintf(stderr, "presetor: %s\n", error.toLocal8Bit().constData());
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal")) {
        QMessageBox::warning(nullptr, QStringLiteral("Presetor"), error);
    }
    return 1;
}

} // namespace

int PrintCommand(CEditorApp& /*app*/, CAppDoc& doc, const QString& printer,
                 PrinterSource printers) {
    QString error;
    const Printers* functions = printers(&error);
    if (!functions || !functions->printToPrinter(doc.GetBank(), printer, &error)) {
        return ReportFailure(error);
    }
    return 0;
}

int PdfCommand(CEditorApp& /*app*/, CAppDoc& doc, const QString& outputPath) {
    QString error;
    if (!WritePdf(doc.GetBank(), outputPath, &error)) {
        return ReportFailure(error);
    }
    return 0;
}

} // namespace printout
