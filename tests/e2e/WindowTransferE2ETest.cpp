// The window's transfer commands over RtMidi on JACK against the virtual keyboard program: a
// keyboard that vanishes is named and, once it comes back under its name, reached again without
// a restart; a load that stops ends by itself; damaged presets are asked for again; a verified
// send finds a keyboard that ignored it. Message boxes are answered as a user would.
#include "KeyboardProcess.h"
#include "ShellTestEnv.h"

#include "app/CAppDoc.h"
#include "app/CEditorApp.h"
#include "app/SystemMidi.h"
#include "app/TransferCommands.h"
#include "midi/RtMidiBackend.h"

#include <QStatusBar>
#include <QtTest>

#include <algorithm>
#include <memory>

using namespace presetor;
using namespace presetor::e2e;

namespace {

// The program's objects on a settings file, talking to the system's JACK ports.
struct Window {
    explicit Window(const QString& iniPath)
        : settings(iniPath, QSettings::IniFormat), app(settings) {
        std::string error;
        auto backend = MakeSystemMidiBackend({.api = "jack", .clientName = "e2ewin"}, error);
        app.SetMidiSystem(std::make_unique<MidiSystem>(std::move(backend)));
        app.SetKeyboardType(kLmk3);
        doc = std::make_unique<CAppDoc>(app);
        app.askSendAll = false;
        commands = std::make_unique<CTransferCommands>(app, *doc, &parent, &bar);
    }
    void Use(const KeyboardProcess& kb) {
        app.midiInName = QString::fromStdString(kb.InPort());
        app.midiOutName = QString::fromStdString(kb.OutPort());
    }
    QSettings settings;
    CEditorApp app;
    std::unique_ptr<CAppDoc> doc;
    QWidget parent;
    QStatusBar bar{&parent};
    std::unique_ptr<CTransferCommands> commands;
};

} // namespace

class WindowTransferE2E : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (!JackConfigured()) {
            QSKIP("no JACK server (scripts/test starts one)");
        }
    }

#ifdef PRESETOR_MIDI_MODULE_DIR
    // The window's system ports come from the module it loads at their first need, found beside
    // the program (a build folder) or in ../lib/presetor/modules (installed); without it only the
    // virtual keyboards are offered.
    void systemPortsComeFromTheModuleBesideOrInstalled() {
        KeyboardProcess kb({"--type", "lmk3"});
        QVERIFY(kb.Ready());
        const auto offers = [&kb](const QString& programDir) {
            const auto system = MakeSystemMidi(programDir);
            return FindMidiDevice(*system, MidiKind::Output, kb.OutPort()) >= 0 &&
                   FindMidiDevice(*system, MidiKind::Input, kb.InPort()) >= 0;
        };
        QVERIFY(offers(QStringLiteral(PRESETOR_MIDI_MODULE_DIR)));

        QTemporaryDir installed;
        QVERIFY(QDir(installed.path()).mkpath(QStringLiteral("bin")));
        QVERIFY(QDir(installed.path()).mkpath(QStringLiteral("lib/presetor/modules")));
        const QString module = QStringLiteral("libpresetor-midi.so");
        QVERIFY(QFile::link(QStringLiteral(PRESETOR_MIDI_MODULE_DIR "/") + module,
                            installed.filePath(QStringLiteral("lib/presetor/modules/") + module)));
        QVERIFY(offers(installed.filePath(QStringLiteral("bin"))));

        QTemporaryDir empty;
        const auto alone = MakeSystemMidi(empty.path());
        QCOMPARE(alone->DeviceNames(MidiKind::Output).size(), std::size_t(2)); // the virtual ones
    }
