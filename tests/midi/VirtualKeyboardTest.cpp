// The virtual keyboard model: which messages it takes, the header of its answers, and its
// fault options (drop, corrupt), which the transfer tests rely on.
#include "midi/VirtualKeyboard.h"
#include "TestBanks.h"
#include "midi/SysexFormat.h"

#include <gtest/gtest.h>

namespace presetor {
namespace {

std::vector<Bytes> Answers(VirtualKeyboard& k, const Bytes& message) {
    std::vector<Bytes> out;
    k.SetSink([&](std::span<const std::uint8_t> b) { out.emplace_back(b.begin(), b.end()); });
    k.Feed(message);
    return out;
}

TEST(VirtualKeyboard, AnswersRequestsWithAnyHeaderInItsOwnHeader) {
    for (const int type : {3, 4}) {
        VirtualKeyboard k({.keyboardType = type});
        for (const SysexHeader* h : {&kLmk3Header, &kLmk4Header}) {
            const auto answers = Answers(k, BuildRequestOne(*h, 3));
            ASSERT_EQ(answers.size(), 1u);
            ASSERT_EQ(answers[0].size(), kSingleDumpSize);
            EXPECT_TRUE(
                std::equal(HeaderFor(type).begin(), HeaderFor(type).end(), answers[0].begin()));
            EXPECT_EQ(answers[0][7], 3);
        }
        const auto bulk = Answers(k, BuildRequestAll());
        ASSERT_EQ(bulk.size(), 1u);
        EXPECT_EQ(bulk[0].size(), BulkDumpSize(PresetCountFor(type)));
    }
}

TEST(VirtualKeyboard, RejectsMalformedMessagesAndTakesStoreOnlyAsAnLmk4) {
    VirtualKeyboard lmk3({.keyboardType = 3});
    EXPECT_TRUE(Answers(lmk3, BuildRequestOne(kLmk3Header, 65)).empty()); // beyond 64 presets
    Bytes shortDump = BuildSingleDump(Preset(), 3, kLmk3Header, 1);
    shortDump.erase(shortDump.begin() + 20);
    lmk3.Feed(shortDump);
    lmk3.Feed(BuildStoreEeprom());
    EXPECT_EQ(lmk3.GetCounters().rejected, 3);
    EXPECT_EQ(lmk3.GetCounters().presetsStored, 0);
    EXPECT_EQ(lmk3.GetCounters().eepromStores, 0);

    VirtualKeyboard lmk4({.keyboardType = 4});
    lmk4.Feed(BuildStoreEeprom());
    EXPECT_EQ(lmk4.GetCounters().eepromStores, 1);
}

TEST(VirtualKeyboard, DropAndCorruptDamageDataButKeepFraming) {
    VirtualKeyboard corrupt({.keyboardType = 4, .corruptEvery = 10});
    const Bytes clean = BuildSingleDump(corrupt.GetBank().presets[0], 4, kLmk4Header, 1);
    const auto damaged = Answers(corrupt, BuildRequestOne(kLmk4Header, 1));
    ASSERT_EQ(damaged.size(), 1u);
    ASSERT_EQ(damaged[0].size(), clean.size());
    EXPECT_EQ(damaged[0].front(), kSysexStart);
    EXPECT_EQ(damaged[0].back(), kSysexEnd);
    EXPECT_NE(damaged[0], clean);

    VirtualKeyboard drop({.keyboardType = 4, .dropEvery = 50});
    const auto shorter = Answers(drop, BuildRequestOne(kLmk4Header, 1));
    ASSERT_EQ(shorter.size(), 1u);
    EXPECT_EQ(shorter[0].size(), clean.size() - 3);
}

} // namespace
} // namespace presetor
