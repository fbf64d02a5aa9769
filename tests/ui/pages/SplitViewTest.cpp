// The split page driven like a user: switching the split on and off, transposition with the
// octave buttons, typed and scrolled curves, the LMK4-only controls on both keyboard types,
// the volume wrap and the sound name from the channel's sound list, and a preset switch that
// repaints in place. Checks the bank bytes.
#include "CCachedButton.h"
#include "CCachedComboBox.h"
#include "CCachedLabel.h"
#include "CCurveList.h"
#include "CKeyboardCtrl.h"
#include "CSplitView.h"
#include "CStepSpinBox.h"
#include "GroupTitleStyle.h"
#include "OneRepaint.h"
#include "PageTestEnv.h"

#include "app/CachedScrollBar.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <functional>
#include <memory>

using presetor::Preset;

namespace {

QLineEdit* EditOf(QSpinBox* spin) {
    return spin->findChild<QLineEdit*>();
}

// Counts the paint events of the widgets it watches.
class PaintCounter final : public QObject {
public:
    int Of(const QObject* widget) const { return counts.value(widget); }
    bool on = true;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (on && event->type() == QEvent::Paint)
            ++counts[watched];
        return false;
    }

private:
    QHash<const QObject*, int> counts;
};

// Counts the layout requests of all widgets.
class LayoutRequestCounter final : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::LayoutRequest && watched->isWidgetType())
            ++count;
        return false;
    }
};

// What the window shows once everything pending is painted.
QImage Shown(QWidget* window) {
    QApplication::processEvents();
    return window->screen()
        ->grabWindow(window->winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// Shows window at size with holder filling it, once everything pending is painted.
bool ShownWithHolder(QWidget& window, QWidget* holder, const QSize& size) {
    window.resize(size);
    holder->resize(size);
    window.show();
    const bool exposed = QTest::qWaitForWindowExposed(&window);
    QApplication::processEvents();
    return exposed;
}

// Two windows made alike, one with Qt's own controls and one with the page's (make(true)),
// shown side by side: changed alike, they must look alike.
class TwinWindows {
public:
    explicit TwinWindows(const std::function<std::unique_ptr<QWidget>(bool own)>& make)
        : plain(make(false)), own(make(true)) {
        for (QWidget* window : {plain.get(), own.get()}) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
        }
    }
    // What the display shows of both is the same.
    bool Alike() const { return Shown(own.get()) == Shown(plain.get()); }
    // Both painted whole give the same picture.
    bool GrabbedAlike() const { return own->grab().toImage() == plain->grab().toImage(); }
    // Makes the change in both, then tells whether they look alike.
    bool Change(const std::function<void(QWidget*)>& change) {
        change(plain.get());
        change(own.get());
        return Alike();
    }

private:
    std::unique_ptr<QWidget> plain;
    std::unique_ptr<QWidget> own;
};

} // namespace

class SplitViewTest : public QObject {
    Q_OBJECT

private slots:
    void splitFromTabLabel() {
        QCOMPARE(CSplitView::SplitFromLabel(QStringLiteral("Split 1")), 0);
        QCOMPARE(CSplitView::SplitFromLabel(QStringLiteral("Split 8")), 7);
        QCOMPARE(CSplitView::SplitFromLabel(QStringLiteral("Split 9")), -1);
        QCOMPARE(CSplitView::SplitFromLabel(QStringLiteral("Global")), -1);
    }

    void switchingOnAndOff() {
        PageTestEnv env(presetor::kLmk4);
        env.SetKeys(3, 0, 0);
        CSplitView page(3, env.app, env.doc);
        page.show();
        auto* active = Child<QCheckBox>(&page, "splitActive");
        auto* from = Child<QSpinBox>(&page, "fromKey");
        auto* to = Child<QSpinBox>(&page, "toKey");

        // Inactive: empty key edits, controls disabled, red tab.
        QVERIFY(!active->isChecked());
        QCOMPARE(from->text(), QString());
        QCOMPARE(to->text(), QString());
        for (const char* name : {"keyboard", "transpose", "midiChannel", "volumeActive",
                                 "programActive", "octaveUp", "aftertouchCurve", "velocityCurve",
                                 "inputMode", "midiOut1", "slowVelocityOne", "selectPreset"})
            QVERIFY2(!Child<QWidget>(&page, name)->isEnabled(), name);
        QCOMPARE(page.TabColor(), CSplitView::kInactiveColour);

        // On: the whole keyboard, the edits show A and C, the tab turns green.
        QSignalSpy colours(&page, &CSplitView::TabColorChanged);
        env.Current().volume[3] = 77;
        const Preset before(env.Current());
        ClickBox(active);
        QCOMPARE(env.Keys(3), std::pair(21, 108));
        QCOMPARE(from->text(), QStringLiteral("A -1"));
        QCOMPARE(to->text(), QStringLiteral("C 7"));
        QCOMPARE(colours.count(), 1);
        QCOMPARE(colours.at(0).at(0).value<QColor>(), CSplitView::kActiveColour);
        QVERIFY(Child<QWidget>(&page, "keyboard")->isEnabled());
        QVERIFY(Child<QWidget>(&page, "inputMode")->isEnabled());

        // Off: both keys 0, empty edits, everything else as it was.
        ClickBox(active);
        QVERIFY(env.Current().SameData(before));
        QCOMPARE(from->text(), QString());
        QCOMPARE(page.TabColor(), CSplitView::kInactiveColour);
        QVERIFY(env.doc.IsModified());
    }

