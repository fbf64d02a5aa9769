// SysEx reassembly from pieces, as the ports hand them over.
#include "SysexAssembler.h"

namespace presetor {

void SysexAssembler::Feed(std::span<const std::uint8_t> bytes, const MessageFn& onMessage) {
    for (const std::uint8_t b : bytes) {
        if (b >= 0xF8) {
            continue; // real-time bytes may appear anywhere, even inside a dump
        }
        if (b == 0xF0) {
            if (inMessage_) {
                ++discarded_; // a message cut off by the next one
            }
            message_.clear();
            message_.push_back(b);
            inMessage_ = true;
            overflow_ = false;
            continue;
        }
        if (!inMessage_) {
            continue;
        }
        if (b == 0xF7) {
            if (overflow_) {
                ++discarded_;
            } else {
                message_.push_back(b);
                onMessage(message_);
            }
            message_.clear();
            inMessage_ = false;
            overflow_ = false;
            continue;
        }
        if (b & 0x80) {
            // Another status byte ends the SysEx without F7: the message is incomplete.
            ++discarded_;
            message_.clear();
            inMessage_ = false;
            overflow_ = false;
            continue;
        }
        if (overflow_) {
            continue;
        }
        if (message_.size() + 1 >= limit_) {
            overflow_ = true; // keep swallowing data until F7, then drop the whole message
            message_.clear();
            continue;
        }
        message_.push_back(b);
    }
}

void SysexAssembler::Reset() {
    message_.clear();
    inMessage_ = false;
    overflow_ = false;
}

} // namespace presetor
