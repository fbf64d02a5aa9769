// The keyboard widget on a split page: which key a point hits, the press-drag-release rules as
// they land in the bank, the colours it paints, and the note names.
#include "CKeyboardCtrl.h"
#include "CSplitView.h"
#include "PageTestEnv.h"

#include <QCheckBox>
#include <QImage>
#include <QSpinBox>
#include <QTest>

namespace {

constexpr int kMidiC3 = 48;
constexpr int kMidiE3 = 52;
constexpr int kMidiC4 = 60;
constexpr int kMidiG4 = 67;

// A point on the lower part of a white key, below the black keys.
QPoint OnWhiteKey(const CKeyboardCtrl& keyboard, int midiNote) {
    return {keyboard.KeyLeft(midiNote - CKeyboardCtrl::kFirstNote) + 4, 45};
}

QColor PixelAt(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void keyEdgesAndHits() {
        CKeyboardCtrl keyboard;
        QCOMPARE(keyboard.width(), 417);
        int whites = 0;
        for (int i = 0; i < CKeyboardCtrl::kKeyCount; ++i) {
            if (CKeyboardCtrl::IsWhite(i)) {
                QCOMPARE(keyboard.KeyLeft(i), whites * 8);
                ++whites;
            } else {
                // Two pixels left of the next white key.
                QCOMPARE(keyboard.KeyLeft(i), keyboard.KeyLeft(i + 1) - 2);
            }
        }
        QCOMPARE(whites, 52);

        // A#0 (index 1): its left edge + 1 and + 2 hit it in the upper rows; the edge itself
        // hits the white key left of it, + 5 the white key right of it.
        const int black = keyboard.KeyLeft(1);
        QCOMPARE(keyboard.KeyFromPoint(black + 1, 10), 1);
        QCOMPARE(keyboard.KeyFromPoint(black + 2, 10), 1);
        QCOMPARE(keyboard.KeyFromPoint(black, 10), 0);
        QCOMPARE(keyboard.KeyFromPoint(black + 5, 10), 2);
        // Below the black keys only white keys count: from left edge + 1 to + 8.
        const int c4 = kMidiC4 - CKeyboardCtrl::kFirstNote;
        QCOMPARE(keyboard.KeyFromPoint(keyboard.KeyLeft(c4) + 1, 40), c4);
        QCOMPARE(keyboard.KeyFromPoint(keyboard.KeyLeft(c4) + 8, 40), c4);
        QCOMPARE(keyboard.KeyFromPoint(keyboard.KeyLeft(c4) + 9, 40), c4 + 2);
        // Row 33 is the last one of the black keys.
        QCOMPARE(keyboard.KeyFromPoint(keyboard.KeyLeft(c4 + 1) + 1, 33), c4 + 1);
        QCOMPARE(keyboard.KeyFromPoint(keyboard.KeyLeft(c4 + 1) + 1, 34), c4);
        // Outside the keyboard.
        QCOMPARE(keyboard.KeyFromPoint(-20, 40), 0);
        QCOMPARE(keyboard.KeyFromPoint(5000, 40), 87);
    }

    void noteNames() {
        QCOMPARE(CKeyboardCtrl::KeyName(0), QStringLiteral("A "));
        QCOMPARE(CKeyboardCtrl::KeyName(1), QStringLiteral("B "));
        QCOMPARE(CKeyboardCtrl::KeyName(2), QStringLiteral("H "));
        QCOMPARE(CKeyboardCtrl::KeyName(3), QStringLiteral("C "));
        QCOMPARE(CKeyboardCtrl::KeyName(4), QStringLiteral("C#"));
        QCOMPARE(CKeyboardCtrl::KeyName(kMidiG4 - 21), QStringLiteral("G "));
        QCOMPARE(CKeyboardCtrl::KeyName(87), QStringLiteral("C "));
    }

    // Press on C4, drag to C3, back to E3, on to G4: the lower end never moves up during a
    // drag, the upper end follows the pointer back into the range.
    void dragMarksRangeInBank() {
        PageTestEnv env(presetor::kLmk4);
        env.SetKeys(0, 21, 108);
        CSplitView page(0, env.app, env.doc);
        page.resize(700, 800);
        page.show();
        auto* keyboard = Child<CKeyboardCtrl>(&page, "keyboard");
        const int stepsBefore = env.doc.UndoStack().count();

        QTest::mousePress(keyboard, Qt::LeftButton, {}, OnWhiteKey(*keyboard, kMidiC4));
        QCOMPARE(env.Keys(0), std::pair(kMidiC4, kMidiC4));
        QTest::mouseMove(keyboard, OnWhiteKey(*keyboard, kMidiC3));
        QCOMPARE(env.Keys(0), std::pair(kMidiC3, kMidiC4));
        QTest::mouseMove(keyboard, OnWhiteKey(*keyboard, kMidiE3));
        QCOMPARE(env.Keys(0), std::pair(kMidiC3, kMidiE3));
        QTest::mouseMove(keyboard, OnWhiteKey(*keyboard, kMidiG4));
        QTest::mouseRelease(keyboard, Qt::LeftButton, {}, OnWhiteKey(*keyboard, kMidiG4));
        QCOMPARE(env.Keys(0), std::pair(kMidiC3, kMidiG4));
        // The from and to edits follow.
        QCOMPARE(Child<QSpinBox>(&page, "fromKey")->text(), QStringLiteral("C "));
        QCOMPARE(Child<QSpinBox>(&page, "toKey")->text(), QStringLiteral("G "));

        // The whole drag is one undo step, and a second drag is another.
        QCOMPARE(env.doc.UndoStack().count(), stepsBefore + 1);
        QVERIFY(env.doc.IsModified());
        QTest::mousePress(keyboard, Qt::LeftButton, {}, OnWhiteKey(*keyboard, kMidiE3));
        QTest::mouseRelease(keyboard, Qt::LeftButton, {}, OnWhiteKey(*keyboard, kMidiE3));
        QCOMPARE(env.doc.UndoStack().count(), stepsBefore + 2);
        env.doc.UndoStack().undo();
        QCOMPARE(env.Keys(0), std::pair(kMidiC3, kMidiG4));
        env.doc.UndoStack().undo();
        QCOMPARE(env.Keys(0), std::pair(21, 108));
    }

    // Stored keys in the wrong order: the widget shows the sorted range and the first
    // notification writes them back sorted.
    void unsortedKeysAreWrittenBackSorted() {
        PageTestEnv env(presetor::kLmk4);
        env.SetKeys(2, 70, 50);
        CSplitView page(2, env.app, env.doc);
        page.show();
        auto* keyboard = Child<CKeyboardCtrl>(&page, "keyboard");
        QCOMPARE(keyboard->lowIndex, 50 - 21);
        QCOMPARE(keyboard->highIndex, 70 - 21);
        QCOMPARE(int(env.Current().lowKey[2]), 70);
        QTest::mouseMove(keyboard, QPoint(200, 45));
        QCOMPARE(env.Keys(2), std::pair(50, 70));
    }

    void paintsRangeAndDisabledState() {
        PageTestEnv env(presetor::kLmk4);
        env.SetKeys(0, kMidiC3, kMidiG4);
        env.SetKeys(1, 0, 0);
        CSplitView active(0, env.app, env.doc);
        CSplitView inactive(1, env.app, env.doc);
        auto* on = Child<CKeyboardCtrl>(&active, "keyboard");
        auto* off = Child<CKeyboardCtrl>(&inactive, "keyboard");
        const QImage onImage = on->grab().toImage();
        const QImage offImage = off->grab().toImage();
        const QColor red(255, 0, 0);
        const QColor grey(128, 128, 128);

        const int a0 = on->KeyLeft(0) + 4;                         // white, outside
        const int c4 = on->KeyLeft(kMidiC4 - 21) + 4;              // white, inside
        const int blackOutside = on->KeyLeft(1) + 3;               // A#0
        const int blackInside = on->KeyLeft(kMidiC4 + 1 - 21) + 3; // C#4
        QCOMPARE(PixelAt(onImage, a0, 45), red);
        QCOMPARE(PixelAt(onImage, c4, 45), QColor(Qt::white));
        QCOMPARE(PixelAt(onImage, blackOutside, 10), red);
        QCOMPARE(PixelAt(onImage, blackInside, 10), QColor(Qt::black));

        // An inactive split: white and grey keys whatever the range.
        QVERIFY(!off->isEnabled());
        QCOMPARE(PixelAt(offImage, a0, 45), QColor(Qt::white));
        QCOMPARE(PixelAt(offImage, c4, 45), QColor(Qt::white));
        QCOMPARE(PixelAt(offImage, blackOutside, 10), grey);
        QCOMPARE(PixelAt(offImage, blackInside, 10), grey);
    }

    // A range of only the lowest key looks like an empty keyboard once the button is up.
    void lowestKeyOnlyLooksEmpty() {
        PageTestEnv env(presetor::kLmk4);
        env.SetKeys(0, 21, 108);
        CSplitView page(0, env.app, env.doc);
        page.show();
        auto* keyboard = Child<CKeyboardCtrl>(&page, "keyboard");
        QTest::mousePress(keyboard, Qt::LeftButton, {}, QPoint(3, 45));
        QVERIFY(!keyboard->IsEmpty());
        QTest::mouseRelease(keyboard, Qt::LeftButton, {}, QPoint(3, 45));
        QCOMPARE(env.Keys(0), std::pair(21, 21));
        QVERIFY(keyboard->IsEmpty());
        const QImage image = keyboard->grab().toImage();
        QCOMPARE(PixelAt(image, keyboard->KeyLeft(40) + 4, 45), QColor(Qt::white));
        QCOMPARE(PixelAt(image, keyboard->KeyLeft(1) + 3, 10), QColor(128, 128, 128));
    }
};

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
