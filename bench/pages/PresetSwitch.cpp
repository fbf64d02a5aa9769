// bench-preset-switch: a preset switch as the user makes it, in the real main window (preset
// list, page tabs and the "Split 1" page showing) on the display Qt is given (scripts/bench runs
// it on Xvfb). Each switch is one Down or Up key press in the preset list, timed from the key
// until the window has handled every event it caused, painting included. It walks down and up
// an LMK4 bank whose neighbouring presets differ in every field, and prints for each switch its
// wall time and the GUI thread's CPU time in nanoseconds, one switch per line, after a line
// "switches N". The CPU time is what the switch costs the program; on a loaded machine the wall
// time also holds the waits for a CPU.
// Arguments: [passes] [--paints] [--shots PREFIX] [--whole-page]. --paints prints what each
// switch repaints; --shots saves, for four presets after the walk, the window as the display
// shows it and as painted whole (PREFIX-N-screen.png, PREFIX-N-whole.png); --whole-page turns
// the shown split on and off at every switch, so that each one greys or lights up the whole page
// (the slowest kind of switch, about a third of those in the usual walk).
#include "app/ApplicationStyle.h"
#include "app/CAppDoc.h"
#include "app/CEditorApp.h"
#include "app/CMainFrame.h"
#include "app/CPresetView.h"
#include "app/CTabView.h"
#include "pages/PageFactory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMap>
#include <QPaintEvent>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// Every preset differs from its neighbours in every field the pages show; with wholePage the
// first split is on in the even presets and off in the odd ones.
void FillBank(presetor::Bank& bank, bool wholePage) {
    std::mt19937 random(1234);
    const auto pick = [&random](int low, int high) {
        return static_cast<std::uint8_t>(std::uniform_int_distribution<int>(low, high)(random));
    };
    for (int i = 0; i < bank.PresetCount(); ++i) {
        presetor::Preset& p = bank.presets[static_cast<std::size_t>(i)];
        for (std::size_t s = 0; s < presetor::kSplitCount; ++s) {
            const bool drawn = pick(0, 3) != 0; // drawn either way: the same bank otherwise
            const bool active = wholePage && s == 0 ? i % 2 == 0 : drawn;
            p.lowKey[s] = active ? pick(21, 64) : 0;
            p.highKey[s] = active ? pick(65, 108) : 0;
            p.transpose[s] =
                pick(0, 1) ? pick(0, 63) : static_cast<std::uint8_t>(0x80 | pick(1, 63));
            p.midiChannel[s] = pick(0, 15);
            p.velocityCurve[s] = pick(0, 31);
            p.aftertouchCurve[s] = pick(0, 7);
            p.ctrlMatrix[s] = pick(0, 255);
            p.switchMatrix[s] = pick(0, 3);
            p.programNumber[s] = pick(0, 127);
            p.programActive[s] = pick(0, 1);
            p.volume[s] = pick(0, 127);
            p.volumeActive[s] = pick(0, 1);
            p.bankMsb[s] = pick(0, 127);
            p.bankLsb[s] = pick(0, 127);
            p.midiOut1[s] = pick(0, 1);
            p.midiOut2[s] = pick(0, 1);
            p.inputMode[s] = pick(0, 3);
            p.slowVelocityZero[s] = pick(0, 1);
        }
        for (auto& c : p.ctrlAssign)
            c = pick(0, 15);
        p.switchAssign = {pick(0, 15), pick(0, 15)};
        for (auto& u : p.userCtrlNumber)
            u = pick(0, 127);
        p.SetName("Preset" + std::to_string(i));
        p.SetMidiClock(pick(50, 254));
        p.linkPreset = pick(0, 126);
        p.masterChannel = pick(0, 15);
        p.realtimeMode = pick(0, 3);
        p.presetSwitch = pick(0, 3);
    }
}

qint64 ThreadCpuNs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<qint64>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Handles every event that is waiting, and those that handling them posts (the repaint).
void Settle() {
    for (int i = 0; i < 3; ++i) {
        QApplication::sendPostedEvents();
        QApplication::processEvents(QEventLoop::AllEvents);
    }
}

