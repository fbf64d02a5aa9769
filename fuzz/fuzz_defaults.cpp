// Fuzzes the stored "DefaultPreset" value: only 40 or 19 bytes are taken, and a fresh bank built
// from any accepted value keeps every preset unlinked with a 9-byte name.
#include "FuzzCheck.h"
#include "model/Bank.h"

#include <cstring>
#include <memory>

using namespace presetor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto bank = std::make_unique<Bank>();
    if (size > 0 && (data[0] & 1))
        bank->SetKeyboardType(kLmk4);
    const PresetDefaults before = bank->presetDefaults;
    bank->LoadPresetDefaults(std::span(data, size));
    const bool taken =
        size == PresetDefaults::kStoredSize || size == PresetDefaults::kOldStoredSize;
    if (!taken)
        FUZZ_CHECK(bank->presetDefaults == before);
    for (int i = 0; i < bank->PresetCount(); ++i) {
        const Preset& p = bank->presets[static_cast<std::size_t>(i)];
        FUZZ_CHECK(p.linkPreset == i);
        FUZZ_CHECK(p.name[kNameLength] == '\0');
        FUZZ_CHECK(p.GetName().size() <= static_cast<std::size_t>(kNameLength));
    }
    if (taken)
        FUZZ_CHECK(std::memcmp(bank->presetDefaults.ToBytes().data(), data,
                               PresetDefaults::kOldStoredSize) == 0);
    return 0;
}
