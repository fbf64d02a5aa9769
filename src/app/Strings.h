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

    // Transfers: how they ended, what to do about damage, verification, status-bar reports.
    IDS_LOAD_STOPPED = 900,          // an answer that stopped: presets and bytes that arrived
    IDS_NO_COMPLETE_DUMP = 901,      // bulk load: no complete dump within the limit
    IDS_DUMP_DAMAGED = 902,          // bulk load: the dump arrived damaged
    IDS_WRONG_TYPE = 903,            // question: the keyboard answered as the other type
    IDS_DAMAGED_PRESETS = 904,       // question: presets arrived damaged (names them)
    IDS_RETRY_THEM = 905,            // button
    IDS_KEEP = 906,                  // button
    IDS_DISCARD = 907,               // button
    IDS_VERIFIED_ALL = 908,          // "All %1 presets verified."
    IDS_VERIFY_DIFFERS = 909,        // names the presets that differ
    IDS_VERIFY_NO_ANSWER = 910,      // nothing came back to compare
    IDS_EEPROM_HELD = 911,           // the LMK4 was not told to store a bank that differs
    IDS_SENT_UNVERIFIED_LMK4 = 912,  // end of Send all on an LMK4 without verification
    IDS_STATUS_LOADED_ALL = 913,     // "Loaded %1 presets from %2 in %3 s"
    IDS_STATUS_SENT_ALL = 914,       // Send all, not verified
    IDS_STATUS_SENT_ALL_OK = 915,    // Send all, verified
    IDS_STATUS_SENT_PRESET = 916,    // one preset sent, not verified
    IDS_STATUS_SENT_EDIT = 917,      // sent to the edit memory, not verified
    IDS_STATUS_SENT_PRESET_OK = 918, // one preset sent and verified
    IDS_STATUS_SENT_EDIT_OK = 919,   // sent to the edit memory and verified
    IDS_STATUS_LOADED_PRESET = 920,  // one preset loaded
    IDS_STATUS_LOADED_EDIT = 921,    // loaded from the edit memory
    IDS_VERIFY_PRESET_DIFFERS = 922, // one preset read back differs
    IDS_EEPROM_COUNTDOWN = 923,      // status bar while the LMK4 writes its EEPROM
    IDS_EEPROM_BUSY_ASK = 924,       // question: a transfer during the EEPROM write
    IDS_ASK_SEND_ALL = 925,          // question before Send all
    IDS_DO_NOT_ASK = 926,            // check box "Do not ask again"
    IDS_PORT_GONE = 927,             // a chosen MIDI port is not there
    IDS_VERIFYING = 928,             // status line while reading back
    IDS_RETRYING = 929,              // status line while asking again for damaged presets
    IDS_BYTES_ESTIMATED = 930,       // progress of a bulk dump on its way (estimated)
    IDS_VERIFY_TITLE = 931,          // title of the progress window while verifying
    IDS_OPT_VERIFY_SINGLE = 932,     // MIDI-Connections: check box
    IDS_OPT_VERIFY_ALL = 933,        // MIDI-Connections: check box
    IDS_OPT_FULL_SPEED = 934,        // MIDI-Connections: check box
    IDS_OPT_IDLE = 935,              // MIDI-Connections: label of the silence limit
    IDS_OPT_VERIFY_NOTE = 936,       // MIDI-Connections: what verifying does
    IDS_SECONDS_SUFFIX = 937,        // " s"
    IDS_EDIT_MEMORY = 938,           // "the edit memory"
    IDS_LIVE_EDIT = 170,             // menu and toolbar: "Send changes to the edit memory"
    IDS_LIVE_EDIT_ON = 171,          // status bar indicator while live edit is on
    IDS_LIVE_EDIT_FAILED = 172,      // status bar indicator after a failed live-edit send
    IDS_SOUNDS_SEARCHED = 1380,      // after 136..138: where the sound lists were looked for
    // Files, printing, comparing and the MIDI monitor (the program's own additions).
    IDS_PDF_NOT_RENDERED = 300,  // the PDF pages could not be drawn
    IDS_PDF_NOT_WRITTEN = 301,   // "The PDF file "%1" could not be written: %2"
    IDS_FILTER_OPEN = 302,       // open dialog filter: preset files and .syx
    IDS_FILTER_SYX = 303,        // "SysEx files (*.syx)"
    IDS_FILTER_PDF = 304,        // "PDF files (*.pdf)"
    IDS_FILTER_TEXT = 305,       // "Text files (*.txt)"
    IDS_FILE_NOT_READ = 306,     // "The file "%1" could not be opened: %2"
    IDS_FILE_NOT_WRITTEN = 307,  // "The file "%1" could not be written: %2"
    IDS_SYX_CHECKSUMS = 308,     // presets of a .syx file with wrong checksums
    IDS_EXPORT_SYSEX = 309,      // title of the export dialog
    IDS_EXPORT_BULK = 310,       // choice: one bulk dump
    IDS_EXPORT_SINGLE = 311,     // choice: single dumps
    IDS_PRINT_WHAT = 312,        // title of the scope question
    IDS_PRINT_CURRENT = 313,     // "Current preset"
    IDS_PRINT_BANK = 314,        // "Whole bank"
    IDS_PRINT_NOT_STARTED = 315, // the print job could not be started
    IDS_MENU_EXPORT_SYSEX = 316, // menu texts of the commands below
    IDS_MENU_PRINT = 317,
    IDS_MENU_PRINT_PREVIEW = 318,
    IDS_MENU_EXPORT_PDF = 319,
    IDS_MENU_COMPARE_FILE = 320,
    IDS_MENU_COMPARE_KEYBOARD = 321,
    IDS_MENU_MIDI_MONITOR = 322,
    IDS_COMPARE_TITLE = 323,   // "Compare with %1"
    IDS_COMPARE_EQUAL = 324,   // the banks are equal
    IDS_COMPARE_PRESETS = 325, // header of the list of differing presets
    IDS_COMPARE_FIELD = 326,   // column headers: field, this document, other bank
    IDS_COMPARE_OURS = 327,
    IDS_COMPARE_COPY_PRESET = 329,
    IDS_COMPARE_COPY_FIELD = 330,
    IDS_COMPARE_KEYBOARD = 331, // "the keyboard" as the other bank's name
    IDS_COMPARE_TYPES = 332,    // the banks are for different keyboard types
    IDS_MONITOR_TITLE = 333,    // "MIDI Monitor"
    IDS_MONITOR_TIME = 334,     // column headers
    IDS_MONITOR_DIRECTION = 335,
    IDS_MONITOR_PORT = 336,
    IDS_MONITOR_LENGTH = 337,
    IDS_MONITOR_BYTES = 338,
    IDS_MONITOR_MEANING = 339,
    IDS_MONITOR_CLEAR = 340,
    IDS_MONITOR_SAVE = 341,
    IDS_MONITOR_SENT = 342, // direction texts
    IDS_MONITOR_RECEIVED = 343,
    IDS_COMPARE_COPY_PRESET_UNDO = 345, // undo step names
    IDS_COMPARE_COPY_FIELD_UNDO = 346,
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
