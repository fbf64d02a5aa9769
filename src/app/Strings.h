// The program's string table: every numbered text in one place, looked up by its number and
// passed through Qt's translation ("Presetor" context).
#pragma once

#include <QString>

namespace presetor {

// Numbers of the texts the code refers to by name.
enum StringId : int {
    IDS_SEND_PRESET_N = 130,       // "Send Preset %d of %d."
    IDS_NO_DATA_RECEIVED = 131,    // warning: a load got no answer
    IDS_NO_DATA_SENT = 132,        // warning: a send failed
    IDS_INVALID_FILE = 133,        // warning: not a preset file
    IDS_COLUMN_NAME = 134,         // "Name"
    IDS_COLUMN_NUMBER = 135,       // "Number"
    IDS_ASK_RESET = 139,           // question before Reset
    IDS_DEST_COPY = 140,           // destination prompt for Copy
    IDS_DEST_EXCHANGE = 141,       // destination prompt for Exchange
    IDS_EEPROM_WAIT = 142,         // information after Store in EEPROM
    IDS_STATUS_LOADING = 143,      // status bar during Load all
    IDS_STATUS_SENDING = 144,      // status bar during Send all
    IDS_BYTES_TRANSMITTED = 147,   // "%d Bytes of %d Bytes transmitted."
    IDS_ASK_KEYBOARD_SWITCH = 148, // question before switching the keyboard type
    IDS_INDICATOR_LMK4 = 149,      // status bar indicator "LMK4/4+"
    IDS_TAB_ASSIGNMENTS = 150,     // "Controller-Assignments"
    IDS_SENT_TO_EEPROM = 153,      // information at the end of Send all on an LMK4
    IDS_DEST_INSERT = 154,         // destination prompt for Insert
    // Names and values read out by screen readers.
    IDS_ACC_KEY_RANGE = 1401, // "%1 to %2": the marked keys of the keyboard widget
    IDS_ACC_NO_KEYS = 1402,   // the keyboard widget with nothing marked
    IDS_ACC_KEYBOARD = 1403,  // name of the keyboard widget
    IDS_ACC_CURVE = 1404,     // "Curve %1": an item of a curve list
    IDS_ACC_AFTERTOUCH_CURVES = 1405,
    IDS_ACC_VELOCITY_CURVES = 1406,
    IDS_ACC_PRESET_LIST = 1407,   // name of the preset list
    IDS_ACC_LINKED_PRESET = 1408, // the Global page's text of the linked preset
};

// The text with the given number, translated; an empty string for an unknown number.
QString Str(int id);

// A command's status-bar prompt (before "\n") and tooltip (after it).
QString PromptOf(int commandId);
QString TooltipOf(int commandId);

// "%d.%d (%d)": bank, place and serial number of preset index i.
QString PresetPosition(int index);

// Text of the status-bar indicator for a keyboard type: "LMK3V4" or "LMK4/4+".
QString KeyboardIndicator(int keyboardType);

} // namespace presetor
