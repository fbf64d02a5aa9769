#!/usr/bin/env python3
"""Measures what a Presetor user waits for and prints each figure as a ratio against its floor.

Groups (all by default; choose with --only):
  startup    Presetor on a private Xvfb against an empty QMainWindow of the same size
             (bench-empty-window), timed by bench-xprobe: first paint (XDamage), ready (the
             window answers a _NET_WM_PING after all start-up work), longest freeze, peak memory,
             idle CPU. Presetor runs without a JACK server, with one, and with one and a saved
             MIDI port (the virtual keyboard program's). Beside the goal figures, the same window
             with one label (bench-empty-window --label) tells the fixed price of any text from
             the rest; two references tell what the window's content costs in stock Qt: all its
             texts drawn by one widget (--texts), and the whole window built in stock Qt widgets
             (bench-plain-window). Runs are interleaved in a shuffled order.
  switch     preset switches in the real main window on Xvfb (bench-preset-switch), against one
             60 Hz frame: median and 90th percentile; beside it, the median of a walk in which
             every switch greys or lights up the whole page (the kind the slowest tenth are).
  transfers  presetor-cli receive/send, LMK3 and LMK4, bulk and preset by preset, against the
             wire-paced virtual keyboard program on a private JACK server, from process start to
             exit (a send: until the keyboard reports the last message stored), against the time
             the bytes need on a 31,250-baud MIDI wire.
  files      presetor-cli info/to-syx/from-syx against `cat` of the same input, interleaved;
             time from process start to exit and peak memory.
  micro      bench_codec (Google Benchmark): the codec against memcpy; it explains `files`.
  soundlist  bench_soundlist (Google Benchmark): peak heap while a 1 MiB sound list loads, as
             bytes of memory per byte of file, for a realistic and for adversarial lists.
Ratios are per round (program / floor of the same round); min/median/max are over the rounds.
Nothing here fails on a time. Raw results go to BUILD/bench-results/.
"""
import argparse
import json
import os
import random
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

FRAME_MS = 1000.0 / 60.0
WIRE_BYTES_PER_S = 3125.0
# Files in the folder of the start-up variant started from a crowded folder.
CROWDED_FILES = 5000
# SysEx sizes (bytes) of the keyboard's messages.
REQUEST_ALL, REQUEST_ONE, STORE_EEPROM, SINGLE_DUMP, BULK_RECORD, BULK_OVERHEAD = 8, 9, 8, 161, 152, 8
PRESETS = {"lmk3": 64, "lmk4": 127}


# ---------------------------------------------------------------- statistics and printing

def pct(values, p):
    """Nearest-rank percentile."""
    s = sorted(values)
    k = max(0, min(len(s) - 1, int(round(p / 100.0 * len(s) + 0.5)) - 1))
    return s[k]


def mmm(values, fmt="{:.2f}"):
    return "min " + fmt.format(min(values)) + " / median " + fmt.format(
        statistics.median(values)) + " / max " + fmt.format(max(values))


def report(name, ratios, absolute, floor_abs, unit, floor_name, goal=None):
    """Per-round ratios (min/median/max), then the ratio of the fastest runs, which a loaded
    machine disturbs least, and the medians of the absolute values."""
    line = f"  {name}: {mmm(ratios)} x {floor_name}"
    if len(absolute) > 1 and len(floor_abs) > 1:
        line += f"; best/best {min(absolute) / min(floor_abs):.2f}"
    line += f"  [{statistics.median(absolute):.1f} {unit} vs {statistics.median(floor_abs):.1f} {unit}]"
    if goal:
        line += f"  (goal <= {goal})"
    print(line)


# ---------------------------------------------------------------- processes

def spawn_timed(b, argv, env=None, stdout=None, stderr=None):
    """Runs argv to its end through bench-run-timed; returns (seconds from start to exit, the
    program's own peak RSS in kB, exit status)."""
    p = subprocess.run([b["runtimed"], stdout or os.devnull, stderr or os.devnull] + argv,
                       env=env, capture_output=True, text=True, check=True)
    seconds, peak, status = p.stdout.split()
    return float(seconds), int(peak), int(status)


