// bench-xprobe: starts a windowed program on the X display and times it as a user sees it.
//   first paint: the first XDamage report on a mapped top-level window of the display;
//   ready:       the first moment after all start-up work at which the window answers input.
// The window's answers are _NET_WM_PING round trips (what a window manager uses to call a window
// "not responding"); the program's GUI thread answers them from its event loop, so a ping stays
// unanswered while that thread is busy or blocked. "All start-up work done" is the last moment
// the GUI thread was busy (more than a fifth of a 20 ms window on the CPU, or a ping unanswered
// for 20 ms while blocked outside its event loop); ready is the answer to the first ping sent after
// it, once the thread has stayed quiet for --quiet-ms. Then the program is left alone for --idle-ms
// to measure what an idle window costs, its peak memory (VmHWM) is read, and it is terminated.
// Prints one line of key=value pairs; exit status 0 when every value was measured.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <dirent.h>
#include <fstream>
#include <optional>
#include <poll.h>
#include <set>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

int IgnoreXErrors(Display*, XErrorEvent*) {
    return 0; // windows come and go; a damage object on a vanished window is not an error here
}

// Nanoseconds one thread of pid has spent on a CPU (first field of its schedstat).
long long ThreadCpuNs(pid_t pid, pid_t tid) {
    const std::string path =
        "/proc/" + std::to_string(pid) + "/task/" + std::to_string(tid) + "/schedstat";
    std::ifstream in(path);
    long long ns = 0;
    in >> ns;
    return ns;
}

// Summed over all threads of pid.
long long ProcessCpuNs(pid_t pid) {
    long long sum = 0;
    const std::string dir = "/proc/" + std::to_string(pid) + "/task";
    if (DIR* d = opendir(dir.c_str())) {
        while (const dirent* e = readdir(d)) {
            if (e->d_name[0] != '.') {
                sum += ThreadCpuNs(pid, static_cast<pid_t>(std::atoi(e->d_name)));
            }
        }
        closedir(d);
    }
    return sum;
}

// True while the GUI thread sleeps in a system call other than the event loop's wait for events
// (poll, select, epoll): blocked in a sleep, a lock or a socket read, it cannot answer input.
// A thread that is running or waiting for a CPU is not blocked (its CPU time tells if it works).
bool BlockedOutsideEventLoop(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/syscall");
    std::string first;
    in >> first;
    if (first.empty() || first == "running" || first[0] == '-') {
        return false;
    }
    static const std::set<std::string> eventWaits{"7", "23", "232", "270", "271", "281"};
    return eventWaits.count(first) == 0;
}

// Context switches of the GUI thread: each is a wake-up (timer, event) or a preemption.
long ThreadSwitches(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/status");
    std::string key;
    long value = 0, sum = 0;
    while (in >> key) {
        if (key == "voluntary_ctxt_switches:" || key == "nonvoluntary_ctxt_switches:") {
            in >> value;
            sum += value;
        }
    }
    return sum;
}

long PeakKb(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    long value = 0;
    while (in >> key) {
        if (key == "VmHWM:") {
            in >> value;
            return value;
        }
    }
    return 0;
}

struct Options {
    int quietMs = 1000;
    int idleMs = 2000;
    int timeoutMs = 30000;
    std::vector<char*> command;
};

bool ParseArgs(int argc, char** argv, Options& o) {
    int i = 1;
    for (; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--") {
            ++i;
            break;
        }
        if (i + 1 >= argc) {
            return false;
        }
        if (a == "--quiet-ms") {
            o.quietMs = std::atoi(argv[++i]);
        } else if (a == "--idle-ms") {
            o.idleMs = std::atoi(argv[++i]);
        } else if (a == "--timeout-ms") {
            o.timeoutMs = std::atoi(argv[++i]);
        } else {
            return false;
        }
    }
    for (; i < argc; ++i) {
        o.command.push_back(argv[i]);
    }
    o.command.push_back(nullptr);
    return o.command.size() > 1;
}

class Probe {
public:
    Probe(Display* display, const Options& options) : dpy(display), opt(options) {
        root = DefaultRootWindow(dpy);
        wmProtocols = XInternAtom(dpy, "WM_PROTOCOLS", False);
        netWmPing = XInternAtom(dpy, "_NET_WM_PING", False);
        int errorBase = 0;
        XDamageQueryExtension(dpy, &damageBase, &errorBase);
        // New top-level windows (SubstructureNotify) and the pings' answers, which come back
        // to the root window with the StructureNotify mask.
        XSelectInput(dpy, root, SubstructureNotifyMask | StructureNotifyMask);
        XSync(dpy, False);
    }

