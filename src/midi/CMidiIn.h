// The input port of a transfer: opens a device by number; the driver's thread only queues the
// bytes and rings the data-arrived hook; the owner's thread drains them with Poll.
#pragma once

#include "MidiPort.h"
#include "MidiSystem.h"

#include <memory>
#include <string>

namespace presetor {

class CMidiIn final : public MidiInPort {
public:
    explicit CMidiIn(MidiSystem& system) : system_(system) {}
    ~CMidiIn() override { Close(); }

    // Opens device number device (closing any open one first). The hook set before or after
    // opening stays installed. False when it cannot be opened; LastError() says why.
    bool Open(int device);
    bool Reopen() { return Open(device_); }
    int GetDevice() const { return device_; }
    void SetDevice(int device) { device_ = device; }
    const std::string& LastError() const { return error_; }

    std::size_t Poll(std::vector<std::uint8_t>& out) override;
    bool WaitForData(std::chrono::milliseconds timeout) override;
    void SetDataArrived(std::function<void()> hook) override;
    bool IsOpen() const override { return port_ != nullptr && port_->IsOpen(); }
    void Close() override;

private:
    MidiSystem& system_;
    std::unique_ptr<MidiInPort> port_;
    std::function<void()> hook_;
    int device_ = 0;
    std::string error_;
};

} // namespace presetor
