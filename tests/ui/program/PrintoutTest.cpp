// The printed preset summary, checked in the PDF the program writes: title, the framed row by
// keyboard type, landscape, and clear failures when there is no printer to print on.
#include "PresetPrintout.h"
#include "PresetSummary.h"
#include "PrinterOutput.h"
#include "model/Bank.h"
#include "model/PresetTexts.h"
#include "model/SoundList.h"

#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <random>

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
        // The original page stays as it was; the summary gives the key ranges with octaves, in
        // the names the split pages show.
        QVERIFY(!text.contains(QStringLiteral("C 2")));
        const printout::Summary summary{bank, printout::PrintScope::CurrentPreset, {}, {}};
        const QString summaryPdf = dir.filePath(QStringLiteral("summary.pdf"));
        QVERIFY2(printout::WriteSummaryPdf(summaryPdf, summary, &error), qPrintable(error));
        QString ranges = PdfText(summaryPdf);
        ranges.remove(QLatin1Char(' '));
        QVERIFY2(ranges.contains(QStringLiteral("C2-G4")), qPrintable(ranges));
        QVERIFY(ranges.contains(QStringLiteral("A-1-C7")));
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

    // The window's summary of a random LMK4 preset: every active split's range and sound name,
    // no resolution line, one landscape page; the whole bank gives a list page and one page
    // per preset.
    void summaryOfARandomLmk4Bank() {
        std::mt19937 random(20261207);
        auto pick = [&random](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        presetor::Bank bank;
        bank.SetKeyboardType(presetor::kLmk4);
        bank.LoadPresetDefaults();
        bank.currentPreset = pick(0, 126);
        presetor::Preset& p = bank.presets[static_cast<std::size_t>(bank.currentPreset)];
        p.SetName("STAGE");
        std::string listText = "name=Module\nbank=Main,5,7\n";
        QStringList expected;
        for (int s = 0; s < presetor::kSplitCount; ++s) {
            const bool active = s == 0 || pick(0, 1) == 1;
            p.lowKey[s] = active ? static_cast<std::uint8_t>(pick(21, 64)) : 0;
            p.highKey[s] = active ? static_cast<std::uint8_t>(pick(65, 108)) : 0;
            p.midiChannel[s] = static_cast<std::uint8_t>(pick(0, 15));
            p.programActive[s] = 1;
            p.programNumber[s] = static_cast<std::uint8_t>(s * 10 + pick(0, 9));
            p.bankMsb[s] = 5;
            p.bankLsb[s] = 7;
            p.transpose[s] = static_cast<std::uint8_t>(pick(0, 1) ? 12 : 0x8C);
            listText +=
                std::to_string(p.programNumber[s]) + ",Sound" + std::to_string(s + 1) + "\n";
            if (active) {
                expected << QString::fromStdString(presetor::KeyNameWithOctave(p.lowKey[s]) +
                                                   " - " +
                                                   presetor::KeyNameWithOctave(p.highKey[s]))
                         << QStringLiteral("Sound%1 (Main)").arg(s + 1);
            }
        }
        std::vector<presetor::CSoundList> lists(1);
        lists[0].LoadFromText(listText);
        std::array<std::string, 16> assignments;
        assignments.fill("Module");
        const printout::Summary summary{bank,
                                        printout::PrintScope::CurrentPreset,
                                        {&lists, &assignments},
                                        QStringLiteral("random.lmk")};

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("summary.pdf"));
        QString error;
        QVERIFY2(printout::WriteSummaryPdf(pdf, summary, &error), qPrintable(error));
        const QString text = PdfText(pdf);
        QVERIFY2(text.contains(QStringLiteral("STAGE - ")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Link zum Preset: ")));
        QVERIFY(!text.contains(QStringLiteral("HorzRes")));
        // pdftotext drops or doubles blanks as it guesses the layout: compare without them.
        QString packed = text;
        packed.remove(QLatin1Char(' '));
        for (QString item : expected) {
            item.remove(QLatin1Char(' '));
            QVERIFY2(packed.contains(item),
                     qPrintable(item + QStringLiteral(" missing in\n") + text));
        }
        QVERIFY(text.contains(QStringLiteral("User controllers")));
        const QString info = PdfInfo(pdf);
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))),
                 qPrintable(info));

        const printout::Summary whole{
            bank, printout::PrintScope::WholeBank, {}, QStringLiteral("random.lmk")};
        QCOMPARE(printout::SummaryPageCount(whole), 128);
        const QString bankPdf = dir.filePath(QStringLiteral("bank.pdf"));
        QVERIFY2(printout::WriteSummaryPdf(bankPdf, whole, &error), qPrintable(error));
        QVERIFY(PdfInfo(bankPdf).contains(QRegularExpression(QStringLiteral("Pages:\\s+128\\n"))));
        QProcess firstPage;
        firstPage.start(QStringLiteral("pdftotext"),
                        {QStringLiteral("-l"), QStringLiteral("1"), bankPdf, QStringLiteral("-")});
        QVERIFY(firstPage.waitForFinished(30000));
        const QString list = QString::fromUtf8(firstPage.readAllStandardOutput());
        QVERIFY2(list.contains(QStringLiteral("random.lmk - LMK4, 127 presets")), qPrintable(list));
        QVERIFY(list.contains(QStringLiteral("STAGE")));
        QVERIFY(list.contains(QStringLiteral("16.7 (127)")));
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
