// The keyboard widget on a split page: which key a point hits at every scale, the press-drag-
// release rules as they land in the bank, the colours it paints (gaps between black keys, the
// octave labels), the note names with octaves, the tooltip, and that a new range repaints only
// the keys it changes.
#include "CKeyboardCtrl.h"
#include "CSplitView.h"
#include "PageTestEnv.h"

#include <QApplication>
#include <QCheckBox>
#include <QHelpEvent>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QSpinBox>
#include <QTest>
#include <QToolTip>

#include <cmath>

namespace {

constexpr int kMidiC3 = 48;
constexpr int kMidiE3 = 52;
constexpr int kMidiC4 = 60;
constexpr int kMidiG4 = 67;

// The widget point over a point of the keyboard's layout, at the widget's scale.
QPoint AtLayout(const CKeyboardCtrl& keyboard, int x, int y) {
    const double scale = keyboard.Scale();
    return {static_cast<int>((x + 0.5) * scale), static_cast<int>((y + 0.5) * scale)};
}

// A point on the lower part of a white key, below the black keys.
QPoint OnWhiteKey(const CKeyboardCtrl& keyboard, int midiNote) {
    return AtLayout(keyboard, keyboard.KeyLeft(midiNote - CKeyboardCtrl::kFirstNote) + 4, 45);
}

// The colour painted at a point of the layout.
QColor PixelAt(const CKeyboardCtrl& keyboard, const QImage& image, int x, int y) {
    return image.pixelColor(AtLayout(keyboard, x, y));
}

// Records the rectangles of the paint events a widget receives.
class PaintRecorder final : public QObject {
public:
    QList<QRect> rects;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            rects << static_cast<QPaintEvent*>(event)->rect();
        return false;
    }
};

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void keyEdgesAndHits() {
        CKeyboardCtrl keyboard;
        keyboard.resize(417, keyboard.heightForWidth(417));
        QCOMPARE(keyboard.Scale(), 1.0);
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

    // The two-character names with the octave, middle C (MIDI 60) being C 3.
    void noteNamesWithOctaves() {
        QCOMPARE(CKeyboardCtrl::PitchName(2), QStringLiteral("H "));
        QCOMPARE(CKeyboardCtrl::KeyName(0), QStringLiteral("A -1"));
        QCOMPARE(CKeyboardCtrl::KeyName(1), QStringLiteral("B -1"));
        QCOMPARE(CKeyboardCtrl::KeyName(2), QStringLiteral("H -1"));
        QCOMPARE(CKeyboardCtrl::KeyName(3), QStringLiteral("C 0"));
        QCOMPARE(CKeyboardCtrl::KeyName(kMidiC4 - 21), QStringLiteral("C 3"));
        QCOMPARE(CKeyboardCtrl::KeyName(kMidiC4 + 1 - 21), QStringLiteral("C#3"));
        QCOMPARE(CKeyboardCtrl::KeyName(kMidiC4 - 1 - 21), QStringLiteral("H 2"));
        QCOMPARE(CKeyboardCtrl::KeyName(kMidiG4 - 21), QStringLiteral("G 3"));
        QCOMPARE(CKeyboardCtrl::KeyName(87), QStringLiteral("C 7"));

        // The tooltip names the key under the mouse.
        CKeyboardCtrl keyboard;
        keyboard.resize(417 * 2, keyboard.heightForWidth(417 * 2));
        keyboard.show();
        const int c3 = kMidiC4 - 21;
        const QPoint onC3((keyboard.KeyLeft(c3) + 4) * 2, 45 * 2);
        QHelpEvent help(QEvent::ToolTip, onC3, keyboard.mapToGlobal(onC3));
        QApplication::sendEvent(&keyboard, &help);
        QCOMPARE(QToolTip::text(), QStringLiteral("C 3"));
        QToolTip::hideText();
    }

    // At 1.0, 1.5 and 2.0 times the classic size the widget keeps its proportions, every pixel
    // painted in a white key's colour hits that key, and a black key is hit exactly in the two
    // layout columns right of its left edge, with the white keys beside it at either side.
    void mappingAtEveryScale() {
        for (const double scale : {1.0, 1.5, 2.0}) {
            CKeyboardCtrl keyboard;
            const int width = static_cast<int>(std::ceil(417 * scale));
            keyboard.show();
            keyboard.resize(width, keyboard.height()); // the height follows the width
            QCOMPARE(keyboard.Scale(), scale);
            QCOMPARE(keyboard.height(), static_cast<int>(std::ceil(66 * scale)));
            // Widget pixel whose centre lies in layout column lx (and row ly).
            const auto pixel = [scale](int l) {
                return static_cast<int>(std::floor(l * scale + scale / 2));
            };

            for (int key = 0; key < CKeyboardCtrl::kKeyCount; ++key) {
                if (!CKeyboardCtrl::IsWhite(key)) {
                    const int left = keyboard.KeyLeft(key);
                    const int y = pixel(10);
                    QCOMPARE(keyboard.KeyAt(QPointF(pixel(left + 1), y)), key);
                    QCOMPARE(keyboard.KeyAt(QPointF(pixel(left + 2), y)), key);
                    QCOMPARE(keyboard.KeyAt(QPointF(pixel(left), y)), key - 1);
                    QCOMPARE(keyboard.KeyAt(QPointF(pixel(left + 3), y)), key + 1);
                    // Below the black keys only the white ones count.
                    QCOMPARE(keyboard.KeyAt(QPointF(pixel(left + 1), pixel(40))), key - 1);
                    continue;
                }
                // Only this key marked: it alone is painted white (the lowest key alone looks
                // like an empty keyboard, so it is marked with the key above it).
                if (key == 0)
                    continue;
                keyboard.lowIndex = keyboard.highIndex = key;
                const QImage image = keyboard.grab().toImage();
                int whitePixels = 0;
                for (int y = 0; y < pixel(CKeyboardCtrl::kKeyboardHeight); ++y) {
                    for (int x = 0; x < image.width(); ++x) {
                        if (image.pixelColor(x, y) != QColor(Qt::white))
                            continue;
                        ++whitePixels;
                        if (keyboard.KeyAt(QPointF(x, y)) != key)
                            QFAIL(qPrintable(QStringLiteral("scale %1: pixel %2,%3 shows key %4 "
                                                            "but hits %5")
                                                 .arg(scale)
                                                 .arg(x)
                                                 .arg(y)
                                                 .arg(key)
                                                 .arg(keyboard.KeyAt(QPointF(x, y)))));
                    }
                }
                QVERIFY(whitePixels > 0);
            }
        }
    }

    // Two black keys side by side (C# and D#) are kept apart by a light column, and every C
    // carries its octave below the keys.
    void blackKeysApartAndOctaveLabels() {
        CKeyboardCtrl keyboard;
        keyboard.resize(417, keyboard.heightForWidth(417));
        keyboard.lowIndex = 0;
        keyboard.highIndex = 87;
        const QImage image = keyboard.grab().toImage();
        const int cSharp3 = kMidiC4 + 1 - 21;
        const int dSharp3 = cSharp3 + 2;
        // Between the two: at least one column that is neither black nor red.
        bool gap = false;
        for (int x = keyboard.KeyLeft(cSharp3) + 1; x < keyboard.KeyLeft(dSharp3) + 1; ++x) {
            const QColor c = image.pixelColor(x, 10);
            if (c.lightness() > 150)
                gap = true;
        }
        QVERIFY(gap);
        // Some text under C 3 and none under the D beside it... (dark pixels in the label row).
        const auto darkPixels = [&](int key) {
            int n = 0;
            const int left = keyboard.KeyLeft(key);
            for (int y = CKeyboardCtrl::kKeyboardHeight; y < image.height(); ++y) {
                for (int x = left - 2; x < left + 11; ++x) {
                    if (image.pixelColor(x, y).lightness() < 100)
                        ++n;
                }
            }
            return n;
        };
        QVERIFY(darkPixels(kMidiC4 - 21) > 5);
        QVERIFY(darkPixels(3) > 5);                // C 0
        QCOMPARE(darkPixels(kMidiC4 + 7 - 21), 0); // G 3: no label
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
        QCOMPARE(Child<QSpinBox>(&page, "fromKey")->text(), QStringLiteral("C 2"));
        QCOMPARE(Child<QSpinBox>(&page, "toKey")->text(), QStringLiteral("G 3"));

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

    // Stored keys in the wrong order: the widget shows the sorted range; moving the mouse over
    // it without a button changes nothing, a click marks a new range.
    void unsortedKeysStayUntilTheUserMarks() {
        PageTestEnv env(presetor::kLmk4);
        env.SetKeys(2, 70, 50);
        CSplitView page(2, env.app, env.doc);
        page.show();
        auto* keyboard = Child<CKeyboardCtrl>(&page, "keyboard");
        QCOMPARE(keyboard->lowIndex, 50 - 21);
        QCOMPARE(keyboard->highIndex, 70 - 21);
        QTest::mouseMove(keyboard, QPoint(200, 45));
        QTest::mouseMove(keyboard, QPoint(260, 45));
        QCOMPARE(env.Keys(2), std::pair(70, 50));
        QVERIFY(!env.doc.IsModified());
        QCOMPARE(env.doc.UndoStack().count(), 0);
        QTest::mouseClick(keyboard, Qt::LeftButton, {}, OnWhiteKey(*keyboard, kMidiC4));
        QCOMPARE(env.Keys(2), std::pair(kMidiC4, kMidiC4));
        QVERIFY(env.doc.IsModified());
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
        QCOMPARE(PixelAt(*on, onImage, a0, 45), red);
        QCOMPARE(PixelAt(*on, onImage, c4, 45), QColor(Qt::white));
        QCOMPARE(PixelAt(*on, onImage, blackOutside, 10), red);
        QCOMPARE(PixelAt(*on, onImage, blackInside, 10), QColor(Qt::black));

        // An inactive split: white and grey keys whatever the range.
        QVERIFY(!off->isEnabled());
        QCOMPARE(PixelAt(*off, offImage, a0, 45), QColor(Qt::white));
        QCOMPARE(PixelAt(*off, offImage, c4, 45), QColor(Qt::white));
        QCOMPARE(PixelAt(*off, offImage, blackOutside, 10), grey);
        QCOMPARE(PixelAt(*off, offImage, blackInside, 10), grey);
    }

    // A new range repaints the keys from the first to the last one that changes colour, and what
    // the window then shows is the keyboard as painted whole; an unchanged range paints nothing.
    void newRangeRepaintsOnlyTheChangedKeys() {
        for (const int width : {CKeyboardCtrl::kKeyboardWidth, 730, 2 * 417}) {
            CKeyboardCtrl keyboard;
            keyboard.resize(width, keyboard.heightForWidth(width));
            keyboard.show();
            QVERIFY(QTest::qWaitForWindowExposed(&keyboard));
            keyboard.ShowRange(10, 50);
            QApplication::processEvents();

            PaintRecorder paints;
            keyboard.installEventFilter(&paints);
            const double scale = keyboard.Scale();
            // Paints what is pending, and tells whether the window then shows the keyboard as
            // painted whole; `painted` receives the rectangles painted on the way.
            QList<QRect> painted;
            const auto shows = [&] {
                paints.rects.clear();
                QApplication::processEvents();
                painted = paints.rects;
                const QImage shown = keyboard.screen()
                                         ->grabWindow(keyboard.winId())
                                         .toImage()
                                         .convertToFormat(QImage::Format_RGB32);
                return shown == keyboard.grab().toImage().convertToFormat(QImage::Format_RGB32);
            };

            keyboard.ShowRange(12, 50); // keys 10 and 11 leave the range
            QVERIFY(shows());
            QCOMPARE(painted.size(), 1);
            QVERIFY(painted.front().left() <= keyboard.KeyLeft(10) * scale);
            QVERIFY(painted.front().right() >=
                    (keyboard.KeyLeft(11) + CKeyboardCtrl::kBlackWidth) * scale);
            QVERIFY2(painted.front().width() < keyboard.width() / 8,
                     qPrintable(QString::number(width)));

            keyboard.ShowRange(12, 50);
            QVERIFY(shows());
            QVERIFY(painted.isEmpty());

            keyboard.ShowRange(30, 80); // both ends move: the keys between change too
            QVERIFY(shows());
            QCOMPARE(painted.size(), 1);
            QVERIFY(painted.front().left() <= keyboard.KeyLeft(12) * scale);
            QVERIFY(painted.front().right() >= keyboard.KeyLeft(80) * scale);

            keyboard.ShowRange(0, 0); // empty: every key turns grey
            QVERIFY(shows());
            QCOMPARE(painted.size(), 1);
            QCOMPARE(painted.front(), keyboard.rect());
        }
    }

    // The keyboard is shown from pictures of all keys marked and none marked: for ranges that
    // start and end on every kind of key (white beside a black one or not, black), at every
    // scale, and enabled, empty or disabled, it looks exactly as drawn key by key.
    void picturesShowWhatKeyByKeyDrawingGives() {
        const std::pair<int, int> ranges[] = {{0, 87}, {0, 1},   {1, 1},   {2, 2},   {3, 4},
                                              {4, 6},  {5, 13},  {6, 11},  {7, 8},   {8, 10},
                                              {9, 9},  {10, 86}, {11, 87}, {40, 40}, {86, 87}};
        for (const int width : {CKeyboardCtrl::kKeyboardWidth, 530, 730, 1000, 3 * 417}) {
            CKeyboardCtrl keyboard;
            keyboard.resize(width, keyboard.heightForWidth(width));
            keyboard.show();
            QVERIFY(QTest::qWaitForWindowExposed(&keyboard));
            const auto direct = [&keyboard](int low, int high, bool grey) {
                QImage image(keyboard.size(), QImage::Format_RGB32);
                QPainter painter(&image);
                keyboard.PaintKeys(painter, low, high, grey);
                return image;
            };
            const auto shown = [&keyboard] {
                return keyboard.grab().toImage().convertToFormat(QImage::Format_RGB32);
            };
            for (const auto& [low, high] : ranges) {
                keyboard.ShowRange(low, high);
                QVERIFY2(shown() == direct(low, high, false),
                         qPrintable(QStringLiteral("%1-%2 at %3").arg(low).arg(high).arg(width)));
            }
            keyboard.ShowRange(0, 0);
            QCOMPARE(shown(), direct(0, 0, true));
            keyboard.ShowRange(5, 20);
            keyboard.setEnabled(false);
            QCOMPARE(shown(), direct(5, 20, true));
            keyboard.setEnabled(true);
            QCOMPARE(shown(), direct(5, 20, false));
        }
    }

    // A range of only the lowest key looks like an empty keyboard once the button is up.
    void lowestKeyOnlyLooksEmpty() {
        PageTestEnv env(presetor::kLmk4);
        env.SetKeys(0, 21, 108);
        CSplitView page(0, env.app, env.doc);
        page.show();
        auto* keyboard = Child<CKeyboardCtrl>(&page, "keyboard");
        QTest::mousePress(keyboard, Qt::LeftButton, {}, AtLayout(*keyboard, 3, 45));
        QVERIFY(!keyboard->IsEmpty());
        QTest::mouseRelease(keyboard, Qt::LeftButton, {}, AtLayout(*keyboard, 3, 45));
        QCOMPARE(env.Keys(0), std::pair(21, 21));
        QVERIFY(keyboard->IsEmpty());
        const QImage image = keyboard->grab().toImage();
        QCOMPARE(PixelAt(*keyboard, image, keyboard->KeyLeft(40) + 4, 45), QColor(Qt::white));
        QCOMPARE(PixelAt(*keyboard, image, keyboard->KeyLeft(1) + 3, 10), QColor(128, 128, 128));
    }
};

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
