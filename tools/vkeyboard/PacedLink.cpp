// Input handling and paced output of the virtual keyboard program.
#include "PacedLink.h"

#include "midi/MidiSender.h"
#include "midi/SysexFormat.h"
#include "midi/WirePacing.h"

#include <algorithm>
#include <chrono>

namespace presetor {

PacedLink::PacedLink(VirtualKeyboard& keyboard, MidiInPort& in, MidiOutPort& out, std::FILE* report)
    : keyboard_(keyboard), in_(in), out_(out), report_(report) {
    keyboard_.SetSink([this](std::span<const std::uint8_t> bytes) {
        if (!keyboard_.Options().pace) {
            out_.Send(bytes);
            return;
        }
        std::lock_guard lock(mutex_);
        pending_.insert(pending_.end(), bytes.begin(), bytes.end());
        cv_.notify_all();
    });
    keyboard_.SetOnHandled([this](std::span<const std::uint8_t> m) { Report(m); });
    output_ = std::thread([this] { OutputLoop(); });
}

PacedLink::~PacedLink() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    cv_.notify_all();
    output_.join();
    keyboard_.SetSink({});
    keyboard_.SetOnHandled({});
}

void PacedLink::Report(std::span<const std::uint8_t> m) {
    if (report_ == nullptr || m.size() <= kCommandOffset) {
        return;
    }
    switch (m[kCommandOffset]) {
    case kCmdRequestAll:
        std::fprintf(report_, "request all\n");
        break;
    case kCmdRequestOne:
        std::fprintf(report_, "request %d\n", m[kNumberOffset]);
        break;
    case kCmdBulkDump:
        std::fprintf(report_, "stored bulk\n");
        break;
    case kCmdSingleDump:
        std::fprintf(report_, "stored %d\n", m[kNumberOffset]);
        break;
    case kCmdStoreEeprom:
        std::fprintf(report_, "eeprom\n");
        break;
    default:
        return;
    }
    std::fflush(report_);
}

void PacedLink::Run(const std::atomic<bool>& stop) {
    std::vector<std::uint8_t> bytes;
    WireClock wire;
    while (!stop.load()) {
        in_.WaitForData(std::chrono::milliseconds(50));
        bytes.clear();
        if (in_.Poll(bytes) == 0) {
            continue;
        }
        if (!keyboard_.Options().pace) {
            keyboard_.Feed(bytes);
            continue;
        }
        // The editor's port hands bytes over faster than a cable: take them in wire time,
        // a piece of at most 100 bytes at a time.
        for (std::size_t pos = 0; pos < bytes.size() && !stop.load(); pos += kMaxChunk) {
            const std::size_t n = std::min(kMaxChunk, bytes.size() - pos);
            wire.Carry(n);
            keyboard_.Feed(std::span<const std::uint8_t>(bytes).subspan(pos, n));
        }
    }
}

void PacedLink::OutputLoop() {
    WireClock wire;
    std::unique_lock lock(mutex_);
    for (;;) {
        cv_.wait(lock, [this] { return stop_ || !pending_.empty(); });
        if (stop_) {
            return;
        }
        const Bytes piece = TakeWirePiece(pending_);
        lock.unlock();
        // A piece leaves once the wire has carried its last byte.
        wire.Carry(piece.size());
        out_.Send(piece);
        lock.lock();
    }
}

} // namespace presetor
