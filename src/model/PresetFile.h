// The .lmk preset file: a 6-byte magic naming the keyboard type, then one record per preset in
// use. Loading checks magic and whole length first and changes nothing when it rejects a file.
#pragma once

#include "Bank.h"
#include "Result.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace presetor {

constexpr std::size_t kMagicSize = 6;
constexpr char kLmk3Magic[] = "LMK3V4";
constexpr char kLmk4Magic[] = "LMK4V1";
constexpr std::size_t kLmk3RecordSize = 143;
constexpr std::size_t kLmk4RecordSize = 176;

// Text of message 133, given for every rejected file.
constexpr char kInvalidFileText[] = "Invalid File-Type. This file is not a LMK-Preset-File.";

constexpr std::size_t RecordSizeFor(int keyboardType) {
    return HasLmk4Fields(keyboardType) ? kLmk4RecordSize : kLmk3RecordSize;
}
// 9158 bytes for the LMK3, 22358 for the LMK4.
constexpr std::size_t PresetFileSize(int keyboardType) {
    return kMagicSize + RecordSizeFor(keyboardType) * PresetCountFor(keyboardType);
}

// The largest valid preset file; anything longer is refused before it is read.
constexpr std::size_t kMaxPresetFileSize = PresetFileSize(kLmk4);

// The file image of the bank: magic by keyboard type, then presets 0..PresetCount()-1.
std::vector<std::uint8_t> SavePresetBytes(const Bank& bank);

// Writes the file image atomically; a failed save leaves an existing file as it was.
Result SavePresetFile(const std::string& path, const Bank& bank);

// Takes a file image. An unknown magic is rejected with kInvalidFileText, a short image with
// "too short: N bytes, a preset file has 9158 or 22358"; nothing changes then. On success the
// presets in use are overwritten (an LMK3 file leaves the LMK4-only fields and presets 64..126 as
// they were), the keyboard type is switched through SetKeyboardType and currentPreset becomes 0.
// Bytes after the last record are ignored.
Result LoadPresetBytes(std::span<const std::uint8_t> bytes, Bank& bank);

// Reads the file, then LoadPresetBytes. Only a regular file of at most kMaxPresetFileSize bytes
// is read ("too long: ..." otherwise). A file that cannot be read gives an IoError naming it;
// content errors (InvalidFile) leave naming the file to the caller.
Result LoadPresetFile(const std::string& path, Bank& bank);

} // namespace presetor
