// The in-process virtual keyboard device and its two port kinds.
#include "VirtualMidiDevice.h"

#include "MidiSender.h"
#include "QueuedInPort.h"
#include "SysexFormat.h"
#include "WirePacing.h"

namespace presetor {

class VirtualMidiDevice::OutPort final : public MidiOutPort {
public:
    explicit OutPort(VirtualMidiDevice& device) : device_(device) {}
    bool Send(std::span<const std::uint8_t> bytes, const ChunkProgress& progress) override {
        if (!open_) {
            return false;
        }
        return SendByPolicy(
            bytes, SenderPolicy{},
            [this](std::span<const std::uint8_t> piece) {
                device_.FromEditor(piece);
                return true;
            },
            progress);
    }
    bool IsOpen() const override { return open_; }
    void Close() override { open_ = false; }

private:
    VirtualMidiDevice& device_;
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

std::unique_ptr<MidiOutPort> VirtualMidiDevice::OpenOut() {
    return std::make_unique<OutPort>(*this);
}

std::unique_ptr<MidiInPort> VirtualMidiDevice::OpenIn() {
    auto queue = std::make_shared<MidiInputQueue>();
    queue->Open();
    std::lock_guard lock(mutex_);
    inputs_.push_back(queue);
    return std::make_unique<InPort>(*this, queue);
}

void VirtualMidiDevice::FromEditor(std::span<const std::uint8_t> bytes) {
    std::lock_guard lock(mutex_);
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
