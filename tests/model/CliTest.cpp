// Black-box tests of the presetor-cli binary: exit status, output files, one-line errors that
// name the file, and no output file at all after an error.
#include "midi/SysexFormat.h"
#include "model/FileIo.h"
#include "model/PresetFile.h"

#include "ModelFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#endif

using namespace presetor;
namespace fs = std::filesystem;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Reads what the program wrote as text (standard output in text mode ends lines with CR LF on
// Windows).
std::string ReadText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    std::string text = s.str();
#ifdef _WIN32
    std::erase(text, '\r');
#endif
    return text;
}

Bytes ReadBytes(const fs::path& p) {
    Bytes b;
    EXPECT_TRUE(ReadWholeFile(p.string(), b)) << p;
    return b;
}

int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class Cli : public test::TempDirTest {
protected:
    Cli() : TempDirTest("presetor-cli") {}

    fs::path P(const char* name) const { return dir / name; }

    // Runs presetor-cli with the arguments, quoted for the shell (sh, or cmd.exe on Windows,
    // which wants the whole line in one more pair of quotes).
    CliRun Invoke(const std::vector<std::string>& args) const {
        return InvokeProgram(PRESETOR_CLI_PATH, args);
    }

    // Runs a program with the arguments and extra environment entries ("NAME=value ").
    CliRun InvokeProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& environment = "") const {
#ifdef _WIN32
        const std::string q = "\"";
#else
        const std::string q = "'";
#endif
        std::string cmd = environment + q + program + q;
        for (const std::string& a : args)
            cmd += " " + q + a + q;
        cmd += " >" + q + (dir / "stdout").string() + q + " 2>" + q + (dir / "stderr").string() + q;
        CliRun r;
#ifdef _WIN32
        r.status = std::system(("\"" + cmd + "\"").c_str());
#else
        const int raw = std::system(cmd.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
        r.out = ReadText(dir / "stdout");
        r.err = ReadText(dir / "stderr");
        fs::remove(dir / "stdout");
        fs::remove(dir / "stderr");
        return r;
    }

#ifndef _WIN32
    // presetor-cli offers `command` with the usage and summary of the program that runs it,
    // hands it its words unchanged, finds it beside itself or in the installed layout
    // (bin/presetor-cli, lib/presetor/PROGRAM), and says which program is missing.
    void ExpectHandedOver(const fs::path& program, const std::string& command) {
        // The command's line and the summary lines indented below it.
        const auto entry = [&command](const std::string& help) {
            std::string found;
            std::size_t at = help.find("  " + command + " ");
            while (at != std::string::npos && at < help.size()) {
                const std::size_t end = help.find('\n', at);
                found += help.substr(at, end - at) + "\n";
                at = end == std::string::npos ? end : end + 1;
                if (at != std::string::npos && help.compare(at, 6, "      ") != 0)
                    break;
            }
            return found;
        };
        const CliRun cliHelp = Invoke({"--help"});
        const CliRun ownHelp = InvokeProgram(program.string(), {"--help"});
        EXPECT_FALSE(entry(cliHelp.out).empty()) << cliHelp.out;
        EXPECT_EQ(entry(cliHelp.out), entry(ownHelp.out));

        const CliRun unknown = Invoke({command, "--colour", "a", "b"});
        EXPECT_EQ(unknown.status, 2);
        EXPECT_NE(unknown.err.find("unknown option --colour"), std::string::npos) << unknown.err;

        fs::create_directories(P("bin"));
        fs::create_directories(P("lib/presetor"));
        fs::copy_file(PRESETOR_CLI_PATH, P("bin/presetor-cli"),
                      fs::copy_options::overwrite_existing);
        fs::permissions(P("bin/presetor-cli"), fs::perms::owner_exec, fs::perm_options::add);
        const CliRun alone = InvokeProgram(P("bin/presetor-cli").string(), {command, "a", "b"},
                                           "PATH=/nonexistent ");
        EXPECT_EQ(alone.status, 1);
        EXPECT_EQ(Lines(alone.err), 1) << alone.err;
        EXPECT_NE(alone.err.find(program.filename().string()), std::string::npos) << alone.err;

        fs::create_symlink(program, P("lib/presetor") / program.filename());
        const CliRun installed = InvokeProgram(P("bin/presetor-cli").string(), {command, "--help"},
                                               "PATH=/nonexistent ");
        EXPECT_EQ(installed.status, 0) << installed.err;
        EXPECT_NE(installed.out.find("Usage: presetor-cli " + command), std::string::npos)
            << installed.out;
    }
#endif

    // The failure shape every command shares.
    void ExpectOneLineError(const CliRun& r, const std::string& file, const std::string& reason) {
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(Lines(r.err), 1) << r.err;
        EXPECT_NE(r.err.find(file), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
    }
};

} // namespace

