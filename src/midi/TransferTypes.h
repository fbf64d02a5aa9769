// What every transfer engine reports: its state and result, progress (bytes or presets) with
// the status text the dialog shows, and the texts of the transfer messages.
#pragma once

#include <string>
#include <vector>

namespace presetor {

enum class TransferState {
    Idle,       // not started
    Running,    // requests or dumps under way
    Ok,         // completed
    NoAnswer,   // 131: nothing (or nothing usable) received in time
    SendFailed, // 132: a send to the keyboard failed
    BadData,    // a malformed or cut-off dump arrived; nothing is changed
    Cancelled,  // the user cancelled
    Stopped,    // the answer began but stopped (idle or overall limit); nothing is changed
    WrongType,  // the keyboard answered as the other keyboard type; nothing is changed
};

inline bool IsFinished(TransferState s) {
    return s != TransferState::Idle && s != TransferState::Running;
}

// The program's texts for transfers, keyed by their string numbers.
inline constexpr const char* kText130 = "Send Preset %d of %d.";
inline constexpr const char* kText131 =
    "No data received. Please check Cables and Midi-Connections.";
inline constexpr const char* kText132 = "No data send. Please check cables and MIDI-Connections.";
inline constexpr const char* kText142 =
    "Please wait with further transmissions to/from the LMK4, until all Preset has been copied "
    "to the EEProm. Normally it takes abourt 2 minutes.";
inline constexpr const char* kText143 = "Load Preset from LMK";
inline constexpr const char* kText144 = "Save Presets to LMK.";
inline constexpr const char* kText147 = "%d Bytes of %d Bytes transmitted.";
inline constexpr const char* kText153 =
    "All Presets are transferred ti the LMK4. Now saving the presets into the EEProm. It may "
    "take about 2 minutes to do this. Please wait until the operation is finished.";

// Texts the command-line tool prints for the newer transfer outcomes (the window shows the same
// texts from its string table).
inline constexpr const char* kTextStopped =
    "The keyboard stopped answering: %d of %d presets arrived (%d of %d bytes). Nothing was "
    "changed.";
inline constexpr const char* kTextNoCompleteDump =
    "No complete dump arrived within %d s (%d of %d bytes seen). Please check Cables and "
    "Midi-Connections. Nothing was changed.";
inline constexpr const char* kTextDamagedDump =
    "The keyboard's dump arrived damaged (%d of %d bytes). Nothing was changed.";
inline constexpr const char* kTextWrongType =
    "The keyboard answered as an LMK%d, but an LMK%d is selected.";
inline constexpr const char* kTextDamagedPresets = "These presets arrived damaged: %s";
inline constexpr const char* kTextVerified = "All %d presets verified.";
inline constexpr const char* kTextVerifyDiffers =
    "Verification failed: these presets differ on the keyboard: %s";
inline constexpr const char* kTextVerifyNoAnswer =
    "Verification failed: the keyboard did not send the presets back.";
inline constexpr const char* kTextBytesEstimated = "About %d of %d Bytes transmitted (estimated).";

struct TransferProgress {
    int textId = 0;         // 147 (bytes) or 130 (preset by preset); 0 before the first progress
    int done = 0;           // bytes so far (147) or the preset number being sent (130)
    int total = 0;          // upper end of the progress bar: bytes (147) or N (130)
    int barValue = 0;       // where the progress bar stands
    int barMax = 0;         // its upper end
    bool estimated = false; // bytes estimated from the time a dump needs on the wire
    // The status line: text 130 or 147 formatted with done and total.
    std::string Text() const;
};

// printf-style formatting of the texts above with two integers.
std::string FormatText(const char* format, int a, int b);
// "3.4 (20), 7.1 (49)": preset positions of the indices, in the order given.
std::string PresetList(const std::vector<int>& indices);

} // namespace presetor
