// Single-preset transfers: load this preset and the edit memory (echo rule, silence, cut-off
// replies), send this preset and to edit memory, and store in EEPROM.
#include "TestBanks.h"
#include "midi/MidiSystem.h"
#include "midi/RequestPresetEngine.h"

#include <gtest/gtest.h>

namespace presetor {
namespace {

using test::Drain;
using test::VariedBank;

struct Rig {
    explicit Rig(int keyboardType, VirtualKeyboardOptions options = {}) : type(keyboardType) {
        options.keyboardType = type;
        Device().WithKeyboard([&](VirtualKeyboard& k) {
            k.SetOptions(options);
            k.GetBank() = VariedBank(type, 3);
            k.EditMemory() = k.GetBank().presets[40];
        });
        out = Device().OpenOut();
        in = Device().OpenIn();
    }
    VirtualMidiDevice& Device() { return system.Virtual(type); }
    Preset KeyboardPreset(int index) {
        return Device().WithKeyboard([&](VirtualKeyboard& k) {
            return index < 0 ? k.EditMemory() : k.GetBank().presets[index];
        });
    }
    int type;
    MidiSystem system;
    std::unique_ptr<MidiOutPort> out;
    std::unique_ptr<MidiInPort> in;
};

TEST(LoadPreset, LoadsThePresetOrTheEditMemoryWithTheRightRequest) {
    for (const int type : {3, 4}) {
        Rig rig(type);
        const Bytes request = BuildLoadPresetRequest(type, 17);
        const SysexHeader& h = HeaderFor(type);
        EXPECT_TRUE(std::equal(h.begin(), h.end(), request.begin()));
        EXPECT_EQ(request[6], 0x03);
        EXPECT_EQ(request[7], 18);
        RequestPresetEngine engine(request);
        engine.Start(*rig.out, 0);
        engine.OnBytes(Drain(*rig.in), 60);
        ASSERT_EQ(engine.State(), TransferState::Ok);
        EXPECT_TRUE(engine.ChecksumOk());
        Preset p;
        ASSERT_TRUE(engine.DecodeInto(p, type));
        EXPECT_TRUE(p.SameData(rig.KeyboardPreset(17)));

        EXPECT_EQ(BuildLoadEditMemoryRequest(),
                  (Bytes{0xF0, 0x00, 0x44, 0x26, 0x41, 0x03, 0x03, 0x00, 0xF7}));
        RequestPresetEngine edit(BuildLoadEditMemoryRequest());
        edit.Start(*rig.out, 0);
        edit.OnBytes(Drain(*rig.in), 60);
        ASSERT_EQ(edit.State(), TransferState::Ok);
        ASSERT_TRUE(edit.DecodeInto(p, type));
        EXPECT_TRUE(p.SameData(rig.KeyboardPreset(-1)));
    }
}

TEST(LoadPreset, EchoOfTheRequestIsSkippedEvenWhenItArrivesInPieces) {
    Rig rig(4, {.echo = true});
    RequestPresetEngine engine(BuildLoadPresetRequest(4, 99));
    engine.Start(*rig.out, 0);
    const auto bytes = Drain(*rig.in);
    ASSERT_EQ(bytes.size(), 9u + 161u);
    for (std::size_t pos = 0; pos < bytes.size(); pos += 7) {
        engine.OnBytes(std::span(bytes).subspan(pos, std::min<std::size_t>(7, bytes.size() - pos)),
                       10);
    }
    ASSERT_EQ(engine.State(), TransferState::Ok);
    Preset p;
    ASSERT_TRUE(engine.DecodeInto(p, 4));
    EXPECT_TRUE(p.SameData(rig.KeyboardPreset(99)));
}

TEST(LoadPreset, SilenceOrACutOffReplyEndsWithNoAnswerAndLeavesThePreset) {
    Rig silent(3, {.silent = true});
    RequestPresetEngine engine(BuildLoadPresetRequest(3, 0));
    engine.Start(*silent.out, 500);
    engine.OnTick(1499);
    EXPECT_EQ(engine.State(), TransferState::Running);
    engine.OnTick(1500);
    EXPECT_EQ(engine.State(), TransferState::NoAnswer);

    Rig rig(3);
    RequestPresetEngine cut(BuildLoadPresetRequest(3, 2));
    cut.Start(*rig.out, 0);
    auto bytes = Drain(*rig.in);
    bytes.pop_back(); // the final F7 never comes
    cut.OnBytes(bytes, 50);
    cut.OnTick(1000);
    EXPECT_EQ(cut.State(), TransferState::NoAnswer);
    Preset p = VariedBank(3, 90).presets[0];
    const Preset before = p;
    EXPECT_FALSE(cut.DecodeInto(p, 3));
    EXPECT_TRUE(p.SameData(before));
}

TEST(SendPreset, StoresThePresetOrTheEditMemoryWithTheirHeaders) {
    for (const int type : {3, 4}) {
        Rig rig(type);
        const Preset p = VariedBank(type, 77).presets[5];
        const Bytes dump = BuildSendPresetDump(p, type, 5);
        const Bytes head3{0xF0, 0x00, 0x44, 0x26, 0x41, 0x03, 0x05, 0x06, 0x06};
        const Bytes head4{0xF0, 0x00, 0x20, 0x20, 0x03, 0x00, 0x05, 0x06, 0x06};
        EXPECT_TRUE(
            std::equal(dump.begin(), dump.begin() + 9, (type == 3 ? head3 : head4).begin()));
        EXPECT_EQ(SendMessage(*rig.out, dump), TransferState::Ok);
        EXPECT_TRUE(rig.KeyboardPreset(5).SameData(p));

        const Bytes edit = BuildSendEditMemoryDump(p, type);
        const Bytes headEdit{0xF0, 0x00, 0x44, 0x26, 0x41, 0x03, 0x05, 0x00, 0x00};
        EXPECT_TRUE(std::equal(edit.begin(), edit.begin() + 9, headEdit.begin()));
        EXPECT_EQ(SendMessage(*rig.out, edit), TransferState::Ok);
        EXPECT_TRUE(rig.KeyboardPreset(-1).SameData(p));
    }
}

TEST(SendPreset, PacedSendArrivesWholeAndReadingBackTellsAnIgnoredWrite) {
    for (const bool ignoreWrites : {false, true}) {
        Rig rig(4, {.ignoreWrites = ignoreWrites});
        Preset p = VariedBank(4, 12).presets[9];
        p.SetName("VERIFY");
        const Bytes dump = BuildSendPresetDump(p, 4, 9);
        EXPECT_EQ(SendMessage(*rig.out, dump, true), TransferState::Ok);
        RequestPresetEngine back(BuildLoadPresetRequest(4, 9));
        back.Start(*rig.out, 0);
        back.OnBytes(Drain(*rig.in), 1);
        ASSERT_EQ(back.State(), TransferState::Ok);
        EXPECT_EQ(back.SamePayloadAs(dump), !ignoreWrites);
    }
    Rig closed(3);
    closed.out->Close();
    EXPECT_EQ(SendMessage(*closed.out, BuildSendEditMemoryDump(Preset{}, 3), true),
              TransferState::SendFailed);
}

TEST(StoreEeprom, ReachesAnLmk4AndFailsOnAClosedPort) {
    Rig rig(4);
    EXPECT_EQ(StoreInEeprom(*rig.out), TransferState::Ok);
    EXPECT_EQ(
        rig.Device().WithKeyboard([](VirtualKeyboard& k) { return k.GetCounters().eepromStores; }),
        1);
    rig.out->Close();
    EXPECT_EQ(StoreInEeprom(*rig.out), TransferState::SendFailed);
}

} // namespace
} // namespace presetor
