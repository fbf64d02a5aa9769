#!/usr/bin/env python3
"""The start-up order recorder reads callgrind's compressed profile: names given once with their
number and later by number alone, objects and functions first named where they are called
(cob=, cfn=), and only the named functions of the presetor program itself kept (code without a
symbol, named by its address, and the C library's start, "(below main)", cannot be ordered)."""
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "bench"))
from startup_order import executed_functions  # noqa: E402

PROFILE = """\
version: 1
cmd:  /build/src/presetor
events: Ir
ob=(1) /usr/lib/x86_64-linux-gnu/libQt6Core.so.6
fn=(1) _ZN7QObjectC2EPS_
1 10
cob=(2) /build/src/presetor
cfn=(2) _ZN10CMainFrameC2Ev
calls=1 0
1 100
ob=(2)
fn=(2)
1 90
cob=(1)
cfn=(1)
calls=1 0
1 10
fn=(3) _ZN11CPresetView7RebuildEv
1 40
ob=(3) /build/tools/vkeyboard/presetor-vkeyboard
fn=(4) _ZN8presetor15VirtualKeyboardC2Ev
1 5
ob=(1)
fn=(5) _ZN7QWidget4showEv
1 7
ob=(2)
fn=(6) main
1 3
fn=(7) 0x00000000000b9ad0
1 2
fn=(8) (below main)
1 1
"""


class ExecutedFunctionsTest(unittest.TestCase):
    def read(self, text):
        with tempfile.NamedTemporaryFile("w", suffix=".callgrind", delete=False) as f:
            f.write(text)
        try:
            return executed_functions(f.name)
        finally:
            os.unlink(f.name)

    def test_keeps_the_programs_functions_named_once_and_by_number(self):
        self.assertEqual(self.read(PROFILE),
                         {"_ZN10CMainFrameC2Ev", "_ZN11CPresetView7RebuildEv", "main"})

    def test_a_profile_without_the_program_gives_nothing(self):
        self.assertEqual(self.read("events: Ir\nfn=(1) main\n1 3\n"), set())


if __name__ == "__main__":
    unittest.main()
