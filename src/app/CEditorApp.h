// The application object: owns for the whole run the preset bank, the keyboard type, the MIDI
// device choice and transfer options, the sound lists and the channel assignments, and reads and
// writes them through one settings store. It is a plain QObject owned by main (or a test).
#pragma once

#include "midi/CMidiOut.h"
#include "midi/MidiSystem.h"
#include "model/Bank.h"
#include "model/SoundList.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QSettings;

class CEditorApp final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEditorApp)

public:
    // The settings store is not owned; it must outlive the object. main passes
    // QSettings("Quintor", "Presetor"); tests pass an INI file in a temporary directory.
    explicit CEditorApp(QSettings& settings, QObject* parent = nullptr);
    ~CEditorApp() override;

    QSettings& Settings() { return settings; }

    // Start-up steps that need no window: the preset defaults (with 64 presets, since the type is
    // still the LMK3 here), then the stored keyboard type, written back when one is stored.
    void ReadStartupSettings();
    // Start-up steps after the main window is shown: MIDI device names, Turbo and the pause, the
    // sound lists of soundDirectory, the user's data folder and the installed folder, and the
    // channel assignments. Returns the sound-list errors (files that could not be read or have
    // skipped lines), for the caller to show.
    std::vector<presetor::Result> ReadLateSettings(const QString& soundDirectory);
    // Reads the sound lists of soundFolders again (a file was added, changed or removed) and
    // emits SoundListsChanged. Returns the errors as ReadLateSettings does.
    std::vector<presetor::Result> ReloadSoundLists();
    // Exit: releases the sound lists, closes the output port and writes the channel
    // assignments.
    void Exit();

    // Reads "DefaultPreset" into presetDefaults (40 or 19 bytes; anything else keeps them) and
    // resets the presets in use from them.
    void LoadPresetDefaults();
    // Stores presetDefaults as the 40-byte "DefaultPreset".
    void SavePresetDefaults();
    // Sets type 3 or 4 with its minor number, marks it chosen and writes both settings.
    void SetKeyboardType(int type);
    // Writes the bank's current type and minor number (after a file switched them).
    void WriteKeyboardType();
    // Stores the MIDI choice made in the connections dialog.
    void SaveMidiSettings();

    // The devices on offer: the virtual keyboards, plus the system ports when main gives a
    // backend. Replacing it closes the output port (and drops a maker not yet run).
    void SetMidiSystem(std::unique_ptr<presetor::MidiSystem> system);
    // Makes the devices on offer with the system's ports.
    using MidiMaker = std::function<std::unique_ptr<presetor::MidiSystem>()>;
    // Start-up: the system's ports are made by maker when first needed (the first transfer,
    // live edit's first send, the MIDI-Connections dialog, the MIDI monitor), not at start:
    // setting them up costs the MIDI server's cycles (a JACK server locks its whole graph
    // memory into every client), which a session without MIDI never pays.
    void SetMidiMaker(MidiMaker maker);
    // Runs a pending maker: installs its system, finds the stored device names in it and
    // opens the output. Does nothing when no maker waits. True when it made them now. The
    // maker runs on a thread of its own while the window keeps painting and answering the
    // window manager (user input waits until it is done).
    bool EnsureMidi();
    // True while EnsureMidi waits for the maker: a timer that fires meanwhile must not use the
    // ports yet.
    bool MidiBeingMade() const { return midiBeingMade; }
    presetor::MidiSystem& Midi() {
        EnsureMidi();
        return *midiSystem;
    }
    // Start-up: the device numbers of the stored product names (exact match); a name that is
    // not found leaves the number as it was.
    void ResolveMidiDevices();
    // Opens midiOut on midiOutDevice; false when it cannot be opened (sends then fail).
    bool OpenMidiOut();
    // At the start of every transfer: finds the chosen ports by name again (a replugged
    // keyboard's port may have another number, or be gone) and reopens the output, so a
    // keyboard that went away and came back is reached again. False when a port is not there;
    // missing then holds its name.
    bool ReconnectMidi(QString& missing);
    // The name of the input or output device the transfers use, for messages.
    QString MidiDeviceName(presetor::MidiKind kind) const;

    // The sound a split on channel (0..15) selects through the channel's assigned list.
    bool LookupSound(int channel, int msb, int lsb, int program, std::string& listName,
                     std::string& bankName, std::string& soundName) const;

    // The bank with currentPreset, keyboardType and presetDefaults. Only CAppDoc writes the
    // presets; see CAppDoc::GetBank.
    presetor::Bank bank;

    // MIDI choice: product names as stored, the device numbers they resolved to, and options.
    QString midiInName;
    QString midiOutName;
    int midiInDevice = 0;
    int midiOutDevice = 0;
    int turbo = 0;            // "Transfer all Preset once"
    int pauseMs = 0;          // pause between the messages of a preset-by-preset transfer
    bool verifySingle = true; // read back after Send this preset / to edit memory
    bool verifyAll = false;   // read back after Send all
    int idleTimeoutMs = 3000; // a load that has begun ends after this much silence
    bool fullSpeed = false;   // sends not paced at MIDI wire speed
    bool askSendAll = true;   // ask before Send all replaces the keyboard's presets

    // The output port used by every send; opened at start-up.
    std::unique_ptr<presetor::CMidiOut> midiOut;

    std::vector<presetor::CSoundList> soundLists;
    // The folders the sound lists come from, in search order.
    QStringList soundFolders;
    // Per MIDI channel 1..16 the name of its sound list; " " = none.
    std::array<std::string, 16> channelAssignments;

signals:
    // The keyboard type changed (switch command, a file of the other type).
    void KeyboardTypeChanged(int type);
    // soundLists were read again; shown sound names may have changed.
    void SoundListsChanged();

private:
    QSettings& settings;
    std::unique_ptr<presetor::MidiSystem> midiSystem;
    MidiMaker pendingMidi;
    bool midiBeingMade = false;
};
