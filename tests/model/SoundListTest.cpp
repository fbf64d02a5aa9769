// Sound-list files: keys in any case, the first non-empty name, lines that are reported and
// skipped, the one text decoding, line endings, and the lookups by channel and bank select.
#include "model/SoundList.h"
#include "ModelFixtures.h"
#include "model/TextEncoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

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
    EXPECT_EQ(list.problemCount, 0u);
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
    for (int program = 0; program < kSoundsPerBank; ++program)
        EXPECT_EQ(other.banks[1].GetSoundName(program), list.banks[1].GetSoundName(program));
}

TEST(SoundList, KeysInAnyCaseAndFirstNonEmptyName) {
    CSoundList list = Parse("NaMe=\nName=First \nname=Second\nBank=Rock,1,2\nBANK=Roll,127\n");
    EXPECT_EQ(list.name, "First ") << "blanks kept, empty first name skipped";
    ASSERT_EQ(list.banks.size(), 2u);
    EXPECT_EQ(list.banks[0].name, "Rock");
    EXPECT_EQ(list.banks[0].msb, 1);
    EXPECT_EQ(list.banks[0].lsb, 2);
    EXPECT_EQ(list.banks[1].msb, 127);
    EXPECT_EQ(list.banks[1].lsb, 0) << "no LSB given: 0";
    EXPECT_EQ(list.problemCount, 0u);
}

TEST(SoundList, BadBankLinesAreReportedAndSkippedWithTheirSounds) {
    const CSoundList list = Parse("name=M\n"
                                  "bank=Good,1,2\n"
                                  "0,Kept\n"
                                  "bank=Rock\n"        // 4: no numbers
                                  "0,Lost with Rock\n" // skipped with its bank, not reported
                                  "bank=Jazz,\n"       // 6: no MSB
                                  "bank=Folk,  12x,\n" // 7: not a number
                                  "bank= Blues ,+7,  3 \n"
                                  "bank=,5\n"         // 9: no name
                                  "bank=Big,200,0\n"  // 10: MSB out of range
                                  "bank=Neg,1,-1\n"   // 11: LSB out of range
                                  "bank=Wrap,300,2\n" // 12: never folded into 44
                                  "1,Also lost\n");
    ASSERT_EQ(list.banks.size(), 2u);
    EXPECT_EQ(list.banks[0].name, "Good");
    EXPECT_EQ(list.banks[0].GetSoundName(0), "Kept");
    EXPECT_EQ(list.banks[1].name, " Blues ");
    EXPECT_EQ(list.banks[1].msb, 7);
    EXPECT_EQ(list.banks[1].lsb, 3);
    EXPECT_EQ(list.banks[1].GetSoundName(1), "") << "sounds of a skipped bank are not moved";

    ASSERT_EQ(list.problemCount, 7u);
    std::vector<std::size_t> lines;
    for (const SoundListProblem& p : list.problems)
        lines.push_back(p.line);
    EXPECT_EQ(lines, (std::vector<std::size_t>{4, 6, 7, 9, 10, 11, 12}));
    EXPECT_NE(list.problems[4].reason.find("200 is outside 0 to 127"), std::string::npos);
    EXPECT_NE(list.problems[6].reason.find("300"), std::string::npos);

    const std::string report = list.ProblemReport("/lists/m.sounds");
    EXPECT_EQ(report.find("Sound list '/lists/m.sounds': 7 lines skipped:"), 0u) << report;
    EXPECT_NE(report.find("line 10: bank MSB 200 is outside 0 to 127"), std::string::npos);
    EXPECT_EQ(Parse(kExample).ProblemReport("x"), "") << "nothing to report";
}

