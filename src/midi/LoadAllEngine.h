// Load all presets as a state machine: sends one bulk request ("Transfer all Preset once") or
// one request per preset, then is fed received bytes and the time. It receives into its own
// bank copy; the caller replaces the document's bank only when the result is Ok, so a load
// without answer, cancelled, stopped or of the wrong keyboard type leaves the user's bank,
// current preset and title as they were. Single dumps are placed by the preset number they
// carry, each number once and only when asked for; presets that arrive damaged are named and
// can be requested again one by one (RetryDamaged).
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
    int firstAnswerMs = 3000; // no dump of ours within this time (plus the first dump's wire
                              // time) after the start: NoAnswer (131)
    int idleTimeoutMs = 3000; // once a dump of ours came, this long without another: Stopped
    int requestPauseMs = 0;   // pause between the per-preset requests (slow interfaces)
    bool paced = false;       // requests go out no faster than a MIDI cable carries them
    // The bulk dump may come this many times slower than the wire before the load gives up.
    int slowSenderFactor = 3;
    // Added to the wire time of the whole answer for the overall limit, after which every load
    // ends whatever arrives (junk that never ends, a dump that never completes).
    int overallSlackMs = 10000;
};

class LoadAllEngine {
public:
    using ProgressFn = std::function<void(const TransferProgress&)>;

    // Copies the document's bank (type, defaults); presets come back into the copy. The copy
    // starts as a new document: every preset reset from the defaults, current preset 0.
    LoadAllEngine(const Bank& document, const LoadAllOptions& options);

    void SetProgress(ProgressFn fn) { progress_ = std::move(fn); }

    // Sends the request(s) through out (their send results are ignored, as a missing answer
    // shows the fault) and starts the clocks at nowMs. With a request pause or pacing, the
    // remaining requests go out from OnTick.
    void Start(MidiOutPort& out, std::int64_t nowMs);
    // After a load that ended Ok with damaged presets: requests just those again, one by one
    // (command 03), and takes good answers in their place. The round ends Ok when every one
    // was answered or the limits passed (those not answered stay damaged), or Cancelled; the
    // received bank stays valid either way. False when there is nothing to retry.
    bool RetryDamaged(MidiOutPort& out, std::int64_t nowMs);
    // Received bytes, in arrival order, in any pieces.
    void OnBytes(std::span<const std::uint8_t> bytes, std::int64_t nowMs);
    // Time passes: limits, paced requests, the estimate of a bulk dump on its way.
    void OnTick(std::int64_t nowMs);
    void Cancel();

    TransferState State() const { return state_; }
    bool Finished() const { return IsFinished(state_); }
    // Time (same clock as nowMs) at which OnTick next has something to do; -1 when nothing.
    std::int64_t NextDeadline() const;

    // The received bank: meaningful once a load has ended Ok (also after later retry rounds).
    const Bank& ReceivedBank() const { return bank_; }
    bool HasBank() const { return bankComplete_; }
    // Indices of presets that arrived damaged (wrong checksum, or a broken message that could
    // still be placed by its number), ascending. Damaged presets with a readable payload are
    // decoded all the same; the others keep the default preset.
    const std::vector<int>& BadChecksums() const { return damaged_; }
    // The keyboard type the answer showed (WrongType: the other one).
    int AnsweredType() const { return answeredType_; }
    int Expected() const { return expected_; }
    int Received() const { return received_; }
    // Bytes of a bulk dump seen before it was complete (ports that hand over pieces).
    int SeenBytes() const { return seen_; }
    int PresetsTaken() const { return takenCount_; }
    int PresetCount() const { return count_; }
    // Retry rounds started so far.
    int RetryRounds() const { return retryRounds_; }
    // Seconds after the start at which a bulk load without its complete dump gives up.
    int BulkLimitSeconds() const { return static_cast<int>((bulkLimitMs_ + 999) / 1000); }
    // Requests of the current round (for tests and the CLI).
    const std::vector<Bytes>& Requests() const { return requests_; }

private:
    void OnMessage(std::span<const std::uint8_t> message);
    void OnBroken(std::span<const std::uint8_t> message);
    void TakeBulk(std::span<const std::uint8_t> message);
    void TakeSingle(std::span<const std::uint8_t> message, bool complete);
    void BeginRound(MidiOutPort& out, std::int64_t nowMs);
    void SendDueRequests(std::int64_t nowMs);
    void Finish(TransferState s);
    void Report(std::int64_t nowMs);

    LoadAllOptions options_;
    Bank bank_;
    int count_ = 0;
    int expected_ = 0;
    int received_ = 0; // bytes of dumps taken (drives the progress bar)
    int seen_ = 0;
    std::vector<bool> asked_; // per preset index: requested in this round
    std::vector<bool> taken_; // per preset index: a dump for it was placed in this round
    int askedCount_ = 0;
    int takenCount_ = 0;
    int lmk3HeaderDumps_ = 0;
    int answeredType_ = 0;
    bool bankComplete_ = false;
    bool retrying_ = false;
    int retryRounds_ = 0;
    std::int64_t startMs_ = 0;
    std::int64_t firstAnswerLimitMs_ = 0;
    std::int64_t bulkLimitMs_ = 0;
    std::int64_t overallLimitMs_ = 0;
    std::int64_t lastProgressMs_ = 0;
    std::int64_t lastReportMs_ = 0;
    bool anyOurs_ = false; // a dump of ours (or the start of one) has arrived
    TransferState state_ = TransferState::Idle;
    SysexAssembler assembler_;
    std::vector<Bytes> requests_;
    std::vector<int> requestNumbers_;
    std::size_t requestsSent_ = 0;
    std::int64_t nextRequestMs_ = 0;
    std::int64_t requestWireUs_ = 0;
    MidiOutPort* out_ = nullptr;
    std::vector<int> damaged_;
    ProgressFn progress_;
};

} // namespace presetor
