// The hand-off between a MIDI driver's thread and the owner's thread: the driver side only
// copies bytes in under a short lock and rings the data-arrived hook; the owner drains.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <vector>

namespace presetor {

class MidiInputQueue {
public:
    // Bytes held for an owner that does not drain; beyond this, new bytes are dropped (twenty
    // times the largest transfer, so a stalled owner cannot exhaust memory).
    static constexpr std::size_t kMaxQueued = 1 << 20;

    // Driver thread: copies the bytes behind what is queued, then runs the hook. Ignored once
    // the queue is closed, so nothing is handed over after closing has begun.
    void Push(std::span<const std::uint8_t> bytes);

    // Owner thread: moves all queued bytes to the end of out; returns how many.
    std::size_t Drain(std::vector<std::uint8_t>& out);
    bool WaitForData(std::chrono::milliseconds timeout);
    void SetDataArrived(std::function<void()> hook);

    // Reopen for a new session (drops anything left over).
    void Open();
    // Refuse further bytes, release what is queued, wake any waiter.
    void Close();
    bool IsOpen() const;
    // Bytes dropped because the queue was full.
    std::size_t Dropped() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    std::vector<std::uint8_t> bytes_;
    std::function<void()> hook_;
    bool open_ = false;
    std::size_t dropped_ = 0;
};

} // namespace presetor
