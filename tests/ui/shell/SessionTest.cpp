// Start-up and settings: the first start asks for the keyboard before any main window, stored
// settings skip the question and come back at the next start, the command line opens files
// and rejects bad ones without starting.
#include "ShellTestEnv.h"

#include "app/CKeyboardSelectDlg.h"
#include "app/CPresetView.h"
#include "app/CommandIds.h"
#include "app/SettingsKeys.h"
#include "app/ShellIntegration.h"
#include "model/PresetFile.h"

#include <QLabel>
#include <QMainWindow>
#include <QRadioButton>
#include <QWindow>
#include <QtTest>

using namespace presetor;

namespace {

bool AnyMainWindow() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(w)) {
            return true;
        }
    }
    return false;
}

} // namespace

class SessionTest : public QObject {
    Q_OBJECT

private slots:
    void firstStartAsksForTheKeyboardBeforeTheWindow_data() {
        QTest::addColumn<bool>("chooseLmk4");
        QTest::addColumn<bool>("pressOk");
        QTest::addColumn<int>("type");
        QTest::newRow("LMK4 with OK") << true << true << 4;
        QTest::newRow("LMK3 default with OK") << false << true << 3;
        QTest::newRow("LMK4 marked but Esc") << true << false << 3;
    }

    void firstStartAsksForTheKeyboardBeforeTheWindow() {
        QFETCH(bool, chooseLmk4);
        QFETCH(bool, pressOk);
        QFETCH(int, type);
        ShellTestEnv env;
        bool asked = false;
        bool windowBeforeAnswer = true;
        bool questionHasIcon = false;
        OnNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<CKeyboardSelectDlg*>(modal);
            asked = dialog != nullptr;
            windowBeforeAnswer = AnyMainWindow();
            questionHasIcon = !modal->windowIcon().isNull();
            if (!dialog) {
                modal->close();
                return;
            }
            QVERIFY(modal->findChild<QRadioButton*>(QStringLiteral("lmk3Radio"))->isChecked());
            if (chooseLmk4) {
                modal->findChild<QRadioButton*>(QStringLiteral("lmk4Radio"))->click();
            }
            if (pressOk) {
                dialog->accept();
            } else {
                QTest::keyClick(dialog, Qt::Key_Escape);
            }
        });
        QCOMPARE(env.Start(), -1);
        QVERIFY(asked);
        QVERIFY(!windowBeforeAnswer);
        // The question and the window show the program's icon, small and large.
        QVERIFY(questionHasIcon);
        QVERIFY(QTest::qWaitForWindowExposed(&env.Frame()));
        const QIcon shown = env.Frame().windowHandle()->icon();
        QCOMPARE(shown.cacheKey(), QApplication::windowIcon().cacheKey());
        QCOMPARE(shown.pixmap(16, 16).size(), QSize(16, 16));
        QCOMPARE(shown.pixmap(128, 128).size(), QSize(128, 128));
        QCOMPARE(env.settings->value(keys::kKeyboardMajor).toInt(), type);
        QCOMPARE(env.settings->value(keys::kKeyboardMinor).toInt(), type == 3 ? 4 : 1);
        QCOMPARE(env.App().bank.keyboardType, type);
        QCOMPARE(env.Frame().PresetView()->topLevelItemCount(), type == 3 ? 64 : 127);
        QCOMPARE(env.Frame().KeyboardIndicatorPane()->text(),
                 type == 3 ? QStringLiteral("LMK3V4") : QStringLiteral("LMK4/4+"));
        QCOMPARE(env.Doc().Title(), QStringLiteral("Untitled"));
        QVERIFY(!env.Doc().IsModified());
        // Nothing chosen yet: the virtual keyboard of the chosen type.
        QCOMPARE(env.App().midiInDevice, type == 3 ? 0 : 1);
        QCOMPARE(env.App().midiOutDevice, type == 3 ? 0 : 1);
    }

    void storedTypeSkipsTheQuestionAndIsWrittenBack() {
        ShellTestEnv env;
        env.settings->setValue(keys::kKeyboardMajor, 4);
        env.settings->setValue(keys::kKeyboardMinor, 1);
        // A 19-byte DefaultPreset: name and assignments taken, the rest factory values.
        PresetDefaults stored;
        std::copy_n("STORED19", 8, stored.name);
        stored.midiClock = 99;
        const auto bytes = stored.ToBytes();
        env.settings->setValue(keys::kDefaultPreset,
                               QByteArray(reinterpret_cast<const char*>(bytes.data()), 19));
        QApplication::setWindowIcon(QIcon()); // an earlier start's icon must not count
        QCOMPARE(env.Start(), -1);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(env.App().bank.keyboardType, 4);
        QCOMPARE(env.Frame().PresetView()->topLevelItemCount(), 127);
        QCOMPARE(env.App().bank.presets[126].GetName(), std::string("STORED19"));
        QCOMPARE(env.App().bank.presetDefaults.midiClock, 25);
        QCOMPARE(env.settings->value(keys::kKeyboardMajor).toInt(), 4);
        QCOMPARE(env.settings->value(keys::kKeyboardMinor).toInt(), 1);
        // Without the question too, the window shows the program's icon.
        QVERIFY(QTest::qWaitForWindowExposed(&env.Frame()));
        const QIcon shown = env.Frame().windowHandle()->icon();
        QVERIFY(!shown.isNull());
        QCOMPARE(shown.cacheKey(), QApplication::windowIcon().cacheKey());
        QCOMPARE(shown.pixmap(32, 32).size(), QSize(32, 32));
    }

    // Until the window has painted, a start that finds the type stored as plain numbers leaves
    // the settings file as it is (a write saves the whole file, with disk flushes), also when it
    // opens a file of that type, which joins the recent files after the paint; another stored
    // form of the same number is written back as the number.
    void settingsAreWrittenBeforeThePaintOnlyWhenTheyChange_data() {
        QTest::addColumn<QByteArray>("minor");
        QTest::addColumn<bool>("withFile");
        QTest::addColumn<bool>("rewritten");
        QTest::newRow("plain numbers") << QByteArray("1") << false << false;
        QTest::newRow("leading zero") << QByteArray("01") << false << true;
        QTest::newRow("a file of that type") << QByteArray("1") << true << false;
    }

    void settingsAreWrittenBeforeThePaintOnlyWhenTheyChange() {
        QFETCH(QByteArray, minor);
        QFETCH(bool, withFile);
        QFETCH(bool, rewritten);
        ShellTestEnv env;
        const QByteArray stored =
            "; written by hand\n[Settings]\nKeyboard-Major=4\nKeyboard-Minor=" + minor + "\n";
        QFile file(env.Path(QStringLiteral("presetor.ini")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(stored);
        file.close();
        env.NewSettings();
        CommandLine line;
        const QString bankFile = env.Path(QStringLiteral("bank.lmk"));
        if (withFile) {
            Bank bank;
            bank.SetKeyboardType(4);
            bank.LoadPresetDefaults();
            QVERIFY(SavePresetFile(bankFile.toStdString(), bank).ok());
            line = CommandLine::Parse({QStringLiteral("presetor"), bankFile});
        }
        // As the program starts: the steps after showing the window wait for its first paint.
        env.session = std::make_unique<PresetorSession>(*env.settings, PresetorParts{});
        QCOMPARE(env.session->Start(line, {}, env.dir.path(), false, true), -1);
        env.settings->sync(); // whatever was set so far is written now
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray after = file.readAll();
        file.close();
        QCOMPARE(after != stored, rewritten);
        QVERIFY(after.contains("Keyboard-Minor=1\n"));
        QCOMPARE(env.App().bank.keyboardMinor, 1);
        if (withFile) {
            QVERIFY(env.Frame().Recent().Files().isEmpty());
            QVERIFY(QTest::qWaitForWindowExposed(&env.Frame()));
            QTRY_COMPARE(env.Frame().Recent().Files().value(0),
                         QFileInfo(bankFile).absoluteFilePath());
        }
    }

    // The system's MIDI ports are made when first needed, once; then the stored output is
    // found by name and opened.
    void midiPortsAreSetUpWhenFirstNeeded() {
        ShellTestEnv env;
        env.settings->setValue(keys::kKeyboardMajor, 3);
        env.settings->setValue(keys::kMidiOut, QString::fromLatin1(presetor::kVirtualLmk4Name));
        int made = 0;
        QCOMPARE(env.Start({},
                           [&made] {
                               ++made;
                               return std::make_unique<presetor::MidiSystem>();
                           }),
                 -1);
        QCOMPARE(made, 0);
        QVERIFY(!env.App().midiOut->IsOpen());
        QString missing;
        QVERIFY(env.App().ReconnectMidi(missing));
        QCOMPARE(made, 1);
        QVERIFY(env.App().midiOut->IsOpen());
        QCOMPARE(env.App().midiOutDevice, 1);
        env.App().Midi();
        QVERIFY(env.App().ReconnectMidi(missing));
        QCOMPARE(made, 1);
    }

    void settingsComeBackAtTheNextStart() {
        ShellTestEnv env;
        env.settings->setValue(keys::kKeyboardMajor, 3);
        env.settings->setValue(keys::kKeyboardMinor, 4);
        env.settings->setValue(keys::kMidiOut, QStringLiteral("Virtual LMK4"));
        env.settings->setValue(keys::kTurbo, 1);
        env.settings->setValue(keys::kPause, 25);
        QCOMPARE(env.Start(), -1);
        QCOMPARE(env.App().midiOutDevice, 1);
        QVERIFY(env.App().midiOut->IsOpen());
        QCOMPARE(env.App().turbo, 1);
        QCOMPARE(env.App().pauseMs, 25);

        env.Frame().setGeometry(40, 50, 820, 560);
        env.Frame().Action(ID_VIEW_TOOLBAR)->trigger(); // hide the toolbar
        const QString file = env.Path(QStringLiteral("kept.lmk"));
        QVERIFY(env.Doc().SaveDocument(file).ok());
        env.Frame().AddRecentFile(file);
        env.App().channelAssignments[2] = "Drums";
        QVERIFY(env.Frame().close());
        env.Finish();

        env.NewSettings();
        QCOMPARE(env.Start(), -1);
        QCOMPARE(env.Frame().geometry().size(), QSize(820, 560));
        QVERIFY(!env.Frame().Action(ID_VIEW_TOOLBAR)->isChecked());
        QCOMPARE(env.Frame().Recent().Files().value(0), QFileInfo(file).absoluteFilePath());
        QCOMPARE(env.App().channelAssignments[2], std::string("Drums"));
        QCOMPARE(env.App().channelAssignments[3], std::string(" "));
        QCOMPARE(env.App().turbo, 1);
        QCOMPARE(env.App().midiOutDevice, 1);
    }

    void deviceNamesMatchExactlyOrKeepTheNumber() {
        ShellTestEnv env;
        env.settings->setValue(keys::kKeyboardMajor, 3);
        env.settings->setValue(keys::kMidiIn, QStringLiteral("virtual lmk4")); // case differs
        env.settings->setValue(keys::kMidiOut, QStringLiteral("Virtual LMK4"));
        QCOMPARE(env.Start(), -1);
        QCOMPARE(env.App().midiInDevice, 0);
        QCOMPARE(env.App().midiOutDevice, 1);
    }

    void commandLineOpensAFileOfTheOtherType() {
        ShellTestEnv env;
        env.settings->setValue(keys::kKeyboardMajor, 3);
        Bank bank;
        bank.SetKeyboardType(4);
        bank.LoadPresetDefaults();
        bank.presets[100].SetName("FROMFILE");
        const QString file = env.Path(QStringLiteral("lmk4.lmk"));
        QVERIFY(SavePresetFile(file.toStdString(), bank).ok());

        QCOMPARE(env.Start(CommandLine::Parse({QStringLiteral("presetor"), file})), -1);
        QCOMPARE(env.App().bank.keyboardType, 4);
        QCOMPARE(env.settings->value(keys::kKeyboardMajor).toInt(), 4);
        QCOMPARE(env.Frame().PresetView()->topLevelItem(100)->text(0), QStringLiteral("FROMFILE"));
        QCOMPARE(env.Doc().Title(), QStringLiteral("lmk4.lmk"));
        QCOMPARE(env.Frame().Recent().Files().value(0), QFileInfo(file).absoluteFilePath());
    }

    void commandLineWithABadFileEndsTheStart() {
        ShellTestEnv env;
        const QString file = env.Path(QStringLiteral("bad.lmk"));
        QFile bad(file);
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("lmk3v4 and more");
        bad.close();
        QString text;
        AnswerNextMessageBox(QMessageBox::Ok, &text);
        QCOMPARE(env.Start(CommandLine::Parse({QStringLiteral("presetor"), file})), 1);
        // The message names the file it is about.
        QCOMPARE(text,
                 QStringLiteral("'%1': Invalid File-Type. This file is not a LMK-Preset-File.")
                     .arg(file));
        QVERIFY(env.session->Frame() == nullptr);
        QVERIFY(!env.settings->contains(keys::kKeyboardMajor));
    }

    void desktopRegistrationWritesEntryMimeTypeAndIcon() {
        ShellTestEnv env;
        // Real locations under the temporary data folder instead of Qt's test folder.
        QStandardPaths::setTestModeEnabled(false);
        const QString data = env.Path(QStringLiteral("data"));
        QVERIFY(DesktopEntryPath().startsWith(data));
        QString error;
        QVERIFY2(InstallShellIntegration(QStringLiteral("/opt/My Apps/presetor"), &error),
                 qPrintable(error));
        QFile desktop(DesktopEntryPath());
        QVERIFY(desktop.open(QIODevice::ReadOnly));
        const QString entry = QString::fromUtf8(desktop.readAll());
        QVERIFY(entry.contains(QStringLiteral("Exec=\"/opt/My Apps/presetor\" %f\n")));
        QVERIFY(entry.contains(QStringLiteral("Exec=\"/opt/My Apps/presetor\" /p %f\n")));
        QVERIFY(entry.contains(QStringLiteral("MimeType=application/x-presetor-lmk;")));
        QFile mime(MimePackagePath());
        QVERIFY(mime.open(QIODevice::ReadOnly));
        const QString type = QString::fromUtf8(mime.readAll());
        QVERIFY(type.contains(QStringLiteral("<glob pattern=\"*.lmk\"/>")));
        QVERIFY(type.contains(QStringLiteral("LMK Document")));
        QVERIFY(QFile::exists(data + QStringLiteral("/icons/hicolor/scalable/apps/presetor.svg")));
        QStandardPaths::setTestModeEnabled(true);
    }

    void installedProgramIsToldFromABuildFolder() {
        ShellTestEnv env;
        const QString prefix = env.Path(QStringLiteral("usr"));
        QVERIFY(QDir().mkpath(prefix + QStringLiteral("/bin")));
        const QString program = prefix + QStringLiteral("/bin/presetor");
        QVERIFY(!InstalledWithDesktopEntry(program));

        QVERIFY(QDir().mkpath(prefix + QStringLiteral("/share/applications")));
        QFile entry(prefix + QStringLiteral("/share/applications/presetor.desktop"));
        QVERIFY(entry.open(QIODevice::WriteOnly));
        entry.close();
        QVERIFY(InstalledWithDesktopEntry(program));
        // The same program reached through a relative part of the path.
        QVERIFY(InstalledWithDesktopEntry(prefix + QStringLiteral("/share/../bin/presetor")));

        // A build folder with a share folder of its own is no installation: the program is not
        // in a bin folder.
        const QString build = env.Path(QStringLiteral("build"));
        QVERIFY(QDir().mkpath(build + QStringLiteral("/src")));
        QVERIFY(QDir().mkpath(build + QStringLiteral("/share/applications")));
        QFile other(build + QStringLiteral("/share/applications/presetor.desktop"));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();
        QVERIFY(!InstalledWithDesktopEntry(build + QStringLiteral("/src/presetor")));
        // Another program's entry does not count.
        const QString opt = env.Path(QStringLiteral("opt"));
        QVERIFY(QDir().mkpath(opt + QStringLiteral("/bin")));
        QVERIFY(QDir().mkpath(opt + QStringLiteral("/share/applications/presetor.desktop.d")));
        QVERIFY(!InstalledWithDesktopEntry(opt + QStringLiteral("/bin/presetor")));
    }

    void commandLineForms() {
        using A = CommandLine::Action;
        const auto parse = [](QStringList args) {
            args.prepend(QStringLiteral("presetor"));
            return CommandLine::Parse(args);
        };
        QCOMPARE(parse({}).action, A::Run);
        QCOMPARE(parse({QStringLiteral("a.lmk")}).file, QStringLiteral("a.lmk"));
        QCOMPARE(parse({QStringLiteral("/tmp/a.lmk")}).file, QStringLiteral("/tmp/a.lmk"));
        const CommandLine p = parse({QStringLiteral("/p"), QStringLiteral("a.lmk")});
        QCOMPARE(p.action, A::Print);
        QCOMPARE(p.file, QStringLiteral("a.lmk"));
        QVERIFY(p.printer.isEmpty());
        const CommandLine pt =
            parse({QStringLiteral("/pt"), QStringLiteral("a.lmk"), QStringLiteral("Office"),
                   QStringLiteral("winspool"), QStringLiteral("Ne00:")});
        QCOMPARE(pt.action, A::Print);
        QCOMPARE(pt.printer, QStringLiteral("Office"));
        QCOMPARE(parse({QStringLiteral("/p")}).action, A::Error);
        QCOMPARE(parse({QStringLiteral("/pt"), QStringLiteral("a.lmk")}).action, A::Error);
        QCOMPARE(parse({QStringLiteral("a.lmk"), QStringLiteral("b.lmk")}).action, A::Error);
        QCOMPARE(parse({QStringLiteral("--bogus")}).action, A::Error);
        QCOMPARE(parse({QStringLiteral("--help")}).action, A::Help);
        QCOMPARE(parse({QStringLiteral("--version")}).action, A::Version);
        const CommandLine pdf =
            parse({QStringLiteral("/pdf"), QStringLiteral("a.lmk"), QStringLiteral("o.pdf")});
        QCOMPARE(pdf.action, A::Pdf);
        QCOMPARE(pdf.output, QStringLiteral("o.pdf"));
    }
};

QTEST_MAIN(SessionTest)
#include "SessionTest.moc"
