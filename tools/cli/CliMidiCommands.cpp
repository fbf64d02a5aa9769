// presetor-cli commands over MIDI: ports, receive (Load all into a file) and send (Send all
// from a file). Ports are named as `ports` lists them; the in-process virtual keyboards
// ("Virtual LMK3", "Virtual LMK4") are listed first. A failed load writes no file.
#include "CliCommand.h"
#include "CliMidiUsage.h"
#include "midi/CMidiIn.h"
#include "midi/CMidiOut.h"
#include "midi/LoadAllEngine.h"
#include "midi/MidiSystem.h"
#include "midi/RequestPresetEngine.h"
#include "midi/RtMidiBackend.h"
#include "midi/SendAllEngine.h"
#include "midi/TransferRunner.h"
#include "midi/Verify.h"
#include "model/PresetFile.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

namespace presetor::cli {

namespace {

std::atomic<bool> interrupted{false};

void OnInterrupt(int) {
    interrupted = true;
}

std::string Option(const CliArgs& args, const std::string& name, const std::string& fallback) {
    const auto it = args.options.find(name);
    return it == args.options.end() ? fallback : it->second;
}

int IntOption(const CliArgs& args, const std::string& name, int fallback) {
    const std::string v = Option(args, name, "");
    return v.empty() ? fallback : std::atoi(v.c_str());
}

std::unique_ptr<MidiSystem> MakeSystem(const CliArgs& args) {
    RtMidiOptions rt;
    rt.api = Option(args, "--api", "");
    rt.clientName = "presetor-cli";
    rt.messagePauseMs = IntOption(args, "--pause", 0);
    std::string error;
    auto backend = MakeSystemMidiBackend(rt, error);
    if (!backend) {
        std::fprintf(stderr, "presetor-cli: no system MIDI ports (%s)\n", error.c_str());
    }
    return std::make_unique<MidiSystem>(std::move(backend));
}

// The ports a command talks to the keyboard through.
struct CommandPorts {
    explicit CommandPorts(MidiSystem& system) : in(system), out(system) {}
    CMidiIn in;
    CMidiOut out;
};

// Runs a command on the system MIDI ports and ends the process with its exit status as soon as
// it is done, once what it sent has left for the wire. Neither the ports nor the system's
// clients are closed: the MIDI server drops a client's ports with the client, and closing them
// first would cost a round trip to the server and a notification of every other client each,
// or a cycle or two, and gain nothing at exit.
template <class Command> [[noreturn]] void RunOnSystem(const CliArgs& args, Command&& command) {
    auto system = MakeSystem(args);
    CommandPorts ports(*system);
    const int code = std::forward<Command>(command)(*system, ports);
    ports.out.Drain();
    std::fflush(nullptr);
    std::_Exit(code);
}

// Opens the ports named by --in and --out; on failure prints text (131 or 132) and why.
// The output is connected first: of two connections that feed each other (ours to the keyboard
// and the keyboard's to us) a JACK server runs the first one directly and lets the later one
// lag a cycle, and a send's bytes are what must reach the keyboard soonest. A receive waits that
// cycle once either way. Nothing is sent before both are open.
bool OpenPorts(MidiSystem& system, const CliArgs& args, const char* text, CMidiIn& in,
               CMidiOut& out) {
    const std::string inName = Option(args, "--in", "");
    const std::string outName = Option(args, "--out", "");
    const int inDevice = FindMidiDevice(system, MidiKind::Input, inName);
    const int outDevice = FindMidiDevice(system, MidiKind::Output, outName);
    std::string why;
    if (inDevice < 0) {
        why = "no MIDI input port named '" + inName + "'";
    } else if (outDevice < 0) {
        why = "no MIDI output port named '" + outName + "'";
    } else if (!out.Open(outDevice)) {
        why = outName + ": " + out.LastError();
    } else if (!in.Open(inDevice)) {
        why = inName + ": " + in.LastError();
    }
    if (!why.empty()) {
        Fail(std::string(text) + " (" + why + ")");
        return false;
    }
    return true;
}

bool HasPorts(const CliArgs& args) {
    if (args.options.count("--in") == 0 || args.options.count("--out") == 0) {
        std::fprintf(stderr, "presetor-cli: --in PORT and --out PORT are required\n");
        return false;
    }
    return true;
}

int RunPorts(const CliArgs& args) {
    RunOnSystem(args, [](MidiSystem& system, CommandPorts&) {
        for (const std::string& n : system.DeviceNames(MidiKind::Input)) {
            std::printf("in: %s\n", n.c_str());
        }
        for (const std::string& n : system.DeviceNames(MidiKind::Output)) {
            std::printf("out: %s\n", n.c_str());
        }
        return std::fflush(stdout) == 0 ? kExitOk : Fail("cannot write to standard output");
    });
}

// What a load that did not end Ok says, with what arrived.
std::string LoadFailure(const LoadAllEngine& engine, TransferState state, bool bulk, int type) {
    char text[300];
    switch (state) {
    case TransferState::Stopped:
        std::snprintf(text, sizeof text, kTextStopped, engine.PresetsTaken(), engine.PresetCount(),
                      engine.Received(), engine.Expected());
        return text;
    case TransferState::BadData:
        std::snprintf(text, sizeof text, kTextDamagedDump, engine.SeenBytes(), engine.Expected());
        return text;
    case TransferState::WrongType:
        std::snprintf(text, sizeof text, kTextWrongType, engine.AnsweredType(), type);
        return std::string(text) + " Use --type lmk" + std::to_string(engine.AnsweredType()) + ".";
    case TransferState::NoAnswer:
        if (bulk) {
            std::snprintf(text, sizeof text, kTextNoCompleteDump, engine.BulkLimitSeconds(),
                          engine.SeenBytes(), engine.Expected());
            return text;
        }
        return kText131;
    default:
        return kText131;
    }
}

constexpr int kRetryRounds = 3;

// Load all into the file named by the argument, with retries of damaged presets.
int Receive(MidiSystem& system, CMidiIn& in, CMidiOut& out, const CliArgs& args, int type) {
    if (!OpenPorts(system, args, kText131, in, out)) {
        return kExitFailed;
    }
    auto document = std::make_unique<Bank>();
    document->SetKeyboardType(type);
    document->LoadPresetDefaults();
    LoadAllOptions options;
    options.turbo = args.options.count("--bulk") != 0;
    // Once the keyboard answered, a load that stops half way ends after this much silence.
    options.idleTimeoutMs = std::max(1, IntOption(args, "--timeout", 3000));
    options.requestPauseMs = IntOption(args, "--pause", 0);
    options.paced = args.options.count("--full-speed") == 0;
    auto engine = std::make_unique<LoadAllEngine>(*document, options);
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    TransferState state = RunLoadAll(*engine, out, in, &interrupted);
    // Presets that arrived damaged are asked for again, one by one.
    for (int round = 0; state == TransferState::Ok && !engine->BadChecksums().empty() &&
                        round < kRetryRounds && !interrupted;
         ++round) {
        std::fprintf(stderr, "presetor-cli: asking again for %s\n",
                     PresetList(engine->BadChecksums()).c_str());
        RunRetryDamaged(*engine, out, in, &interrupted);
        state = engine->HasBank() ? TransferState::Ok : engine->State();
    }
    if (state == TransferState::Cancelled || interrupted) {
        return Fail("cancelled; no file written");
    }
    if (state != TransferState::Ok) {
        return Fail(LoadFailure(*engine, state, options.turbo, type));
    }
    const bool damaged = !engine->BadChecksums().empty();
    if (damaged) {
        char text[2000];
        std::snprintf(text, sizeof text, kTextDamagedPresets,
                      PresetList(engine->BadChecksums()).c_str());
        if (args.options.count("--keep-damaged") == 0) {
            return Fail(std::string(text) + " (no file written; --keep-damaged keeps them)");
        }
        std::fprintf(stderr, "presetor-cli: %s (kept)\n", text);
    }
    const std::string& path = args.positional[0];
    if (Result r = SavePresetFile(path, engine->ReceivedBank()); !r) {
        return Fail(path, r);
    }
    return damaged ? kExitDamaged : kExitOk;
}

int RunReceive(const CliArgs& args) {
    const int type = ParseKeyboardType(Option(args, "--type", ""));
    if (type == 0) {
        std::fprintf(stderr, "presetor-cli: --type lmk3 or --type lmk4 is required\n");
        return kExitUsage;
    }
    if (!HasPorts(args)) {
        return kExitUsage;
    }
    RunOnSystem(args, [&args, type](MidiSystem& system, CommandPorts& ports) {
        return Receive(system, ports.in, ports.out, args, type);
    });
}

// Reads the bank back and compares it byte for byte; prints what it found. True when equal.
bool VerifySent(const Bank& bank, bool bulk, bool paced, CMidiOut& out, CMidiIn& in) {
    LoadAllEngine load(bank, {.turbo = bulk, .paced = paced});
    const TransferState state = RunLoadAll(load, out, in, &interrupted);
    if (state != TransferState::Ok) {
        Fail(std::string(kTextVerifyNoAnswer) + " (" +
             LoadFailure(load, state, bulk, bank.keyboardType) + ")");
        return false;
    }
    const std::vector<int> differing = DifferingPresets(bank, load.ReceivedBank());
    char text[2000];
    if (!differing.empty()) {
        std::snprintf(text, sizeof text, kTextVerifyDiffers, PresetList(differing).c_str());
        Fail(text);
        return false;
    }
    std::snprintf(text, sizeof text, kTextVerified, bank.PresetCount());
    std::printf("%s\n", text);
    return true;
}

// Send all of bank, verified and stored as the options say.
int Send(MidiSystem& system, CMidiIn& in, CMidiOut& out, const CliArgs& args, const Bank& bank) {
    if (!OpenPorts(system, args, kText132, in, out)) {
        return kExitFailed;
    }
    const bool verify = args.options.count("--verify") != 0;
    SendAllOptions options;
    options.turbo = args.options.count("--bulk") != 0;
    options.messagePauseMs = IntOption(args, "--pause", 0);
    // Without --full-speed the send ends when the last byte is on the wire.
    options.paced = args.options.count("--full-speed") == 0;
    options.holdStore = verify; // the EEPROM only gets a bank that was read back right
    SendAllEngine engine(bank, options);
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    if (engine.RunToEnd(out) != TransferState::Ok) {
        return Fail(kText132);
    }
    if (verify && !VerifySent(bank, options.turbo, options.paced, out, in)) {
        return kExitFailed; // an LMK4 is not told to store a bank that differs
    }
    // An LMK4 stores what it got in EEPROM, only after a complete send (preset by preset the
    // engine has sent the store command already unless it was held for verifying).
    if (HasLmk4Fields(bank.keyboardType) && !engine.SentStoreCommand() &&
        StoreInEeprom(out) != TransferState::Ok) {
        return Fail(kText132);
    }
    return kExitOk;
}

int RunSend(const CliArgs& args) {
    if (!HasPorts(args)) {
        return kExitUsage;
    }
    const std::string& path = args.positional[0];
    auto bank = std::make_unique<Bank>();
    if (Result r = LoadPresetFile(path, *bank); !r) {
        return Fail(path, r);
    }
    RunOnSystem(args, [&args, &bank](MidiSystem& system, CommandPorts& ports) {
        return Send(system, ports.in, ports.out, args, *bank);
    });
}

const CliRegistration registration{{
    {"ports", kPortsUsage, kPortsSummary, {"--api"}, {}, 0, RunPorts},
    {"receive",
     kReceiveUsage,
     kReceiveSummary,
     {"--type", "--in", "--out", "--timeout", "--pause", "--api"},
     {"--bulk", "--full-speed", "--keep-damaged"},
     1,
     RunReceive},
    {"send",
     kSendUsage,
     kSendSummary,
     {"--in", "--out", "--pause", "--api"},
     {"--bulk", "--full-speed", "--verify"},
     1,
     RunSend},
}};

} // namespace

} // namespace presetor::cli
