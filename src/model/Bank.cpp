// Bank-wide state and the fresh bank built from the preset defaults.
#include "Bank.h"

#include <algorithm>

namespace presetor {

void Bank::SetKeyboardType(int type) {
    keyboardType = type == kLmk3 ? kLmk3 : kLmk4;
    keyboardMinor = KeyboardMinorFor(keyboardType);
    keyboardTypeChosen = true;
}

void Bank::LoadPresetDefaults(std::span<const std::uint8_t> stored) {
    if (!stored.empty())
        presetDefaults.FromBytes(stored);
    for (int i = 0; i < PresetCount(); ++i) {
        presets[static_cast<std::size_t>(i)].Init(&presetDefaults, i);
        presets[static_cast<std::size_t>(i)].linkPreset = static_cast<std::uint8_t>(i);
    }
}

int Bank::CurrentIndex() const {
    return std::clamp(currentPreset, 0, PresetCount() - 1);
}

bool Bank::SameContents(const Bank& other) const {
    if (keyboardType != other.keyboardType)
        return false;
    for (int i = 0; i < PresetCount(); ++i)
        if (!presets[static_cast<std::size_t>(i)].SameData(
                other.presets[static_cast<std::size_t>(i)]))
            return false;
    return true;
}

} // namespace presetor
