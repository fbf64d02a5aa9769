// "Send changes to the edit memory" in the running window against the in-process virtual
// keyboard: off by default, switched from the Options menu and the toolbar and kept in the
// settings, edits of the current preset coalesced into few dumps that leave the keyboard's edit
// memory equal to the preset, nothing sent for other presets or a preset switch, and the
// status-bar indicator with a failed send.
#include "ShellTestEnv.h"

#include "app/CommandIds.h"
#include "app/LiveEdit.h"
#include "app/SettingsKeys.h"
#include "app/Strings.h"

#include <QLabel>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <thread>

using namespace presetor;

namespace {

void StartOnVirtualLmk4(ShellTestEnv& env) {
    env.settings->setValue(keys::kKeyboardMajor, 4);
    env.settings->setValue(keys::kKeyboardMinor, 1);
    env.settings->setValue(keys::kMidiIn, QStringLiteral("Virtual LMK4"));
    env.settings->setValue(keys::kMidiOut, QStringLiteral("Virtual LMK4"));
    QCOMPARE(env.Start(), -1);
}

// The keyboard's edit memory and how many dumps it took for it.
std::pair<Preset, int> EditMemory(ShellTestEnv& env) {
    VirtualMidiDevice& device = env.App().Midi().Virtual(4);
    device.Flush();
    return device.WithKeyboard([](VirtualKeyboard& k) {
        return std::pair<Preset, int>(k.EditMemory(), k.GetCounters().presetsStored);
    });
}

void SetVolume(CAppDoc& doc, int index, int value) {
    doc.ModifyPreset(
        index, QStringLiteral("Volume"),
        [value](Preset& p) { p.volume[0] = static_cast<std::uint8_t>(value); }, 7);
}

} // namespace

class LiveEditTest : public QObject {
    Q_OBJECT

private slots:
    void offByDefaultAndSwitchedFromMenuAndToolbar() {
        ShellTestEnv env;
        StartOnVirtualLmk4(env);
        CMainFrame& frame = env.Frame();
        QAction* toggle = frame.Action(ID_LIVE_EDIT);
        QVERIFY(toggle && toggle->isCheckable());
        QVERIFY(!toggle->isChecked());
        auto* indicator = frame.findChild<QLabel*>(QStringLiteral("liveEditIndicator"));
        QVERIFY(indicator && !indicator->isVisible());
        // In the Options menu and on the toolbar.
        bool inOptions = false;
        for (QAction* menu : frame.menuBar()->actions()) {
            if (menu->menu() && menu->menu()->actions().contains(toggle))
                inOptions = menu->text() == QStringLiteral("&Options");
        }
        QVERIFY(inOptions);
        QVERIFY(frame.findChild<QToolBar*>(QStringLiteral("toolBar"))->actions().contains(toggle));

        // Off: an edit sends nothing.
        SetVolume(env.Doc(), 0, 55);
        QTest::qWait(2 * CLiveEdit::WireTimeMs());
        QCOMPARE(EditMemory(env).second, 0);

        toggle->trigger();
        QVERIFY(frame.LiveEdit().IsOn());
        QVERIFY(indicator->isVisible());
        QCOMPARE(indicator->text(), Str(IDS_LIVE_EDIT_ON));
        env.Finish();

        // The choice is there at the next start.
        env.NewSettings();
        StartOnVirtualLmk4(env);
        QVERIFY(env.Frame().Action(ID_LIVE_EDIT)->isChecked());
        QVERIFY(env.Frame().LiveEdit().IsOn());
    }

    // 200 edits in one go are one dump; edits spread over time are coalesced, and the keyboard
    // ends with the document's preset.
    void editsAreCoalescedIntoFewDumps() {
        ShellTestEnv env;
        StartOnVirtualLmk4(env);
        CLiveEdit& live = env.Frame().LiveEdit();
        live.SetOn(true);
        env.Doc().SetCurrentPreset(9);

        for (int i = 0; i < 200; ++i)
            SetVolume(env.Doc(), 9, i % 128);
        QTRY_VERIFY(live.IsIdle());
        auto [memory, dumps] = EditMemory(env);
        QCOMPARE(dumps, 1);
        QVERIFY(memory.SameData(env.App().bank.presets[9]));

        // A held spin: an edit every 5 ms for about 300 ms.
        QElapsedTimer held;
        held.start();
        for (int i = 0; i < 60; ++i) {
            SetVolume(env.Doc(), 9, i);
            QTest::qWait(5);
        }
        const qint64 heldMs = held.elapsed();
        QTRY_VERIFY(live.IsIdle());
        std::tie(memory, dumps) = EditMemory(env);
        QCOMPARE(int(memory.volume[0]), 59);
        QVERIFY(dumps - 1 <= heldMs / CLiveEdit::WireTimeMs() + 2);
        QVERIFY(dumps - 1 >= 2);
        QCOMPARE(live.MessagesSent(), dumps);
    }

