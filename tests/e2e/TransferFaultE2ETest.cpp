// Faults a musician meets, played by the virtual keyboard program on JACK against presetor-cli:
// a keyboard that stops half way or never completes its dump, one of the other keyboard type,
// presets that arrive damaged (once, or every time), a keyboard that ignores what it is sent,
// and the pacing of sends. Every failed transfer must end by itself, say what happened, exit
// non-zero and write no file.
#include "KeyboardProcess.h"
#include "model/PresetFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <unistd.h>

namespace presetor::e2e {
namespace {

namespace fs = std::filesystem;

std::unique_ptr<Bank> NamedBank(int type) {
    auto bank = std::make_unique<Bank>();
    bank->SetKeyboardType(type);
    bank->LoadPresetDefaults();
    for (int i = 0; i < bank->PresetCount(); ++i) {
        Preset& p = bank->presets[static_cast<std::size_t>(i)];
        p.SetName("F" + std::to_string(i));
        p.programNumber[0] = static_cast<std::uint8_t>(i % 128);
    }
    return bank;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

double SecondsSince(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

class TransferFaults : public ::testing::Test {
protected:
    void SetUp() override {
        if (!JackConfigured()) {
            GTEST_SKIP() << "no JACK server (scripts/test starts one)";
        }
        dir_ = fs::temp_directory_path() / ("presetor-faults-" + std::to_string(getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    std::vector<std::string> Receive(const KeyboardProcess& kb, const char* type,
                                     const fs::path& target,
                                     const std::vector<std::string>& extra = {}) {
        std::vector<std::string> args{"receive",   "--type", type,        "--in",
                                      kb.InPort(), "--out",  kb.OutPort()};
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back(target.string());
        return args;
    }
    std::vector<std::string> Send(const KeyboardProcess& kb, const fs::path& source,
                                  const std::vector<std::string>& extra = {}) {
        std::vector<std::string> args{"send", "--in", kb.InPort(), "--out", kb.OutPort()};
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back(source.string());
        return args;
    }
    fs::path dir_;
};

TEST_F(TransferFaults, LoadsThatStopOrNeverCompleteEndByThemselvesAndSaySo) {
    const fs::path target = dir_ / "never.lmk";
    std::string err;
    {
        // Preset by preset: the keyboard falls silent in the middle of preset 31.
        KeyboardProcess kb({"--type", "lmk3", "--stop-after", std::to_string(161 * 30 + 40)});
        ASSERT_TRUE(kb.Ready());
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(RunCli(Receive(kb, "lmk3", target), &err), 1);
        EXPECT_LT(SecondsSince(start), 15.0); // the idle limit, not forever
        EXPECT_NE(err.find("The keyboard stopped answering: 30 of 64 presets arrived"),
                  std::string::npos)
            << err;
    }
    {
        // All at once: the bulk dump never completes.
        KeyboardProcess kb({"--type", "lmk3", "--stop-after", "5000"});
        ASSERT_TRUE(kb.Ready());
        EXPECT_EQ(RunCli(Receive(kb, "lmk3", target, {"--bulk"}), &err), 1);
        EXPECT_NE(err.find("No complete dump arrived within 13 s"), std::string::npos) << err;
    }
    EXPECT_FALSE(fs::exists(target));
}

TEST_F(TransferFaults, AnAnswerOfTheOtherKeyboardTypeIsNamed) {
    KeyboardProcess kb({"--type", "lmk3"});
    ASSERT_TRUE(kb.Ready());
    const fs::path target = dir_ / "wrong.lmk";
    std::string err;
    for (const bool bulk : {true, false}) {
        const std::vector<std::string> mode =
            bulk ? std::vector<std::string>{"--bulk"} : std::vector<std::string>{};
        EXPECT_EQ(RunCli(Receive(kb, "lmk4", target, mode), &err), 1);
        EXPECT_NE(err.find("The keyboard answered as an LMK3, but an LMK4 is selected."),
                  std::string::npos)
            << "bulk " << bulk << ": " << err;
    }
    EXPECT_FALSE(fs::exists(target));
}

TEST_F(TransferFaults, DamagedPresetsAreRetriedAndOnlyKeptWhenAskedWithExitCode3) {
    const fs::path sent = dir_ / "sent.lmk";
    ASSERT_TRUE(SavePresetFile(sent.string(), *NamedBank(4)).ok());
    std::string err;
    for (const bool bulk : {false, true}) {
        // Damaged the first time only: the retry brings every preset intact.
        KeyboardProcess kb(
            {"--type", "lmk4", "--corrupt-presets", "3,20", "--drop-presets", bulk ? "0" : "49"});
        ASSERT_TRUE(kb.Ready());
        ASSERT_EQ(RunCli(Send(kb, sent, {"--bulk", "--full-speed"}), &err), 0) << err;
        ASSERT_TRUE(kb.WaitForLine("stored bulk", 10000));
        const fs::path back = dir_ / "back.lmk";
        std::vector<std::string> mode;
        if (bulk) {
            mode.push_back("--bulk");
        }
        EXPECT_EQ(RunCli(Receive(kb, "lmk4", back, mode), &err), 0) << err;
        EXPECT_NE(err.find("asking again for 1.3 (3), 3.4 (20)"), std::string::npos) << err;
        EXPECT_EQ(ReadFile(back), ReadFile(sent)) << "bulk " << bulk;
        fs::remove(back);
    }
    // Damaged every time: named, no file; --keep-damaged writes it and exits 3.
    KeyboardProcess kb({"--type", "lmk3", "--corrupt-presets", "5", "--damage-always"});
    ASSERT_TRUE(kb.Ready());
    const fs::path kept = dir_ / "kept.lmk";
    EXPECT_EQ(RunCli(Receive(kb, "lmk3", kept, {"--bulk"}), &err), 1);
    EXPECT_NE(err.find("These presets arrived damaged: 1.5 (5)"), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(kept));
    EXPECT_EQ(RunCli(Receive(kb, "lmk3", kept, {"--bulk", "--keep-damaged"}), &err), 3);
    EXPECT_NE(err.find("1.5 (5)"), std::string::npos) << err;
    EXPECT_TRUE(fs::exists(kept));
}

TEST_F(TransferFaults, VerifyReadsBackAndWithholdsTheEepromCommandWhenTheyDiffer) {
    const fs::path sent = dir_ / "sent.lmk";
    ASSERT_TRUE(SavePresetFile(sent.string(), *NamedBank(4)).ok());
    std::string err;
    std::string out;
    {
        KeyboardProcess kb({"--type", "lmk4"});
        ASSERT_TRUE(kb.Ready());
        ASSERT_EQ(RunCli(Send(kb, sent, {"--verify", "--full-speed"}), &err, &out), 0) << err;
        EXPECT_NE(out.find("All 127 presets verified."), std::string::npos) << out;
        EXPECT_TRUE(kb.WaitForLine("eeprom", 5000));
    }
    {
        KeyboardProcess kb({"--type", "lmk4", "--ignore-writes"});
        ASSERT_TRUE(kb.Ready());
        EXPECT_EQ(RunCli(Send(kb, sent, {"--verify", "--full-speed"}), &err, &out), 1);
        EXPECT_NE(err.find("Verification failed: these presets differ on the keyboard: 1.1 (1)"),
                  std::string::npos)
            << err;
        // Without verification the send cannot know: it ends Ok, as MIDI confirms nothing.
        EXPECT_FALSE(kb.WaitForLine("eeprom", 500));
    }
}

TEST_F(TransferFaults, SendsArePacedAtWireSpeedUnlessFullSpeedIsAsked) {
    const fs::path sent = dir_ / "sent.lmk";
    ASSERT_TRUE(SavePresetFile(sent.string(), *NamedBank(3)).ok());
    KeyboardProcess kb({"--type", "lmk3", "--pace"});
    ASSERT_TRUE(kb.Ready());
    std::string err;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(RunCli(Send(kb, sent), &err), 0) << err;
    // 64 dumps of 161 bytes need 3.3 s on a MIDI cable; the tool ends when they are on it.
    EXPECT_GE(SecondsSince(start), 10304.0 / 3125.0);
    // A keyboard taking bytes at wire speed has them all right after.
    EXPECT_TRUE(kb.WaitForLine("stored 64", 1000));
}

} // namespace
} // namespace presetor::e2e
