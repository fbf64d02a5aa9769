// The program's command line: a preset file to open, "/p FILE" and "/pt FILE PRINTER [DRIVER
// PORT]" to print, "/pdf FILE OUT.pdf", --lang LANGUAGE, and --help, --version,
// --register-desktop. Parsed before any window exists.
#pragma once

#include <QString>
#include <QStringList>

namespace presetor {

struct CommandLine {
    enum class Action { Run, Help, Version, Print, Pdf, RegisterDesktop, Error };

    Action action = Action::Run;
    QString file;     // the file to open or print; empty for a new document
    QString printer;  // "/pt": the printer's name; empty means the default printer
    QString output;   // "/pdf": the PDF file to write
    QString error;    // Action::Error: what was wrong
    QString language; // "--lang de": the language of the texts; empty follows the system

    static CommandLine Parse(const QStringList& arguments);
    static QString HelpText();
};

} // namespace presetor
