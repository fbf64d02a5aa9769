// The keyboard model: parses the editor's messages, answers requests from its bank and stores
// dumps into it.
#include "VirtualKeyboard.h"

#include "SysexFormat.h"
#include "model/Checksum.h"

#include <algorithm>

namespace presetor {

namespace {

bool StartsWith(std::span<const std::uint8_t> m, const SysexHeader& h) {
    return m.size() >= h.size() && std::equal(h.begin(), h.end(), m.begin());
}

} // namespace

VirtualKeyboard::VirtualKeyboard(const VirtualKeyboardOptions& options) {
    SetOptions(options);
    bank_.SetKeyboardType(options_.keyboardType);
    bank_.LoadPresetDefaults();
    editMemory_.Init(&bank_.presetDefaults, 0);
}

void VirtualKeyboard::SetOptions(const VirtualKeyboardOptions& options) {
    const int oldType = bank_.keyboardType;
    options_ = options;
    options_.keyboardType = options.keyboardType == kLmk3 ? kLmk3 : kLmk4;
    emitted_ = 0; // faults start over with new options
    damagedOnce_.clear();
    if (options_.keyboardType != oldType || !bank_.keyboardTypeChosen) {
        bank_.SetKeyboardType(options_.keyboardType);
        bank_.LoadPresetDefaults();
    }
}

void VirtualKeyboard::Feed(std::span<const std::uint8_t> bytes) {
    assembler_.Feed(bytes, [this](std::span<const std::uint8_t> m) { Handle(m); });
}

int VirtualKeyboard::HeaderKind(std::span<const std::uint8_t> m) const {
    if (StartsWith(m, kLmk3Header)) {
        return kLmk3;
    }
    if (StartsWith(m, kLmk4Header)) {
        return kLmk4;
    }
    if (StartsWith(m, kLmk3BulkRequestHeader)) {
        return 0;
    }
    return -1;
}

void VirtualKeyboard::Handle(std::span<const std::uint8_t> m) {
    const int header = HeaderKind(m);
    const int type = options_.keyboardType;
    const int count = bank_.PresetCount();
    if (header < 0 || m.size() < kRequestAllSize) {
        ++counters_.rejected;
        return;
    }
    const std::uint8_t command = m[kCommandOffset];
    switch (command) {
    case kCmdRequestAll:
        if (m.size() != kRequestAllSize) {
            break;
        }
        ++counters_.requests;
        if (options_.echo) {
            Emit(m);
        }
        if (!options_.silent) {
            Bytes dump = BuildBulkDump(bank_);
            for (int nn = count; nn >= 1; --nn) {
                DamageOnce(dump, nn, BulkPayloadOffset(nn - 1));
            }
            Emit(dump);
        }
        if (onHandled_) {
            onHandled_(m);
        }
        return;
    case kCmdRequestOne: {
        if (m.size() != kRequestOneSize || m[kNumberOffset] > count) {
            break;
        }
        ++counters_.requests;
        if (options_.echo) {
            Emit(m);
        }
        const int number = m[kNumberOffset];
        if (!options_.silent) {
            const Preset& p = number == kEditMemoryNumber
                                  ? editMemory_
                                  : bank_.presets[static_cast<std::size_t>(number - 1)];
            Bytes dump = BuildSingleDump(p, type, HeaderFor(type), number);
            DamageOnce(dump, number, kNumberCopyOffset + 1);
            Emit(dump);
        }
        if (onHandled_) {
            onHandled_(m);
        }
        return;
    }
    case kCmdBulkDump: {
        if (m.size() != BulkDumpSize(count)) {
            break;
        }
        for (int i = 0; i < count; ++i) {
            const std::uint8_t* record = m.data() + kBulkFirstRecord + kBulkRecordSize * i;
            if (BulkRecordChecksum(record + 1) != record[1 + kPayloadSize]) {
                ++counters_.badChecksums;
            }
            if (!options_.ignoreWrites) {
                bank_.presets[static_cast<std::size_t>(i)].DecodePayload(record + 1, type);
            }
            ++counters_.presetsStored;
        }
        ++counters_.bulkDumpsStored;
        if (onHandled_) {
            onHandled_(m);
        }
        return;
    }
    case kCmdSingleDump: {
        if (m.size() != kSingleDumpSize || m[kNumberOffset] > count) {
            break;
        }
        if (SingleDumpChecksum(m.data()) != m[kSingleChecksumOffset]) {
            ++counters_.badChecksums;
        }
        const int number = m[kNumberOffset];
        Preset& p = number == kEditMemoryNumber
                        ? editMemory_
                        : bank_.presets[static_cast<std::size_t>(number - 1)];
        if (!options_.ignoreWrites) {
            p.Decode(m.data(), type);
        }
        ++counters_.presetsStored;
        counters_.lastStored = number;
        if (onHandled_) {
            onHandled_(m);
        }
        return;
    }
    case kCmdStoreEeprom:
        if (m.size() != kStoreEepromSize || type != kLmk4 || header != kLmk4) {
            break;
        }
        ++counters_.eepromStores;
        if (onHandled_) {
            onHandled_(m);
        }
        return;
    default:
        break;
    }
    ++counters_.rejected;
}

void VirtualKeyboard::DamageOnce(Bytes& dump, int number, std::size_t payloadOffset) {
    const auto listed = [number](const std::vector<int>& list) {
        return std::find(list.begin(), list.end(), number) != list.end();
    };
    const bool corrupt = listed(options_.corruptPresets);
    const bool drop = listed(options_.dropPresets);
    if ((!corrupt && !drop) || (!options_.damageAlways && listed(damagedOnce_))) {
        return;
    }
    damagedOnce_.push_back(number);
    const auto at = static_cast<std::ptrdiff_t>(payloadOffset + 3);
    if (drop) {
        dump.erase(dump.begin() + at);
    } else {
        dump[static_cast<std::size_t>(at)] ^= 0x01;
    }
}

void VirtualKeyboard::Emit(std::span<const std::uint8_t> bytes) {
    if (!sink_) {
        return;
    }
    Bytes out;
    out.reserve(bytes.size());
    for (std::uint8_t b : bytes) {
        if (options_.stopAfter > 0 && emitted_ >= options_.stopAfter) {
            break; // fallen silent
        }
        ++emitted_;
        ++outCount_;
        if (options_.dropEvery > 0 && outCount_ % options_.dropEvery == 0) {
            continue;
        }
        if (b < 0x80) {
            ++dataCount_;
            if (options_.corruptEvery > 0 && dataCount_ % options_.corruptEvery == 0) {
                b ^= 0x01;
            }
        }
        out.push_back(b);
    }
    if (!out.empty()) {
        sink_(out);
    }
}

} // namespace presetor
