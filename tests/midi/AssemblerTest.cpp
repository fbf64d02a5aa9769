// The receive and send plumbing: SysEx reassembly from pieces, the sender's chunking and its
// failure report, and the driver-to-owner hand-off queue.
#include "midi/CMidiOut.h"
#include "midi/MidiInputQueue.h"
#include "midi/MidiSender.h"
#include "midi/SysexAssembler.h"

#include <gtest/gtest.h>

#include <numeric>

namespace presetor {
namespace {

using Msgs = std::vector<std::vector<std::uint8_t>>;

Msgs FeedAll(SysexAssembler& a, const Msgs& pieces) {
    Msgs out;
    for (const auto& p : pieces) {
        a.Feed(p, [&](std::span<const std::uint8_t> m) { out.emplace_back(m.begin(), m.end()); });
    }
    return out;
}

TEST(SysexAssembler, JoinsPiecesAndDropsRealtimeBytesInside) {
    SysexAssembler a;
    // A dump in three pieces with clock and active sensing in between and inside, as RtMidi's
    // JACK input may deliver it; then a second message in the same piece as the first's end.
    const Msgs out = FeedAll(
        a,
        {{0xF8, 0xF0, 0x00, 0x44}, {0xFE, 0x26, 0xF8, 0x41, 0x03}, {0x05, 0xF7, 0xF0, 0x01, 0xF7}});
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], (std::vector<std::uint8_t>{0xF0, 0x00, 0x44, 0x26, 0x41, 0x03, 0x05, 0xF7}));
    EXPECT_EQ(out[1], (std::vector<std::uint8_t>{0xF0, 0x01, 0xF7}));
    EXPECT_EQ(a.Discarded(), 0);
}

TEST(SysexAssembler, DiscardsCutOffAndOversizedMessages) {
    SysexAssembler a(16);
    // Cut off by a new F0; ended by another status byte; longer than the limit; then a
    // good one, which must come through intact after all that.
    std::vector<std::uint8_t> longOne(40, 0x11);
    longOne.front() = 0xF0;
    longOne.back() = 0xF7;
    const Msgs out = FeedAll(
        a,
        {{0xF0, 0x01, 0x02}, {0xF0, 0x03, 0x90, 0x40}, longOne, {0x05, 0x06}, {0xF0, 0x07, 0xF7}});
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], (std::vector<std::uint8_t>{0xF0, 0x07, 0xF7}));
    EXPECT_EQ(a.Discarded(), 3);
    EXPECT_EQ(a.Pending(), 0u);
}

struct SentPieces {
    std::vector<std::size_t> sizes;
    std::vector<std::size_t> progress;
};

SentPieces SendAndRecord(std::size_t length, const SenderPolicy& policy, int failAt = -1,
                         bool* result = nullptr) {
    std::vector<std::uint8_t> bytes(length, 0x10);
    if (!bytes.empty()) {
        bytes.front() = 0xF0;
        bytes.back() = 0xF7;
    }
    SentPieces sent;
    const bool ok = SendByPolicy(
        bytes, policy,
        [&](std::span<const std::uint8_t> p) {
            sent.sizes.push_back(p.size());
            return static_cast<int>(sent.sizes.size()) != failAt;
        },
        [&](std::size_t n) { sent.progress.push_back(n); });
    if (result != nullptr) {
        *result = ok;
    }
    return sent;
}

TEST(MidiSender, CutsRawPiecesOfAtMost100BytesWithProgressPerChunk) {
    EXPECT_EQ(SendAndRecord(161, {}).sizes, (std::vector<std::size_t>{100, 61}));
    EXPECT_EQ(SendAndRecord(161, {}).progress, (std::vector<std::size_t>{100, 61}));
    EXPECT_EQ(SendAndRecord(100, {}).sizes, (std::vector<std::size_t>{100}));
    EXPECT_EQ(SendAndRecord(8, {}).sizes, (std::vector<std::size_t>{8}));
    const auto bulk = SendAndRecord(19312, {}).sizes;
    EXPECT_EQ(bulk.size(), 194u);
    EXPECT_EQ(std::accumulate(bulk.begin(), bulk.end(), std::size_t{0}), 19312u);
}

