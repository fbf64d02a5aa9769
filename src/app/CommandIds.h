// Numbers of the program's commands: menu entries, toolbar buttons and shortcut keys. The
// status-bar prompt of a command is the string of the same number.
#pragma once

namespace presetor {

enum CommandId : int {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_MIDI_CONNECTIONS = 32771,
    ID_LOAD_ALL = 32772,
    ID_SEND_ALL = 32773,
    ID_LOAD_PRESET = 32775,
    ID_SEND_PRESET = 32776,
    ID_LOAD_EDIT_MEMORY = 32777,
    ID_SEND_EDIT_MEMORY = 32778,
    ID_PRESET_DEFAULTS = 32779,
    ID_RESET_PRESET = 32780,
    ID_COPY_PRESET = 32781,
    ID_EXCHANGE_PRESET = 32782,
    ID_SAVE_EEPROM = 32784,
    ID_KEYBOARD_LMK3 = 32785,
    ID_KEYBOARD_LMK4 = 32786,
    ID_CHANNEL_ASSIGNMENT = 32789,
    ID_INSERT_PRESET = 32790,
    ID_LINK_ALL = 32793,
    ID_UNLINK_ALL = 32794,
    ID_LIVE_EDIT = 32800, // "Send changes to the edit memory" (on/off)
    // The program's own additions: files, printing, comparing, the MIDI monitor.
    ID_FILE_EXPORT_SYSEX = 32850,
    ID_FILE_EXPORT_PDF = 32851,
    ID_COMPARE_FILE = 32852,
    ID_COMPARE_KEYBOARD = 32853,
    ID_VIEW_MIDI_MONITOR = 32854,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};

} // namespace presetor
