// The in-process virtual keyboard device with pacing on: answers come from its own thread
// through the hand-off queue, in driver-sized pieces, at the wire's speed however slowly each
// piece is handed on, and closing or destroying mid-answer neither hangs nor hands anything to
// a closed receiver.
#include "TestBanks.h"
#include "midi/CMidiIn.h"
#include "midi/CMidiOut.h"
#include "midi/MidiSender.h"
#include "midi/RequestPresetEngine.h"
#include "midi/TransferRunner.h"
#include "midi/WirePacing.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

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

// A long answer must take its wire time and no more: the time the output thread spends waking
// up and handing each piece on must not add up piece after piece.
TEST(VirtualMidiDevice, PacedAnswerKeepsToTheWireWhenHandingOnIsSlow) {
    using Clock = std::chrono::steady_clock;
    constexpr int kPieces = 12;
    constexpr auto kHandOn = std::chrono::milliseconds(15); // half a piece's wire time
    std::mutex mutex;
    std::vector<std::pair<Clock::time_point, std::size_t>> delivered;
    PacedOutput output([&](std::span<const std::uint8_t> piece) {
        {
            std::lock_guard lock(mutex);
            delivered.emplace_back(Clock::now(), piece.size());
        }
        std::this_thread::sleep_for(kHandOn);
    });
    const auto queued = Clock::now();
    output.Queue(std::vector<std::uint8_t>(kPieces * kMaxChunk, 0x10));
    output.Flush();

    std::lock_guard lock(mutex);
    ASSERT_EQ(delivered.size(), static_cast<std::size_t>(kPieces));
    const auto wire = [](std::size_t bytes) {
        return std::chrono::microseconds(bytes * 1000000 / kWireBytesPerSecond);
    };
    std::size_t bytes = 0;
    for (const auto& [at, size] : delivered) {
        bytes += size;
        EXPECT_GE(at - queued, wire(bytes)) << "never faster than the wire";
    }
    // Handing on late each time would end 12 x 15 ms after the wire; allow a third of that.
    EXPECT_LT(delivered.back().first - queued, wire(bytes) + 4 * kHandOn);
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

namespace presetor {
namespace {

TEST(VirtualMidiDevice, UnpluggedItCannotBeOpenedAndOldConnectionsStayDeadAfterReplug) {
    MidiSystem system;
    VirtualMidiDevice& device = system.Virtual(4);
    auto oldOut = device.OpenOut();
    auto oldIn = device.OpenIn();
    device.SetConnected(false);
    std::string error;
    EXPECT_EQ(system.OpenOut(1, error), nullptr);
    EXPECT_EQ(error, "Virtual LMK4 is not connected.");
    EXPECT_EQ(system.OpenIn(1, error), nullptr);

    device.SetConnected(true);
    // The connections made before the replug lead nowhere, as a system port's do.
    const Bytes request = BuildRequestOne(kLmk3Header, 5);
    EXPECT_TRUE(oldOut->Send(request));
    EXPECT_TRUE(test::Drain(*oldIn).empty());
    EXPECT_EQ(device.WithKeyboard([](VirtualKeyboard& k) { return k.GetCounters().requests; }), 0);
    // Ports opened anew reach the keyboard again.
    auto out = system.OpenOut(1, error);
    auto in = system.OpenIn(1, error);
    ASSERT_NE(out, nullptr);
    ASSERT_NE(in, nullptr);
    EXPECT_TRUE(out->Send(request));
    EXPECT_EQ(test::Drain(*in).size(), kSingleDumpSize);
    EXPECT_TRUE(test::Drain(*oldIn).empty());
}

} // namespace
} // namespace presetor
