// Wire-time pacing for the paced virtual keyboards (in process and over JACK): the pieces a
// driver's buffer hands over, a clock that holds each piece for the time a cable takes, and
// an output thread that hands queued answers on that way.
#pragma once

#include "SysexFormat.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <span>
#include <thread>
#include <utility>

namespace presetor {

// Takes the next piece from the front of pending: bytes up to and including the next F7, but
// at most kMaxChunk (100) bytes, as a driver's buffer cuts them. Empty if pending is empty.
Bytes TakeWirePiece(std::deque<std::uint8_t>& pending);

// The time a MIDI cable (kWireBytesPerSecond) needs to carry consecutive pieces.
class WireClock {
public:
    // Blocks until the wire has carried n bytes that reached the cable's sending end at
    // `arrived`: it starts on them then, or once it has carried the previous pieces. Bytes that
    // were waiting follow the previous piece at once, however late the caller comes back.
    void Carry(std::size_t n, std::chrono::steady_clock::time_point arrived);

private:
    std::chrono::steady_clock::time_point wireFree_ = std::chrono::steady_clock::now();
};

// Its own thread hands queued bytes to deliver in wire pieces, each once the wire has carried
// it; deliver runs on that thread without the queue's lock held. A piece goes onto the wire when
// its bytes were queued or when the previous one is through, whichever is later, so the time the
// thread takes to wake up and deliver never adds up over a long answer. Destroying it stops the
// thread and drops what is not yet delivered.
class PacedOutput {
public:
    using Deliver = std::function<void(std::span<const std::uint8_t>)>;

    explicit PacedOutput(Deliver deliver);
    ~PacedOutput();
    PacedOutput(const PacedOutput&) = delete;
    PacedOutput& operator=(const PacedOutput&) = delete;

    // Any thread: queues bytes behind those not yet delivered.
    void Queue(std::span<const std::uint8_t> bytes);
    // Blocks until every byte queued so far has been delivered.
    void Flush();

private:
    void Loop();
    std::chrono::steady_clock::time_point TakeQueueTime(std::size_t n);

    Deliver deliver_;
    std::mutex mutex_;
    std::condition_variable cv_;
    std::deque<std::uint8_t> pending_;
    // When each run of pending bytes was queued: (bytes of that call still pending, time).
    std::deque<std::pair<std::size_t, std::chrono::steady_clock::time_point>> queuedAt_;
    bool stop_ = false;
    bool delivering_ = false;
    std::thread thread_;
};

} // namespace presetor
