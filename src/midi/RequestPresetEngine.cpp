// Loading one preset, and the one-message sends.
#include "RequestPresetEngine.h"

#include "DumpParser.h"
#include "MidiSender.h"
#include "WirePacing.h"
#include "model/Checksum.h"

#include <algorithm>
#include <chrono>

namespace presetor {

RequestPresetEngine::RequestPresetEngine(Bytes request, int waitMs)
    : request_(std::move(request)), waitMs_(waitMs) {}

void RequestPresetEngine::Start(MidiOutPort& out, std::int64_t nowMs) {
    if (state_ != TransferState::Idle) {
        return;
    }
    state_ = TransferState::Running;
    deadlineMs_ = nowMs + waitMs_;
    out.Send(request_); // a failed send shows as no answer (131)
}

void RequestPresetEngine::OnBytes(std::span<const std::uint8_t> bytes, std::int64_t nowMs) {
    if (state_ != TransferState::Running) {
        return;
    }
    assembler_.Feed(bytes, [this](std::span<const std::uint8_t> m) {
        if (state_ != TransferState::Running || std::ranges::equal(m, request_)) {
            return; // the echo of our own request through a MIDI loop
        }
        // Only a complete, well-formed single dump is taken (decoded later by DecodeInto);
        // other messages are skipped while the wait lasts.
        if (CheckSingleDump(m).ok()) {
            reply_.assign(m.begin(), m.end());
            state_ = TransferState::Ok;
        }
    });
    OnTick(nowMs);
}

void RequestPresetEngine::OnTick(std::int64_t nowMs) {
    if (state_ == TransferState::Running && nowMs >= deadlineMs_) {
        state_ = TransferState::NoAnswer; // nothing complete in time; a cut-off dump too
    }
}

void RequestPresetEngine::Cancel() {
    if (!Finished()) {
        state_ = TransferState::Cancelled;
    }
}

bool RequestPresetEngine::ChecksumOk() const {
    return state_ == TransferState::Ok &&
           SingleDumpChecksum(reply_.data()) == reply_[kSingleChecksumOffset];
}

bool RequestPresetEngine::SamePayloadAs(std::span<const std::uint8_t> sentDump) const {
    const std::size_t begin = kNumberCopyOffset + 1;
    if (state_ != TransferState::Ok || reply_.size() != kSingleDumpSize ||
        sentDump.size() != kSingleDumpSize) {
        return false;
    }
    return std::equal(reply_.begin() + begin, reply_.begin() + begin + kPayloadSize,
                      sentDump.begin() + begin);
}

bool RequestPresetEngine::DecodeInto(Preset& preset, int keyboardType) const {
    if (state_ != TransferState::Ok || reply_.size() != kSingleDumpSize) {
        return false;
    }
    return DecodeSingleDump(reply_, keyboardType, preset, nullptr, nullptr).ok();
}

Bytes BuildLoadPresetRequest(int keyboardType, int presetIndex) {
    return BuildRequestOne(HeaderFor(keyboardType), presetIndex + 1);
}

Bytes BuildLoadEditMemoryRequest() {
    return BuildRequestOne(kLmk3Header, kEditMemoryNumber);
}

Bytes BuildSendPresetDump(const Preset& preset, int keyboardType, int presetIndex) {
    return BuildSingleDump(preset, keyboardType, HeaderFor(keyboardType), presetIndex + 1);
}

Bytes BuildSendEditMemoryDump(const Preset& preset, int keyboardType) {
    return BuildSingleDump(preset, keyboardType, kLmk3Header, kEditMemoryNumber);
}

TransferState SendMessage(MidiOutPort& out, std::span<const std::uint8_t> message, bool paced) {
    if (!paced) {
        return out.Send(message) ? TransferState::Ok : TransferState::SendFailed;
    }
    const std::size_t chunk = out.AcceptsPieces() ? kMaxChunk : message.size();
    // Each chunk follows the previous one on the cable, however late this thread wakes.
    const auto start = std::chrono::steady_clock::now();
    WireClock wire;
    for (std::size_t pos = 0; pos < message.size(); pos += chunk) {
        const std::size_t n = std::min(chunk, message.size() - pos);
        if (!out.Send(message.subspan(pos, n))) {
            return TransferState::SendFailed;
        }
        wire.Carry(n, start); // until the cable has carried the chunk
    }
    return TransferState::Ok;
}

TransferState StoreInEeprom(MidiOutPort& out) {
    return SendMessage(out, BuildStoreEeprom());
}

} // namespace presetor
