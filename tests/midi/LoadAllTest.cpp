// Load all against the in-process virtual keyboard: both keyboard types with and without
// "Transfer all Preset once", echoes of our own requests, silence, cancel, cut-off and excess
// data, and the checksum report. Time is fed by hand, so nothing here waits.
#include "TestBanks.h"
#include "midi/LoadAllEngine.h"
#include "midi/MidiSystem.h"
#include "midi/SysexFormat.h"

#include <gtest/gtest.h>

namespace presetor {
namespace {

using test::Drain;
using test::VariedBank;

struct Rig {
    explicit Rig(int type, VirtualKeyboardOptions options = {}) {
        options.keyboardType = type;
        system.Virtual(type).WithKeyboard([&](VirtualKeyboard& k) {
            k.SetOptions(options);
            k.GetBank() = VariedBank(type, 1);
        });
        out = system.Virtual(type).OpenOut();
        in = system.Virtual(type).OpenIn();
        document = VariedBank(type, 50); // what the user had before the load
    }
    Bank KeyboardBank() {
        return system.Virtual(document.keyboardType).WithKeyboard([](VirtualKeyboard& k) {
            return k.GetBank();
        });
    }
    MidiSystem system;
    std::unique_ptr<MidiOutPort> out;
    std::unique_ptr<MidiInPort> in;
    Bank document;
};

class LoadAllBothModes : public ::testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(LoadAllBothModes, LoadsTheKeyboardsBankAndReportsByteProgress) {
    const auto [type, turbo] = GetParam();
    Rig rig(type);
    LoadAllEngine engine(rig.document, {.turbo = turbo});
    std::vector<TransferProgress> progress;
    engine.SetProgress([&](const TransferProgress& p) { progress.push_back(p); });
    engine.Start(*rig.out, 0);

    // The requests: one bulk request, or one per preset, all with the LMK3 header.
    const int n = PresetCountFor(type);
    if (turbo) {
        ASSERT_EQ(engine.Requests().size(), 1u);
        EXPECT_EQ(engine.Requests()[0], BuildRequestAll());
        EXPECT_EQ(engine.Expected(), type == 3 ? 9736 : 19312);
    } else {
        ASSERT_EQ(engine.Requests().size(), static_cast<std::size_t>(n));
        EXPECT_EQ(engine.Requests()[4], BuildRequestOne(kLmk3Header, 5));
        EXPECT_EQ(engine.Expected(), type == 3 ? 10304 : 20447);
    }

