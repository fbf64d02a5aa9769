// Send all presets, stopping at the first failed send.
#include "SendAllEngine.h"

#include "TransferRunner.h"

#include <thread>

namespace presetor {

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
    if (lmk4_) {
        // Only reached when every preset went out: the keyboard then stores them in EEPROM.
        messages_.push_back(BuildStoreEeprom());
    }
}

bool SendAllEngine::SendOne(MidiOutPort& out, std::size_t index) {
    const Bytes& m = messages_[index];
    if (options_.turbo) {
        return out.Send(m, [this](std::size_t chunk) {
            bytesSent_ += static_cast<int>(chunk);
            if (progress_) {
                TransferProgress p;
                p.textId = 147;
                p.done = p.barValue = bytesSent_;
                p.total = p.barMax = totalBytes_;
                progress_(p);
            }
        });
    }
    const bool isDump = index < static_cast<std::size_t>(count_);
    if (isDump && progress_) {
        TransferProgress p;
        p.textId = 130;
        p.done = static_cast<int>(index) + 1;
        p.total = count_;
        p.barValue = static_cast<int>(index);
        p.barMax = count_;
        progress_(p);
    }
    const bool ok = out.Send(m);
    if (ok) {
        bytesSent_ += static_cast<int>(m.size());
        if (!isDump) {
            sentStore_ = true;
        }
    }
    if (ok && isDump && progress_) {
        TransferProgress p;
        p.textId = 130;
        p.done = static_cast<int>(index) + 1;
        p.total = count_;
        p.barValue = static_cast<int>(index) + 1;
        p.barMax = count_;
        progress_(p);
    }
    return ok;
}

void SendAllEngine::Step(MidiOutPort& out, std::int64_t nowMs) {
    if (state_ == TransferState::Idle) {
        state_ = TransferState::Running;
        nextMs_ = nowMs;
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
