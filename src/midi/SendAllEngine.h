// Send all presets as a state machine: one bulk dump ("Transfer all Preset once") sent in
// chunks with byte progress (147), or one single dump per preset with text 130, then for an
// LMK4 sent preset by preset the store command 06. After any failed send it stops: no 06, and
// the result is SendFailed (132 only, never 153).
#pragma once

#include "MidiPort.h"
#include "SysexFormat.h"
#include "TransferTypes.h"
#include "model/Bank.h"

#include <cstdint>
#include <functional>

namespace presetor {

struct SendAllOptions {
    bool turbo = false;     // "Transfer all Preset once": one bulk dump
    int messagePauseMs = 0; // pause between consecutive messages (slow interfaces; 0 = none)
    // Chunks go out no faster than a MIDI cable carries them (3,125 bytes a second), and the
    // send ends when the last byte is on the wire.
    bool paced = false;
    // LMK4 preset by preset: leave the store command 06 to the caller, who sends it only after
    // reading the presets back and finding them right.
    bool holdStore = false;
};

class SendAllEngine {
public:
    using ProgressFn = std::function<void(const TransferProgress&)>;

    // Builds every message from the bank now; later edits of the bank do not change them.
    SendAllEngine(const Bank& bank, const SendAllOptions& options);

    void SetProgress(ProgressFn fn) { progress_ = std::move(fn); }

    // Sends what is due at nowMs: without a pause or pacing everything at once (the bulk dump
    // chunk by chunk with progress); otherwise each message or chunk when its time has come.
    // Call it again (from a timer) until Finished().
    void Step(MidiOutPort& out, std::int64_t nowMs);
    // Runs every step on the calling thread, sleeping through pauses; returns the result.
    TransferState RunToEnd(MidiOutPort& out);
    void Cancel();

    TransferState State() const { return state_; }
    bool Finished() const { return IsFinished(state_); }
    std::int64_t NextDeadline() const { return nextMs_; }

    // True when the finished send ended with text 153 to show: an LMK4 and every message sent.
    bool ShowStored153() const { return state_ == TransferState::Ok && lmk4_; }
    // True when the store command 06 went out (LMK4, preset by preset, all presets sent).
    bool SentStoreCommand() const { return sentStore_; }
    int BytesSent() const { return bytesSent_; }
    int TotalBytes() const { return totalBytes_; }

private:
    bool SendOne(MidiOutPort& out, std::size_t index);
    void StepPaced(MidiOutPort& out, std::int64_t nowMs);
    void ReportBytes();
    void ReportPreset(std::size_t index, bool sent);

    SendAllOptions options_;
    std::vector<Bytes> messages_; // dumps, then 06 for an LMK4 sent preset by preset
    std::size_t next_ = 0;
    int count_ = 0;
    bool lmk4_ = false;
    bool sentStore_ = false;
    int bytesSent_ = 0;
    int totalBytes_ = 0;
    std::int64_t nextMs_ = 0;
    std::size_t offset_ = 0;  // paced: bytes of messages_[next_] already sent
    std::int64_t wireUs_ = 0; // paced: when the wire has carried everything sent so far
    TransferState state_ = TransferState::Idle;
    ProgressFn progress_;
};

} // namespace presetor
