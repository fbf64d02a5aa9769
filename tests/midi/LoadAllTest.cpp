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

TEST(LoadAll, BulkDumpGetsItsWireTimeThriceBeforeNoCompleteDumpAndShowsAnEstimate) {
    // A port that hands a SysEx over only when its F7 came shows nothing while the dump is on
    // its way; a keyboard may send it slower than the wire or start late.
    Rig rig(4, {.silent = true});
    LoadAllEngine engine(rig.document, {.turbo = true});
    std::vector<TransferProgress> progress;
    engine.SetProgress([&](const TransferProgress& p) { progress.push_back(p); });
    engine.Start(*rig.out, 0);
    engine.OnTick(3000);
    ASSERT_FALSE(progress.empty());
    EXPECT_TRUE(progress.back().estimated);
    EXPECT_EQ(progress.back().barValue, 3000 * 3125 / 1000);
    EXPECT_EQ(progress.back().Text(), "About 9375 of 19312 Bytes transmitted (estimated).");
    engine.OnTick(3000 + 3 * 6179 - 1);
    EXPECT_EQ(engine.State(), TransferState::Running);
    EXPECT_LT(progress.back().barValue, progress.back().barMax); // never full before it came
    engine.OnTick(3000 + 3 * 6179);
    EXPECT_EQ(engine.State(), TransferState::NoAnswer);
    EXPECT_EQ(engine.BulkLimitSeconds(), 22);
}

TEST(LoadAll, EveryLoadEndsByItselfOnceTheAnswerStops) {
    // The keyboard falls silent in the middle of preset 61.
    Rig rig(4, {.stopAfter = 161 * 60 + 30});
    LoadAllEngine engine(rig.document, {.turbo = false});
    engine.Start(*rig.out, 0);
    engine.OnBytes(Drain(*rig.in), 100);
    engine.OnTick(100 + 2999);
    EXPECT_EQ(engine.State(), TransferState::Running);
    engine.OnTick(100 + 3000);
    EXPECT_EQ(engine.State(), TransferState::Stopped);
    EXPECT_EQ(engine.PresetsTaken(), 60);
    EXPECT_EQ(engine.Received(), 161 * 60);
    EXPECT_TRUE(engine.BadChecksums().empty());

    // Cancel still ends it at once, and nothing arriving later changes that.
    Rig again(4);
    LoadAllEngine cancelled(again.document, {.turbo = false});
    cancelled.Start(*again.out, 0);
    const auto bytes = Drain(*again.in);
    cancelled.OnBytes(std::span(bytes).first(500), 10);
    cancelled.Cancel();
    cancelled.OnBytes(std::span(bytes).subspan(500), 20);
    EXPECT_EQ(cancelled.State(), TransferState::Cancelled);
}

TEST(LoadAll, CutOffDumpsAreNeverDecodedButNamed) {
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
            EXPECT_EQ(engine.State(), TransferState::BadData);
            EXPECT_EQ(engine.SeenBytes(), 9735);
        } else {
            // Preset by preset the cut-off dump is placed by its number as a damaged preset,
            // keeping the default preset; every other preset arrived intact.
            ASSERT_EQ(engine.State(), TransferState::Ok);
            EXPECT_EQ(engine.BadChecksums(), std::vector<int>{0});
            Bank expected = rig.KeyboardBank();
            expected.presets[0] = engine.ReceivedBank().presets[0];
            EXPECT_TRUE(engine.ReceivedBank().SameContents(expected));
        }
    }
    Rig dropping(4, {.dropEvery = 5000}); // one byte lost on the way
    LoadAllEngine engine(dropping.document, {.turbo = true});
    engine.Start(*dropping.out, 0);
    engine.OnBytes(Drain(*dropping.in), 10);
    EXPECT_EQ(engine.State(), TransferState::BadData);
    EXPECT_EQ(engine.SeenBytes(), 19312 - 3);
}