    // Switching presets reloads the page without a new layout (the key fields keep the room of
    // their widest note name), writes nothing and records nothing, and leaves the window
    // showing the page exactly as painted whole, although only the changed controls repaint.
    void presetSwitchRepaintsInPlaceAndWritesNothing() {
        PageTestEnv env(presetor::kLmk4);
        // Wide and narrow note names at both ends, the split on and off, every field changing.
        const int keys[][2] = {{22, 61}, {49, 106}, {0, 0}, {21, 23}, {66, 70}, {0, 0}, {30, 99}};
        for (int i = 0; i < 7; ++i) {
            Preset& p = env.app.bank.presets[static_cast<std::size_t>(i)];
            p.lowKey[0] = static_cast<std::uint8_t>(keys[i][0]);
            p.highKey[0] = static_cast<std::uint8_t>(keys[i][1]);
            p.transpose[0] = static_cast<std::uint8_t>(i % 2 ? i * 9 : 0x80 | i * 5);
            p.midiChannel[0] = static_cast<std::uint8_t>(i * 2);
            p.velocityCurve[0] = static_cast<std::uint8_t>(i * 4);
            p.aftertouchCurve[0] = static_cast<std::uint8_t>(i);
            p.programNumber[0] = static_cast<std::uint8_t>(i * 17);
            p.programActive[0] = static_cast<std::uint8_t>(i % 2);
            p.volume[0] = static_cast<std::uint8_t>(i * 18);
            p.volumeActive[0] = static_cast<std::uint8_t>(i % 3 != 0);
            p.bankMsb[0] = static_cast<std::uint8_t>(i * 11);
            p.bankLsb[0] = static_cast<std::uint8_t>(i * 13);
            p.midiOut1[0] = static_cast<std::uint8_t>(i % 2);
            p.midiOut2[0] = static_cast<std::uint8_t>(i % 3 == 1);
            p.inputMode[0] = static_cast<std::uint8_t>(i % 4);
            p.slowVelocityZero[0] = static_cast<std::uint8_t>(i % 2);
        }
        env.Changed();
        CSplitView page(0, env.app, env.doc);
        page.resize(900, 720);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QApplication::processEvents();
        auto* from = Child<QSpinBox>(&page, "fromKey");
        auto* to = Child<QSpinBox>(&page, "toKey");
        const QSize fromSize = from->size();
        const QSize toSize = to->size();
        for (int note = 21; note <= 108; ++note) {
            QVERIFY(from->fontMetrics().horizontalAdvance(CKeyboardCtrlName(note)) <
                    EditOf(from)->width());
        }

        // Once every preset has been shown (a control's first disabled look may lay out once),
        // no switch lays out again.
        for (const int preset : {1, 2, 3, 4, 5, 6, 0}) {
            env.doc.SetCurrentPreset(preset);
            QApplication::processEvents();
        }
        LayoutRequestCounter layouts;
        qApp->installEventFilter(&layouts);
        const int undoSteps = env.doc.UndoStack().count();
        for (const int preset : {1, 2, 3, 4, 5, 6, 0, 3, 1}) {
            env.doc.SetCurrentPreset(preset);
            QApplication::processEvents();
            const QImage shown = page.screen()
                                     ->grabWindow(page.winId())
                                     .toImage()
                                     .convertToFormat(QImage::Format_RGB32);
            const QImage whole = page.grab().toImage().convertToFormat(QImage::Format_RGB32);
            QVERIFY2(shown == whole, qPrintable(QStringLiteral("preset %1").arg(preset)));
            QCOMPARE(from->size(), fromSize);
            QCOMPARE(to->size(), toSize);
        }
        qApp->removeEventFilter(&layouts);
        QCOMPARE(layouts.count, 0);
        QVERIFY(!env.doc.IsModified());
        QCOMPARE(env.doc.UndoStack().count(), undoSteps);
        QCOMPARE(from->text(), CKeyboardCtrlName(49));
        QCOMPARE(to->text(), CKeyboardCtrlName(106));
    }

