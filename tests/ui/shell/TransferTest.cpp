// Transfers from the running window against the in-process virtual keyboards: load all and
// send all in the progress dialog (both ways of transferring), single presets and the edit
// memory, a keyboard that stays silent, wrong checksums, and the MIDI-Connections dialog.
#include "ShellTestEnv.h"

#include "app/CPresetView.h"
#include "app/CommandIds.h"
#include "app/SettingsKeys.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <QStatusBar>
#include <QtTest>

using namespace presetor;

namespace {

// A started session of the type, talking to the virtual keyboard of the same type.
void StartWith(ShellTestEnv& env, int type, bool turbo = false) {
    env.settings->setValue(keys::kKeyboardMajor, type);
    env.settings->setValue(keys::kKeyboardMinor, type == 3 ? 4 : 1);
    const QString device =
        type == 3 ? QStringLiteral("Virtual LMK3") : QStringLiteral("Virtual LMK4");
    env.settings->setValue(keys::kMidiIn, device);
    env.settings->setValue(keys::kMidiOut, device);
    env.settings->setValue(keys::kTurbo, turbo ? 1 : 0);
    QCOMPARE(env.Start(), -1);
    QCOMPARE(env.App().midiOutDevice, type == 3 ? 0 : 1);
    env.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&env.Frame()));
}

template <class F> auto Keyboard(ShellTestEnv& env, F&& f) {
    VirtualMidiDevice& device = env.App().Midi().Virtual(env.App().bank.keyboardType);
    device.Flush();
    return device.WithKeyboard(std::forward<F>(f));
}

} // namespace

