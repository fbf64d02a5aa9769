// The preset record's defaults, names, clamped setters and the preset default settings in their
// stored 40-byte and older 19-byte forms.
#include "model/Preset.h"
#include "model/Bank.h"
#include "model/PresetDefaults.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace presetor;

namespace {

std::string RawName(const Preset& p) {
    return std::string(p.name, sizeof p.name);
}

} // namespace

TEST(Preset, NewPresetHasFactoryDefaults) {
    const Preset p;
    EXPECT_EQ(p.lowKey[0], 21);
    EXPECT_EQ(p.highKey[0], 108);
    for (int s = 1; s < kSplitCount; ++s) {
        EXPECT_EQ(p.lowKey[s], 0);
        EXPECT_EQ(p.highKey[s], 0);
    }
    for (int s = 0; s < kSplitCount; ++s) {
        EXPECT_EQ(p.GetMidiChannel(s), s + 1);
        EXPECT_EQ(p.midiOut1[s], 1);
        EXPECT_EQ(p.midiOut2[s], 1);
    }
    EXPECT_EQ(RawName(p), std::string("INITPRES\0", 9));
    EXPECT_EQ(p.GetMidiClock(), 50);
    EXPECT_EQ(p.ctrlAssign, (std::array<std::uint8_t, 8>{0, 2, 2, 6, 4, 1, 7, 5}));
    EXPECT_EQ(p.switchAssign, (std::array<std::uint8_t, 2>{0, 4}));
    EXPECT_EQ(p.linkPreset, 0);
}

TEST(Preset, SetNameTrimsPadsAndCuts) {
    Preset p;
    p.SetName("AB");
    EXPECT_EQ(RawName(p), std::string("AB      \0", 9));
    EXPECT_EQ(p.GetName(), "AB");

    p.SetName("ABCDEFGHIJ");
    EXPECT_EQ(RawName(p), std::string("ABCDEFGH\0", 9));

    p.SetName("Pad   \t ");
    EXPECT_EQ(RawName(p), std::string("Pad     \0", 9));

    p.SetName("");
    EXPECT_EQ(RawName(p), std::string("        \0", 9));
    EXPECT_EQ(p.GetName(), "");

    // Inner blanks stay; only trailing ones go.
    p.SetName("A B");
    EXPECT_EQ(p.GetName(), "A B");
}

TEST(Preset, GetNameStopsAtTerminatorAndNeverReadsPastEightCharacters) {
    Preset p;
    std::memcpy(p.name, "XY\0ZZZZZZ", 9);
    EXPECT_EQ(p.GetName(), "XY");
    std::memset(p.name, 'Q', sizeof p.name); // no terminator at all (outside bytes)
    EXPECT_EQ(p.GetName(), "QQQQQQQQ");
}

TEST(Preset, SetMidiClockClampsToFiftyTo254Bpm) {
    Preset p;
    const std::vector<std::pair<int, int>> cases = {{255, 127}, {254, 127}, {121, 60},
                                                    {120, 60},  {50, 25},   {49, 25},
                                                    {0, 25},    {-5, 25},   {100000, 127}};
    for (const auto& [bpm, stored] : cases) {
        p.SetMidiClock(bpm);
        EXPECT_EQ(p.midiClock, stored) << "bpm " << bpm;
    }
}

TEST(Preset, SetTransposeClampsSignAndMagnitude) {
    Preset p;
    const std::vector<std::pair<int, int>> cases = {
        {0, 0},     {63, 63},     {64, 63},     {70, 63},     {127, 63},    {0x80, 0},
        {129, 129}, {0xBF, 0xBF}, {0xC0, 0xBF}, {0xC5, 0xBF}, {0xFF, 0xBF}, {0x8C, 0x8C}};
    for (const auto& [v, stored] : cases) {
        p.SetTranspose(3, v);
        EXPECT_EQ(p.transpose[3], stored) << "value " << v;
    }
    EXPECT_EQ(p.transpose[0], 0) << "other splits untouched";
}

TEST(Preset, CopyFromCopiesEveryDataField) {
    Preset a;
    a.SetName("SOURCE");
    a.linkPreset = 9;
    a.presetSwitch = 3;
    a.slowVelocityZero[7] = 0x80;
    a.bankLsb[2] = 127;
    Preset b;
    b.CopyFrom(a);
    EXPECT_TRUE(b.SameData(a));
    b.volume[5] = 1;
    EXPECT_FALSE(b.SameData(a));
}

