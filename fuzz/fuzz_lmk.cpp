// Fuzzes the .lmk loader: a rejected image must leave the bank exactly as it was; an accepted
// one must save back to the same bytes it was read from.
#include "FuzzCheck.h"
#include "model/PresetFile.h"

#include <cstring>
#include <memory>
#include <string>

using namespace presetor;

namespace {

// A bank that differs from every default, so that any stray write shows.
std::unique_ptr<Bank> MarkedBank() {
    auto bank = std::make_unique<Bank>();
    for (int i = 0; i < kMaxPresets; ++i) {
        Preset& p = bank->presets[static_cast<std::size_t>(i)];
        p.lowKey.fill(static_cast<std::uint8_t>(i));
        p.midiOut2.fill(0);
        p.presetSwitch = 3;
        std::memcpy(p.name, "MARKED\0X", 9);
    }
    bank->currentPreset = 99;
    return bank;
}

bool Same(const Bank& a, const Bank& b) {
    if (a.keyboardType != b.keyboardType || a.keyboardMinor != b.keyboardMinor ||
        a.keyboardTypeChosen != b.keyboardTypeChosen || a.currentPreset != b.currentPreset)
        return false;
    for (int i = 0; i < kMaxPresets; ++i)
        if (!a.presets[static_cast<std::size_t>(i)].SameData(
                b.presets[static_cast<std::size_t>(i)]))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::unique_ptr<Bank> reference = MarkedBank();
    auto bank = std::make_unique<Bank>(*reference);
    const Result r = LoadPresetBytes(std::span(data, size), *bank);
    if (!r) {
        // Either not a preset file at all, or one cut short, which says its size.
        FUZZ_CHECK(r.code() == ErrorCode::InvalidFile);
        FUZZ_CHECK(r.message() == kInvalidFileText ||
                   r.message() == "too short: " + std::to_string(size) +
                                      " bytes, a preset file has 9158 or 22358");
        FUZZ_CHECK(Same(*bank, *reference));
        return 0;
    }
    const std::size_t used = PresetFileSize(bank->keyboardType);
    FUZZ_CHECK(size >= used);
    FUZZ_CHECK(bank->currentPreset == 0);
    const auto saved = SavePresetBytes(*bank);
    FUZZ_CHECK(saved.size() == used && std::memcmp(saved.data(), data, used) == 0);
    return 0;
}
