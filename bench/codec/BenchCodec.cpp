// Encode plus decode of a whole LMK4 bank's payloads, and the .lmk image saved and loaded,
// each beside a plain copy of the same bytes (the floor) measured in the same run.
#include "model/Bank.h"
#include "model/PresetFile.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

using namespace presetor;

namespace {

constexpr std::size_t kBankPayloadBytes = kPayloadSize * kLmk4PresetCount;

std::unique_ptr<Bank> Lmk4Bank() {
    auto bank = std::make_unique<Bank>();
    bank->SetKeyboardType(kLmk4);
    bank->LoadPresetDefaults();
    for (int i = 0; i < kLmk4PresetCount; ++i) {
        Preset& p = bank->presets[static_cast<std::size_t>(i)];
        p.bankLsb.fill(static_cast<std::uint8_t>(i));
        p.transpose[1] = 0x85;
        p.inputMode[2] = 3;
    }
    return bank;
}

// Floor: the payload bytes of the bank copied out and back, as encode and decode move them.
void BM_BankPayloadCopy(benchmark::State& state) {
    std::vector<std::uint8_t> a(kBankPayloadBytes, 0x11), b(kBankPayloadBytes);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), kBankPayloadBytes);
        benchmark::ClobberMemory();
        std::memcpy(a.data(), b.data(), kBankPayloadBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBankPayloadBytes));
    state.SetLabel("floor:codec");
}

void BM_BankEncodeDecode(benchmark::State& state) {
    auto bank = Lmk4Bank();
    std::vector<std::uint8_t> payloads(kBankPayloadBytes);
    for (auto _ : state) {
        for (int i = 0; i < kLmk4PresetCount; ++i)
            bank->presets[static_cast<std::size_t>(i)].EncodePayload(
                payloads.data() + kPayloadSize * static_cast<std::size_t>(i), kLmk4);
        benchmark::ClobberMemory();
        for (int i = 0; i < kLmk4PresetCount; ++i)
            bank->presets[static_cast<std::size_t>(i)].DecodePayload(
                payloads.data() + kPayloadSize * static_cast<std::size_t>(i), kLmk4);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBankPayloadBytes));
    state.SetLabel("vs:codec");
}

// Floor: the 22,358-byte LMK4 file image copied once.
void BM_FileImageCopy(benchmark::State& state) {
    const std::vector<std::uint8_t> image = SavePresetBytes(*Lmk4Bank());
    std::vector<std::uint8_t> copy(image.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), image.data(), image.size());
        benchmark::ClobberMemory();
    }
    state.SetLabel("floor:file");
}

void BM_FileSaveBytes(benchmark::State& state) {
    auto bank = Lmk4Bank();
    for (auto _ : state)
        benchmark::DoNotOptimize(SavePresetBytes(*bank));
    state.SetLabel("vs:file");
}

void BM_FileLoadBytes(benchmark::State& state) {
    auto bank = Lmk4Bank();
    const std::vector<std::uint8_t> image = SavePresetBytes(*bank);
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadPresetBytes(image, *bank));
        benchmark::ClobberMemory();
    }
    state.SetLabel("vs:file");
}

} // namespace

BENCHMARK(BM_BankPayloadCopy);
BENCHMARK(BM_BankEncodeDecode);
BENCHMARK(BM_FileImageCopy);
BENCHMARK(BM_FileSaveBytes);
BENCHMARK(BM_FileLoadBytes);

BENCHMARK_MAIN();
