// One run of the program once Qt is up: the application object, the document and the main
// window, started in the program's order and ended with its exit steps. main runs one; the UI
// tests run several in a row against the same temporary settings file.
#pragma once

#include "CAppDoc.h"
#include "CEditorApp.h"
#include "CommandLine.h"
#include "PresetorParts.h"
#include "SoundListWatcher.h"

#include <functional>
#include <memory>

class CMainFrame;
class QSettings;

class PresetorSession {
public:
    PresetorSession(QSettings& settings, const PresetorParts& parts);
    ~PresetorSession();
    PresetorSession(const PresetorSession&) = delete;
    PresetorSession& operator=(const PresetorSession&) = delete;

    // Makes the MIDI devices on offer; empty or returning null: the virtual keyboards only.
    using MidiMaker = CEditorApp::MidiMaker;

    // Start-up after the command line was parsed: preset defaults and keyboard type from the
    // settings, the file of the command line or a new document (asking for the keyboard first
    // on the very first start), printing, desktop registration, the main window; once it shows,
    // the file of the command line on the recent files list (a settings write, kept out of the
    // first paint), the stored MIDI device names, sound lists of soundDirectory and channel
    // assignments; the MIDI devices of makeMidi and the output port follow when first needed.
    // Returns -1 when the window is up and the event loop should run, otherwise the exit code
    // of a run that is over. With lateAfterFirstPaint the steps after showing the window wait
    // until it has painted (the program does this: the window appears sooner); otherwise they
    // run at once.
    int Start(const presetor::CommandLine& line, const MidiMaker& makeMidi,
              const QString& soundDirectory, bool registerDesktop,
              bool lateAfterFirstPaint = false);
    // The steps after showing the window; runs once.
    void LateStart();
    // Sound-list problems in one message box over the window.
    void ShowSoundListProblems(const std::vector<presetor::Result>& problems);
    // Exit steps: sound lists released, output port closed, channel assignments written.
    void Finish();

    CEditorApp& App() { return app; }
    CAppDoc& Doc() { return doc; }
    // Null until Start has shown it.
    CMainFrame* Frame() { return frame.get(); }

private:
    QSettings& settings;
    PresetorParts parts;
    CEditorApp app;
    CAppDoc doc;
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<QObject> paintWatcher;
    std::unique_ptr<SoundListWatcher> soundWatcher;
    MidiMaker midiMaker;
    QString soundFolder;
    // The file of the command line, put on the recent files list after the first paint.
    QString openedFile;
    bool lateDone = false;
};
