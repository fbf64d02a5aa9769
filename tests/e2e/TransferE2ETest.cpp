// Every transfer of both keyboard types, with and without "Transfer all Preset once", through
// RtMidi on JACK against the virtual keyboard program in its own process: banks sent and
// loaded back byte for byte, an echoing keyboard, a silent one, and a load cancelled half way.
#include "KeyboardProcess.h"
#include "midi/CMidiIn.h"
#include "midi/CMidiOut.h"
#include "midi/LoadAllEngine.h"
#include "midi/MidiSystem.h"
#include "midi/RequestPresetEngine.h"
#include "midi/RtMidiBackend.h"
#include "midi/SendAllEngine.h"
#include "midi/SysexFormat.h"
#include "midi/TransferRunner.h"
#include "model/PresetFile.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace presetor::e2e {
namespace {

namespace fs = std::filesystem;

// A bank whose presets all differ, so a shifted or partial load cannot compare equal.
std::unique_ptr<Bank> VariedBank(int type, int seed) {
    auto bank = std::make_unique<Bank>();
    bank->SetKeyboardType(type);
    bank->LoadPresetDefaults();
    for (int i = 0; i < bank->PresetCount(); ++i) {
        Preset& p = bank->presets[static_cast<std::size_t>(i)];
        p.SetName("E" + std::to_string(i + seed));
        for (int s = 0; s < kSplitCount; ++s) {
            p.programNumber[s] = static_cast<std::uint8_t>((i * 7 + s + seed) % 128);
            p.volume[s] = static_cast<std::uint8_t>((i * 3 + s * 5 + seed) % 128);
            p.bankLsb[s] = static_cast<std::uint8_t>((i * 11 + s) % 128);
            if (type == 4) {
                p.inputMode[s] = static_cast<std::uint8_t>((i + s) % 4);
                p.midiOut2[s] = static_cast<std::uint8_t>((i + s) % 2);
            }
        }
    }
    return bank;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class TransferE2E : public ::testing::Test {
protected:
    void SetUp() override {
        if (!JackConfigured()) {
            GTEST_SKIP() << "no JACK server (scripts/test starts one)";
        }
        dir_ = fs::temp_directory_path() / ("presetor-e2e-" + std::to_string(getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    // The test process's own view of the system ports, as the editor has it.
    std::unique_ptr<MidiSystem> System() {
        std::string error;
        auto backend = MakeSystemMidiBackend({.api = "jack", .clientName = "e2e"}, error);
        EXPECT_NE(backend, nullptr) << error;
        return std::make_unique<MidiSystem>(std::move(backend));
    }
    // Opens our ports to the keyboard program; asserts they exist.
    void Connect(MidiSystem& system, KeyboardProcess& kb, CMidiIn& in, CMidiOut& out) {
        ASSERT_TRUE(kb.Ready());
        const int i = FindMidiDevice(system, MidiKind::Input, kb.InPort());
        const int o = FindMidiDevice(system, MidiKind::Output, kb.OutPort());
        ASSERT_GE(i, 0) << kb.InPort();
        ASSERT_GE(o, 0) << kb.OutPort();
        ASSERT_TRUE(in.Open(i)) << in.LastError();
        ASSERT_TRUE(out.Open(o)) << out.LastError();
    }

    fs::path dir_;
};

class BankRoundTrip : public TransferE2E,
                      public ::testing::WithParamInterface<std::tuple<int, bool>> {};

TEST_P(BankRoundTrip, BankSentAndLoadedBackIsIdenticalByteForByte) {
    const auto [type, turbo] = GetParam();
    KeyboardProcess kb({"--type", type == 3 ? "lmk3" : "lmk4"});
    ASSERT_TRUE(kb.Ready());
    const fs::path sent = dir_ / "sent.lmk";
    const fs::path back = dir_ / "back.lmk";
    ASSERT_TRUE(SavePresetFile(sent.string(), *VariedBank(type, 5)).ok());
    std::vector<std::string> mode;
    if (turbo) {
        mode.push_back("--bulk");
    }

    std::vector<std::string> send{"send", "--in", kb.InPort(), "--out", kb.OutPort()};
    send.insert(send.end(), mode.begin(), mode.end());
    send.push_back(sent.string());
    std::string err;
    ASSERT_EQ(RunCli(send, &err), 0) << err;
    // The keyboard has taken everything (an LMK4 also the EEPROM command) before we ask.
    ASSERT_TRUE(kb.WaitForLine(
        turbo ? "stored bulk" : "stored " + std::to_string(PresetCountFor(type)), 10000));
    if (type == 4) {
        EXPECT_TRUE(kb.WaitForLine("eeprom", 10000));
    }

    std::vector<std::string> receive{"receive",   "--type",    type == 3 ? "lmk3" : "lmk4",
                                     "--in",      kb.InPort(), "--out",
                                     kb.OutPort()};
    receive.insert(receive.end(), mode.begin(), mode.end());
    receive.push_back(back.string());
    ASSERT_EQ(RunCli(receive, &err), 0) << err;
    EXPECT_EQ(ReadFile(back), ReadFile(sent));
}

INSTANTIATE_TEST_SUITE_P(TypesAndTurbo, BankRoundTrip,
                         ::testing::Combine(::testing::Values(3, 4), ::testing::Bool()));

TEST_F(TransferE2E, SinglePresetEditMemoryAndEepromOperations) {
    for (const int type : {3, 4}) {
        KeyboardProcess kb({"--type", type == 3 ? "lmk3" : "lmk4"});
        auto system = System();
        CMidiIn in(*system);
        CMidiOut out(*system);
        Connect(*system, kb, in, out);
        const auto bank = VariedBank(type, 30);
        const Preset& p = bank->presets[12];

        EXPECT_EQ(SendMessage(out, BuildSendPresetDump(p, type, 12)), TransferState::Ok);
        ASSERT_TRUE(kb.WaitForLine("stored 13", 5000));
        RequestPresetEngine load(BuildLoadPresetRequest(type, 12));
        ASSERT_EQ(RunRequestPreset(load, out, in), TransferState::Ok);
        Preset loaded;
        ASSERT_TRUE(load.DecodeInto(loaded, type));
        EXPECT_TRUE(loaded.SameData(p)) << "type " << type;

        const Preset& q = bank->presets[3];
        EXPECT_EQ(SendMessage(out, BuildSendEditMemoryDump(q, type)), TransferState::Ok);
        ASSERT_TRUE(kb.WaitForLine("stored 0", 5000));
        RequestPresetEngine edit(BuildLoadEditMemoryRequest());
        ASSERT_EQ(RunRequestPreset(edit, out, in), TransferState::Ok);
        ASSERT_TRUE(edit.DecodeInto(loaded, type));
        EXPECT_TRUE(loaded.SameData(q)) << "type " << type;

        if (type == 4) {
            EXPECT_EQ(StoreInEeprom(out), TransferState::Ok);
            EXPECT_TRUE(kb.WaitForLine("eeprom", 5000));
        }
    }
}

// Ports closed and opened again on one backend still work, and a second input opened while the
// first is still open gets a port of its own; both hear the keyboard.
TEST_F(TransferE2E, PortsOpenAgainOnOneBackendAndASecondInputHasItsOwnPort) {
    KeyboardProcess kb({"--type", "lmk3"});
    auto system = System();
    CMidiIn in(*system);
    CMidiOut out(*system);
    for (int round = 0; round < 2; ++round) {
        Connect(*system, kb, in, out);
        RequestPresetEngine load(BuildLoadPresetRequest(3, round));
        ASSERT_EQ(RunRequestPreset(load, out, in), TransferState::Ok) << "round " << round;
        in.Close();
        out.Close();
    }
    Connect(*system, kb, in, out);
    CMidiIn second(*system);
    ASSERT_TRUE(second.Open(FindMidiDevice(*system, MidiKind::Input, kb.InPort())))
        << second.LastError();
    RequestPresetEngine load(BuildLoadPresetRequest(3, 7));
    ASSERT_EQ(RunRequestPreset(load, out, in), TransferState::Ok);
    std::vector<std::uint8_t> heard;
    for (int wait = 0; wait < 20 && heard.size() < kSingleDumpSize; ++wait) {
        second.WaitForData(std::chrono::milliseconds(100));
        second.Poll(heard);
    }
    EXPECT_EQ(heard.size(), kSingleDumpSize); // the same single dump the first input took
}

// The server's port memory is not pinned in this process, even where the process may lock any
// amount (root, as under CI): what stays locked once a client is open and its ports connected is
// no more than a user may lock by default, and the process's lock limit and the thread's
// privileges are as they were.
TEST_F(TransferE2E, OpenClientPinsNoPortMemory) {
    // A line of this thread's status, without its name.
    const auto status = [](const std::string& name) {
        std::ifstream file("/proc/thread-self/status");
        for (std::string line; std::getline(file, line);) {
            if (line.rfind(name + ":", 0) == 0) {
                return line.substr(name.size() + 1);
            }
        }
        return std::string();
    };
    KeyboardProcess kb({"--type", "lmk3"});
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_MEMLOCK, &before), 0);
    const std::string privileges = status("CapEff");
    auto system = System();
    CMidiIn in(*system);
    CMidiOut out(*system);
    Connect(*system, kb, in, out);
    const std::string locked = status("VmLck");
    ASSERT_FALSE(locked.empty()) << "no VmLck line";
    EXPECT_LE(std::stol(locked), 8 * 1024) << "kB locked";
    EXPECT_EQ(status("CapEff"), privileges);
    rlimit after{};
    ASSERT_EQ(getrlimit(RLIMIT_MEMLOCK, &after), 0);
    EXPECT_EQ(after.rlim_cur, before.rlim_cur);
    EXPECT_EQ(after.rlim_max, before.rlim_max);
}

// One program's output straight into another's input: bytes written at full speed and the port
// closed at once all arrive (closing waits for the last bytes to leave), while timing clock and
// active sensing, which a keyboard sends all the time, never reach the editor.
TEST_F(TransferE2E, OutputBytesSentAtOnceAllArriveAndClockIsDropped) {
    KeyboardProcess kb({"--type", "lmk3"}); // only gives the sender a port to open
    ASSERT_TRUE(kb.Ready());
    auto sender = System();
    std::string error;
    auto receiver = std::make_unique<MidiSystem>(
        MakeSystemMidiBackend({.api = "jack", .clientName = "e2e-receiver"}, error));
    CMidiOut out(*sender);
    ASSERT_TRUE(out.Open(FindMidiDevice(*sender, MidiKind::Output, kb.OutPort())))
        << out.LastError();
    CMidiIn in(*receiver);
    int senderPort = -1;
    const std::vector<std::string> names = receiver->DeviceNames(MidiKind::Input);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i].rfind("e2e:", 0) == 0) {
            senderPort = static_cast<int>(i);
        }
    }
    ASSERT_GE(senderPort, 0) << "the sender's output is listed";
    ASSERT_TRUE(in.Open(senderPort)) << in.LastError();
    // An input does not wait for its connection (in the editor the keyboard answers a cycle
    // after the request at the earliest); here the sender is that fast, so give it the cycle.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));