#endif

    void aReplugggedKeyboardIsReachedAgainAndAVanishedOneIsNamed() {
        QTemporaryDir dir;
        Window w(dir.filePath(QStringLiteral("t.ini")));
        const std::string name = KeyboardProcess::FreshName();
        auto kb =
            std::make_unique<KeyboardProcess>(std::vector<std::string>{"--type", "lmk3"}, name);
        QVERIFY(kb->Ready());
        w.Use(*kb);
        QVERIFY(w.commands->OnSendPreset()); // verified: the keyboard has it
        QVERIFY(w.bar.currentMessage().endsWith(QStringLiteral("and verified it")));

        kb.reset(); // unplugged
        auto texts = std::make_shared<QStringList>();
        AnswerBoxes({QStringLiteral("Ok")}, texts);
        QVERIFY(!w.commands->OnLoadPreset());
        QCOMPARE(texts->value(0),
                 QStringLiteral("The MIDI port \"%1\" is not there. Please check that the "
                                "keyboard is connected and switched on, and the MIDI-Connections.")
                     .arg(QString::fromStdString(name + "-in:in")));

        // Plugged in again under its name: reached without restarting anything.
        kb = std::make_unique<KeyboardProcess>(std::vector<std::string>{"--type", "lmk3"}, name);
        QVERIFY(kb->Ready());
        w.doc->ModifyPreset(0, QStringLiteral("n"), [](Preset& p) { p.SetName("REPLUG"); });
        QVERIFY(w.commands->OnSendPreset());
        QVERIFY(kb->WaitForLine("stored 1", 5000));
        QVERIFY(w.commands->OnLoadAll());
        QCOMPARE(w.app.bank.presets[0].GetName(), std::string("REPLUG"));
        QVERIFY(w.bar.currentMessage().startsWith(
            QStringLiteral("Loaded 64 presets from %1:out in ").arg(QString::fromStdString(name))));
    }

    void faultsEndWithTheirOwnMessagesAndDamagedPresetsAreRetried() {
        QTemporaryDir dir;
        Window w(dir.filePath(QStringLiteral("t.ini")));
        w.doc->ModifyPreset(1, QStringLiteral("n"), [](Preset& p) { p.SetName("MINE"); });
        auto texts = std::make_shared<QStringList>();
        {
            KeyboardProcess kb({"--type", "lmk3", "--stop-after", "3000"});
            QVERIFY(kb.Ready());
            w.Use(kb);
            AnswerBoxes({QStringLiteral("Ok")}, texts);
            QVERIFY(!w.commands->OnLoadAll());
            QVERIFY2(texts->value(0).startsWith(QStringLiteral(
                         "The keyboard stopped answering: 18 of 64 presets arrived")),
                     qPrintable(texts->value(0)));
            QCOMPARE(w.app.bank.presets[1].GetName(), std::string("MINE"));
        }
        {
            KeyboardProcess kb({"--type", "lmk3", "--corrupt-presets", "2,9"});
            QVERIFY(kb.Ready());
            w.Use(kb);
            texts->clear();
            AnswerBoxes({QStringLiteral("retryButton")}, texts);
            QVERIFY(w.commands->OnLoadAll());
            QCOMPARE(texts->size(), 1);
            QVERIFY(texts->value(0).startsWith(
                QStringLiteral("These presets arrived damaged: 1.2 (2), 2.1 (9).")));
            // Preset 9 was asked for again (preset 10 was not).
            const auto& lines = kb.Lines();
            QCOMPARE(std::count(lines.begin(), lines.end(), std::string("request 9")), 2);
            QCOMPARE(std::count(lines.begin(), lines.end(), std::string("request 10")), 1);
        }
        {
            KeyboardProcess kb({"--type", "lmk3", "--ignore-writes"});
            QVERIFY(kb.Ready());
            w.Use(kb);
            w.doc->ModifyPreset(0, QStringLiteral("n"), [](Preset& p) { p.SetName("IGNORED"); });
            texts->clear();
            AnswerBoxes({QStringLiteral("Ok")}, texts);
            QVERIFY(!w.commands->OnSendPreset());
            QCOMPARE(
                texts->value(0),
                QStringLiteral("Verification failed: preset 1.1 (1) differs on the keyboard."));
        }
    }
};

QTEST_MAIN(WindowTransferE2E)
#include "WindowTransferE2ETest.moc"
