// Byte-for-byte comparison of a sent bank with the one read back.
#include "Verify.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace presetor {

std::vector<int> DifferingPresets(const Bank& sent, const Bank& readBack) {
    std::vector<int> differing;
    const int count = std::min(sent.PresetCount(), readBack.PresetCount());
    std::array<std::uint8_t, kPayloadSize> a{};
    std::array<std::uint8_t, kPayloadSize> b{};
    for (int i = 0; i < count; ++i) {
        sent.presets[static_cast<std::size_t>(i)].EncodePayload(a.data(), sent.keyboardType);
        readBack.presets[static_cast<std::size_t>(i)].EncodePayload(b.data(), sent.keyboardType);
        if (a != b) {
            differing.push_back(i);
        }
    }
    for (int i = count; i < sent.PresetCount(); ++i) {
        differing.push_back(i);
    }
    return differing;
}

} // namespace presetor
