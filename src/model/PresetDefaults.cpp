// Stored form of the preset default settings.
#include "PresetDefaults.h"

#include <cstring>

namespace presetor {

namespace {

// Byte offsets of the stored form.
constexpr std::size_t kOffName = 0;
constexpr std::size_t kOffCtrl = 9;
constexpr std::size_t kOffSwitch = 17;
constexpr std::size_t kOffPad = 19;
constexpr std::size_t kOffMidiClock = 20;
constexpr std::size_t kOffMasterChannel = 24;
constexpr std::size_t kOffRealtimeMode = 28;
constexpr std::size_t kOffLinkPreset = 32;
constexpr std::size_t kOffPresetSwitch = 36;

void PutLe32(std::uint8_t* at, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::int32_t GetLe32(const std::uint8_t* at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    return static_cast<std::int32_t>(v);
}

} // namespace

std::array<std::uint8_t, PresetDefaults::kStoredSize> PresetDefaults::ToBytes() const {
    std::array<std::uint8_t, kStoredSize> out{};
    std::memcpy(out.data() + kOffName, name, sizeof name);
    std::memcpy(out.data() + kOffCtrl, ctrlFunctions, sizeof ctrlFunctions);
    std::memcpy(out.data() + kOffSwitch, switchFunctions, sizeof switchFunctions);
    out[kOffPad] = 0;
    PutLe32(out.data() + kOffMidiClock, midiClock);
    PutLe32(out.data() + kOffMasterChannel, masterChannel);
    PutLe32(out.data() + kOffRealtimeMode, realtimeMode);
    PutLe32(out.data() + kOffLinkPreset, linkPreset);
    PutLe32(out.data() + kOffPresetSwitch, presetSwitch);
    return out;
}

bool PresetDefaults::FromBytes(std::span<const std::uint8_t> stored) {
    if (stored.size() != kStoredSize && stored.size() != kOldStoredSize)
        return false;
    const std::uint8_t* in = stored.data();
    std::memcpy(name, in + kOffName, sizeof name);
    std::memcpy(ctrlFunctions, in + kOffCtrl, sizeof ctrlFunctions);
    std::memcpy(switchFunctions, in + kOffSwitch, sizeof switchFunctions);
    if (stored.size() == kOldStoredSize) {
        midiClock = 25;
        masterChannel = 0;
        realtimeMode = 0;
        linkPreset = 0;
        presetSwitch = 0;
        return true;
    }
    midiClock = GetLe32(in + kOffMidiClock);
    masterChannel = GetLe32(in + kOffMasterChannel);
    realtimeMode = GetLe32(in + kOffRealtimeMode);
    linkPreset = GetLe32(in + kOffLinkPreset);
    presetSwitch = GetLe32(in + kOffPresetSwitch);
    return true;
}

} // namespace presetor
