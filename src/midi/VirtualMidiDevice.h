// The virtual keyboard offered in-process as a MIDI device: its output port feeds the model,
// its input port receives the model's answers through the same driver-thread hand-off as a
// real port. Unpaced, answers are queued at once; paced, a delivery thread releases them at
// 3,125 bytes per second in pieces of at most 100 bytes.
#pragma once

#include "MidiInputQueue.h"
#include "MidiPort.h"
#include "VirtualKeyboard.h"
#include "WirePacing.h"

#include <memory>
#include <mutex>
#include <string>

namespace presetor {

class VirtualMidiDevice {
public:
    VirtualMidiDevice(std::string name, const VirtualKeyboardOptions& options);
    ~VirtualMidiDevice();
    VirtualMidiDevice(const VirtualMidiDevice&) = delete;
    VirtualMidiDevice& operator=(const VirtualMidiDevice&) = delete;

    const std::string& Name() const { return name_; }

    // Output towards the keyboard and input from it. Several may be open; answers go to every
    // open input (none open: they are lost, like a cable plugged into nothing). Null (and a
    // message in *error) while the device is unplugged.
    std::unique_ptr<MidiOutPort> OpenOut(std::string* error = nullptr);
    std::unique_ptr<MidiInPort> OpenIn(std::string* error = nullptr);

    // Unplugs or replugs the device, as a USB keyboard is. Ports opened before either step are
    // dead from then on: what they send goes nowhere and they receive nothing, as a system
    // port's connection to a vanished device; only ports opened anew reach the keyboard.
    void SetConnected(bool connected);
    bool Connected() const;

    // Runs f with the keyboard under the device's lock (bank, options, counters).
    template <class F> auto WithKeyboard(F&& f) {
        std::lock_guard lock(mutex_);
        return f(keyboard_);
    }
    // Blocks until every answer queued so far has been delivered.
    void Flush();

private:
    class OutPort;
    class InPort;
    friend class OutPort;
    friend class InPort;

    void FromEditor(std::span<const std::uint8_t> bytes, int generation);
    void Deliver(std::span<const std::uint8_t> bytes);
    void ToInputs(std::span<const std::uint8_t> bytes);

    std::string name_;
    mutable std::mutex mutex_;
    bool connected_ = true;
    int generation_ = 0; // changes at every unplug and replug
    VirtualKeyboard keyboard_;
    std::vector<std::shared_ptr<MidiInputQueue>> inputs_;
    // Paced answers not yet delivered; last, so its thread stops before the rest goes.
    PacedOutput paced_;
};

} // namespace presetor
