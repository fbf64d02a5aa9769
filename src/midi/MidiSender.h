// How a byte string goes out on a given MIDI API: raw pieces of at most 100 bytes (JACK, ALSA,
// the virtual keyboard) or whole F0..F7 messages (WinMM, CoreMIDI), with per-chunk progress.
#pragma once

#include "MidiPort.h"

#include <chrono>
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
    // > 0: keep the output rate below this many bytes per second after a burst of burstBytes.
    // RtMidi's JACK output drops pieces silently once its 16 KiB ring is full, so a JACK
    // sender must not run far ahead of the server's process cycle.
    int bytesPerSecond = 0;
    std::size_t burstBytes = 0;
};

// Token bucket that keeps a sender within SenderPolicy::bytesPerSecond.
class SendThrottle {
public:
    explicit SendThrottle(const SenderPolicy& policy) : policy_(policy) {}
    // Blocks until n more bytes may go out.
    void Wait(std::size_t n);

private:
    SenderPolicy policy_;
    double tokens_ = -1; // bytes that may go out now; -1 before the first piece
    std::int64_t lastUs_ = 0;
};

// The pause a port keeps between consecutive messages (0 = none): a piece that starts a message
// waits until pauseMs after the end of the previous message that went out.
class MessagePause {
public:
    explicit MessagePause(int pauseMs) : pauseMs_(pauseMs) {}
    // Before a piece goes out.
    void Before(std::span<const std::uint8_t> piece);
    // After a piece went out.
    void After(std::span<const std::uint8_t> piece);

private:
    int pauseMs_;
    bool sentAny_ = false;
    std::chrono::steady_clock::time_point lastMessageEnd_{};
};

// Sends one piece; returns false if the driver refused it.
using PieceSender = std::function<bool(std::span<const std::uint8_t>)>;

// Cuts bytes by the policy, hands every piece to send and reports it to progress. A failed
// piece does not stop the loop; the result is true only if every piece was accepted.
bool SendByPolicy(std::span<const std::uint8_t> bytes, const SenderPolicy& policy,
                  const PieceSender& send, const ChunkProgress& progress);

} // namespace presetor
