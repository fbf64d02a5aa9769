// Cutting byte streams into MIDI messages and naming them.
#include "MidiMonitorLog.h"

#include "SysexFormat.h"
#include "model/Checksum.h"
#include "model/Preset.h"
#include "model/PresetTexts.h"

#include <algorithm>
#include <cstdio>

namespace presetor {

namespace {

std::string Hex2(unsigned value) {
    char text[4];
    std::snprintf(text, sizeof text, "%02X", value & 0xFFu);
    return text;
}

bool StartsWith(std::span<const std::uint8_t> msg, const SysexHeader& header) {
    return msg.size() >= header.size() && std::equal(header.begin(), header.end(), msg.begin());
}

// Bytes a message with this status byte has in all; 0 for SysEx and undefined bytes.
std::size_t MessageLength(std::uint8_t status) {
    switch (status & 0xF0) {
    case 0x80:
    case 0x90:
    case 0xA0:
    case 0xB0:
    case 0xE0:
        return 3;
    case 0xC0:
    case 0xD0:
        return 2;
    default:
        break;
    }
    switch (status) {
    case 0xF1:
    case 0xF3:
        return 2;
    case 0xF2:
        return 3;
    case 0xF6:
    case 0xF8:
    case 0xFA:
    case 0xFB:
    case 0xFC:
    case 0xFE:
    case 0xFF:
        return 1;
    default:
        return 0;
    }
}

std::string PresetNumberText(int number) {
    return number == kEditMemoryNumber ? std::string("edit memory")
                                       : PresetPositionText(number - 1);
}

std::string DescribeKeyboardSysex(std::span<const std::uint8_t> m) {
    const std::uint8_t command = m[kCommandOffset];
    const std::size_t n = m.size();
    switch (command) {
    case kCmdRequestAll:
        if (n == kRequestAllSize)
            return "request all presets";
        break;
    case kCmdRequestOne:
        if (n == kRequestOneSize)
            return m[kNumberOffset] == kEditMemoryNumber
                       ? "request edit memory"
                       : "request preset " + std::to_string(m[kNumberOffset]);
        break;
    case kCmdSingleDump:
        if (n == kSingleDumpSize) {
            const bool ok = m[kSingleChecksumOffset] == SingleDumpChecksum(m.data());
            return "single dump " + PresetNumberText(m[kNumberOffset]) +
                   (ok ? ", checksum ok" : ", checksum wrong");
        }
        return "single dump of " + std::to_string(n) + " bytes (" +
               std::to_string(kSingleDumpSize) + " expected)";
    case kCmdBulkDump:
        for (int count : {kLmk3PresetCount, kLmk4PresetCount}) {
            if (n != BulkDumpSize(count))
                continue;
            int wrong = 0;
            for (int i = 0; i < count; ++i) {
                const std::uint8_t* payload = m.data() + BulkPayloadOffset(i);
                if (payload[kPayloadSize] != BulkRecordChecksum(payload))
                    ++wrong;
            }
            return "bulk dump " + std::to_string(count) + " presets, " +
                   (wrong == 0 ? std::string("checksums ok")
                               : std::to_string(wrong) + " checksums wrong");
        }
        return "bulk dump of " + std::to_string(n) + " bytes (" +
               std::to_string(BulkDumpSize(kLmk3PresetCount)) + " or " +
               std::to_string(BulkDumpSize(kLmk4PresetCount)) + " expected)";
    case kCmdStoreEeprom:
        if (n == kStoreEepromSize)
            return "store in EEPROM";
        break;
    default:
        return "keyboard SysEx, unknown command " + Hex2(command);
    }
    return "keyboard SysEx, command " + Hex2(command) + " of " + std::to_string(n) + " bytes";
}

std::string DescribeChannelMessage(std::span<const std::uint8_t> m) {
    const int channel = (m[0] & 0x0F) + 1;
    const std::string ch = " ch " + std::to_string(channel);
    const int d1 = m.size() > 1 ? m[1] : 0;
    const int d2 = m.size() > 2 ? m[2] : 0;
    switch (m[0] & 0xF0) {
    case 0x80:
        return "note off" + ch + ", " + KeyNameWithOctave(d1);
    case 0x90:
        if (d2 == 0)
            return "note off" + ch + ", " + KeyNameWithOctave(d1);
        return "note on" + ch + ", " + KeyNameWithOctave(d1) + ", velocity " + std::to_string(d2);
    case 0xA0:
        return "key pressure" + ch + ", " + KeyNameWithOctave(d1) + " = " + std::to_string(d2);
    case 0xB0:
        return "control change" + ch + ", controller " + std::to_string(d1) + " = " +
               std::to_string(d2);
    case 0xC0:
        return "program change" + ch + ", program " + std::to_string(d1 + 1);
    case 0xD0:
        return "channel pressure" + ch + " = " + std::to_string(d1);
    default:
        return "pitch bend" + ch + " = " + std::to_string(((d2 << 7) | d1) - 8192);
    }
}

std::string DescribeSystemMessage(std::uint8_t status) {
    switch (status) {
    case 0xF1:
        return "time code quarter frame";
    case 0xF2:
        return "song position";
    case 0xF3:
        return "song select";
    case 0xF6:
        return "tune request";
    case 0xF8:
        return "clock";
    case 0xFA:
        return "start";
    case 0xFB:
        return "continue";
    case 0xFC:
        return "stop";
    case 0xFE:
        return "active sensing";
    case 0xFF:
        return "reset";
    default:
        return "undefined status " + Hex2(status);
    }
}

} // namespace

std::string DescribeMidiMessage(std::span<const std::uint8_t> m) {
    if (m.empty())
        return "empty";
    if (m[0] == kSysexStart) {
        if (m.size() > kCommandOffset && m.back() == kSysexEnd &&
            (StartsWith(m, kLmk3Header) || StartsWith(m, kLmk3BulkRequestHeader) ||
             StartsWith(m, kLmk4Header)))
            return DescribeKeyboardSysex(m);
        if (m.back() != kSysexEnd)
            return "foreign: SysEx of " + std::to_string(m.size()) + " bytes without F7";
        return "foreign: SysEx of " + std::to_string(m.size()) + " bytes";
    }
    if (m[0] >= 0x80 && m[0] < 0xF0)
        return "foreign: " + DescribeChannelMessage(m);
    if (m[0] >= 0xF0)
        return "foreign: " + DescribeSystemMessage(m[0]);
    return "foreign: data bytes without a status byte";
}

std::string HexPrefix(std::span<const std::uint8_t> bytes, std::size_t maxBytes) {
    std::string text;
    const std::size_t shown = std::min(bytes.size(), maxBytes);
    for (std::size_t i = 0; i < shown; ++i)
        text += (i ? " " : "") + Hex2(bytes[i]);
    if (bytes.size() > shown)
        text += " ...";
    return text;
}

void MidiMonitorLog::Clear() {
    entries_.clear();
}

void MidiMonitorLog::Add(MidiDirection direction, const std::string& port,
                         std::span<const std::uint8_t> msg, std::size_t length, std::int64_t timeMs,
                         const std::string& meaning) {
    if (capacity_ == 0)
        return;
    while (entries_.size() >= capacity_)
        entries_.pop_front();
    entries_.push_back({timeMs, direction, port, length, HexPrefix(msg),
                        meaning.empty() ? DescribeMidiMessage(msg) : meaning});
    ++added_;
}

void MidiMonitorLog::FinishSysex(Stream& s, MidiDirection direction, const std::string& port,
                                 std::int64_t timeMs, bool complete) {
    std::string meaning;
    if (!complete)
        meaning = "SysEx of " + std::to_string(s.length) + " bytes, cut off (no F7)";
    else if (s.length > s.message.size())
        meaning = "SysEx of " + std::to_string(s.length) + " bytes, too long to decode";
    Add(direction, port, s.message, s.length, timeMs, meaning);
    s.message.clear();
    s.length = 0;
    s.inSysex = false;
}

std::size_t MidiMonitorLog::Feed(MidiDirection direction, const std::string& port,
                                 std::span<const std::uint8_t> bytes, std::int64_t timeMs) {
    const std::size_t before = added_;
    Stream& s = streams_[{direction, port}];
    for (const std::uint8_t b : bytes) {
        if (b >= 0xF8) { // real-time bytes may stand anywhere, also inside other messages
            const std::uint8_t one[] = {b};
            Add(direction, port, one, 1, timeMs);
            continue;
        }
        if (s.inSysex) {
            if (b < 0x80 || b == kSysexEnd) {
                if (s.message.size() < kMaxStoredSysex)
                    s.message.push_back(b);
                ++s.length;
                if (b == kSysexEnd)
                    FinishSysex(s, direction, port, timeMs, true);
                continue;
            }
            FinishSysex(s, direction, port, timeMs, false); // a status byte cuts it off
        }
        if (b == kSysexStart) {
            s.message.assign(1, b);
            s.length = 1;
            s.inSysex = true;
            s.runningStatus = 0;
            continue;
        }
        if (b >= 0x80) {
            s.message.assign(1, b);
            s.expected = MessageLength(b);
            s.runningStatus = b < 0xF0 ? b : 0;
            if (s.expected <= 1) {
                Add(direction, port, s.message, 1, timeMs);
                s.message.clear();
            }
            continue;
        }
        // A data byte: part of the message begun, or a new one under running status.
        if (s.message.empty()) {
            if (s.runningStatus == 0) {
                const std::uint8_t one[] = {b};
                Add(direction, port, one, 1, timeMs);
                continue;
            }
            s.message.assign(1, s.runningStatus);
            s.expected = MessageLength(s.runningStatus);
        }
        s.message.push_back(b);
        if (s.message.size() >= s.expected) {
            Add(direction, port, s.message, s.message.size(), timeMs);
            s.message.clear();
        }
    }
    return added_ - before;
}

} // namespace presetor
