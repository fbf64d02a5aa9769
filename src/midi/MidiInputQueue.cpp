// The driver-to-owner hand-off: a short lock around a copy, then the hook.
#include "MidiInputQueue.h"

#include <algorithm>

namespace presetor {

void MidiInputQueue::Push(std::span<const std::uint8_t> bytes) {
    std::function<void()> hook;
    {
        std::lock_guard lock(mutex_);
        if (!open_ || bytes.empty()) {
            return;
        }
        const std::size_t room = kMaxQueued - std::min(kMaxQueued, bytes_.size());
        const std::size_t take = std::min(room, bytes.size());
        dropped_ += bytes.size() - take;
        if (take == 0) {
            return;
        }
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.begin() + static_cast<long>(take));
        hook = hook_;
    }
    cv_.notify_all();
    if (hook) {
        hook();
    }
}

std::size_t MidiInputQueue::Drain(std::vector<std::uint8_t>& out) {
    std::lock_guard lock(mutex_);
    const std::size_t n = bytes_.size();
    out.insert(out.end(), bytes_.begin(), bytes_.end());
    bytes_.clear();
    return n;
}

bool MidiInputQueue::WaitForData(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return cv_.wait_for(lock, timeout, [this] { return !bytes_.empty() || !open_; }) &&
           !bytes_.empty();
}

void MidiInputQueue::SetDataArrived(std::function<void()> hook) {
    std::lock_guard lock(mutex_);
    hook_ = std::move(hook);
}

void MidiInputQueue::Open() {
    std::lock_guard lock(mutex_);
    bytes_.clear();
    open_ = true;
}

void MidiInputQueue::Close() {
    {
        std::lock_guard lock(mutex_);
        open_ = false;
        bytes_.clear();
        bytes_.shrink_to_fit();
    }
    cv_.notify_all();
}

std::size_t MidiInputQueue::Dropped() const {
    std::lock_guard lock(mutex_);
    return dropped_;
}

bool MidiInputQueue::IsOpen() const {
    std::lock_guard lock(mutex_);
    return open_;
}

} // namespace presetor