TEST(SoundList, BadSoundLinesAreReportedAndGoodOnesKept) {
    const CSoundList list = Parse("name=M\n"
                                  "0,Before any bank\n" // 2
                                  "bank=B,0,0\n"
                                  "127,Last\n"
                                  "128,Too high\n"              // 5
                                  "-1,Negative\n"               // 6
                                  "12 Piano\n"                  // 7
                                  "99999999999999999999,Huge\n" // 8
                                  "*3,Comment\n"
                                  "4,\n"
                                  "  7,Seven\n"
                                  "7,Seven again\n"
                                  "abc,Bad number\n" // 13: once became program 0
                                  "3x,Trailing\n"    // 14
                                  "1\n"
                                  "0,Real zero\n");
    ASSERT_EQ(list.banks.size(), 1u);
    const CSoundBank& b = list.banks[0];
    EXPECT_EQ(b.GetSoundName(127), "Last");
    EXPECT_EQ(b.GetSoundName(12), "");
    EXPECT_EQ(b.GetSoundName(3), "");
    EXPECT_EQ(b.GetSoundName(4), "");
    EXPECT_EQ(b.GetSoundName(7), "Seven again");
    EXPECT_EQ(b.GetSoundName(0), "Real zero") << "a bad number does not replace program 0";
    EXPECT_EQ(b.NamedCount(), 3);

    std::vector<std::size_t> lines;
    for (const SoundListProblem& p : list.problems)
        lines.push_back(p.line);
    EXPECT_EQ(lines, (std::vector<std::size_t>{2, 5, 6, 7, 8, 13, 14}))
        << "the short line 15 is ignored as before";
    EXPECT_NE(list.problems[5].reason.find("no program number"), std::string::npos);
}

TEST(SoundList, ManyProblemsAreListedUpToALimitAndCounted) {
    std::string text = "bank=A,0,0\n";
    for (int i = 0; i < 500; ++i)
        text += "x,bad\n";
    const CSoundList list = Parse(text);
    EXPECT_EQ(list.problemCount, 500u);
    EXPECT_EQ(list.problems.size(), kReportedProblems);
    const std::string report = list.ProblemReport("f.sounds");
    EXPECT_NE(report.find("no \"name=\" line"), std::string::npos);
    EXPECT_NE(report.find("and 480 more skipped lines"), std::string::npos);
}

TEST(SoundList, ReplacingSoundsKeepsTheOthers) {
    CSoundBank bank;
    bank.SetSoundName(5, "five");
    bank.SetSoundName(0, "zero");
    bank.SetSoundName(127, std::string(70000, 'x'));
    bank.SetSoundName(5, "FIVE");
    bank.SetSoundName(128, "ignored");
    bank.SetSoundName(-1, "ignored");
    EXPECT_EQ(bank.GetSoundName(5), "FIVE");
    EXPECT_EQ(bank.GetSoundName(0), "zero");
    EXPECT_EQ(bank.GetSoundName(127).size(), 70000u);
    EXPECT_EQ(bank.NamedCount(), 3);
    bank.SetSoundName(0, "");
    EXPECT_EQ(bank.GetSoundName(0), "");
    EXPECT_EQ(bank.NamedCount(), 2);
}

