// The user's preset default settings and their 40-byte stored form ("DefaultPreset").
// The older 19-byte form (name and assignments only) is accepted on reading.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace presetor {

// Controller order of the defaults sheet (differs from the record's ctrlAssign order).
enum DefaultsController : int {
    kDefWheel1 = 0,
    kDefWheel2 = 1,
    kDefSlide1 = 2,
    kDefSlide2 = 3,
    kDefDataEntry = 4,
    kDefAftertouch = 5,
    kDefExtern1 = 6,
    kDefExtern2 = 7,
};

// Link value meaning "each preset links to itself".
constexpr std::int32_t kLinkToSelf = -1;

struct PresetDefaults {
    static constexpr std::size_t kStoredSize = 40;
    static constexpr std::size_t kOldStoredSize = 19;

    char name[9] = {'I', 'N', 'I', 'T', 'P', 'R', 'E', 'S', '\0'};
    std::uint8_t ctrlFunctions[8] = {0, 2, 4, 7, 5, 1, 6, 2}; // sheet order
    std::uint8_t switchFunctions[2] = {0, 4};
    std::int32_t midiClock = 25;
    std::int32_t masterChannel = 0;
    std::int32_t realtimeMode = 0;
    std::int32_t linkPreset = 0;
    std::int32_t presetSwitch = 0;

    // The 40-byte little-endian stored form.
    std::array<std::uint8_t, kStoredSize> ToBytes() const;

    // Takes a stored value: 40 bytes whole, 19 bytes with the rest set to the factory values.
    // Any other size is refused and leaves the defaults unchanged.
    bool FromBytes(std::span<const std::uint8_t> stored);

    friend bool operator==(const PresetDefaults&, const PresetDefaults&) = default;
};

} // namespace presetor
