// Fuzzes the dump parsing behind "presetor-cli from-syx" and the transfers: a rejected stream
// leaves the bank unchanged, and whatever is accepted decodes into 7-bit-clean presets.
#include "FuzzCheck.h"
#include "midi/DumpParser.h"

#include <memory>

using namespace presetor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const int type = (data[0] & 1) ? kLmk4 : kLmk3;
    const ByteSpan stream(data + 1, size - 1);

    static const std::unique_ptr<Bank> reference = [] {
        auto b = std::make_unique<Bank>();
        b->presets[5].SetName("MARKED");
        b->presets[100].inputMode.fill(3);
        return b;
    }();
    auto bank = std::make_unique<Bank>(*reference);
    std::vector<int> bad;
    if (!DecodeDumpStream(stream, type, *bank, &bad)) {
        for (int i = 0; i < kMaxPresets; ++i)
            FUZZ_CHECK(bank->presets[static_cast<std::size_t>(i)].SameData(
                reference->presets[static_cast<std::size_t>(i)]));
        FUZZ_CHECK(bad.empty());
    }
    for (int i : bad)
        FUZZ_CHECK(i >= 0 && i < PresetCountFor(type));

    // The single and bulk decoders on the raw bytes, and the lenient splitter.
    Preset one;
    int number = -1;
    bool checksumOk = false;
    if (DecodeSingleDump(stream, type, one, &number, &checksumOk))
        FUZZ_CHECK(number >= 0 && number < 0x80);
    DecodeBulkDump(stream, type, *bank, nullptr);
    std::vector<Bytes> messages;
    if (SplitSysexMessages(stream, messages, true))
        for (const Bytes& m : messages)
            FUZZ_CHECK(m.size() >= 2 && m.front() == kSysexStart && m.back() == kSysexEnd);
    return 0;
}
