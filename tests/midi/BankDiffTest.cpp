// The field-by-field comparison of two banks: the names and values the pages show, chosen
// differences found and nothing else, copying one field touches only its bytes, and the texts
// of key names and controller bits the summary and the comparison share.
#include "model/BankDiff.h"
#include "TestBanks.h"
#include "model/PresetTexts.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace presetor {
namespace {

using test::VariedBank;

TEST(PresetTexts, KeyNamesWithOctaveAndControllerBits) {
    EXPECT_EQ(KeyNameWithOctave(60), "C 3"); // middle C
    EXPECT_EQ(KeyNameWithOctave(61), "C#3");
    EXPECT_EQ(KeyNameWithOctave(70), "B 3"); // German B = B flat
    EXPECT_EQ(KeyNameWithOctave(71), "H 3");
    EXPECT_EQ(KeyNameWithOctave(21), "A -1");
    EXPECT_EQ(KeyNameWithOctave(108), "C 7");
    EXPECT_EQ(KeyNameWithOctave(0), "C -2");
    EXPECT_EQ(KeyNameWithOctave(128), "(128)");
    EXPECT_EQ(TransposeSemitones(0x8C), -12);
    EXPECT_EQ(TransposeSemitones(7), 7);
    EXPECT_EQ(ControllerFunctionText(10), "Userdefined Controller 3");
    EXPECT_EQ(SwitchFunctionText(4), "Link");
    EXPECT_EQ(SwitchFunctionText(16), "(16)");
    // The sliders and the extern controllers swap their bits on the LMK4.
    EXPECT_EQ(ControllerMatrixBit(kCtrlSlide1, kLmk3), 4);
    EXPECT_EQ(ControllerMatrixBit(kCtrlSlide1, kLmk4), 6);
    EXPECT_EQ(ControllerMatrixBit(kCtrlExtern1, kLmk4), 2);
    EXPECT_EQ(ControllerLabel(kCtrlDataEntry, kLmk4), "CTR3");
}

TEST(BankDiff, FindsExactlyTheChangedFieldsWithThePagesNames) {
    Bank a = VariedBank(kLmk4, 1);
    Bank b = a;
    EXPECT_TRUE(DiffBanks(a, b).Equal());

    b.presets[4].midiChannel[2] = 4;
    a.presets[4].midiChannel[2] = 1;
    b.presets[4].transpose[0] = 0x8C;
    a.presets[4].transpose[0] = 0x05;
    b.presets[20].SetName("ORGAN");
    b.presets[20].midiOut2[7] = a.presets[20].midiOut2[7] ? 0 : 1;
    b.presets[20].switchMatrix[1] ^= 2;

    const BankDiff diff = DiffBanks(a, b);
    ASSERT_EQ(diff.presets.size(), 2u);
    EXPECT_EQ(diff.presets[0].index, 4);
    ASSERT_EQ(diff.presets[0].fields.size(), 2u);
    const FieldDiff& channel = diff.presets[0].fields[1];
    EXPECT_EQ(channel.name + " " + channel.ours + " / " + channel.theirs,
              "Split 3: MIDI-Channel 2 / 5");
    EXPECT_EQ(diff.presets[0].fields[0].name, "Split 1: Transpose");
    EXPECT_EQ(diff.presets[0].fields[0].theirs, "-12");

    std::vector<std::string> names;
    for (const FieldDiff& f : diff.presets[1].fields)
        names.push_back(f.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Global: Name", "Controller-Assignments: Split 2",
                                               "Split 8: Midi Out 2"}));

    const auto lines = BankDiffLines(a, b, diff);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "  Split 3: MIDI-Channel 2 / 5"), lines.end());
    EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                           [](const std::string& l) { return l.rfind("3.5 (21) ", 0) == 0; }),
              lines.end());

    // The LMK3 knows no outputs: that difference is not one there.
    Bank c = VariedBank(kLmk3, 1);
    Bank d = c;
    d.presets[0].midiOut1[0] ^= 1;
    EXPECT_TRUE(DiffBanks(c, d).Equal());
}

TEST(BankDiff, CopyingAFieldTakesOnlyItsBytes) {
    const Bank a = VariedBank(kLmk4, 2);
    const Bank b = VariedBank(kLmk4, 7);
    const int type = kLmk4;
    for (int field = 0; field < PresetFieldCount(type); ++field) {
        Preset target = a.presets[3];
        CopyPresetField(b.presets[3], target, field, type);
        EXPECT_TRUE(SamePresetField(target, b.presets[3], field, type))
            << PresetFieldName(field, type);
        for (const FieldDiff& left : DiffPresets(target, a.presets[3], type))
            EXPECT_EQ(left.field, field)
                << PresetFieldName(field, type) << " changed " << left.name;
    }
    // Copying every differing field makes the presets equal.
    Preset target = a.presets[3];
    for (const FieldDiff& f : DiffPresets(a.presets[3], b.presets[3], type))
        CopyPresetField(b.presets[3], target, f.field, type);
    EXPECT_TRUE(target.SameData(b.presets[3]));
}

TEST(BankDiff, BanksOfDifferentTypesCompareTheCommonPresets) {
    const Bank lmk3 = VariedBank(kLmk3, 1);
    Bank lmk4 = VariedBank(kLmk4, 1);
    const BankDiff diff = DiffBanks(lmk3, lmk4);
    EXPECT_FALSE(diff.Equal());
    EXPECT_EQ(diff.extraPresets, 63);
    EXPECT_EQ(BankDiffLines(lmk3, lmk4, diff).front(), "type: LMK3 / LMK4");
}

} // namespace
} // namespace presetor
