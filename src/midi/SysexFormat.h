// The keyboard's System Exclusive messages: headers, commands, lengths and the builders for
// every message the editor sends. The payload inside comes from Preset::Encode.
#pragma once

#include "model/Bank.h"
#include "model/Preset.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace presetor {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kSysexStart = 0xF0;
constexpr std::uint8_t kSysexEnd = 0xF7;

constexpr std::size_t kHeaderSize = 6;
using SysexHeader = std::array<std::uint8_t, kHeaderSize>;
constexpr SysexHeader kLmk3Header = {0xF0, 0x00, 0x44, 0x26, 0x41, 0x03};
constexpr SysexHeader kLmk3BulkRequestHeader = {0xF0, 0x00, 0x44, 0x26, 0x41, 0x00};
constexpr SysexHeader kLmk4Header = {0xF0, 0x00, 0x20, 0x20, 0x03, 0x00};

// Command byte at offset 6.
enum SysexCommand : std::uint8_t {
    kCmdRequestAll = 0x02,
    kCmdRequestOne = 0x03,
    kCmdBulkDump = 0x04,
    kCmdSingleDump = 0x05,
    kCmdStoreEeprom = 0x06,
};

constexpr std::size_t kCommandOffset = 6;
constexpr std::size_t kNumberOffset = 7;     // preset number in requests and single dumps
constexpr std::size_t kNumberCopyOffset = 8; // single dump: the number again
constexpr std::size_t kSingleChecksumOffset = 159;
constexpr std::size_t kRequestAllSize = 8;
constexpr std::size_t kRequestOneSize = 9;
constexpr std::size_t kStoreEepromSize = 8;
constexpr std::size_t kSingleDumpSize = 161;
constexpr std::size_t kBulkRecordSize = 152;
constexpr std::size_t kBulkFirstRecord = 7; // offset of record 0 in a bulk dump
constexpr std::size_t kBulkOverhead = 8;    // header, command and final F7

// Preset number 0 addresses the keyboard's edit memory; 1..N the presets.
constexpr int kEditMemoryNumber = 0;

constexpr std::size_t BulkDumpSize(int presetCount) {
    return kBulkRecordSize * static_cast<std::size_t>(presetCount) + kBulkOverhead;
}

// Header of dumps and single requests for a keyboard type.
const SysexHeader& HeaderFor(int keyboardType);

// F0 00 44 26 41 00 02 F7: request all presets as one bulk dump.
Bytes BuildRequestAll();
// header, 03, number, F7.
Bytes BuildRequestOne(const SysexHeader& header, int presetNumber);
// LMK4 header, 06, F7: store all presets in EEPROM.
Bytes BuildStoreEeprom();
// header, 05, number, number, payload, checksum of payload bytes 0..100, F7 (161 bytes).
Bytes BuildSingleDump(const Preset& preset, int keyboardType, const SysexHeader& header,
                      int presetNumber);
// header, 04, then per preset: number, payload, checksum of all 150 bytes; then F7.
Bytes BuildBulkDump(const Bank& bank);

// Offset of preset index i's payload inside a bulk dump (after its number byte).
constexpr std::size_t BulkPayloadOffset(int index) {
    return kBulkFirstRecord + kBulkRecordSize * static_cast<std::size_t>(index) + 1;
}

} // namespace presetor
