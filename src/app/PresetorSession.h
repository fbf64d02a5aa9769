// One run of the program once Qt is up: the application object, the document and the main
// window, started in the program's order and ended with its exit steps. main runs one; the UI
// tests run several in a row against the same temporary settings file.
#pragma once

#include "CAppDoc.h"
#include "CEditorApp.h"
#include "CommandLine.h"
#include "PresetorParts.h"

#include <memory>

class CMainFrame;
class QSettings;

class PresetorSession {
public:
    PresetorSession(QSettings& settings, const PresetorParts& parts);
    ~PresetorSession();
    PresetorSession(const PresetorSession&) = delete;
    PresetorSession& operator=(const PresetorSession&) = delete;

    // Start-up after the command line was parsed: preset defaults and keyboard type from the
    // settings, the MIDI devices on offer (midi may be null: virtual keyboards only), the file
    // of the command line or a new document (asking for the keyboard first on the very first
    // start), printing, desktop registration, the main window, then MIDI names, sound lists of
    // soundDirectory and channel assignments, and the output port. Returns -1 when the window
    // is up and the event loop should run, otherwise the exit code of a run that is over.
    int Start(const presetor::CommandLine& line, std::unique_ptr<presetor::MidiSystem> midi,
              const QString& soundDirectory, bool registerDesktop);
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
};
