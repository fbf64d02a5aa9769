// The virtual keyboard's input on a JACK MIDI port of its own, piece by piece as the sender's
// driver handed the bytes over, each with the time it arrived. RtMidi hands on a SysEx message
// only once it is complete, which hides how long its bytes took to come; a wire-paced keyboard
// needs the pieces to carry each from the moment it arrived.
#pragma once

#include "midi/SysexFormat.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

namespace presetor {

struct ArrivedPiece {
    std::chrono::steady_clock::time_point at;
    Bytes bytes;
};

class JackPieceInput {
public:
    // Opens client `clientName` with one MIDI input port `portName` on the running JACK server
    // (it never starts one). Null, with error set, when no server answers.
    static std::unique_ptr<JackPieceInput> Open(const std::string& clientName,
                                                const std::string& portName, std::string& error);
    ~JackPieceInput();
    JackPieceInput(const JackPieceInput&) = delete;
    JackPieceInput& operator=(const JackPieceInput&) = delete;

    // Waits up to timeout for pieces, then moves every piece that arrived to the end of out.
    void Take(std::deque<ArrivedPiece>& out, std::chrono::milliseconds timeout);

private:
    JackPieceInput() = default;
    static int Process(unsigned frames, void* self);

    void* client_ = nullptr; // jack_client_t
    void* port_ = nullptr;   // jack_port_t
    std::mutex mutex_;
    std::condition_variable cv_;
    std::deque<ArrivedPiece> pieces_;
};

} // namespace presetor
