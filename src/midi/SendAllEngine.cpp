// Send all presets, stopping at the first failed send.
#include "SendAllEngine.h"

#include "MidiSender.h"
#include "TransferRunner.h"

#include <algorithm>
#include <thread>

namespace presetor {

namespace {
// A paced sender that fell behind (a slow timer) may catch up by at most this much wire time.
constexpr std::int64_t kCatchUpUs = 20000;
} // namespace

SendAllEngine::SendAllEngine(const Bank& bank, const SendAllOptions& options)
    : options_(options), count_(bank.PresetCount()), lmk4_(HasLmk4Fields(bank.keyboardType)) {
    if (options_.turbo) {
        messages_.push_back(BuildBulkDump(bank));
        totalBytes_ = static_cast<int>(messages_.front().size());
        return;
    }
    const SysexHeader& header = HeaderFor(bank.keyboardType);
    for (int nn = 1; nn <= count_; ++nn) {
        messages_.push_back(BuildSingleDump(bank.presets[static_cast<std::size_t>(nn - 1)],
                                            bank.keyboardType, header, nn));
        totalBytes_ += static_cast<int>(messages_.back().size());
    }
    if (lmk4_ && !options_.holdStore) {
        // Only reached when every preset went out: the keyboard then stores them in EEPROM.
        messages_.push_back(BuildStoreEeprom());
    }
}

void SendAllEngine::ReportBytes() {
    if (progress_) {
        TransferProgress p;
        p.textId = 147;
        p.done = p.barValue = bytesSent_;
        p.total = p.barMax = totalBytes_;
        progress_(p);
    }
}

void SendAllEngine::ReportPreset(std::size_t index, bool sent) {
    if (progress_ && index < static_cast<std::size_t>(count_)) {
        TransferProgress p;
        p.textId = 130;
        p.done = static_cast<int>(index) + 1;
        p.total = count_;
        p.barValue = static_cast<int>(index) + (sent ? 1 : 0);
        p.barMax = count_;
        progress_(p);
    }
}

bool SendAllEngine::SendOne(MidiOutPort& out, std::size_t index) {
    const Bytes& m = messages_[index];
    if (options_.turbo) {
        return out.Send(m, [this](std::size_t chunk) {
            bytesSent_ += static_cast<int>(chunk);
            ReportBytes();
        });
    }
    const bool isDump = index < static_cast<std::size_t>(count_);
    ReportPreset(index, false);
    const bool ok = out.Send(m);
    if (ok) {
        bytesSent_ += static_cast<int>(m.size());
        if (!isDump) {
            sentStore_ = true;
        }
        ReportPreset(index, true);
    }
    return ok;
}

void SendAllEngine::StepPaced(MidiOutPort& out, std::int64_t nowMs) {
    const std::int64_t nowUs = nowMs * 1000;
    while (state_ == TransferState::Running) {
        if (next_ >= messages_.size()) {
            // Done once the last byte is on the wire, not when it was handed to the driver.
            if (nowUs >= wireUs_) {
                state_ = TransferState::Ok;
                nextMs_ = -1;
            } else {
                nextMs_ = (wireUs_ + 999) / 1000;
            }
            return;
        }
        if (nowUs < wireUs_) {
            nextMs_ = (wireUs_ + 999) / 1000; // the cable still carries the previous chunk
            return;
        }
        const Bytes& m = messages_[next_];
        if (offset_ == 0 && !options_.turbo) {
            ReportPreset(next_, false);
        }
        // Ports that take only whole messages (WinMM, CoreMIDI) get them whole.
        const std::size_t chunk = out.AcceptsPieces() ? kMaxChunk : m.size();
        const std::size_t n = std::min(chunk, m.size() - offset_);
        if (!out.Send(std::span(m).subspan(offset_, n))) {
            state_ = TransferState::SendFailed; // no store command after a failed send
            nextMs_ = -1;
            return;
        }
        bytesSent_ += static_cast<int>(n);
        wireUs_ = std::max(wireUs_, nowUs - kCatchUpUs) +
                  static_cast<std::int64_t>(n) * 1000000 / kWireBytesPerSecond;
        offset_ += n;
        if (options_.turbo) {
            ReportBytes();
        }
        if (offset_ < m.size()) {
            continue;
        }
        if (next_ >= static_cast<std::size_t>(count_)) {
            sentStore_ = true;
        } else if (!options_.turbo) {
            ReportPreset(next_, true);
        }
        offset_ = 0;
        ++next_;
        if (options_.messagePauseMs > 0 && next_ < messages_.size()) {
            wireUs_ += static_cast<std::int64_t>(options_.messagePauseMs) * 1000;
        }
    }
}

void SendAllEngine::Step(MidiOutPort& out, std::int64_t nowMs) {
    if (state_ == TransferState::Idle) {
        state_ = TransferState::Running;
        nextMs_ = nowMs;
        wireUs_ = nowMs * 1000;
    }
    if (options_.paced) {
        StepPaced(out, nowMs);
        return;
    }
    while (state_ == TransferState::Running && nowMs >= nextMs_) {
        if (next_ >= messages_.size()) {
            state_ = TransferState::Ok;
            nextMs_ = -1;
            return;
        }
        if (!SendOne(out, next_)) {
            // No store command and no completion text after a failed send.
            state_ = TransferState::SendFailed;
            nextMs_ = -1;
            return;
        }
        ++next_;
        if (options_.messagePauseMs > 0 && next_ < messages_.size()) {
            nextMs_ = nowMs + options_.messagePauseMs;
        }
    }
}

TransferState SendAllEngine::RunToEnd(MidiOutPort& out) {
    while (!Finished()) {
        const std::int64_t now = SteadyNowMs();
        if (nextMs_ > now) {
            std::this_thread::sleep_for(std::chrono::milliseconds(nextMs_ - now));
        }
        Step(out, SteadyNowMs());
    }
    return state_;
}

void SendAllEngine::Cancel() {
    if (!Finished()) {
        state_ = TransferState::Cancelled;
        nextMs_ = -1;
    }
}

} // namespace presetor
