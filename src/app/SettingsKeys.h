// Every key the program keeps in its settings store, with the value used when a key is absent.
// The store is QSettings("Quintor", "Presetor"): the registry on Windows, an INI file elsewhere.
#pragma once

#include <QString>

namespace presetor::keys {

inline constexpr char kOrganization[] = "Quintor";
inline constexpr char kApplication[] = "Presetor";

// Keyboard type: 0 = not chosen yet; 3 with minor 4 (LMK3), 4 with minor 1 (LMK4/4+).
inline constexpr char kKeyboardMajor[] = "Settings/Keyboard-Major";
inline constexpr int kKeyboardMajorDefault = 0;
inline constexpr char kKeyboardMinor[] = "Settings/Keyboard-Minor";
inline constexpr int kKeyboardMinorDefault = 0;

// MIDI devices by product name ("" = the first device), and the transfer options.
inline constexpr char kMidiIn[] = "Settings/MidiIn";
inline constexpr char kMidiOut[] = "Settings/MidiOut";
inline constexpr char kTurbo[] = "Settings/Turbo";
inline constexpr int kTurboDefault = 0;
// Pause between two messages of a preset-by-preset transfer, in milliseconds.
inline constexpr char kPause[] = "Settings/Pause";
inline constexpr int kPauseDefault = 0;

// Transfers: read back and compare after sending one preset (or the edit memory) and after
// Send all; how long a load that has begun may stay silent (ms); pacing at MIDI wire speed off.
inline constexpr char kVerifySingle[] = "Settings/VerifySingle";
inline constexpr int kVerifySingleDefault = 1;
inline constexpr char kVerifyAll[] = "Settings/VerifyAll";
inline constexpr int kVerifyAllDefault = 0;
inline constexpr char kIdleTimeout[] = "Settings/IdleTimeout";
inline constexpr int kIdleTimeoutDefault = 3000;
inline constexpr char kFullSpeed[] = "Settings/FullSpeed";
inline constexpr int kFullSpeedDefault = 0;
// 0 once the user ticked "Do not ask again" in the question before Send all.
inline constexpr char kAskSendAll[] = "Settings/AskBeforeSendAll";
inline constexpr int kAskSendAllDefault = 1;
// "Send changes to the edit memory": every edit of the current preset goes to the keyboard.
inline constexpr char kLiveEdit[] = "Settings/LiveEdit";
inline constexpr bool kLiveEditDefault = false;

// Main window geometry (Qt's own geometry bytes) and its toolbar/status bar state.
inline constexpr char kWindowPos[] = "Settings/WindowPos";
inline constexpr char kWindowState[] = "Settings/WindowState";
// Whether the MIDI monitor was open when the window closed (default false): the monitor is made
// only when needed, so the window state alone cannot bring it back.
inline constexpr char kMidiMonitorShown[] = "Settings/MidiMonitorShown";

// The 40-byte preset default settings (19 bytes also accepted); absent = factory values.
inline constexpr char kDefaultPreset[] = "Settings/DefaultPreset";

// Sound list per MIDI channel: keys "Channels/1" .. "Channels/16", " " = none.
inline constexpr char kChannelsGroup[] = "Channels";
inline constexpr char kChannelDefault[] = " ";
inline QString ChannelKey(int channel1to16) {
    return QStringLiteral("Channels/%1").arg(channel1to16);
}

// Recently used files, "Recent File List/File1" .. "File4", newest first.
inline constexpr int kRecentFileCount = 4;
inline QString RecentFileKey(int n1to4) {
    return QStringLiteral("Recent File List/File%1").arg(n1to4);
}

// Set once the .desktop entry and MIME type have been installed for this user.
inline constexpr char kShellRegistered[] = "Settings/ShellRegistered";

} // namespace presetor::keys
