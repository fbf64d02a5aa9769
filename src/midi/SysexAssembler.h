// Joins received pieces into whole SysEx messages: collects from F0 to F7, drops real-time
// bytes (F8..FF) and channel or system-common messages merged into it by another source, treats
// a piece without F0 as a continuation, starts over on a new F0, and discards messages longer
// than its limit instead of growing without bound.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace presetor {

class SysexAssembler {
public:
    // Largest message kept; a longer one is discarded whole. The largest the keyboard sends is
    // a 19,312-byte bulk dump; 32,768 leaves room as the reassembly buffer always did.
    static constexpr std::size_t kDefaultLimit = 32768;

    using MessageFn = std::function<void(std::span<const std::uint8_t> message)>;

    explicit SysexAssembler(std::size_t limit = kDefaultLimit) : limit_(limit) {}

    // Feeds received bytes; onMessage runs for every completed F0..F7 message, in order.
    // Bytes outside a message (running status, notes, stray data) are skipped. onBroken, when
    // given, receives what had been collected of a message cut off by the next F0.
    void Feed(std::span<const std::uint8_t> bytes, const MessageFn& onMessage,
              const MessageFn& onBroken = {});
    void Reset();

    // Bytes of the message being collected (0 when between messages).
    std::size_t Pending() const { return inMessage_ ? message_.size() : 0; }
    // The message being collected so far (empty when between messages).
    std::span<const std::uint8_t> PendingMessage() const {
        return inMessage_ ? std::span<const std::uint8_t>(message_)
                          : std::span<const std::uint8_t>{};
    }
    // Messages discarded: cut off by a new F0, or longer than the limit.
    int Discarded() const { return discarded_; }

private:
    std::size_t limit_;
    std::vector<std::uint8_t> message_;
    bool inMessage_ = false;
    bool overflow_ = false;
    int skipData_ = 0; // data bytes still to skip of a message merged into the SysEx
    int discarded_ = 0;
};

} // namespace presetor
