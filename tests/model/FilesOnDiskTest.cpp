// Files on a real disk: reads that look before they open (FIFOs, devices, sparse giants, short
// and long preset files), and saves that keep links, permissions and read-only files, report a
// full disk, clean up after killed saves and always leave the old or the new file whole.
#include "ModelFixtures.h"
#include "model/FileIo.h"
#include "model/PresetFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>

#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace presetor;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteRaw(const fs::path& p, const Bytes& b) {
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

Bytes Lmk(int type, char fill) {
    Bank bank = test::DefaultBank(type);
    bank.presets[0].name[0] = fill;
    return SavePresetBytes(bank);
}

unsigned ModeOf(const fs::path& p) {
    struct stat st {};
    EXPECT_EQ(::stat(p.c_str(), &st), 0);
    return st.st_mode & 07777;
}

// Temporary save files left in a folder.
int Leftovers(const fs::path& folder) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(folder)) {
        long pid = 0;
        n += IsTemporarySaveName(e.path().filename().string(), pid) ? 1 : 0;
    }
    return n;
}

// A process id that is certainly not running: a child that has ended and been reaped.
long DeadPid() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

class FilesOnDisk : public test::TempDirTest {
protected:
    FilesOnDisk() : TempDirTest("presetor-files") {}
    std::string P(const std::string& name) const { return (dir / name).string(); }
};

} // namespace

