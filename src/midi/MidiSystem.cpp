// Device list: virtual keyboards first, then the backend's ports.
#include "MidiSystem.h"

namespace presetor {

namespace {
constexpr int kVirtualCount = 2;
}

MidiSystem::MidiSystem(std::unique_ptr<MidiBackend> backend)
    : backend_(std::move(backend)),
      lmk3_(std::make_unique<VirtualMidiDevice>(kVirtualLmk3Name,
                                                VirtualKeyboardOptions{.keyboardType = 3})),
      lmk4_(std::make_unique<VirtualMidiDevice>(kVirtualLmk4Name,
                                                VirtualKeyboardOptions{.keyboardType = 4})) {
    tap_ = std::make_shared<MidiTap>([this](MidiKind kind, int device) {
        const auto names = DeviceNames(kind);
        return device >= 0 && device < static_cast<int>(names.size())
                   ? names[static_cast<std::size_t>(device)]
                   : std::string();
    });
}

MidiSystem::~MidiSystem() {
    tap_->Detach();
}

std::vector<std::string> MidiSystem::DeviceNames(MidiKind kind) {
    std::vector<std::string> names{lmk3_->Name(), lmk4_->Name()};
    if (backend_) {
        for (auto& n : backend_->PortNames(kind)) {
            names.push_back(std::move(n));
        }
    }
    return names;
}

std::unique_ptr<MidiOutPort> MidiSystem::OpenOut(int device, std::string& error) {
    if (device == 0 || device == 1) {
        return TapOutPort((device == 0 ? lmk3_ : lmk4_)->OpenOut(&error), tap_, device);
    }
    if (backend_ && device >= kVirtualCount) {
        return TapOutPort(backend_->OpenOut(device - kVirtualCount, error), tap_, device);
    }
    error = "No such MIDI output device.";
    return nullptr;
}

std::unique_ptr<MidiInPort> MidiSystem::OpenIn(int device, std::string& error) {
    if (device == 0 || device == 1) {
        return TapInPort((device == 0 ? lmk3_ : lmk4_)->OpenIn(&error), tap_, device);
    }
    if (backend_ && device >= kVirtualCount) {
        return TapInPort(backend_->OpenIn(device - kVirtualCount, error), tap_, device);
    }
    error = "No such MIDI input device.";
    return nullptr;
}

VirtualMidiDevice& MidiSystem::Virtual(int keyboardType) {
    return keyboardType == 3 ? *lmk3_ : *lmk4_;
}

int FindMidiDevice(MidiSystem& system, MidiKind kind, const std::string& name) {
    const auto names = system.DeviceNames(kind);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace presetor
