// Command-line parsing.
#include "CommandLine.h"

#include <QCoreApplication>

namespace presetor {

namespace {
QString Tr(const char* text) {
    return QCoreApplication::translate("Presetor", text);
}
} // namespace

CommandLine CommandLine::Parse(const QStringList& arguments) {
    CommandLine line;
    const auto fail = [&line](const QString& error) {
        line.action = Action::Error;
        line.error = error;
        return line;
    };
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        const QString lower = arg.toLower();
        if (lower == QLatin1String("--help") || lower == QLatin1String("-h") ||
            lower == QLatin1String("/?")) {
            line.action = Action::Help;
            return line;
        }
        if (lower == QLatin1String("--version")) {
            line.action = Action::Version;
            return line;
        }
        if (lower == QLatin1String("--register-desktop")) {
            line.action = Action::RegisterDesktop;
            continue;
        }
        if (lower == QLatin1String("/p") || lower == QLatin1String("-p")) {
            if (i + 1 >= arguments.size()) {
                return fail(Tr("/p needs the name of the file to print."));
            }
            line.action = Action::Print;
            line.file = arguments[++i];
            continue;
        }
        if (lower == QLatin1String("/pdf") || lower == QLatin1String("--pdf")) {
            if (i + 2 >= arguments.size()) {
                return fail(Tr("/pdf needs the file to print and the PDF file to write."));
            }
            line.action = Action::Pdf;
            line.file = arguments[++i];
            line.output = arguments[++i];
            continue;
        }
        if (lower == QLatin1String("/pt") || lower == QLatin1String("-pt")) {
            if (i + 2 >= arguments.size()) {
                return fail(Tr("/pt needs the file to print and the printer's name."));
            }
            line.action = Action::Print;
            line.file = arguments[++i];
            line.printer = arguments[++i];
            // Driver and port, as the shell's "print to" passes them, are not needed.
            while (i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1Char('/')) &&
                   !arguments[i + 1].startsWith(QLatin1Char('-'))) {
                ++i;
            }
            continue;
        }
        if (lower == QLatin1String("--lang") || lower.startsWith(QLatin1String("--lang="))) {
            if (lower == QLatin1String("--lang") && i + 1 >= arguments.size()) {
                return fail(Tr("--lang needs a language, for example de or en."));
            }
            line.language = lower == QLatin1String("--lang") ? arguments[++i] : arg.mid(7);
            continue;
        }
        if (arg.startsWith(QLatin1String("--"))) {
            return fail(Tr("Unknown option %1.").arg(arg));
        }
        if (!line.file.isEmpty()) {
            return fail(Tr("Only one file can be opened."));
        }
        line.file = arg;
    }
    return line;
}

QString CommandLine::HelpText() {
    return Tr("Usage: presetor [FILE.lmk | FILE.syx]\n"
              "       presetor /p FILE.lmk\n"
              "       presetor /pt FILE.lmk PRINTER\n"
              "       presetor /pdf FILE.lmk OUT.pdf\n"
              "\n"
              "Preset editor for the LMK3 and LMK4/4+ master keyboards.\n"
              "\n"
              "  FILE.lmk            open this preset file\n"
              "  FILE.syx            open the dumps of this SysEx file as a new document\n"
              "  /p FILE             print the current preset of FILE and end\n"
              "  /pt FILE PRINTER    the same on the named printer\n"
              "  /pdf FILE OUT.pdf   write the current preset of FILE as a PDF file and end\n"
              "  --lang LANGUAGE     show the program in this language (de, en); without it\n"
              "                      the desktop's language is used\n"
              "  --register-desktop  register .lmk files with the desktop and end\n"
              "  --version           show the version and end\n"
              "  --help              show this text and end\n");
}

} // namespace presetor
