// Send all against the in-process virtual keyboard: what arrives, the LMK4 store command only
// after a complete send, 153 only after success, progress texts, and the message pause.
#include "TestBanks.h"
#include "midi/MidiSystem.h"
#include "midi/SendAllEngine.h"
#include "midi/SysexFormat.h"

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
