// The devices the program can talk to: the in-process virtual keyboards "Virtual LMK3" and
// "Virtual LMK4" first, then the ports of the system backend. Device numbers index this list;
// CMidiIn and CMidiOut open devices by number as the keyboard editor always did.
#pragma once

#include "MidiBackend.h"
#include "MidiPort.h"
#include "MidiTap.h"
#include "VirtualMidiDevice.h"

#include <memory>
#include <string>
#include <vector>

namespace presetor {

inline constexpr const char* kVirtualLmk3Name = "Virtual LMK3";
inline constexpr const char* kVirtualLmk4Name = "Virtual LMK4";

class MidiSystem {
public:
    // backend may be null: then only the virtual keyboards are offered.
    explicit MidiSystem(std::unique_ptr<MidiBackend> backend = nullptr);
    ~MidiSystem();
    MidiSystem(const MidiSystem&) = delete;
    MidiSystem& operator=(const MidiSystem&) = delete;

    // Product names by device number; the virtual keyboards come first.
    std::vector<std::string> DeviceNames(MidiKind kind);
    // Opens device number device. Null and a message in error when it cannot be opened.
    std::unique_ptr<MidiOutPort> OpenOut(int device, std::string& error);
    std::unique_ptr<MidiInPort> OpenIn(int device, std::string& error);

    // The in-process virtual keyboard for type 3 or 4 (its bank and options may be changed
    // while no transfer runs).
    VirtualMidiDevice& Virtual(int keyboardType);
    MidiBackend* Backend() { return backend_.get(); }

    // The observer of every message sent and received on the ports this system opened (also
    // those opened before); null removes it. Not owned.
    void SetTrafficObserver(MidiTrafficObserver* observer) { tap_->SetObserver(observer); }

private:
    std::shared_ptr<MidiTap> tap_;
    std::unique_ptr<MidiBackend> backend_;
    std::unique_ptr<VirtualMidiDevice> lmk3_;
    std::unique_ptr<VirtualMidiDevice> lmk4_;
};

// Device number whose product name is exactly name (byte-wise, case-sensitive), the first
// match from 0 upward; -1 when none matches (the caller keeps its previous number).
int FindMidiDevice(MidiSystem& system, MidiKind kind, const std::string& name);

} // namespace presetor
