// What the MIDI monitor lists: the byte streams of each port and direction cut into MIDI
// messages, each with its time, length, first bytes and a decoded summary ("request preset 5",
// "single dump 1.5 (5), checksum ok", "foreign: note on ch 1"), keeping only the newest entries.
#pragma once

#include "MidiTap.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace presetor {

// What one message means to the program; anything that is not one of the keyboard's messages
// starts with "foreign: ".
std::string DescribeMidiMessage(std::span<const std::uint8_t> message);

// The first bytes in hex ("F0 00 20 20 03 00 05 ..."), at most maxBytes of them.
std::string HexPrefix(std::span<const std::uint8_t> bytes, std::size_t maxBytes = 12);

struct MidiLogEntry {
    std::int64_t timeMs = 0;
    MidiDirection direction = MidiDirection::Sent;
    std::string port;
    std::size_t length = 0;
    std::string bytes;   // HexPrefix of the message
    std::string meaning; // DescribeMidiMessage
};

class MidiMonitorLog {
public:
    static constexpr std::size_t kDefaultCapacity = 2000;
    // Longest SysEx kept whole for decoding; longer ones are counted, not stored.
    static constexpr std::size_t kMaxStoredSysex = 64 * 1024;

    explicit MidiMonitorLog(std::size_t capacity = kDefaultCapacity) : capacity_(capacity) {}

    // Bytes of one port and direction in arrival order, in any pieces; each completed message
    // becomes an entry stamped timeMs. Returns the number of entries added.
    std::size_t Feed(MidiDirection direction, const std::string& port,
                     std::span<const std::uint8_t> bytes, std::int64_t timeMs);

    const std::deque<MidiLogEntry>& Entries() const { return entries_; }
    void Clear();

private:
    struct Stream {
        std::vector<std::uint8_t> message; // the message being collected
        std::size_t length = 0;            // its length so far (SysEx may outgrow message)
        std::size_t expected = 0;          // channel and common messages: their full length
        bool inSysex = false;
        std::uint8_t runningStatus = 0;
    };

    void Add(MidiDirection direction, const std::string& port, std::span<const std::uint8_t> msg,
             std::size_t length, std::int64_t timeMs, const std::string& meaning = {});
    void FinishSysex(Stream& s, MidiDirection direction, const std::string& port,
                     std::int64_t timeMs, bool complete);

    std::size_t capacity_;
    std::deque<MidiLogEntry> entries_;
    std::map<std::pair<MidiDirection, std::string>, Stream> streams_;
    std::size_t added_ = 0;
};

} // namespace presetor
