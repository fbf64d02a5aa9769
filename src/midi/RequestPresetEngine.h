// Load one preset (or the edit memory): sends one request and waits about a second for a
// complete 161-byte single dump. Echoes of the request (a MIDI loop) and other messages are
// skipped; a dump cut off before its F7 is never accepted. Also the plain sends of one preset
// and the store-in-EEPROM command.
#pragma once

#include "MidiPort.h"
#include "SysexAssembler.h"
#include "SysexFormat.h"
#include "TransferTypes.h"
#include "model/Preset.h"

#include <cstdint>
#include <span>

namespace presetor {

class RequestPresetEngine {
public:
    static constexpr int kWaitMs = 1000;

    // request: BuildLoadPresetRequest or BuildLoadEditMemoryRequest.
    explicit RequestPresetEngine(Bytes request, int waitMs = kWaitMs);

    // Sends the request; its send result is ignored (a missing answer shows the fault).
    void Start(MidiOutPort& out, std::int64_t nowMs);
    void OnBytes(std::span<const std::uint8_t> bytes, std::int64_t nowMs);
    void OnTick(std::int64_t nowMs);
    void Cancel();

    TransferState State() const { return state_; }
    bool Finished() const { return IsFinished(state_); }
    std::int64_t NextDeadline() const { return deadlineMs_; }

    // The accepted 161-byte dump (State() Ok).
    const Bytes& Reply() const { return reply_; }
    bool ChecksumOk() const;
    // True when the accepted reply carries the same 150 payload bytes as the dump sent.
    bool SamePayloadAs(std::span<const std::uint8_t> sentDump) const;
    // Decodes the accepted reply's payload into preset. False (preset untouched) unless Ok.
    bool DecodeInto(Preset& preset, int keyboardType) const;

private:
    Bytes request_;
    int waitMs_;
    std::int64_t deadlineMs_ = 0;
    SysexAssembler assembler_;
    Bytes reply_;
    TransferState state_ = TransferState::Idle;
};

// Load this preset: header by keyboard type, 03, index + 1.
Bytes BuildLoadPresetRequest(int keyboardType, int presetIndex);
// Load from edit memory: LMK3 header, 03, 0, for both types.
Bytes BuildLoadEditMemoryRequest();
// Send this preset: single dump with header by type and number index + 1.
Bytes BuildSendPresetDump(const Preset& preset, int keyboardType, int presetIndex);
// Send to edit memory: LMK3 header and number 0, for both types.
Bytes BuildSendEditMemoryDump(const Preset& preset, int keyboardType);

// One-message sends: SendFailed (132) or Ok. Paced, the message goes out chunk by chunk no
// faster than a MIDI cable carries it, and the call returns once its last byte is on the wire
// (52 ms for a single dump).
TransferState SendMessage(MidiOutPort& out, std::span<const std::uint8_t> message,
                          bool paced = false);
// Store in EEPROM (LMK4): F0 00 20 20 03 00 06 F7. Ok means show 142, SendFailed 132.
TransferState StoreInEeprom(MidiOutPort& out);

} // namespace presetor
