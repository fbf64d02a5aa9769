// The virtual keyboard between two system ports, as a MIDI cable would carry it: incoming
// bytes are handled no faster than the wire brings them and answers leave no faster than the
// wire takes them (when pacing is on), each direction on its own thread.
#pragma once

#include "JackPieceInput.h"
#include "midi/MidiPort.h"
#include "midi/VirtualKeyboard.h"
#include "midi/WirePacing.h"

#include <atomic>
#include <cstdio>

namespace presetor {

class PacedLink {
public:
    // Events ("request 3", "stored 5", "bulk", "eeprom") go to report, one line each. Input
    // comes from in, or, when given, from pieces (which then carry their arrival times).
    PacedLink(VirtualKeyboard& keyboard, MidiInPort* in, JackPieceInput* pieces, MidiOutPort& out,
              std::FILE* report);
    ~PacedLink();

    // Runs until stop becomes true.
    void Run(const std::atomic<bool>& stop);

private:
    void Report(std::span<const std::uint8_t> message);
    void RunPieces(const std::atomic<bool>& stop);

    VirtualKeyboard& keyboard_;
    MidiInPort* in_;
    JackPieceInput* pieces_;
    MidiOutPort& out_;
    std::FILE* report_;
    PacedOutput output_; // answers on their way out when pacing is on
};

} // namespace presetor
