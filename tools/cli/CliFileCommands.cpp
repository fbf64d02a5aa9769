// presetor-cli commands on files: new, info, to-syx and from-syx. Outputs are written
// atomically, so an error never leaves a partial file behind.
#include "CliCommand.h"
#include "midi/SyxFile.h"
#include "model/FileIo.h"
#include "model/PresetFile.h"

#include <cstdio>
#include <memory>
#include <string>

namespace presetor::cli {

namespace {

// A fresh bank as a new document makes it: factory defaults, each preset linked to itself.
std::unique_ptr<Bank> FreshBank(int keyboardType) {
    auto bank = std::make_unique<Bank>();
    bank->SetKeyboardType(keyboardType);
    bank->LoadPresetDefaults();
    return bank;
}

// The --type option as a keyboard type, or 0 after reporting a usage error.
int TypeOption(const CliArgs& args) {
    const auto it = args.options.find("--type");
    const int type = it == args.options.end() ? 0 : ParseKeyboardType(it->second);
    if (type == 0)
        std::fprintf(stderr, "presetor-cli: --type lmk3 or --type lmk4 is required\n");
    return type;
}

int Save(const std::string& path, const Bank& bank) {
    if (Result r = SavePresetFile(path, bank); !r)
        return Fail(path, r);
    return kExitOk;
}

int RunNew(const CliArgs& args) {
    const int type = TypeOption(args);
    if (type == 0)
        return kExitUsage;
    return Save(args.positional[0], *FreshBank(type));
}

int RunInfo(const CliArgs& args) {
    const std::string& in = args.positional[0];
    auto bank = std::make_unique<Bank>();
    if (Result r = LoadPresetFile(in, *bank); !r)
        return Fail(in, r);
    std::printf("type: LMK%d\npresets: %d\n", bank->keyboardType, bank->PresetCount());
    for (int i = 0; i < bank->PresetCount(); ++i)
        std::printf("%s %s\n", PresetPositionText(i).c_str(),
                    bank->presets[static_cast<std::size_t>(i)].GetName().c_str());
    return std::fflush(stdout) == 0 ? kExitOk : Fail("cannot write to standard output");
}

int RunToSyx(const CliArgs& args) {
    const std::string& in = args.positional[0];
    const std::string& out = args.positional[1];
    auto bank = std::make_unique<Bank>();
    if (Result r = LoadPresetFile(in, *bank); !r)
        return Fail(in, r);
    // Exactly what Send All Presets sends, without the EEPROM command.
    const Bytes bytes = BuildSyxImage(*bank, args.options.count("--bulk") != 0);
    if (Result r = WriteFileAtomically(out, bytes); !r)
        return Fail(out, r);
    return kExitOk;
}

int RunFromSyx(const CliArgs& args) {
    // Without --type the dumps' own header or length tells the keyboard type.
    int type = 0;
    if (args.options.count("--type") && (type = TypeOption(args)) == 0)
        return kExitUsage;
    const std::string& in = args.positional[0];
    const std::string& out = args.positional[1];
    Bytes bytes;
    if (Result r = ReadWholeFile(in, bytes); !r)
        return Fail(in, r);
    auto bank = std::make_unique<Bank>(); // the reading sets its type and defaults
    std::vector<int> badChecksums;
    if (Result r = ReadSyxImage(bytes, type, *bank, &badChecksums); !r)
        return Fail(in, r);
    if (!badChecksums.empty()) {
        // The keyboard's checksums are informative only; the dumps are kept as received.
        std::string list;
        for (int i : badChecksums)
            list += (list.empty() ? "" : ", ") + PresetPositionText(i);
        std::fprintf(stderr, "presetor-cli: %s: warning: checksum differs for preset(s) %s\n",
                     in.c_str(), list.c_str());
    }
    return Save(out, *bank);
}

const CliRegistration registration{{
    {"new",
     "--type lmk3|lmk4 OUT.lmk",
     "Write a fresh bank with the factory defaults, each preset linked to itself.",
     {"--type"},
     {},
     1,
     RunNew},
    {"info",
     "IN.lmk",
     "Print the keyboard type, the preset count and each preset's name.",
     {},
     {},
     1,
     RunInfo},
    {"to-syx",
     "[--bulk] IN.lmk OUT.syx",
     "Write the dumps that Send All Presets sends: one single dump per preset, or with --bulk "
     "the one bulk dump.",
     {},
     {"--bulk"},
     2,
     RunToSyx},
    {"from-syx",
     "[--type lmk3|lmk4] IN.syx OUT.lmk",
     "Read one bulk dump or single dumps (placed by their preset number; 0 is skipped) into a "
     "fresh bank and save it. The keyboard type comes from the dumps unless --type is given.",
     {"--type"},
     {},
     2,
     RunFromSyx},
}};

} // namespace

} // namespace presetor::cli
