// The 150-byte 7-bit SysEx payload of a preset: 15 groups of eight 8-bit values, each group
// folded into ten MIDI data bytes.
#include "Preset.h"

#include <cstring>

namespace presetor {

namespace {

constexpr int kGroupCount = 15;
constexpr int kGroupSize = 10;

// Group numbers in payload order.
enum Group : int {
    kGLowKey = 0,
    kGHighKey = 1,
    kGTranspose = 2,
    kGChannel = 3,
    kGCurves = 4,
    kGCtrlMatrix = 5,
    kGSplitFlags = 6,
    kGCtrlAssign = 7,
    kGName = 8,
    kGProgram = 9,
    kGVolume = 10,
    kGActive = 11,
    kGUserCtrl = 12,
    kGGlobals = 13,
    kGBankMsb = 14,
};

// Byte k of group 7 holds the function of this controller (ctrlAssign index).
constexpr int kLmk3CtrlOrder[kControllerCount] = {kCtrlWheel1,  kCtrlWheel2,   kCtrlExtern2,
                                                  kCtrlExtern1, kCtrlSlide1,   kCtrlAftertouch,
                                                  kCtrlSlide2,  kCtrlDataEntry};
constexpr int kLmk4CtrlOrder[kControllerCount] = {kCtrlWheel1,  kCtrlWheel2,   kCtrlExtern1,
                                                  kCtrlExtern2, kCtrlSlide2,   kCtrlAftertouch,
                                                  kCtrlSlide1,  kCtrlDataEntry};

const int* CtrlOrder(int keyboardType) {
    return HasLmk4Fields(keyboardType) ? kLmk4CtrlOrder : kLmk3CtrlOrder;
}

// Group 6 bits (LMK4 only above bit 1).
constexpr std::uint8_t kOut2OffBit = 0x04;
constexpr std::uint8_t kOut1OffBit = 0x08;
constexpr int kInputModeShift = 4;
constexpr std::uint8_t kSlowVelocityBit = 0x80;

using GroupValues = std::uint8_t[8];

void PackGroup(const GroupValues b, std::uint8_t* out) {
    std::uint8_t high1 = 0;
    std::uint8_t high2 = 0;
    for (int k = 0; k < 4; ++k) {
        out[k] = b[k] & 0x7F;
        out[5 + k] = b[4 + k] & 0x7F;
        high1 |= static_cast<std::uint8_t>(((b[k] >> 7) & 1) << k);
        high2 |= static_cast<std::uint8_t>(((b[4 + k] >> 7) & 1) << k);
    }
    out[4] = high1;
    out[9] = high2;
}

void UnpackGroup(const std::uint8_t* in, GroupValues b) {
    for (int k = 0; k < 4; ++k) {
        b[k] = static_cast<std::uint8_t>((in[k] & 0x7F) | (((in[4] >> k) & 1) << 7));
        b[4 + k] = static_cast<std::uint8_t>((in[5 + k] & 0x7F) | (((in[9] >> k) & 1) << 7));
    }
}

std::uint8_t Bit(int value, int bit) {
    return static_cast<std::uint8_t>((value >> bit) & 1);
}

} // namespace

void Preset::EncodePayload(std::uint8_t* payload, int keyboardType) const {
    const bool lmk4 = HasLmk4Fields(keyboardType);
    const int* order = CtrlOrder(keyboardType);
    GroupValues g[kGroupCount] = {};

    for (int s = 0; s < kSplitCount; ++s) {
        const int lsb = bankLsb[s];
        g[kGLowKey][s] = static_cast<std::uint8_t>((lowKey[s] & 0x7F) | (Bit(lsb, 4) << 7));
        g[kGHighKey][s] = static_cast<std::uint8_t>((highKey[s] & 0x7F) | (Bit(lsb, 5) << 7));
        g[kGTranspose][s] = transpose[s];
        g[kGChannel][s] = static_cast<std::uint8_t>((midiChannel[s] & 0x0F) | ((lsb & 0x0F) << 4));
        g[kGCurves][s] =
            static_cast<std::uint8_t>((velocityCurve[s] & 0x1F) | (aftertouchCurve[s] << 5));
        g[kGCtrlMatrix][s] = ctrlMatrix[s];
        std::uint8_t flags = switchMatrix[s] & 0x03;
        if (lmk4) {
            if (midiOut2[s] == 0)
                flags |= kOut2OffBit;
            if (midiOut1[s] == 0)
                flags |= kOut1OffBit;
            flags |= static_cast<std::uint8_t>((inputMode[s] << kInputModeShift) & 0x70);
            if (slowVelocityZero[s] != 0)
                flags |= kSlowVelocityBit;
        }
        g[kGSplitFlags][s] = flags;
        g[kGProgram][s] = programNumber[s];
        g[kGVolume][s] = volume[s];
        if (programActive[s] != 0)
            g[kGActive][0] |= static_cast<std::uint8_t>(1 << s);
        if (volumeActive[s] != 0)
            g[kGActive][1] |= static_cast<std::uint8_t>(1 << s);
        g[kGBankMsb][s] = static_cast<std::uint8_t>((bankMsb[s] & 0x7F) | (Bit(lsb, 6) << 7));
    }
    for (int k = 0; k < kControllerCount; ++k)
        g[kGCtrlAssign][k] = ctrlAssign[order[k]] & 0x0F;
    g[kGCtrlAssign][0] |= static_cast<std::uint8_t>(switchAssign[0] << 4);
    g[kGCtrlAssign][1] |= static_cast<std::uint8_t>(switchAssign[1] << 4);
    for (int k = 0; k < kNameLength; ++k)
        g[kGName][k] = static_cast<std::uint8_t>(name[k]);
    for (int k = 0; k < kUserCtrlCount; ++k)
        g[kGUserCtrl][k] = userCtrlNumber[k];
    g[kGGlobals][0] = midiClock;
    g[kGGlobals][1] = linkPreset;
    g[kGGlobals][2] = static_cast<std::uint8_t>((masterChannel & 0x0F) | (presetSwitch << 4));
    g[kGGlobals][3] = realtimeMode;

    for (int i = 0; i < kGroupCount; ++i)
        PackGroup(g[i], payload + i * kGroupSize);
}

void Preset::DecodePayload(const std::uint8_t* payload, int keyboardType) {
    const bool lmk4 = HasLmk4Fields(keyboardType);
    const int* order = CtrlOrder(keyboardType);
    GroupValues g[kGroupCount];
    for (int i = 0; i < kGroupCount; ++i)
        UnpackGroup(payload + i * kGroupSize, g[i]);

    for (int s = 0; s < kSplitCount; ++s) {
        bankLsb[s] = static_cast<std::uint8_t>(
            (g[kGChannel][s] >> 4) | (Bit(g[kGLowKey][s], 7) << 4) |
            (Bit(g[kGHighKey][s], 7) << 5) | (Bit(g[kGBankMsb][s], 7) << 6));
        lowKey[s] = g[kGLowKey][s] & 0x7F;
        highKey[s] = g[kGHighKey][s] & 0x7F;
        transpose[s] = g[kGTranspose][s];
        midiChannel[s] = g[kGChannel][s] & 0x0F;
        velocityCurve[s] = g[kGCurves][s] & 0x1F;
        aftertouchCurve[s] = static_cast<std::uint8_t>(g[kGCurves][s] >> 5);
        ctrlMatrix[s] = g[kGCtrlMatrix][s];
        const std::uint8_t flags = g[kGSplitFlags][s];
        switchMatrix[s] = flags & 0x03;
        if (lmk4) {
            midiOut2[s] = (flags & kOut2OffBit) ? 0 : 1;
            midiOut1[s] = (flags & kOut1OffBit) ? 0 : 1;
            inputMode[s] = static_cast<std::uint8_t>((flags >> kInputModeShift) & 0x07);
            slowVelocityZero[s] = flags & kSlowVelocityBit;
        }
        programNumber[s] = g[kGProgram][s];
        volume[s] = g[kGVolume][s];
        programActive[s] = Bit(g[kGActive][0], s);
        volumeActive[s] = Bit(g[kGActive][1], s);
        bankMsb[s] = g[kGBankMsb][s] & 0x7F;
    }
    for (int k = 0; k < kControllerCount; ++k)
        ctrlAssign[order[k]] = g[kGCtrlAssign][k] & 0x0F;
    switchAssign[0] = static_cast<std::uint8_t>(g[kGCtrlAssign][0] >> 4);
    switchAssign[1] = static_cast<std::uint8_t>(g[kGCtrlAssign][1] >> 4);
    for (int k = 0; k < kNameLength; ++k)
        name[k] = static_cast<char>(g[kGName][k]);
    name[kNameLength] = '\0';
    for (int k = 0; k < kUserCtrlCount; ++k)
        userCtrlNumber[k] = g[kGUserCtrl][k];
    midiClock = g[kGGlobals][0];
    linkPreset = g[kGGlobals][1];
    masterChannel = g[kGGlobals][2] & 0x0F;
    presetSwitch = static_cast<std::uint8_t>((g[kGGlobals][2] >> 4) & 0x03);
    realtimeMode = g[kGGlobals][3];
}

} // namespace presetor
