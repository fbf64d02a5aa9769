#!/usr/bin/env python3
"""Writes src/startup-functions.txt: the functions of the presetor program that a start runs
until the window idles (valgrind's callgrind records them on a private Xvfb). The link puts
them side by side (cmake/StartupOrder.cmake). A JACK server would add nothing: the program sets
up its MIDI ports when first needed. Run it through scripts/startup-order after changes to what
a start does; a list that has fallen behind the code costs memory, never correctness."""
import argparse
import os
import re
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from run import Xvfb, home_env, make_home  # noqa: E402

ENTRY = re.compile(r"^(ob|cob|fn|cfn)=\((\d+)\)(?: (.*))?$")
HEADER = """\
# The functions a start of the program runs, linked side by side (cmake/StartupOrder.cmake).
# Written by scripts/startup-order; names not in the program are passed over.
"""


def executed_functions(profile):
    """Mangled names of the functions the profile saw run in the presetor program."""
    objects, functions, found = {}, {}, set()
    current = ""
    with open(profile, errors="replace") as f:
        for line in f:
            m = ENTRY.match(line.rstrip("\n"))
            if not m:
                continue
            kind, number, name = m.groups()
            names = objects if kind in ("ob", "cob") else functions
            if name:
                names[number] = name
            if kind == "ob":
                current = objects.get(number, "")
            elif kind == "fn" and current.endswith("/presetor"):
                found.add(functions[number])
    # Code without a symbol (a PLT stub, say) is named by its address, and the C library's start
    # as "(below main)": no link can order either.
    return {name for name in found if not name.startswith(("0x", "("))}


def record(presetor, env, cwd, seconds, out):
    """Runs presetor under callgrind for seconds, then interrupts it; returns its functions."""
    p = subprocess.Popen(["valgrind", "--tool=callgrind", "--demangle=no",
                          f"--callgrind-out-file={out}", presetor], env=env, cwd=cwd,
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(seconds)
    p.send_signal(signal.SIGINT)
    try:
        p.wait(30)
    except subprocess.TimeoutExpired:
        p.kill()
        p.wait()
    if not os.path.exists(out):
        raise RuntimeError("callgrind wrote no profile")
    return executed_functions(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--build", default="build", help="build directory")
    parser.add_argument("--seconds", type=float, default=20,
                        help="how long the program runs under callgrind")
    parser.add_argument("--output", default=os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "src", "startup-functions.txt"))
    args = parser.parse_args()
    d = os.path.abspath(args.build)
    presetor = os.path.join(d, "src", "presetor")
    xvfb = Xvfb()
    try:
        with tempfile.TemporaryDirectory(prefix="presetor-order-") as tmp:
            home = make_home(os.path.join(tmp, "home"))
            found = record(presetor, home_env(xvfb.display, home), os.path.join(home, "work"),
                           args.seconds, os.path.join(tmp, "start.callgrind"))
    finally:
        xvfb.stop()
    if len(found) < 50:
        sys.exit(f"only {len(found)} functions recorded: did the program start?")
    with open(args.output, "w") as f:
        f.write(HEADER + "".join(name + "\n" for name in sorted(found)))
    print(f"{len(found)} functions in {os.path.relpath(args.output)}")


if __name__ == "__main__":
    main()
