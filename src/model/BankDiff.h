// Comparison of two banks field by field, with the names the pages use ("Split 3: MIDI-Channel")
// and the values as the pages show them ("2" / "5"), and copying one compared field from a
// preset of one bank into a preset of another. The window's compare dialog and presetor-cli
// diff share it.
#pragma once

#include "Bank.h"
#include "Preset.h"

#include <string>
#include <vector>

namespace presetor {

// The fields the pages edit, for a keyboard type (the LMK4 has more), in page order: Global,
// Controller, Controller-Assignments, Split 1 .. Split 8. A field is addressed by its index.
int PresetFieldCount(int keyboardType);
// "Split 3: MIDI-Channel"; empty for an index outside the list.
std::string PresetFieldName(int field, int keyboardType);
// The value as the page shows it ("5", "C 3 - G 6", "Pitch").
std::string PresetFieldValue(const Preset& preset, int field, int keyboardType);
bool SamePresetField(const Preset& a, const Preset& b, int field, int keyboardType);
// Copies the bytes of one field (a split's key range: both keys; the name: all 8 characters).
void CopyPresetField(const Preset& from, Preset& to, int field, int keyboardType);

struct FieldDiff {
    int field = 0;
    std::string name;   // "Split 3: MIDI-Channel"
    std::string ours;   // value in the first preset
    std::string theirs; // value in the second
};

// The fields in which a and b differ, in page order.
std::vector<FieldDiff> DiffPresets(const Preset& a, const Preset& b, int keyboardType);

struct PresetDiff {
    int index = 0;
    std::vector<FieldDiff> fields;
};

struct BankDiff {
    int typeA = 0;
    int typeB = 0;
    // Compared presets: the first min(count A, count B); with different types the fields of the
    // LMK3 are compared, and the extra presets of the larger bank are counted as differing.
    int extraPresets = 0;
    std::vector<PresetDiff> presets;

    bool Equal() const { return typeA == typeB && presets.empty() && extraPresets == 0; }
    // Keyboard type whose field list the comparison used.
    int FieldType() const { return typeA == typeB ? typeA : kLmk3; }
};

BankDiff DiffBanks(const Bank& a, const Bank& b);

// The differences as text lines: "type: LMK3 / LMK4", then per preset "1.3 (3) PIANO / ORGAN"
// and its fields indented ("  Split 3: MIDI-Channel 2 / 5").
std::vector<std::string> BankDiffLines(const Bank& a, const Bank& b, const BankDiff& diff);

} // namespace presetor
