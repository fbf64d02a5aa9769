// Transfers from the running window against the in-process virtual keyboards: load all and
// send all in the progress dialog (both ways of transferring), single presets and the edit
// memory, and the faults a musician meets: a silent, garbled, stopping or unplugged keyboard,
// one of the other type, damaged presets with their retry, verification, the EEPROM wait, and
// the MIDI-Connections dialog.
#include "ShellTestEnv.h"

#include "app/CPresetView.h"
#include "app/CommandIds.h"
#include "app/SettingsKeys.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSpinBox>
#include <QStatusBar>
#include <QtTest>

#include <functional>
#include <memory>

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

template <class F> auto Keyboard(ShellTestEnv& env, F&& f, int type = 0) {
    VirtualMidiDevice& device = env.App().Midi().Virtual(type ? type : env.App().bank.keyboardType);
    device.Flush();
    return device.WithKeyboard(std::forward<F>(f));
}

// Changes the virtual keyboard's options.
void Faults(ShellTestEnv& env, const std::function<void(VirtualKeyboardOptions&)>& change) {
    Keyboard(env, [&](VirtualKeyboard& k) {
        auto options = k.Options();
        change(options);
        k.SetOptions(options);
        return 0;
    });
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
        // It says so, naming the device.
        QVERIFY2(
            env.Frame().statusBar()->currentMessage().startsWith(
                QStringLiteral("Loaded %1 presets from Virtual LMK%2 in ").arg(last + 1).arg(type)),
            qPrintable(env.Frame().statusBar()->currentMessage()));
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
        if (silent) {
            QCOMPARE(warning,
                     QStringLiteral("No data received. Please check Cables and Midi-Connections."));
        } else {
            QCOMPARE(warning, QStringLiteral("The keyboard's dump arrived damaged (9727 of 9736 "
                                             "bytes). Nothing was changed."));
        }
        QCOMPARE(env.App().bank.presets[4].GetName(), std::string("KEEP"));
        QCOMPARE(env.Doc().Title(), QStringLiteral("kept.lmk"));
    }

    void damagedPresetsAreNamedAndCanBeRetriedKeptOrDiscarded_data() {
        QTest::addColumn<bool>("turbo");
        QTest::addColumn<QString>("answer");
        QTest::newRow("retry, preset by preset") << false << "retryButton";
        QTest::newRow("retry, all at once") << true << "retryButton";
        QTest::newRow("keep") << true << "keepButton";
        QTest::newRow("discard") << false << "discardButton";
    }

    void damagedPresetsAreNamedAndCanBeRetriedKeptOrDiscarded() {
        QFETCH(bool, turbo);
        QFETCH(QString, answer);
        ShellTestEnv env;
        StartWith(env, 4, turbo);
        env.Doc().ModifyPreset(0, QStringLiteral("n"), [](Preset& p) { p.SetName("MINE"); });
        QVERIFY(env.Doc().SaveDocument(env.Path(QStringLiteral("mine.lmk"))).ok());
        Keyboard(env, [](VirtualKeyboard& k) {
            k.GetBank().presets[0].SetName("SENTBACK");
            k.GetBank().presets[19].SetName("TWENTY");
            return 0;
        });
        // Presets 3 and 20 arrive damaged the first time they are asked for.
        Faults(env, [](VirtualKeyboardOptions& o) { o.corruptPresets = {3, 20}; });
        auto texts = std::make_shared<QStringList>();
        AnswerBoxes({answer}, texts);
        env.Press(Qt::Key_F2);
        QCOMPARE(texts->size(), 1);
        QVERIFY2(texts->front().startsWith(
                     QStringLiteral("These presets arrived damaged: 1.3 (3), 3.4 (20).")),
                 qPrintable(texts->front()));
        const Bank& bank = env.App().bank;
        if (answer == QStringLiteral("discardButton")) {
            QCOMPARE(bank.presets[0].GetName(), std::string("MINE"));
            QCOMPARE(env.Doc().Title(), QStringLiteral("mine.lmk"));
            return;
        }
        QCOMPARE(bank.presets[0].GetName(), std::string("SENTBACK"));
        const Bank keyboard = Keyboard(env, [](VirtualKeyboard& k) { return k.GetBank(); });
        // After a retry every preset is the keyboard's; kept, the damaged ones are as received.
        QCOMPARE(bank.SameContents(keyboard), answer == QStringLiteral("retryButton"));
    }

    void loadsThatStopOrComeFromTheOtherTypeSaySoAndChangeNothing() {
        ShellTestEnv env;
        StartWith(env, 4);
        env.Doc().ModifyPreset(2, QStringLiteral("n"), [](Preset& p) { p.SetName("KEEP"); });
        QVERIFY(env.Doc().SaveDocument(env.Path(QStringLiteral("kept.lmk"))).ok());
        Faults(env, [](VirtualKeyboardOptions& o) { o.stopAfter = 161 * 12 + 80; });
        auto texts = std::make_shared<QStringList>();
        AnswerBoxes({QStringLiteral("Ok")}, texts);
        env.Press(Qt::Key_F2);
        QCOMPARE(texts->value(0), QStringLiteral("The keyboard stopped answering: 12 of 127 "
                                                 "presets arrived (1932 of 20447 bytes). Nothing "
                                                 "was changed."));
        QCOMPARE(env.App().bank.presets[2].GetName(), std::string("KEEP"));
        QCOMPARE(env.Doc().Title(), QStringLiteral("kept.lmk"));

        // The LMK4 user's cable leads to an LMK3: offered the switch, the load runs again.
        env.App().midiInName = env.App().midiOutName = QStringLiteral("Virtual LMK3");
        env.App().turbo = 1;
        Keyboard(
            env,
            [](VirtualKeyboard& k) {
                k.GetBank().presets[5].SetName("FROM3");
                return 0;
            },
            3);
        texts->clear();
        AnswerBoxes({QStringLiteral("No")}, texts);
        env.Press(Qt::Key_F2);
        QCOMPARE(texts->value(0), QStringLiteral("The keyboard answered as an LMK3, but an LMK4 "
                                                 "is selected. Switch to LMK3?"));
        QCOMPARE(env.App().bank.keyboardType, 4);
        QCOMPARE(env.App().bank.presets[2].GetName(), std::string("KEEP"));
        AnswerBoxes({QStringLiteral("Yes")}, texts);
        env.Press(Qt::Key_F2);
        QCOMPARE(env.App().bank.keyboardType, 3);
        QCOMPARE(env.App().bank.presets[5].GetName(), std::string("FROM3"));
    }

    void sendAllFillsTheKeyboardAndKeepsTheModifiedMark_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("turbo");
        QTest::addColumn<bool>("verify");
        QTest::newRow("LMK3 preset by preset") << 3 << false << false;
        QTest::newRow("LMK4 all at once, verified") << 4 << true << true;
        QTest::newRow("LMK4 preset by preset") << 4 << false << false;
        QTest::newRow("LMK4 preset by preset, verified") << 4 << false << true;
    }

    void sendAllFillsTheKeyboardAndKeepsTheModifiedMark() {
        QFETCH(int, type);
        QFETCH(bool, turbo);
        QFETCH(bool, verify);
        ShellTestEnv env;
        StartWith(env, type, turbo);
        env.App().verifyAll = verify;
        env.Doc().ModifyPreset(10, QStringLiteral("n"), [](Preset& p) { p.SetName("TOKEYBD"); });
        QVERIFY(env.Doc().IsModified());
        auto texts = std::make_shared<QStringList>();
        QStringList answers{QStringLiteral("Yes")};
        if (type == 4) {
            answers << QStringLiteral("Ok");
        }
        AnswerBoxes(answers, texts);
        env.Press(Qt::Key_F3);
        QCOMPARE(texts->value(0), QStringLiteral("Send all %1 presets to the LMK%2? This replaces "
                                                 "every preset on the keyboard.")
                                      .arg(type == 3 ? 64 : 127)
                                      .arg(type));
        const auto [name, stores] = Keyboard(env, [](VirtualKeyboard& k) {
            return std::make_pair(k.GetBank().presets[10].GetName(), k.GetCounters().eepromStores);
        });
        QCOMPARE(name, std::string("TOKEYBD"));
        // The keyboard is not the file: the edit is still unsaved.
        QVERIFY(env.Doc().IsModified());
        const QString status = env.Frame().statusBar()->currentMessage();
        QVERIFY2(status.contains(verify ? QStringLiteral("and verified them")
                                        : QStringLiteral("(not verified)")),
                 qPrintable(status));
        if (type == 4) {
            QVERIFY2(texts->value(1).contains(verify ? QStringLiteral("All 127 presets verified.")
                                                     : QStringLiteral("MIDI does not confirm")),
                     qPrintable(texts->value(1)));
            QCOMPARE(stores, turbo && !verify ? 0 : 1);
            // The two minutes of the EEPROM are counted down.
            auto* countdown =
                env.Frame().statusBar()->findChild<QLabel*>(QStringLiteral("eepromCountdown"));
            QVERIFY(countdown && countdown->isVisible());
            QVERIFY2(countdown->text().startsWith(QStringLiteral("LMK4 saving to EEProm: ")),
                     qPrintable(countdown->text()));
        }
    }

    void sendAllAsksOnceAndVerifyNamesWhatTheKeyboardIgnored() {
        ShellTestEnv env;
        StartWith(env, 4);
        env.App().verifyAll = true;
        Faults(env, [](VirtualKeyboardOptions& o) { o.ignoreWrites = true; });
        env.Doc().ModifyPreset(3, QStringLiteral("n"), [](Preset& p) { p.SetName("LOST"); });
        auto texts = std::make_shared<QStringList>();
        AnswerBoxes({QStringLiteral("check:Yes"), QStringLiteral("Ok")}, texts);
        env.Press(Qt::Key_F3);
        QCOMPARE(texts->size(), 2);
        QCOMPARE(texts->value(1), QStringLiteral("Verification failed: these presets differ on "
                                                 "the keyboard: 1.4 (4)\n\nThe LMK4 was not told "
                                                 "to store the presets in its EEPROM."));
        QCOMPARE(Keyboard(env, [](VirtualKeyboard& k) { return k.GetCounters().eepromStores; }), 0);
        // "Do not ask again" is kept: the next Send all asks nothing.
        QCOMPARE(env.settings->value(keys::kAskSendAll).toInt(), 0);
        Faults(env, [](VirtualKeyboardOptions& o) { o.ignoreWrites = false; });
        texts->clear();
        AnswerBoxes({QStringLiteral("Ok")}, texts);
        env.Press(Qt::Key_F3);
        QVERIFY2(texts->value(0).startsWith(QStringLiteral("All 127 presets verified.")),
                 qPrintable(texts->value(0)));
    }

    void aTransferDuringTheEepromWriteAsksFirst() {
        ShellTestEnv env;
        StartWith(env, 4);
        auto texts = std::make_shared<QStringList>();
        AnswerBoxes({QStringLiteral("Ok"), QStringLiteral("No")}, texts);
        env.Press(Qt::Key_F9);
        env.Press(Qt::Key_F4);
        QCOMPARE(texts->size(), 2);
        QVERIFY2(texts->value(1).startsWith(QStringLiteral("The LMK4 is still saving its presets "
                                                           "into the EEProm (about 2:00 left)")) ||
                     texts->value(1).startsWith(QStringLiteral(
                         "The LMK4 is still saving its presets into the EEProm (about 1:59 left)")),
                 qPrintable(texts->value(1)));
        QCOMPARE(Keyboard(env, [](VirtualKeyboard& k) { return k.GetCounters().requests; }), 0);
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

    void anUnpluggedKeyboardIsNamedAndReachedAgainOnceReplugged() {
        ShellTestEnv env;
        StartWith(env, 3);
        env.App().askSendAll = false;
        VirtualMidiDevice& device = env.App().Midi().Virtual(3);
        device.SetConnected(false);
        const QString gone = QStringLiteral("The MIDI port \"Virtual LMK3\" is not there. Please "
                                            "check that the keyboard is connected and switched "
                                            "on, and the MIDI-Connections.");
        auto texts = std::make_shared<QStringList>();
        AnswerBoxes({QStringLiteral("Ok"), QStringLiteral("Ok"), QStringLiteral("Ok")}, texts);
        env.Press(Qt::Key_F2);
        env.Doc().ModifyPreset(0, QStringLiteral("n"), [](Preset& p) { p.SetName("X"); });
        env.Press(Qt::Key_F5);
        env.Press(Qt::Key_F3);
        QCOMPARE(*texts, (QStringList{gone, gone, gone}));
        QVERIFY(env.Doc().IsModified()); // nothing reached the keyboard: the edits still count

        // Plugged in again: the next transfer connects anew and reaches it.
        device.SetConnected(true);
        env.Press(Qt::Key_F5);
        QCOMPARE(Keyboard(env, [](VirtualKeyboard& k) { return k.GetBank().presets[0].GetName(); }),
                 std::string("X"));
        QCOMPARE(env.Frame().statusBar()->currentMessage(),
                 QStringLiteral("Sent preset 1.1 (1) to Virtual LMK3 and verified it"));
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
            // Verifying single sends is on and Send all off by default; pacing is on.
            QVERIFY(modal->findChild<QCheckBox*>(QStringLiteral("verifySingleBox"))->isChecked());
            QVERIFY(!modal->findChild<QCheckBox*>(QStringLiteral("verifyAllBox"))->isChecked());
            QVERIFY(!modal->findChild<QCheckBox*>(QStringLiteral("fullSpeedBox"))->isChecked());
            modal->findChild<QCheckBox*>(QStringLiteral("verifyAllBox"))->setChecked(true);
            modal->findChild<QDoubleSpinBox*>(QStringLiteral("idleSpin"))->setValue(4.5);
            static_cast<QDialog*>(modal)->accept();
        });
        env.Frame().Action(ID_MIDI_CONNECTIONS)->trigger();
        QCOMPARE(env.settings->value(keys::kMidiIn).toString(), QStringLiteral("Virtual LMK3"));
        QCOMPARE(env.settings->value(keys::kMidiOut).toString(), QStringLiteral("Virtual LMK4"));
        QCOMPARE(env.settings->value(keys::kTurbo).toInt(), 1);
        QCOMPARE(env.settings->value(keys::kPause).toInt(), 15);
        QCOMPARE(env.settings->value(keys::kVerifyAll).toInt(), 1);
        QCOMPARE(env.settings->value(keys::kIdleTimeout).toInt(), 4500);
        QCOMPARE(env.App().idleTimeoutMs, 4500);
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

    void aFirstStartPreselectsTheVirtualKeyboardOfTheChosenType() {
        ShellTestEnv env;
        env.settings->setValue(keys::kKeyboardMajor, 4);
        env.settings->setValue(keys::kKeyboardMinor, 1);
        QCOMPARE(env.Start(), -1);
        QCOMPARE(env.App().midiOutDevice, 1); // Virtual LMK4, not the first device
        QString in;
        QString out;
        OnNextModal([&](QWidget* modal) {
            in = modal->findChild<QComboBox*>(QStringLiteral("midiInList"))->currentText();
            out = modal->findChild<QComboBox*>(QStringLiteral("midiOutList"))->currentText();
            static_cast<QDialog*>(modal)->reject();
        });
        env.Frame().Action(ID_MIDI_CONNECTIONS)->trigger();
        QCOMPARE(in, QStringLiteral("Virtual LMK4"));
        QCOMPARE(out, QStringLiteral("Virtual LMK4"));
    }
};

QTEST_MAIN(TransferTest)
#include "TransferTest.moc"
