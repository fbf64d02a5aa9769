// .syx files: a bank as the keyboard's own dumps (one bulk dump, or one single dump per preset),
// and reading such an image back into a bank of the keyboard type its dumps name. The window's
// File > Open and Export as SysEx and presetor-cli to-syx and from-syx all use these.
#pragma once

#include "DumpParser.h"
#include "SysexFormat.h"
#include "model/Bank.h"
#include "model/Result.h"

#include <vector>

namespace presetor {

// The keyboard type a .syx image was made for: a bulk dump by its length (9,736 bytes for the
// LMK3, 19,312 for the LMK4), single dumps by their header (any dump with the LMK4 header, or a
// preset number above 64, means the LMK4; the LMK3 header otherwise means the LMK3). Fails with
// the reason for an image without dumps or with a header of neither keyboard.
Result DetectSyxKeyboardType(ByteSpan stream, int& keyboardType);

// Reads a .syx image into bank: keyboardType 0 takes the type from the image. The presets the
// image does not hold are reset from bank.presetDefaults, each linked to itself; currentPreset
// becomes 0. Anything malformed rejects the whole image and leaves the bank as it was. Presets
// whose checksum differs are listed in *badChecksumPresets when given.
Result ReadSyxImage(ByteSpan stream, int keyboardType, Bank& bank,
                    std::vector<int>* badChecksumPresets);

// The bank as Send All Presets sends it, without the EEPROM command: one bulk dump, or one
// single dump per preset (header by keyboard type, numbered 1..N).
Bytes BuildSyxImage(const Bank& bank, bool bulk);

// Whether a file image is a .syx image (it starts with F0; a preset file starts with its magic).
bool IsSyxImage(ByteSpan bytes);

// Reads a preset file or a .syx image (told apart by their first byte) into bank, for commands
// that take either (compare, diff). A .syx image takes its type from its dumps. On failure the
// bank is unchanged and the result names the file.
Result LoadBankFile(const std::string& path, Bank& bank, std::vector<int>* badChecksumPresets);

} // namespace presetor
