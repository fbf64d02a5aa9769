// Fuzzes the receiving side of the transfers: bytes from the keyboard in arbitrary pieces go
// through the SysEx assembler, the Load-all engine (both modes), the single-preset request and
// the virtual keyboard model. Nothing may read or write out of bounds, a load never counts more
// than it expects, and every assembled message is framed F0..F7 within the limit.
#include "FuzzCheck.h"
#include "midi/LoadAllEngine.h"
#include "midi/RequestPresetEngine.h"
#include "midi/SysexAssembler.h"
#include "midi/VirtualKeyboard.h"

#include <memory>

using namespace presetor;

namespace {

class NullOut final : public MidiOutPort {
public:
    bool Send(std::span<const std::uint8_t>, const ChunkProgress&) override { return true; }
    bool IsOpen() const override { return true; }
    void Close() override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const int type = (data[0] & 1) ? kLmk4 : kLmk3;
    const bool turbo = (data[0] & 2) != 0;
    const std::size_t piece = 1 + data[1] % 200;
    const std::span<const std::uint8_t> stream(data + 2, size - 2);

    SysexAssembler assembler(512);
    static const std::unique_ptr<Bank> document = [] {
        auto b = std::make_unique<Bank>();
        b->SetKeyboardType(kLmk4);
        return b;
    }();
    Bank start = *document;
    start.SetKeyboardType(type);
    LoadAllEngine load(start, {.turbo = turbo, .idleTimeoutMs = 1000});
    RequestPresetEngine request(BuildLoadPresetRequest(type, 3));
    VirtualKeyboard keyboard({.keyboardType = type, .echo = (data[0] & 4) != 0});
    keyboard.SetSink([](std::span<const std::uint8_t> out) {
        FUZZ_CHECK(!out.empty() && out.front() == 0xF0 && out.back() == 0xF7);
    });
    NullOut out;
    load.Start(out, 0);
    request.Start(out, 0);

    for (std::size_t pos = 0; pos < stream.size(); pos += piece) {
        const auto part = stream.subspan(pos, std::min(piece, stream.size() - pos));
        assembler.Feed(part, [](std::span<const std::uint8_t> m) {
            FUZZ_CHECK(m.size() >= 2 && m.size() <= 512);
            FUZZ_CHECK(m.front() == 0xF0 && m.back() == 0xF7);
        });
        load.OnBytes(part, 1);
        request.OnBytes(part, 1);
        keyboard.Feed(part);
        FUZZ_CHECK(load.Received() <= load.Expected());
    }
    load.OnTick(100000);
    FUZZ_CHECK(load.Finished());
    if (load.State() == TransferState::Ok) {
        for (const int i : load.BadChecksums())
            FUZZ_CHECK(i >= 0 && i < PresetCountFor(type));
    } else {
        FUZZ_CHECK(load.BadChecksums().empty());
    }
    Preset p;
    if (request.State() == TransferState::Ok)
        FUZZ_CHECK(request.Reply().size() == 161 && request.DecodeInto(p, type));
    else
        FUZZ_CHECK(!request.DecodeInto(p, type));
    return 0;
}
