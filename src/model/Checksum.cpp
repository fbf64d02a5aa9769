// 7-bit checksums.
#include "Checksum.h"

namespace presetor {

std::uint8_t Checksum7(const std::uint8_t* bytes, std::size_t n) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < n; ++i)
        sum += bytes[i];
    return static_cast<std::uint8_t>(sum & 0x7F);
}

} // namespace presetor