TEST_F(Cli, NewAndInfoForBothTypes) {
    const CliRun lmk3 = Invoke({"new", "--type", "lmk3", P("a.lmk").string()});
    EXPECT_EQ(lmk3.status, 0) << lmk3.err;
    EXPECT_EQ(fs::file_size(P("a.lmk")), 9158u);
    const CliRun lmk4 = Invoke({"new", "--type=lmk4", P("b.lmk").string()});
    EXPECT_EQ(lmk4.status, 0) << lmk4.err;
    const Bytes bytes = ReadBytes(P("b.lmk"));
    ASSERT_EQ(bytes.size(), 22358u);
    Bank bank;
    ASSERT_TRUE(LoadPresetBytes(bytes, bank));
    for (int i = 0; i < 127; ++i)
        EXPECT_EQ(bank.presets[static_cast<std::size_t>(i)].linkPreset, i);

    const CliRun info = Invoke({"info", P("b.lmk").string()});
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(Lines(info.out), 2 + 127);
    EXPECT_EQ(info.out.rfind("type: LMK4\npresets: 127\n1.1 (1) INITPRES\n", 0), 0u) << info.out;
    EXPECT_NE(info.out.find("\n16.7 (127) INITPRES\n"), std::string::npos);
    EXPECT_EQ(Invoke({"info", P("a.lmk").string()}).out.rfind("type: LMK3\npresets: 64\n", 0), 0u);
}

TEST_F(Cli, ToSyxWritesWhatSendAllSendsAndFromSyxReadsItBack) {
    Bank bank = test::DefaultBank(kLmk4);
    bank.presets[5].SetName("FIVE");
    bank.presets[126].bankLsb[3] = 127;
    ASSERT_TRUE(SavePresetFile(P("in.lmk").string(), bank));

    ASSERT_EQ(Invoke({"to-syx", P("in.lmk").string(), P("singles.syx").string()}).status, 0);
    const Bytes singles = ReadBytes(P("singles.syx"));
    ASSERT_EQ(singles.size(), 161u * 127u);
    const Bytes dump6 = BuildSingleDump(bank.presets[5], kLmk4, kLmk4Header, 6);
    EXPECT_TRUE(std::equal(dump6.begin(), dump6.end(), singles.begin() + 161 * 5));

    ASSERT_EQ(Invoke({"to-syx", "--bulk", P("in.lmk").string(), P("bulk.syx").string()}).status, 0);
    EXPECT_EQ(ReadBytes(P("bulk.syx")), BuildBulkDump(bank));

    for (const char* syx : {"singles.syx", "bulk.syx"}) {
        const CliRun r =
            Invoke({"from-syx", "--type", "lmk4", P(syx).string(), P("out.lmk").string()});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(r.err.empty()) << r.err;
        EXPECT_EQ(ReadBytes(P("out.lmk")), ReadBytes(P("in.lmk"))) << syx;
    }
}