class TransferTest : public QObject {
    Q_OBJECT

private slots:
    void loadAllReplacesTheBank_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("turbo");
        QTest::newRow("LMK3 preset by preset") << 3 << false;
        QTest::newRow("LMK3 all at once") << 3 << true;
        QTest::newRow("LMK4 preset by preset") << 4 << false;
        QTest::newRow("LMK4 all at once") << 4 << true;
    }

    void loadAllReplacesTheBank() {
        QFETCH(int, type);
        QFETCH(bool, turbo);
        ShellTestEnv env;
        StartWith(env, type, turbo);
        const int last = type == 3 ? 63 : 126;
        Keyboard(env, [last](VirtualKeyboard& k) {
            k.GetBank().presets[3].SetName("KEYBD 3");
            k.GetBank().presets[static_cast<std::size_t>(last)].SetName("LASTONE");
            return 0;
        });
        QVERIFY(env.Doc().SaveDocument(env.Path(QStringLiteral("before.lmk"))).ok());
        env.Frame().PresetView()->setCurrentItem(env.Frame().PresetView()->topLevelItem(7));

        env.Press(Qt::Key_F2);
        const Bank& bank = env.App().bank;
        QCOMPARE(bank.presets[3].GetName(), std::string("KEYBD 3"));
        QCOMPARE(bank.presets[static_cast<std::size_t>(last)].GetName(), std::string("LASTONE"));
        QCOMPARE(env.Frame().PresetView()->topLevelItem(3)->text(0), QStringLiteral("KEYBD 3"));
        QCOMPARE(bank.currentPreset, 0);
        QCOMPARE(env.Doc().Title(), QStringLiteral("Untitled"));
        QVERIFY(!env.Doc().IsModified());
        QVERIFY(env.Frame().statusBar()->currentMessage().isEmpty());
    }

    void loadAllAsksToSaveFirst() {
        ShellTestEnv env;
        StartWith(env, 3);
        env.Doc().ModifyPreset(0, QStringLiteral("n"), [](Preset& p) { p.SetName("MINE"); });
        AnswerNextMessageBox(QMessageBox::Cancel);
        env.Press(Qt::Key_F2);
        QCOMPARE(Keyboard(env, [](VirtualKeyboard& k) { return k.GetCounters().requests; }), 0);
        QCOMPARE(env.App().bank.presets[0].GetName(), std::string("MINE"));
    }

    void aSilentOrGarbledKeyboardLeavesTheBankAlone_data() {
        QTest::addColumn<bool>("silent");
        QTest::newRow("silent") << true;
        QTest::newRow("bytes lost inside the bulk dump") << false;
    }

    void aSilentOrGarbledKeyboardLeavesTheBankAlone() {
        QFETCH(bool, silent);
        ShellTestEnv env;
        StartWith(env, 3, !silent);
        QVERIFY(env.Doc().SaveDocument(env.Path(QStringLiteral("kept.lmk"))).ok());
        env.Doc().ModifyPreset(4, QStringLiteral("n"), [](Preset& p) { p.SetName("KEEP"); });
        QVERIFY(env.Doc().SaveDocument(env.Path(QStringLiteral("kept.lmk"))).ok());
        Keyboard(env, [silent](VirtualKeyboard& k) {
            auto options = k.Options();
            options.silent = silent;
            options.dropEvery = silent ? 0 : 1000;
            k.SetOptions(options);
            return 0;
        });
        QString warning;
        AnswerNextMessageBox(QMessageBox::Ok, &warning); // after the wait, or the broken dump
        env.Press(Qt::Key_F2);
        QCOMPARE(warning,
                 QStringLiteral("No data received. Please check Cables and Midi-Connections."));
        QCOMPARE(env.App().bank.presets[4].GetName(), std::string("KEEP"));
        QCOMPARE(env.Doc().Title(), QStringLiteral("kept.lmk"));
    }

    void wrongChecksumsAskWhetherToKeep_data() {
        QTest::addColumn<bool>("keep");
        QTest::newRow("keep") << true;
        QTest::newRow("discard") << false;
    }

    void wrongChecksumsAskWhetherToKeep() {
        QFETCH(bool, keep);
        ShellTestEnv env;
        StartWith(env, 4, true);
        Keyboard(env, [](VirtualKeyboard& k) {
            k.GetBank().presets[0].SetName("SENTBACK");
            auto options = k.Options();
            options.corruptEvery = 997;
            k.SetOptions(options);
            k.GetBank().presets[0].SetName("SENTBACK");
            return 0;
        });
        QString question;
        AnswerNextMessageBox(keep ? QMessageBox::Yes : QMessageBox::No, &question);
        env.Press(Qt::Key_F2);
        QVERIFY2(question.contains(QStringLiteral("wrong checksums")), qPrintable(question));
        QCOMPARE(env.App().bank.presets[0].GetName() == "SENTBACK", keep);
    }

    void sendAllFillsTheKeyboardAndClearsTheModifiedMark_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("turbo");
        QTest::newRow("LMK3 preset by preset") << 3 << false;
        QTest::newRow("LMK4 all at once") << 4 << true;
        QTest::newRow("LMK4 preset by preset") << 4 << false;
    }

    void sendAllFillsTheKeyboardAndClearsTheModifiedMark() {
        QFETCH(int, type);
        QFETCH(bool, turbo);
        ShellTestEnv env;
        StartWith(env, type, turbo);
        env.Doc().ModifyPreset(10, QStringLiteral("n"), [](Preset& p) { p.SetName("TOKEYBD"); });
        QVERIFY(env.Doc().IsModified());
        QString info;
        if (type == 4) {
            AnswerNextMessageBox(QMessageBox::Ok, &info);
        }
        env.Press(Qt::Key_F3);
        const auto [name, stores] = Keyboard(env, [](VirtualKeyboard& k) {
            return std::make_pair(k.GetBank().presets[10].GetName(), k.GetCounters().eepromStores);
        });
        QCOMPARE(name, std::string("TOKEYBD"));
        QVERIFY(!env.Doc().IsModified());
        if (type == 4) {
            QVERIFY(info.startsWith(QStringLiteral("All Presets are transferred ti the LMK4.")));
            QCOMPARE(stores, turbo ? 0 : 1);
        }
    }

    void singlePresetsAndTheEditMemory() {
        ShellTestEnv env;
        StartWith(env, 4);
        CPresetView* list = env.Frame().PresetView();
        list->setCurrentItem(list->topLevelItem(6));
        env.Doc().ModifyPreset(6, QStringLiteral("n"), [](Preset& p) { p.SetName("SIXTH"); });

        env.Press(Qt::Key_F5); // send this preset
        QCOMPARE(Keyboard(env, [](VirtualKeyboard& k) { return k.GetBank().presets[6].GetName(); }),
                 std::string("SIXTH"));
        env.Press(Qt::Key_F7); // send to the edit memory
        QCOMPARE(Keyboard(env, [](VirtualKeyboard& k) { return k.EditMemory().GetName(); }),
                 std::string("SIXTH"));

        Keyboard(env, [](VirtualKeyboard& k) {
            k.GetBank().presets[6].SetName("CHANGED");
            k.EditMemory().SetName("EDITMEM");
            return 0;
        });
        env.Press(Qt::Key_F4); // load this preset
        QCOMPARE(env.App().bank.presets[6].GetName(), std::string("CHANGED"));
        QCOMPARE(list->topLevelItem(6)->text(0), QStringLiteral("CHANGED"));
        env.Press(Qt::Key_F6); // load from the edit memory
        QCOMPARE(env.App().bank.presets[6].GetName(), std::string("EDITMEM"));
        QCOMPARE(env.App().bank.currentPreset, 6);
        // Each load is one undo step.
        env.Doc().UndoStack().undo();
        QCOMPARE(env.App().bank.presets[6].GetName(), std::string("CHANGED"));
    }

    void aFailedSendSaysSo() {
        ShellTestEnv env;
        StartWith(env, 3);
        env.App().midiOut->Close();
        QString warning;
        AnswerNextMessageBox(QMessageBox::Ok, &warning);
        env.Press(Qt::Key_F5);
        QCOMPARE(warning,
                 QStringLiteral("No data send. Please check cables and MIDI-Connections."));
        env.Doc().ModifyPreset(0, QStringLiteral("n"), [](Preset& p) { p.SetName("X"); });
        AnswerNextMessageBox(QMessageBox::Ok, &warning);
        env.Press(Qt::Key_F3);
        QVERIFY(env.Doc().IsModified()); // nothing reached the keyboard: the edits still count
    }

    void midiConnectionsDialog() {
        ShellTestEnv env;
        StartWith(env, 3);
        env.settings->setValue(keys::kMidiIn, QStringLiteral("Gone Device"));
        OnNextModal([](QWidget* modal) {
            auto* in = modal->findChild<QComboBox*>(QStringLiteral("midiInList"));
            auto* out = modal->findChild<QComboBox*>(QStringLiteral("midiOutList"));
            QVERIFY(in->count() >= 2);
            // A stored name that is gone selects the first device.
            QCOMPARE(in->currentText(), QStringLiteral("Virtual LMK3"));
            QCOMPARE(out->currentText(), QStringLiteral("Virtual LMK3"));
            out->setCurrentIndex(out->findText(QStringLiteral("Virtual LMK4")));
            modal->findChild<QCheckBox*>(QStringLiteral("turboBox"))->setChecked(true);
            modal->findChild<QSpinBox*>(QStringLiteral("pauseSpin"))->setValue(15);
            static_cast<QDialog*>(modal)->accept();
        });
        env.Frame().Action(ID_MIDI_CONNECTIONS)->trigger();
        QCOMPARE(env.settings->value(keys::kMidiIn).toString(), QStringLiteral("Virtual LMK3"));
        QCOMPARE(env.settings->value(keys::kMidiOut).toString(), QStringLiteral("Virtual LMK4"));
        QCOMPARE(env.settings->value(keys::kTurbo).toInt(), 1);
        QCOMPARE(env.settings->value(keys::kPause).toInt(), 15);
        QCOMPARE(env.App().midiOutDevice, 1);
        QCOMPARE(env.App().midiOut->GetDevice(), 1);
        QVERIFY(env.App().midiOut->IsOpen());

        // Cancel keeps the choice.
        OnNextModal([](QWidget* modal) {
            modal->findChild<QCheckBox*>(QStringLiteral("turboBox"))->setChecked(false);
            static_cast<QDialog*>(modal)->reject();
        });
        env.Frame().Action(ID_MIDI_CONNECTIONS)->trigger();
        QCOMPARE(env.App().turbo, 1);
    }
};

QTEST_MAIN(TransferTest)
#include "TransferTest.moc"