TEST(SoundList, TextsAreUtf8WithLatin1ForOtherBytes) {
    // A list in UTF-8, one in a single-byte code page, and one mixing both.
    const CSoundList utf8 =
        Parse("name=Fl\xC3\xBCgel\nbank=Konzertfl\xC3\xBCgel,0,0\n0,Fl\xC3\xBCgel hell\n");
    const CSoundList latin = Parse("name=Fl\xFCgel\nbank=Konzertfl\xFCgel,0,0\n0,Fl\xFCgel hell\n");
    EXPECT_EQ(utf8.name, "Fl\xC3\xBCgel");
    EXPECT_EQ(latin.name, utf8.name);
    EXPECT_EQ(latin.banks[0].name, utf8.banks[0].name);
    EXPECT_EQ(latin.banks[0].GetSoundName(0), utf8.banks[0].GetSoundName(0));
    const CSoundList mixed = Parse("name=\xC3\xBC and \xFC\n");
    EXPECT_EQ(mixed.name, "\xC3\xBC and \xC3\xBC") << "only the invalid byte is Latin-1";
    EXPECT_EQ(Utf8OrLatin1("\xE2\x82"), "\xC3\xA2\xC2\x82") << "a cut sequence";
    EXPECT_EQ(Utf8OrLatin1("\xF0\x9F\x8E\xB9"), "\xF0\x9F\x8E\xB9") << "4-byte sequence kept";
    EXPECT_EQ(Utf8OrLatin1("\xC0\xAF"), "\xC3\x80\xC2\xAF") << "overlong form is not UTF-8";
    EXPECT_EQ(Utf8OrLatin1("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xC2\x80") << "no surrogates";
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

// Folders with links, FIFOs and devices: POSIX only.
#ifndef _WIN32
class SoundListFiles : public test::TempDirTest {
protected:
    SoundListFiles() : TempDirTest("presetor-sounds") {}
    void Write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
    }
};

TEST_F(SoundListFiles, FolderGivesUsableListsAndOneReportPerFile) {
    Write("good.sounds", kExample);
    Write("ignored.txt", "name=Not a list\n");
    Write("nameless.sounds", "bank=A,0,0\n0,Piano\n");
    Write("bad.sounds", "name=Bad\nbank=A,0,0\nabc,Bad number\n1,Fine\n");
    std::filesystem::create_directory(dir / "folder.sounds");
    std::filesystem::create_symlink(dir / "nowhere", dir / "broken.sounds");

    CSoundList list = Parse(kExample);
    const Result r = list.Load((dir / "absent.sounds").string());
    EXPECT_EQ(r.code(), ErrorCode::IoError);
    EXPECT_NE(r.message().find("absent.sounds"), std::string::npos);
    EXPECT_TRUE(list.name.empty());
    EXPECT_TRUE(list.banks.empty());

    std::vector<Result> errors;
    const auto lists = LoadSoundListsIn(dir.string(), &errors);
    std::vector<std::string> names;
    for (const CSoundList& l : lists)
        names.push_back(l.name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Bad", "Studio Module"}))
        << "a list without a name is not offered as a blank entry";
    ASSERT_EQ(errors.size(), 3u) << "broken, nameless and bad, one each";
    std::string all;
    for (const Result& e : errors)
        all += e.message() + "\n";
    EXPECT_NE(all.find("broken.sounds"), std::string::npos) << all;
    EXPECT_NE(all.find("nameless.sounds"), std::string::npos) << all;
    EXPECT_NE(all.find("bad.sounds': 1 line skipped:\n  line 3: no program number"),
              std::string::npos)
        << all;
}

TEST_F(SoundListFiles, OnlyNamesEndingInTheExtensionAfterAStemAreFound) {
    // The folder the program starts in may hold thousands of other files; the names are matched
    // as they come, and what is found is what the lists are read from and watched.
    for (const char* name : {"a.sounds", "..sounds", "x.y.sounds", "b.SOUNDS", ".sounds",
                             "c.sounds.bak", "csounds", "sounds"})
        Write(name, kExample);
    std::filesystem::create_directory(dir / "folder.sounds");

    std::vector<std::string> found = SoundListFilesIn(dir.string());
    for (std::string& path : found)
        path = std::filesystem::path(path).filename().string();
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"..sounds", "a.sounds", "x.y.sounds"}));
    EXPECT_EQ(LoadSoundListsIn(dir.string(), nullptr).size(), 3u);
    EXPECT_TRUE(SoundListFilesIn((dir / "absent").string()).empty());
}

TEST_F(SoundListFiles, SpecialAndHugeFilesAreRefusedWithoutReading) {
    // A FIFO would block a reader until someone writes; a link to /dev/zero never ends; a sparse
    // file claims gigabytes. None may be read, none may stop the others from loading.
    ASSERT_EQ(::mkfifo((dir / "fifo.sounds").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir / "zero.sounds");
    { std::ofstream big(dir / "sparse.sounds", std::ios::binary); }
    std::filesystem::resize_file(dir / "sparse.sounds", 2ull << 30);
    Write("good.sounds", kExample);

    std::vector<Result> errors;
    const auto lists = LoadSoundListsIn(dir.string(), &errors);
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(lists[0].name, "Studio Module");
    ASSERT_EQ(errors.size(), 3u);
    std::string all;
    for (const Result& e : errors)
        all += e.message() + "\n";
    EXPECT_NE(all.find("fifo.sounds': it is a pipe (FIFO)"), std::string::npos) << all;
    EXPECT_NE(all.find("zero.sounds': it is a device"), std::string::npos) << all;
    EXPECT_NE(all.find("sparse.sounds': the file is too large (2147483648 bytes, at most "
                       "16777216)"),
              std::string::npos)
        << all;
}
#endif
