// The one bank of 127 presets that the whole program edits, with the keyboard type that says
// how many of them are in use, the current preset and the user's preset defaults.
#pragma once

#include "KeyboardType.h"
#include "Preset.h"
#include "PresetDefaults.h"

#include <array>
#include <cstdint>
#include <span>

namespace presetor {

class Bank {
public:
    Bank() = default;

    // 64 for the LMK3, 127 otherwise. Every loop over the bank runs over this many.
    int PresetCount() const { return PresetCountFor(keyboardType); }

    // Sets the type, its minor number and the chosen flag.
    void SetKeyboardType(int type);

    // Takes the stored "DefaultPreset" value (40 or 19 bytes; anything else, or empty, keeps
    // presetDefaults), then resets presets 0..PresetCount()-1 from the defaults, each linked to
    // itself.
    void LoadPresetDefaults(std::span<const std::uint8_t> stored = {});

    // The preset whose index is clamped into the bank; callers use currentPreset through this.
    Preset& Current() { return presets[static_cast<std::size_t>(CurrentIndex())]; }
    const Preset& Current() const { return presets[static_cast<std::size_t>(CurrentIndex())]; }
    int CurrentIndex() const;

    // Data of the presets in use, keyboard type included, compared field by field.
    bool SameContents(const Bank& other) const;

    std::array<Preset, kMaxPresets> presets{};
    int currentPreset = 0;
    int keyboardType = kLmk3;
    int keyboardMinor = KeyboardMinorFor(kLmk3);
    bool keyboardTypeChosen = false;
    PresetDefaults presetDefaults{};
};

} // namespace presetor
