// Parsing of received preset dumps: single dumps (command 05), bulk dumps (command 04) and
// streams of F0..F7 messages such as .syx files. Every check runs before anything is written,
// so a rejected message leaves the preset or bank unchanged.
#pragma once

#include "SysexFormat.h"
#include "model/Bank.h"
#include "model/Preset.h"
#include "model/Result.h"

#include <cstdint>
#include <span>
#include <vector>

namespace presetor {

using ByteSpan = std::span<const std::uint8_t>;

// A single dump of exactly 161 bytes: F0 first, F7 last, command 05, every byte between below
// 0x80. The header's maker and device bytes are not examined. On success the payload is decoded
// into out for the keyboard type (an LMK3 leaves out's LMK4-only fields as they were), the number
// byte (offset 7) goes to *presetNumber and the checksum comparison to *checksumOk.
Result DecodeSingleDump(ByteSpan msg, int keyboardType, Preset& out, int* presetNumber,
                        bool* checksumOk);

// The checks of DecodeSingleDump alone, for a caller that decodes later or not at all.
Result CheckSingleDump(ByteSpan msg);

// A bulk dump of exactly 152 * N + 8 bytes (N = presets of the keyboard type): F0 first, F7 last,
// command 04, record i numbered i + 1, every byte between below 0x80. The records are decoded
// into a copy of the presets first and only then into the bank. Indices of records whose
// checksum differs are appended to *badChecksumPresets when given.
Result DecodeBulkDump(ByteSpan msg, int keyboardType, Bank& bank,
                      std::vector<int>* badChecksumPresets);

// Splits a byte stream into its F0..F7 messages. Every byte must belong to a message: anything
// before an F0 or after an F7, a status byte inside a message or a message without its F7 is an
// error. With dropRealtime, real-time bytes (F8..FF) inside a message are dropped, as MIDI
// allows them anywhere. On error messages is left empty.
Result SplitSysexMessages(ByteSpan stream, std::vector<Bytes>& messages, bool dropRealtime = false);

// Reads a .syx image into the bank: either exactly one bulk dump, or single dumps placed by
// their preset number byte (number 0, the edit memory, is skipped; numbers above the keyboard
// type's preset count are an error). Anything malformed rejects the whole image and leaves the
// bank unchanged. Presets whose checksum differs are listed in *badChecksumPresets when given.
Result DecodeDumpStream(ByteSpan stream, int keyboardType, Bank& bank,
                        std::vector<int>* badChecksumPresets);

} // namespace presetor
