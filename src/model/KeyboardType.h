// Keyboard types and the bank sizes that follow from them.
// 3 = LMK3 (firmware 4.xx, 64 presets), 4 = LMK4/LMK4+ (127 presets).
#pragma once

namespace presetor {

constexpr int kLmk3 = 3;
constexpr int kLmk4 = 4;

constexpr int kSplitCount = 8;
constexpr int kControllerCount = 8;
constexpr int kSwitchCount = 2;
constexpr int kUserCtrlCount = 8;
constexpr int kMaxPresets = 127;
constexpr int kLmk3PresetCount = 64;
constexpr int kLmk4PresetCount = 127;
constexpr int kNameLength = 8;

// Presets in use for a keyboard type: 64 for the LMK3, 127 for anything above.
constexpr int PresetCountFor(int keyboardType) {
    return keyboardType == kLmk3 ? kLmk3PresetCount : kLmk4PresetCount;
}

// The minor number stored beside the type: 4 with the LMK3, 1 with the LMK4.
constexpr int KeyboardMinorFor(int keyboardType) {
    return keyboardType == kLmk3 ? 4 : 1;
}

// LMK4-only fields (outputs, input mode, slow velocity, preset switch) exist in files and
// payloads only above type 3.
constexpr bool HasLmk4Fields(int keyboardType) {
    return keyboardType > kLmk3;
}

} // namespace presetor
