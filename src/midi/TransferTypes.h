// What every transfer engine reports: its state and result, progress (bytes or presets) with
// the status text the dialog shows, and the texts of the transfer messages.
#pragma once

#include <string>

namespace presetor {

enum class TransferState {
    Idle,       // not started
    Running,    // requests or dumps under way
    Ok,         // completed
    NoAnswer,   // 131: nothing (or nothing usable) received in time
    SendFailed, // 132: a send to the keyboard failed
    BadData,    // a malformed or cut-off dump arrived; shown as 131, nothing is changed
    Cancelled,  // the user cancelled
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

struct TransferProgress {
    int textId = 0;   // 147 (bytes) or 130 (preset by preset); 0 before the first progress
    int done = 0;     // bytes so far (147) or the preset number being sent (130)
    int total = 0;    // upper end of the progress bar: bytes (147) or N (130)
    int barValue = 0; // where the progress bar stands
    int barMax = 0;   // its upper end
    // The status line: text 130 or 147 formatted with done and total.
    std::string Text() const;
};

// printf-style formatting of the texts above with two integers.
std::string FormatText(const char* format, int a, int b);

} // namespace presetor
