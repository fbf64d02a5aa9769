// Bank operations over the presets in use.
#include "BankOps.h"

#include <cstddef>
#include <utility>

namespace presetor {

namespace {

bool InUse(const Bank& bank, int index) {
    return index >= 0 && index < bank.PresetCount();
}

Preset& At(Bank& bank, int index) {
    return bank.presets[static_cast<std::size_t>(index)];
}

void Swap(Bank& bank, int a, int b) {
    const Preset temp = At(bank, a);
    At(bank, a).CopyFrom(At(bank, b));
    At(bank, b).CopyFrom(temp);
}

} // namespace

void ResetPreset(Bank& bank, int index) {
    if (InUse(bank, index))
        At(bank, index).Init(&bank.presetDefaults, index);
}

void CopyPreset(Bank& bank, int from, int to) {
    if (InUse(bank, from) && InUse(bank, to))
        At(bank, to).CopyFrom(At(bank, from));
}

void ExchangePresets(Bank& bank, int a, int b) {
    if (InUse(bank, a) && InUse(bank, b) && a != b)
        Swap(bank, a, b);
}

void InsertPreset(Bank& bank, int from, int to) {
    if (!InUse(bank, from) || !InUse(bank, to))
        return;
    for (int k = from; k < to; ++k)
        Swap(bank, k, k + 1);
    for (int k = from - 1; k >= to; --k)
        Swap(bank, k, k + 1);
}

void LinkAll(Bank& bank) {
    const int n = bank.PresetCount();
    for (int i = 0; i < n; ++i)
        At(bank, i).linkPreset = static_cast<std::uint8_t>(i + 1 < n ? i + 1 : 0);
}

void UnlinkAll(Bank& bank) {
    for (int i = 0; i < bank.PresetCount(); ++i)
        At(bank, i).linkPreset = static_cast<std::uint8_t>(i);
}

} // namespace presetor
