// Sound-list files: keys in any case, the first non-empty name, bank numbers modulo 256, sound
// lines that are ignored, line endings, and the lookups by channel and bank select.
#include "model/SoundList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

using namespace presetor;

namespace {

const char* const kExample = "* Studio module\r\n"
                             "name=Studio Module\r\n"
                             "bank=Preset A,81,0\r\n"
                             "0,Grand Piano\r\n"
                             "1,Bright Piano\r\n"
                             "bank=User,87,0\r\n"
                             "5,Pad, warm\r\n";

CSoundList Parse(std::string_view text) {
    CSoundList list;
    list.LoadFromText(text);
    return list;
}

} // namespace

TEST(SoundList, ExampleFileGivesNamesBanksAndSounds) {
    const CSoundList list = Parse(kExample);
    EXPECT_EQ(list.name, "Studio Module");
    ASSERT_EQ(list.banks.size(), 2u);
    EXPECT_EQ(list.banks[0].name, "Preset A");
    EXPECT_EQ(list.banks[0].msb, 81);
    EXPECT_EQ(list.banks[0].lsb, 0);
    EXPECT_EQ(list.banks[0].GetSoundName(0), "Grand Piano");
    EXPECT_EQ(list.banks[0].GetSoundName(1), "Bright Piano");
    EXPECT_EQ(list.banks[0].GetSoundName(2), "");
    EXPECT_EQ(list.banks[1].GetSoundName(5), "Pad, warm");
    EXPECT_EQ(list.banks[1].GetSoundName(128), "");
    EXPECT_EQ(list.banks[1].GetSoundName(-1), "");

    // The same text with LF endings, and without a final line end, reads the same.
    std::string lf = kExample;
    std::erase(lf, '\r');
    lf.pop_back();
    const CSoundList other = Parse(lf);
    EXPECT_EQ(other.name, list.name);
    ASSERT_EQ(other.banks.size(), 2u);
    EXPECT_EQ(other.banks[1].sounds, list.banks[1].sounds);
}

TEST(SoundList, KeysInAnyCaseAndFirstNonEmptyName) {
    CSoundList list = Parse("NaMe=\nName=First \nname=Second\nBank=Rock,1,2\nBANK=Roll,300,-1\n");
    EXPECT_EQ(list.name, "First ") << "blanks kept, empty first name skipped";
    ASSERT_EQ(list.banks.size(), 2u);
    EXPECT_EQ(list.banks[0].name, "Rock");
    EXPECT_EQ(list.banks[0].msb, 1);
    EXPECT_EQ(list.banks[0].lsb, 2);
    EXPECT_EQ(list.banks[1].msb, 44) << "300 modulo 256";
    EXPECT_EQ(list.banks[1].lsb, 255) << "low 8 bits of -1";
}

TEST(SoundList, BankLinesWithMissingNumbers) {
    const CSoundList list =
        Parse("bank=Rock\nbank=Jazz,\nbank=Folk,  12x,\nbank= Blues ,+7,  3 \nbank=,5\n");
    ASSERT_EQ(list.banks.size(), 5u);
    EXPECT_EQ(list.banks[0].name, "") << "no comma: empty name";
    EXPECT_EQ(list.banks[0].msb, 0);
    EXPECT_EQ(list.banks[1].name, "Jazz");
    EXPECT_EQ(list.banks[1].msb, 0);
    EXPECT_EQ(list.banks[1].lsb, 0);
    EXPECT_EQ(list.banks[2].msb, 12);
    EXPECT_EQ(list.banks[2].lsb, 0);
    EXPECT_EQ(list.banks[3].name, " Blues ");
    EXPECT_EQ(list.banks[3].msb, 7);
    EXPECT_EQ(list.banks[3].lsb, 3);
    EXPECT_EQ(list.banks[4].name, "");
    EXPECT_EQ(list.banks[4].msb, 5);
}

