// The .lmk file: lengths and magic, byte-exact round trips, the LMK3 record that keeps the
// LMK4-only fields, rejected files that change nothing, and the atomic save.
#include "model/PresetFile.h"
#include "model/FileIo.h"

#include "ModelFixtures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

using namespace presetor;
namespace fs = std::filesystem;

namespace {

// Fills every field of every record with values that differ per preset and per field.
void Scribble(Bank& bank) {
    for (int i = 0; i < kMaxPresets; ++i) {
        Preset& p = bank.presets[static_cast<std::size_t>(i)];
        for (int s = 0; s < kSplitCount; ++s) {
            const auto v = static_cast<std::uint8_t>(i + s);
            p.lowKey[s] = v;
            p.transpose[s] = static_cast<std::uint8_t>(v | 0x80);
            p.bankLsb[s] = static_cast<std::uint8_t>(127 - s);
            p.midiOut1[s] = static_cast<std::uint8_t>(s & 1);
            p.inputMode[s] = static_cast<std::uint8_t>(s & 3);
            p.slowVelocityZero[s] = s == 2 ? 1 : (s == 3 ? 0x80 : 0);
        }
        std::memcpy(p.name, "AB\0CDEF\0", 9); // bytes after a short name are kept as they are
        p.linkPreset = static_cast<std::uint8_t>(126 - i);
        p.presetSwitch = static_cast<std::uint8_t>(i % 4);
    }
}

class PresetFileOnDisk : public test::TempDirTest {
protected:
    PresetFileOnDisk() : TempDirTest("presetor-file") {}
    std::string Path(const char* name) const { return (dir / name).string(); }
};

} // namespace

TEST(PresetFile, SavedImageHasMagicAndExactLength) {
    const auto lmk3 = SavePresetBytes(test::DefaultBank(kLmk3));
    ASSERT_EQ(lmk3.size(), 9158u);
    EXPECT_EQ(std::string(lmk3.begin(), lmk3.begin() + 6), "LMK3V4");
    const auto lmk4 = SavePresetBytes(test::DefaultBank(kLmk4));
    ASSERT_EQ(lmk4.size(), 22358u);
    EXPECT_EQ(std::string(lmk4.begin(), lmk4.begin() + 6), "LMK4V1");

    // First record of the LMK4 image: name with its terminator, then split 1's keys.
    EXPECT_EQ(std::string(lmk4.begin() + 6, lmk4.begin() + 15), std::string("INITPRES\0", 9));
    EXPECT_EQ(lmk4[6 + 9], 21);
    EXPECT_EQ(lmk4[6 + 17], 108);
    EXPECT_EQ(lmk4[6 + 124], 0);       // link of preset 0 is itself
    EXPECT_EQ(lmk4[6 + 176 + 124], 1); // and of preset 1
    EXPECT_EQ(lmk4[6 + 143], 1);       // midiOut1 of split 1 starts the LMK4 part
}

TEST(PresetFile, RoundTripReproducesEveryByte) {
    for (int type : {kLmk3, kLmk4}) {
        Bank saved = test::DefaultBank(type);
        Scribble(saved);
        const auto bytes = SavePresetBytes(saved);
        Bank loaded = test::DefaultBank(kLmk3 + kLmk4 - type);
        ASSERT_TRUE(LoadPresetBytes(bytes, loaded)) << "type " << type;
        EXPECT_EQ(loaded.keyboardType, type);
        EXPECT_TRUE(loaded.keyboardTypeChosen);
        EXPECT_EQ(loaded.keyboardMinor, KeyboardMinorFor(type));
        for (int i = 0; i < PresetCountFor(type); ++i)
            EXPECT_EQ(std::memcmp(loaded.presets[static_cast<std::size_t>(i)].name,
                                  saved.presets[static_cast<std::size_t>(i)].name, 9),
                      0);
        EXPECT_EQ(SavePresetBytes(loaded), bytes) << "type " << type;
    }
}

TEST(PresetFile, Lmk3FileKeepsLmk4OnlyFieldsAndUnusedPresets) {
    Bank source = test::DefaultBank(kLmk3);
    Scribble(source);
    const auto bytes = SavePresetBytes(source);

    Bank target = test::DefaultBank(kLmk4);
    for (Preset& p : target.presets) {
        p.midiOut1.fill(0);
        p.midiOut2.fill(0);
        p.inputMode.fill(3);
        p.slowVelocityZero.fill(0x80);
        p.presetSwitch = 2;
    }
    target.presets[64].SetName("KEEPME");
    target.currentPreset = 100;
    ASSERT_TRUE(LoadPresetBytes(bytes, target));
    EXPECT_EQ(target.keyboardType, kLmk3);
    EXPECT_EQ(target.currentPreset, 0);
    for (int i = 0; i < 64; ++i) {
        const Preset& p = target.presets[static_cast<std::size_t>(i)];
        EXPECT_EQ(p.lowKey, source.presets[static_cast<std::size_t>(i)].lowKey);
        EXPECT_EQ(p.midiOut1, SplitBytes{});
        EXPECT_EQ(p.inputMode[0], 3);
        EXPECT_EQ(p.slowVelocityZero[0], 0x80);
        EXPECT_EQ(p.presetSwitch, 2);
    }
    EXPECT_EQ(target.presets[64].GetName(), "KEEPME");
}

