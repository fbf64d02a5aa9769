// A tap on the MIDI traffic: an observer that sees every byte the program sends and receives on
// the ports MidiSystem opens, for the MIDI monitor. With no observer installed a port pays one
// atomic load per send or poll; nothing is copied or named.
#pragma once

#include "MidiPort.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>

namespace presetor {

enum class MidiDirection { Sent, Received };

class MidiTrafficObserver {
public:
    virtual ~MidiTrafficObserver() = default;
    // Runs on the thread that sends or polls (the UI thread in the window), before a send goes
    // out and after a poll drained bytes. The bytes come in whatever pieces were sent or polled.
    virtual void OnMidiTraffic(MidiDirection direction, const std::string& port,
                               std::span<const std::uint8_t> bytes) = 0;
};

// Shared by MidiSystem and the ports it opened, so a port may outlive the system or the observer
// slot may change while ports are open.
class MidiTap {
public:
    // Resolves a port's name the first time an observer needs it; empty after Detach.
    using NameOf = std::function<std::string(MidiKind kind, int device)>;

    explicit MidiTap(NameOf nameOf) : nameOf_(std::move(nameOf)) {}

    void SetObserver(MidiTrafficObserver* observer) { observer_.store(observer); }
    MidiTrafficObserver* Observer() const { return observer_.load(std::memory_order_acquire); }
    // The system is going: names can no longer be resolved.
    void Detach();
    std::string Name(MidiKind kind, int device);

private:
    std::atomic<MidiTrafficObserver*> observer_{nullptr};
    std::mutex mutex_;
    NameOf nameOf_;
};

// Wraps an opened port so that its traffic reaches the tap's observer.
std::unique_ptr<MidiOutPort> TapOutPort(std::unique_ptr<MidiOutPort> port,
                                        std::shared_ptr<MidiTap> tap, int device);
std::unique_ptr<MidiInPort> TapInPort(std::unique_ptr<MidiInPort> port,
                                      std::shared_ptr<MidiTap> tap, int device);

} // namespace presetor
