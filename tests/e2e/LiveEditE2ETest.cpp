// Live edit over JACK against the virtual keyboard program in its own process: a burst of 200
// edits of the current preset, spread over time as a held spin makes them, leaves the
// keyboard's edit memory equal to the document's current preset, with far fewer messages than
// edits and none lost or doubled on the way.
#include "KeyboardProcess.h"

#include "app/CAppDoc.h"
#include "app/CEditorApp.h"
#include "app/LiveEdit.h"
#include "midi/CMidiIn.h"
#include "midi/MidiSystem.h"
#include "midi/RequestPresetEngine.h"
#include "midi/RtMidiBackend.h"
#include "midi/TransferRunner.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace presetor::e2e {
namespace {

// Runs the event loop for about ms milliseconds.
void Spin(int ms) {
    QElapsedTimer t;
    t.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    } while (t.elapsed() < ms);
}

int StoredEditMemoryLines(KeyboardProcess& kb) {
    const auto& lines = kb.Lines();
    return static_cast<int>(std::count(lines.begin(), lines.end(), std::string("stored 0")));
}

TEST(LiveEditE2E, BurstOfEditsEndsInTheKeyboardsEditMemory) {
    if (!JackConfigured()) {
        GTEST_SKIP() << "no JACK server (scripts/test starts one)";
    }
    KeyboardProcess kb({"--type", "lmk4", "--pace"});
    ASSERT_TRUE(kb.Ready());

    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("presetor.ini")), QSettings::IniFormat);
    CEditorApp app(settings);
    std::string error;
    auto backend = MakeSystemMidiBackend({.api = "jack", .clientName = "e2e-live"}, error);
    ASSERT_NE(backend, nullptr) << error;
    app.SetMidiSystem(std::make_unique<MidiSystem>(std::move(backend)));
    app.midiOutDevice = FindMidiDevice(app.Midi(), MidiKind::Output, kb.OutPort());
    const int inDevice = FindMidiDevice(app.Midi(), MidiKind::Input, kb.InPort());
    ASSERT_GE(app.midiOutDevice, 0);
    ASSERT_GE(inDevice, 0);
    ASSERT_TRUE(app.OpenMidiOut()) << app.midiOut->LastError();
    app.SetKeyboardType(kLmk4);
    CAppDoc doc(app);
    doc.NewDocument();
    doc.SetCurrentPreset(17);

    CLiveEdit live(app, doc);
    live.SetOn(true);
    // 200 edits, one every 2 ms or so, as a spin held down with the keyboard's repeat.
    QElapsedTimer burst;
    burst.start();
    for (int i = 0; i < 200; ++i) {
        doc.ModifyPreset(
            17, QStringLiteral("Volume"),
            [i](Preset& p) {
                p.volume[static_cast<std::size_t>(i % kSplitCount)] =
                    static_cast<std::uint8_t>((i * 7) % 128);
                p.programNumber[0] = static_cast<std::uint8_t>(i % 128);
            },
            1);
        Spin(2);
    }
    const qint64 burstMs = burst.elapsed();
    for (int i = 0; i < 500 && !live.IsIdle(); ++i) {
        Spin(10);
    }
    ASSERT_TRUE(live.IsIdle());
    EXPECT_FALSE(live.LastSendFailed());

    // Every message sent arrived, once.
    const int sent = live.MessagesSent();
    for (int i = 0; i < 100 && StoredEditMemoryLines(kb) < sent; ++i) {
        Spin(20);
    }
    EXPECT_EQ(StoredEditMemoryLines(kb), sent);
    // Coalesced: no more than one message per wire time of the burst (plus the first and the
    // last), and never one per edit.
    EXPECT_GE(sent, 2);
    EXPECT_LE(sent, burstMs / CLiveEdit::WireTimeMs() + 2) << "burst of " << burstMs << " ms";
    ::testing::Test::RecordProperty("messages", sent);
    ::testing::Test::RecordProperty("burstMs", static_cast<int>(burstMs));

    // The keyboard's edit memory is the document's current preset.
    CMidiIn in(app.Midi());
    ASSERT_TRUE(in.Open(inDevice)) << in.LastError();
    RequestPresetEngine request(BuildLoadEditMemoryRequest());
    ASSERT_EQ(RunRequestPreset(request, *app.midiOut, in), TransferState::Ok);
    Preset editMemory;
    ASSERT_TRUE(request.DecodeInto(editMemory, kLmk4));
    EXPECT_TRUE(editMemory.SameData(doc.GetBank().Current()));
    EXPECT_EQ(int(editMemory.programNumber[0]), 199 % 128);
    in.Close();
}

} // namespace
} // namespace presetor::e2e

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
