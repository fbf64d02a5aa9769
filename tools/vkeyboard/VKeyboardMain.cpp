// presetor-vkeyboard: runs the virtual keyboard on a JACK or ALSA port pair (it listens on
// NAME-in:in and answers on NAME:out) until it is terminated. One line per handled message goes to
// standard output.
#include "PacedLink.h"
#include "midi/RtMidiBackend.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::atomic<bool> stopRequested{false};

void OnSignal(int) {
    stopRequested = true;
}

int Usage() {
    std::fprintf(stderr,
                 "Usage: presetor-vkeyboard [--type lmk3|lmk4] [--name NAME] [--api jack|alsa]\n"
                 "                          [--echo] [--pace] [--drop N] [--corrupt N] "
                 "[--silent]\n"
                 "                          [--ignore-writes] [--stop-after BYTES]\n"
                 "                          [--corrupt-presets N,N...] [--drop-presets N,N...]\n"
                 "                          [--damage-always]\n"
                 "Faults: --ignore-writes takes dumps without storing them; --stop-after falls\n"
                 "silent after so many bytes sent; --corrupt-presets / --drop-presets damage the\n"
                 "answer for those preset numbers (1..N) the first time each is asked for (every\n"
                 "time with --damage-always).\n");
    return 2;
}

// "3,20,49" to preset numbers; false on anything else.
bool ParseNumbers(const std::string& text, std::vector<int>& numbers) {
    std::size_t pos = 0;
    while (pos <= text.size()) {
        const std::size_t comma = std::min(text.find(',', pos), text.size());
        const std::string item = text.substr(pos, comma - pos);
        if (item.empty() || item.find_first_not_of("0123456789") != std::string::npos ||
            item.size() > 3) {
            return false;
        }
        numbers.push_back(std::atoi(item.c_str()));
        pos = comma + 1;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    using namespace presetor;
    VirtualKeyboardOptions options;
    RtMidiOptions rt;
    rt.clientName = "vkeyboard";
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--type" && hasValue) {
            const std::string t = argv[++i];
            if (t != "lmk3" && t != "lmk4") {
                return Usage();
            }
            options.keyboardType = t == "lmk3" ? 3 : 4;
        } else if (a == "--name" && hasValue) {
            rt.clientName = argv[++i];
        } else if (a == "--api" && hasValue) {
            rt.api = argv[++i];
        } else if (a == "--echo") {
            options.echo = true;
        } else if (a == "--pace") {
            options.pace = true;
        } else if (a == "--silent") {
            options.silent = true;
        } else if (a == "--drop" && hasValue) {
            options.dropEvery = std::atoi(argv[++i]);
        } else if (a == "--corrupt" && hasValue) {
            options.corruptEvery = std::atoi(argv[++i]);
        } else if (a == "--damage-always") {
            options.damageAlways = true;
        } else if (a == "--ignore-writes") {
            options.ignoreWrites = true;
        } else if (a == "--stop-after" && hasValue) {
            options.stopAfter = std::atoll(argv[++i]);
        } else if (a == "--corrupt-presets" && hasValue) {
            if (!ParseNumbers(argv[++i], options.corruptPresets)) {
                return Usage();
            }
        } else if (a == "--drop-presets" && hasValue) {
            if (!ParseNumbers(argv[++i], options.dropPresets)) {
                return Usage();
            }
        } else {
            return Usage();
        }
    }

    std::string error;
    // Paced over JACK, the input is a port of its own that keeps each piece's arrival time.
    std::unique_ptr<JackPieceInput> pieces;
#if defined(PRESETOR_HAVE_JACK)
    if (options.pace && ChoosesJack(rt)) {
        pieces = JackPieceInput::Open(rt.clientName + "-in", "in", error);
        if (!pieces) {
            std::fprintf(stderr, "presetor-vkeyboard: %s\n", error.c_str());
            return 1;
        }
    }
#endif
    VirtualPorts ports = OpenVirtualPorts(rt, error, !pieces);
    if ((!ports.in && !pieces) || !ports.out) {
        std::fprintf(stderr, "presetor-vkeyboard: %s\n", error.c_str());
        return 1;
    }
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);

    VirtualKeyboard keyboard(options);
    {
        PacedLink link(keyboard, ports.in.get(), pieces.get(), *ports.out, stdout);
        std::printf("ready %s LMK%d\n", rt.clientName.c_str(), options.keyboardType);
        std::fflush(stdout);
        link.Run(stopRequested);
    }
    if (ports.in) {
        ports.in->Close();
    }
    ports.out->Close();
    return 0;
}
