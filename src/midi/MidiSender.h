// How a byte string goes out on a given MIDI API: raw pieces of at most 100 bytes (JACK, ALSA,
// the virtual keyboard) or whole F0..F7 messages (WinMM, CoreMIDI), with per-chunk progress.
#pragma once

#include "MidiPort.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace presetor {

constexpr std::size_t kMaxChunk = 100;

struct SenderPolicy {
    // true: cut any string into consecutive raw pieces of at most maxChunk bytes.
    // false: send each F0..F7 message whole (bytes outside messages go alone).
    bool rawPieces = true;
    std::size_t maxChunk = kMaxChunk;
};

// Sends one piece; returns false if the driver refused it.
using PieceSender = std::function<bool(std::span<const std::uint8_t>)>;

// Cuts bytes by the policy, hands every piece to send and reports it to progress. A failed
// piece does not stop the loop; the result is true only if every piece was accepted.
bool SendByPolicy(std::span<const std::uint8_t> bytes, const SenderPolicy& policy,
                  const PieceSender& send, const ChunkProgress& progress);

} // namespace presetor
