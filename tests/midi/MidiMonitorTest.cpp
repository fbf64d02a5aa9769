// The MIDI monitor's log and the tap it listens on: messages named as the program uses them,
// streams cut into messages whatever their pieces, the newest 2,000 kept, and a Load all against
// the virtual keyboard seen message by message through the ports MidiSystem opens.
#include "TestBanks.h"
#include "midi/CMidiIn.h"
#include "midi/CMidiOut.h"
#include "midi/LoadAllEngine.h"
#include "midi/MidiMonitorLog.h"
#include "midi/MidiSystem.h"
#include "midi/SysexFormat.h"
#include "midi/TransferRunner.h"

#include <gtest/gtest.h>

namespace presetor {
namespace {

using test::VariedBank;

TEST(MidiMonitor, NamesTheKeyboardsMessagesAndForeignOnes) {
    const Bank bank = VariedBank(kLmk4, 1);
    Bytes single = BuildSingleDump(bank.presets[4], kLmk4, kLmk4Header, 5);
    EXPECT_EQ(DescribeMidiMessage(BuildRequestOne(kLmk3Header, 5)), "request preset 5");
    EXPECT_EQ(DescribeMidiMessage(BuildRequestOne(kLmk3Header, 0)), "request edit memory");
    EXPECT_EQ(DescribeMidiMessage(BuildRequestAll()), "request all presets");
    EXPECT_EQ(DescribeMidiMessage(single), "single dump 1.5 (5), checksum ok");
    single[20] ^= 1;
    EXPECT_EQ(DescribeMidiMessage(single), "single dump 1.5 (5), checksum wrong");
    EXPECT_EQ(DescribeMidiMessage(BuildBulkDump(bank)), "bulk dump 127 presets, checksums ok");
    EXPECT_EQ(DescribeMidiMessage(BuildStoreEeprom()), "store in EEPROM");
    const std::uint8_t noteOn[] = {0x90, 60, 100};
    EXPECT_EQ(DescribeMidiMessage(noteOn), "foreign: note on ch 1, C 3, velocity 100");
    const std::uint8_t cc[] = {0xB3, 7, 90};
    EXPECT_EQ(DescribeMidiMessage(cc), "foreign: control change ch 4, controller 7 = 90");
    const std::uint8_t other[] = {0xF0, 0x43, 0x10, 0xF7};
    EXPECT_EQ(DescribeMidiMessage(other), "foreign: SysEx of 4 bytes");
    EXPECT_EQ(HexPrefix(single, 4), "F0 00 20 20 ...");
}

TEST(MidiMonitor, CutsStreamsIntoMessagesWhateverThePieces) {
    MidiMonitorLog log;
    const Bytes dump = BuildSingleDump(VariedBank(kLmk3, 2).presets[0], kLmk3, kLmk3Header, 1);
    // The dump in three pieces with a clock byte inside, then running-status notes.
    log.Feed(MidiDirection::Received, "in", std::span(dump).first(50), 1);
    const std::uint8_t clock[] = {0xF8};
    log.Feed(MidiDirection::Received, "in", clock, 2);
    log.Feed(MidiDirection::Received, "in", std::span(dump).subspan(50, 100), 3);
    // Another port's bytes in between do not mix into this stream.
    const std::uint8_t noteOff[] = {0x81, 40, 0};
    log.Feed(MidiDirection::Received, "other", noteOff, 4);
    log.Feed(MidiDirection::Received, "in", std::span(dump).subspan(150), 5);
    const std::uint8_t notes[] = {0x90, 60, 100, 62, 0};
    log.Feed(MidiDirection::Received, "in", notes, 6);
    // A dump cut off by a status byte is listed as cut off.
    const std::uint8_t cut[] = {0xF0, 0x00, 0x44, 0x90, 64, 1};
    log.Feed(MidiDirection::Sent, "out", cut, 7);

    std::vector<std::string> meanings;
    for (const MidiLogEntry& e : log.Entries())
        meanings.push_back(e.meaning);
    EXPECT_EQ(meanings, (std::vector<std::string>{"foreign: clock", "foreign: note off ch 2, E 1",
                                                  "single dump 1.1 (1), checksum ok",
                                                  "foreign: note on ch 1, C 3, velocity 100",
                                                  "foreign: note off ch 1, D 3",
                                                  "SysEx of 3 bytes, cut off (no F7)",
                                                  "foreign: note on ch 1, E 3, velocity 1"}));
    EXPECT_EQ(log.Entries()[2].length, kSingleDumpSize);
    EXPECT_EQ(log.Entries()[2].timeMs, 5);
    EXPECT_EQ(log.Entries()[2].port, "in");

    // Only the newest entries stay.
    MidiMonitorLog small(3);
    for (int i = 0; i < 10; ++i) {
        const std::uint8_t program[] = {0xC0, static_cast<std::uint8_t>(i)};
        small.Feed(MidiDirection::Sent, "out", program, i);
    }
    ASSERT_EQ(small.Entries().size(), 3u);
    EXPECT_EQ(small.Entries().front().meaning, "foreign: program change ch 1, program 8");
}

// Records what the tap reports.
struct Recorder final : MidiTrafficObserver {
    void OnMidiTraffic(MidiDirection direction, const std::string& port,
                       std::span<const std::uint8_t> bytes) override {
        log.Feed(direction, port, bytes, 0);
    }
    MidiMonitorLog log;
};

TEST(MidiMonitor, TapSeesALoadAllAgainstTheVirtualKeyboardOnlyWhileListening) {
    MidiSystem system;
    system.Virtual(kLmk3).WithKeyboard([](VirtualKeyboard& k) { k.GetBank() = VariedBank(3, 8); });
    CMidiOut out(system);
    CMidiIn in(system);
    ASSERT_TRUE(out.Open(0));
    ASSERT_TRUE(in.Open(0));

    Recorder recorder;
    system.SetTrafficObserver(&recorder);
    Bank document = VariedBank(kLmk3, 1);
    LoadAllEngine engine(document, {.turbo = false});
    ASSERT_EQ(RunLoadAll(engine, out, in), TransferState::Ok);

    const auto& entries = recorder.log.Entries();
    ASSERT_EQ(entries.size(), 128u);
    EXPECT_EQ(entries.front().direction, MidiDirection::Sent);
    EXPECT_EQ(entries.front().port, kVirtualLmk3Name);
    EXPECT_EQ(entries.front().meaning, "request preset 1");
    int dumps = 0;
    for (const MidiLogEntry& e : entries)
        if (e.direction == MidiDirection::Received && e.meaning.rfind("single dump ", 0) == 0 &&
            e.meaning.find("checksum ok") != std::string::npos)
            ++dumps;
    EXPECT_EQ(dumps, 64);

    // Once the observer is removed nothing more reaches it.
    system.SetTrafficObserver(nullptr);
    EXPECT_TRUE(out.Send(BuildStoreEeprom()));
    EXPECT_EQ(recorder.log.Entries().size(), 128u);
}

} // namespace
} // namespace presetor
