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
