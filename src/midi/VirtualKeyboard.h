// A model of the keyboard's SysEx side, used as a product feature (a device usable without
// hardware) and as the test peer: it answers 02 with one bulk dump and 03 with a single dump,
// stores dumps 04 and 05 and takes 06, for both keyboard types and all three headers.
#pragma once

#include "MidiPort.h"
#include "SysexAssembler.h"
#include "SysexFormat.h"
#include "model/Bank.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace presetor {

struct VirtualKeyboardOptions {
    int keyboardType = 4; // 3 = LMK3 (64 presets), 4 = LMK4 (127 presets)
    bool echo = false;    // send every received request back first, as a MIDI loop does
    bool pace = false;    // output (and input handling) at MIDI wire speed; see transports
    int dropEvery = 0;    // n > 0: drop every n-th byte sent
    int corruptEvery = 0; // n > 0: flip bit 0 of every n-th data byte sent (F0/F7 kept)
    bool silent = false;  // take everything, answer nothing
    // Faults a musician meets, each played on purpose:
    bool ignoreWrites = false; // take dumps 04 and 05 without storing them (for verify)
    long long stopAfter = 0;   // n > 0: fall silent for good after n bytes sent (a dump cut off)
    // Preset numbers whose answer is damaged, only the first time each is asked for (so a
    // retry succeeds): corrupt flips a payload bit (wrong checksum), drop loses a payload byte.
    std::vector<int> corruptPresets;
    std::vector<int> dropPresets;
    bool damageAlways = false; // damage them at every request, so no retry helps
};

class VirtualKeyboard {
public:
    using Sink = std::function<void(std::span<const std::uint8_t>)>;

    explicit VirtualKeyboard(const VirtualKeyboardOptions& options = {});

    // Replaces the options; a change of type resets the bank to factory presets of that type.
    void SetOptions(const VirtualKeyboardOptions& options);
    const VirtualKeyboardOptions& Options() const { return options_; }

    // Where the keyboard's output bytes go (after drop and corrupt). Runs on the caller of
    // Feed, once per message the keyboard sends.
    void SetSink(Sink sink) { sink_ = std::move(sink); }

    // Bytes from the editor, in any pieces.
    void Feed(std::span<const std::uint8_t> bytes);

    Bank& GetBank() { return bank_; }
    const Bank& GetBank() const { return bank_; }
    Preset& EditMemory() { return editMemory_; }

    // What the keyboard took, for tests and the benchmark.
    struct Counters {
        int requests = 0;        // 02 and 03 received
        int presetsStored = 0;   // single dumps stored plus bulk records stored
        int bulkDumpsStored = 0; // complete 04 dumps stored
        int eepromStores = 0;    // 06 received (LMK4 only)
        int lastStored = -1;     // preset number of the last single dump stored (0 = edit)
        int badChecksums = 0;    // received records or dumps whose checksum did not match
        int rejected = 0;        // messages of wrong length, header or command
    };
    const Counters& GetCounters() const { return counters_; }
    void ResetCounters() { counters_ = {}; }

    // Runs after every message was handled (for a store, after the preset is stored).
    void SetOnHandled(std::function<void(std::span<const std::uint8_t>)> hook) {
        onHandled_ = std::move(hook);
    }

private:
    void Handle(std::span<const std::uint8_t> message);
    void Emit(std::span<const std::uint8_t> bytes);
    // Damages the dump of preset number (in a single dump, or its record in a bulk dump) when
    // the options say so and it has not been damaged before.
    void DamageOnce(Bytes& dump, int number, std::size_t payloadOffset);
    int HeaderKind(std::span<const std::uint8_t> message) const;

    VirtualKeyboardOptions options_;
    Bank bank_;
    Preset editMemory_;
    SysexAssembler assembler_;
    Sink sink_;
    std::function<void(std::span<const std::uint8_t>)> onHandled_;
    Counters counters_;
    long long outCount_ = 0; // bytes offered to the output, for drop and corrupt
    long long dataCount_ = 0;
    long long emitted_ = 0;        // bytes sent, for stopAfter
    std::vector<int> damagedOnce_; // preset numbers already answered damaged
};

} // namespace presetor
