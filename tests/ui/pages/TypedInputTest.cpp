// Number fields typed into with real key events: a value is taken on Enter or when the field
// loses the focus, limited to its range, shown in the field's own format (note names, signed
// transposition, programs from 1); Escape takes the typing back; a typed value is one undo
// step; arrows, steps and wrap-around still work; the destination dialog takes a typed preset.
#include "CControllerView.h"
#include "CMiscView.h"
#include "CSplitView.h"
#include "PageTestEnv.h"

#include "app/CDestinationPresetDlg.h"

#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

namespace {

QLineEdit* EditOf(QSpinBox* spin) {
    return spin->findChild<QLineEdit*>();
}

// Clears the field with Delete and types text into it, as the user does.
void Type(QSpinBox* spin, const QString& text) {
    spin->setFocus();
    QLineEdit* edit = EditOf(spin);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void TypeAndEnter(QSpinBox* spin, const QString& text) {
    Type(spin, text);
    QTest::keyClick(EditOf(spin), Qt::Key_Return);
}

} // namespace

class TypedInputTest : public QObject {
    Q_OBJECT

private slots:
    // Every number field of the split page takes typed digits; the preset changes only when
    // the value is taken.
    void splitPageNumbers() {
        PageTestEnv env(presetor::kLmk4);
        env.SetKeys(0, 21, 108);
        env.Current().programActive[0] = 1;
        env.Current().volumeActive[0] = 1;
        env.Changed();
        CSplitView page(0, env.app, env.doc);
        page.show();
        QApplication::setActiveWindow(&page);

        auto* channel = Child<QSpinBox>(&page, "midiChannel");
        Type(channel, QStringLiteral("12"));
        QCOMPARE(env.Current().GetMidiChannel(0), 1); // not taken yet
        QTest::keyClick(EditOf(channel), Qt::Key_Return);
        QCOMPARE(env.Current().GetMidiChannel(0), 12);
        QCOMPARE(channel->text(), QStringLiteral("12"));

        // Beyond the range: limited to it.
        TypeAndEnter(channel, QStringLiteral("0"));
        QCOMPARE(env.Current().GetMidiChannel(0), 1);
        QCOMPARE(channel->text(), QStringLiteral("1"));

        // Signed transposition, limited to -63..63.
        auto* transpose = Child<QSpinBox>(&page, "transpose");
        TypeAndEnter(transpose, QStringLiteral("-24"));
        QCOMPARE(int(env.Current().transpose[0]), 0x80 | 24);
        QCOMPARE(transpose->text(), QStringLiteral("-24"));
        TypeAndEnter(transpose, QStringLiteral("-70"));
        QCOMPARE(int(env.Current().transpose[0]), 0x80 | 63);
        TypeAndEnter(transpose, QStringLiteral("+5"));
        QCOMPARE(int(env.Current().transpose[0]), 5);
        QCOMPARE(transpose->text(), QStringLiteral("5"));

        // Program counts from 1; bank numbers as stored.
        auto* program = Child<QSpinBox>(&page, "programNumber");
        TypeAndEnter(program, QStringLiteral("96"));
        QCOMPARE(int(env.Current().programNumber[0]), 95);
        QCOMPARE(program->text(), QStringLiteral("96"));
        TypeAndEnter(Child<QSpinBox>(&page, "bankMsb"), QStringLiteral("81"));
        TypeAndEnter(Child<QSpinBox>(&page, "bankLsb"), QStringLiteral("3"));
        QCOMPARE(int(env.Current().bankMsb[0]), 81);
        QCOMPARE(int(env.Current().bankLsb[0]), 3);

        // Volume: typed, then the arrows go on from it and still wrap around.
        auto* volume = Child<QSpinBox>(&page, "volume");
        TypeAndEnter(volume, QStringLiteral("127"));
        QCOMPARE(int(env.Current().volume[0]), 127);
        QTest::keyClick(volume, Qt::Key_Up);
        QCOMPARE(int(env.Current().volume[0]), 0);

        // Leaving the field takes the value too.
        Type(volume, QStringLiteral("64"));
        Child<QSpinBox>(&page, "bankMsb")->setFocus();
        QCOMPARE(int(env.Current().volume[0]), 64);

        // Letters are no number: refused as they are typed.
        Type(volume, QStringLiteral("x7"));
        QCOMPARE(EditOf(volume)->text(), QStringLiteral("7"));
    }

    // Escape takes back what was typed, before it is taken and without storing anything.
    void escapeRestores() {
        PageTestEnv env(presetor::kLmk4);
        env.SetKeys(0, 21, 108);
        CSplitView page(0, env.app, env.doc);
        page.show();
        QApplication::setActiveWindow(&page);
        auto* channel = Child<QSpinBox>(&page, "midiChannel");
        Type(channel, QStringLiteral("9"));
        QTest::keyClick(EditOf(channel), Qt::Key_Escape);
        QCOMPARE(channel->text(), QStringLiteral("1"));
        Child<QSpinBox>(&page, "transpose")->setFocus();
        QCOMPARE(env.Current().GetMidiChannel(0), 1);
        QVERIFY(!env.doc.IsModified());
    }