    // Under one repaint for the whole container, its widgets repaint once, together, and the
    // window shows every change, an opaque widget's too (Qt leaves that one out of the
    // container's repaint, so it keeps asking for its own); a second hold inside the first holds
    // nothing, and a hidden container is left alone.
    void oneRepaintShowsEveryChangeOnce() {
        QWidget window;
        auto* container = new QGroupBox(QStringLiteral("Split"), &window);
        auto* layout = new QVBoxLayout(container);
        auto* label = new QLabel(QStringLiteral("Transpose"));
        auto* check = new QCheckBox(QStringLiteral("Volume"));
        auto* opaque = new QLabel(QStringLiteral("Sound"));
        opaque->setAutoFillBackground(true);
        for (QWidget* w : {static_cast<QWidget*>(label), static_cast<QWidget*>(check),
                           static_cast<QWidget*>(opaque)})
            layout->addWidget(w);
        QVERIFY(ShownWithHolder(window, container, QSize(240, 160)));

        PaintCounter paints;
        qApp->installEventFilter(&paints);
        {
            OneRepaint outer(container);
            {
                OneRepaint inner(container);
                label->setEnabled(false);
            }
            check->setEnabled(false);
            QPalette palette = opaque->palette();
            palette.setColor(opaque->backgroundRole(), Qt::yellow);
            opaque->setPalette(palette);
            QApplication::processEvents(); // nothing is painted while the hold lasts
            QCOMPARE(paints.Of(container), 0);
            QCOMPARE(paints.Of(label), 0);
        }
        QApplication::processEvents();
        qApp->removeEventFilter(&paints);
        QCOMPARE(paints.Of(container), 1);
        QCOMPARE(paints.Of(label), 1);
        QCOMPARE(paints.Of(check), 1);
        QCOMPARE(paints.Of(opaque), 1);
        QVERIFY(label->updatesEnabled() && check->updatesEnabled() && container->updatesEnabled());
        const QImage shown = Shown(&window);
        QVERIFY(shown == window.grab().toImage().convertToFormat(QImage::Format_RGB32));
        QCOMPARE(QColor(shown.pixel(opaque->mapTo(&window, QPoint(1, 1)))), QColor(Qt::yellow));

        container->hide();
        {
            OneRepaint hidden(container);
            QVERIFY(label->updatesEnabled());
        }
    }

    // A number field shown a new value repaints its edit alone; its frame (and the group under
    // it) repaints only when an arrow turns on or off, and the window shows it as painted whole.
    void shownValueRepaintsTheEditAlone() {
        QWidget window;
        auto* group = new QGroupBox(QStringLiteral("Volume"), &window);
        auto* spin = new CStepSpinBox(group);
        spin->setRange(0, 10);
        spin->Show(3);
        auto* layout = new QVBoxLayout(group);
        layout->addWidget(spin);
        QVERIFY(ShownWithHolder(window, group, QSize(200, 100)));

        PaintCounter paints;
        for (QWidget* w : {static_cast<QWidget*>(group), static_cast<QWidget*>(spin),
                           static_cast<QWidget*>(EditOf(spin))})
            w->installEventFilter(&paints);
        // Paints what is pending; tells whether the window then shows what a whole paint gives.
        const auto shows = [&window, &paints] {
            QApplication::processEvents();
            paints.on = false;
            const QImage shown = window.screen()
                                     ->grabWindow(window.winId())
                                     .toImage()
                                     .convertToFormat(QImage::Format_RGB32);
            const bool same =
                shown == window.grab().toImage().convertToFormat(QImage::Format_RGB32);
            paints.on = true;
            return same;
        };

        spin->Show(5);
        QVERIFY(shows());
        QCOMPARE(EditOf(spin)->text(), QStringLiteral("5"));
        QVERIFY(paints.Of(EditOf(spin)) >= 1);
        QCOMPARE(paints.Of(spin), 0);
        QCOMPARE(paints.Of(group), 0);

        spin->Show(10); // the up arrow turns off
        const int before = paints.Of(spin);
        QVERIFY(shows());
        QVERIFY(paints.Of(spin) > before);
        spin->ShowRange(0, 20, 10); // and on again
        const int between = paints.Of(spin);
        QVERIFY(shows());
        QVERIFY(paints.Of(spin) > between);
        QCOMPARE(spin->value(), 10);
        QCOMPARE(spin->maximum(), 20);
    }

