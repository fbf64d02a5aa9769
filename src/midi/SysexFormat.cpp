// Builders for the messages the editor sends.
#include "SysexFormat.h"

#include "model/Checksum.h"

#include <algorithm>

namespace presetor {

const SysexHeader& HeaderFor(int keyboardType) {
    return HasLmk4Fields(keyboardType) ? kLmk4Header : kLmk3Header;
}

Bytes BuildRequestAll() {
    Bytes m(kLmk3BulkRequestHeader.begin(), kLmk3BulkRequestHeader.end());
    m.push_back(kCmdRequestAll);
    m.push_back(kSysexEnd);
    return m;
}

Bytes BuildRequestOne(const SysexHeader& header, int presetNumber) {
    Bytes m(header.begin(), header.end());
    m.push_back(kCmdRequestOne);
    m.push_back(static_cast<std::uint8_t>(presetNumber & 0x7F));
    m.push_back(kSysexEnd);
    return m;
}

Bytes BuildStoreEeprom() {
    Bytes m(kLmk4Header.begin(), kLmk4Header.end());
    m.push_back(kCmdStoreEeprom);
    m.push_back(kSysexEnd);
    return m;
}

Bytes BuildSingleDump(const Preset& preset, int keyboardType, const SysexHeader& header,
                      int presetNumber) {
    Bytes m(kSingleDumpSize, 0);
    std::copy(header.begin(), header.end(), m.begin());
    m[kCommandOffset] = kCmdSingleDump;
    m[kNumberOffset] = static_cast<std::uint8_t>(presetNumber & 0x7F);
    m[kNumberCopyOffset] = m[kNumberOffset];
    preset.Encode(m.data(), keyboardType);
    m[kSingleChecksumOffset] = SingleDumpChecksum(m.data());
    m[kSingleDumpSize - 1] = kSysexEnd;
    return m;
}

Bytes BuildBulkDump(const Bank& bank) {
    const int count = bank.PresetCount();
    Bytes m(BulkDumpSize(count), 0);
    const SysexHeader& header = HeaderFor(bank.keyboardType);
    std::copy(header.begin(), header.end(), m.begin());
    m[kCommandOffset] = kCmdBulkDump;
    for (int i = 0; i < count; ++i) {
        std::uint8_t* record = m.data() + kBulkFirstRecord + kBulkRecordSize * i;
        record[0] = static_cast<std::uint8_t>(i + 1);
        bank.presets[static_cast<std::size_t>(i)].EncodePayload(record + 1, bank.keyboardType);
        record[1 + kPayloadSize] = BulkRecordChecksum(record + 1);
    }
    m.back() = kSysexEnd;
    return m;
}

} // namespace presetor