class Xvfb:
    def __init__(self):
        r, w = os.pipe()
        # -noreset: a desktop's X server always has other clients (the window manager, a
        # panel), so it never resets between two programs. Without it, the server reset each
        # time a run's last client left and compiled its keymap again (xkbcomp, about 15 ms of
        # CPU) while the next program's QApplication waited for the answer: a wait no user
        # has, in the floor's figures as in the program's, which made every ratio look smaller.
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(w), "-screen", "0", "1280x900x24", "-nolisten", "tcp",
             "-noreset"],
            pass_fds=[w], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(w)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(r, 16)
            if not chunk:
                raise RuntimeError("Xvfb did not start")
            number += chunk
        os.close(r)
        self.display = ":" + number.decode().strip()

    def stop(self):
        self.proc.terminate()
        self.proc.wait()


class Jack:
    """A private JACK server (dummy backend), stopped by process id."""

    def __init__(self, period):
        self.name = f"presetor-bench-{os.getpid()}"
        self.proc = subprocess.Popen(
            ["jackd", "-n", self.name, "--no-realtime", "-d", "dummy", "-r", "48000", "-p",
             str(period)], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.env = dict(os.environ, JACK_DEFAULT_SERVER=self.name, JACK_NO_START_SERVER="1")
        if subprocess.run(["jack_wait", "-w", "-t", "10"], env=self.env,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode != 0:
            self.stop()
            raise RuntimeError("the JACK server did not start")

    def stop(self):
        self.proc.terminate()
        self.proc.wait()


class Keyboard:
    """The virtual keyboard program on JACK; collects its report lines with their times."""

    def __init__(self, exe, kind, name, env, paced=True):
        argv = [exe, "--type", kind, "--name", name, "--api", "jack"] + (["--pace"] if paced else [])
        self.proc = subprocess.Popen(argv, env=env, stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL)
        self.name = name
        self.lines = []
        self.cond = threading.Condition()
        first = self.proc.stdout.readline().decode()
        if not first.startswith("ready"):
            self.stop()
            raise RuntimeError(f"the virtual keyboard did not start ({first.strip()!r})")
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for raw in self.proc.stdout:
            with self.cond:
                self.lines.append((time.perf_counter(), raw.decode().strip()))
                self.cond.notify_all()

    def clear(self):
        with self.cond:
            self.lines.clear()

    def wait_for(self, line, timeout):
        """Time at which line was reported, or None."""
        end = time.perf_counter() + timeout
        with self.cond:
            while True:
                for t, text in self.lines:
                    if text == line:
                        return t
                left = end - time.perf_counter()
                if left <= 0:
                    return None
                self.cond.wait(left)

    @property
    def in_port(self):
        return self.name + ":out"

    @property
    def out_port(self):
        return self.name + "-in:in"

    def stop(self):
        self.proc.terminate()
        self.proc.wait()


def make_home(root, extra=""):
    os.makedirs(os.path.join(root, "config", "Quintor"), exist_ok=True)
    os.makedirs(os.path.join(root, "data"), exist_ok=True)
    os.makedirs(os.path.join(root, "work"), exist_ok=True)
    with open(os.path.join(root, "config", "Quintor", "Presetor.conf"), "w") as f:
        f.write("[Settings]\nKeyboard-Major=4\nKeyboard-Minor=1\nShellRegistered=true\n" + extra)
    return root


def home_env(display, home, jack_server=None):
    """The environment of a program started from `home` (make_home) on `display`: its settings
    and data there, and the JACK server it finds (none unless named; never one started for it)."""
    e = {k: v for k, v in os.environ.items() if not k.startswith(("JACK_", "QT_QPA"))}
    e.update(DISPLAY=display, QT_QPA_PLATFORM="xcb", XDG_CONFIG_HOME=os.path.join(home, "config"),
             XDG_DATA_HOME=os.path.join(home, "data"), JACK_NO_START_SERVER="1",
             JACK_DEFAULT_SERVER=jack_server or f"presetor-bench-none-{os.getpid()}")
    return e


# ---------------------------------------------------------------- groups

def run_startup(b, args, results):
    print("== start-up on Xvfb (bench-xprobe), %d rounds" % args.rounds)
    xvfb = Xvfb()
    jack = Jack(args.jack_period)
    keyboard = Keyboard(b["vkeyboard"], "lmk4", f"bench-kbd-{os.getpid()}", jack.env, paced=False)
    tmp = tempfile.mkdtemp(prefix="presetor-bench-")
    try:
        plain = make_home(os.path.join(tmp, "plain"))
        # Started in a big folder, as from a home or downloads folder: the program looks for
        # sound lists in the folder it was started in and watches it.
        crowded = make_home(os.path.join(tmp, "crowded"))
        for i in range(CROWDED_FILES):
            open(os.path.join(crowded, "work", f"file-{i}.txt"), "w").close()
        port = make_home(os.path.join(tmp, "port"),
                         f"MidiIn={keyboard.in_port}\nMidiOut={keyboard.out_port}\n")

        def env(home, with_jack):
            return home_env(xvfb.display, home, jack.name if with_jack else None)

        variants = {
            "floor": ([b["empty"]], env(plain, False), plain),
            "label": ([b["empty"], "--label"], env(plain, False), plain),
            "texts": ([b["empty"], "--texts"], env(plain, False), plain),
            "stock": ([b["stock"]], env(plain, False), plain),
            "nojack": ([b["presetor"]], env(plain, False), plain),
            "jack": ([b["presetor"]], env(plain, True), plain),
            "jack+port": ([b["presetor"]], env(port, True), port),
            "crowded": ([b["presetor"]], env(crowded, False), crowded),
        }
        runs = {k: [] for k in variants}
        order = list(variants)
        rng = random.Random(7)
        for r in range(args.rounds):
            rng.shuffle(order)
            for name in order:
                argv, e, home = variants[name]
                p = subprocess.run([b["xprobe"], "--quiet-ms", str(args.quiet_ms), "--idle-ms",
                                    str(args.idle_ms), "--"] + argv, env=e,
                                   cwd=os.path.join(home, "work"), capture_output=True, text=True)
                if p.returncode != 0:
                    print(f"  {name}: probe failed: {p.stderr.strip()}")
                    continue
                runs[name].append({k: float(v) for k, v in
                                   (kv.split("=") for kv in p.stdout.split())})
            print(f"  round {r + 1}/{args.rounds} done", file=sys.stderr)
    finally:
        keyboard.stop()
        jack.stop()
        xvfb.stop()
        shutil.rmtree(tmp, ignore_errors=True)
    results["startup"] = runs
    floor = runs["floor"]
    if not floor:
        print("  no floor measured")
        return

    def figure(label, variant, key, unit="ms", goal=None, against="floor"):
        rows, base = runs[variant], runs[against]
        n = min(len(rows), len(base))
        if n == 0:
            print(f"  {label}: not measured")
            return
        ratios = [rows[i][key] / base[i][key] for i in range(n)]
        report(label, ratios, [x[key] for x in rows], [x[key] for x in base], unit,
               "empty QMainWindow" if against == "floor" else "one-label window", goal)

    figure("first paint, no JACK", "nojack", "first_paint_ms", goal="1.5")
    figure("first paint, JACK", "jack", "first_paint_ms")
    figure("ready, no JACK", "nojack", "ready_ms", goal="1.5")
    figure("ready, JACK running", "jack", "ready_ms", goal="1.5")
    figure("ready, JACK and a saved port", "jack+port", "ready_ms", goal="1.5")
    # CPU time (all threads) used by then: what start-up costs, less stretched by other load.
    figure("CPU to first paint, no JACK", "nojack", "first_paint_cpu_ms")
    figure("CPU to ready, no JACK", "nojack", "ready_cpu_ms")
    figure("CPU to ready, JACK running", "jack", "ready_cpu_ms")
    figure("CPU to ready, JACK and a saved port", "jack+port", "ready_cpu_ms")
    figure(f"ready, no JACK, started in a folder of {CROWDED_FILES:,} files", "crowded",
           "ready_ms")
    figure("peak memory, no JACK", "nojack", "peak_kb", unit="kB", goal="1.3")
    figure("peak memory, JACK and a saved port", "jack+port", "peak_kb", unit="kB")
    # What any window with text pays (fonts and glyphs), which the empty window never does: the
    # same window with one label, against the empty one and as the floor of Presetor's figures.
    figure("one-label window, first paint", "label", "first_paint_ms")
    figure("first paint, no JACK (text floor)", "nojack", "first_paint_ms", against="label")
    figure("ready, no JACK (text floor)", "nojack", "ready_ms", against="label")
    # What the window's content costs in stock Qt, without the program: its texts alone, and the
    # whole window in Qt's widgets built the obvious way.
    figure("the window's texts in one widget, first paint", "texts", "first_paint_ms")
    figure("the window in stock Qt widgets, first paint", "stock", "first_paint_ms")
    for variant in ("floor", "label", "texts", "stock", "nojack", "jack", "jack+port", "crowded"):
        rows = runs[variant]
        if rows:
            print(f"  {variant}: longest freeze after first paint "
                  f"{mmm([x['longest_freeze_ms'] for x in rows], '{:.0f}')} ms; idle: GUI thread "
                  f"{mmm([x['idle_gui_cpu_ms_per_s'] for x in rows], '{:.2f}')} ms CPU/s, "
                  f"{mmm([x['idle_gui_wakeups_per_s'] for x in rows], '{:.1f}')} wake-ups/s, all "
                  f"threads {statistics.median([x['idle_cpu_ms_per_s'] for x in rows]):.2f} ms "
                  f"CPU/s, repaints {statistics.median([x['idle_repaints'] for x in rows]):.0f}")


def run_switch(b, args, results):
    print("== preset switch in the main window on Xvfb (bench-preset-switch), %d runs" %
          args.switch_runs)
    xvfb = Xvfb()
    env = {k: v for k, v in os.environ.items() if not k.startswith("QT_QPA")}
    env.update(DISPLAY=xvfb.display, QT_QPA_PLATFORM="xcb", JACK_NO_START_SERVER="1")
    walls, cpus, medians, p90s, cpu_medians, cpu_p90s = [], [], [], [], [], []
    # Interleaved with the walk: the same bank with the shown split turned on or off at every
    # switch, each of which greys or lights up the whole page (the slowest kind of switch).
    whole_medians, whole_cpu_medians = [], []
    passes = "2"  # down and up the bank twice, in both walks

    def walk(argv):
        p = subprocess.run(argv, env=env, capture_output=True, text=True)
        if p.returncode != 0:
            print(f"  failed: {p.stderr.strip()}")
            return [], []
        rows = [line.split() for line in p.stdout.split("\n")[1:] if line.strip()]
        wall = [int(r[0]) / 1e6 for r in rows]
        cpu = [int(r[1]) / 1e6 for r in rows] if rows and len(rows[0]) > 1 else []
        return wall, cpu

    try:
        for _ in range(args.switch_runs):
            wall, cpu = walk([b["switch"], passes])
            if not wall:
                continue
            walls += wall
            cpus += cpu
            medians.append(statistics.median(wall) / FRAME_MS)
            p90s.append(pct(wall, 90) / FRAME_MS)
            if cpu:
                cpu_medians.append(statistics.median(cpu) / FRAME_MS)
                cpu_p90s.append(pct(cpu, 90) / FRAME_MS)
            wall, cpu = walk([b["switch"], passes, "--whole-page"])
            if wall:
                whole_medians.append(statistics.median(wall) / FRAME_MS)
            if cpu:
                whole_cpu_medians.append(statistics.median(cpu) / FRAME_MS)
    finally:
        xvfb.stop()
    results["switch"] = {"wall_ms": walls, "cpu_ms": cpus}
    if not walls:
        return
    print(f"  median switch (wall): {mmm(medians, '{:.3f}')} of a 60 Hz frame (goal <= 0.1)")
    print(f"  slowest 10% (wall, 90th percentile): {mmm(p90s, '{:.3f}')} of a frame (goal <= 0.1)")
    if cpus:
        print(f"  median switch (GUI thread CPU): {mmm(cpu_medians, '{:.3f}')} of a frame")
        print(f"  slowest 10% (GUI thread CPU): {mmm(cpu_p90s, '{:.3f}')} of a frame")
    if whole_medians:
        print(f"  whole-page switches (the shown split turned on or off at each), median: wall "
              f"{mmm(whole_medians, '{:.3f}')}"
              + (f", GUI thread CPU {mmm(whole_cpu_medians, '{:.3f}')}" if whole_cpu_medians
                 else "") + " of a frame")
    print(f"  all {len(walls)} switches: wall median {statistics.median(walls):.2f} ms, 90th "
          f"percentile {pct(walls, 90):.2f} ms, max {max(walls):.2f} ms"
          + (f"; CPU median {statistics.median(cpus):.2f} ms, 90th percentile "
             f"{pct(cpus, 90):.2f} ms" if cpus else ""))


def wire_bytes(direction, kind, bulk):
    n = PRESETS[kind]
    dump = BULK_RECORD * n + BULK_OVERHEAD if bulk else SINGLE_DUMP * n
    if direction == "receive":
        return dump + (REQUEST_ALL if bulk else REQUEST_ONE * n)
    return dump + (STORE_EEPROM if kind == "lmk4" else 0)


def run_transfers(b, args, results):
    print("== presetor-cli transfers against the paced virtual keyboard over JACK, %d rounds" %
          args.transfer_rounds)
    jack = Jack(args.jack_period)
    tmp = tempfile.mkdtemp(prefix="presetor-bench-")
    keyboards = {}
    try:
        for kind in PRESETS:
            keyboards[kind] = Keyboard(b["vkeyboard"], kind, f"bench-{kind}-{os.getpid()}",
                                       jack.env)
            subprocess.run([b["cli"], "new", "--type", kind, os.path.join(tmp, kind + ".lmk")],
                           check=True)
        cases = [(d, k, bulk) for d in ("receive", "send") for k in PRESETS for bulk in (True, False)]
        runs = {c: [] for c in cases}
        rng = random.Random(11)
        for r in range(args.transfer_rounds):
            rng.shuffle(cases)
            for case in cases:
                direction, kind, bulk = case
                kb = keyboards[kind]
                argv = [b["cli"], direction]
                if direction == "receive":
                    argv += ["--type", kind]
                argv += ["--in", kb.in_port, "--out", kb.out_port] + (["--bulk"] if bulk else [])
                argv.append(os.path.join(tmp, "in.lmk" if direction == "receive" else kind + ".lmk"))
                # The last command left without closing its JACK client; the server takes a
                # cycle or two to drop it, and a client opening meanwhile waits for that. A user
                # who types the next command never meets it, so each run starts after it.
                time.sleep(args.settle_ms / 1000.0)
                kb.clear()
                t0 = time.perf_counter()
                errors = os.path.join(tmp, "stderr")
                seconds, _, status = spawn_timed(b, argv, env=jack.env, stderr=errors)
                if status != 0:
                    why = open(errors, errors="replace").read().strip()
                    print(f"  {direction} {kind} {'bulk' if bulk else 'by preset'}: exit {status}"
                          f" ({why})")
                    continue
                if direction == "send":
                    # Done when the keyboard has stored the last dump (and, for an LMK4, then
                    # got the EEPROM command); a dump it never stored means bytes were lost.
                    lines = ["stored bulk" if bulk else f"stored {PRESETS[kind]}"]
                    if kind == "lmk4":
                        lines.append("eeprom")
                    times = [kb.wait_for(line, 60) for line in lines]
                    if None in times:
                        print(f"  send {kind} {'bulk' if bulk else 'by preset'}: the keyboard "
                              f"never reported {lines}")
                        continue
                    seconds = max([seconds] + [t - t0 for t in times])
                runs[case].append(seconds)
            print(f"  round {r + 1}/{args.transfer_rounds} done", file=sys.stderr)
    finally:
        for kb in keyboards.values():
            kb.stop()
        jack.stop()
        shutil.rmtree(tmp, ignore_errors=True)
    results["transfers"] = {" ".join(map(str, c)): v for c, v in runs.items()}
    for case in sorted(runs):
        direction, kind, bulk = case
        times = runs[case]
        if not times:
            continue
        wire = wire_bytes(direction, kind, bulk) / WIRE_BYTES_PER_S
        report(f"{direction} {kind.upper()} {'bulk' if bulk else 'preset by preset'}",
               [t / wire for t in times], [t * 1000 for t in times], [wire * 1000], "ms",
               "wire time", "1.03")


def run_files(b, args, results):
    print("== presetor-cli file commands against cat, %d rounds" % args.file_rounds)
    cat = shutil.which("cat")
    tmp = tempfile.mkdtemp(prefix="presetor-bench-")
    try:
        lmk = os.path.join(tmp, "bank.lmk")
        syx = os.path.join(tmp, "bank.syx")
        subprocess.run([b["cli"], "new", "--type", "lmk4", lmk], check=True)
        subprocess.run([b["cli"], "to-syx", lmk, syx], check=True)
        out = os.path.join(tmp, "out")
        cases = {
            "cat .lmk": ([cat, lmk], True),
            "cat .syx": ([cat, syx], True),
            "info": ([b["cli"], "info", lmk], True),
            "to-syx": ([b["cli"], "to-syx", lmk, out + ".syx"], False),
            "from-syx": ([b["cli"], "from-syx", "--type", "lmk4", syx, out + ".lmk"], False),
            "print": ([b["cli"], "print", lmk, out + ".pdf"], False),
        }
        env = {k: v for k, v in os.environ.items() if not k.startswith("QT_QPA")}
        runs = {k: [] for k in cases}
        order = list(cases)
        rng = random.Random(5)
        for _ in range(args.file_rounds):
            rng.shuffle(order)
            for name in order:
                argv, to_stdout = cases[name]
                seconds, rss, status = spawn_timed(b, argv, env=env,
                                                   stdout=out if to_stdout else None)
                if status != 0:
                    print(f"  {name}: exit {status}")
                    continue
                runs[name].append((seconds, rss))
    finally:
        shutil.rmtree(tmp, ignore_errors=True)
    results["files"] = runs
    for name, floor in (("info", "cat .lmk"), ("to-syx", "cat .lmk"), ("from-syx", "cat .syx")):
        rows, frows = runs[name], runs[floor]
        n = min(len(rows), len(frows))
        if n == 0:
            continue
        report(f"{name} time", [rows[i][0] / frows[i][0] for i in range(n)],
               [x[0] * 1000 for x in rows], [x[0] * 1000 for x in frows], "ms", floor, "2")
        report(f"{name} peak memory", [rows[i][1] / frows[i][1] for i in range(n)],
               [x[1] / 1024 for x in rows], [x[1] / 1024 for x in frows], "MB", floor)
    if runs["print"]:
        t = [x[0] * 1000 for x in runs["print"]]
        print(f"  print (no floor): {mmm(t, '{:.1f}')} ms, "
              f"peak {statistics.median([x[1] for x in runs['print']]) / 1024:.1f} MB")


def run_gbench(b, key):
    """Runs a Google Benchmark program; its iteration rows, or None after printing why not."""
    out = os.path.join(b["dir"], "bench-results", f"bench_{key}.json")
    p = subprocess.run([b[key], "--benchmark_format=json", "--benchmark_out=" + out,
                        "--benchmark_out_format=json"], capture_output=True, text=True)
    if p.returncode != 0:
        print(p.stderr)
        return None
    data = json.load(open(out))
    return [x for x in data["benchmarks"] if x.get("run_type", "iteration") == "iteration"]


def run_micro(b, args, results):
    print("== micro-benchmarks (Google Benchmark)")
    rows = run_gbench(b, "codec")
    if rows is None:
        return
    floors = {x["label"][6:]: x for x in rows if x.get("label", "").startswith("floor:")}
    for x in rows:
        label = x.get("label", "")
        if label.startswith("vs:") and label[3:] in floors:
            f = floors[label[3:]]
            print(f"  {x['name']}: {x['real_time'] / f['real_time']:.2f} x {f['name']} "
                  f"({x['real_time']:.0f} vs {f['real_time']:.0f} {x['time_unit']})")


def run_soundlist(b, args, results):
    print("== sound-list memory (bytes of memory per byte of file; goal under 10)")
    for x in run_gbench(b, "soundlist") or []:
        if not x.get("file_bytes"):
            continue
        ratio = x["peak_heap_bytes"] / x["file_bytes"]
        results.setdefault("soundlist", {})[x["name"]] = ratio
        print(f"  {x['name']}: {ratio:.2f} x its file ({x['file_bytes'] / 1048576:.2f} MB)")


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default="build", help="build directory")
    parser.add_argument("--only", default="startup,switch,transfers,files,micro,soundlist")
    # A start-up round's ratio moves by up to a third from round to round on a busy two-core
    # machine; fifteen rounds make the median steadier than five did.
    parser.add_argument("--rounds", type=int, default=15, help="start-up rounds")
    parser.add_argument("--switch-runs", type=int, default=3)
    parser.add_argument("--transfer-rounds", type=int, default=2)
    parser.add_argument("--file-rounds", type=int, default=30)
    parser.add_argument("--jack-period", type=int, default=1024, help="JACK frames per period")
    parser.add_argument("--settle-ms", type=int, default=300,
                        help="pause before each transfer, for the server to drop the last one's "
                             "client")
    parser.add_argument("--quiet-ms", type=int, default=1000,
                        help="how long the GUI thread must stay quiet before start-up counts as done")
    parser.add_argument("--idle-ms", type=int, default=2000, help="idle window measured for")
    args = parser.parse_args()
    d = os.path.abspath(args.build)
    b = {
        "dir": d,
        "presetor": os.path.join(d, "src", "presetor"),
        "cli": os.path.join(d, "tools", "cli", "presetor-cli"),
        "vkeyboard": os.path.join(d, "tools", "vkeyboard", "presetor-vkeyboard"),
        "xprobe": os.path.join(d, "bench", "bench-xprobe"),
        "empty": os.path.join(d, "bench", "bench-empty-window"),
        "stock": os.path.join(d, "bench", "bench-plain-window"),
        "switch": os.path.join(d, "bench", "bench-preset-switch"),
        "codec": os.path.join(d, "bench", "bench_codec"),
        "runtimed": os.path.join(d, "bench", "bench-run-timed"),
        "soundlist": os.path.join(d, "bench", "bench_soundlist"),
    }
    os.makedirs(os.path.join(d, "bench-results"), exist_ok=True)
    groups = {"startup": (run_startup, ["presetor", "xprobe", "empty", "stock", "vkeyboard"]),
              "switch": (run_switch, ["switch"]),
              "transfers": (run_transfers, ["cli", "vkeyboard", "runtimed"]),
              "files": (run_files, ["cli", "runtimed"]),
              "micro": (run_micro, ["codec"]),
              "soundlist": (run_soundlist, ["soundlist"])}
    results = {}
    for name in args.only.split(","):
        if name not in groups:
            parser.error(f"unknown group {name}")
        fn, needs = groups[name]
        missing = [b[n] for n in needs if not os.access(b[n], os.X_OK)]
        if missing:
            print(f"== {name}: not built ({', '.join(missing)})")
            continue
        try:
            fn(b, args, results)
        except RuntimeError as e:
            print(f"  {name}: {e}")
    stamp = time.strftime("%Y%m%d-%H%M%S")
    with open(os.path.join(d, "bench-results", f"run-{stamp}.json"), "w") as f:
        json.dump(results, f, indent=1, default=str)


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    main()
