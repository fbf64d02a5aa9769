// presetor-pdf: writes the printed summary page of one preset of a .lmk file as a PDF, without
// a window, a display or the program's settings. The page is the one "presetor /p" prints.
#include "model/Bank.h"
#include "model/PresetFile.h"
#include "pages/PresetPrintout.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int Usage() {
    std::fputs("Usage: presetor-pdf FILE.lmk OUT.pdf [PRESET]\n"
               "Writes the summary page of a preset of FILE.lmk (PRESET is its serial number,\n"
               "1 by default) as a one-page landscape PDF.\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        return Usage();
    }
    // No display is needed for a PDF.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);

    presetor::Bank bank;
    bank.LoadPresetDefaults();
    const presetor::Result loaded = presetor::LoadPresetFile(argv[1], bank);
    if (!loaded) {
        std::fprintf(stderr, "presetor-pdf: %s\n", loaded.message().c_str());
        return 1;
    }
    if (argc == 4) {
        char* end = nullptr;
        const long serial = std::strtol(argv[3], &end, 10);
        if (*end != '\0' || serial < 1 || serial > bank.PresetCount()) {
            std::fprintf(stderr, "presetor-pdf: PRESET must be a number from 1 to %d.\n",
                         bank.PresetCount());
            return 2;
        }
        bank.currentPreset = static_cast<int>(serial - 1);
    }
    QString error;
    if (!printout::WritePdf(bank, QString::fromLocal8Bit(argv[2]), &error)) {
        std::fprintf(stderr, "presetor-pdf: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
