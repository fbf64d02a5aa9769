// .syx images of a bank: the round trip preset file -> .syx (bulk and single dumps) -> bank ->
// preset file is byte-identical for both keyboard types, the keyboard type comes from the dumps,
// and anything malformed is refused with a reason and leaves the bank as it was.
#include "midi/SyxFile.h"
#include "TestBanks.h"
#include "model/PresetFile.h"

#include <gtest/gtest.h>

namespace presetor {
namespace {

using test::VariedBank;

class SyxRoundTrip : public ::testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(SyxRoundTrip, PresetFileThroughSyxAndBackIsByteIdentical) {
    const auto [type, bulk] = GetParam();
    const Bank original = VariedBank(type, 3);
    const Bytes file = SavePresetBytes(original);
    const Bytes image = BuildSyxImage(original, bulk);
    EXPECT_EQ(image.size(), bulk
                                ? BulkDumpSize(PresetCountFor(type))
                                : kSingleDumpSize * static_cast<std::size_t>(PresetCountFor(type)));

    // Read into a bank of the other type: the image decides.
    Bank read = VariedBank(type == kLmk3 ? kLmk4 : kLmk3, 9);
    read.currentPreset = 5;
    int detected = 0;
    ASSERT_TRUE(DetectSyxKeyboardType(image, detected));
    EXPECT_EQ(detected, type);
    std::vector<int> bad;
    ASSERT_TRUE(ReadSyxImage(image, 0, read, &bad));
    EXPECT_TRUE(bad.empty());
    EXPECT_EQ(read.keyboardType, type);
    EXPECT_EQ(read.currentPreset, 0);
    EXPECT_EQ(SavePresetBytes(read), file);
}

INSTANTIATE_TEST_SUITE_P(TypesAndForms, SyxRoundTrip,
                         ::testing::Combine(::testing::Values(kLmk3, kLmk4), ::testing::Bool()));

TEST(SyxImage, SingleDumpsFillTheirPresetsAndTheRestComesFromTheDefaults) {
    const Bank keyboard = VariedBank(kLmk4, 4);
    // Presets 3 and 100 only: the LMK4 header and the number above 64 both say LMK4.
    Bytes image = BuildSingleDump(keyboard.presets[2], kLmk4, kLmk4Header, 3);
    const Bytes second = BuildSingleDump(keyboard.presets[99], kLmk4, kLmk4Header, 100);
    image.insert(image.end(), second.begin(), second.end());
    Bank bank;
    bank.presetDefaults.midiClock = 60;
    ASSERT_TRUE(ReadSyxImage(image, 0, bank, nullptr));
    EXPECT_EQ(bank.keyboardType, kLmk4);
    EXPECT_TRUE(bank.presets[2].SameData(keyboard.presets[2]));
    EXPECT_TRUE(bank.presets[99].SameData(keyboard.presets[99]));
    EXPECT_EQ(bank.presets[0].GetName(), "INITPRES");
    EXPECT_EQ(bank.presets[0].midiClock, 60);
    EXPECT_EQ(bank.presets[7].linkPreset, 7);

    // The LMK3 header with a number above 64 cannot be an LMK3.
    const Bytes lmk3Header = BuildSingleDump(keyboard.presets[0], kLmk4, kLmk3Header, 70);
    int type = 0;
    ASSERT_TRUE(DetectSyxKeyboardType(lmk3Header, type));
    EXPECT_EQ(type, kLmk4);
}

TEST(SyxImage, RefusedImagesNameTheReasonAndLeaveTheBank) {
    const Bank before = VariedBank(kLmk3, 5);
    Bytes bulk = BuildBulkDump(VariedBank(kLmk4, 6));
    Bytes cut(bulk.begin(), bulk.begin() + 19000);
    cut.push_back(kSysexEnd);
    Bytes foreign = BuildSingleDump(before.presets[0], kLmk3, kLmk3Header, 1);
    foreign[2] = 0x41; // another maker's header
    const struct {
        Bytes image;
        const char* reason;
    } cases[] = {
        {{}, "no SysEx message"},
        {cut, "19001 bytes"},
        {foreign, "neither the LMK3's nor the LMK4's"},
        {Bytes{0x90, 0x3C, 0x40}, "outside a SysEx message"},
    };
    for (const auto& c : cases) {
        Bank bank = before;
        const Result r = ReadSyxImage(c.image, 0, bank, nullptr);
        EXPECT_FALSE(r);
        EXPECT_NE(r.message().find(c.reason), std::string::npos) << r.message();
        EXPECT_TRUE(bank.SameContents(before));
        EXPECT_EQ(bank.keyboardType, kLmk3);
    }
}

} // namespace
} // namespace presetor
