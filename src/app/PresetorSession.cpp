// Start-up in the program's order.
#include "PresetorSession.h"

#include "CKeyboardSelectDlg.h"
#include "CMainFrame.h"
#include "FileNames.h"
#include "Messages.h"
#include "SettingsKeys.h"
#include "ShellIntegration.h"
#include "StartupPreload.h"
#include "Strings.h"
#include "SvgIcon.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTimer>

using namespace presetor;

PresetorSession::PresetorSession(QSettings& store, const PresetorParts& plugged)
    : settings(store), parts(plugged), app(store), doc(app) {}

PresetorSession::~PresetorSession() {
    frame.reset(); // the window and its pages go before the document they show
}

namespace {

// Gives every window of the program its icon, from the next window on. The main window takes it
// after it is shown: Qt hands a window's icon to the window system as it makes the window and
// again right after, and an icon that comes only later goes once (four sizes, 90 kB).
void UseProgramIcon() {
    if (QApplication::windowIcon().isNull()) {
        QApplication::setWindowIcon(SvgIcon(QStringLiteral(":/presetor/presetor.svg")));
    }
}

// Runs a function once, from the event loop, after the watched window's first paint.
class FirstPaintWatcher final : public QObject {
public:
    explicit FirstPaintWatcher(std::function<void()> then) : action(std::move(then)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !fired) {
            fired = true;
            QTimer::singleShot(0, this, [this] { action(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action;
    bool fired = false;
};

} // namespace

int PresetorSession::Start(const CommandLine& line, const MidiMaker& makeMidi,
                           const QString& soundDirectory, bool registerDesktop,
                           bool lateAfterFirstPaint) {
    midiMaker = makeMidi;
    soundFolder = soundDirectory;
    app.ReadStartupSettings();

    // The command line: a file opens it (and sets the keyboard type); otherwise a new
    // document, which on the very first start asks for the keyboard before any window shows.
    // A .syx file opens as an untitled document of the type its dumps name.
    const bool syx =
        QFileInfo(line.file).suffix().compare(QLatin1String("syx"), Qt::CaseInsensitive) == 0;
    if (!line.file.isEmpty()) {
        const Result result = syx ? doc.OpenSysexFile(line.file, {}) : doc.OpenDocument(line.file);
        if (!result) {
            WaitForFontPreload();
            UseProgramIcon();
            ShowWarning(nullptr, FileErrorText(line.file, result));
            return 1;
        }
    } else {
        if (!app.bank.keyboardTypeChosen) {
            WaitForFontPreload();
            UseProgramIcon();
            CKeyboardSelectDlg select;
            select.exec();
            app.SetKeyboardType(select.ChosenType());
        }
        doc.NewDocument();
    }
    if (line.action == CommandLine::Action::Print || line.action == CommandLine::Action::Pdf) {
        WaitForFontPreload(); // the printout measures text
    }
    if (line.action == CommandLine::Action::Print) {
        return parts.print ? parts.print(app, doc, line.printer) : 3;
    }
    if (line.action == CommandLine::Action::Pdf) {
        return parts.pdf ? parts.pdf(app, doc, line.output) : 3;
    }

    // The file type is registered with the desktop once per user (at every start on Windows,
    // where the registry keeps the program's current path). An installed program (the Debian
    // package) brought its desktop entry, MIME type and icon along and writes nothing.
    if (registerDesktop) {
#ifndef Q_OS_WIN
        if (!settings.value(keys::kShellRegistered, false).toBool() &&
            !InstalledWithDesktopEntry(QApplication::applicationFilePath()))
#endif
        {
            if (InstallShellIntegration(QApplication::applicationFilePath())) {
                settings.setValue(keys::kShellRegistered, true);
            }
        }
    }

    frame = std::make_unique<CMainFrame>(app, doc, parts.pages ? parts.pages : EmptyPageFactory(),
                                         parts.dialogs);
    frame->RestorePlacement();
    frame->show();
    UseProgramIcon();
    if (!line.file.isEmpty()) {
        openedFile = syx ? QFileInfo(line.file).absoluteFilePath() : doc.PathName();
    }

    if (lateAfterFirstPaint) {
        paintWatcher = std::make_unique<FirstPaintWatcher>([this] { LateStart(); });
        frame->installEventFilter(paintWatcher.get());
    } else {
        LateStart();
    }
    return -1;
}

void PresetorSession::LateStart() {
    if (lateDone || !frame) {
        return;
    }
    lateDone = true;
    if (!openedFile.isEmpty()) {
        frame->AddRecentFile(openedFile);
    }
    // After the window shows: MIDI device names, Turbo, sound lists and channel assignments;
    // unreadable sound lists are reported over the window. The system's MIDI ports are set up
    // when first needed (CEditorApp::EnsureMidi), which then opens the output; without them the
    // output is opened on the virtual keyboards now.
    const std::vector<Result> problems = app.ReadLateSettings(soundFolder);
    ShowSoundListProblems(problems);
    soundWatcher = std::make_unique<SoundListWatcher>(
        app, [this](const std::vector<Result>& fresh) { ShowSoundListProblems(fresh); }, problems);
    if (midiMaker) {
        app.SetMidiMaker(midiMaker);
    } else {
        app.OpenMidiOut(); // a failed open makes every send report the failure
    }
}

void PresetorSession::ShowSoundListProblems(const std::vector<Result>& problems) {
    // One message for all files, each naming its file and its skipped lines.
    QStringList texts;
    for (const Result& problem : problems) {
        texts.append(DisplayMessage(problem.message()));
    }
    if (!texts.isEmpty()) {
        ShowWarning(frame.get(), texts.join(QStringLiteral("\n\n")));
    }
}

void PresetorSession::Finish() {
    soundWatcher.reset();
    app.Exit();
}
