// Wire-time pacing for the paced virtual keyboards (in process and over JACK): the pieces a
// driver's buffer hands over, and a clock that holds each piece for the time a cable takes.
#pragma once

#include "SysexFormat.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>

namespace presetor {

// Takes the next piece from the front of pending: bytes up to and including the next F7, but
// at most kMaxChunk (100) bytes, as a driver's buffer cuts them. Empty if pending is empty.
Bytes TakeWirePiece(std::deque<std::uint8_t>& pending);

// The time a MIDI cable (kWireBytesPerSecond) needs to carry consecutive pieces.
class WireClock {
public:
    // Blocks until the wire, free from now or after the previous pieces, has carried n bytes.
    void Carry(std::size_t n);

private:
    std::chrono::steady_clock::time_point wireFree_ = std::chrono::steady_clock::now();
};

} // namespace presetor
