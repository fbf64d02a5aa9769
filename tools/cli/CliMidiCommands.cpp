// presetor-cli commands over MIDI: ports, receive (Load all into a file) and send (Send all
// from a file). Ports are named as `ports` lists them; the in-process virtual keyboards
// ("Virtual LMK3", "Virtual LMK4") are listed first. A failed load writes no file.
#include "CliCommand.h"
#include "midi/CMidiIn.h"
#include "midi/CMidiOut.h"
#include "midi/LoadAllEngine.h"
#include "midi/MidiSystem.h"
#include "midi/RequestPresetEngine.h"
#include "midi/RtMidiBackend.h"
#include "midi/SendAllEngine.h"
#include "midi/TransferRunner.h"
#include "model/PresetFile.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

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
    auto backend = MakeRtMidiBackend(rt, error);
    if (!backend) {
        std::fprintf(stderr, "presetor-cli: no system MIDI ports (%s)\n", error.c_str());
    }
    return std::make_unique<MidiSystem>(std::move(backend));
}

// Opens the ports named by --in and --out; on failure prints text (131 or 132) and why.
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
    } else if (!in.Open(inDevice)) {
        why = inName + ": " + in.LastError();
    } else if (!out.Open(outDevice)) {
        why = outName + ": " + out.LastError();
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
    auto system = MakeSystem(args);
    for (const std::string& n : system->DeviceNames(MidiKind::Input)) {
        std::printf("in: %s\n", n.c_str());
    }
    for (const std::string& n : system->DeviceNames(MidiKind::Output)) {
        std::printf("out: %s\n", n.c_str());
    }
    return std::fflush(stdout) == 0 ? kExitOk : Fail("cannot write to standard output");
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
    auto system = MakeSystem(args);
    CMidiIn in(*system);
    CMidiOut out(*system);
    if (!OpenPorts(*system, args, kText131, in, out)) {
        return kExitFailed;
    }
    auto document = std::make_unique<Bank>();
    document->SetKeyboardType(type);
    document->LoadPresetDefaults();
    LoadAllOptions options;
    options.turbo = args.options.count("--bulk") != 0;
    // Without a Cancel button, a load that stops half way ends after this much silence.
    options.idleTimeoutMs = IntOption(args, "--timeout", 5000);
    options.requestPauseMs = IntOption(args, "--pause", 0);
    auto engine = std::make_unique<LoadAllEngine>(*document, options);
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    const TransferState state = RunLoadAll(*engine, out, in, &interrupted);
    in.Close();
    if (state == TransferState::Cancelled) {
        return Fail("cancelled; no file written");
    }
    if (state != TransferState::Ok) {
        return Fail(std::string(kText131) + " (" + std::to_string(engine->Received()) + " of " +
                    std::to_string(engine->Expected()) + " bytes" +
                    (state == TransferState::BadData ? ", a damaged dump)" : ")"));
    }
    for (const int i : engine->BadChecksums()) {
        std::fprintf(stderr, "presetor-cli: warning: preset %s arrived with a wrong checksum\n",
                     PresetPositionText(i).c_str());
    }
    const std::string& path = args.positional[0];
    if (Result r = SavePresetFile(path, engine->ReceivedBank()); !r) {
        return Fail(path, r);
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
    auto system = MakeSystem(args);
    CMidiIn in(*system);
    CMidiOut out(*system);
    if (!OpenPorts(*system, args, kText132, in, out)) {
        return kExitFailed;
    }
    SendAllOptions options;
    options.turbo = args.options.count("--bulk") != 0;
    options.messagePauseMs = IntOption(args, "--pause", 0);
    SendAllEngine engine(*bank, options);
    if (engine.RunToEnd(out) != TransferState::Ok) {
        return Fail(kText132);
    }
    // An LMK4 stores what it got in EEPROM, only after a complete send (preset by preset the
    // engine has sent the store command already).
    if (HasLmk4Fields(bank->keyboardType) && !engine.SentStoreCommand() &&
        StoreInEeprom(out) != TransferState::Ok) {
        return Fail(kText132);
    }
    return kExitOk;
}

const CliRegistration registration{{
    {"ports",
     "[--api jack|alsa]",
     "List the MIDI input and output ports.",
     {"--api"},
     {},
     0,
     RunPorts},
    {"receive",
     "--type lmk3|lmk4 --in PORT --out PORT [--bulk] [--timeout MS] [--pause MS] OUT.lmk",
     "Load all presets from the keyboard into a preset file (written only when complete).",
     {"--type", "--in", "--out", "--timeout", "--pause", "--api"},
     {"--bulk"},
     1,
     RunReceive},
    {"send",
     "--in PORT --out PORT [--bulk] [--pause MS] IN.lmk",
     "Send all presets of a preset file to the keyboard (an LMK4 then stores them in EEPROM).",
     {"--in", "--out", "--pause", "--api"},
     {"--bulk"},
     1,
     RunSend},
}};

} // namespace

} // namespace presetor::cli