    // Group boxes with the remembering style look exactly as with the application's style: whole,
    // after one of their controls repainted (the title left out of that repaint), disabled and
    // enabled again (titles copied from their pictures), on a window and on a page that fills
    // its own ground.
    void groupsLookAsTheApplicationStyleDrawsThem() {
        for (const bool onPage : {false, true}) {
            TwinWindows twins([onPage](bool remembering) {
                auto window = std::make_unique<QWidget>();
                window->resize(320, 160);
                QWidget* holder = window.get();
                if (onPage) {
                    holder = new QWidget(window.get());
                    holder->setAutoFillBackground(true);
                    holder->setGeometry(0, 0, 320, 160);
                }
                auto* group = new QGroupBox(QStringLiteral("&Program Change"), holder);
                group->setGeometry(10, 10, 300, 140);
                auto* box = new QCheckBox(QStringLiteral("activ"), group);
                box->setObjectName(QStringLiteral("box"));
                box->move(20, 70);
                if (remembering)
                    UseGroupTitleStyle(window.get());
                return window;
            });
            QVERIFY(twins.Alike());
            QVERIFY(twins.GrabbedAlike());
            QVERIFY(twins.Change([](QWidget* w) { Child<QCheckBox>(w, "box")->setChecked(true); }));
            for (const bool enabled : {false, true, false, true}) {
                QVERIFY2(twins.Change([enabled](QWidget* w) {
                    w->findChild<QGroupBox*>()->setEnabled(enabled);
                }),
                         enabled ? "enabled" : "disabled");
            }
        }
    }

    // The page's labels, check boxes, radio buttons and list boxes copy the pictures they drew
    // before: the window shows them as plain ones in a group look, enabled, disabled, enabled
    // again, checked and not, with another entry, pressed, with a new text, a wrapped text in a
    // resized group, and in a disabled group.
    void labelsAndButtonsLookAsPlainOnes() {
        TwinWindows twins([](bool cached) {
            auto window = std::make_unique<QWidget>();
            window->resize(360, 200);
            auto* group = new QGroupBox(QStringLiteral("Velocity"), window.get());
            group->setGeometry(10, 10, 340, 180);
            const QString shortText = QStringLiteral("Controller &0 (MSB):");
            const QString longText =
                QStringLiteral("On a slow velocity a dynamic value of 1 "
                               "will be send. This is for sounds like organs.");
            QLabel* label =
                cached ? new CCachedLabel(shortText, group) : new QLabel(shortText, group);
            QLabel* wrapped =
                cached ? new CCachedLabel(longText, group) : new QLabel(longText, group);
            label->setObjectName(QStringLiteral("label"));
            wrapped->setObjectName(QStringLiteral("wrapped"));
            label->setGeometry(12, 30, 150, 24);
            wrapped->setWordWrap(true);
            wrapped->setGeometry(12, 70, 200, 60);
            auto* buddy = new QSpinBox(group);
            buddy->setFocusPolicy(Qt::NoFocus); // both windows look alike, active or not
            buddy->setGeometry(170, 30, 60, 24);
            label->setBuddy(buddy);
            const QString boxText = QStringLiteral("Midi Out 1");
            QCheckBox* box = cached ? new CCachedButton<QCheckBox>(boxText, group)
                                    : new QCheckBox(boxText, group);
            QRadioButton* radio = cached ? new CCachedButton<QRadioButton>(QString(), group)
                                         : new QRadioButton(group);
            box->setObjectName(QStringLiteral("box"));
            radio->setObjectName(QStringLiteral("radio"));
            for (QAbstractButton* button :
                 {static_cast<QAbstractButton*>(box), static_cast<QAbstractButton*>(radio)})
                button->setFocusPolicy(Qt::NoFocus);
            box->setGeometry(12, 140, 120, 24);
            radio->setGeometry(240, 70, 24, 24);
            radio->setAutoExclusive(false);
            QComboBox* combo = cached ? new CCachedComboBox(group) : new QComboBox(group);
            combo->setObjectName(QStringLiteral("combo"));
            combo->addItems({QStringLiteral("IN - intern Keyboard of the LMK4"),
                             QStringLiteral("EA - extern MIDI-In, ALL-Modus"),
                             QStringLiteral("EO")});
            combo->setFocusPolicy(Qt::NoFocus);
            combo->setGeometry(140, 140, 150, 26);
            UseGroupTitleStyle(window.get());
            return window;
        });
        const auto controls = [](QWidget* window, bool enabled) {
            for (const char* name : {"label", "wrapped", "box", "radio", "combo"})
                Child<QWidget>(window, name)->setEnabled(enabled);
        };
        const auto check = [](QWidget* window, bool checked) {
            for (const char* name : {"box", "radio"})
                Child<QAbstractButton>(window, name)->setChecked(checked);
        };
        QVERIFY(twins.Alike());
        for (const bool enabled : {false, true, false, true}) {
            for (const bool checked : {true, false, true}) {
                QVERIFY2(twins.Change([&](QWidget* w) { check(w, checked); }),
                         checked ? "checked" : "unchecked");
            }
            for (const int entry : {1, 2, 0, 1}) {
                QVERIFY2(twins.Change([entry](QWidget* w) {
                    Child<QComboBox>(w, "combo")->setCurrentIndex(entry);
                }),
                         qPrintable(QStringLiteral("entry %1").arg(entry)));
            }
            QVERIFY2(twins.Change([&](QWidget* w) { controls(w, enabled); }),
                     enabled ? "on" : "off");
        }
        QVERIFY(twins.Change([](QWidget* w) { Child<QAbstractButton>(w, "box")->setDown(true); }));
        QVERIFY(twins.Change([](QWidget* w) { Child<QAbstractButton>(w, "box")->setDown(false); }));
        QVERIFY(twins.Change([](QWidget* w) {
            Child<QLabel>(w, "label")->setText(QStringLiteral("Controller &32 (LSB):"));
        }));
        QVERIFY(twins.Change([](QWidget* w) { w->findChild<QGroupBox*>()->resize(300, 180); }));
        QVERIFY(twins.Change([](QWidget* w) { Child<QLabel>(w, "wrapped")->resize(140, 80); }));
        QVERIFY(twins.Change([](QWidget* w) { w->findChild<QGroupBox*>()->setEnabled(false); }));
        QVERIFY(twins.GrabbedAlike());
    }

