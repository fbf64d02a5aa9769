// Received dumps: single and bulk dumps are checked whole before anything is decoded, streams
// split into F0..F7 messages, and a .syx image of dumps fills a bank or changes nothing.
#include "midi/DumpParser.h"
#include "midi/SysexFormat.h"

#include "ModelFixtures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace presetor;

namespace {

// A bank whose presets all differ from the defaults.
Bank DistinctBank(int type) {
    Bank bank = test::DefaultBank(type);
    for (int i = 0; i < bank.PresetCount(); ++i) {
        Preset& p = bank.presets[static_cast<std::size_t>(i)];
        p.SetName("N" + std::to_string(i));
        p.programNumber[1] = static_cast<std::uint8_t>(i);
        p.bankLsb[0] = static_cast<std::uint8_t>(127 - i % 128);
        if (HasLmk4Fields(type)) { // an LMK3 neither sends nor receives these
            p.inputMode[2] = 2;
            p.midiOut2[3] = 0;
        }
    }
    return bank;
}

Bytes Join(const std::vector<Bytes>& parts) {
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

bool SamePresets(const Bank& a, const Bank& b) {
    for (int i = 0; i < kMaxPresets; ++i)
        if (!a.presets[static_cast<std::size_t>(i)].SameData(
                b.presets[static_cast<std::size_t>(i)]))
            return false;
    return true;
}

} // namespace

TEST(SingleDump, DecodesNumberPayloadAndChecksum) {
    Bank source = DistinctBank(kLmk4);
    const Bytes msg = BuildSingleDump(source.presets[5], kLmk4, kLmk4Header, 6);
    Preset out;
    int number = -1;
    bool checksumOk = false;
    ASSERT_TRUE(DecodeSingleDump(msg, kLmk4, out, &number, &checksumOk));
    EXPECT_EQ(number, 6);
    EXPECT_TRUE(checksumOk);
    EXPECT_TRUE(out.SameData(source.presets[5]));

    Bytes changed = msg;
    changed[50] ^= 1; // inside the checksummed part
    ASSERT_TRUE(DecodeSingleDump(changed, kLmk4, out, &number, &checksumOk));
    EXPECT_FALSE(checksumOk);
    changed = msg;
    changed[150] ^= 1; // payload byte 141, outside the 101 checksummed bytes
    ASSERT_TRUE(DecodeSingleDump(changed, kLmk4, out, &number, &checksumOk));
    EXPECT_TRUE(checksumOk);
}

TEST(SingleDump, MalformedMessagesLeaveThePresetUntouched) {
    const Bytes good = BuildSingleDump(DistinctBank(kLmk3).presets[9], kLmk3, kLmk3Header, 10);
    std::vector<Bytes> bad;
    bad.push_back(Bytes(good.begin(), good.end() - 1));
    Bytes longer = good;
    longer.insert(longer.end() - 1, 0);
    bad.push_back(longer);
    Bytes noStart = good;
    noStart[0] = 0xF1;
    bad.push_back(noStart);
    Bytes noEnd = good;
    noEnd.back() = 0x00;
    bad.push_back(noEnd);
    Bytes command = good;
    command[6] = 0x04;
    bad.push_back(command);
    Bytes highBit = good;
    highBit[100] = 0x85;
    bad.push_back(highBit);
    bad.push_back({});

    for (std::size_t k = 0; k < bad.size(); ++k) {
        Preset out;
        out.SetName("UNTOUCHD");
        const Preset before = out;
        int number = -1;
        EXPECT_EQ(DecodeSingleDump(bad[k], kLmk3, out, &number, nullptr).code(), ErrorCode::BadData)
            << "case " << k;
        EXPECT_TRUE(out.SameData(before)) << "case " << k;
        EXPECT_EQ(number, -1);
    }
}

TEST(BulkDump, DecodesEveryRecordAndReportsBadChecksums) {
    for (int type : {kLmk3, kLmk4}) {
        const Bank source = DistinctBank(type);
        Bytes msg = BuildBulkDump(source);
        msg[BulkPayloadOffset(7) + kPayloadSize] ^= 1; // checksum of preset 7
        Bank target = test::DefaultBank(type);
        std::vector<int> bad;
        ASSERT_TRUE(DecodeBulkDump(msg, type, target, &bad)) << "type " << type;
        EXPECT_TRUE(target.SameContents(source));
        EXPECT_EQ(bad, std::vector<int>{7});
    }
}

TEST(BulkDump, MalformedDumpsLeaveTheBankUntouched) {
    const Bytes good = BuildBulkDump(DistinctBank(kLmk4));
    std::vector<Bytes> bad;
    bad.push_back(Bytes(good.begin(), good.end() - 1));
    bad.push_back(BuildBulkDump(DistinctBank(kLmk3))); // LMK3 length for an LMK4
    Bytes number = good;
    number[BulkPayloadOffset(126) - 1] = 0; // last record numbered 0
    bad.push_back(number);
    Bytes highBit = good;
    highBit[BulkPayloadOffset(126) + 3] = 0x90; // late in the dump: nothing may be written
    bad.push_back(highBit);
    Bytes command = good;
    command[6] = 0x05;
    bad.push_back(command);
    Bytes noEnd = good;
    noEnd.back() = 0;
    bad.push_back(noEnd);

    Bank bank = test::DefaultBank(kLmk4);
    const Bank before = bank;
    for (std::size_t k = 0; k < bad.size(); ++k) {
        std::vector<int> badChecksums;
        EXPECT_FALSE(DecodeBulkDump(bad[k], kLmk4, bank, &badChecksums)) << "case " << k;
        EXPECT_TRUE(SamePresets(bank, before)) << "case " << k;
        EXPECT_TRUE(badChecksums.empty());
    }
}

TEST(SysexSplit, SplitsMessagesAndRejectsStrayBytes) {
    const Bytes stream = {0xF0, 1, 2, 0xF7, 0xF0, 0xF7, 0xF0, 3, 0xF8, 4, 0xF7};
    std::vector<Bytes> messages;
    EXPECT_FALSE(SplitSysexMessages(stream, messages)) << "real-time byte inside";
    EXPECT_TRUE(messages.empty());
    ASSERT_TRUE(SplitSysexMessages(stream, messages, true));
    EXPECT_EQ(messages, (std::vector<Bytes>{{0xF0, 1, 2, 0xF7}, {0xF0, 0xF7}, {0xF0, 3, 4, 0xF7}}));
    // Real-time bytes right after the F0, in a row, and right before the F7.
    const Bytes clock = {0xF0, 0xF8, 5, 0xFE, 0xFF, 6, 7, 0xFA, 0xF7, 0xF0, 0xFC, 0xF7};
    ASSERT_TRUE(SplitSysexMessages(clock, messages, true));
    EXPECT_EQ(messages, (std::vector<Bytes>{{0xF0, 5, 6, 7, 0xF7}, {0xF0, 0xF7}}));

    const std::vector<Bytes> bad = {
        {0x00, 0xF0, 0xF7}, {0xF0, 1, 0xF7, 0x7F}, {0xF0, 1, 2}, {0xF0, 1, 0xF0, 2, 0xF7}};
    for (const Bytes& b : bad)
        EXPECT_EQ(SplitSysexMessages(b, messages).code(), ErrorCode::BadData);
    ASSERT_TRUE(SplitSysexMessages({}, messages));
    EXPECT_TRUE(messages.empty());
}

TEST(DumpStream, SingleDumpsArePlacedByNumberAndEditMemoryIsSkipped) {
    const Bank source = DistinctBank(kLmk4);
    const Bytes stream = Join({
        BuildSingleDump(source.presets[4], kLmk4, kLmk4Header, 5),
        BuildSingleDump(source.presets[126], kLmk4, kLmk3Header, 127),
        BuildSingleDump(source.presets[9], kLmk4, kLmk3Header, kEditMemoryNumber),
    });
    Bank bank = test::DefaultBank(kLmk4);
    const Bank fresh = bank;
    ASSERT_TRUE(DecodeDumpStream(stream, kLmk4, bank, nullptr));
    for (int i = 0; i < kMaxPresets; ++i) {
        const auto idx = static_cast<std::size_t>(i);
        const bool placed = i == 4 || i == 126;
        EXPECT_TRUE(bank.presets[idx].SameData(placed ? source.presets[idx] : fresh.presets[idx]))
            << "preset " << i;
    }
}

TEST(DumpStream, BulkDumpFillsTheWholeBank) {
    const Bank source = DistinctBank(kLmk3);
    Bank bank = test::DefaultBank(kLmk3);
    std::vector<int> bad;
    ASSERT_TRUE(DecodeDumpStream(BuildBulkDump(source), kLmk3, bank, &bad));
    EXPECT_TRUE(bank.SameContents(source));
    EXPECT_TRUE(bad.empty());
}

TEST(DumpStream, AnyMalformedMessageRejectsTheWholeImage) {
    const Bank source = DistinctBank(kLmk3);
    const Bytes first = BuildSingleDump(source.presets[0], kLmk3, kLmk3Header, 1);
    Bytes badCommand = BuildSingleDump(source.presets[1], kLmk3, kLmk3Header, 2);
    badCommand[6] = 0x07;
    const std::vector<Bytes> bad = {
        {},
        Join({first, BuildSingleDump(source.presets[1], kLmk3, kLmk3Header, 65)}),
        Join({first, BuildRequestOne(kLmk3Header, 3)}),
        Join({first, badCommand}),
        Join({first, Bytes(first.begin(), first.end() - 1)}),
        Join({first, BuildBulkDump(source)}),
        Join({BuildBulkDump(source), first}),
        Join({first, {0x00}}),
        {0xF0, 0xF7},
    };
    Bank bank = test::DefaultBank(kLmk3);
    const Bank before = bank;
    for (std::size_t k = 0; k < bad.size(); ++k) {
        const Result r = DecodeDumpStream(bad[k], kLmk3, bank, nullptr);
        EXPECT_EQ(r.code(), ErrorCode::BadData) << "case " << k;
        EXPECT_FALSE(r.message().empty());
        EXPECT_TRUE(SamePresets(bank, before)) << "case " << k;
    }
}
