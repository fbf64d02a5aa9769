// The program's printing options run as a user types them: "/pdf FILE OUT.pdf" writes the page
// of the file's first preset, "/p" and "/pt" fail clearly and with a non-zero exit code when
// there is no such printer; presetor-cli print writes the page without a display.
#include "model/Bank.h"
#include "model/PresetFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QString output;
    QString errors;
};

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir home;
    QString lmk4File;

    // Runs the program offscreen with its settings in a private home directory.
    Run Presetor(const QStringList& arguments) {
        return Start(QStringLiteral(PRESETOR_PATH), arguments);
    }

    // Runs a program as Presetor() does, with files limited to fileLimitKb kilobytes (a disk
    // that fills up): writes beyond it fail with EFBIG instead of ending the process.
    Run Start(const QString& program, const QStringList& arguments, int fileLimitKb = 0) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           home.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(home.path());
        if (fileLimitKb > 0) {
            process.start(
                QStringLiteral("bash"),
                QStringList{QStringLiteral("-c"),
                            QStringLiteral("trap '' XFSZ; ulimit -f %1; exec \"$0\" \"$@\"")
                                .arg(fileLimitKb),
                            program} +
                    arguments);
        } else {
            process.start(program, arguments);
        }
        Run run;
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            run.errors = QStringLiteral("<did not end>");
            return run;
        }
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.output = QString::fromLocal8Bit(process.readAllStandardOutput());
        run.errors = QString::fromLocal8Bit(process.readAllStandardError());
        return run;
    }

private slots:
    void initTestCase() {
        presetor::Bank bank;
        bank.SetKeyboardType(presetor::kLmk4);
        bank.LoadPresetDefaults();
        bank.presets[0].presetSwitch = 1;
        lmk4File = home.filePath(QStringLiteral("bank.lmk"));
        QVERIFY(presetor::SavePresetFile(lmk4File.toStdString(), bank).ok());
    }

    void pdfOfTheFirstPreset() {
        const QString pdf = home.filePath(QStringLiteral("out.pdf"));
        const Run run = Presetor({QStringLiteral("/pdf"), lmk4File, pdf});
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QString page = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(page.contains(QStringLiteral("INITPRES - 1.1 (1)")), qPrintable(page));
        QVERIFY(page.contains(QStringLiteral("Presetumschaltung: activ / Out 1")));
    }

    void headlessPdfTool() {
        // presetor-cli print needs no display: it is started here without one.
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        process.setProcessEnvironment(environment);
        const QString pdf = home.filePath(QStringLiteral("tool.pdf"));
        process.start(QStringLiteral(PRESETOR_CLI_PATH),
                      {QStringLiteral("print"), QStringLiteral("--preset"), QStringLiteral("13"),
                       lmk4File, pdf});
        QVERIFY(process.waitForFinished(60000));
        QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        QVERIFY(QString::fromUtf8(text.readAllStandardOutput())
                    .contains(QStringLiteral("INITPRES - 2.5 (13)")));

        // A preset number outside the bank is refused.
        process.start(QStringLiteral(PRESETOR_CLI_PATH),
                      {QStringLiteral("print"), QStringLiteral("--preset"), QStringLiteral("128"),
                       lmk4File, pdf});
        QVERIFY(process.waitForFinished(60000));
        QVERIFY(process.exitCode() != 0);
    }

    // A PDF that does not fit on the disk: both programs fail with the file and the reason, the
    // good PDF that was there stays as it was, and an unrelated "OUT.pdf.part" is not touched.
    void pdfOnAFullDiskKeepsTheOldFile() {
        const QString pdf = home.filePath(QStringLiteral("full.pdf"));
        const QByteArray good("an older, good PDF");
        const QByteArray part("the user's own .part file");
        for (const QString& program :
             {QStringLiteral(PRESETOR_PATH), QStringLiteral(PRESETOR_CLI_PATH)}) {
            for (const auto& [path, bytes] :
                 {std::pair{pdf, good}, std::pair{pdf + ".part", part}}) {
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
            }
            const QStringList arguments = program == QStringLiteral(PRESETOR_PATH)
                                              ? QStringList{QStringLiteral("/pdf"), lmk4File, pdf}
                                              : QStringList{QStringLiteral("print"), lmk4File, pdf};
            const Run run = Start(program, arguments, 4);
            QVERIFY2(run.exitCode > 0, qPrintable(program + run.errors));
            QVERIFY2(run.errors.contains(QStringLiteral("full.pdf")) &&
                         run.errors.contains(QStringLiteral("too large")),
                     qPrintable(run.errors));
            for (const auto& [path, bytes] :
                 {std::pair{pdf, good}, std::pair{pdf + ".part", part}}) {
                QFile file(path);
                QVERIFY(file.open(QIODevice::ReadOnly));
                QCOMPARE(file.readAll(), bytes);
            }
            QCOMPARE(QDir(home.path()).entryList({QStringLiteral("full.pdf*")}).size(), 2);

            // With room on the disk the same command replaces the old file.
            QCOMPARE(Start(program, arguments).exitCode, 0);
            QFile written(pdf);
            QVERIFY(written.open(QIODevice::ReadOnly));
            QVERIFY(written.readAll().startsWith("%PDF"));
        }
    }

    void printingWithoutThePrinterFails() {
        Run run = Presetor({QStringLiteral("/pt"), lmk4File, QStringLiteral("No Such Printer 6")});
        QVERIFY(run.exitCode > 0);
        QVERIFY2(run.errors.contains(QStringLiteral("No Such Printer 6")), qPrintable(run.errors));
        if (!QPrinterInfo::availablePrinters().isEmpty()) {
            QSKIP("a printer is installed here");
        }
        run = Presetor({QStringLiteral("/p"), lmk4File});
        QVERIFY(run.exitCode > 0);
        QVERIFY2(run.errors.contains(QStringLiteral("No printer")), qPrintable(run.errors));
    }

    void programWithoutItsPrintModule() {
        // A program whose print module cannot be found says so on a print and fails; writing
        // a PDF file does not need the module.
        const QString alone = home.filePath(QStringLiteral("alone/presetor"));
        QVERIFY(QDir().mkpath(QFileInfo(alone).path()));
        QVERIFY(QFile::copy(QStringLiteral(PRESETOR_PATH), alone));
        if (QFile::exists(QFileInfo(alone).path() + QStringLiteral("/../lib/presetor/modules"))) {
            QSKIP("a print module is installed beside the copy");
        }
        Run run = Start(alone, {QStringLiteral("/p"), lmk4File});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.contains(QStringLiteral("Printing is not available")),
                 qPrintable(run.errors));
        const QString pdf = home.filePath(QStringLiteral("alone.pdf"));
        run = Start(alone, {QStringLiteral("/pdf"), lmk4File, pdf});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(QFileInfo(pdf).size() > 0);
    }
};

QTEST_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
