// Load all presets: requests, reassembly, decoding into the engine's own bank.
#include "LoadAllEngine.h"

#include "DumpParser.h"

#include <algorithm>

namespace presetor {

LoadAllEngine::LoadAllEngine(const Bank& document, const LoadAllOptions& options)
    : options_(options), bank_(document) {
    // The received bank starts as a new document would: defaults everywhere, preset 0 current.
    bank_.currentPreset = 0;
    bank_.LoadPresetDefaults();
    count_ = bank_.PresetCount();
    if (options_.turbo) {
        expected_ = static_cast<int>(BulkDumpSize(count_));
        requests_.push_back(BuildRequestAll());
    } else {
        expected_ = static_cast<int>(kSingleDumpSize) * count_;
        for (int nn = 1; nn <= count_; ++nn) {
            requests_.push_back(BuildRequestOne(kLmk3Header, nn));
        }
    }
    // RtMidi hands a SysEx message over only once its F7 has arrived; a bulk dump needs 6.2 s
    // on the wire, so the first-answer check waits for that on top of the answer delay.
    const int firstMessage = options_.turbo ? expected_ : static_cast<int>(kSingleDumpSize);
    firstAnswerLimitMs_ = options_.firstAnswerMs +
                          static_cast<std::int64_t>(firstMessage) * 1000 / kWireBytesPerSecond;
}

void LoadAllEngine::Start(MidiOutPort& out, std::int64_t nowMs) {
    if (state_ != TransferState::Idle) {
        return;
    }
    state_ = TransferState::Running;
    out_ = &out;
    startMs_ = nowMs;
    nextRequestMs_ = nowMs;
    Report();
    SendDueRequests(nowMs);
}

void LoadAllEngine::SendDueRequests(std::int64_t nowMs) {
    while (out_ != nullptr && requestsSent_ < requests_.size() && nowMs >= nextRequestMs_) {
        // A failed request shows as a missing answer (131), as it always did.
        out_->Send(requests_[requestsSent_]);
        ++requestsSent_;
        if (options_.requestPauseMs > 0) {
            nextRequestMs_ = nowMs + options_.requestPauseMs;
        }
    }
}

void LoadAllEngine::OnBytes(std::span<const std::uint8_t> bytes, std::int64_t nowMs) {
    if (state_ != TransferState::Running || bytes.empty()) {
        return;
    }
    lastByteMs_ = nowMs;
    const int discarded = assembler_.Discarded();
    assembler_.Feed(bytes, [this](std::span<const std::uint8_t> m) { OnMessage(m); });
    if (state_ == TransferState::Running && assembler_.Discarded() != discarded) {
        Finish(TransferState::BadData); // a dump cut off before its F7: never decoded
        return;
    }
    // A message under way that is longer than any request is data, not an echo.
    if (assembler_.Pending() > kRequestOneSize) {
        anyData_ = true;
    }
    if (state_ == TransferState::Running) {
        Report();
    }
}

bool LoadAllEngine::IsOwnRequest(std::span<const std::uint8_t> m) const {
    // Every 8-byte message was always skipped as the echo of the bulk request; the 9-byte
    // echoes of the per-preset requests are skipped as well.
    if (m.size() == kRequestAllSize) {
        return true;
    }
    return std::any_of(requests_.begin(), requests_.begin() + static_cast<long>(requestsSent_),
                       [&](const Bytes& r) { return std::ranges::equal(r, m); });
}

void LoadAllEngine::OnMessage(std::span<const std::uint8_t> m) {
    if (state_ != TransferState::Running || IsOwnRequest(m)) {
        return;
    }
    anyData_ = true;
    const std::uint8_t command = m.size() > kCommandOffset ? m[kCommandOffset] : 0;
    if (options_.turbo) {
        if (command != kCmdBulkDump) {
            return; // not the dump we wait for
        }
        // The parser checks length, framing and record numbers before it writes the bank.
        std::vector<int> bad;
        if (!DecodeBulkDump(m, bank_.keyboardType, bank_, &bad)) {
            Finish(TransferState::BadData);
            return;
        }
        badChecksums_ = std::move(bad);
        received_ = expected_;
        Report();
        Finish(TransferState::Ok);
        return;
    }
    if (command != kCmdSingleDump || dumpsTaken_ >= count_) {
        return; // not a single dump, or more than the load expects: dropped
    }
    // Dumps are taken in arrival order, one per request.
    Preset& preset = bank_.presets[static_cast<std::size_t>(dumpsTaken_)];
    bool checksumOk = true;
    if (!DecodeSingleDump(m, bank_.keyboardType, preset, nullptr, &checksumOk)) {
        Finish(TransferState::BadData);
        return;
    }
    if (!checksumOk) {
        badChecksums_.push_back(dumpsTaken_);
    }
    ++dumpsTaken_;
    received_ += static_cast<int>(m.size());
    if (dumpsTaken_ == count_) {
        Report();
        Finish(TransferState::Ok);
    }
}

void LoadAllEngine::OnTick(std::int64_t nowMs) {
    if (state_ != TransferState::Running) {
        return;
    }
    SendDueRequests(nowMs);
    if (!anyData_) {
        if (nowMs - startMs_ >= firstAnswerLimitMs_) {
            Finish(TransferState::NoAnswer);
        }
    } else if (options_.idleTimeoutMs > 0 && nowMs - lastByteMs_ >= options_.idleTimeoutMs) {
        Finish(TransferState::NoAnswer);
    }
}

std::int64_t LoadAllEngine::NextDeadline() const {
    if (state_ != TransferState::Running) {
        return -1;
    }
    std::int64_t due = -1;
    auto consider = [&due](std::int64_t t) { due = due < 0 ? t : std::min(due, t); };
    if (requestsSent_ < requests_.size()) {
        consider(nextRequestMs_);
    }
    if (!anyData_) {
        consider(startMs_ + firstAnswerLimitMs_);
    } else if (options_.idleTimeoutMs > 0) {
        consider(lastByteMs_ + options_.idleTimeoutMs);
    }
    return due;
}

void LoadAllEngine::Cancel() {
    if (state_ == TransferState::Running || state_ == TransferState::Idle) {
        Finish(TransferState::Cancelled);
    }
}

void LoadAllEngine::Finish(TransferState s) {
    state_ = s;
    out_ = nullptr;
    assembler_.Reset();
    if (s != TransferState::Ok) {
        badChecksums_.clear();
    }
}

void LoadAllEngine::Report() {
    if (!progress_) {
        return;
    }
    TransferProgress p;
    p.textId = 147;
    p.barMax = expected_;
    p.barValue = std::min(expected_, received_ + static_cast<int>(assembler_.Pending()));
    p.done = p.barValue;
    p.total = expected_;
    progress_(p);
}

} // namespace presetor
