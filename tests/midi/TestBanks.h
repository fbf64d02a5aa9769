// Banks and ports the MIDI tests share: a bank whose presets all differ, an output port that
// refuses chunks after a given count (a cable pulled half way), and a helper that drains an
// input port into an engine.
#pragma once

#include "midi/MidiPort.h"
#include "model/Bank.h"

#include <cstdint>
#include <vector>

namespace presetor::test {

// Every preset in use gets its own name, programs, volumes, keys, banks, channels and
// (LMK4) outputs and input modes, so a shifted or mixed-up load cannot compare equal.
Bank VariedBank(int keyboardType, int seed = 0);

// Forwards to another port; after okChunks chunks every further chunk fails.
class BreakingOutPort final : public MidiOutPort {
public:
    BreakingOutPort(MidiOutPort& target, int okChunks) : target_(target), okChunks_(okChunks) {}
    bool Send(std::span<const std::uint8_t> bytes, const ChunkProgress& progress = {}) override;
    bool IsOpen() const override { return target_.IsOpen(); }
    void Close() override {}
    int chunksTried = 0;

private:
    MidiOutPort& target_;
    int okChunks_;
};

// Collects everything sent through it, chunk by chunk. With wholeMessagesOnly it stands for a
// driver that takes only whole messages (WinMM, CoreMIDI).
class RecordingOutPort final : public MidiOutPort {
public:
    bool Send(std::span<const std::uint8_t> bytes, const ChunkProgress& progress = {}) override;
    bool IsOpen() const override { return true; }
    void Close() override {}
    bool AcceptsPieces() const override { return !wholeMessagesOnly; }
    std::vector<std::vector<std::uint8_t>> messages; // one entry per Send
    bool wholeMessagesOnly = false;
};

// All bytes queued at the port right now.
std::vector<std::uint8_t> Drain(MidiInPort& in);

} // namespace presetor::test