TEST(MidiSender, FailsWhenAnyChunkFailsButSendsTheRest) {
    bool ok = true;
    // A port that reported only the last chunk's status would call this a success.
    const auto sent = SendAndRecord(350, {}, 2, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(sent.sizes.size(), 4u);
    SendAndRecord(350, {}, 4, &ok);
    EXPECT_FALSE(ok);
    SendAndRecord(350, {}, -1, &ok);
    EXPECT_TRUE(ok);
}

TEST(MidiSender, WholeMessagePolicySendsEachSysexWhole) {
    // A 161-byte dump followed by the 8-byte store command.
    std::vector<std::uint8_t> two{0xF0};
    two.resize(160, 0x10);
    for (const std::uint8_t b : {0xF7, 0xF0, 0x00, 0x20, 0x20, 0x03, 0x00, 0x06, 0xF7}) {
        two.push_back(b);
    }
    std::vector<std::size_t> sizes;
    SendByPolicy(two, SenderPolicy{.rawPieces = false},
                 [&](std::span<const std::uint8_t> p) {
                     sizes.push_back(p.size());
                     EXPECT_EQ(p.front(), 0xF0);
                     EXPECT_EQ(p.back(), 0xF7);
                     return true;
                 },
                 {});
    EXPECT_EQ(sizes, (std::vector<std::size_t>{161, 8}));
}

TEST(MidiInputQueue, HandsOverInOrderAndRefusesBytesOnceClosed) {
    MidiInputQueue q;
    int rung = 0;
    q.SetDataArrived([&] { ++rung; });
    const std::vector<std::uint8_t> a{1, 2, 3}, b{4, 5};
    q.Push(a); // not open yet: refused
    q.Open();
    q.Push(a);
    q.Push(b);
    std::vector<std::uint8_t> out;
    EXPECT_EQ(q.Drain(out), 5u);
    EXPECT_EQ(out, (std::vector<std::uint8_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(rung, 2);
    q.Push(a);
    q.Close(); // queued bytes are released, late ones refused
    q.Push(b);
    out.clear();
    EXPECT_EQ(q.Drain(out), 0u);
    EXPECT_EQ(rung, 3);
    EXPECT_FALSE(q.WaitForData(std::chrono::milliseconds(0)));

    // An owner that never drains cannot make the queue grow without bound.
    q.Open();
    const std::vector<std::uint8_t> big(MidiInputQueue::kMaxQueued - 2, 0x11);
    q.Push(big);
    q.Push(a);
    EXPECT_EQ(q.Dropped(), 1u);
    out.clear();
    EXPECT_EQ(q.Drain(out), MidiInputQueue::kMaxQueued);
    EXPECT_EQ(out.back(), 2);
}

TEST(CMidiOut, SendOnAClosedOrUnknownPortFailsAndCloseTwiceIsHarmless) {
    MidiSystem system;
    CMidiOut out(system);
    const std::vector<std::uint8_t> msg{0xF0, 0x00, 0xF7};
    EXPECT_FALSE(out.Send(msg));
    EXPECT_FALSE(out.Open(7));
    EXPECT_FALSE(out.LastError().empty());
    EXPECT_FALSE(out.Send(msg));
    ASSERT_TRUE(out.Open(FindMidiDevice(system, MidiKind::Output, "Virtual LMK4")));
    EXPECT_TRUE(out.Send(msg));
    out.Close();
    out.Close();
    EXPECT_FALSE(out.Send(msg));
    EXPECT_EQ(FindMidiDevice(system, MidiKind::Input, "virtual lmk4"), -1);
}

} // namespace
} // namespace presetor
