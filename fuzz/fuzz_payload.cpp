// Fuzzes the payload decoder with any 150 bytes for either keyboard type: decoding never reads
// outside the payload, encoding gives 7-bit bytes, and decoding what was encoded changes nothing.
#include "FuzzCheck.h"
#include "model/Preset.h"

#include <array>

using namespace presetor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 + kPayloadSize)
        return 0;
    const int type = (data[0] & 1) ? kLmk4 : kLmk3;
    const std::uint8_t* payload = data + 1;

    Preset decoded;
    decoded.DecodePayload(payload, type);
    std::array<std::uint8_t, kPayloadSize> encoded{};
    decoded.EncodePayload(encoded.data(), type);
    for (std::uint8_t b : encoded)
        FUZZ_CHECK(b < 0x80);

    Preset again = decoded;
    again.DecodePayload(encoded.data(), type);
    FUZZ_CHECK(again.SameData(decoded));
    return 0;
}