TEST_F(FilesOnDisk, SpecialFilesAreNeverOpenedNorRead) {
    ASSERT_EQ(::mkfifo(P("fifo.lmk").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir / "zero.lmk");
    fs::create_directory(dir / "folder.lmk");
    const auto start = std::chrono::steady_clock::now();
    for (const char* name : {"fifo.lmk", "zero.lmk", "folder.lmk"}) {
        Bank bank = test::DefaultBank(kLmk3);
        const Bank before = bank;
        const Result r = LoadPresetFile(P(name), bank);
        EXPECT_EQ(r.code(), ErrorCode::IoError) << name;
        EXPECT_NE(r.message().find(name), std::string::npos) << r.message();
        EXPECT_TRUE(bank.SameContents(before)) << name;
        Bytes out;
        EXPECT_FALSE(ReadWholeFile(P(name), out)) << name;
        EXPECT_TRUE(out.empty());
    }
    EXPECT_NE(LoadPresetFile(P("fifo.lmk"), *std::make_unique<Bank>()).message().find("FIFO"),
              std::string::npos);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << "blocked";
}

TEST_F(FilesOnDisk, PresetFilesOfTheWrongSizeAreNamedBySize) {
    const Bytes lmk4 = Lmk(kLmk4, 'A');
    WriteRaw(dir / "short.lmk", Bytes(lmk4.begin(), lmk4.begin() + 5000));
    WriteRaw(dir / "empty.lmk", {});
    Bytes longer = lmk4;
    longer.push_back(0);
    WriteRaw(dir / "long.lmk", longer);
    {
        std::ofstream sparse(dir / "sparse.lmk", std::ios::binary);
        sparse.write("LMK4V1", 6);
    }
    fs::resize_file(dir / "sparse.lmk", 2ull << 30);

    Bank bank = test::DefaultBank(kLmk3);
    const Bank before = bank;
    Result r = LoadPresetFile(P("short.lmk"), bank);
    EXPECT_EQ(r.message(), "too short: 5000 bytes, a preset file has 9158 or 22358");
    r = LoadPresetFile(P("empty.lmk"), bank);
    EXPECT_EQ(r.message(), "too short: 0 bytes, a preset file has 9158 or 22358");
    r = LoadPresetFile(P("long.lmk"), bank);
    EXPECT_EQ(r.message(), "too long: 22359 bytes, a preset file has 9158 or 22358");
    r = LoadPresetFile(P("sparse.lmk"), bank);
    EXPECT_EQ(r.code(), ErrorCode::InvalidFile);
    EXPECT_EQ(r.message(), "too long: 2147483648 bytes, a preset file has 9158 or 22358");
    EXPECT_TRUE(bank.SameContents(before));
    EXPECT_EQ(bank.keyboardType, kLmk3);

    // An LMK3 file with a few bytes after it is still read, as before.
    Bytes lmk3 = Lmk(kLmk3, 'B');
    lmk3.resize(lmk3.size() + 10, 0xEE);
    WriteRaw(dir / "lmk3plus.lmk", lmk3);
    EXPECT_TRUE(LoadPresetFile(P("lmk3plus.lmk"), bank));
    EXPECT_EQ(bank.presets[0].name[0], 'B');

    Bytes out;
    EXPECT_EQ(ReadWholeFile(P("long.lmk"), out, 100).code(), ErrorCode::TooLarge);
    EXPECT_TRUE(ReadWholeFile(P("long.lmk"), out, longer.size()));
    EXPECT_EQ(out, longer);
}

TEST_F(FilesOnDisk, SaveThroughALinkReplacesTheTargetAndKeepsTheLink) {
    fs::create_directory(dir / "real");
    WriteRaw(dir / "real" / "bank.lmk", Lmk(kLmk3, 'O'));
    fs::create_symlink("real/bank.lmk", dir / "link.lmk"); // relative to the link's folder
    fs::create_symlink(dir / "link.lmk", dir / "chain.lmk");

    ASSERT_TRUE(WriteFileAtomically(P("chain.lmk"), Lmk(kLmk3, 'N')));
    EXPECT_TRUE(fs::is_symlink(dir / "chain.lmk"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.lmk"));
    EXPECT_EQ(ReadAll(dir / "real" / "bank.lmk"), Lmk(kLmk3, 'N'));
    EXPECT_EQ(Leftovers(dir / "real"), 0);

    // A link to a file not there yet creates the target.
    fs::create_symlink("real/new.lmk", dir / "dangling.lmk");
    ASSERT_TRUE(WriteFileAtomically(P("dangling.lmk"), Lmk(kLmk4, 'D')));
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.lmk"));
    EXPECT_EQ(ReadAll(dir / "real" / "new.lmk"), Lmk(kLmk4, 'D'));

    fs::create_symlink("loop2.lmk", dir / "loop1.lmk");
    fs::create_symlink("loop1.lmk", dir / "loop2.lmk");
    EXPECT_FALSE(WriteFileAtomically(P("loop1.lmk"), Lmk(kLmk3, 'L')));
}

TEST_F(FilesOnDisk, SaveKeepsPermissionsAndRefusesReadOnlyFiles) {
    WriteRaw(dir / "private.lmk", Lmk(kLmk3, 'O'));
    ::chmod(P("private.lmk").c_str(), 0600);
    ASSERT_TRUE(SavePresetFile(P("private.lmk"), test::DefaultBank(kLmk4)));
    EXPECT_EQ(ModeOf(dir / "private.lmk"), 0600u);
    EXPECT_EQ(fs::file_size(dir / "private.lmk"), 22358u);

    WriteRaw(dir / "shared.lmk", Lmk(kLmk3, 'O'));
    ::chmod(P("shared.lmk").c_str(), 0664);
    ASSERT_TRUE(SavePresetFile(P("shared.lmk"), test::DefaultBank(kLmk3)));
    EXPECT_EQ(ModeOf(dir / "shared.lmk"), 0664u);

    // Read-only, even for an administrator who could write it: refused, untouched.
    const Bytes old = Lmk(kLmk3, 'R');
    WriteRaw(dir / "readonly.lmk", old);
    ::chmod(P("readonly.lmk").c_str(), 0444);
    fs::create_symlink("readonly.lmk", dir / "to-readonly.lmk");
    for (const char* name : {"readonly.lmk", "to-readonly.lmk"}) {
        const Result r = WriteFileAtomically(P(name), Lmk(kLmk3, 'N'));
        EXPECT_EQ(r.code(), ErrorCode::ReadOnly) << name;
        EXPECT_NE(r.message().find(name), std::string::npos) << r.message();
        EXPECT_NE(r.message().find("read-only"), std::string::npos) << r.message();
    }
    EXPECT_EQ(ReadAll(dir / "readonly.lmk"), old);
    EXPECT_EQ(ModeOf(dir / "readonly.lmk"), 0444u);
    EXPECT_EQ(Leftovers(dir), 0);
}

TEST_F(FilesOnDisk, LeftoversOfKilledSavesAreRemovedAndNothingElse) {
    const long dead = DeadPid();
    const std::string stale = TemporarySaveName(P("bank.lmk"), dead, 7);
    const std::string otherStale = TemporarySaveName(P("other.lmk"), dead, 0);
    const std::string live = TemporarySaveName(P("bank.lmk"), static_cast<long>(::getppid()), 1);
    const std::string earlier = P("bank.lmk.tmp" + std::to_string(dead) + "-3"); // older naming
    const std::string notOurs = P("notes.txt.tmp" + std::to_string(dead) + "-1");
    for (const std::string& name : {stale, otherStale, live, earlier, notOurs, P("bank.lmk.part"),
                                    P("bank.lmk.tmp1-2"), P("x.presetor-save-1-2.tmpx")})
        WriteRaw(name, {1, 2, 3});
    long pid = 0;
    EXPECT_TRUE(IsTemporarySaveName(fs::path(stale).filename().string(), pid));
    EXPECT_EQ(pid, dead);
    EXPECT_FALSE(IsTemporarySaveName(".presetor-save-1-2.tmp", pid));
    EXPECT_FALSE(IsTemporarySaveName("a.presetor-save-x-2.tmp", pid));

    ASSERT_TRUE(SavePresetFile(P("bank.lmk"), test::DefaultBank(kLmk3)));
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_FALSE(fs::exists(otherStale)) << "every leftover in the folder goes";
    EXPECT_FALSE(fs::exists(earlier));
    EXPECT_TRUE(fs::exists(notOurs)) << "not a name of ours";
    EXPECT_TRUE(fs::exists(live)) << "a running program's save is left alone";
    EXPECT_TRUE(fs::exists(P("bank.lmk.part")));
    EXPECT_TRUE(fs::exists(P("bank.lmk.tmp1-2")));
    EXPECT_TRUE(fs::exists(P("x.presetor-save-1-2.tmpx")));
}

TEST_F(FilesOnDisk, FullDiskKeepsTheOldFileAndSaysSo) {
    // A file-size limit stands in for a full disk: the new file does not fit.
    const Bytes old = Lmk(kLmk3, 'O');
    WriteRaw(dir / "bank.lmk", old);
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{10000, 10000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const Result r = SavePresetFile(P("bank.lmk"), test::DefaultBank(kLmk4));
        const bool said = r.code() == ErrorCode::NoSpace &&
                          r.message().find("bank.lmk") != std::string::npos &&
                          r.message().find(kNoSpaceText) != std::string::npos;
        ::_exit(said ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "NoSpace naming the file";
    EXPECT_EQ(ReadAll(dir / "bank.lmk"), old);
    EXPECT_EQ(Leftovers(dir), 0);
}

TEST_F(FilesOnDisk, FullTmpfsKeepsTheOldFileAndSaysSo) {
    // A real small file system where the old and the new file cannot both fit.
    fs::create_directory(dir / "mnt");
    const pid_t child = ::fork();
    if (child == 0) {
        const bool root = ::geteuid() == 0;
        if (::unshare(root ? CLONE_NEWNS : (CLONE_NEWUSER | CLONE_NEWNS)) != 0 ||
            ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", (dir / "mnt").c_str(), "tmpfs", 0, "size=32k") != 0)
            ::_exit(77); // no way to mount here
        const std::string target = (dir / "mnt" / "bank.lmk").string();
        if (!SavePresetFile(target, test::DefaultBank(kLmk4)))
            ::_exit(2); // the first copy fits
        const Bytes before = ReadAll(target);
        const Result r = SavePresetFile(target, test::DefaultBank(kLmk4));
        const bool ok = r.code() == ErrorCode::NoSpace &&
                        r.message().find(kNoSpaceText) != std::string::npos &&
                        ReadAll(target) == before && Leftovers(dir / "mnt") == 0;
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(FilesOnDisk, KilledSavesLeaveTheOldOrTheNewFileWhole) {
    const Bytes a = Lmk(kLmk4, 'A');
    const Bytes b = Lmk(kLmk4, 'B');
    WriteRaw(dir / "bank.lmk", a);
    std::mt19937 random(12345);
    int kills = 0;
    for (int round = 0; round < 60; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (unsigned i = 0;; ++i)
                WriteFileAtomically(P("bank.lmk"), i % 2 ? a : b);
        }
        ::usleep(200 + random() % 3000);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ++kills;
        const Bytes now = ReadAll(dir / "bank.lmk");
        ASSERT_TRUE(now == a || now == b) << "round " << round << ": " << now.size() << " bytes";
    }
    EXPECT_EQ(kills, 60);
    // The next save in the folder removes whatever the killed saves left.
    ASSERT_TRUE(WriteFileAtomically(P("bank.lmk"), a));
    EXPECT_EQ(Leftovers(dir), 0);
    EXPECT_EQ(ReadAll(dir / "bank.lmk"), a);
}

TEST_F(FilesOnDisk, NamesThatAreNotUtf8AreUsedAsTheyAre) {
    const std::string name = P("Fl\xFCgel.lmk"); // Latin-1 bytes, not valid UTF-8
    ASSERT_TRUE(SavePresetFile(name, test::DefaultBank(kLmk4)));
    EXPECT_EQ(fs::file_size(fs::path(name)), 22358u);
    Bank bank;
    EXPECT_TRUE(LoadPresetFile(name, bank));
    EXPECT_EQ(bank.keyboardType, kLmk4);
}
