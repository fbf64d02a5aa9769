// The Global page: the name filter and its length, the name reaching the bank (and so the
// preset list) at every keystroke, the link text, the clock in steps of 2 with its write-back,
// the master channel and the LMK4-only preset switch.
#include "CMiscView.h"
#include "CNameEdit.h"
#include "PageTestEnv.h"
#include "app/CPresetView.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

using presetor::Preset;

namespace {

QString StoredName(const Preset& p) {
    return QString::fromLatin1(p.name, presetor::kNameLength);
}

} // namespace

class MiscViewTest : public QObject {
    Q_OBJECT

private slots:
    void nameFilterAndLength() {
        PageTestEnv env(presetor::kLmk4);
        CMiscView page(env.app, env.doc);
        page.show();
        auto* name = Child<CNameEdit>(&page, "name");
        name->setFocus();
        name->selectAll();
        QSignalSpy updates(&env.doc, &CAppDoc::Updated);
        QTest::keyClicks(name, QStringLiteral("A\\B~C"));
        QCOMPARE(StoredName(env.Current()), QStringLiteral("ABC     "));
        // Every kept keystroke reached the bank at once, as an in-place change the preset list
        // follows; the dropped ones changed nothing.
        QCOMPARE(updates.count(), 3);
        for (const auto& args : updates)
            QCOMPARE(args.at(0).toInt(), 1);
        // Codes above 125 are dropped, also when pasted.
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_Adiaeresis, QString::fromUtf8("\xc3\xa4"),
                            Qt::NoModifier);
        name->insert(QStringLiteral("D\\\x7f"));
        QCOMPARE(name->text(), QStringLiteral("ABCD"));
        QCOMPARE(StoredName(env.Current()), QStringLiteral("ABCD    "));
        // Blanks inside the name survive the reload that follows every keystroke.
        QTest::keyClicks(name, QStringLiteral(" EFGH"));
        QCOMPARE(StoredName(env.Current()), QStringLiteral("ABCD EFG"));
        QCOMPARE(name->text(), QStringLiteral("ABCD EFG"));
        // Typing is one undo step.
        env.doc.UndoStack().undo();
        QCOMPARE(StoredName(env.Current()), QStringLiteral("INITPRES"));
        QCOMPARE(name->text(), QStringLiteral("INITPRES"));
    }

    // The preset list shows the name in the current row while it is typed.
    void listFollowsName() {
        PageTestEnv env(presetor::kLmk4);
        env.doc.SetCurrentPreset(2);
        CPresetView list(env.doc);
        CMiscView page(env.app, env.doc);
        page.show();
        auto* name = Child<CNameEdit>(&page, "name");
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("B"));
        QCOMPARE(list.topLevelItem(2)->text(0), QStringLiteral("B"));
        QTest::keyClicks(name, QStringLiteral("ass"));
        QCOMPARE(list.topLevelItem(2)->text(0), QStringLiteral("Bass"));
        QCOMPARE(list.topLevelItem(1)->text(0), QStringLiteral("INITPRES"));
        QTest::keyClick(name, Qt::Key_Backspace);
        QCOMPARE(list.topLevelItem(2)->text(0), QStringLiteral("Bas"));
        QCOMPARE(StoredName(env.app.bank.presets[2]), QStringLiteral("Bas     "));
    }

    void linkText() {
        PageTestEnv env(presetor::kLmk4);
        CMiscView page(env.app, env.doc);
        page.show();
        auto* text = Child<QLineEdit>(&page, "linkText");
        // Linked to itself: renaming updates the text at once.
        QCOMPARE(text->text(), QStringLiteral("INITPRES - 1.1 (1)"));
        auto* name = Child<CNameEdit>(&page, "name");
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("Pad"));
        QCOMPARE(text->text(), QStringLiteral("Pad - 1.1 (1)"));

        // Link index 12 shows that preset.
        env.app.bank.presets[12].SetName("Strings");
        env.Current().linkPreset = 12;
        env.Changed();
        QCOMPARE(text->text(), QStringLiteral("Strings - 2.5 (13)"));
        // Renaming the current preset leaves that text unchanged.
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("Organ"));
        QCOMPARE(text->text(), QStringLiteral("Strings - 2.5 (13)"));

        // The spin moves the link; its range follows the keyboard type.
        auto* link = Child<QSpinBox>(&page, "link");
        QTest::keyClick(link, Qt::Key_Up);
        QCOMPARE(int(env.Current().linkPreset), 13);
        QCOMPARE(text->text(), QStringLiteral("INITPRES - 2.6 (14)"));
        QCOMPARE(link->maximum(), 126);
        env.app.SetKeyboardType(presetor::kLmk3);
        QCOMPARE(link->maximum(), 63);
    }

    void clockInStepsOfTwo() {
        PageTestEnv env(presetor::kLmk4);
        env.Current().midiClock = 25;
        env.Changed();
        CMiscView page(env.app, env.doc);
        page.show();
        auto* clock = Child<QSpinBox>(&page, "clock");
        QCOMPARE(clock->text(), QStringLiteral("50"));
        QTest::keyClick(clock, Qt::Key_Down);
        QCOMPARE(int(env.Current().midiClock), 25);
        QTest::keyClick(clock, Qt::Key_Up);
        QCOMPARE(clock->text(), QStringLiteral("52"));
        QCOMPARE(int(env.Current().midiClock), 26);
        env.Current().midiClock = 126;
        env.Changed();
        QTest::keyClick(clock, Qt::Key_Up);
        QCOMPARE(clock->text(), QStringLiteral("254"));
        QCOMPARE(int(env.Current().midiClock), 127);
        QTest::keyClick(clock, Qt::Key_Up);
        QCOMPARE(int(env.Current().midiClock), 127);
    }

    // A stored clock below 25 (from a file) is shown as 50 BpM but not written back: the
    // document stays unmodified with no undo step until the user edits the clock.
    void clockCorrectionIsShownNotWritten() {
        PageTestEnv env(presetor::kLmk4);
        env.Current().midiClock = 0;
        CMiscView page(env.app, env.doc);
        page.show();
        auto* clock = Child<QSpinBox>(&page, "clock");
        QCOMPARE(clock->text(), QStringLiteral("50"));
        QCoreApplication::processEvents();
        QCOMPARE(int(env.Current().midiClock), 0);
        QVERIFY(!env.doc.IsModified());
        QCOMPARE(env.doc.UndoStack().count(), 0);
        QTest::keyClick(clock, Qt::Key_Up);
        QCOMPARE(env.Current().GetMidiClock(), 52);
        QVERIFY(env.doc.IsModified());
    }

    void channelRealtimeAndPresetSwitch() {
        PageTestEnv env(presetor::kLmk4);
        env.Current().presetSwitch = 2;
        env.Changed();
        CMiscView page(env.app, env.doc);
        page.show();
        auto* channel = Child<QSpinBox>(&page, "masterChannel");
        QTest::keyClick(channel, Qt::Key_Up);
        QCOMPARE(env.Current().GetMasterChannel(), 2);
        auto* realtime = Child<QComboBox>(&page, "realtimeMode");
        realtime->setCurrentIndex(2);
        QCOMPARE(int(env.Current().realtimeMode), 2);

        auto* presetSwitch = Child<QComboBox>(&page, "presetSwitch");
        QVERIFY(presetSwitch->isEnabled());
        QCOMPARE(presetSwitch->currentIndex(), 2);
        presetSwitch->setCurrentIndex(3);
        QCOMPARE(int(env.Current().presetSwitch), 3);

        // LMK3: empty and disabled, and the stored byte stays.
        env.app.SetKeyboardType(presetor::kLmk3);
        QVERIFY(!presetSwitch->isEnabled());
        QCOMPARE(presetSwitch->currentIndex(), -1);
        QCOMPARE(int(env.Current().presetSwitch), 3);
    }
};

QTEST_MAIN(MiscViewTest)
#include "MiscViewTest.moc"
