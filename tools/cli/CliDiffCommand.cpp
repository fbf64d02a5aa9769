// presetor-cli diff: the differences between two banks (.lmk or .syx), preset by preset and
// field by field with the pages' names, as the window's compare dialog lists them. Like diff(1)
// it exits 0 when the banks are equal, 1 when they differ and 2 when a file cannot be read.
#include "CliCommand.h"
#include "midi/SyxFile.h"
#include "model/BankDiff.h"

#include <cstdio>
#include <memory>
#include <string>

namespace presetor::cli {

namespace {

constexpr int kExitTrouble = 2;

int RunDiff(const CliArgs& args) {
    auto a = std::make_unique<Bank>();
    auto b = std::make_unique<Bank>();
    a->LoadPresetDefaults();
    b->LoadPresetDefaults();
    for (auto [path, bank] :
         {std::pair{args.positional[0], a.get()}, std::pair{args.positional[1], b.get()}}) {
        if (Result r = LoadBankFile(path, *bank, nullptr); !r) {
            Fail(path, r);
            return kExitTrouble;
        }
    }
    const BankDiff diff = DiffBanks(*a, *b);
    for (const std::string& line : BankDiffLines(*a, *b, diff))
        std::printf("%s\n", line.c_str());
    if (std::fflush(stdout) != 0) {
        Fail("cannot write to standard output");
        return kExitTrouble;
    }
    return diff.Equal() ? kExitOk : 1;
}

const CliRegistration registration{{
    {"diff",
     "A B",
     "Print the presets and fields in which two banks (.lmk or .syx) differ, as \"Split 3: "
     "MIDI-Channel 2 / 5\". Exit status 0 when equal, 1 when different, 2 on trouble.",
     {},
     {},
     2,
     RunDiff},
}};

} // namespace

} // namespace presetor::cli