TEST(PresetDefaults, StoredFormIsFortyLittleEndianBytes) {
    PresetDefaults d;
    d.linkPreset = kLinkToSelf;
    d.midiClock = 60;
    d.presetSwitch = 2;
    const auto bytes = d.ToBytes();
    ASSERT_EQ(bytes.size(), 40u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data()), 9),
              std::string("INITPRES\0", 9));
    EXPECT_EQ(bytes[9], 0);  // Wheel 1
    EXPECT_EQ(bytes[12], 7); // Slide 2
    EXPECT_EQ(bytes[18], 4); // Extern Switch 2
    EXPECT_EQ(bytes[19], 0); // padding
    EXPECT_EQ(bytes[20], 60);
    for (int i = 32; i < 36; ++i)
        EXPECT_EQ(bytes[static_cast<std::size_t>(i)], 0xFF) << "link -1 at byte " << i;
    EXPECT_EQ(bytes[36], 2);

    PresetDefaults back;
    ASSERT_TRUE(back.FromBytes(bytes));
    EXPECT_EQ(back, d);
}

TEST(PresetDefaults, OlderNineteenByteFormResetsTheNumbers) {
    PresetDefaults d;
    d.midiClock = 100;
    d.masterChannel = 3;
    d.realtimeMode = 2;
    d.linkPreset = 7;
    d.presetSwitch = 1;
    PresetDefaults source;
    std::memcpy(source.name, "OLDFORM\0", 9);
    source.ctrlFunctions[0] = 9;
    source.switchFunctions[1] = 12;
    const auto full = source.ToBytes();
    ASSERT_TRUE(d.FromBytes(std::span(full.data(), 19)));
    EXPECT_STREQ(d.name, "OLDFORM");
    EXPECT_EQ(d.ctrlFunctions[0], 9);
    EXPECT_EQ(d.switchFunctions[1], 12);
    EXPECT_EQ(d.midiClock, 25);
    EXPECT_EQ(d.masterChannel, 0);
    EXPECT_EQ(d.realtimeMode, 0);
    EXPECT_EQ(d.linkPreset, 0);
    EXPECT_EQ(d.presetSwitch, 0);
}

TEST(PresetDefaults, OtherLengthsLeaveTheDefaultsUnchanged) {
    PresetDefaults d;
    d.midiClock = 77;
    const PresetDefaults before = d;
    const std::vector<std::uint8_t> odd(39, 0x41);
    EXPECT_FALSE(d.FromBytes(odd));
    EXPECT_FALSE(d.FromBytes(std::vector<std::uint8_t>(41, 0)));
    EXPECT_FALSE(d.FromBytes({}));
    EXPECT_EQ(d, before);
}

TEST(PresetInit, UserDefaultsMapSheetOrderAndLink) {
    PresetDefaults d;
    // Sheet order: Wheel 1, Wheel 2, Slide 1, Slide 2, Data Entry, Aftertouch, Ext 1, Ext 2.
    const std::uint8_t sheet[8] = {10, 11, 12, 13, 14, 15, 8, 9};
    std::memcpy(d.ctrlFunctions, sheet, 8);
    d.linkPreset = kLinkToSelf;
    d.midiClock = 60;
    d.masterChannel = 5;
    Preset p;
    p.Init(&d, 17);
    // Record order: Wheel 1, Wheel 2, Ext 2, Ext 1, Slide 1, Aftertouch, Slide 2, Data Entry.
    EXPECT_EQ(p.ctrlAssign, (std::array<std::uint8_t, 8>{10, 11, 9, 8, 12, 15, 13, 14}));
    EXPECT_EQ(p.linkPreset, 17);
    EXPECT_EQ(p.midiClock, 60);
    EXPECT_EQ(p.masterChannel, 5);

    d.linkPreset = 5;
    p.Init(&d, 17);
    EXPECT_EQ(p.linkPreset, 5);
}

TEST(PresetInit, ShortDefaultNameIsPaddedWithSpaces) {
    PresetDefaults d;
    std::memcpy(d.name, "AB\0", 3);
    Preset p;
    p.SetName("LEFTOVER");
    p.Init(&d, 0);
    EXPECT_EQ(RawName(p), std::string("AB      \0", 9));
}

TEST(BankDefaults, LoadPresetDefaultsUnlinksAndReachesOnlyPresetsInUse) {
    Bank bank; // LMK3
    bank.presets[64].SetName("OUTSIDE");
    bank.presets[3].SetName("INSIDE");
    PresetDefaults d;
    d.linkPreset = 5;
    std::memcpy(d.name, "FRESH\0", 6);
    const auto stored = d.ToBytes();
    bank.LoadPresetDefaults(stored);
    EXPECT_EQ(bank.presetDefaults, d);
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(bank.presets[static_cast<std::size_t>(i)].linkPreset, i);
        EXPECT_EQ(bank.presets[static_cast<std::size_t>(i)].GetName(), "FRESH");
    }
    EXPECT_EQ(bank.presets[64].GetName(), "OUTSIDE");

    bank.SetKeyboardType(kLmk4);
    bank.LoadPresetDefaults(std::vector<std::uint8_t>(7, 0)); // bad length: defaults kept
    EXPECT_EQ(bank.presetDefaults, d);
    EXPECT_EQ(bank.presets[126].linkPreset, 126);
    EXPECT_EQ(bank.presets[126].GetName(), "FRESH");
}