    // Answers arrive in 100-byte blocks, as a driver hands them over.
    const auto bytes = Drain(*rig.in);
    for (std::size_t pos = 0; pos < bytes.size(); pos += 100) {
        engine.OnBytes(
            std::span(bytes).subspan(pos, std::min<std::size_t>(100, bytes.size() - pos)), 10);
    }
    ASSERT_EQ(engine.State(), TransferState::Ok);
    EXPECT_TRUE(engine.ReceivedBank().SameContents(rig.KeyboardBank()));
    EXPECT_EQ(engine.ReceivedBank().currentPreset, 0);
    EXPECT_TRUE(engine.BadChecksums().empty());
    ASSERT_GE(progress.size(), 3u);
    for (std::size_t i = 1; i < progress.size(); ++i) {
        EXPECT_GE(progress[i].barValue, progress[i - 1].barValue);
    }
    EXPECT_EQ(progress.back().Text(), std::to_string(engine.Expected()) + " Bytes of " +
                                          std::to_string(engine.Expected()) +
                                          " Bytes transmitted.");
}

INSTANTIATE_TEST_SUITE_P(TypesAndTurbo, LoadAllBothModes,
                         ::testing::Combine(::testing::Values(3, 4), ::testing::Bool()));

TEST(LoadAll, EchoesOfOwnRequestsThroughAMidiLoopAreIgnored) {
    for (const bool turbo : {false, true}) {
        Rig rig(4, {.echo = true});
        LoadAllEngine engine(rig.document, {.turbo = turbo});
        engine.Start(*rig.out, 0);
        engine.OnBytes(Drain(*rig.in), 5);
        ASSERT_EQ(engine.State(), TransferState::Ok) << "turbo " << turbo;
        // The 9-byte echoes once shifted every preset; now the bank comes back exactly.
        EXPECT_TRUE(engine.ReceivedBank().SameContents(rig.KeyboardBank())) << "turbo " << turbo;
    }
}

TEST(LoadAll, SilentKeyboardEndsWithNoAnswerAndEchoesAloneAreNoAnswer) {
    for (const bool echo : {false, true}) {
        Rig rig(3, {.echo = echo, .silent = true});
        LoadAllEngine engine(rig.document, {.turbo = false});
        engine.Start(*rig.out, 1000);
        engine.OnBytes(Drain(*rig.in), 1100);
        engine.OnTick(3999);
        EXPECT_EQ(engine.State(), TransferState::Running);
        engine.OnTick(1000 + 3000 + 52);
        EXPECT_EQ(engine.State(), TransferState::NoAnswer) << "echo " << echo;
        EXPECT_EQ(engine.Received(), 0);
    }
}

TEST(LoadAll, BulkDumpGetsItsWireTimeBeforeTheFirstAnswerCheck) {
    // A port that hands a SysEx over only when its F7 came shows nothing for 6.2 s.
    Rig rig(4, {.silent = true});
    LoadAllEngine engine(rig.document, {.turbo = true});
    engine.Start(*rig.out, 0);
    engine.OnTick(3000 + 6000);
    EXPECT_EQ(engine.State(), TransferState::Running);
    EXPECT_EQ(engine.NextDeadline(), 3000 + 19312 * 1000 / 3125);
    engine.OnTick(3000 + 6180);
    EXPECT_EQ(engine.State(), TransferState::NoAnswer);
}

TEST(LoadAll, OnceDataCameOnlyCancelOrTheOptionalIdleLimitEndIt) {
    Rig rig(4);
    LoadAllEngine engine(rig.document, {.turbo = false});
    engine.Start(*rig.out, 0);
    const auto bytes = Drain(*rig.in);
    const std::size_t half = 161 * 60 + 30;
    engine.OnBytes(std::span(bytes).first(half), 100);
    engine.OnTick(1000000);
    EXPECT_EQ(engine.State(), TransferState::Running);
    engine.Cancel();
    EXPECT_EQ(engine.State(), TransferState::Cancelled);
    engine.OnBytes(std::span(bytes).subspan(half), 1000001);
    EXPECT_EQ(engine.State(), TransferState::Cancelled);

    LoadAllEngine limited(rig.document, {.turbo = false, .idleTimeoutMs = 5000});
    limited.Start(*rig.out, 0);
    const auto again = Drain(*rig.in);
    limited.OnBytes(std::span(again).first(half), 100);
    limited.OnTick(5099);
    EXPECT_EQ(limited.State(), TransferState::Running);
    limited.OnTick(5100);
    EXPECT_EQ(limited.State(), TransferState::NoAnswer);
}

TEST(LoadAll, CutOffOrShortDumpsAreRejectedNotDecoded) {
    for (const bool turbo : {false, true}) {
        Rig rig(3);
        LoadAllEngine engine(rig.document, {.turbo = turbo});
        engine.Start(*rig.out, 0);
        auto bytes = Drain(*rig.in);
        // Remove the first F7: the first dump runs into the next one (or into nothing).
        bytes.erase(std::find(bytes.begin(), bytes.end(), kSysexEnd));
        engine.OnBytes(bytes, 10);
        if (turbo) {
            bytes.push_back(0xF0); // the next message begins: the bulk dump was cut off
            engine.OnBytes(std::span(bytes).last(1), 11);
        }
        EXPECT_EQ(engine.State(), TransferState::BadData) << "turbo " << turbo;
    }
    Rig dropping(4, {.dropEvery = 5000}); // one byte lost on the way
    LoadAllEngine engine(dropping.document, {.turbo = true});
    engine.Start(*dropping.out, 0);
    engine.OnBytes(Drain(*dropping.in), 10);
    EXPECT_EQ(engine.State(), TransferState::BadData);
}

TEST(LoadAll, ExcessAndForeignMessagesAreNeitherCountedNorStored) {
    Rig rig(3);
    LoadAllEngine engine(rig.document, {.turbo = false});
    engine.Start(*rig.out, 0);
    auto bytes = Drain(*rig.in);
    // A foreign SysEx in the middle, then at the end a surplus dump for preset 1 with other
    // contents, which must not overwrite anything.
    const std::vector<std::uint8_t> foreign{0xF0, 0x7E, 0x00, 0x06, 0x01, 0xF7};
    bytes.insert(bytes.begin() + 161 * 10, foreign.begin(), foreign.end());
    Preset other;
    other.SetName("SURPLUS");
    const Bytes surplus = BuildSingleDump(other, 3, kLmk3Header, 1);
    bytes.insert(bytes.end(), surplus.begin(), surplus.end());
    engine.OnBytes(bytes, 10);
    ASSERT_EQ(engine.State(), TransferState::Ok);
    EXPECT_EQ(engine.Received(), engine.Expected());
    EXPECT_TRUE(engine.ReceivedBank().SameContents(rig.KeyboardBank()));
}

TEST(LoadAll, ReportsPresetsWithWrongChecksums) {
    for (const bool turbo : {false, true}) {
        Rig rig(4);
        LoadAllEngine engine(rig.document, {.turbo = turbo});
        engine.Start(*rig.out, 0);
        auto bytes = Drain(*rig.in);
        // Damage payload byte 3 of preset index 5, and for single dumps also payload byte 120
        // of preset 9, which lies outside the single dump's 101 summed bytes.
        const std::size_t at5 = turbo ? BulkPayloadOffset(5) + 3 : 161 * 5 + 9 + 3;
        bytes[at5] ^= 0x01;
        if (!turbo) {
            bytes[161 * 9 + 9 + 120] ^= 0x01;
        }
        engine.OnBytes(bytes, 10);
        ASSERT_EQ(engine.State(), TransferState::Ok);
        EXPECT_EQ(engine.BadChecksums(), std::vector<int>{5}) << "turbo " << turbo;
    }
}

} // namespace
} // namespace presetor
