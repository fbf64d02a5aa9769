// Load all presets: requests, reassembly, placing dumps by number, limits and retry rounds.
#include "LoadAllEngine.h"

#include "DumpParser.h"

#include <algorithm>

namespace presetor {

namespace {

// Milliseconds a MIDI cable needs for n bytes.
std::int64_t WireMs(std::int64_t n) {
    return n * 1000 / kWireBytesPerSecond;
}

// How often the estimate of a bulk dump on its way is shown while nothing arrives.
constexpr std::int64_t kEstimateEveryMs = 100;

// The keyboard type whose header the message carries; 0 for any other sender.
int HeaderType(std::span<const std::uint8_t> m) {
    const auto starts = [&m](const SysexHeader& h) {
        return m.size() >= h.size() && std::equal(h.begin(), h.end(), m.begin());
    };
    if (starts(kLmk3Header)) {
        return kLmk3;
    }
    if (starts(kLmk4Header)) {
        return kLmk4;
    }
    return 0;
}

// A message of the keyboard: its header and a dump command.
bool IsOurDump(std::span<const std::uint8_t> m) {
    return m.size() > kCommandOffset && HeaderType(m) != 0 &&
           (m[kCommandOffset] == kCmdBulkDump || m[kCommandOffset] == kCmdSingleDump);
}

void InsertSorted(std::vector<int>& list, int value) {
    const auto it = std::lower_bound(list.begin(), list.end(), value);
    if (it == list.end() || *it != value) {
        list.insert(it, value);
    }
}

void EraseValue(std::vector<int>& list, int value) {
    std::erase(list, value);
}

} // namespace

LoadAllEngine::LoadAllEngine(const Bank& document, const LoadAllOptions& options)
    : options_(options), bank_(document) {
    // The received bank starts as a new document would: defaults everywhere, preset 0 current.
    bank_.currentPreset = 0;
    bank_.LoadPresetDefaults();
    count_ = bank_.PresetCount();
    if (options_.turbo) {
        expected_ = static_cast<int>(BulkDumpSize(count_));
        requests_.push_back(BuildRequestAll());
        requestNumbers_.push_back(0);
    } else {
        expected_ = static_cast<int>(kSingleDumpSize) * count_;
        for (int nn = 1; nn <= count_; ++nn) {
            requests_.push_back(BuildRequestOne(kLmk3Header, nn));
            requestNumbers_.push_back(nn);
        }
    }
}

void LoadAllEngine::Start(MidiOutPort& out, std::int64_t nowMs) {
    if (state_ != TransferState::Idle) {
        return;
    }
    BeginRound(out, nowMs);
}

bool LoadAllEngine::RetryDamaged(MidiOutPort& out, std::int64_t nowMs) {
    if (!bankComplete_ || damaged_.empty() || state_ == TransferState::Running) {
        return false;
    }
    retrying_ = true;
    ++retryRounds_;
    requests_.clear();
    requestNumbers_.clear();
    for (const int index : damaged_) {
        requests_.push_back(BuildRequestOne(kLmk3Header, index + 1));
        requestNumbers_.push_back(index + 1);
    }
    expected_ = static_cast<int>(kSingleDumpSize * requests_.size());
    BeginRound(out, nowMs);
    return true;
}

void LoadAllEngine::BeginRound(MidiOutPort& out, std::int64_t nowMs) {
    const bool bulk = options_.turbo && !retrying_;
    state_ = TransferState::Running;
    out_ = &out;
    startMs_ = nowMs;
    lastProgressMs_ = nowMs;
    lastReportMs_ = nowMs;
    nextRequestMs_ = nowMs;
    requestWireUs_ = 0;
    requestsSent_ = 0;
    received_ = 0;
    seen_ = 0;
    askedCount_ = 0;
    takenCount_ = 0;
    lmk3HeaderDumps_ = 0;
    anyOurs_ = false;
    asked_.assign(static_cast<std::size_t>(count_), false);
    taken_.assign(static_cast<std::size_t>(count_), false);
    assembler_.Reset();

    // The time every request needs to go out, paced or spaced.
    std::int64_t requestTimeMs = 0;
    for (const Bytes& r : requests_) {
        requestTimeMs += (options_.paced ? WireMs(static_cast<std::int64_t>(r.size())) : 0) +
                         options_.requestPauseMs;
    }
    // A port hands a SysEx message over only once its F7 has arrived, so the first answer is
    // awaited for its wire time on top; a bulk dump also from a keyboard slower than the wire.
    const std::int64_t slowWire =
        static_cast<std::int64_t>(std::max(1, options_.slowSenderFactor)) * WireMs(expected_);
    bulkLimitMs_ = options_.firstAnswerMs + slowWire;
    firstAnswerLimitMs_ =
        bulk ? bulkLimitMs_ : options_.firstAnswerMs + WireMs(kSingleDumpSize) + requestTimeMs;
    overallLimitMs_ =
        bulk ? bulkLimitMs_
             : options_.firstAnswerMs + slowWire + requestTimeMs + options_.overallSlackMs;
    Report(nowMs);
    SendDueRequests(nowMs);
}

void LoadAllEngine::SendDueRequests(std::int64_t nowMs) {
    while (out_ != nullptr && requestsSent_ < requests_.size() && nowMs >= nextRequestMs_) {
        const Bytes& request = requests_[requestsSent_];
        const int number = requestNumbers_[requestsSent_];
        if (number > 0) {
            // Asked for from now on: answers for numbers not asked for are not ours.
            asked_[static_cast<std::size_t>(number - 1)] = true;
            ++askedCount_;
        }
        // A failed request shows as a missing answer (131), as it always did.
        out_->Send(request);
        ++requestsSent_;
        if (options_.paced) {
            requestWireUs_ +=
                static_cast<std::int64_t>(request.size()) * 1000000 / kWireBytesPerSecond;
        }
        requestWireUs_ += static_cast<std::int64_t>(options_.requestPauseMs) * 1000;
        nextRequestMs_ = std::max(nextRequestMs_, startMs_ + requestWireUs_ / 1000);
    }
}

void LoadAllEngine::OnBytes(std::span<const std::uint8_t> bytes, std::int64_t nowMs) {
    if (state_ != TransferState::Running || bytes.empty()) {
        return;
    }
    const int takenBefore = takenCount_;
    const std::size_t pendingBefore = assembler_.Pending();
    assembler_.Feed(
        bytes, [this](std::span<const std::uint8_t> m) { OnMessage(m); },
        [this](std::span<const std::uint8_t> m) { OnBroken(m); });
    if (state_ != TransferState::Running) {
        return;
    }
    // Only the keyboard's own dumps count as progress: foreign traffic does not keep a stalled
    // load alive.
    const auto pending = assembler_.PendingMessage();
    const bool oursUnderWay = IsOurDump(pending) && pending.size() > pendingBefore;
    if (oursUnderWay) {
        anyOurs_ = true;
        if (options_.turbo && !retrying_) {
            seen_ = static_cast<int>(pending.size());
        }
    }
    if (takenCount_ != takenBefore || oursUnderWay) {
        lastProgressMs_ = nowMs;
    }
    Report(nowMs);
}

void LoadAllEngine::OnMessage(std::span<const std::uint8_t> m) {
    if (state_ != TransferState::Running || !IsOurDump(m)) {
        return; // echoes of our requests, other devices' SysEx, other commands
    }
    const bool bulk = options_.turbo && !retrying_;
    if (m[kCommandOffset] == kCmdBulkDump && bulk) {
        TakeBulk(m);
    } else if (m[kCommandOffset] == kCmdSingleDump && !bulk) {
        TakeSingle(m, true);
    }
}

void LoadAllEngine::OnBroken(std::span<const std::uint8_t> m) {
    if (state_ != TransferState::Running || !IsOurDump(m)) {
        return;
    }
    if (m[kCommandOffset] == kCmdBulkDump && options_.turbo && !retrying_) {
        seen_ = static_cast<int>(m.size());
        Finish(TransferState::BadData); // the bulk dump was cut off: never decoded
    } else if (m[kCommandOffset] == kCmdSingleDump) {
        TakeSingle(m, false);
    }
}

void LoadAllEngine::TakeBulk(std::span<const std::uint8_t> m) {
    const int type = bank_.keyboardType;
    const int otherType = type == kLmk3 ? kLmk4 : kLmk3;
    seen_ = static_cast<int>(m.size());
    if (m.size() != static_cast<std::size_t>(expected_) &&
        m.size() == BulkDumpSize(PresetCountFor(otherType))) {
        answeredType_ = otherType; // a whole dump of the other keyboard type
        Finish(TransferState::WrongType);
        return;
    }
    // The parser checks length, framing and record numbers before it writes the bank.
    std::vector<int> bad;
    if (!DecodeBulkDump(m, type, bank_, &bad)) {
        Finish(TransferState::BadData);
        return;
    }
    answeredType_ = type;
    damaged_ = std::move(bad);
    received_ = expected_;
    takenCount_ = count_;
    Report(lastProgressMs_);
    Finish(TransferState::Ok);
}

void LoadAllEngine::TakeSingle(std::span<const std::uint8_t> m, bool complete) {
    const int header = HeaderType(m);
    if (!retrying_ && bank_.keyboardType == kLmk3 && header == kLmk4) {
        // Only an LMK4 sends the LMK4 header.
        answeredType_ = kLmk4;
        Finish(TransferState::WrongType);
        return;
    }
    // Placed by the number it carries (bytes 7 and 8 agree), each number once, and only when
    // this load asked for it: a late answer of an earlier load cannot shift the bank.
    if (m.size() <= kNumberCopyOffset || m[kNumberOffset] != m[kNumberCopyOffset]) {
        return;
    }
    const int number = m[kNumberOffset];
    if (number < 1 || number > count_) {
        return;
    }
    const auto index = static_cast<std::size_t>(number - 1);
    if (!asked_[index] || taken_[index]) {
        return;
    }
    taken_[index] = true;
    ++takenCount_;
    received_ += static_cast<int>(kSingleDumpSize);
    anyOurs_ = true;
    if (header == kLmk3) {
        ++lmk3HeaderDumps_;
    }
    bool checksumOk = false;
    Preset decoded = bank_.presets[index];
    if (complete && DecodeSingleDump(m, bank_.keyboardType, decoded, nullptr, &checksumOk)) {
        bank_.presets[index] = decoded;
    }
    if (checksumOk) {
        EraseValue(damaged_, number - 1);
    } else {
        InsertSorted(damaged_, number - 1);
    }
    if (takenCount_ == static_cast<int>(requests_.size())) {
        answeredType_ = bank_.keyboardType;
        Report(lastProgressMs_);
        Finish(TransferState::Ok);
    }
}

void LoadAllEngine::OnTick(std::int64_t nowMs) {
    if (state_ != TransferState::Running) {
        return;
    }
    SendDueRequests(nowMs);
    const std::int64_t elapsed = nowMs - startMs_;
    TransferState end = TransferState::Running;
    if (options_.turbo && !retrying_) {
        if (elapsed >= bulkLimitMs_) {
            end = TransferState::NoAnswer; // no complete dump in time
        }
    } else if (!anyOurs_) {
        if (elapsed >= firstAnswerLimitMs_) {
            end = TransferState::NoAnswer;
        }
    } else if ((options_.idleTimeoutMs > 0 && nowMs - lastProgressMs_ >= options_.idleTimeoutMs) ||
               elapsed >= overallLimitMs_) {
        end = TransferState::Stopped;
    }
    if (end == TransferState::Running) {
        if (options_.turbo && !retrying_ && nowMs - lastReportMs_ >= kEstimateEveryMs) {
            Report(nowMs);
        }
        return;
    }
    // An LMK3 asked for an LMK4's 127 presets answers the first 64 with its own header.
    if (!retrying_ && !options_.turbo && count_ == PresetCountFor(kLmk4) &&
        takenCount_ == PresetCountFor(kLmk3) && lmk3HeaderDumps_ == takenCount_ &&
        askedCount_ > takenCount_) {
        answeredType_ = kLmk3;
        end = TransferState::WrongType;
    }
    Finish(end);
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
    if (options_.turbo && !retrying_) {
        consider(startMs_ + bulkLimitMs_);
        consider(lastReportMs_ + kEstimateEveryMs);
    } else if (!anyOurs_) {
        consider(startMs_ + firstAnswerLimitMs_);
    } else {
        consider(startMs_ + overallLimitMs_);
        if (options_.idleTimeoutMs > 0) {
            consider(lastProgressMs_ + options_.idleTimeoutMs);
        }
    }
    return due;
}

void LoadAllEngine::Cancel() {
    if (state_ == TransferState::Running || state_ == TransferState::Idle) {
        Finish(TransferState::Cancelled);
    }
}

void LoadAllEngine::Finish(TransferState s) {
    if (retrying_ && s != TransferState::Cancelled) {
        // A retry round ends with the bank it had; what was not answered stays damaged.
        s = TransferState::Ok;
    }
    state_ = s;
    out_ = nullptr;
    assembler_.Reset();
    if (s == TransferState::Ok) {
        bankComplete_ = true;
    }
    if (!bankComplete_) {
        damaged_.clear();
    }
}

void LoadAllEngine::Report(std::int64_t nowMs) {
    lastReportMs_ = nowMs;
    if (!progress_) {
        return;
    }
    TransferProgress p;
    p.textId = 147;
    p.barMax = expected_;
    const auto pending = assembler_.PendingMessage();
    const int under = IsOurDump(pending) ? static_cast<int>(pending.size()) : 0;
    p.barValue = std::min(expected_, received_ + under);
    if (options_.turbo && !retrying_ && received_ < expected_) {
        // The dump is handed over only whole: move with the time it needs on the wire.
        const std::int64_t estimate =
            std::min<std::int64_t>(expected_ - 1, (nowMs - startMs_) * kWireBytesPerSecond / 1000);
        if (estimate > p.barValue) {
            p.barValue = static_cast<int>(estimate);
            p.estimated = true;
        }
    }
    p.done = p.barValue;
    p.total = expected_;
    progress_(p);
}

} // namespace presetor