TEST(SoundList, IgnoredSoundLines) {
    const CSoundList list = Parse("0,Before any bank\n"
                                  "bank=B,0,0\n"
                                  "127,Last\n"
                                  "128,Too high\n"
                                  "-1,Negative\n"
                                  "12 Piano\n"
                                  "99999999999999999999,Huge\n"
                                  "*3,Comment\n"
                                  "4,\n"
                                  "  7,Seven\n"
                                  "7,Seven again\n"
                                  "x,Zero\n"
                                  "1\n");
    ASSERT_EQ(list.banks.size(), 1u);
    const CSoundBank& b = list.banks[0];
    EXPECT_EQ(b.GetSoundName(127), "Last");
    EXPECT_EQ(b.GetSoundName(12), "");
    EXPECT_EQ(b.GetSoundName(3), "");
    EXPECT_EQ(b.GetSoundName(4), "");
    EXPECT_EQ(b.GetSoundName(7), "Seven again");
    EXPECT_EQ(b.GetSoundName(0), "Zero") << "no digits read as program 0";
    int named = 0;
    for (const auto& s : b.sounds)
        named += s.empty() ? 0 : 1;
    EXPECT_EQ(named, 3);
}

TEST(SoundList, FindSoundTakesTheFirstMatchingBank) {
    const CSoundList list = Parse("name=M\nbank=First,1,2\n3,Three\nbank=Second,1,2\n3,Other\n");
    std::string bank = "x", sound = "y";
    EXPECT_TRUE(list.FindSound(1, 2, 3, bank, sound));
    EXPECT_EQ(bank, "First");
    EXPECT_EQ(sound, "Three");
    EXPECT_TRUE(list.FindSound(1, 2, 200, bank, sound));
    EXPECT_EQ(sound, "");
    EXPECT_FALSE(list.FindSound(2, 1, 3, bank, sound));
    EXPECT_EQ(bank, "");
    EXPECT_EQ(sound, "");
}

TEST(SoundList, LookupSoundByChannelAssignment) {
    std::vector<CSoundList> lists = {Parse("name=A\nbank=A0,0,0\n1,FromA\n"),
                                     Parse("name=B\nbank=B0,0,0\n1,FromB\n"),
                                     Parse("name=A\nbank=A1,0,0\n1,SecondA\n")};
    std::array<std::string, 16> channels;
    channels.fill(kNoSoundList);
    channels[0] = "A";
    channels[1] = "B";
    channels[2] = "Missing";
    std::string list, bank, sound;
    EXPECT_TRUE(LookupSound(lists, channels, 0, 0, 0, 1, list, bank, sound));
    EXPECT_EQ(list, "A");
    EXPECT_EQ(sound, "FromA") << "the first list of a name wins";
    EXPECT_TRUE(LookupSound(lists, channels, 1, 0, 0, 1, list, bank, sound));
    EXPECT_EQ(sound, "FromB");
    EXPECT_FALSE(LookupSound(lists, channels, 2, 0, 0, 1, list, bank, sound));
    EXPECT_EQ(list, "Missing");
    EXPECT_FALSE(LookupSound(lists, channels, 3, 0, 0, 1, list, bank, sound));
    EXPECT_EQ(list, " ");
    EXPECT_FALSE(LookupSound(lists, channels, 16, 0, 0, 1, list, bank, sound));
    EXPECT_FALSE(LookupSound(lists, channels, 0, 5, 0, 1, list, bank, sound));
}

TEST(SoundList, UnreadableFileNamesTheFileAndLeavesAnEmptyList) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("presetor-sounds-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "good.sounds", std::ios::binary) << kExample;
    std::ofstream(dir / "ignored.txt") << "name=Not a list\n";
    std::filesystem::create_directory(dir / "folder.sounds");

    CSoundList list = Parse(kExample);
    const Result r = list.Load((dir / "absent.sounds").string());
    EXPECT_EQ(r.code(), ErrorCode::IoError);
    EXPECT_NE(r.message().find("absent.sounds"), std::string::npos);
    EXPECT_TRUE(list.name.empty());
    EXPECT_TRUE(list.banks.empty());

    std::vector<Result> errors;
    const auto lists = LoadSoundListsIn(dir.string(), &errors);
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(lists[0].name, "Studio Module");
    EXPECT_TRUE(errors.empty());
    std::filesystem::remove_all(dir);
}
