// Cutting a byte string into the pieces a MIDI API accepts.
#include "MidiSender.h"

#include <algorithm>

namespace presetor {

namespace {

bool SendPiece(std::span<const std::uint8_t> piece, const PieceSender& send,
               const ChunkProgress& progress) {
    const bool ok = send(piece);
    if (progress) {
        progress(piece.size());
    }
    return ok;
}

} // namespace

bool SendByPolicy(std::span<const std::uint8_t> bytes, const SenderPolicy& policy,
                  const PieceSender& send, const ChunkProgress& progress) {
    bool allOk = true;
    if (policy.rawPieces) {
        const std::size_t chunk = std::max<std::size_t>(policy.maxChunk, 1);
        for (std::size_t pos = 0; pos < bytes.size(); pos += chunk) {
            const std::size_t n = std::min(chunk, bytes.size() - pos);
            allOk = SendPiece(bytes.subspan(pos, n), send, progress) && allOk;
        }
        return allOk;
    }
    // Whole messages: F0 up to and including the next F7; anything else goes byte-wise
    // grouped until the next F0.
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = pos + 1;
        if (bytes[pos] == 0xF0) {
            while (end < bytes.size() && bytes[end - 1] != 0xF7) {
                ++end;
            }
        } else {
            while (end < bytes.size() && bytes[end] != 0xF0) {
                ++end;
            }
        }
        allOk = SendPiece(bytes.subspan(pos, end - pos), send, progress) && allOk;
        pos = end;
    }
    return allOk;
}

} // namespace presetor
