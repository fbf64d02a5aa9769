// Start-up in the program's order; exit writes the channel assignments and closes MIDI.
#include "PresetorMain.h"

#include "CAppDoc.h"
#include "CEditorApp.h"
#include "CKeyboardSelectDlg.h"
#include "CMainFrame.h"
#include "CommandLine.h"
#include "Messages.h"
#include "SettingsKeys.h"
#include "ShellIntegration.h"
#include "Strings.h"

#include "midi/MidiSystem.h"
#if PRESETOR_HAVE_RTMIDI
#include "midi/RtMidiBackend.h"
#endif

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QTimer>

#include <cstdio>

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
            std::fputs("first-paint\n", stdout);
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

    QApplication qtApp(argc, argv);
    QApplication::setOrganizationName(QString::fromLatin1(keys::kOrganization));
    QApplication::setApplicationName(QString::fromLatin1(keys::kApplication));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(PRESETOR_VERSION_MAJOR)
                                            .arg(PRESETOR_VERSION_MINOR)
                                            .arg(PRESETOR_VERSION_PATCH));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/presetor/presetor.svg")));

    if (line.action == CommandLine::Action::RegisterDesktop) {
        QString error;
        if (!InstallShellIntegration(QApplication::applicationFilePath(), &error)) {
            std::fprintf(stderr, "presetor: %s\n", error.toLocal8Bit().constData());
            return 1;
        }
        std::printf("Registered .lmk files with the desktop.\n");
        return 0;
    }

    QSettings settings(QString::fromLatin1(keys::kOrganization),
                       QString::fromLatin1(keys::kApplication));
    CEditorApp app(settings);
    app.ReadStartupSettings();
    app.SetMidiSystem(MakeMidiSystem());
    CAppDoc doc(app);

    // The command line: a file opens it (and sets the keyboard type); otherwise a new
    // document, which on the very first start asks for the keyboard first.
    if (!line.file.isEmpty()) {
        const Result result = doc.OpenDocument(line.file);
        if (!result) {
            ShowWarning(nullptr, result.code() == ErrorCode::InvalidFile
                                     ? Str(IDS_INVALID_FILE)
                                     : QString::fromLocal8Bit(result.message().c_str()));
            return 1;
        }
    } else {
        if (!app.bank.keyboardTypeChosen) {
            CKeyboardSelectDlg select;
            select.exec();
            app.SetKeyboardType(select.ChosenType());
        }
        doc.NewDocument();
    }
    if (line.action == CommandLine::Action::Print) {
        return parts.print(app, doc, line.printer);
    }
    if (line.action == CommandLine::Action::Pdf) {
        return parts.pdf(app, doc, line.output);
    }

    // Register the file type with the desktop once per user (every start on Windows, where
    // the registry keeps the program's current path).
#ifndef Q_OS_WIN
    if (!settings.value(keys::kShellRegistered, false).toBool())
#endif
    {
        if (InstallShellIntegration(QApplication::applicationFilePath())) {
            settings.setValue(keys::kShellRegistered, true);
        }
    }

    CMainFrame frame(app, doc, parts.pages ? parts.pages : EmptyPageFactory(), parts.dialogs);
    FirstPaintProbe probe;
    if (qEnvironmentVariableIsSet("PRESETOR_EXIT_AFTER_FIRST_PAINT")) {
        frame.installEventFilter(&probe);
    }
    frame.RestorePlacement();
    frame.show();
    if (!line.file.isEmpty()) {
        frame.AddRecentFile(doc.PathName());
    }

    // After the window shows: MIDI devices by name, Turbo, sound lists, channel assignments;
    // unreadable sound lists are reported over the window.
    for (const Result& error : app.ReadLateSettings(QDir::currentPath())) {
        ShowWarning(&frame, QString::fromLocal8Bit(error.message().c_str()));
    }
    app.OpenMidiOut(); // a failed open makes every send report the failure

    const int code = QApplication::exec();
    app.Exit();
    return code;
}
