// Known-answer vectors of the payload codec and its checksums, and the round trip.
#include "model/Checksum.h"
#include "model/Preset.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

using namespace presetor;

namespace {

using Group = std::array<std::uint8_t, 10>;

std::array<std::uint8_t, 161> EncodeMessage(const Preset& p, int type) {
    std::array<std::uint8_t, 161> m{};
    p.Encode(m.data(), type);
    return m;
}

Group GroupOf(const std::array<std::uint8_t, 161>& m, int g) {
    Group out{};
    for (int i = 0; i < 10; ++i)
        out[static_cast<std::size_t>(i)] = m[static_cast<std::size_t>(9 + 10 * g + i)];
    return out;
}

} // namespace

TEST(Codec, FactoryPresetEncodesToKnownGroupsForLmk3) {
    const auto m = EncodeMessage(Preset(), kLmk3);
    const Group zero{};
    for (int g = 0; g < 15; ++g) {
        switch (g) {
        case 0:
            EXPECT_EQ(GroupOf(m, g), (Group{0x15, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
            break;
        case 1:
            EXPECT_EQ(GroupOf(m, g), (Group{0x6C, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
            break;
        case 3:
            EXPECT_EQ(GroupOf(m, g), (Group{0, 1, 2, 3, 0, 4, 5, 6, 7, 0}));
            break;
        case 7:
            EXPECT_EQ(GroupOf(m, g), (Group{0, 0x42, 2, 6, 0, 4, 1, 7, 5, 0}));
            break;
        case 8:
            EXPECT_EQ(GroupOf(m, g), (Group{0x49, 0x4E, 0x49, 0x54, 0, 0x50, 0x52, 0x45, 0x53, 0}));
            break;
        case 13:
            EXPECT_EQ(GroupOf(m, g), (Group{0x19, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
            break;
        default:
            EXPECT_EQ(GroupOf(m, g), zero) << "group " << g;
        }
    }
    EXPECT_EQ(SingleDumpChecksum(m.data()), 0x66);
    EXPECT_EQ(BulkRecordChecksum(m.data() + 9), 0x7F);
}

TEST(Codec, Lmk4DiffersOnlyInControllerOrder) {
    const auto m3 = EncodeMessage(Preset(), kLmk3);
    const auto m4 = EncodeMessage(Preset(), kLmk4);
    EXPECT_EQ(GroupOf(m4, 7), (Group{0, 0x42, 6, 2, 0, 7, 1, 4, 5, 0}));
    for (int g = 0; g < 15; ++g) {
        if (g != 7) {
            EXPECT_EQ(GroupOf(m3, g), GroupOf(m4, g)) << "group " << g;
        }
    }
    EXPECT_EQ(SingleDumpChecksum(m4.data()), 0x66);
    EXPECT_EQ(BulkRecordChecksum(m4.data() + 9), 0x7F);
}

TEST(Codec, SignedTransposeAndSplitBankLsbTravelThroughHighBits) {
    Preset p;
    p.SetTranspose(0, 0x8C);
    auto m = EncodeMessage(p, kLmk3);
    EXPECT_EQ(GroupOf(m, 2), (Group{0x0C, 0, 0, 0, 1, 0, 0, 0, 0, 0}));

    Preset b;
    b.bankLsb[0] = 127;
    b.bankMsb[0] = 127;
    m = EncodeMessage(b, kLmk3);
    EXPECT_EQ(GroupOf(m, 0)[4], 1);
    EXPECT_EQ(GroupOf(m, 1)[4], 1);
    EXPECT_EQ(GroupOf(m, 14)[4], 1);
    EXPECT_EQ(GroupOf(m, 3), (Group{0x70, 1, 2, 3, 1, 4, 5, 6, 7, 0}));
    Preset back;
    back.bankLsb[0] = 3; // nothing of the old value may survive
    back.Decode(m.data(), kLmk3);
    EXPECT_EQ(back.bankLsb[0], 127);
    EXPECT_EQ(back.bankMsb[0], 127);
}

TEST(Codec, Lmk4SplitFlagsPackOutputsInputModeAndSlowVelocity) {
    Preset p;
    p.midiOut1[0] = 0;
    p.midiOut2[0] = 0;
    p.inputMode[0] = 3;
    auto m = EncodeMessage(p, kLmk4);
    EXPECT_EQ(GroupOf(m, 6)[0], 0x3C);
    // On an LMK3 those fields are neither sent nor received.
    m = EncodeMessage(p, kLmk3);
    EXPECT_EQ(GroupOf(m, 6)[0], 0);
}

TEST(Codec, RoundTripRestoresEveryFieldInRange) {
    Preset p;
    for (int s = 0; s < 8; ++s) {
        p.lowKey[s] = static_cast<std::uint8_t>(21 + s);
        p.highKey[s] = static_cast<std::uint8_t>(100 + s);
        p.SetTranspose(s, s % 2 ? 0x80 + s * 7 : s * 7);
        p.midiChannel[s] = static_cast<std::uint8_t>(15 - s);
        p.velocityCurve[s] = static_cast<std::uint8_t>(31 - s);
        p.aftertouchCurve[s] = static_cast<std::uint8_t>(7 - s % 8);
        p.ctrlMatrix[s] = static_cast<std::uint8_t>(0xA5 ^ s);
        p.ctrlAssign[s] = static_cast<std::uint8_t>(15 - s);
        p.switchMatrix[s] = static_cast<std::uint8_t>(s % 4);
        p.programNumber[s] = static_cast<std::uint8_t>(127 - s);
        p.programActive[s] = s % 2;
        p.volume[s] = static_cast<std::uint8_t>(120 + s);
        p.volumeActive[s] = (s + 1) % 2;
        p.userCtrlNumber[s] = static_cast<std::uint8_t>(64 + s);
        p.bankMsb[s] = static_cast<std::uint8_t>(s * 15);
        p.bankLsb[s] = static_cast<std::uint8_t>(127 - s * 9);
        p.midiOut1[s] = s % 2;
        p.midiOut2[s] = (s / 2) % 2;
        p.inputMode[s] = static_cast<std::uint8_t>(s % 4);
        p.slowVelocityZero[s] = s % 3 == 0 ? 0x80 : 0;
    }
    p.switchAssign = {9, 15};
    p.SetName("Zebra~1");
    p.midiClock = 127;
    p.linkPreset = 126;
    p.masterChannel = 15;
    p.realtimeMode = 3;
    p.presetSwitch = 3;

    for (int type : {kLmk3, kLmk4}) {
        const auto m = EncodeMessage(p, type);
        for (std::size_t i = 9; i < 159; ++i)
            ASSERT_LT(m[i], 0x80) << "byte " << i;
        Preset back;
        back.CopyFrom(p); // LMK4-only fields stay as they were on an LMK3
        back.Init(nullptr, 0);
        if (type == kLmk3) {
            back.midiOut1 = p.midiOut1;
            back.midiOut2 = p.midiOut2;
            back.inputMode = p.inputMode;
            back.slowVelocityZero = p.slowVelocityZero;
        }
        back.Decode(m.data(), type);
        EXPECT_TRUE(back.SameData(p)) << "type " << type;
    }
}

TEST(Codec, SlowVelocityComesBackAs0x80) {
    Preset p;
    p.slowVelocityZero[2] = 1;
    const auto m = EncodeMessage(p, kLmk4);
    Preset back;
    back.Decode(m.data(), kLmk4);
    EXPECT_EQ(back.slowVelocityZero[2], 0x80);
}
