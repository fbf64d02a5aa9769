// Pieces and wire time for the paced virtual keyboards.
#include "WirePacing.h"

#include "MidiSender.h"

#include <algorithm>
#include <thread>
#include <utility>

namespace presetor {

Bytes TakeWirePiece(std::deque<std::uint8_t>& pending) {
    Bytes piece;
    while (!pending.empty() && piece.size() < kMaxChunk) {
        piece.push_back(pending.front());
        pending.pop_front();
        if (piece.back() == kSysexEnd) {
            break;
        }
    }
    return piece;
}

void WireClock::Carry(std::size_t n, std::chrono::steady_clock::time_point arrived) {
    constexpr auto kPerByte = std::chrono::microseconds(1000000 / kWireBytesPerSecond);
    wireFree_ = std::max(wireFree_, arrived) + kPerByte * static_cast<int>(n);
    // Some platforms' sleeps end a little early (MinGW's rounds to whole milliseconds); the
    // bytes must never be taken faster than the wire carries them.
    while (std::chrono::steady_clock::now() < wireFree_) {
        std::this_thread::sleep_until(wireFree_);
    }
}

PacedOutput::PacedOutput(Deliver deliver) : deliver_(std::move(deliver)) {
    thread_ = std::thread([this] { Loop(); });
}

PacedOutput::~PacedOutput() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    cv_.notify_all();
    thread_.join();
}

void PacedOutput::Queue(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) {
        return;
    }
    std::lock_guard lock(mutex_);
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    queuedAt_.emplace_back(bytes.size(), std::chrono::steady_clock::now());
    cv_.notify_all();
}

void PacedOutput::Flush() {
    std::unique_lock lock(mutex_);
    cv_.wait(lock, [this] { return stop_ || (pending_.empty() && !delivering_); });
}

// The time the last of the next n pending bytes was queued; drops them from queuedAt_.
std::chrono::steady_clock::time_point PacedOutput::TakeQueueTime(std::size_t n) {
    std::chrono::steady_clock::time_point at;
    while (n > 0 && !queuedAt_.empty()) {
        auto& [left, time] = queuedAt_.front();
        at = time;
        const std::size_t used = std::min(n, left);
        left -= used;
        n -= used;
        if (left == 0) {
            queuedAt_.pop_front();
        }
    }
    return at;
}

void PacedOutput::Loop() {
    WireClock wire;
    std::unique_lock lock(mutex_);
    for (;;) {
        cv_.wait(lock, [this] { return stop_ || !pending_.empty(); });
        if (stop_) {
            return;
        }
        const Bytes piece = TakeWirePiece(pending_);
        const auto queued = TakeQueueTime(piece.size());
        delivering_ = true;
        lock.unlock();
        // A piece is handed on once the wire has carried its last byte.
        wire.Carry(piece.size(), queued);
        deliver_(piece);
        lock.lock();
        delivering_ = false;
        cv_.notify_all();
    }
}

} // namespace presetor
