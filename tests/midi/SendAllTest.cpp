// Send all against the in-process virtual keyboard: what arrives, the LMK4 store command only
// after a complete send, 153 only after success, progress texts, and the message pause.
#include "TestBanks.h"
#include "midi/MidiSystem.h"
#include "midi/MidiTap.h"
#include "midi/SendAllEngine.h"
#include "midi/SysexFormat.h"
#include "midi/Verify.h"

#include <gtest/gtest.h>

namespace presetor {
namespace {

using test::BreakingOutPort;
using test::RecordingOutPort;
using test::VariedBank;

VirtualKeyboard::Counters Counters(MidiSystem& system, int type) {
    return system.Virtual(type).WithKeyboard([](VirtualKeyboard& k) { return k.GetCounters(); });
}

class SendAllBothModes : public ::testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(SendAllBothModes, KeyboardStoresTheBankAndLmk4StoresInEepromOnlyPresetByPreset) {
    const auto [type, turbo] = GetParam();
    MidiSystem system;
    auto out = system.Virtual(type).OpenOut();
    const Bank bank = VariedBank(type, 7);
    SendAllEngine engine(bank, {.turbo = turbo});
    std::vector<TransferProgress> progress;
    engine.SetProgress([&](const TransferProgress& p) { progress.push_back(p); });
    ASSERT_EQ(engine.RunToEnd(*out), TransferState::Ok);

    const Bank stored =
        system.Virtual(type).WithKeyboard([](VirtualKeyboard& k) { return k.GetBank(); });
    EXPECT_TRUE(stored.SameContents(bank));
    const auto c = Counters(system, type);
    EXPECT_EQ(c.badChecksums, 0);
    EXPECT_EQ(c.rejected, 0);
    // 06 follows a complete preset-by-preset send to an LMK4 only; 153 shows for any LMK4.
    EXPECT_EQ(c.eepromStores, type == 4 && !turbo ? 1 : 0);
    EXPECT_EQ(engine.SentStoreCommand(), type == 4 && !turbo);
    EXPECT_EQ(engine.ShowStored153(), type == 4);

    const int n = PresetCountFor(type);
    ASSERT_FALSE(progress.empty());
    if (turbo) {
        EXPECT_EQ(progress.size(), (BulkDumpSize(n) + 99) / 100);
        EXPECT_EQ(progress.back().Text(), std::to_string(BulkDumpSize(n)) + " Bytes of " +
                                              std::to_string(BulkDumpSize(n)) +
                                              " Bytes transmitted.");
    } else {
        EXPECT_EQ(progress.front().Text(), "Send Preset 1 of " + std::to_string(n) + ".");
        EXPECT_EQ(progress.back().Text(),
                  "Send Preset " + std::to_string(n) + " of " + std::to_string(n) + ".");
        EXPECT_EQ(progress.back().barValue, n);
    }
}

INSTANTIATE_TEST_SUITE_P(TypesAndTurbo, SendAllBothModes,
                         ::testing::Combine(::testing::Values(3, 4), ::testing::Bool()));

TEST(SendAll, AFailedSendStopsWithoutStoreCommandOr153) {
    for (const bool turbo : {false, true}) {
        MidiSystem system;
        auto target = system.Virtual(4).OpenOut();
        BreakingOutPort out(*target, 101); // 50 dumps of two chunks, then half of the 51st
        SendAllEngine engine(VariedBank(4), {.turbo = turbo});
        EXPECT_EQ(engine.RunToEnd(out), TransferState::SendFailed) << "turbo " << turbo;
        EXPECT_FALSE(engine.ShowStored153());
        EXPECT_FALSE(engine.SentStoreCommand());
        const auto c = Counters(system, 4);
        EXPECT_EQ(c.eepromStores, 0) << "a half-sent bank must not be stored in EEPROM";
        EXPECT_EQ(c.bulkDumpsStored, 0);
        EXPECT_EQ(c.presetsStored, turbo ? 0 : 50);
        // Nothing more goes out after the failure.
        EXPECT_EQ(out.chunksTried, turbo ? 194 : 102);
    }
}

TEST(SendAll, MessagePauseSpreadsMessagesOverTimeSteps) {
    RecordingOutPort out;
    SendAllEngine engine(VariedBank(3), {.turbo = false, .messagePauseMs = 20});
    engine.Step(out, 1000);
    EXPECT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(engine.NextDeadline(), 1020);
    engine.Step(out, 1019);
    EXPECT_EQ(out.messages.size(), 1u);
    engine.Step(out, 1020);
    EXPECT_EQ(out.messages.size(), 2u);
    engine.Cancel();
    engine.Step(out, 5000);
    EXPECT_EQ(out.messages.size(), 2u);
    EXPECT_EQ(engine.State(), TransferState::Cancelled);
}

TEST(SendAll, MessagesUseTheHeaderOfTheKeyboardType) {
    for (const int type : {3, 4}) {
        RecordingOutPort out;
        SendAllEngine engine(VariedBank(type), {.turbo = false});
        engine.RunToEnd(out);
        const SysexHeader& h = HeaderFor(type);
        ASSERT_EQ(out.messages.size(),
                  static_cast<std::size_t>(PresetCountFor(type) + (type == 4 ? 1 : 0)));
        EXPECT_TRUE(std::equal(h.begin(), h.end(), out.messages[0].begin()));
        EXPECT_EQ(out.messages[0][7], 1);
        EXPECT_EQ(out.messages[0][8], 1);
        if (type == 4) {
            EXPECT_EQ(out.messages.back(), BuildStoreEeprom());
        }
    }
}

} // namespace
} // namespace presetor

