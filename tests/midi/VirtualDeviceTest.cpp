// The in-process virtual keyboard device with pacing on: answers come from its own thread
// through the hand-off queue, in driver-sized pieces, and closing or destroying mid-answer
// neither hangs nor hands anything to a closed receiver.
#include "midi/CMidiIn.h"
#include "midi/CMidiOut.h"
#include "midi/RequestPresetEngine.h"
#include "midi/TransferRunner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace presetor {
namespace {

void Pace(MidiSystem& system, int type) {
    system.Virtual(type).WithKeyboard([&](VirtualKeyboard& k) {
        VirtualKeyboardOptions o = k.Options();
        o.pace = true;
        k.SetOptions(o);
    });
}

TEST(VirtualMidiDevice, PacedAnswerArrivesInPiecesFromTheDriverThread) {
    MidiSystem system;
    Pace(system, 3);
    CMidiIn in(system);
    CMidiOut out(system);
    std::atomic<int> rung{0};
    std::atomic<bool> otherThread{true};
    const auto self = std::this_thread::get_id();
    in.SetDataArrived([&] {
        ++rung;
        otherThread = otherThread && std::this_thread::get_id() != self;
    });
    ASSERT_TRUE(in.Open(FindMidiDevice(system, MidiKind::Input, kVirtualLmk3Name)));
    ASSERT_TRUE(out.Open(FindMidiDevice(system, MidiKind::Output, kVirtualLmk3Name)));
    RequestPresetEngine engine(BuildLoadPresetRequest(3, 4));
    ASSERT_EQ(RunRequestPreset(engine, out, in), TransferState::Ok);
    EXPECT_TRUE(engine.ChecksumOk());
    // The driver thread rings the hook just after handing over the last piece, so the engine may
    // finish a moment before the second ring has been counted.
    for (int i = 0; i < 200 && rung.load() < 2; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(rung.load(), 2); // 100 + 61 bytes, as a driver's buffers
    EXPECT_TRUE(otherThread.load());
}

TEST(VirtualMidiDevice, ClosingOrDestroyingDuringAPacedAnswerIsSafe) {
    auto system = std::make_unique<MidiSystem>();
    Pace(*system, 4);
    CMidiIn in(*system);
    CMidiOut out(*system);
    ASSERT_TRUE(in.Open(1));
    ASSERT_TRUE(out.Open(1));
    ASSERT_TRUE(out.Send(BuildRequestAll())); // 19,312 bytes, six seconds at wire speed
    in.WaitForData(std::chrono::milliseconds(2000));
    in.Close();
    std::vector<std::uint8_t> late;
    EXPECT_EQ(in.Poll(late), 0u);
    in.Close();
    out.Close();
    system.reset(); // stops the delivery thread mid-dump
}

} // namespace
} // namespace presetor