    // A curve list draws its plain frame itself: the same pixels as a list whose frame the
    // style draws, enabled and disabled.
    void curveListFramesLookAsTheStyleDrawsThem() {
        for (const bool enabled : {true, false}) {
            CVelocityCurveList list;
            QListWidget plain;
            plain.setFrameStyle(QFrame::Box | QFrame::Plain);
            plain.setLineWidth(list.lineWidth());
            plain.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            plain.setFixedSize(list.size());
            for (QWidget* w : {static_cast<QWidget*>(&list), static_cast<QWidget*>(&plain)}) {
                w->setEnabled(enabled);
                w->show();
                QVERIFY(QTest::qWaitForWindowExposed(w));
            }
            const QImage mine = list.grab().toImage().convertToFormat(QImage::Format_RGB32);
            const QImage theirs = plain.grab().toImage().convertToFormat(QImage::Format_RGB32);
            const int band = list.lineWidth();
            QVERIFY(band > 0);
            for (int y = 0; y < mine.height(); ++y) {
                for (int x = 0; x < mine.width(); ++x) {
                    const bool frame = x < band || y < band || x >= mine.width() - band ||
                                       y >= mine.height() - band;
                    if (frame && mine.pixel(x, y) != theirs.pixel(x, y))
                        QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
                }
            }
        }
    }

