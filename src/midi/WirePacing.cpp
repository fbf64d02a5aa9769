// Pieces and wire time for the paced virtual keyboards.
#include "WirePacing.h"

#include "MidiSender.h"

#include <algorithm>
#include <thread>

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

void WireClock::Carry(std::size_t n) {
    using Clock = std::chrono::steady_clock;
    constexpr auto kPerByte = std::chrono::microseconds(1000000 / kWireBytesPerSecond);
    wireFree_ = std::max(wireFree_, Clock::now()) + kPerByte * static_cast<int>(n);
    std::this_thread::sleep_until(wireFree_);
}

} // namespace presetor