TEST(LoadAll, LeftoverAnswersOfAnEarlierLoadCannotShiftTheBank) {
    Rig rig(4);
    // A first load is cancelled half way; its late answers arrive at the start of the second.
    LoadAllEngine first(rig.document, {.turbo = false});
    first.Start(*rig.out, 0);
    const auto firstAnswers = Drain(*rig.in);
    first.OnBytes(std::span(firstAnswers).first(161 * 40), 10);
    first.Cancel();
    // The keyboard's bank changes between the loads (the musician edited preset 100).
    rig.system.Virtual(4).WithKeyboard(
        [](VirtualKeyboard& k) { k.GetBank().presets[99].SetName("LATER"); });

    // Paced, the second load has asked only for preset 1 when the leftovers come in.
    LoadAllEngine second(rig.document, {.turbo = false, .paced = true});
    second.Start(*rig.out, 0);
    second.OnBytes(std::span(firstAnswers).subspan(161 * 40), 1);
    EXPECT_EQ(second.PresetsTaken(), 0); // answers for numbers not asked for in this load
    for (std::int64_t t = 2; !second.Finished() && t < 60000; ++t) {
        second.OnTick(t);
        second.OnBytes(Drain(*rig.in), t);
    }
    ASSERT_EQ(second.State(), TransferState::Ok);
    EXPECT_TRUE(second.ReceivedBank().SameContents(rig.KeyboardBank()));
    EXPECT_EQ(second.ReceivedBank().presets[99].GetName(), "LATER");
}

TEST(LoadAll, ForeignTrafficIsIgnoredAndDoesNotKeepAStalledLoadAlive) {
    Rig rig(3);
    LoadAllEngine engine(rig.document, {.turbo = false});
    engine.Start(*rig.out, 0);
    auto bytes = Drain(*rig.in);
    // Another device's SysEx whose byte 6 happens to be 05, notes between the dumps and merged
    // into one, clock everywhere.
    const std::vector<std::uint8_t> foreign{0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x05, 0x00, 0xF7};
    const std::vector<std::uint8_t> note{0x90, 0x3C, 0x64};
    bytes.insert(bytes.begin() + 161 * 20 + 50, note.begin(), note.end()); // inside dump 21
    bytes.insert(bytes.begin() + 161 * 10, foreign.begin(), foreign.end());
    bytes.insert(bytes.begin() + 161 * 5, note.begin(), note.end());
    for (std::size_t i = 0; i < bytes.size(); i += 97) {
        bytes.insert(bytes.begin() + static_cast<long>(i), std::uint8_t{0xF8});
    }
    engine.OnBytes(bytes, 10);
    ASSERT_EQ(engine.State(), TransferState::Ok);
    EXPECT_TRUE(engine.BadChecksums().empty());
    EXPECT_TRUE(engine.ReceivedBank().SameContents(rig.KeyboardBank()));

    // Junk SysEx keeps arriving after the keyboard fell silent: the idle limit still ends it.
    Rig stalled(3, {.stopAfter = 161 * 3});
    LoadAllEngine load(stalled.document, {.turbo = false});
    load.Start(*stalled.out, 0);
    load.OnBytes(Drain(*stalled.in), 5);
    for (std::int64_t t = 505; t <= 3505 && !load.Finished(); t += 500) {
        load.OnBytes(foreign, t);
        load.OnTick(t);
    }
    EXPECT_EQ(load.State(), TransferState::Stopped);
    // An F0 that never ends is no progress either, and every load has an overall limit.
    Rig endless(4, {.stopAfter = 161 * 2});
    LoadAllEngine overall(endless.document, {.turbo = false, .idleTimeoutMs = 0});
    overall.Start(*endless.out, 0);
    overall.OnBytes(Drain(*endless.in), 5);
    overall.OnBytes(std::vector<std::uint8_t>{0xF0, 0x7D}, 6);
    std::int64_t t = 6;
    const std::vector<std::uint8_t> junk(1000, 0x11);
    while (!overall.Finished() && t < 200000) {
        t += 1000;
        overall.OnBytes(junk, t);
        overall.OnTick(t);
    }
    EXPECT_EQ(overall.State(), TransferState::Stopped);
    EXPECT_LE(t, 3000 + 3 * 20447 * 1000 / 3125 + 10000 + 1000);
}

