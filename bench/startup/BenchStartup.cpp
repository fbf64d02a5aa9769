// Start-up: time from starting the process to the first painted main window, and the peak
// memory of the process up to that paint, for Presetor and for an empty Qt window started the same
// way in the same run (the floor). Both run with the platform plugin of the environment (offscreen
// when there is no display) and Presetor with its settings in a temporary folder.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

struct Run {
    double seconds = 0; // start to "first-paint"
    long peakKb = 0;    // peak resident memory of the process up to its first paint
    bool ok = false;
};

// Starts exe with extra environment entries, waits for its "first-paint" line and its end.
Run StartAndWait(const std::string& exe, const std::vector<std::string>& extraEnv) {
    Run run;
    int fds[2];
    if (pipe(fds) != 0) {
        return run;
    }
    std::vector<std::string> envStrings;
    for (char** e = environ; *e; ++e) {
        envStrings.emplace_back(*e);
    }
    for (const auto& e : extraEnv) {
        envStrings.push_back(e);
    }
    std::vector<char*> envp;
    for (auto& e : envStrings) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);
    std::string arg0 = exe;
    char* argv[] = {arg0.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
        close(fds[0]);
        return run;
    }
    std::string seen;
    bool painted = false;
    while (!painted) {
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, 30000) <= 0) {
            break; // no window within 30 s
        }
        char buffer[256];
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        seen.append(buffer, static_cast<std::size_t>(n));
        const auto at = seen.find("first-paint ");
        if (at != std::string::npos && seen.find('\n', at) != std::string::npos) {
            painted = true;
            run.peakKb = std::strtol(seen.c_str() + at + 12, nullptr, 10);
            run.seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        }
    }
    close(fds[0]);
    if (!painted) {
        kill(pid, SIGKILL);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    run.ok = painted;
    return run;
}

// A settings folder where the keyboard is chosen and the desktop registration done, so that
// no question stops the start and nothing is written outside it; removed at the end.
class BenchHome {
public:
    BenchHome() {
        char pattern[] = "/tmp/presetor-bench-XXXXXX";
        const char* dir = mkdtemp(pattern);
        root = dir ? dir : "/tmp/presetor-bench";
        std::filesystem::create_directories(root / "config" / "Quintor");
        std::filesystem::create_directories(root / "data");
        std::ofstream ini(root / "config" / "Quintor" / "Presetor.conf");
        ini << "[Settings]\nKeyboard-Major=4\nKeyboard-Minor=1\nShellRegistered=true\n";
    }
    ~BenchHome() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    BenchHome(const BenchHome&) = delete;
    BenchHome& operator=(const BenchHome&) = delete;

    std::filesystem::path root;
};

std::string PrepareHome() {
    static const BenchHome home;
    return home.root.string();
}

std::vector<std::string> Environment() {
    const std::string home = PrepareHome();
    std::vector<std::string> env{"XDG_CONFIG_HOME=" + home + "/config",
                                 "XDG_DATA_HOME=" + home + "/data",
                                 "PRESETOR_EXIT_AFTER_FIRST_PAINT=1", "JACK_NO_START_SERVER=1"};
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        env.emplace_back("QT_QPA_PLATFORM=offscreen");
    }
    return env;
}

void Measure(benchmark::State& state, const std::string& exe) {
    const auto env = Environment();
    long peak = 0;
    long runs = 0;
    for (auto _ : state) {
        const Run run = StartAndWait(exe, env);
        if (!run.ok) {
            state.SkipWithError(("no first paint from " + exe).c_str());
            return;
        }
        state.SetIterationTime(run.seconds);
        peak += run.peakKb;
        ++runs;
    }
    state.counters["peak_kb"] = runs > 0 ? static_cast<double>(peak) / runs : 0;
}

void BM_StartupEmptyQtWindow(benchmark::State& state) {
    Measure(state, PRESETOR_EMPTY_WINDOW);
    state.SetLabel("floor:startup");
}

void BM_StartupPresetor(benchmark::State& state) {
    Measure(state, PRESETOR_EXE);
    state.SetLabel("vs:startup");
}

} // namespace

BENCHMARK(BM_StartupEmptyQtWindow)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupPresetor)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
