// The port interfaces every transfer talks to: an output port that sends bytes with per-chunk
// progress, and an input port whose driver thread only queues bytes for the owner's thread.
// RtMidi ports, the in-process virtual keyboard and test stand-ins all implement them.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace presetor {

// MIDI wire speed: 31,250 baud, 10 bits a byte.
constexpr int kWireBytesPerSecond = 3125;

enum class MidiKind { Input, Output };

// Called after each chunk has been handed to the driver, with the chunk's size in bytes.
using ChunkProgress = std::function<void(std::size_t chunkBytes)>;

class MidiOutPort {
public:
    virtual ~MidiOutPort() = default;

    // Sends the bytes in consecutive chunks as the backend needs them (100-byte raw pieces or
    // whole messages). progress, when given, runs after every chunk on the caller's thread.
    // Returns true only if every chunk was accepted; a failed chunk does not stop the rest.
    virtual bool Send(std::span<const std::uint8_t> bytes, const ChunkProgress& progress = {}) = 0;
    virtual bool IsOpen() const = 0;
    // Blocks until what was sent has left for the wire, for ports that hand their output to
    // the driver later; the port stays open. Closing drains first.
    virtual void Drain() {}
    // Closing twice is harmless.
    virtual void Close() = 0;
    // False when the driver takes only whole F0..F7 messages (WinMM, CoreMIDI), so a sender
    // that paces its output must not cut a message into pieces.
    virtual bool AcceptsPieces() const { return true; }
};

class MidiInPort {
public:
    virtual ~MidiInPort() = default;

    // Appends every byte received since the last call, in arrival order, to out; returns how
    // many were appended. Call it on the owner's (UI) thread only.
    virtual std::size_t Poll(std::vector<std::uint8_t>& out) = 0;
    // Blocks the calling thread until data is queued, the port closes or the timeout passes.
    // For command-line tools and tests; the UI uses the data-arrived hook instead.
    virtual bool WaitForData(std::chrono::milliseconds timeout) = 0;
    // Installs the hook run on the driver's thread after bytes were queued. It must only wake
    // the owner (post an event, signal); it must not call Poll. Pass {} to remove it.
    virtual void SetDataArrived(std::function<void()> hook) = 0;
    virtual bool IsOpen() const = 0;
    // Stops input; bytes still queued are released. Closing twice is harmless.
    virtual void Close() = 0;
};

} // namespace presetor