    // Runs the whole measurement; false when something was not seen in time.
    bool Run() {
        start = Clock::now();
        if (posix_spawnp(&pid, opt.command[0], nullptr, nullptr, opt.command.data(), environ) !=
            0) {
            std::fprintf(stderr, "bench-xprobe: cannot start %s\n", opt.command[0]);
            return false;
        }
        const bool ok = WaitForPaint() && WaitUntilReady() && MeasureIdle();
        if (ok) {
            peakKb = PeakKb(pid);
        }
        Stop();
        return ok;
    }

    void Print() const {
        std::printf("first_paint_ms=%.3f ready_ms=%.3f first_paint_cpu_ms=%.3f ready_cpu_ms=%.3f "
                    "longest_freeze_ms=%.3f peak_kb=%ld "
                    "idle_cpu_ms_per_s=%.3f idle_gui_cpu_ms_per_s=%.3f "
                    "idle_gui_wakeups_per_s=%.2f idle_repaints=%d\n",
                    Ms(firstPaint - start), Ms(ready - start),
                    static_cast<double>(paintCpuNs) / 1e6, static_cast<double>(readyCpuNs) / 1e6,
                    longestFreezeMs, peakKb, idleCpuMsPerS, idleGuiCpuMsPerS, idleWakeupsPerS,
                    idleRepaints);
        std::fflush(stdout);
    }

private:
    bool Exited() {
        int status = 0;
        if (!exited && waitpid(pid, &status, WNOHANG) == pid) {
            exited = true;
            std::fprintf(stderr, "bench-xprobe: %s ended early\n", opt.command[0]);
        }
        return exited;
    }

    bool TimedOut() const {
        return Clock::now() - start > std::chrono::milliseconds(opt.timeoutMs);
    }

    // Waits up to ms for X events and handles them all.
    void Pump(int ms) {
        pollfd p{ConnectionNumber(dpy), POLLIN, 0};
        if (XPending(dpy) == 0) {
            poll(&p, 1, ms);
        }
        while (XPending(dpy) > 0) {
            XEvent e;
            XNextEvent(dpy, &e);
            Handle(e);
        }
    }

    void Handle(const XEvent& e) {
        const auto now = Clock::now();
        if (e.type == CreateNotify && e.xcreatewindow.parent == root) {
            // Watch every new top-level window; input-only ones refuse it (ignored).
            XDamageCreate(dpy, e.xcreatewindow.window, XDamageReportNonEmpty);
        } else if (e.type == MapNotify && e.xmap.event == root && !e.xmap.override_redirect) {
            mapped.insert(e.xmap.window);
        } else if (e.type == damageBase + XDamageNotify) {
            const auto& d = reinterpret_cast<const XDamageNotifyEvent&>(e);
            XDamageSubtract(dpy, d.damage, None, None);
            if (window == None && mapped.count(d.drawable) != 0) {
                window = d.drawable;
                firstPaint = now;
                paintCpuNs = ProcessCpuNs(pid);
            } else if (window != None && d.drawable == window && idlePhase) {
                ++idleRepaints;
            }
        } else if (e.type == ClientMessage && e.xclient.window == root &&
                   static_cast<Atom>(e.xclient.data.l[0]) == netWmPing) {
            if (pingOut && e.xclient.data.l[1] == static_cast<long>(pingSerial)) {
                pingOut = false;
                lastAnswer = now;
                const double latency = Ms(now - pingSent);
                longestFreezeMs = std::max(longestFreezeMs, latency);
                if (!candidate && pingSent > lastBusy) {
                    candidate = now;
                    candidateCpuNs = ProcessCpuNs(pid);
                }
            }
        }
    }

    bool WaitForPaint() {
        while (window == None) {
            if (Exited() || TimedOut()) {
                return false;
            }
            Pump(1);
        }
        return true;
    }

    void SendPing() {
        XEvent ev{};
        ev.xclient.type = ClientMessage;
        ev.xclient.window = window;
        ev.xclient.message_type = wmProtocols;
        ev.xclient.format = 32;
        ev.xclient.data.l[0] = static_cast<long>(netWmPing);
        ev.xclient.data.l[1] = static_cast<long>(++pingSerial);
        ev.xclient.data.l[2] = static_cast<long>(window);
        XSendEvent(dpy, window, False, NoEventMask, &ev);
        XFlush(dpy);
        pingOut = true;
        pingSent = Clock::now();
    }

    void MarkBusy(Clock::time_point when) {
        lastBusy = when;
        candidate.reset(); // only a ping sent after this counts
    }

