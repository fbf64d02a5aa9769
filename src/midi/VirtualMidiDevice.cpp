// The in-process virtual keyboard device and its two port kinds.
#include "VirtualMidiDevice.h"

#include "MidiSender.h"
#include "QueuedInPort.h"
#include "SysexFormat.h"
#include "WirePacing.h"

namespace presetor {

class VirtualMidiDevice::OutPort final : public MidiOutPort {
public:
    OutPort(VirtualMidiDevice& device, int generation) : device_(device), generation_(generation) {}
    bool Send(std::span<const std::uint8_t> bytes, const ChunkProgress& progress) override {
        if (!open_) {
            return false;
        }
        return SendByPolicy(
            bytes, SenderPolicy{},
            [this](std::span<const std::uint8_t> piece) {
                device_.FromEditor(piece, generation_);
                return true;
            },
            progress);
    }
    bool IsOpen() const override { return open_; }
    void Close() override { open_ = false; }

private:
    VirtualMidiDevice& device_;
    int generation_;
    bool open_ = true;
};

class VirtualMidiDevice::InPort final : public QueuedInPort {
public:
    InPort(VirtualMidiDevice& device, std::shared_ptr<MidiInputQueue> queue)
        : QueuedInPort(std::move(queue)), device_(device) {}
    ~InPort() override { Close(); }
    void Close() override {
        if (!Queue()->IsOpen()) {
            return;
        }
        Queue()->Close();
        std::lock_guard lock(device_.mutex_);
        std::erase(device_.inputs_, Queue());
    }

private:
    VirtualMidiDevice& device_;
};

VirtualMidiDevice::VirtualMidiDevice(std::string name, const VirtualKeyboardOptions& options)
    : name_(std::move(name)), keyboard_(options),
      paced_([this](std::span<const std::uint8_t> piece) {
          std::lock_guard lock(mutex_);
          ToInputs(piece);
      }) {
    keyboard_.SetSink([this](std::span<const std::uint8_t> bytes) { Deliver(bytes); });
}

VirtualMidiDevice::~VirtualMidiDevice() = default;

namespace {
std::string NotConnected(const std::string& name) {
    return name + " is not connected.";
}
} // namespace

std::unique_ptr<MidiOutPort> VirtualMidiDevice::OpenOut(std::string* error) {
    std::lock_guard lock(mutex_);
    if (!connected_) {
        if (error) {
            *error = NotConnected(name_);
        }
        return nullptr;
    }
    return std::make_unique<OutPort>(*this, generation_);
}

std::unique_ptr<MidiInPort> VirtualMidiDevice::OpenIn(std::string* error) {
    std::lock_guard lock(mutex_);
    if (!connected_) {
        if (error) {
            *error = NotConnected(name_);
        }
        return nullptr;
    }
    auto queue = std::make_shared<MidiInputQueue>();
    queue->Open();
    inputs_.push_back(queue);
    return std::make_unique<InPort>(*this, queue);
}

void VirtualMidiDevice::SetConnected(bool connected) {
    std::lock_guard lock(mutex_);
    if (connected == connected_) {
        return;
    }
    connected_ = connected;
    ++generation_;
    // The inputs open so far hear nothing more; they stay open until their owner closes them.
    inputs_.clear();
}

bool VirtualMidiDevice::Connected() const {
    std::lock_guard lock(mutex_);
    return connected_;
}

void VirtualMidiDevice::FromEditor(std::span<const std::uint8_t> bytes, int generation) {
    std::lock_guard lock(mutex_);
    if (generation != generation_) {
        return; // a connection to the device before it was unplugged: goes nowhere
    }
    keyboard_.Feed(bytes);
}

// Runs under mutex_ (from the keyboard's sink).
void VirtualMidiDevice::Deliver(std::span<const std::uint8_t> bytes) {
    if (keyboard_.Options().pace) {
        paced_.Queue(bytes);
        return;
    }
    ToInputs(bytes);
}

// Runs under mutex_.
void VirtualMidiDevice::ToInputs(std::span<const std::uint8_t> bytes) {
    for (const auto& queue : inputs_) {
        queue->Push(bytes);
    }
}

void VirtualMidiDevice::Flush() {
    paced_.Flush();
}

} // namespace presetor
