// Cutting a byte string into the pieces a MIDI API accepts.
#include "MidiSender.h"

#include <algorithm>
#include <chrono>
#include <thread>

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

void SendThrottle::Wait(std::size_t n) {
    if (policy_.bytesPerSecond <= 0) {
        return;
    }
    using namespace std::chrono;
    const auto nowUs = [] {
        return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
    };
    const double burst = static_cast<double>(std::max(policy_.burstBytes, n));
    std::int64_t now = nowUs();
    if (tokens_ < 0) {
        tokens_ = burst;
    } else {
        tokens_ = std::min(burst, tokens_ + static_cast<double>(now - lastUs_) *
                                                policy_.bytesPerSecond / 1e6);
    }
    lastUs_ = now;
    const double need = static_cast<double>(n);
    if (tokens_ < need) {
        const auto waitUs =
            static_cast<std::int64_t>((need - tokens_) * 1e6 / policy_.bytesPerSecond) + 1;
        std::this_thread::sleep_for(microseconds(waitUs));
        now = nowUs();
        tokens_ += static_cast<double>(now - lastUs_) * policy_.bytesPerSecond / 1e6;
        lastUs_ = now;
    }
    tokens_ -= need;
}

void MessagePause::Before(std::span<const std::uint8_t> piece) {
    if (!piece.empty() && piece.front() == 0xF0 && pauseMs_ > 0 && sentAny_) {
        std::this_thread::sleep_until(lastMessageEnd_ + std::chrono::milliseconds(pauseMs_));
    }
}

void MessagePause::After(std::span<const std::uint8_t> piece) {
    sentAny_ = true;
    if (!piece.empty() && piece.back() == 0xF7) {
        lastMessageEnd_ = std::chrono::steady_clock::now();
    }
}

} // namespace presetor