TEST_F(Cli, FromSyxTakesTheTypeFromTheDumpsAndDiffComparesAnyTwoBanks) {
    Bank bank = test::DefaultBank(kLmk4);
    ASSERT_TRUE(SavePresetFile(P("a.lmk").string(), bank));
    ASSERT_EQ(Invoke({"to-syx", "--bulk", P("a.lmk").string(), P("a.syx").string()}).status, 0);
    // No --type: the bulk dump's length says LMK4.
    CliRun r = Invoke({"from-syx", P("a.syx").string(), P("b.lmk").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadBytes(P("b.lmk")), ReadBytes(P("a.lmk")));

    // Equal banks, in either file form: exit 0 and no output.
    r = Invoke({"diff", P("a.lmk").string(), P("a.syx").string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;

    // Chosen differences: one line per preset, one per field, exit 1.
    bank.presets[2].SetMidiChannel(2, 5);
    bank.presets[2].SetName("PIANO");
    ASSERT_TRUE(SavePresetFile(P("c.lmk").string(), bank));
    r = Invoke({"diff", P("a.syx").string(), P("c.lmk").string()});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out, "1.3 (3) INITPRES / PIANO\n"
                     "  Global: Name INITPRES / PIANO\n"
                     "  Split 3: MIDI-Channel 3 / 5\n");

    // A file that cannot be read is trouble, not a difference.
    r = Invoke({"diff", P("a.lmk").string(), P("missing.lmk").string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("missing.lmk"), std::string::npos) << r.err;
}

TEST_F(Cli, FromSyxWarnsAboutChecksumsButKeepsTheDumps) {
    Bank bank = test::DefaultBank(kLmk3);
    Bytes dump = BuildSingleDump(bank.presets[0], kLmk3, kLmk3Header, 2);
    dump[159] ^= 1;
    ASSERT_TRUE(WriteFileAtomically(P("bad.syx").string(), dump));
    const CliRun r =
        Invoke({"from-syx", "--type", "lmk3", P("bad.syx").string(), P("o.lmk").string()});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("1.2 (2)"), std::string::npos) << r.err;
    EXPECT_TRUE(fs::exists(P("o.lmk")));
}

TEST_F(Cli, BadInputGivesOneLineAndNoOutputFile) {
    ASSERT_EQ(Invoke({"new", "--type", "lmk3", P("good.lmk").string()}).status, 0);
    Bytes truncated = ReadBytes(P("good.lmk"));
    truncated.resize(9000);
    ASSERT_TRUE(WriteFileAtomically(P("short.lmk").string(), truncated));

    const char* invalid = "too short: 9000 bytes, a preset file has 9158 or 22358";
    ExpectOneLineError(Invoke({"info", P("short.lmk").string()}), "short.lmk", invalid);
    ExpectOneLineError(Invoke({"to-syx", P("short.lmk").string(), P("x.syx").string()}),
                       "short.lmk", invalid);
    ExpectOneLineError(Invoke({"info", P("missing.lmk").string()}), "missing.lmk", "No such file");
    EXPECT_FALSE(fs::exists(P("x.syx")));

    // A single dump with a preset number beyond the LMK3's 64, then a stray byte.
    Bank bank;
    Bytes syx = BuildSingleDump(bank.presets[0], kLmk3, kLmk3Header, 65);
    ASSERT_TRUE(WriteFileAtomically(P("range.syx").string(), syx));
    ExpectOneLineError(
        Invoke({"from-syx", "--type", "lmk3", P("range.syx").string(), P("y.lmk").string()}),
        "range.syx", "out of range");
    syx = BuildSingleDump(bank.presets[0], kLmk3, kLmk3Header, 1);
    syx.push_back(0x42);
    ASSERT_TRUE(WriteFileAtomically(P("stray.syx").string(), syx));
    ExpectOneLineError(
        Invoke({"from-syx", "--type", "lmk3", P("stray.syx").string(), P("y.lmk").string()}),
        "stray.syx", "outside a SysEx message");
    EXPECT_FALSE(fs::exists(P("y.lmk")));

    // An existing output stays as it was when the input is bad.
    const Bytes before = ReadBytes(P("good.lmk"));
    EXPECT_EQ(
        Invoke({"from-syx", "--type", "lmk3", P("stray.syx").string(), P("good.lmk").string()})
            .status,
        1);
    EXPECT_EQ(ReadBytes(P("good.lmk")), before);

    ExpectOneLineError(Invoke({"new", "--type", "lmk4", P("nodir/z.lmk").string()}), "z.lmk",
                       "No such file");

    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir))
        ++entries;
    EXPECT_EQ(entries, 4) << "good, short, range, stray and nothing else";
}