TEST(PresetFile, RejectedImagesChangeNothing) {
    const auto lmk4 = SavePresetBytes(test::DefaultBank(kLmk4));
    const auto lmk3 = SavePresetBytes(test::DefaultBank(kLmk3));
    std::vector<std::vector<std::uint8_t>> bad = {
        {},
        {'L', 'M', 'K', '4', 'V'},
        {'L', 'M', 'K', '4', 'V', '1'},
        std::vector<std::uint8_t>(lmk4.begin(), lmk4.end() - 1),
        std::vector<std::uint8_t>(lmk4.begin(), lmk4.begin() + 6 + 176 * 50 + 3),
        std::vector<std::uint8_t>(lmk3.begin(), lmk3.end() - 1),
    };
    auto lower = lmk3;
    std::memcpy(lower.data(), "lmk3v4", 6);
    bad.push_back(lower);
    auto other = lmk4;
    std::memcpy(other.data(), "LMK5V1", 6);
    bad.push_back(other);

    Bank bank = test::DefaultBank(kLmk3);
    Scribble(bank);
    bank.keyboardTypeChosen = false;
    bank.currentPreset = 40;
    const Bank before = bank;
    // Truncated files say so with their size; the others are not preset files at all.
    const std::vector<std::string> messages = {
        "too short: 0 bytes, a preset file has 9158 or 22358",
        "too short: 5 bytes, a preset file has 9158 or 22358",
        "too short: 6 bytes, a preset file has 9158 or 22358",
        "too short: 22357 bytes, a preset file has 9158 or 22358",
        "too short: 8809 bytes, a preset file has 9158 or 22358",
        "too short: 9157 bytes, a preset file has 9158 or 22358",
        "Invalid File-Type. This file is not a LMK-Preset-File.",
        "Invalid File-Type. This file is not a LMK-Preset-File.",
    };
    ASSERT_EQ(messages.size(), bad.size());
    for (std::size_t k = 0; k < bad.size(); ++k) {
        const Result r = LoadPresetBytes(bad[k], bank);
        EXPECT_FALSE(r) << "case " << k;
        EXPECT_EQ(r.code(), ErrorCode::InvalidFile);
        EXPECT_EQ(r.message(), messages[k]);
        EXPECT_EQ(bank.keyboardType, kLmk3);
        EXPECT_FALSE(bank.keyboardTypeChosen);
        EXPECT_EQ(bank.currentPreset, 40);
        for (int i = 0; i < kMaxPresets; ++i)
            ASSERT_TRUE(bank.presets[static_cast<std::size_t>(i)].SameData(
                before.presets[static_cast<std::size_t>(i)]))
                << "case " << k << " preset " << i;
    }
}

TEST(PresetFile, BytesAfterTheLastRecordAreIgnored) {
    Bank saved = test::DefaultBank(kLmk3);
    Scribble(saved);
    auto bytes = SavePresetBytes(saved);
    const auto exact = bytes;
    bytes.insert(bytes.end(), 500, 0xEE);
    Bank loaded = test::DefaultBank(kLmk4);
    ASSERT_TRUE(LoadPresetBytes(bytes, loaded));
    EXPECT_EQ(SavePresetBytes(loaded), exact);
}

TEST_F(PresetFileOnDisk, SaveAndLoadThroughAFile) {
    Bank saved = test::DefaultBank(kLmk4);
    Scribble(saved);
    ASSERT_TRUE(SavePresetFile(Path("bank.lmk"), saved));
    EXPECT_EQ(fs::file_size(dir / "bank.lmk"), 22358u);
    Bank loaded;
    ASSERT_TRUE(LoadPresetFile(Path("bank.lmk"), loaded));
    EXPECT_TRUE(loaded.SameContents(saved));

    const Result missing = LoadPresetFile(Path("missing.lmk"), loaded);
    EXPECT_EQ(missing.code(), ErrorCode::IoError);
    EXPECT_NE(missing.message().find("missing.lmk"), std::string::npos);
    EXPECT_TRUE(loaded.SameContents(saved));
}

TEST_F(PresetFileOnDisk, FailedSaveLeavesTheOldFileAndNoTemporaryBehind) {
    // A directory in the target's place makes the final rename fail after the data was written.
    fs::create_directory(dir / "taken.lmk");
    const Result r = SavePresetFile(Path("taken.lmk"), test::DefaultBank(kLmk3));
    EXPECT_EQ(r.code(), ErrorCode::IoError);
    EXPECT_NE(r.message().find("taken.lmk"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(dir / "taken.lmk"));

    EXPECT_FALSE(SavePresetFile(Path("no-such-dir/x.lmk"), test::DefaultBank(kLmk3)));

    // Overwriting an existing file replaces it whole.
    const std::vector<std::uint8_t> old(100, 0x55);
    ASSERT_TRUE(WriteFileAtomically(Path("bank.lmk"), old));
    ASSERT_TRUE(SavePresetFile(Path("bank.lmk"), test::DefaultBank(kLmk3)));
    EXPECT_EQ(fs::file_size(dir / "bank.lmk"), 9158u);

    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir))
        ++entries;
    EXPECT_EQ(entries, 2) << "only taken.lmk and bank.lmk remain";
}
