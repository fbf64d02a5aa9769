// The input port of a transfer.
#include "CMidiIn.h"

namespace presetor {

bool CMidiIn::Open(int device) {
    Close();
    device_ = device;
    error_.clear();
    port_ = system_.OpenIn(device, error_);
    if (port_ && hook_) {
        port_->SetDataArrived(hook_);
    }
    return port_ != nullptr;
}

std::size_t CMidiIn::Poll(std::vector<std::uint8_t>& out) {
    return port_ ? port_->Poll(out) : 0;
}

bool CMidiIn::WaitForData(std::chrono::milliseconds timeout) {
    return port_ && port_->WaitForData(timeout);
}

void CMidiIn::SetDataArrived(std::function<void()> hook) {
    hook_ = std::move(hook);
    if (port_) {
        port_->SetDataArrived(hook_);
    }
}

void CMidiIn::Close() {
    if (port_) {
        port_->Close();
        port_.reset();
    }
}

} // namespace presetor
