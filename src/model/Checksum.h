// The keyboard's 7-bit checksums: sums of payload bytes as sent, modulo 128.
#pragma once

#include <cstddef>
#include <cstdint>

namespace presetor {

// Payload bytes covered by a single dump's checksum (message bytes 9..109).
constexpr std::size_t kSingleChecksumSpan = 101;

// Low 7 bits of the sum of n bytes.
std::uint8_t Checksum7(const std::uint8_t* bytes, std::size_t n);

// Checksum of a single dump: payload bytes 0..100 only. message points at the message start.
inline std::uint8_t SingleDumpChecksum(const std::uint8_t* message) {
    return Checksum7(message + 9, kSingleChecksumSpan);
}

// Checksum of a bulk record: all 150 payload bytes. payload points at the payload.
inline std::uint8_t BulkRecordChecksum(const std::uint8_t* payload) {
    return Checksum7(payload, 150);
}

} // namespace presetor
