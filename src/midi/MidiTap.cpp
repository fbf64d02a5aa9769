// Ports that report their traffic to the tap's observer.
#include "MidiTap.h"

namespace presetor {

void MidiTap::Detach() {
    const std::lock_guard lock(mutex_);
    nameOf_ = nullptr;
}

std::string MidiTap::Name(MidiKind kind, int device) {
    const std::lock_guard lock(mutex_);
    return nameOf_ ? nameOf_(kind, device) : std::string();
}

namespace {

// The port's name, asked for once and only when someone listens.
class PortName {
public:
    PortName(std::shared_ptr<MidiTap> tap, MidiKind kind, int device)
        : tap_(std::move(tap)), kind_(kind), device_(device) {}

    MidiTap& Tap() const { return *tap_; }
    const std::string& Get() {
        if (!known_) {
            name_ = tap_->Name(kind_, device_);
            if (name_.empty())
                name_ = "device " + std::to_string(device_);
            known_ = true;
        }
        return name_;
    }

private:
    std::shared_ptr<MidiTap> tap_;
    MidiKind kind_;
    int device_;
    bool known_ = false;
    std::string name_;
};

class TappedOutPort final : public MidiOutPort {
public:
    TappedOutPort(std::unique_ptr<MidiOutPort> port, std::shared_ptr<MidiTap> tap, int device)
        : port_(std::move(port)), name_(std::move(tap), MidiKind::Output, device) {}

    bool Send(std::span<const std::uint8_t> bytes, const ChunkProgress& progress) override {
        if (MidiTrafficObserver* observer = name_.Tap().Observer())
            observer->OnMidiTraffic(MidiDirection::Sent, name_.Get(), bytes);
        return port_->Send(bytes, progress);
    }
    bool IsOpen() const override { return port_->IsOpen(); }
    void Drain() override { port_->Drain(); }
    void Close() override { port_->Close(); }
    bool AcceptsPieces() const override { return port_->AcceptsPieces(); }

private:
    std::unique_ptr<MidiOutPort> port_;
    PortName name_;
};

class TappedInPort final : public MidiInPort {
public:
    TappedInPort(std::unique_ptr<MidiInPort> port, std::shared_ptr<MidiTap> tap, int device)
        : port_(std::move(port)), name_(std::move(tap), MidiKind::Input, device) {}

    std::size_t Poll(std::vector<std::uint8_t>& out) override {
        const std::size_t before = out.size();
        const std::size_t n = port_->Poll(out);
        if (n > 0) {
            if (MidiTrafficObserver* observer = name_.Tap().Observer())
                observer->OnMidiTraffic(MidiDirection::Received, name_.Get(),
                                        std::span(out).subspan(before, n));
        }
        return n;
    }
    bool WaitForData(std::chrono::milliseconds timeout) override {
        return port_->WaitForData(timeout);
    }
    void SetDataArrived(std::function<void()> hook) override {
        port_->SetDataArrived(std::move(hook));
    }
    bool IsOpen() const override { return port_->IsOpen(); }
    void Close() override { port_->Close(); }

private:
    std::unique_ptr<MidiInPort> port_;
    PortName name_;
};

} // namespace

std::unique_ptr<MidiOutPort> TapOutPort(std::unique_ptr<MidiOutPort> port,
                                        std::shared_ptr<MidiTap> tap, int device) {
    if (!port)
        return nullptr;
    return std::make_unique<TappedOutPort>(std::move(port), std::move(tap), device);
}

std::unique_ptr<MidiInPort> TapInPort(std::unique_ptr<MidiInPort> port,
                                      std::shared_ptr<MidiTap> tap, int device) {
    if (!port)
        return nullptr;
    return std::make_unique<TappedInPort>(std::move(port), std::move(tap), device);
}

} // namespace presetor
