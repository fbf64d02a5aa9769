// Start-up in the program's order; exit writes the channel assignments and closes MIDI.
#include "PresetorMain.h"

#include "CMainFrame.h"
#include "CommandLine.h"
#include "PresetorSession.h"
#include "Resources.h"
#include "SettingsKeys.h"
#include "ShellIntegration.h"
#include "SvgIcon.h"
#include "Translation.h"

#include "midi/MidiSystem.h"
#if PRESETOR_HAVE_RTMIDI
#include "midi/RtMidiBackend.h"
#endif

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLocale>
#include <QSettings>
#include <QTimer>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

using namespace presetor;

namespace {

QStringList Arguments(int argc, char** argv) {
    QStringList list;
    for (int i = 0; i < argc; ++i) {
        list << QString::fromLocal8Bit(argv[i]);
    }
    return list;
}

// For the start-up benchmark: once the main window has painted, say so and end.
class FirstPaintProbe final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen) {
            seen = true;
            // The peak memory up to this point goes with the line (kB).
            long peakKb = 0;
#ifdef Q_OS_UNIX
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            peakKb = usage.ru_maxrss;
#endif
            std::printf("first-paint %ld\n", peakKb);
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen = false;
};

std::unique_ptr<MidiSystem> MakeMidiSystem() {
#if PRESETOR_HAVE_RTMIDI
    std::string error;
    // Without a usable system MIDI API only the virtual keyboards are offered.
    return std::make_unique<MidiSystem>(MakeRtMidiBackend(RtMidiOptions{}, error));
#else
    return std::make_unique<MidiSystem>();
#endif
}

} // namespace

int PresetorMain(int argc, char** argv, const PresetorParts& parts) {
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

    QApplication qtApp(argc, argv);
    InstallTranslation(ChooseLanguage(line.language, QLocale::system().uiLanguages()));
    QApplication::setOrganizationName(QString::fromLatin1(keys::kOrganization));
    QApplication::setApplicationName(QString::fromLatin1(keys::kApplication));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(PRESETOR_VERSION_MAJOR)
                                            .arg(PRESETOR_VERSION_MINOR)
                                            .arg(PRESETOR_VERSION_PATCH));
    QApplication::setWindowIcon(SvgIcon(QStringLiteral(":/presetor/presetor.svg")));

    QSettings settings(QString::fromLatin1(keys::kOrganization),
                       QString::fromLatin1(keys::kApplication));
    PresetorSession session(settings, parts);
    const int early = session.Start(line, &MakeMidiSystem, QDir::currentPath(), true, true);
    if (early >= 0) {
        return early;
    }
    FirstPaintProbe probe;
    if (qEnvironmentVariableIsSet("PRESETOR_EXIT_AFTER_FIRST_PAINT")) {
        session.Frame()->installEventFilter(&probe);
        // The window may have painted already while start-up showed a message over it.
        session.Frame()->update();
    }
    const int code = QApplication::exec();
    session.Finish();
    return code;
}
