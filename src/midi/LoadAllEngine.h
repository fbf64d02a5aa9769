// Load all presets as a state machine: sends one bulk request ("Transfer all Preset once") or
// one request per preset, then is fed received bytes and the time. It receives into its own
// bank copy; the caller replaces the document's bank only when the result is Ok, so a load
// without answer, cancelled or cut off leaves the user's bank, current preset and title as
// they were.
#pragma once

#include "MidiPort.h"
#include "SysexAssembler.h"
#include "SysexFormat.h"
#include "TransferTypes.h"
#include "model/Bank.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace presetor {

struct LoadAllOptions {
    bool turbo = false;       // "Transfer all Preset once": one bulk dump instead of N dumps
    int firstAnswerMs = 3000; // no byte within this time after the start: NoAnswer (131)
    int idleTimeoutMs = 0;    // > 0: once data came, this long without a byte ends NoAnswer
                              // (0 = wait for Cancel, as the dialog does)
    int requestPauseMs = 0;   // pause between the per-preset requests (slow interfaces)
};

class LoadAllEngine {
public:
    using ProgressFn = std::function<void(const TransferProgress&)>;

    // Copies the document's bank (type, defaults); presets come back into the copy. The copy
    // starts as a new document: every preset reset from the defaults, current preset 0.
    LoadAllEngine(const Bank& document, const LoadAllOptions& options);

    void SetProgress(ProgressFn fn) { progress_ = std::move(fn); }

    // Sends the request(s) through out (their send results are ignored, as a missing answer
    // shows the fault) and starts the first-answer clock at nowMs. With a request pause, the
    // remaining requests go out from OnTick.
    void Start(MidiOutPort& out, std::int64_t nowMs);
    // Received bytes, in arrival order, in any pieces.
    void OnBytes(std::span<const std::uint8_t> bytes, std::int64_t nowMs);
    // Time passes: first-answer check, idle check, paused requests.
    void OnTick(std::int64_t nowMs);
    void Cancel();

    TransferState State() const { return state_; }
    bool Finished() const { return IsFinished(state_); }
    // Time (same clock as nowMs) at which OnTick next has something to do; -1 when nothing.
    std::int64_t NextDeadline() const;

    // The received bank (only meaningful when State() is Ok).
    const Bank& ReceivedBank() const { return bank_; }
    // Indices of presets whose received checksum was wrong (decoded all the same).
    const std::vector<int>& BadChecksums() const { return badChecksums_; }
    int Expected() const { return expected_; }
    int Received() const { return received_; }
    // Requests sent (for tests and the CLI).
    const std::vector<Bytes>& Requests() const { return requests_; }

private:
    void OnMessage(std::span<const std::uint8_t> message);
    bool IsOwnRequest(std::span<const std::uint8_t> message) const;
    void SendDueRequests(std::int64_t nowMs);
    void Finish(TransferState s);
    void Report();

    LoadAllOptions options_;
    Bank bank_;
    int count_ = 0;
    int expected_ = 0;
    int received_ = 0;   // bytes counted towards expected (drives the progress bar)
    int dumpsTaken_ = 0; // single dumps decoded so far (per-preset load)
    std::int64_t startMs_ = 0;
    std::int64_t firstAnswerLimitMs_ = 0;
    std::int64_t lastByteMs_ = 0;
    bool anyData_ = false; // a byte that is not an echo of our own requests arrived
    TransferState state_ = TransferState::Idle;
    SysexAssembler assembler_;
    std::vector<Bytes> requests_;
    std::size_t requestsSent_ = 0;
    std::int64_t nextRequestMs_ = 0;
    MidiOutPort* out_ = nullptr;
    std::vector<int> badChecksums_;
    ProgressFn progress_;
};

} // namespace presetor
