// SysEx reassembly from pieces, as the ports hand them over.
#include "SysexAssembler.h"

namespace presetor {

namespace {

// Data bytes that follow a channel or system-common status byte.
int DataBytesOf(std::uint8_t status) {
    if (status < 0xF0) {
        const std::uint8_t kind = status & 0xF0;
        return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
    }
    switch (status) {
    case 0xF1: // time code quarter frame
    case 0xF3: // song select
        return 1;
    case 0xF2: // song position
        return 2;
    default: // tune request, undefined
        return 0;
    }
}

} // namespace

void SysexAssembler::Feed(std::span<const std::uint8_t> bytes, const MessageFn& onMessage,
                          const MessageFn& onBroken) {
    for (const std::uint8_t b : bytes) {
        if (b >= 0xF8) {
            continue; // real-time bytes may appear anywhere, even inside a dump
        }
        if (b == 0xF0) {
            if (inMessage_) {
                ++discarded_; // a message cut off by the next one
                if (onBroken && !overflow_) {
                    onBroken(message_);
                }
            }
            message_.clear();
            message_.push_back(b);
            inMessage_ = true;
            overflow_ = false;
            skipData_ = 0;
            continue;
        }
        if (!inMessage_) {
            continue;
        }
        if (skipData_ > 0 && b < 0x80) {
            --skipData_; // data of a message another source merged into ours
            continue;
        }
        skipData_ = 0;
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
            // A channel or system-common message merged into the SysEx by another source (a
            // JACK or ALSA port joining events of several senders): skip it and its data.
            skipData_ = DataBytesOf(b);
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
    skipData_ = 0;
}

} // namespace presetor
