// The application's output port: remembers its device number, opens it through the
// MidiSystem and sends in chunks with per-chunk progress. Send fails if any chunk failed.
#pragma once

#include "MidiPort.h"
#include "MidiSystem.h"

#include <memory>
#include <string>

namespace presetor {

class CMidiOut final : public MidiOutPort {
public:
    explicit CMidiOut(MidiSystem& system) : system_(system) {}
    ~CMidiOut() override { Close(); }

    // Opens device number device (closing any open one first). False when it cannot be
    // opened; LastError() then holds the driver's text.
    bool Open(int device);
    bool Reopen() { return Open(device_); }
    int GetDevice() const { return device_; }
    void SetDevice(int device) { device_ = device; }
    const std::string& LastError() const { return error_; }

    // Fails (returns false) on a port that is not open, or when any chunk failed.
    bool Send(std::span<const std::uint8_t> bytes, const ChunkProgress& progress = {}) override;
    bool IsOpen() const override { return port_ != nullptr && port_->IsOpen(); }
    bool AcceptsPieces() const override { return port_ == nullptr || port_->AcceptsPieces(); }
    void Drain() override {
        if (port_) {
            port_->Drain();
        }
    }
    void Close() override;

private:
    MidiSystem& system_;
    std::unique_ptr<MidiOutPort> port_;
    int device_ = 0;
    std::string error_;
};

} // namespace presetor