TEST(LoadAll, AnAnswerOfTheOtherKeyboardTypeIsRecognised) {
    struct Case {
        int keyboard;
        int selected;
        bool turbo;
    };
    for (const Case c :
         {Case{3, 4, true}, Case{4, 3, true}, Case{3, 4, false}, Case{4, 3, false}}) {
        Rig rig(c.keyboard);
        Bank document;
        document.SetKeyboardType(c.selected);
        LoadAllEngine engine(document, {.turbo = c.turbo});
        engine.Start(*rig.out, 0);
        engine.OnBytes(Drain(*rig.in), 10);
        engine.OnTick(10 + 3000); // an LMK3 asked for 127 presets answers 64, then nothing
        EXPECT_EQ(engine.State(), TransferState::WrongType)
            << c.keyboard << " as " << c.selected << " turbo " << c.turbo;
        EXPECT_EQ(engine.AnsweredType(), c.keyboard);
    }
}

TEST(LoadAll, DamagedPresetsAreNamedAndARetryTakesTheirGoodAnswers) {
    for (const bool turbo : {false, true}) {
        // Presets 3 and 20 come with a flipped bit, 49 one byte short (preset by preset), the
        // first time each is asked for.
        VirtualKeyboardOptions faults{.corruptPresets = {3, 20}};
        if (!turbo) {
            faults.dropPresets = {49};
        }
        Rig rig(4, faults);
        LoadAllEngine engine(rig.document, {.turbo = turbo});
        engine.Start(*rig.out, 0);
        engine.OnBytes(Drain(*rig.in), 10);
        ASSERT_EQ(engine.State(), TransferState::Ok) << "turbo " << turbo;
        const std::vector<int> damaged =
            turbo ? std::vector<int>{2, 19} : std::vector<int>{2, 19, 48};
        EXPECT_EQ(engine.BadChecksums(), damaged);
        EXPECT_EQ(PresetList(engine.BadChecksums()).substr(0, 15), "1.3 (3), 3.4 (2");

        ASSERT_TRUE(engine.RetryDamaged(*rig.out, 100));
        ASSERT_EQ(engine.Requests().size(), damaged.size());
        EXPECT_EQ(engine.Requests()[0], BuildRequestOne(kLmk3Header, 3));
        engine.OnBytes(Drain(*rig.in), 110);
        ASSERT_EQ(engine.State(), TransferState::Ok);
        EXPECT_TRUE(engine.BadChecksums().empty());
        EXPECT_TRUE(engine.ReceivedBank().SameContents(rig.KeyboardBank()));
        EXPECT_FALSE(engine.RetryDamaged(*rig.out, 200)); // nothing left to retry
    }
    // A retry round nobody answers ends by itself and keeps the bank and what is damaged.
    Rig rig(3, {.corruptPresets = {7}});
    LoadAllEngine engine(rig.document, {.turbo = false});
    engine.Start(*rig.out, 0);
    engine.OnBytes(Drain(*rig.in), 10);
    rig.system.Virtual(3).WithKeyboard([](VirtualKeyboard& k) {
        auto o = k.Options();
        o.silent = true;
        k.SetOptions(o);
    });
    ASSERT_TRUE(engine.RetryDamaged(*rig.out, 100));
    engine.OnTick(100 + 3052);
    EXPECT_EQ(engine.State(), TransferState::Ok);
    EXPECT_TRUE(engine.HasBank());
    EXPECT_EQ(engine.BadChecksums(), std::vector<int>{6});
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
