// Operations that change presets as wholes: reset, copy, exchange, insert (move by a sequence of
// neighbour swaps), link all and unlink all. Indices outside 0..PresetCount()-1 change nothing.
#pragma once

#include "Bank.h"

namespace presetor {

// Init with the user's defaults and the preset's own index.
void ResetPreset(Bank& bank, int index);
// Preset `to` takes every data field of preset `from`, name and link included.
void CopyPreset(Bank& bank, int from, int to);
void ExchangePresets(Bank& bank, int a, int b);
// Moves preset `from` to place `to`; the presets between shift by one place. Links keep their
// indices.
void InsertPreset(Bank& bank, int from, int to);
// Preset i links to i + 1, the last one to 0: one ring over the presets in use.
void LinkAll(Bank& bank);
// Every preset in use links to itself.
void UnlinkAll(Bank& bank);

} // namespace presetor
