// Bank operations: reset, copy, exchange, insert as a swap sequence, link and unlink all, and
// their limits at the edges of the presets in use.
#include "model/BankOps.h"

#include "ModelFixtures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace presetor;

namespace {

// A bank whose preset i is named "P<i>" and links to i, so moves are easy to follow.
Bank NamedBank(int type) {
    Bank bank = test::DefaultBank(type);
    for (int i = 0; i < kMaxPresets; ++i)
        bank.presets[static_cast<std::size_t>(i)].SetName("P" + std::to_string(i));
    return bank;
}

std::vector<std::string> Names(const Bank& bank, int from, int to) {
    std::vector<std::string> out;
    for (int i = from; i <= to; ++i)
        out.push_back(bank.presets[static_cast<std::size_t>(i)].GetName());
    return out;
}

} // namespace

TEST(BankOps, InsertMovesOnePresetAndShiftsTheOthers) {
    Bank bank = NamedBank(kLmk3);
    InsertPreset(bank, 2, 5);
    EXPECT_EQ(Names(bank, 1, 6), (std::vector<std::string>{"P1", "P3", "P4", "P5", "P2", "P6"}));

    bank = NamedBank(kLmk3);
    InsertPreset(bank, 5, 2);
    EXPECT_EQ(Names(bank, 1, 6), (std::vector<std::string>{"P1", "P5", "P2", "P3", "P4", "P6"}));

    bank = NamedBank(kLmk3);
    InsertPreset(bank, 4, 4);
    EXPECT_EQ(Names(bank, 3, 5), (std::vector<std::string>{"P3", "P4", "P5"}));
}

TEST(BankOps, InsertKeepsLinkIndices) {
    Bank bank = NamedBank(kLmk4);
    bank.presets[9].linkPreset = 4;
    InsertPreset(bank, 4, 0);
    EXPECT_EQ(bank.presets[9].linkPreset, 4) << "still index 4, now another preset";
    EXPECT_EQ(bank.presets[4].GetName(), "P3");
}

TEST(BankOps, InsertReachesBothEndsOfTheBank) {
    Bank bank = NamedBank(kLmk4);
    InsertPreset(bank, 0, 126);
    EXPECT_EQ(bank.presets[126].GetName(), "P0");
    EXPECT_EQ(bank.presets[0].GetName(), "P1");
    InsertPreset(bank, 126, 0);
    EXPECT_EQ(bank.presets[0].GetName(), "P0");
    EXPECT_EQ(bank.presets[126].GetName(), "P126");
}

TEST(BankOps, IndicesOutsideThePresetsInUseChangeNothing) {
    Bank bank = NamedBank(kLmk3); // 64 presets in use
    const Bank before = bank;
    InsertPreset(bank, 0, 64);
    InsertPreset(bank, -1, 3);
    CopyPreset(bank, 70, 1);
    CopyPreset(bank, 1, 64);
    ExchangePresets(bank, 0, 100);
    ResetPreset(bank, 64);
    ResetPreset(bank, -1);
    for (int i = 0; i < kMaxPresets; ++i)
        EXPECT_TRUE(bank.presets[static_cast<std::size_t>(i)].SameData(
            before.presets[static_cast<std::size_t>(i)]))
            << "preset " << i;
}

TEST(BankOps, CopyAndExchangeMoveWholePresets) {
    Bank bank = NamedBank(kLmk4);
    bank.presets[3].linkPreset = 50;
    bank.presets[3].volume[7] = 99;
    CopyPreset(bank, 3, 8);
    EXPECT_TRUE(bank.presets[8].SameData(bank.presets[3]));
    EXPECT_EQ(bank.presets[8].linkPreset, 50);

    bank = NamedBank(kLmk4);
    const Preset a = bank.presets[10];
    const Preset b = bank.presets[20];
    ExchangePresets(bank, 10, 20);
    EXPECT_TRUE(bank.presets[10].SameData(b));
    EXPECT_TRUE(bank.presets[20].SameData(a));

    const Bank before = bank;
    CopyPreset(bank, 5, 5);
    ExchangePresets(bank, 5, 5);
    EXPECT_TRUE(bank.SameContents(before));
}

TEST(BankOps, ResetUsesUserDefaultsAndOwnIndex) {
    Bank bank = NamedBank(kLmk4);
    bank.presetDefaults.linkPreset = kLinkToSelf;
    bank.presets[33].volume[0] = 100;
    ResetPreset(bank, 33);
    EXPECT_EQ(bank.presets[33].linkPreset, 33);
    EXPECT_EQ(bank.presets[33].volume[0], 0);
    EXPECT_EQ(bank.presets[33].GetName(), "INITPRES");

    bank.presetDefaults.linkPreset = 0;
    ResetPreset(bank, 33);
    EXPECT_EQ(bank.presets[33].linkPreset, 0);
}

TEST(BankOps, LinkAllMakesOneRingOverThePresetsInUse) {
    Bank bank = NamedBank(kLmk3);
    bank.presets[64].linkPreset = 64;
    bank.presets[100].linkPreset = 7;
    LinkAll(bank);
    for (int i = 0; i < 63; ++i)
        EXPECT_EQ(bank.presets[static_cast<std::size_t>(i)].linkPreset, i + 1);
    EXPECT_EQ(bank.presets[63].linkPreset, 0);
    EXPECT_EQ(bank.presets[64].linkPreset, 64);
    EXPECT_EQ(bank.presets[100].linkPreset, 7);

    UnlinkAll(bank);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(bank.presets[static_cast<std::size_t>(i)].linkPreset, i);
    EXPECT_EQ(bank.presets[100].linkPreset, 7);

    bank.SetKeyboardType(kLmk4);
    LinkAll(bank);
    EXPECT_EQ(bank.presets[125].linkPreset, 126);
    EXPECT_EQ(bank.presets[126].linkPreset, 0);
}
