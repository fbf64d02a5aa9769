// Full-bank transfers of an LMK4 against the virtual keyboard program over JACK, through
// RtMidi, as the editor runs them. Paced (the keyboard takes and gives bytes at MIDI wire speed,
// as behind a real cable) each figure is compared with the time its bytes need on the wire;
// unpaced the figure is the throughput. A send is done when the keyboard has stored the last
// preset. Without JACK_DEFAULT_SERVER a private JACK server (dummy backend) is started and
// stopped by process id.
#include "KeyboardProcess.h"
#include "midi/CMidiIn.h"
#include "midi/CMidiOut.h"
#include "midi/LoadAllEngine.h"
#include "midi/MidiSystem.h"
#include "midi/RtMidiBackend.h"
#include "midi/SendAllEngine.h"
#include "midi/TransferRunner.h"

#include <benchmark/benchmark.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace presetor {
namespace {

// A private JACK server for the run, when none is given.
class JackServer {
public:
    JackServer() {
        if (e2e::JackConfigured()) {
            return;
        }
        const std::string name = "presetor-bench-" + std::to_string(getpid());
        pid_ = fork();
        if (pid_ == 0) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            execlp("jackd", "jackd", "-n", name.c_str(), "--no-realtime", "-d", "dummy", "-r",
                   "48000", "-p", "1024", static_cast<char*>(nullptr));
            _exit(127);
        }
        setenv("JACK_DEFAULT_SERVER", name.c_str(), 1);
        setenv("JACK_NO_START_SERVER", "1", 1);
        const std::string wait = "jack_wait -w -t 10 >/dev/null 2>&1";
        if (std::system(wait.c_str()) != 0) {
            std::fprintf(stderr, "bench_midi: the JACK server did not start\n");
        }
    }
    ~JackServer() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }

private:
    pid_t pid_ = -1;
};

// One keyboard program and the editor's ports to it.
struct Link {
    explicit Link(bool paced)
        : keyboard(paced ? std::vector<std::string>{"--type", "lmk4", "--pace"}
                         : std::vector<std::string>{"--type", "lmk4"}) {
        std::string error;
        system = std::make_unique<MidiSystem>(
            MakeRtMidiBackend({.api = "jack", .clientName = "bench"}, error));
        in = std::make_unique<CMidiIn>(*system);
        out = std::make_unique<CMidiOut>(*system);
        ok = keyboard.Ready() &&
             in->Open(FindMidiDevice(*system, MidiKind::Input, keyboard.InPort())) &&
             out->Open(FindMidiDevice(*system, MidiKind::Output, keyboard.OutPort()));
    }
    e2e::KeyboardProcess keyboard;
    std::unique_ptr<MidiSystem> system;
    std::unique_ptr<CMidiIn> in;
    std::unique_ptr<CMidiOut> out;
    bool ok = false;
};

Link& GetLink(bool paced) {
    static JackServer server;
    static Link pacedLink(true);
    static Link fastLink(false);
    return paced ? pacedLink : fastLink;
}

double WireNs(double bytes) {
    return bytes * 1e9 / kWireBytesPerSecond;
}

Bank Lmk4Bank() {
    Bank bank;
    bank.SetKeyboardType(kLmk4);
    bank.LoadPresetDefaults();
    return bank;
}

void LoadAll(benchmark::State& state, bool paced, bool turbo) {
    Link& link = GetLink(paced);
    if (!link.ok) {
        state.SkipWithError("no virtual keyboard on JACK");
        return;
    }
    const Bank document = Lmk4Bank();
    int bytes = 0;
    for (auto _ : state) {
        LoadAllEngine engine(document, {.turbo = turbo, .idleTimeoutMs = 5000});
        if (RunLoadAll(engine, *link.out, *link.in) != TransferState::Ok) {
            state.SkipWithError("load failed");
            return;
        }
        bytes = engine.Expected();
    }
    // The answers need this long on the wire, after the first request has crossed it.
    const double requestBytes = turbo ? 8 : 9;
    if (paced) {
        state.counters["floor_ns"] = WireNs(bytes + requestBytes);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytes);
}

void SendAll(benchmark::State& state, bool paced, bool turbo) {
    Link& link = GetLink(paced);
    if (!link.ok) {
        state.SkipWithError("no virtual keyboard on JACK");
        return;
    }
    const Bank bank = Lmk4Bank();
    int bytes = 0;
    for (auto _ : state) {
        link.keyboard.ClearLines();
        SendAllEngine engine(bank, {.turbo = turbo});
        if (engine.RunToEnd(*link.out) != TransferState::Ok ||
            !link.keyboard.WaitForLine(turbo ? "stored bulk" : "eeprom", 60000)) {
            state.SkipWithError("send failed");
            return;
        }
        bytes = engine.BytesSent();
    }
    if (paced) {
        state.counters["floor_ns"] = WireNs(bytes);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytes);
}

void Register() {
    for (const bool paced : {true, false}) {
        for (const bool turbo : {true, false}) {
            const std::string suffix =
                std::string(paced ? "Paced" : "Unpaced") + (turbo ? "/bulk" : "/preset_by_preset");
            const int iterations = paced ? 1 : 5;
            benchmark::RegisterBenchmark(("Lmk4LoadAll" + suffix).c_str(),
                                         [=](benchmark::State& s) { LoadAll(s, paced, turbo); })
                ->Iterations(iterations)
                ->UseRealTime()
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("Lmk4SendAll" + suffix).c_str(),
                                         [=](benchmark::State& s) { SendAll(s, paced, turbo); })
                ->Iterations(iterations)
                ->UseRealTime()
                ->Unit(benchmark::kMillisecond);
        }
    }
}

} // namespace
} // namespace presetor

int main(int argc, char** argv) {
    presetor::Register();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
