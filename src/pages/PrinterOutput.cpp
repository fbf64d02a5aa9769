#include "PrinterOutput.h"

#include "PresetPrintout.h"

#include "app/Strings.h"
#include "model/Bank.h"
#include "model/Preset.h"

#include <QDialog>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace printout {

using namespace presetor;

bool PrintCurrentPreset(QPrinter& printer, const presetor::Bank& bank, QString* error) {
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setFromTo(1, 1);
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (error) {
            *error = Str(IDS_PRINT_NOT_STARTED);
        }
        return false;
    }
    const int index = bank.CurrentIndex();
    DrawPresetPage(
        painter, bank, index,
        PresetSwitchItemText(bank.presets[static_cast<std::size_t>(index)].presetSwitch));
    return painter.end();
}

bool PrintToPrinter(const presetor::Bank& bank, const QString& printerName, QString* error) {
    QPrinterInfo info;
    if (printerName.isEmpty()) {
        info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
            if (!printers.isEmpty()) {
                info = printers.first();
            }
        }
        if (info.isNull()) {
            if (error) {
                *error = QStringLiteral("No printer is installed, so the preset cannot be "
                                        "printed. Use /pdf FILE OUT.pdf to write the page as "
                                        "a PDF file.");
            }
            return false;
        }
    } else {
        info = QPrinterInfo::printerInfo(printerName);
        if (info.isNull()) {
            if (error) {
                *error = QStringLiteral("The printer \"%1\" is not installed.").arg(printerName);
            }
            return false;
        }
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Presetor"));
    return PrintCurrentPreset(printer, bank, error);
}

bool PrintSummary(QPrinter& printer, const Summary& summary, QString* error) {
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (error)
            *error = Str(IDS_PRINT_NOT_STARTED);
        return false;
    }
    const int pages = SummaryPageCount(summary);
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !printer.newPage()) {
            if (error)
                *error = Str(IDS_PRINT_NOT_STARTED);
            return false;
        }
        DrawSummaryPage(painter, summary, page);
    }
    return painter.end();
}

bool PrintWithDialog(QWidget* parent, const Summary& summary, const QString& docName, bool preview,
                     QString* error) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Presetor - ") + docName);
    printer.setPageOrientation(QPageLayout::Landscape);
    if (preview) {
        QPrintPreviewDialog dialog(&printer, parent);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&summary](QPrinter* target) { PrintSummary(*target, summary, nullptr); });
        dialog.exec();
        return true;
    }
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return true;
    }
    return PrintSummary(printer, summary, error);
}

const Printers* LinkedPrinters() {
    static const Printers printers{&PrintToPrinter, &PrintWithDialog};
    return &printers;
}

} // namespace printout
