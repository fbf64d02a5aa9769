// The program's entry: command line, Qt, one PresetorSession and the event loop. Shared by the
// presetor executable and the start-up benchmark.
#pragma once

#include "PresetorParts.h"

// Runs the whole program; returns the exit code.
int PresetorMain(int argc, char** argv, const PresetorParts& parts);
