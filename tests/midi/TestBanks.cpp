// Shared test banks and ports.
#include "TestBanks.h"

#include "midi/MidiSender.h"

#include <string>

namespace presetor::test {

Bank VariedBank(int keyboardType, int seed) {
    Bank bank;
    bank.SetKeyboardType(keyboardType);
    bank.LoadPresetDefaults();
    for (int i = 0; i < bank.PresetCount(); ++i) {
        Preset& p = bank.presets[static_cast<std::size_t>(i)];
        const int v = i + seed;
        p.SetName("T" + std::to_string(v % 1000) + "-" + std::to_string(keyboardType));
        for (int s = 0; s < kSplitCount; ++s) {
            p.programNumber[s] = static_cast<std::uint8_t>((v * 7 + s) % 128);
            p.volume[s] = static_cast<std::uint8_t>((v * 3 + s * 11) % 128);
            p.midiChannel[s] = static_cast<std::uint8_t>((v + s) % 16);
            p.lowKey[s] = static_cast<std::uint8_t>((v + s) % 60);
            p.highKey[s] = static_cast<std::uint8_t>(60 + (v + s) % 60);
            p.bankMsb[s] = static_cast<std::uint8_t>((v * 5 + s) % 128);
            p.bankLsb[s] = static_cast<std::uint8_t>((v * 13 + s) % 128);
            p.programActive[s] = static_cast<std::uint8_t>((v + s) % 2);
            if (HasLmk4Fields(keyboardType)) {
                p.midiOut1[s] = static_cast<std::uint8_t>((v + s) % 2);
                p.midiOut2[s] = static_cast<std::uint8_t>((v + s + 1) % 2);
                p.inputMode[s] = static_cast<std::uint8_t>((v + s) % 4);
            }
        }
        p.linkPreset = static_cast<std::uint8_t>((v * 17) % bank.PresetCount());
        p.midiClock = static_cast<std::uint8_t>(30 + v % 90);
    }
    return bank;
}

bool BreakingOutPort::Send(std::span<const std::uint8_t> bytes, const ChunkProgress& progress) {
    return SendByPolicy(
        bytes, SenderPolicy{},
        [this](std::span<const std::uint8_t> piece) {
            ++chunksTried;
            return chunksTried <= okChunks_ && target_.Send(piece);
        },
        progress);
}

bool RecordingOutPort::Send(std::span<const std::uint8_t> bytes, const ChunkProgress& progress) {
    messages.emplace_back(bytes.begin(), bytes.end());
    return SendByPolicy(
        bytes, SenderPolicy{}, [](std::span<const std::uint8_t>) { return true; }, progress);
}

std::vector<std::uint8_t> Drain(MidiInPort& in) {
    std::vector<std::uint8_t> bytes;
    in.Poll(bytes);
    return bytes;
}

} // namespace presetor::test
