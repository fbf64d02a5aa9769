// The printed preset summary, checked in the PDF the program writes: title, the framed row by
// keyboard type, landscape, and clear failures when there is no printer to print on.
#include "PresetPrintout.h"
#include "model/Bank.h"

#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The text of a PDF, as pdftotext extracts it.
QString PdfText(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        return QStringLiteral("<pdftotext failed>");
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString PdfInfo(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {path});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class PrintoutTest : public QObject {
    Q_OBJECT

private slots:
    void firstPresetOfAnLmk3() {
        QTemporaryDir dir;
        presetor::Bank bank;
        bank.LoadPresetDefaults();
        const QString pdf = dir.filePath(QStringLiteral("preset.pdf"));
        QString error;
        QVERIFY2(printout::WritePdf(bank, pdf, &error), qPrintable(error));
        const QString text = PdfText(pdf);
        QVERIFY2(text.contains(QStringLiteral("INITPRES - 1.1 (1)")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Link zum Preset: 1.1 (1)")));
        QVERIFY(text.contains(QStringLiteral("MIDI-Masterchannel: 1")));
        QVERIFY(!text.contains(QStringLiteral("Presetumschaltung")));
        QVERIFY(text.contains(QStringLiteral("HorzRes = ")));

        // One landscape page.
        const QString info = PdfInfo(pdf);
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))),
                 qPrintable(info));
        const QRegularExpressionMatch size =
            QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+)")).match(info);
        QVERIFY(size.hasMatch());
        QVERIFY(size.captured(1).toDouble() > size.captured(2).toDouble());
    }

    void currentPresetOfAnLmk4() {
        QTemporaryDir dir;
        presetor::Bank bank;
        bank.SetKeyboardType(presetor::kLmk4);
        bank.LoadPresetDefaults();
        bank.currentPreset = 12;
        presetor::Preset& preset = bank.presets[12];
        preset.SetName("PIANO");
        preset.linkPreset = 3;
        preset.SetMasterChannel(10);
        preset.presetSwitch = 3;
        // Split 1 from C 2 to G 4, split 3 from A -1 to C 7, the others off.
        for (int s = 0; s < presetor::kSplitCount; ++s)
            preset.lowKey[s] = preset.highKey[s] = 0;
        preset.lowKey[0] = 48;
        preset.highKey[0] = 79;
        preset.lowKey[2] = 21;
        preset.highKey[2] = 108;
        const QString pdf = dir.filePath(QStringLiteral("lmk4.pdf"));
        QString error;
        QVERIFY2(printout::WritePdf(bank, pdf, &error), qPrintable(error));
        const QString text = PdfText(pdf);
        QVERIFY2(text.contains(QStringLiteral("PIANO - 2.5 (13)")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Link zum Preset: 1.4 (4)")));
        QVERIFY(text.contains(QStringLiteral("MIDI-Masterchannel: 10")));
        QVERIFY(text.contains(QStringLiteral("Presetumschaltung: not activ / Out 1 and 2")));
        // The key ranges with octaves.
        QVERIFY2(text.contains(QStringLiteral("Split 1: C 2 - G 4")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Split 3: A -1 - C 7")));
        QVERIFY(!text.contains(QStringLiteral("Split 2:")));
    }

    void noPrinterIsAClearFailure() {
        presetor::Bank bank;
        bank.LoadPresetDefaults();
        QString error;
        QVERIFY(!printout::PrintToPrinter(bank, QStringLiteral("No Such Printer 6"), &error));
        QVERIFY(error.contains(QStringLiteral("No Such Printer 6")));
        if (!QPrinterInfo::availablePrinters().isEmpty()) {
            QSKIP("a printer is installed here");
        }
        error.clear();
        QVERIFY(!printout::PrintToPrinter(bank, QString(), &error));
        QVERIFY(error.contains(QStringLiteral("No printer")));
    }

    void unwritablePdfFails() {
        presetor::Bank bank;
        QString error;
        QVERIFY(!printout::WritePdf(bank, QStringLiteral("/nonexistent-dir/x/preset.pdf"), &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_MAIN(PrintoutTest)
#include "PrintoutTest.moc"
