// Verification after sending: MIDI output has no acknowledgement, so what was sent is read back
// and compared byte for byte with what came back.
#pragma once

#include "model/Bank.h"

#include <vector>

namespace presetor {

// Indices (ascending) of the presets in use whose 150 payload bytes differ between the bank
// that was sent and the bank read back, both encoded for the sent bank's keyboard type.
std::vector<int> DifferingPresets(const Bank& sent, const Bank& readBack);

} // namespace presetor
