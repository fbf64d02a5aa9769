// Start-up in the program's order; exit writes the channel assignments and closes MIDI.
#include "PresetorMain.h"

#include "ApplicationStyle.h"
#include "CMainFrame.h"
#include "CommandLine.h"
#include "FileNames.h"
#include "PresetorSession.h"
#include "Resources.h"
#include "SettingsKeys.h"
#include "ShellIntegration.h"
#include "StartupPreload.h"
#include "SystemMidi.h"
#include "Translation.h"

#include "midi/MidiSystem.h"
#include "model/FileIo.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QSettings>

#include <cstdio>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <optional>

using namespace presetor;

namespace {

QStringList Arguments(int argc, char** argv) {
    QStringList list;
    for (int i = 0; i < argc; ++i) {
        // File names keep bytes that are not valid in the locale's encoding.
        list << FileNameFromBytes(QByteArray(argv[i]));
    }
    return list;
}

// Without a usable system MIDI API only the virtual keyboards are offered.
std::unique_ptr<MidiSystem> MakeMidiSystem() {
    return MakeSystemMidi(QCoreApplication::applicationDirPath());
}

} // namespace

int PresetorMain(int argc, char** argv, const PresetorParts& parts) {
    ReportFileSizeLimitAsError();
#if defined(__GLIBC__)
    // One heap for all threads: what the start-up helpers allocate and free (the font
    // configuration, the session bus) is reused by the window instead of staying in heaps of
    // their own. No thread of this program allocates often enough to contend for it.
    mallopt(M_ARENA_MAX, 1);
#endif
    const CommandLine line = CommandLine::Parse(Arguments(argc, argv));
    switch (line.action) {
    case CommandLine::Action::Help:
        std::fputs(CommandLine::HelpText().toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Action::Version:
        std::printf("Presetor %d.%d.%d (Build %d)\n", PRESETOR_VERSION_MAJOR,
                    PRESETOR_VERSION_MINOR, PRESETOR_VERSION_PATCH, PRESETOR_BUILD_NUMBER);
        return 0;
    case CommandLine::Action::Error:
        std::fprintf(stderr, "presetor: %s\n%s", line.error.toLocal8Bit().constData(),
                     CommandLine::HelpText().toLocal8Bit().constData());
        return 2;
    default:
        break;
    }
    if ((line.action == CommandLine::Action::Print && !parts.print) ||
        (line.action == CommandLine::Action::Pdf && !parts.pdf)) {
        std::fputs("presetor: printing is not available in this version yet.\n", stderr);
        return 3;
    }

    InitResources();
    if (line.action == CommandLine::Action::RegisterDesktop) {
        // No window is needed, so this works without a display too.
        QCoreApplication coreApp(argc, argv);
        QString error;
        if (!InstallShellIntegration(QCoreApplication::applicationFilePath(), &error)) {
            std::fprintf(stderr, "presetor: %s\n", error.toLocal8Bit().constData());
            return 1;
        }
        std::printf("Registered .lmk files with the desktop.\n");
        return 0;
    }

    // The font configuration is read on a helper thread while Qt connects to the display.
    StartFontPreload();
    QApplication qtApp(argc, argv);
    UseApplicationStyle();
    UseUnshapedText();
    // Only a window asks for the session bus (its menu bar); printing does not.
    std::optional<SessionBusPreload> sessionBus;
    if (line.action == CommandLine::Action::Run) {
        sessionBus.emplace();
    }
    InstallTranslation(ChooseLanguage(line.language, QLocale::system().uiLanguages()));
    QApplication::setOrganizationName(QString::fromLatin1(keys::kOrganization));
    QApplication::setApplicationName(QString::fromLatin1(keys::kApplication));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(PRESETOR_VERSION_MAJOR)
                                            .arg(PRESETOR_VERSION_MINOR)
                                            .arg(PRESETOR_VERSION_PATCH));

    QSettings settings(QString::fromLatin1(keys::kOrganization),
                       QString::fromLatin1(keys::kApplication));
    PresetorSession session(settings, parts);
    const int early = session.Start(line, &MakeMidiSystem, QDir::currentPath(), true, true);
    if (early >= 0) {
        return early;
    }
    const int code = QApplication::exec();
    session.Finish();
    return code;
}