// With --paints: counts, per widget, the paint events and painted pixels of the timed switches
// and the layout requests, and prints them to stderr; it shows what a switch repaints.
class PaintCounter final : public QObject {
public:
    bool on = false;
    struct Count {
        qint64 paints = 0;
        qint64 pixels = 0;
        qint64 layouts = 0;
        qint64 syncs = 0; // backing store syncs (a window's paint pass)
    };
    QMap<QString, Count> counts;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!on || !watched->isWidgetType())
            return false;
        if (event->type() == QEvent::Paint) {
            Count& c = counts[Name(watched)];
            ++c.paints;
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region())
                c.pixels += static_cast<qint64>(r.width()) * r.height();
        } else if (event->type() == QEvent::LayoutRequest) {
            ++counts[Name(watched)].layouts;
        } else if (event->type() == QEvent::UpdateRequest) {
            ++counts[Name(watched)].syncs;
        }
        return false;
    }

    void Print(std::size_t switches) const {
        std::fprintf(stderr, "per switch: paints pixels layouts syncs  widget (in)\n");
        const double n = static_cast<double>(std::max<std::size_t>(1, switches));
        for (auto i = counts.cbegin(); i != counts.cend(); ++i)
            std::fprintf(stderr, "%6.2f %8.0f %5.2f %5.2f  %s\n", i->paints / n, i->pixels / n,
                         i->layouts / n, i->syncs / n, qPrintable(i.key()));
    }

private:
    // Class and name (or text) of the widget, and the first named widget it is in.
    static QString Name(const QObject* o) {
        QString name = o->objectName();
        if (name.isEmpty())
            name = o->property("text").toString().left(20);
        const QObject* holder = o->parent();
        while (holder && holder->objectName().isEmpty())
            holder = holder->parent();
        return QStringLiteral("%1 '%2' in %3")
            .arg(QLatin1String(o->metaObject()->className()), name,
                 holder ? holder->objectName() : QStringLiteral("-"));
    }
};

// One switch: the key press and release, and every event they cause. Not inlined, so that a
// profiler can collect exactly the switches (valgrind --toggle-collect='*SwitchOnce*').
[[gnu::noinline]] void SwitchOnce(QWidget* list, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(list, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(list, &release);
    Settle();
}

} // namespace

int main(int argc, char** argv) {
    const int passes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2;
    bool countPaints = false;
    bool wholePage = false;
    QString shots;
    for (int i = 2; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--paints")
            countPaints = true;
        else if (std::string_view(argv[i]) == "--whole-page")
            wholePage = true;
        else if (std::string_view(argv[i]) == "--shots" && i + 1 < argc)
            shots = QString::fromLocal8Bit(argv[++i]);
    }
    QApplication application(argc, argv);
    UseApplicationStyle(); // as the program does
    UseUnshapedText();
    PaintCounter paintCounter;
    if (countPaints)
        application.installEventFilter(&paintCounter);
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("presetor.ini")), QSettings::IniFormat);
    CEditorApp app(settings);
    CAppDoc doc(app);
    app.SetKeyboardType(presetor::kLmk4);
    doc.NewDocument();
    presetor::CSoundList sounds;
    sounds.LoadFromText("name=Module\nbank=A,0,0\n0,Piano\n1,Strings\n");
    app.soundLists.push_back(sounds);
    app.channelAssignments.fill(" ");
    app.channelAssignments[0] = "Module";
    FillBank(app.bank, wholePage);

    CMainFrame frame(app, doc, &CreatePage, PageDialogs{});
    frame.show();
    Settle();
    frame.TabView()->SetActivePage(3); // "Split 1": keyboard and curve pictures repaint
    CPresetView* list = frame.PresetView();
    list->setFocus();
    doc.SetCurrentPreset(0);
    // Let the window map and paint, and finish any work left after its first paint.
    QElapsedTimer warmUp;
    warmUp.start();
    while (warmUp.elapsed() < 1000) {
        Settle();
    }

    const int count = app.bank.PresetCount();
    paintCounter.on = countPaints;
    std::vector<std::pair<qint64, qint64>> times;
    QElapsedTimer timer;
    for (int pass = 0; pass < passes; ++pass) {
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up}) {
            for (int i = 1; i < count; ++i) {
                timer.start();
                const qint64 cpu = ThreadCpuNs();
                SwitchOnce(list, key);
                times.emplace_back(timer.nsecsElapsed(), ThreadCpuNs() - cpu);
            }
        }
    }
    if (doc.GetBank().currentPreset != 0 || times.empty()) {
        std::fprintf(stderr, "bench-preset-switch: the key presses did not switch presets\n");
        return 1;
    }
    paintCounter.on = false;
    if (countPaints)
        paintCounter.Print(times.size());
    if (!shots.isEmpty()) {
        // What the display shows after the switches (the window's pixels as painted piece by
        // piece) beside the same window painted whole; the two must be the same picture.
        for (int shot = 0; shot < 4; ++shot) {
            const QString prefix = QStringLiteral("%1-%2").arg(shots).arg(shot);
            frame.screen()->grabWindow(frame.winId()).save(prefix + QStringLiteral("-screen.png"));
            frame.grab().save(prefix + QStringLiteral("-whole.png"));
            SwitchOnce(list, Qt::Key_Down);
        }
    }
    std::printf("switches %zu\n", times.size());
    for (const auto& [wall, cpu] : times)
        std::printf("%lld %lld\n", static_cast<long long>(wall), static_cast<long long>(cpu));
    return 0;
}