    std::vector<std::uint8_t> sysex(30000);
    for (std::size_t i = 0; i < sysex.size(); ++i) {
        sysex[i] = static_cast<std::uint8_t>(i % 128);
    }
    sysex[5000] = 0xF8; // a clock byte may come in the middle of a SysEx message
    sysex.front() = 0xF0;
    sysex.back() = 0xF7;
    ASSERT_TRUE(out.Send(std::vector<std::uint8_t>{0xF8, 0xFE}));
    ASSERT_TRUE(out.Send(sysex));
    ASSERT_TRUE(out.Send(std::vector<std::uint8_t>{0xF8, 0x90, 0x3C, 0x40}));
    out.Close();
    std::vector<std::uint8_t> heard;
    for (int wait = 0; wait < 50 && heard.size() < sysex.size() + 2; ++wait) {
        in.WaitForData(std::chrono::milliseconds(100));
        in.Poll(heard);
    }
    sysex.erase(sysex.begin() + 5000);
    ASSERT_EQ(heard.size(), sysex.size() + 3);
    EXPECT_TRUE(std::equal(sysex.begin(), sysex.end(), heard.begin()));
    EXPECT_EQ(std::vector<std::uint8_t>(heard.end() - 3, heard.end()),
              (std::vector<std::uint8_t>{0x90, 0x3C, 0x40}));
}

