// Switching the current preset with all eleven editor pages alive (offscreen): every switch makes
// each page reload all its controls and the visible split page repaint. The figure is the median
// time of one switch over all 127 presets of an LMK4 bank, against one 60 Hz frame (16.7 ms).
#include "pages/PageFactory.h"

#include "app/CAppDoc.h"
#include "app/CEditorApp.h"
#include "app/PageFactory.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <random>
#include <vector>

namespace {

constexpr double kFrameNs = 1e9 / 60.0;

// Every preset differs from its neighbours in every field the pages show.
void FillBank(presetor::Bank& bank) {
    std::mt19937 random(1234);
    const auto pick = [&random](int low, int high) {
        return static_cast<std::uint8_t>(std::uniform_int_distribution<int>(low, high)(random));
    };
    for (int i = 0; i < bank.PresetCount(); ++i) {
        presetor::Preset& p = bank.presets[static_cast<std::size_t>(i)];
        for (std::size_t s = 0; s < presetor::kSplitCount; ++s) {
            const bool active = pick(0, 3) != 0;
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

void BM_PresetSwitchAllPages(benchmark::State& state) {
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("presetor.ini")), QSettings::IniFormat);
    CEditorApp app(settings);
    CAppDoc doc(app);
    app.SetKeyboardType(presetor::kLmk4);
    doc.NewDocument();
    presetor::CSoundList list;
    list.LoadFromText("name=Module\nbank=A,0,0\n0,Piano\n1,Strings\n");
    app.soundLists.push_back(list);
    app.channelAssignments.fill(" ");
    app.channelAssignments[0] = "Module";
    FillBank(app.bank);

    QTabWidget tabs;
    for (const QString& label : PageTabLabels()) {
        if (QWidget* page = CreatePage(label, app, doc, &tabs))
            tabs.addTab(page, label);
    }
    tabs.resize(640, 760);
    tabs.setCurrentIndex(3); // "Split 1": the keyboard and the curve pictures repaint
    tabs.show();
    QApplication::processEvents();

    const int count = app.bank.PresetCount();
    std::vector<qint64> times(static_cast<std::size_t>(count));
    QElapsedTimer timer;
    for (auto _ : state) {
        for (int i = 1; i <= count; ++i) {
            timer.start();
            doc.SetCurrentPreset(i % count);
            QApplication::processEvents();
            times[static_cast<std::size_t>(i - 1)] = timer.nsecsElapsed();
        }
        std::nth_element(times.begin(), times.begin() + count / 2, times.end());
        state.SetIterationTime(static_cast<double>(times[static_cast<std::size_t>(count / 2)]) /
                               1e9);
    }
    state.counters["floor_ns"] = kFrameNs;
    state.counters["goal_ratio"] = 0.1;
}
// One iteration is a pass over the whole bank (127 switches, about a quarter of a second);
// a few passes give a steady median.
BENCHMARK(BM_PresetSwitchAllPages)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(8);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    QApplication application(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
