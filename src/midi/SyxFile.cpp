// .syx images of a bank.
#include "SyxFile.h"

#include "model/FileIo.h"
#include "model/PresetFile.h"

#include <algorithm>
#include <memory>
#include <string>

namespace presetor {

namespace {

Result Bad(std::string message) {
    return Result::Fail(ErrorCode::BadData, std::move(message));
}

bool HasHeader(const Bytes& msg, const SysexHeader& header) {
    return msg.size() >= header.size() && std::equal(header.begin(), header.end(), msg.begin());
}

} // namespace

Result DetectSyxKeyboardType(ByteSpan stream, int& keyboardType) {
    std::vector<Bytes> messages;
    if (Result r = SplitSysexMessages(stream, messages); !r)
        return r;
    if (messages.empty())
        return Bad("no SysEx message found");
    const Bytes& first = messages.front();
    if (first.size() > kCommandOffset && first[kCommandOffset] == kCmdBulkDump) {
        for (int type : {kLmk3, kLmk4}) {
            if (first.size() == BulkDumpSize(PresetCountFor(type))) {
                keyboardType = type;
                return Result::Ok();
            }
        }
        return Bad("bulk dump of " + std::to_string(first.size()) + " bytes (" +
                   std::to_string(BulkDumpSize(kLmk3PresetCount)) + " for an LMK3 or " +
                   std::to_string(BulkDumpSize(kLmk4PresetCount)) + " for an LMK4 expected)");
    }
    bool lmk4 = false;
    for (std::size_t m = 0; m < messages.size(); ++m) {
        const Bytes& msg = messages[m];
        if (HasHeader(msg, kLmk4Header)) {
            lmk4 = true;
        } else if (!HasHeader(msg, kLmk3Header)) {
            return Bad("message " + std::to_string(m + 1) +
                       ": the header is neither the LMK3's nor the LMK4's");
        }
        if (msg.size() > kNumberOffset && msg[kCommandOffset] == kCmdSingleDump &&
            msg[kNumberOffset] > kLmk3PresetCount)
            lmk4 = true;
    }
    keyboardType = lmk4 ? kLmk4 : kLmk3;
    return Result::Ok();
}

Result ReadSyxImage(ByteSpan stream, int keyboardType, Bank& bank,
                    std::vector<int>* badChecksumPresets) {
    int type = keyboardType;
    if (type == 0) {
        if (Result r = DetectSyxKeyboardType(stream, type); !r)
            return r;
    }
    auto staged = std::make_unique<Bank>(bank);
    staged->SetKeyboardType(type);
    staged->LoadPresetDefaults();
    staged->currentPreset = 0;
    if (Result r = DecodeDumpStream(stream, type, *staged, badChecksumPresets); !r)
        return r;
    bank = *staged;
    return Result::Ok();
}

Bytes BuildSyxImage(const Bank& bank, bool bulk) {
    if (bulk)
        return BuildBulkDump(bank);
    Bytes bytes;
    const SysexHeader& header = HeaderFor(bank.keyboardType);
    bytes.reserve(kSingleDumpSize * static_cast<std::size_t>(bank.PresetCount()));
    for (int i = 0; i < bank.PresetCount(); ++i) {
        const Bytes m = BuildSingleDump(bank.presets[static_cast<std::size_t>(i)],
                                        bank.keyboardType, header, i + 1);
        bytes.insert(bytes.end(), m.begin(), m.end());
    }
    return bytes;
}

bool IsSyxImage(ByteSpan bytes) {
    return !bytes.empty() && bytes.front() == kSysexStart;
}

Result LoadBankFile(const std::string& path, Bank& bank, std::vector<int>* badChecksumPresets) {
    Bytes bytes;
    if (Result r = ReadWholeFile(path, bytes); !r)
        return r;
    const Result r = IsSyxImage(bytes) ? ReadSyxImage(bytes, 0, bank, badChecksumPresets)
                                       : LoadPresetBytes(bytes, bank);
    if (!r && r.message().find(path) == std::string::npos)
        return Result::Fail(r.code(), path + ": " + r.message());
    return r;
}

} // namespace presetor