    bool WaitUntilReady() {
        constexpr auto window20 = std::chrono::milliseconds(20);
        constexpr long long busyNs = 4'000'000; // a fifth of the window
        constexpr auto pingGap = std::chrono::milliseconds(5);
        std::deque<std::pair<Clock::time_point, long long>> samples;
        lastBusy = firstPaint;
        lastAnswer = firstPaint;
        for (;;) {
            if (Exited() || TimedOut()) {
                return false;
            }
            const auto now = Clock::now();
            if (!pingOut && now - lastAnswer >= pingGap) {
                SendPing();
            }
            Pump(1);
            const auto t = Clock::now();
            const long long cpu = ThreadCpuNs(pid, pid);
            samples.emplace_back(t, cpu);
            while (samples.size() > 1 && t - samples[1].first >= window20) {
                samples.pop_front();
            }
            if (t - samples.front().first >= window20 && cpu - samples.front().second > busyNs) {
                MarkBusy(t);
            }
            // An unanswered ping means a freeze when the thread is blocked outside its event
            // loop; on a loaded machine a thread merely waiting for a CPU is not frozen by the
            // program, unless it lasts a quarter of a second.
            if (pingOut && ((t - pingSent > window20 && BlockedOutsideEventLoop(pid)) ||
                            t - pingSent > std::chrono::milliseconds(250))) {
                MarkBusy(t);
            }
            if (candidate && t - lastBusy >= std::chrono::milliseconds(opt.quietMs)) {
                ready = *candidate;
                readyCpuNs = candidateCpuNs;
                return true;
            }
        }
    }

    bool MeasureIdle() {
        idlePhase = true;
        const auto t0 = Clock::now();
        const long long cpu0 = ProcessCpuNs(pid);
        const long long gui0 = ThreadCpuNs(pid, pid);
        const long switches0 = ThreadSwitches(pid);
        while (Clock::now() - t0 < std::chrono::milliseconds(opt.idleMs)) {
            if (Exited()) {
                return false;
            }
            Pump(10);
        }
        const double seconds = Ms(Clock::now() - t0) / 1000.0;
        idleCpuMsPerS = static_cast<double>(ProcessCpuNs(pid) - cpu0) / 1e6 / seconds;
        idleGuiCpuMsPerS = static_cast<double>(ThreadCpuNs(pid, pid) - gui0) / 1e6 / seconds;
        idleWakeupsPerS = static_cast<double>(ThreadSwitches(pid) - switches0) / seconds;
        return true;
    }

    void Stop() {
        if (exited || pid <= 0) {
            return;
        }
        kill(pid, SIGTERM);
        for (int i = 0; i < 300; ++i) {
            if (waitpid(pid, nullptr, WNOHANG) == pid) {
                return;
            }
            usleep(10000);
        }
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }

    Display* dpy;
    const Options& opt;
    Window root = None;
    Window window = None;
    Atom wmProtocols = None;
    Atom netWmPing = None;
    int damageBase = 0;
    std::set<Window> mapped;
    pid_t pid = -1;
    bool exited = false;
    Clock::time_point start, firstPaint, ready, lastBusy, lastAnswer, pingSent;
    std::optional<Clock::time_point> candidate;
    // CPU time of all the program's threads at the first paint and when ready: what start-up
    // costs, which a loaded machine does not stretch the way it stretches the wall time.
    long long paintCpuNs = 0, readyCpuNs = 0, candidateCpuNs = 0;
    bool pingOut = false;
    unsigned long pingSerial = 0;
    double longestFreezeMs = 0;
    bool idlePhase = false;
    int idleRepaints = 0;
    long peakKb = 0;
    double idleCpuMsPerS = 0, idleGuiCpuMsPerS = 0, idleWakeupsPerS = 0;
};

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseArgs(argc, argv, options)) {
        std::fprintf(stderr, "Usage: bench-xprobe [--quiet-ms N] [--idle-ms N] [--timeout-ms N] "
                             "-- PROGRAM [ARGS...]\n");
        return 2;
    }
    // A busy X server may turn a connection away for a moment; try for a second.
    Display* dpy = nullptr;
    for (int attempt = 0; attempt < 20 && !dpy; ++attempt) {
        dpy = XOpenDisplay(nullptr);
        if (!dpy) {
            usleep(50000);
        }
    }
    if (!dpy) {
        std::fprintf(stderr, "bench-xprobe: no X display\n");
        return 1;
    }
    int eventBase = 0, errorBase = 0;
    if (!XDamageQueryExtension(dpy, &eventBase, &errorBase)) {
        std::fprintf(stderr, "bench-xprobe: the X server has no DAMAGE extension\n");
        return 1;
    }
    XSetErrorHandler(IgnoreXErrors);
    Probe probe(dpy, options);
    const bool ok = probe.Run();
    if (ok) {
        probe.Print();
    }
    XCloseDisplay(dpy);
    return ok ? 0 : 1;
}