    // The key fields take note names as shown ("C 3"), in any case and spacing, or a MIDI note
    // number, and stay within the other key.
    void keyNamesTyped() {
        PageTestEnv env(presetor::kLmk4);
        env.SetKeys(0, 21, 108);
        CSplitView page(0, env.app, env.doc);
        page.show();
        QApplication::setActiveWindow(&page);
        auto* from = Child<QSpinBox>(&page, "fromKey");
        auto* to = Child<QSpinBox>(&page, "toKey");
        TypeAndEnter(from, QStringLiteral("c3"));
        QCOMPARE(env.Keys(0), std::pair(60, 108));
        QCOMPARE(from->text(), QStringLiteral("C 3"));
        TypeAndEnter(to, QStringLiteral("G#4"));
        QCOMPARE(env.Keys(0), std::pair(60, 80));
        QCOMPARE(to->text(), QStringLiteral("G#4"));
        TypeAndEnter(to, QStringLiteral("72"));
        QCOMPARE(env.Keys(0), std::pair(60, 72));
        QCOMPARE(to->text(), QStringLiteral("C 4"));
        // Below the lower key, or no note at all: the field shows its key again.
        TypeAndEnter(to, QStringLiteral("A 0"));
        QCOMPARE(env.Keys(0), std::pair(60, 72));
        QCOMPARE(to->text(), QStringLiteral("C 4"));
        TypeAndEnter(to, QStringLiteral("Q"));
        QCOMPARE(env.Keys(0), std::pair(60, 72));
    }

    // A typed value is one undo step of its own, also right after arrow steps on the same field.
    void typedValueIsOneUndoStep() {
        PageTestEnv env(presetor::kLmk4);
        env.SetKeys(0, 21, 108);
        env.Current().volumeActive[0] = 1;
        env.Current().volume[0] = 10;
        env.Changed();
        CSplitView page(0, env.app, env.doc);
        page.show();
        QApplication::setActiveWindow(&page);
        auto* volume = Child<QSpinBox>(&page, "volume");
        QTest::keyClick(volume, Qt::Key_Up);
        QTest::keyClick(volume, Qt::Key_Up);
        const int steps = env.doc.UndoStack().count();
        TypeAndEnter(volume, QStringLiteral("100"));
        QCOMPARE(env.doc.UndoStack().count(), steps + 1);
        env.doc.UndoStack().undo();
        QCOMPARE(int(env.Current().volume[0]), 12);
        env.doc.UndoStack().undo();
        QCOMPARE(int(env.Current().volume[0]), 10);
        // Enter on an unchanged value makes no step.
        TypeAndEnter(volume, QStringLiteral("10"));
        QCOMPARE(env.doc.UndoStack().index(), 0);
    }

    void globalAndControllerPages() {
        PageTestEnv env(presetor::kLmk4);
        CMiscView misc(env.app, env.doc);
        misc.show();
        QApplication::setActiveWindow(&misc);
        TypeAndEnter(Child<QSpinBox>(&misc, "masterChannel"), QStringLiteral("7"));
        QCOMPARE(env.Current().GetMasterChannel(), 7);
        TypeAndEnter(Child<QSpinBox>(&misc, "clock"), QStringLiteral("120"));
        QCOMPARE(env.Current().GetMidiClock(), 120);
        QCOMPARE(int(env.Current().midiClock), 60);

        // The link: a serial number or bank and place; anything else gives way to the link.
        auto* link = Child<QLineEdit>(&misc, "linkText");
        const auto typeLink = [link](const QString& text) {
            link->setFocus();
            link->selectAll();
            QTest::keyClick(link, Qt::Key_Delete);
            QTest::keyClicks(link, text);
        };
        typeLink(QStringLiteral("13"));
        QTest::keyClick(link, Qt::Key_Return);
        QCOMPARE(int(env.Current().linkPreset), 12);
        QVERIFY(link->text().endsWith(QStringLiteral(" - 2.5 (13)")));
        typeLink(QStringLiteral("16.7"));
        QTest::keyClick(link, Qt::Key_Return);
        QCOMPARE(int(env.Current().linkPreset), 126);
        typeLink(QStringLiteral("16.8"));
        QTest::keyClick(link, Qt::Key_Return);
        QCOMPARE(int(env.Current().linkPreset), 126);
        QVERIFY(link->text().endsWith(QStringLiteral("(127)")));
        typeLink(QStringLiteral("3"));
        QTest::keyClick(link, Qt::Key_Escape);
        QVERIFY(link->text().endsWith(QStringLiteral("(127)")));
        QCOMPARE(int(env.Current().linkPreset), 126);

        CControllerView controller(env.app, env.doc);
        controller.show();
        QApplication::setActiveWindow(&controller);
        TypeAndEnter(Child<QSpinBox>(&controller, "userCtrl3"), QStringLiteral("74"));
        QCOMPARE(int(env.Current().userCtrlNumber[2]), 74);
        TypeAndEnter(Child<QSpinBox>(&controller, "userCtrl3"), QStringLiteral("300"));
        QCOMPARE(int(env.Current().userCtrlNumber[2]), 127);
    }

    // Destination 96 is typed, not clicked 96 times; Enter confirms the dialog.
    void destinationTyped() {
        PageTestEnv env(presetor::kLmk4);
        CDestinationPresetDlg dialog(env.app.bank, CDestinationPresetDlg::kCopy);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        auto* spin = Child<QSpinBox>(&dialog, "presetSpin");
        TypeAndEnter(spin, QStringLiteral("96"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.destination(), 95);

        CDestinationPresetDlg second(env.app.bank, CDestinationPresetDlg::kCopy);
        second.show();
        QApplication::setActiveWindow(&second);
        auto* place = Child<QSpinBox>(&second, "presetSpin");
        Type(place, QStringLiteral("12.8"));
        QCOMPARE(second.destination(), 95);
        // Escape first takes the typing back, then closes the dialog.
        Type(place, QStringLiteral("7"));
        QTest::keyClick(EditOf(place), Qt::Key_Escape);
        QVERIFY(second.isVisible());
        QVERIFY(EditOf(place)->text().endsWith(QStringLiteral("(96)")));
    }
};

QTEST_MAIN(TypedInputTest)
#include "TypedInputTest.moc"