TEST_F(Cli, UsageErrorsExitWithTwo) {
    EXPECT_EQ(Invoke({}).status, 2);
    EXPECT_EQ(Invoke({"frobnicate"}).status, 2);
    EXPECT_EQ(Invoke({"new", P("a.lmk").string()}).status, 2) << "--type missing";
    EXPECT_EQ(Invoke({"new", "--type", "lmk5", P("a.lmk").string()}).status, 2);
    EXPECT_EQ(Invoke({"info"}).status, 2);
    EXPECT_EQ(Invoke({"to-syx", "--fast", "a", "b"}).status, 2);
    EXPECT_FALSE(fs::exists(P("a.lmk")));
    const CliRun help = Invoke({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("from-syx"), std::string::npos);
}

#ifdef __linux__
// The file commands start like `cat`: Qt (print) and the MIDI libraries (ports, receive, send) are
// only loaded by the programs that run those commands, and the C++ runtime is linked in.
TEST_F(Cli, FileCommandsLoadOnlyTheCLibrary) {
    const CliRun libraries =
        InvokeProgram(PRESETOR_CLI_PATH, {"info", "x.lmk"}, "LD_TRACE_LOADED_OBJECTS=1 ");
    ASSERT_EQ(libraries.status, 0) << libraries.err;
    EXPECT_NE(libraries.out.find("libc.so"), std::string::npos) << libraries.out;
    for (const char* library : {"libQt", "librtmidi", "libjack", "libasound"})
        EXPECT_EQ(libraries.out.find(library), std::string::npos) << library << libraries.out;
#if !defined(__SANITIZE_ADDRESS__) // the sanitizer's own library loads the C++ runtime
    EXPECT_EQ(libraries.out.find("libstdc++"), std::string::npos) << libraries.out;
#endif
}
#endif

#ifdef PRESETOR_CLI_PRINT_PATH
TEST_F(Cli, PrintRunsInItsOwnProgramNextToTheCli) {
    ExpectHandedOver(PRESETOR_CLI_PRINT_PATH, "print");

    // Its words reach that program unchanged: its own errors come back.
    const CliRun usage = Invoke({"print", "--preset", "0", P("in.lmk").string(), "out.pdf"});
    EXPECT_EQ(usage.status, 1) << usage.err; // the missing input file is reported first
    EXPECT_NE(usage.err.find("in.lmk"), std::string::npos) << usage.err;
}
#endif

#ifdef PRESETOR_CLI_MIDI_PATH
TEST_F(Cli, MidiCommandsRunInTheirOwnProgram) {
    ExpectHandedOver(PRESETOR_CLI_MIDI_PATH, "send");
    const CliRun missing = Invoke({"receive", "--type", "lmk4", P("out.lmk").string()});
    EXPECT_EQ(missing.status, 2) << missing.err;
    EXPECT_NE(missing.err.find("--in"), std::string::npos) << missing.err;
    EXPECT_FALSE(fs::exists(P("out.lmk")));
}
#endif

#ifndef _WIN32
TEST_F(Cli, SpecialFilesAreRefusedAtOnce) {
    // A FIFO once hung the tool; /dev/zero once ended it with an uncaught bad_alloc.
    ASSERT_EQ(::mkfifo(P("fifo.lmk").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", P("zero.syx"));
    ExpectOneLineError(Invoke({"info", P("fifo.lmk").string()}), "fifo.lmk", "FIFO");
    ExpectOneLineError(Invoke({"to-syx", P("fifo.lmk").string(), P("x.syx").string()}), "fifo.lmk",
                       "FIFO");
    ExpectOneLineError(
        Invoke({"from-syx", "--type", "lmk3", P("zero.syx").string(), P("o.lmk").string()}),
        "zero.syx", "device");
    EXPECT_FALSE(fs::exists(P("x.syx")));
    EXPECT_FALSE(fs::exists(P("o.lmk")));

    // Saving over a read-only file is refused; the file stays as it was.
    ASSERT_EQ(Invoke({"new", "--type", "lmk3", P("ro.lmk").string()}).status, 0);
    fs::permissions(P("ro.lmk"), fs::perms::owner_read | fs::perms::group_read);
    ExpectOneLineError(Invoke({"new", "--type", "lmk4", P("ro.lmk").string()}), "ro.lmk",
                       "read-only");
    EXPECT_EQ(fs::file_size(P("ro.lmk")), 9158u);
}

TEST_F(Cli, FullDiskKeepsTheOldFileAndSaysSo) {
    // A 10 KB file-size limit stands in for a full disk: the LMK3 file fits, the LMK4 one not.
    ASSERT_EQ(Invoke({"new", "--type", "lmk3", P("bank.lmk").string()}).status, 0);
    const Bytes before = ReadBytes(P("bank.lmk"));
    const std::string cmd = "ulimit -f 10; '" PRESETOR_CLI_PATH "' new --type lmk4 '" +
                            P("bank.lmk").string() + "' 2>'" + P("err").string() + "'";
    const int raw = std::system(("sh -c \"" + cmd + "\"").c_str());
    ASSERT_TRUE(WIFEXITED(raw)) << "ended by a signal";
    EXPECT_EQ(WEXITSTATUS(raw), 1);
    const std::string err = ReadText(P("err"));
    EXPECT_NE(err.find("bank.lmk"), std::string::npos) << err;
    EXPECT_NE(err.find("not enough space to save safely; the file on disk is unchanged"),
              std::string::npos)
        << err;
    EXPECT_EQ(ReadBytes(P("bank.lmk")), before);
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir))
        ++entries;
    EXPECT_EQ(entries, 2) << "bank.lmk and err only";
}
#endif
