// presetor-cli print: the printed summary page of one preset as a PDF, without a window, a
// display or the program's settings. It is the page "presetor /p" prints. The PDF is rendered
// in memory and written with the one atomic file write, so a failure (a full disk) leaves the
// old file as it was and exits non-zero.
#include "CliCommand.h"
#include "CliPrintUsage.h"
#include "model/Bank.h"
#include "model/PresetFile.h"
#include "pages/PresetPrintout.h"
#include "pages/PresetSummary.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace presetor::cli {

namespace {

int RunPrint(const CliArgs& args) {
    const std::string& in = args.positional[0];
    const std::string& out = args.positional[1];
    auto bank = std::make_unique<Bank>();
    bank->LoadPresetDefaults();
    if (Result r = LoadPresetFile(in, *bank); !r)
        return Fail(in, r);
    if (const auto it = args.options.find("--preset"); it != args.options.end()) {
        char* end = nullptr;
        const long serial = std::strtol(it->second.c_str(), &end, 10);
        if (it->second.empty() || *end != '\0' || serial < 1 || serial > bank->PresetCount()) {
            std::fprintf(stderr, "presetor-cli: --preset takes a number from 1 to %d\n",
                         bank->PresetCount());
            return kExitUsage;
        }
        bank->currentPreset = static_cast<int>(serial - 1);
    }

    // Fonts need a GUI application; a PDF needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "presetor-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    const QString target = QFile::decodeName(out.c_str());
    QString error;
    const bool summary = args.options.count("--summary") || args.options.count("--bank");
    const printout::Summary pages{*bank,
                                  args.options.count("--bank")
                                      ? printout::PrintScope::WholeBank
                                      : printout::PrintScope::CurrentPreset,
                                  {},
                                  QFile::decodeName(in.c_str()).section(QLatin1Char('/'), -1)};
    const bool written = summary ? printout::WriteSummaryPdf(target, pages, &error)
                                 : printout::WritePdf(*bank, target, &error);
    if (!written)
        return Fail(error.toLocal8Bit().toStdString());
    return kExitOk;
}

const CliRegistration registration{{
    {"print", kPrintUsage, kPrintSummary, {"--preset"}, {"--summary", "--bank"}, 2, RunPrint},
}};

} // namespace

} // namespace presetor::cli