    // The curve lists' bars copy the look they drew before: each copy is the picture a plain
    // bar draws in the same state, also when only the position, the range, the enabling or
    // the window's activation changed since.
    void curveBarsLookAsPlainBars() {
        QWidget window;
        window.resize(60, 160);
        auto* cached = new CachedScrollBar(Qt::Vertical, &window);
        auto* plain = new QScrollBar(Qt::Vertical, &window);
        cached->setGeometry(0, 10, 16, 135);
        plain->setGeometry(30, 10, 16, 135);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto same = [cached, plain](const char* what) {
            QApplication::processEvents();
            const QImage c = cached->grab().toImage().convertToFormat(QImage::Format_ARGB32);
            const QImage p = plain->grab().toImage().convertToFormat(QImage::Format_ARGB32);
            if (c != p)
                qWarning("%s: the cached bar differs", what);
            return c == p;
        };
        const auto both = [cached, plain](const std::function<void(QScrollBar*)>& change) {
            change(cached);
            change(plain);
        };
        both([](QScrollBar* bar) { bar->setRange(0, 31); });
        for (const int value : {0, 5, 31, 5, 0})
            both([value](QScrollBar* bar) { bar->setValue(value); });
        QVERIFY(same("range 0-31"));
        for (const int value : {7, 0, 7}) {
            both([value](QScrollBar* bar) { bar->setValue(value); });
            QVERIFY(same("a value shown again"));
        }
        both([](QScrollBar* bar) { bar->setRange(0, 7); });
        QVERIFY(same("range 0-7"));
        both([](QScrollBar* bar) { bar->setEnabled(false); });
        QVERIFY(same("disabled"));
        both([](QScrollBar* bar) { bar->setEnabled(true); });
        QVERIFY(same("enabled again"));
        both([](QScrollBar* bar) { bar->setPageStep(3); });
        QVERIFY(same("a longer handle"));
        // The window shows the bars as they grab.
        const QImage shown = window.screen()
                                 ->grabWindow(window.winId())
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.copy(cached->geometry()), shown.copy(plain->geometry()));
    }

    void keySpinsLimitEachOther() {
        PageTestEnv env(presetor::kLmk4);
        env.SetKeys(0, 40, 60);
        CSplitView page(0, env.app, env.doc);
        page.show();
        auto* from = Child<QSpinBox>(&page, "fromKey");
        auto* to = Child<QSpinBox>(&page, "toKey");
        QCOMPARE(from->maximum(), 60);
        QCOMPARE(to->minimum(), 40);
        QTest::keyClick(from, Qt::Key_Up);
        QCOMPARE(int(env.Current().lowKey[0]), 41);
        QCOMPARE(to->minimum(), 41);
        QCOMPARE(from->text(), CKeyboardCtrlName(41));
        QTest::keyClick(to, Qt::Key_Down);
        QCOMPARE(int(env.Current().highKey[0]), 59);
        QCOMPARE(from->maximum(), 59);
    }

    void transposition() {
        PageTestEnv env(presetor::kLmk4);
        env.SetKeys(0, 21, 108);
        env.Current().transpose[0] = 0x80;
        env.Changed();
        CSplitView page(0, env.app, env.doc);
        page.show();
        auto* transpose = Child<QSpinBox>(&page, "transpose");
        QCOMPARE(transpose->text(), QStringLiteral("0"));
        env.Current().transpose[0] = 0x8C;
        env.Changed();
        QCOMPARE(transpose->text(), QStringLiteral("-12"));

        // -1 Octave at -60 stops at -63; the spin then moves on from there.
        env.Current().transpose[0] = 0x80 | 60;
        env.Changed();
        QTest::mouseClick(Child<QPushButton>(&page, "octaveDown"), Qt::LeftButton);
        QCOMPARE(int(env.Current().transpose[0]), 0x80 | 63);
        QCOMPARE(transpose->text(), QStringLiteral("-63"));
        QTest::keyClick(transpose, Qt::Key_Up);
        QCOMPARE(int(env.Current().transpose[0]), 0x80 | 62);

        env.Current().transpose[0] = 60;
        env.Changed();
        QTest::mouseClick(Child<QPushButton>(&page, "octaveUp"), Qt::LeftButton);
        QCOMPARE(int(env.Current().transpose[0]), 63);
        QTest::keyClick(transpose, Qt::Key_Down);
        QCOMPARE(int(env.Current().transpose[0]), 62);
        QTest::mouseClick(Child<QPushButton>(&page, "octaveDown"), Qt::LeftButton);
        QCOMPARE(int(env.Current().transpose[0]), 50);
    }

    void typedAndScrolledCurves() {
        PageTestEnv env(presetor::kLmk4);
        env.SetKeys(0, 21, 108);
        CSplitView page(0, env.app, env.doc);
        page.show();

        // Typing 9 into the aftertouch edit stores 7 and the edit then shows 7.
        auto* aftertouch = Child<QSpinBox>(&page, "aftertouchCurve");
        QLineEdit* edit = EditOf(aftertouch);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_9);
        QCOMPARE(edit->text(), QStringLiteral("7"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(int(env.Current().aftertouchCurve[0]), 7);
        QCOMPARE(edit->text(), QStringLiteral("7"));
        auto* aftertouchList = Child<CCurveList>(&page, "aftertouchCurveList");
        QCOMPARE(aftertouchList->currentRow(), 7);
        // Letters are refused; an emptied edit stores nothing and shows the value again.
        QTest::keyClick(edit, Qt::Key_X);
        QCOMPARE(edit->text(), QStringLiteral("7"));
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(int(env.Current().aftertouchCurve[0]), 7);
        QCOMPARE(edit->text(), QStringLiteral("7"));

        // Scrolling the velocity list selects the picture now at the top.
        auto* velocityList = Child<CCurveList>(&page, "velocityCurveList");
        velocityList->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        velocityList->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(int(env.Current().velocityCurve[0]), 2);
        QCOMPARE(Child<QSpinBox>(&page, "velocityCurve")->value(), 2);
        QCOMPARE(velocityList->currentRow(), 2);

        // A loaded curve is shown at the top of its list.
        env.Current().velocityCurve[0] = 20;
        env.Changed();
        QCOMPARE(velocityList->verticalScrollBar()->value(), 20);
        QCOMPARE(velocityList->currentRow(), 20);
    }

    void lmk4OnlyControls() {
        // LMK3: disabled, empty, and nothing of them reaches the preset.
        {
            PageTestEnv env(presetor::kLmk3);
            env.SetKeys(0, 21, 108);
            env.Current().slowVelocityZero[0] = 1;
            env.Current().inputMode[0] = 2;
            env.Current().midiOut1[0] = 1;
            env.Current().programNumber[0] = 127;
            env.Changed();
            CSplitView page(0, env.app, env.doc);
            page.show();
            auto* mode = Child<QComboBox>(&page, "inputMode");
            QVERIFY(!mode->isEnabled());
            QCOMPARE(mode->currentIndex(), -1);
            QVERIFY(!Child<QCheckBox>(&page, "midiOut1")->isChecked());
            QVERIFY(!Child<QCheckBox>(&page, "midiOut1")->isEnabled());
            QVERIFY(!Child<QRadioButton>(&page, "slowVelocityOne")->isChecked());
            QVERIFY(!Child<QRadioButton>(&page, "slowVelocityZero")->isChecked());
            QVERIFY(!Child<QRadioButton>(&page, "slowVelocityZero")->isEnabled());
            // The program spin still runs to 128.
            QCOMPARE(Child<QSpinBox>(&page, "programNumber")->text(), QStringLiteral("128"));
            QCOMPARE(Child<QSpinBox>(&page, "programNumber")->maximum(), 128);
            // A velocity change leaves the slow-velocity byte alone.
            QTest::keyClick(Child<QSpinBox>(&page, "velocityCurve"), Qt::Key_Up);
            QCOMPARE(int(env.Current().velocityCurve[0]), 1);
            QCOMPARE(int(env.Current().slowVelocityZero[0]), 1);
            QCOMPARE(int(env.Current().inputMode[0]), 2);
            QCOMPARE(int(env.Current().midiOut1[0]), 1);
        }
        // LMK4: shown and written.
        PageTestEnv env(presetor::kLmk4);
        env.SetKeys(0, 21, 108);
        env.Current().slowVelocityZero[0] = 1;
        env.Current().velocityCurve[0] = 4;
        env.Current().inputMode[0] = 1;
        env.Current().midiOut2[0] = 0;
        env.Changed();
        CSplitView page(0, env.app, env.doc);
        page.show();
        auto* mode = Child<QComboBox>(&page, "inputMode");
        QCOMPARE(mode->currentIndex(), 1);
        QVERIFY(Child<QRadioButton>(&page, "slowVelocityZero")->isChecked());
        mode->setCurrentIndex(3); // as a pick from the list does
        QCOMPARE(int(env.Current().inputMode[0]), 3);
        ClickBox(Child<QCheckBox>(&page, "midiOut2"));
        QCOMPARE(int(env.Current().midiOut2[0]), 1);
        ClickBox(Child<QRadioButton>(&page, "slowVelocityOne"));
        QCOMPARE(int(env.Current().slowVelocityZero[0]), 0);
        QCOMPARE(int(env.Current().velocityCurve[0]), 4);

        // Showing another split with another velocity curve leaves its choice as stored.
        env.Current().velocityCurve[1] = 9;
        env.Current().slowVelocityZero[1] = 1;
        env.SetKeys(1, 30, 40);
        CSplitView other(1, env.app, env.doc);
        QCOMPARE(int(env.Current().slowVelocityZero[1]), 1);
        QVERIFY(Child<QRadioButton>(&other, "slowVelocityZero")->isChecked());
    }

    void volumeAndProgramChange() {
        PageTestEnv env(presetor::kLmk4);
        env.SetKeys(0, 21, 108);
        env.Current().volume[0] = 127;
        env.Current().volumeActive[0] = 0;
        env.Current().programActive[0] = 0;
        env.Changed();
        CSplitView page(0, env.app, env.doc);
        page.show();
        auto* volume = Child<QSpinBox>(&page, "volume");
        auto* program = Child<QSpinBox>(&page, "programNumber");
        QVERIFY(!volume->isEnabled());
        QVERIFY(!program->isEnabled());
        ClickBox(Child<QCheckBox>(&page, "volumeActive"));
        QCOMPARE(int(env.Current().volumeActive[0]), 1);
        QVERIFY(volume->isEnabled());
        // Only the volume wraps around.
        QTest::keyClick(volume, Qt::Key_Up);
        QCOMPARE(int(env.Current().volume[0]), 0);
        QTest::keyClick(volume, Qt::Key_Down);
        QCOMPARE(int(env.Current().volume[0]), 127);

        ClickBox(Child<QCheckBox>(&page, "programActive"));
        QCOMPARE(int(env.Current().programActive[0]), 1);
        QVERIFY(program->isEnabled());
        QTest::keyClick(program, Qt::Key_Down);
        QCOMPARE(int(env.Current().programNumber[0]), 0); // shown 1: stops at the end
        QTest::keyClick(program, Qt::Key_Up);
        QCOMPARE(int(env.Current().programNumber[0]), 1);
        QTest::keyClick(Child<QSpinBox>(&page, "bankMsb"), Qt::Key_Up);
        QCOMPARE(int(env.Current().bankMsb[0]), 1);
        QTest::keyClick(Child<QSpinBox>(&page, "midiChannel"), Qt::Key_Up);
        QCOMPARE(env.Current().GetMidiChannel(0), 2);

        // Each edit is one undo step that takes back exactly its change.
        env.doc.UndoStack().undo();
        QCOMPARE(env.Current().GetMidiChannel(0), 1);
        QCOMPARE(int(env.Current().bankMsb[0]), 1);
    }

    void soundNameFromChannelList() {
        PageTestEnv env(presetor::kLmk4);
        presetor::CSoundList list;
        list.LoadFromText("name=Studio Module\r\nbank=Preset A,81,0\r\n0,Grand Piano\r\n"
                          "1,Bright Piano\r\n");
        env.app.soundLists.push_back(list);
        env.app.channelAssignments.fill(" ");
        env.app.channelAssignments[2] = "Studio Module";
        env.SetKeys(0, 21, 108);
        env.Current().SetMidiChannel(0, 3);
        env.Current().bankMsb[0] = 81;
        env.Current().bankLsb[0] = 0;
        env.Current().programNumber[0] = 0;
        env.Current().programActive[0] = 1;
        env.Changed();
        CSplitView page(0, env.app, env.doc);
        page.show();
        auto* box = Child<QPlainTextEdit>(&page, "soundName");
        QCOMPARE(box->toPlainText(), QStringLiteral("Studio Module\nPreset A\nGrand Piano"));
        QTest::keyClick(Child<QSpinBox>(&page, "programNumber"), Qt::Key_Up);
        QCOMPARE(box->toPlainText(), QStringLiteral("Studio Module\nPreset A\nBright Piano"));
        // A channel without a list shows a single blank.
        QTest::keyClick(Child<QSpinBox>(&page, "midiChannel"), Qt::Key_Up);
        QCOMPARE(box->toPlainText(), QStringLiteral(" "));
    }

    void soundNamesInEitherEncodingShowTheSameAndFollowTheLists() {
        // The same names in UTF-8 and in a single-byte code page show alike; the page once read
        // UTF-8 as Latin-1 ("FlÃ¼gel").
        PageTestEnv env(presetor::kLmk4);
        presetor::CSoundList utf8;
        utf8.LoadFromText("name=Fl\xC3\xBCgel\nbank=Konzertfl\xC3\xBCgel,1,0\n0,Fl\xC3\xBCgel\n");
        presetor::CSoundList latin;
        latin.LoadFromText("name=Gr\xFC\xDF"
                           "e\nbank=Konzertfl\xFCgel,1,0\n0,Fl\xFCgel hell\n");
        env.app.soundLists = {utf8, latin};
        env.app.channelAssignments.fill(" ");
        env.app.channelAssignments[0] = utf8.name;
        env.app.channelAssignments[1] = latin.name;
        env.SetKeys(0, 21, 108);
        env.Current().SetMidiChannel(0, 1);
        env.Current().bankMsb[0] = 1;
        env.Current().programActive[0] = 1;
        env.Changed();
        CSplitView page(0, env.app, env.doc);
        page.show();
        auto* box = Child<QPlainTextEdit>(&page, "soundName");
        QCOMPARE(box->toPlainText(), QStringLiteral("Flügel\nKonzertflügel\nFlügel"));
        QTest::keyClick(Child<QSpinBox>(&page, "midiChannel"), Qt::Key_Up);
        QCOMPARE(box->toPlainText(), QStringLiteral("Grüße\nKonzertflügel\nFlügel hell"));

        // Lists read again (a file changed on disk): the page shows the new name at once.
        presetor::CSoundList renamed;
        renamed.LoadFromText("name=Gr\xC3\xBC\xC3\x9F"
                             "e\nbank=Neu,1,0\n0,Orgel\n");
        env.app.soundLists = {renamed};
        emit env.app.SoundListsChanged();
        QCOMPARE(box->toPlainText(), QStringLiteral("Grüße\nNeu\nOrgel"));
    }

    void selectPresetNeverFoldsBankNumbers() {
        // A choice outside the MIDI data range is not masked into another sound (200 & 0x7F
        // would select 72); the split keeps its values.
        PageTestEnv env(presetor::kLmk4);
        env.SetKeys(0, 21, 108);
        env.Current().bankMsb[0] = 5;
        env.Current().programActive[0] = 1;
        env.Changed();
        CSplitView page(0, env.app, env.doc);
        int answer = 200;
        page.SetSelectPresetFunction(
            [&answer](QWidget*, int, int& program, int& msb, int& lsb, QString& text) {
                program = 3;
                msb = answer;
                lsb = 0;
                text = QStringLiteral("L\nB\nS");
                return true;
            });
        page.show();
        auto* button = Child<QPushButton>(&page, "selectPreset");
        const int steps = env.doc.UndoStack().count();
        button->click();
        QCOMPARE(int(env.Current().bankMsb[0]), 5);
        QCOMPARE(env.doc.UndoStack().count(), steps);
        answer = 100;
        button->click();
        QCOMPARE(int(env.Current().bankMsb[0]), 100);
        QCOMPARE(int(env.Current().programNumber[0]), 3);
    }

private:
    static QString CKeyboardCtrlName(int note) { return CKeyboardCtrl::KeyName(note - 21); }
};

QTEST_MAIN(SplitViewTest)
#include "SplitViewTest.moc"
