// The in-process virtual keyboard device and its two port kinds.
#include "VirtualMidiDevice.h"

#include "MidiSender.h"
#include "QueuedInPort.h"
#include "SysexFormat.h"
#include "WirePacing.h"

#include <algorithm>
#include <chrono>

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
    : name_(std::move(name)), keyboard_(options) {
    keyboard_.SetSink([this](std::span<const std::uint8_t> bytes) { Deliver(bytes); });
    thread_ = std::thread([this] { DeliveryLoop(); });
}

VirtualMidiDevice::~VirtualMidiDevice() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    cv_.notify_all();
    thread_.join();
}

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
        pending_.insert(pending_.end(), bytes.begin(), bytes.end());
        cv_.notify_all();
        return;
    }
    for (const auto& queue : inputs_) {
        queue->Push(bytes);
    }
}

void VirtualMidiDevice::DeliveryLoop() {
    WireClock wire;
    std::unique_lock lock(mutex_);
    for (;;) {
        cv_.wait(lock, [this] { return stop_ || !pending_.empty(); });
        if (stop_) {
            return;
        }
        const Bytes piece = TakeWirePiece(pending_);
        delivering_ = true;
        lock.unlock();
        wire.Carry(piece.size());
        lock.lock();
        for (const auto& queue : inputs_) {
            queue->Push(piece);
        }
        delivering_ = false;
        cv_.notify_all();
    }
}

void VirtualMidiDevice::Flush() {
    std::unique_lock lock(mutex_);
    cv_.wait(lock, [this] { return stop_ || (pending_.empty() && !delivering_); });
}

} // namespace presetor
