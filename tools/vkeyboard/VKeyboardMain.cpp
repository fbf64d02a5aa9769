// presetor-vkeyboard: runs the virtual keyboard on a JACK or ALSA port pair (it listens on
// NAME-in:in and answers on NAME:out) until it is terminated. One line per handled message goes to
// standard output.
#include "PacedLink.h"
#include "midi/RtMidiBackend.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::atomic<bool> stopRequested{false};

void OnSignal(int) {
    stopRequested = true;
}

int Usage() {
    std::fprintf(stderr,
                 "Usage: presetor-vkeyboard [--type lmk3|lmk4] [--name NAME] [--api jack|alsa]\n"
                 "                          [--echo] [--pace] [--drop N] [--corrupt N] "
                 "[--silent]\n");
    return 2;
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
        } else {
            return Usage();
        }
    }

    std::string error;
    VirtualPorts ports = OpenVirtualPorts(rt, error);
    if (!ports.in || !ports.out) {
        std::fprintf(stderr, "presetor-vkeyboard: %s\n", error.c_str());
        return 1;
    }
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);

    VirtualKeyboard keyboard(options);
    {
        PacedLink link(keyboard, *ports.in, *ports.out, stdout);
        std::printf("ready %s LMK%d\n", rt.clientName.c_str(), options.keyboardType);
        std::fflush(stdout);
        link.Run(stopRequested);
    }
    ports.in->Close();
    ports.out->Close();
    return 0;
}