    // Only edits of the current preset go out: another preset changed, a preset switch or a
    // change that changes nothing send nothing; undo of an edit sends the preset again.
    void onlyEditsOfTheCurrentPreset() {
        ShellTestEnv env;
        StartOnVirtualLmk4(env);
        CLiveEdit& live = env.Frame().LiveEdit();
        live.SetOn(true);
        SetVolume(env.Doc(), 5, 99);
        env.Doc().SetCurrentPreset(3);
        SetVolume(env.Doc(), 3, env.App().bank.presets[3].volume[0]);
        QTest::qWait(2 * CLiveEdit::WireTimeMs());
        QCOMPARE(EditMemory(env).second, 0);

        SetVolume(env.Doc(), 3, 42);
        QTRY_VERIFY(live.IsIdle());
        QCOMPARE(int(EditMemory(env).first.volume[0]), 42);
        env.Doc().UndoStack().undo();
        QTRY_VERIFY(live.IsIdle());
        QTRY_COMPARE(EditMemory(env).second, 2);
        QVERIFY(EditMemory(env).first.SameData(env.App().bank.presets[3]));
    }

    // The system's ports are made at the first send, on a thread of their own: the window's
    // timers keep running meanwhile (one that wants to send waits), and the edit then reaches
    // the keyboard without a failure shown.
    void firstSendWaitsForPortsMadeOffTheWindowThread() {
        ShellTestEnv env;
        env.settings->setValue(keys::kKeyboardMajor, 4);
        env.settings->setValue(keys::kKeyboardMinor, 1);
        env.settings->setValue(keys::kMidiOut, QStringLiteral("Virtual LMK4"));
        std::atomic<bool> madeOffThread{false};
        const auto window = std::this_thread::get_id();
        QCOMPARE(env.Start({},
                           [&madeOffThread, window] {
                               madeOffThread = std::this_thread::get_id() != window;
                               std::this_thread::sleep_for(std::chrono::milliseconds(300));
                               return std::make_unique<MidiSystem>();
                           }),
                 -1);
        CLiveEdit& live = env.Frame().LiveEdit();
        auto* indicator = env.Frame().findChild<QLabel*>(QStringLiteral("liveEditIndicator"));
        live.SetOn(true);
        bool ranWhileMade = false;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&] {
            ranWhileMade = ranWhileMade || env.App().MidiBeingMade();
            if (env.App().MidiBeingMade())
                SetVolume(env.Doc(), 0, 78); // an edit while the ports are being made
        });
        ticker.start(20);
        SetVolume(env.Doc(), 0, 77);
        QTRY_VERIFY_WITH_TIMEOUT(ranWhileMade && !env.App().MidiBeingMade(), 3000);
        QTRY_VERIFY(live.IsIdle());
        QVERIFY(madeOffThread);
        QVERIFY(!live.LastSendFailed());
        QCOMPARE(indicator->text(), Str(IDS_LIVE_EDIT_ON));
        QCOMPARE(int(EditMemory(env).first.volume[0]), 78);
    }

    void failedSendIsShown() {
        ShellTestEnv env;
        StartOnVirtualLmk4(env);
        CLiveEdit& live = env.Frame().LiveEdit();
        auto* indicator = env.Frame().findChild<QLabel*>(QStringLiteral("liveEditIndicator"));
        live.SetOn(true);
        env.App().midiOut->Close();
        SetVolume(env.Doc(), 0, 12);
        QTRY_VERIFY(live.IsIdle());
        QVERIFY(live.LastSendFailed());
        QCOMPARE(indicator->text(), Str(IDS_LIVE_EDIT_FAILED));
        // Once the port is back the next edit goes out and the indicator says so.
        QVERIFY(env.App().OpenMidiOut());
        SetVolume(env.Doc(), 0, 13);
        QTRY_VERIFY(live.IsIdle());
        QVERIFY(!live.LastSendFailed());
        QCOMPARE(indicator->text(), Str(IDS_LIVE_EDIT_ON));
        QCOMPARE(int(EditMemory(env).first.volume[0]), 13);
    }
};

QTEST_MAIN(LiveEditTest)
#include "LiveEditTest.moc"
