// The application's output port.
#include "CMidiOut.h"

namespace presetor {

bool CMidiOut::Open(int device) {
    Close();
    device_ = device;
    error_.clear();
    port_ = system_.OpenOut(device, error_);
    return port_ != nullptr;
}

bool CMidiOut::Send(std::span<const std::uint8_t> bytes, const ChunkProgress& progress) {
    if (!IsOpen()) {
        return false;
    }
    return port_->Send(bytes, progress);
}

void CMidiOut::Close() {
    if (port_) {
        port_->Close();
        port_.reset();
    }
}

} // namespace presetor
