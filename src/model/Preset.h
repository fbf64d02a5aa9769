// One preset of the keyboard: eight splits, controller and switch assignments and the global
// values. Fields are plain bytes exactly as the keyboard and the .lmk file hold them; the plain
// setters do no range checking (the pages keep values in range).
#pragma once

#include "KeyboardType.h"
#include "PresetDefaults.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace presetor {

class Archive;

// Record order of the eight variable controllers (index into ctrlAssign).
enum Controller : int {
    kCtrlWheel1 = 0,
    kCtrlWheel2 = 1,
    kCtrlExtern2 = 2,
    kCtrlExtern1 = 3,
    kCtrlSlide1 = 4,
    kCtrlAftertouch = 5,
    kCtrlSlide2 = 6,
    kCtrlDataEntry = 7,
};

// The 150-byte SysEx payload starts at this offset of a single dump.
constexpr int kPayloadOffset = 9;
constexpr int kPayloadSize = 150;

using SplitBytes = std::array<std::uint8_t, kSplitCount>;

class Preset {
public:
    Preset();
    Preset(const Preset& other) { CopyFrom(other); }
    Preset& operator=(const Preset& other) {
        CopyFrom(other);
        return *this;
    }

    // Resets every field. With defaults given, name, assignments and globals come from them
    // (a link of -1 means ownIndex); without, the factory values are used.
    void Init(const PresetDefaults* userDefaults, int ownIndex);
    // Copies every data field, name and link included.
    void CopyFrom(const Preset& other);

    // Reads or writes one .lmk record (143 bytes for the LMK3, 176 above). Returns false when a
    // read ran short; the caller must then discard the preset.
    bool Serialize(Archive& ar, int keyboardType);

    // Writes the 150 payload bytes at message[9..158]; nothing else.
    void Encode(std::uint8_t* message, int keyboardType) const {
        EncodePayload(message + kPayloadOffset, keyboardType);
    }
    // Reads the 150 payload bytes from message[9..158] and overwrites the fields.
    void Decode(const std::uint8_t* message, int keyboardType) {
        DecodePayload(message + kPayloadOffset, keyboardType);
    }
    // The same, given the payload itself (bulk-dump records).
    void EncodePayload(std::uint8_t* payload, int keyboardType) const;
    void DecodePayload(const std::uint8_t* payload, int keyboardType);

    // Name without trailing white space.
    const std::string& GetName() const;
    // Trims trailing white space, pads with spaces to 8, keeps the first 8, adds the zero.
    void SetName(std::string_view text);

    int GetMidiClock() const { return midiClock * 2; }
    void SetMidiClock(int bpm);
    int GetMasterChannel() const { return masterChannel + 1; }
    void SetMasterChannel(int n) { masterChannel = static_cast<std::uint8_t>(n - 1); }
    int GetMidiChannel(int s) const { return midiChannel[s] + 1; }
    void SetMidiChannel(int s, int n) { midiChannel[s] = static_cast<std::uint8_t>(n - 1); }
    // v is the sign-and-magnitude byte; magnitudes above 63 are clamped, minus zero is zero.
    void SetTranspose(int s, int v);

#define PRESETOR_SPLIT_FIELD(Name, field)                                                          \
    int Get##Name(int s) const {                                                                   \
        return field[s];                                                                           \
    }                                                                                              \
    void Set##Name(int s, int v) {                                                                 \
        field[s] = static_cast<std::uint8_t>(v);                                                   \
    }
#define PRESETOR_FIELD(Name, field)                                                                \
    int Get##Name() const {                                                                        \
        return field;                                                                              \
    }                                                                                              \
    void Set##Name(int v) {                                                                        \
        field = static_cast<std::uint8_t>(v);                                                      \
    }

    PRESETOR_SPLIT_FIELD(LowKey, lowKey)
    PRESETOR_SPLIT_FIELD(HighKey, highKey)
    PRESETOR_SPLIT_FIELD(VelocityCurve, velocityCurve)
    PRESETOR_SPLIT_FIELD(AftertouchCurve, aftertouchCurve)
    PRESETOR_SPLIT_FIELD(CtrlMatrix, ctrlMatrix)
    PRESETOR_SPLIT_FIELD(CtrlAssign, ctrlAssign)
    PRESETOR_SPLIT_FIELD(SwitchMatrix, switchMatrix)
    PRESETOR_SPLIT_FIELD(SwitchAssign, switchAssign)
    PRESETOR_SPLIT_FIELD(ProgramNumber, programNumber)
    PRESETOR_SPLIT_FIELD(ProgramActive, programActive)
    PRESETOR_SPLIT_FIELD(Volume, volume)
    PRESETOR_SPLIT_FIELD(VolumeActive, volumeActive)
    PRESETOR_SPLIT_FIELD(UserCtrlNumber, userCtrlNumber)
    PRESETOR_SPLIT_FIELD(BankMsb, bankMsb)
    PRESETOR_SPLIT_FIELD(BankLsb, bankLsb)
    PRESETOR_SPLIT_FIELD(MidiOut1, midiOut1)
    PRESETOR_SPLIT_FIELD(MidiOut2, midiOut2)
    PRESETOR_SPLIT_FIELD(InputMode, inputMode)
    PRESETOR_SPLIT_FIELD(SlowVelocityZero, slowVelocityZero)
    PRESETOR_FIELD(LinkPreset, linkPreset)
    PRESETOR_FIELD(RealtimeMode, realtimeMode)
    PRESETOR_FIELD(PresetSwitch, presetSwitch)
#undef PRESETOR_SPLIT_FIELD
#undef PRESETOR_FIELD
    int GetTranspose(int s) const {
        return transpose[s];
    }

    // Compares every data field (not the name cache).
    bool SameData(const Preset& other) const;

    // Data fields in declaration order.
    SplitBytes lowKey{};
    SplitBytes highKey{};
    SplitBytes transpose{};
    SplitBytes midiChannel{};
    SplitBytes velocityCurve{};
    SplitBytes aftertouchCurve{};
    SplitBytes ctrlMatrix{};
    std::array<std::uint8_t, kControllerCount> ctrlAssign{};
    SplitBytes switchMatrix{};
    std::array<std::uint8_t, kSwitchCount> switchAssign{};
    char name[kNameLength + 1] = {};
    SplitBytes programNumber{};
    SplitBytes programActive{};
    SplitBytes volume{};
    SplitBytes volumeActive{};
    std::array<std::uint8_t, kUserCtrlCount> userCtrlNumber{};
    std::uint8_t midiClock = 25;
    std::uint8_t linkPreset = 0;
    std::uint8_t masterChannel = 0;
    std::uint8_t realtimeMode = 0;
    SplitBytes bankMsb{};
    SplitBytes bankLsb{};
    SplitBytes midiOut1{};
    SplitBytes midiOut2{};
    SplitBytes inputMode{};
    SplitBytes slowVelocityZero{};
    std::uint8_t presetSwitch = 0;

private:
    mutable std::string nameCache;
};

// "%d.%d (%d)" for a 0-based index: bank = n / 8 + 1, place = n % 8 + 1, serial = n + 1.
std::string PresetPositionText(int index);
// "%s - %d.%d (%d)": the trimmed name, then the position.
std::string PresetTitleText(const Preset& preset, int index);
// The preset index a typed position stands for: a serial number "13", a bank and place "2.5",
// or either text above (the number in brackets counts). -1 when the text names no preset of
// 0..presetCount-1.
int ParsePresetPosition(std::string_view text, int presetCount);

} // namespace presetor