namespace presetor {
namespace {

TEST(SendAll, PacedOutputKeepsToTheWireAndEndsWhenTheLastByteIsOnIt) {
    for (const bool turbo : {false, true}) {
        MidiSystem system;
        auto out = system.Virtual(3).OpenOut();
        test::RecordingOutPort recorder;
        const Bank bank = VariedBank(3, 3);
        SendAllEngine engine(bank, {.turbo = turbo, .paced = true});
        int lastBar = 0;
        engine.SetProgress([&](const TransferProgress& p) { lastBar = p.barValue; });
        // The clock is fed by hand; whatever goes out by a time must fit on the wire by then.
        std::int64_t t = 0;
        std::size_t sentBytes = 0;
        while (!engine.Finished() && t < 100000) {
            engine.Step(recorder, t);
            sentBytes = 0;
            for (const auto& m : recorder.messages) {
                EXPECT_LE(m.size(), 100u);
                sentBytes += m.size();
            }
            // At most one chunk ahead of the wire.
            EXPECT_LE(static_cast<std::int64_t>(sentBytes), t * 3125 / 1000 + 100)
                << "turbo " << turbo << " at " << t;
            t += 1;
        }
        ASSERT_EQ(engine.State(), TransferState::Ok) << "turbo " << turbo;
        const int total = turbo ? 9736 : 10304;
        EXPECT_EQ(static_cast<int>(sentBytes), total);
        // Ok only once the last byte is on the wire.
        EXPECT_GE(t - 1, static_cast<std::int64_t>(total) * 1000 / 3125);
        EXPECT_LE(t - 1, static_cast<std::int64_t>(total) * 1000 / 3125 + 20);
        EXPECT_EQ(lastBar, turbo ? total : 64);
        // What went out piece by piece is exactly the messages a full-speed send makes.
        SendAllEngine whole(bank, {.turbo = turbo});
        test::RecordingOutPort reference;
        whole.RunToEnd(reference);
        Bytes a, b;
        for (const auto& m : recorder.messages) {
            a.insert(a.end(), m.begin(), m.end());
        }
        for (const auto& m : reference.messages) {
            b.insert(b.end(), m.begin(), m.end());
        }
        EXPECT_EQ(a, b);
    }
}

// Every port the program opens is wrapped for the MIDI monitor; the wrapper must still tell a
// paced sender that its driver takes whole messages only, or each dump goes out cut in pieces.
TEST(SendAll, PacedSendThroughAMonitoredPortThatTakesWholeMessagesKeepsThemWhole) {
    auto tap = std::make_shared<MidiTap>([](MidiKind, int) { return std::string("driver"); });
    auto recorder = std::make_unique<RecordingOutPort>();
    recorder->wholeMessagesOnly = true;
    const RecordingOutPort& sent = *recorder;
    const auto port = TapOutPort(std::move(recorder), tap, 2);
    EXPECT_FALSE(port->AcceptsPieces());
    SendAllEngine engine(VariedBank(4, 2), {.turbo = false, .paced = true});
    for (std::int64_t t = 0; !engine.Finished() && t < 100000; ++t) {
        engine.Step(*port, t);
    }
    ASSERT_EQ(engine.State(), TransferState::Ok);
    ASSERT_EQ(sent.messages.size(), 128u); // 127 dumps and the store command
    for (const auto& m : sent.messages) {
        EXPECT_EQ(m.front(), 0xF0);
        EXPECT_EQ(m.back(), 0xF7);
    }
}

TEST(SendAll, HoldStoreLeavesTheEepromCommandToTheCaller) {
    MidiSystem system;
    auto out = system.Virtual(4).OpenOut();
    SendAllEngine engine(VariedBank(4, 2), {.turbo = false, .holdStore = true});
    ASSERT_EQ(engine.RunToEnd(*out), TransferState::Ok);
    EXPECT_FALSE(engine.SentStoreCommand());
    EXPECT_EQ(Counters(system, 4).eepromStores, 0);
    EXPECT_EQ(Counters(system, 4).presetsStored, 127);
}

TEST(Verify, NamesThePresetsThatDifferAfterAKeyboardIgnoredTheWrites) {
    MidiSystem system;
    system.Virtual(4).WithKeyboard([](VirtualKeyboard& k) {
        k.GetBank() = VariedBank(4, 1);
        auto o = k.Options();
        o.ignoreWrites = true;
        k.SetOptions(o);
    });
    auto out = system.Virtual(4).OpenOut();
    Bank sent = VariedBank(4, 1);
    sent.presets[2].SetName("NEW");
    sent.presets[126].volume[0] ^= 1;
    SendAllEngine engine(sent, {.turbo = false});
    ASSERT_EQ(engine.RunToEnd(*out), TransferState::Ok); // MIDI itself confirms nothing
    const Bank onKeyboard =
        system.Virtual(4).WithKeyboard([](VirtualKeyboard& k) { return k.GetBank(); });
    EXPECT_EQ(DifferingPresets(sent, onKeyboard), (std::vector<int>{2, 126}));
    EXPECT_EQ(PresetList(DifferingPresets(sent, onKeyboard)), "1.3 (3), 16.7 (127)");
    EXPECT_TRUE(DifferingPresets(sent, sent).empty());
}

} // namespace
} // namespace presetor
