// Input handling and paced output of the virtual keyboard program.
#include "PacedLink.h"

#include "midi/MidiSender.h"
#include "midi/SysexFormat.h"
#include "midi/WirePacing.h"

#include <algorithm>
#include <chrono>
#include <deque>

namespace presetor {

PacedLink::PacedLink(VirtualKeyboard& keyboard, MidiInPort* in, JackPieceInput* pieces,
                     MidiOutPort& out, std::FILE* report)
    : keyboard_(keyboard), in_(in), pieces_(pieces), out_(out), report_(report),
      output_([this](std::span<const std::uint8_t> piece) { out_.Send(piece); }) {
    keyboard_.SetSink([this](std::span<const std::uint8_t> bytes) {
        if (!keyboard_.Options().pace) {
            out_.Send(bytes);
            return;
        }
        output_.Queue(bytes);
    });
    keyboard_.SetOnHandled([this](std::span<const std::uint8_t> m) { Report(m); });
}

PacedLink::~PacedLink() {
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
#if defined(PRESETOR_HAVE_JACK)
    if (pieces_ != nullptr) {
        RunPieces(stop);
        return;
    }
#endif
    std::vector<std::uint8_t> bytes;
    WireClock wire;
    while (!stop.load()) {
        in_->WaitForData(std::chrono::milliseconds(50));
        bytes.clear();
        if (in_->Poll(bytes) == 0) {
            continue;
        }
        if (!keyboard_.Options().pace) {
            keyboard_.Feed(bytes);
            continue;
        }
        // The port hands on whole messages, however long the sender took: take them in wire
        // time from now, a piece of at most 100 bytes at a time, each right behind the last.
        const auto arrived = std::chrono::steady_clock::now();
        for (std::size_t pos = 0; pos < bytes.size() && !stop.load(); pos += kMaxChunk) {
            const std::size_t n = std::min(kMaxChunk, bytes.size() - pos);
            wire.Carry(n, arrived);
            keyboard_.Feed(std::span<const std::uint8_t>(bytes).subspan(pos, n));
        }
    }
}

#if defined(PRESETOR_HAVE_JACK)
// Each piece goes onto the cable when it reached the sending end, so a sender that paces itself
// at wire speed overlaps with the wire instead of waiting for it twice.
void PacedLink::RunPieces(const std::atomic<bool>& stop) {
    std::deque<ArrivedPiece> arrived;
    WireClock wire;
    while (!stop.load()) {
        pieces_->Take(arrived, std::chrono::milliseconds(50));
        for (; !arrived.empty() && !stop.load(); arrived.pop_front()) {
            const ArrivedPiece& piece = arrived.front();
            for (std::size_t pos = 0; pos < piece.bytes.size(); pos += kMaxChunk) {
                const std::size_t n = std::min(kMaxChunk, piece.bytes.size() - pos);
                if (keyboard_.Options().pace) {
                    wire.Carry(n, piece.at);
                }
                keyboard_.Feed(std::span<const std::uint8_t>(piece.bytes).subspan(pos, n));
            }
        }
    }
}
#endif

} // namespace presetor
