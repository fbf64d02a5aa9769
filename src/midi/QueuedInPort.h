// An input port whose driver side fills a MidiInputQueue: Poll, WaitForData, SetDataArrived
// and IsOpen go to the queue. The RtMidi port and the virtual keyboard's port derive from it
// and add only how they close.
#pragma once

#include "MidiInputQueue.h"
#include "MidiPort.h"

#include <memory>
#include <utility>

namespace presetor {

class QueuedInPort : public MidiInPort {
public:
    explicit QueuedInPort(std::shared_ptr<MidiInputQueue> queue) : queue_(std::move(queue)) {}

    std::size_t Poll(std::vector<std::uint8_t>& out) override { return queue_->Drain(out); }
    bool WaitForData(std::chrono::milliseconds timeout) override {
        return queue_->WaitForData(timeout);
    }
    void SetDataArrived(std::function<void()> hook) override {
        queue_->SetDataArrived(std::move(hook));
    }
    bool IsOpen() const override { return queue_->IsOpen(); }

protected:
    const std::shared_ptr<MidiInputQueue>& Queue() const { return queue_; }

private:
    std::shared_ptr<MidiInputQueue> queue_;
};

} // namespace presetor