// A JACK server that stops in the middle of a session: a send fails at once instead of waiting
// for cycles that never come, and closing does not hang.
TEST_F(TransferE2E, ServerThatStopsMakesSendsFailAtOnce) {
    const std::string server = "presetor-e2e-gone-" + std::to_string(getpid());
    const pid_t jackd = fork();
    ASSERT_GE(jackd, 0);
    if (jackd == 0) {
        freopen("/dev/null", "w", stderr);
        freopen("/dev/null", "w", stdout);
        execlp("jackd", "jackd", "-n", server.c_str(), "--no-realtime", "-d", "dummy", "-r",
               "48000", "-p", "1024", static_cast<char*>(nullptr));
        _exit(127);
    }
    const std::string saved = std::getenv("JACK_DEFAULT_SERVER");
    setenv("JACK_DEFAULT_SERVER", server.c_str(), 1);
    std::unique_ptr<MidiBackend> backend;
    std::string error;
    for (int wait = 0; wait < 100 && !backend; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        backend = MakeSystemMidiBackend({.api = "jack", .clientName = "e2e"}, error);
    }
    {
        KeyboardProcess kb({"--type", "lmk3"});
        setenv("JACK_DEFAULT_SERVER", saved.c_str(), 1);
        ASSERT_NE(backend, nullptr) << error;
        ASSERT_TRUE(kb.Ready());
        MidiSystem system(std::move(backend));
        CMidiOut out(system);
        ASSERT_TRUE(out.Open(FindMidiDevice(system, MidiKind::Output, kb.OutPort())))
            << out.LastError();
        kill(jackd, SIGTERM);
        waitpid(jackd, nullptr, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(out.Send(std::vector<std::uint8_t>(100000, 0x10)));
        out.Close();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    }
}

// Without a JACK server the backend is refused with the reason, and nothing is printed.
TEST(RtMidiBackendNoServer, IsRefusedWithTheReason) {
    const char* old = std::getenv("JACK_DEFAULT_SERVER");
    const std::string saved = old ? old : "";
    setenv("JACK_DEFAULT_SERVER", "presetor-no-such-server", 1);
    std::string error;
    testing::internal::CaptureStderr();
    auto backend = MakeSystemMidiBackend({.api = "jack", .clientName = "e2e"}, error);
    const std::string printed = testing::internal::GetCapturedStderr();
    if (old) {
        setenv("JACK_DEFAULT_SERVER", saved.c_str(), 1);
    } else {
        unsetenv("JACK_DEFAULT_SERVER");
    }
    EXPECT_EQ(backend, nullptr);
    EXPECT_EQ(error, "The JACK server is not running.");
    EXPECT_EQ(printed, "");
}

TEST_F(TransferE2E, EchoingKeyboardStillLoadsInBothModes) {
    KeyboardProcess kb({"--type", "lmk4", "--echo"});
    auto system = System();
    CMidiIn in(*system);
    CMidiOut out(*system);
    Connect(*system, kb, in, out);
    // Give the keyboard a known bank first, then load it back through the loop.
    const auto bank = VariedBank(4, 60);
    SendAllEngine send(*bank, {.turbo = true});
    ASSERT_EQ(send.RunToEnd(out), TransferState::Ok);
    ASSERT_TRUE(kb.WaitForLine("stored bulk", 10000));
    for (const bool turbo : {false, true}) {
        Bank document;
        document.SetKeyboardType(4);
        LoadAllEngine load(document, {.turbo = turbo, .idleTimeoutMs = 5000});
        ASSERT_EQ(RunLoadAll(load, out, in), TransferState::Ok) << "turbo " << turbo;
        EXPECT_TRUE(load.ReceivedBank().SameContents(*bank)) << "turbo " << turbo;
    }
}

TEST_F(TransferE2E, SilentKeyboardEndsWith131AndTouchesNothing) {
    KeyboardProcess kb({"--type", "lmk3", "--silent"});
    auto system = System();
    CMidiIn in(*system);
    CMidiOut out(*system);
    Connect(*system, kb, in, out);
    const auto document = VariedBank(3, 9);
    const Bank before = *document;
    LoadAllEngine load(*document, {.turbo = false});
    EXPECT_EQ(RunLoadAll(load, out, in), TransferState::NoAnswer);
    EXPECT_TRUE(document->SameContents(before));

    // All at once, the command-line tool says no complete dump came, fails, and writes no file.
    const fs::path target = dir_ / "never.lmk";
    std::string err;
    EXPECT_NE(RunCli({"receive", "--type", "lmk3", "--in", kb.InPort(), "--out", kb.OutPort(),
                      "--bulk", target.string()},
                     &err),
              0);
    EXPECT_NE(err.find("No complete dump arrived within 13 s (0 of 9736 bytes seen). Please check "
                       "Cables and Midi-Connections."),
              std::string::npos)
        << err;
    EXPECT_FALSE(fs::exists(target));
}

TEST_F(TransferE2E, LoadCancelledHalfWayKeepsTheOldBank) {
    // Paced at wire speed, the load takes over three seconds: cancel once half has come.
    KeyboardProcess kb({"--type", "lmk3", "--pace"});
    auto system = System();
    CMidiIn in(*system);
    CMidiOut out(*system);
    Connect(*system, kb, in, out);
    const auto document = VariedBank(3, 21);
    const Bank before = *document;
    LoadAllEngine load(*document, {.turbo = false});
    std::atomic<bool> cancel{false};
    int lastBar = 0;
    load.SetProgress([&](const TransferProgress& p) {
        lastBar = p.barValue;
        if (p.barValue * 2 >= p.barMax) {
            cancel = true;
        }
    });
    EXPECT_EQ(RunLoadAll(load, out, in, &cancel), TransferState::Cancelled);
    EXPECT_GE(lastBar * 2, load.Expected());
    EXPECT_LT(lastBar, load.Expected());
    EXPECT_TRUE(document->SameContents(before));
}

TEST_F(TransferE2E, UnknownPortsFailWithTheTextsOfTheirDirection) {
    std::string err;
    EXPECT_NE(RunCli({"receive", "--type", "lmk4", "--in", "nowhere:out", "--out", "nowhere:in",
                      (dir_ / "x.lmk").string()},
                     &err),
              0);
    EXPECT_NE(err.find("No data received."), std::string::npos) << err;
    const fs::path file = dir_ / "f.lmk";
    ASSERT_TRUE(SavePresetFile(file.string(), *VariedBank(4, 1)).ok());
    EXPECT_NE(RunCli({"send", "--in", "nowhere:out", "--out", "nowhere:in", file.string()}, &err),
              0);
    EXPECT_NE(err.find("No data send."), std::string::npos) << err;
}

} // namespace
} // namespace presetor::e2e
