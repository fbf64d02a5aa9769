// Checks and decoding of received dumps.
#include "DumpParser.h"

#include "model/Checksum.h"

#include <cstdio>
#include <memory>
#include <string>

namespace presetor {

namespace {

constexpr std::uint8_t kRealtimeFirst = 0xF8;

std::string Hex(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value & 0xFFu);
    return text;
}

Result Bad(std::string message) {
    return Result::Fail(ErrorCode::BadData, std::move(message));
}

// F0 first, F7 last, every byte between a data byte.
Result CheckFrame(ByteSpan msg) {
    if (msg.empty() || msg.front() != kSysexStart)
        return Bad("message does not start with F0");
    if (msg.back() != kSysexEnd)
        return Bad("message does not end with F7");
    for (std::size_t i = 1; i + 1 < msg.size(); ++i)
        if (msg[i] >= 0x80)
            return Bad("status byte " + Hex(msg[i]) + " inside the message at offset " +
                       std::to_string(i));
    return Result::Ok();
}

} // namespace

Result CheckSingleDump(ByteSpan msg) {
    if (msg.size() != kSingleDumpSize)
        return Bad("single dump of " + std::to_string(msg.size()) + " bytes (" +
                   std::to_string(kSingleDumpSize) + " expected)");
    if (Result r = CheckFrame(msg); !r)
        return r;
    if (msg[kCommandOffset] != kCmdSingleDump)
        return Bad("command " + Hex(msg[kCommandOffset]) + " is not a single dump");
    return Result::Ok();
}

Result DecodeSingleDump(ByteSpan msg, int keyboardType, Preset& out, int* presetNumber,
                        bool* checksumOk) {
    if (Result r = CheckSingleDump(msg); !r)
        return r;
    out.Decode(msg.data(), keyboardType);
    if (presetNumber)
        *presetNumber = msg[kNumberOffset];
    if (checksumOk)
        *checksumOk = msg[kSingleChecksumOffset] == SingleDumpChecksum(msg.data());
    return Result::Ok();
}

Result DecodeBulkDump(ByteSpan msg, int keyboardType, Bank& bank,
                      std::vector<int>* badChecksumPresets) {
    const int count = PresetCountFor(keyboardType);
    if (msg.size() != BulkDumpSize(count))
        return Bad("bulk dump of " + std::to_string(msg.size()) + " bytes (" +
                   std::to_string(BulkDumpSize(count)) + " expected)");
    if (Result r = CheckFrame(msg); !r)
        return r;
    if (msg[kCommandOffset] != kCmdBulkDump)
        return Bad("command " + Hex(msg[kCommandOffset]) + " is not a bulk dump");
    for (int i = 0; i < count; ++i) {
        const std::uint8_t number = msg[BulkPayloadOffset(i) - 1];
        if (number != i + 1)
            return Bad("bulk record " + std::to_string(i + 1) + " carries number " +
                       std::to_string(number));
    }

    auto staged = std::make_unique<std::array<Preset, kMaxPresets>>(bank.presets);
    std::vector<int> bad;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* payload = msg.data() + BulkPayloadOffset(i);
        (*staged)[static_cast<std::size_t>(i)].DecodePayload(payload, keyboardType);
        if (payload[kPayloadSize] != BulkRecordChecksum(payload))
            bad.push_back(i);
    }
    for (int i = 0; i < count; ++i)
        bank.presets[static_cast<std::size_t>(i)] = (*staged)[static_cast<std::size_t>(i)];
    if (badChecksumPresets)
        badChecksumPresets->insert(badChecksumPresets->end(), bad.begin(), bad.end());
    return Result::Ok();
}

Result SplitSysexMessages(ByteSpan stream, std::vector<Bytes>& messages, bool dropRealtime) {
    messages.clear();
    std::vector<Bytes> found;
    const std::size_t size = stream.size();
    std::size_t i = 0;
    while (i < size) {
        if (stream[i] != kSysexStart)
            return Bad("byte " + Hex(stream[i]) + " at offset " + std::to_string(i) +
                       " is outside a SysEx message");
        // Data bytes are copied in runs: up to the F7, or to a real-time byte that is dropped.
        Bytes message;
        std::size_t run = i;
        for (++i;; ++i) {
            if (i == size)
                return Bad("the last SysEx message has no F7");
            const std::uint8_t b = stream[i];
            if (b < 0x80)
                continue;
            if (dropRealtime && b >= kRealtimeFirst) {
                message.insert(message.end(), stream.begin() + run, stream.begin() + i);
                run = i + 1;
                continue;
            }
            if (b != kSysexEnd)
                return Bad("status byte " + Hex(b) + " at offset " + std::to_string(i) +
                           " inside a SysEx message");
            break;
        }
        ++i; // past the F7
        message.insert(message.end(), stream.begin() + run, stream.begin() + i);
        found.push_back(std::move(message));
    }
    messages = std::move(found);
    return Result::Ok();
}

Result DecodeDumpStream(ByteSpan stream, int keyboardType, Bank& bank,
                        std::vector<int>* badChecksumPresets) {
    std::vector<Bytes> messages;
    if (Result r = SplitSysexMessages(stream, messages); !r)
        return r;
    if (messages.empty())
        return Bad("no SysEx message found");

    auto staged = std::make_unique<Bank>(bank);
    std::vector<int> bad;
    const int count = PresetCountFor(keyboardType);
    for (std::size_t m = 0; m < messages.size(); ++m) {
        const Bytes& msg = messages[m];
        const std::string where = "message " + std::to_string(m + 1) + ": ";
        const std::uint8_t command = msg.size() > kCommandOffset ? msg[kCommandOffset] : 0xFF;
        if (command == kCmdBulkDump) {
            if (messages.size() != 1)
                return Bad(where + "a bulk dump must be the only message");
            if (Result r = DecodeBulkDump(msg, keyboardType, *staged, &bad); !r)
                return Bad(where + r.message());
        } else if (command == kCmdSingleDump) {
            // Check the number before decoding so that no preset is touched for a bad one.
            if (msg.size() == kSingleDumpSize && msg[kNumberOffset] > count)
                return Bad(where + "preset number " + std::to_string(msg[kNumberOffset]) +
                           " out of range 0.." + std::to_string(count));
            if (msg.size() == kSingleDumpSize && msg[kNumberOffset] == kEditMemoryNumber) {
                Preset scratch; // the edit memory: checked, not placed
                if (Result r = DecodeSingleDump(msg, keyboardType, scratch, nullptr, nullptr); !r)
                    return Bad(where + r.message());
                continue;
            }
            Preset decoded;
            int number = 0;
            bool checksumOk = true;
            if (msg.size() == kSingleDumpSize)
                decoded = staged->presets[static_cast<std::size_t>(msg[kNumberOffset] - 1)];
            if (Result r = DecodeSingleDump(msg, keyboardType, decoded, &number, &checksumOk); !r)
                return Bad(where + r.message());
            staged->presets[static_cast<std::size_t>(number - 1)] = decoded;
            if (!checksumOk)
                bad.push_back(number - 1);
        } else if (msg.size() <= kCommandOffset + 1) {
            return Bad(where + "message of " + std::to_string(msg.size()) + " bytes is too short");
        } else {
            return Bad(where + "unknown command " + Hex(command));
        }
    }
    for (int i = 0; i < count; ++i)
        bank.presets[static_cast<std::size_t>(i)] = staged->presets[static_cast<std::size_t>(i)];
    if (badChecksumPresets)
        badChecksumPresets->insert(badChecksumPresets->end(), bad.begin(), bad.end());
    return Result::Ok();
}

} // namespace presetor
