// The string table. Texts stand exactly as the program has always shown them.
#include "Strings.h"

#include "model/Preset.h"

#include <QCoreApplication>

#include <unordered_map>

namespace presetor {

namespace {

struct Entry {
    int id;
    const char* text;
};

// clang-format off
constexpr Entry kTable[] = {
    {130, QT_TRANSLATE_NOOP("Presetor", "Send Preset %1 of %2.")},
    {131, QT_TRANSLATE_NOOP("Presetor", "No data received. Please check Cables and Midi-Connections.")},
    {132, QT_TRANSLATE_NOOP("Presetor", "No data send. Please check cables and MIDI-Connections.")},
    {133, QT_TRANSLATE_NOOP("Presetor", "Invalid File-Type. This file is not a LMK-Preset-File.")},
    {134, QT_TRANSLATE_NOOP("Presetor", "Name")},
    {135, QT_TRANSLATE_NOOP("Presetor", "Number")},
    {136, QT_TRANSLATE_NOOP("Presetor", "No Sounds available.")},
    {137, QT_TRANSLATE_NOOP("Presetor", "Because no .sound-Files")},
    {138, QT_TRANSLATE_NOOP("Presetor", "could be found.")},
    {1380, QT_TRANSLATE_NOOP("Presetor", "Searched for files ending in .sounds in:")},
    {139, QT_TRANSLATE_NOOP("Presetor", "Are you sure to reset this Preset to it's default settings?")},
    {140, QT_TRANSLATE_NOOP("Presetor", "Please choose the preset which should be overwritten.")},
    {141, QT_TRANSLATE_NOOP("Presetor", "Please choose the Preset to exchange with.")},
    {142, QT_TRANSLATE_NOOP("Presetor", "Please wait with further transmissions to/from the LMK4, until all Preset has been copied to the EEProm. Normally it takes abourt 2 minutes.")},
    {143, QT_TRANSLATE_NOOP("Presetor", "Load Preset from LMK")},
    {144, QT_TRANSLATE_NOOP("Presetor", "Save Presets to LMK.")},
    {147, QT_TRANSLATE_NOOP("Presetor", "%1 Bytes of %2 Bytes transmitted.")},
    {148, QT_TRANSLATE_NOOP("Presetor", "You want to change the Type of Keyboard.\r\n Any Data that are not saved now will be lost. Do you want to change the Type of Keyboard now?")},
    {149, QT_TRANSLATE_NOOP("Presetor", "LMK4/4+")},
    {150, QT_TRANSLATE_NOOP("Presetor", "Controller-Assignments")},
    {151, QT_TRANSLATE_NOOP("Presetor", "MIDI-Channel")},
    {152, QT_TRANSLATE_NOOP("Presetor", "Assignment")},
    {153, QT_TRANSLATE_NOOP("Presetor", "All Presets are transferred ti the LMK4. Now saving the presets into the EEProm. It may take about 2 minutes to do this. Please wait until the operation is finished.")},
    {154, QT_TRANSLATE_NOOP("Presetor", "Please choose the preset where the new should be inserted.")},
    // Transfers.
    {900, QT_TRANSLATE_NOOP("Presetor", "The keyboard stopped answering: %1 of %2 presets arrived (%3 of %4 bytes). Nothing was changed.")},
    {901, QT_TRANSLATE_NOOP("Presetor", "No complete dump arrived within %1 s (%2 of %3 bytes seen). Please check Cables and Midi-Connections. Nothing was changed.")},
    {902, QT_TRANSLATE_NOOP("Presetor", "The keyboard's dump arrived damaged (%1 of %2 bytes). Nothing was changed.")},
    {903, QT_TRANSLATE_NOOP("Presetor", "The keyboard answered as an %1, but an %2 is selected. Switch to %1?")},
    {904, QT_TRANSLATE_NOOP("Presetor", "These presets arrived damaged: %1.\n\nRetry them asks the keyboard for just these presets again. Keep takes the received data as it is. Discard leaves everything as it was.")},
    {905, QT_TRANSLATE_NOOP("Presetor", "Retry them")},
    {906, QT_TRANSLATE_NOOP("Presetor", "Keep")},
    {907, QT_TRANSLATE_NOOP("Presetor", "Discard")},
    {908, QT_TRANSLATE_NOOP("Presetor", "All %1 presets verified.")},
    {909, QT_TRANSLATE_NOOP("Presetor", "Verification failed: these presets differ on the keyboard: %1")},
    {910, QT_TRANSLATE_NOOP("Presetor", "Verification failed: the keyboard did not send the presets back. %1")},
    {911, QT_TRANSLATE_NOOP("Presetor", "The LMK4 was not told to store the presets in its EEPROM.")},
    {912, QT_TRANSLATE_NOOP("Presetor", "All presets were sent to the LMK4. MIDI does not confirm receipt; turn on Verify after Send all in the MIDI-Connections to check. If the keyboard received them, it is now saving them into the EEProm, which takes about 2 minutes. Please wait until the operation is finished.")},
    {913, QT_TRANSLATE_NOOP("Presetor", "Loaded %1 presets from %2 in %3 s")},
    {914, QT_TRANSLATE_NOOP("Presetor", "Sent %1 presets to %2 in %3 s (not verified)")},
    {915, QT_TRANSLATE_NOOP("Presetor", "Sent %1 presets to %2 and verified them in %3 s")},
    {916, QT_TRANSLATE_NOOP("Presetor", "Sent preset %1 to %2 (not verified)")},
    {917, QT_TRANSLATE_NOOP("Presetor", "Sent preset %1 to the edit memory (not verified)")},
    {918, QT_TRANSLATE_NOOP("Presetor", "Sent preset %1 to %2 and verified it")},
    {919, QT_TRANSLATE_NOOP("Presetor", "Sent preset %1 to the edit memory and verified it")},
    {920, QT_TRANSLATE_NOOP("Presetor", "Loaded preset %1 from %2")},
    {921, QT_TRANSLATE_NOOP("Presetor", "Loaded preset %1 from the edit memory")},
    {922, QT_TRANSLATE_NOOP("Presetor", "Verification failed: preset %1 differs on the keyboard.")},
    {923, QT_TRANSLATE_NOOP("Presetor", "LMK4 saving to EEProm: %1 left")},
    {924, QT_TRANSLATE_NOOP("Presetor", "The LMK4 is still saving its presets into the EEProm (about %1 left). A transfer now may disturb it. Transfer anyway?")},
    {925, QT_TRANSLATE_NOOP("Presetor", "Send all %1 presets to the %2? This replaces every preset on the keyboard.")},
    {926, QT_TRANSLATE_NOOP("Presetor", "Do not ask again")},
    {927, QT_TRANSLATE_NOOP("Presetor", "The MIDI port \"%1\" is not there. Please check that the keyboard is connected and switched on, and the MIDI-Connections.")},
    {928, QT_TRANSLATE_NOOP("Presetor", "Reading the presets back to verify them")},
    {929, QT_TRANSLATE_NOOP("Presetor", "Asking again for the damaged presets")},
    {930, QT_TRANSLATE_NOOP("Presetor", "About %1 of %2 Bytes transmitted (estimated).")},
    {931, QT_TRANSLATE_NOOP("Presetor", "Verifying Data with LMK-Masterkeyboard")},
    {932, QT_TRANSLATE_NOOP("Presetor", "Verify after sending a preset or the edit memory")},
    {933, QT_TRANSLATE_NOOP("Presetor", "Verify after Send all")},
    {934, QT_TRANSLATE_NOOP("Presetor", "Send at full speed")},
    {935, QT_TRANSLATE_NOOP("Presetor", "Stop a load after silence of:")},
    {936, QT_TRANSLATE_NOOP("Presetor", "MIDI does not confirm what arrives. Verifying reads the presets back and compares them byte for byte. Without full speed, data goes out no faster than a MIDI cable carries it.")},
    {937, QT_TRANSLATE_NOOP("Presetor", " s")},
    {938, QT_TRANSLATE_NOOP("Presetor", "the edit memory")},
    // Live edit, this program's own addition.
    {170, QT_TRANSLATE_NOOP("Presetor", "Send &changes to the edit memory")},
    {171, QT_TRANSLATE_NOOP("Presetor", "Live edit")},
    {172, QT_TRANSLATE_NOOP("Presetor", "Live edit: send failed")},
    // Files, printing, comparing and the MIDI monitor.
    {300, QT_TRANSLATE_NOOP("Presetor", "The pages could not be drawn as a PDF.")},
    {301, QT_TRANSLATE_NOOP("Presetor", "The PDF file \"%1\" could not be written: %2")},
    {302, QT_TRANSLATE_NOOP("Presetor", "Presetor and SysEx files (*.lmk *.syx);;Presetor (*.lmk);;SysEx files (*.syx)")},
    {303, QT_TRANSLATE_NOOP("Presetor", "SysEx files (*.syx)")},
    {304, QT_TRANSLATE_NOOP("Presetor", "PDF files (*.pdf)")},
    {305, QT_TRANSLATE_NOOP("Presetor", "Text files (*.txt)")},
    {306, QT_TRANSLATE_NOOP("Presetor", "The file \"%1\" could not be opened: %2")},
    {307, QT_TRANSLATE_NOOP("Presetor", "The file \"%1\" could not be written: %2")},
    {308, QT_TRANSLATE_NOOP("Presetor", "In \"%1\" these presets have wrong checksums, so their data may be damaged: %2. Do you want to open the file all the same?")},
    {309, QT_TRANSLATE_NOOP("Presetor", "Export as SysEx")},
    {310, QT_TRANSLATE_NOOP("Presetor", "SysEx, one bulk dump of all presets (*.syx)")},
    {311, QT_TRANSLATE_NOOP("Presetor", "SysEx, one single dump per preset (*.syx)")},
    {312, QT_TRANSLATE_NOOP("Presetor", "What to print")},
    {313, QT_TRANSLATE_NOOP("Presetor", "&Current preset")},
    {314, QT_TRANSLATE_NOOP("Presetor", "&Whole bank (a list of all presets, then one page per preset)")},
    {315, QT_TRANSLATE_NOOP("Presetor", "The print job could not be started.")},
    {316, QT_TRANSLATE_NOOP("Presetor", "Export as S&ysEx...")},
    {317, QT_TRANSLATE_NOOP("Presetor", "&Print...")},
    {318, QT_TRANSLATE_NOOP("Presetor", "Print Pre&view...")},
    {319, QT_TRANSLATE_NOOP("Presetor", "Export as P&DF...")},
    {320, QT_TRANSLATE_NOOP("Presetor", "Compare with &File...")},
    {321, QT_TRANSLATE_NOOP("Presetor", "Compare with the &Keyboard...")},
    {322, QT_TRANSLATE_NOOP("Presetor", "MIDI &Monitor")},
    {323, QT_TRANSLATE_NOOP("Presetor", "Compare with %1")},
    {324, QT_TRANSLATE_NOOP("Presetor", "The banks are equal.")},
    {325, QT_TRANSLATE_NOOP("Presetor", "Presets that differ")},
    {326, QT_TRANSLATE_NOOP("Presetor", "Field")},
    {327, QT_TRANSLATE_NOOP("Presetor", "This document")},
    {329, QT_TRANSLATE_NOOP("Presetor", "Copy &preset into the document")},
    {330, QT_TRANSLATE_NOOP("Presetor", "Copy &field into the document")},
    {331, QT_TRANSLATE_NOOP("Presetor", "the keyboard")},
    {332, QT_TRANSLATE_NOOP("Presetor", "The banks are for different keyboards (%1 and %2); the first %3 presets are compared.")},
    {333, QT_TRANSLATE_NOOP("Presetor", "MIDI Monitor")},
    {334, QT_TRANSLATE_NOOP("Presetor", "Time")},
    {335, QT_TRANSLATE_NOOP("Presetor", "Direction")},
    {336, QT_TRANSLATE_NOOP("Presetor", "Port")},
    {337, QT_TRANSLATE_NOOP("Presetor", "Length")},
    {338, QT_TRANSLATE_NOOP("Presetor", "Bytes")},
    {339, QT_TRANSLATE_NOOP("Presetor", "Meaning")},
    {340, QT_TRANSLATE_NOOP("Presetor", "&Clear")},
    {341, QT_TRANSLATE_NOOP("Presetor", "&Save as text...")},
    {342, QT_TRANSLATE_NOOP("Presetor", "sent")},
    {343, QT_TRANSLATE_NOOP("Presetor", "received")},
    {345, QT_TRANSLATE_NOOP("Presetor", "Copy Preset from %1")},
    {346, QT_TRANSLATE_NOOP("Presetor", "Copy %1 from %2")},
    // Names and values read out by screen readers.
    {1401, QT_TRANSLATE_NOOP("Presetor", "%1 to %2")},
    {1402, QT_TRANSLATE_NOOP("Presetor", "No keys marked")},
    {1403, QT_TRANSLATE_NOOP("Presetor", "Key range")},
    {1404, QT_TRANSLATE_NOOP("Presetor", "Curve %1")},
    {1405, QT_TRANSLATE_NOOP("Presetor", "Aftertouch curves")},
    {1406, QT_TRANSLATE_NOOP("Presetor", "Velocity curves")},
    {1407, QT_TRANSLATE_NOOP("Presetor", "Presets")},
    {1408, QT_TRANSLATE_NOOP("Presetor", "Linked preset")},
    // Command prompts: status-bar text, then after "\n" the tooltip.
    {57600, QT_TRANSLATE_NOOP("Presetor", "Create a new document\nNew")},
    {57601, QT_TRANSLATE_NOOP("Presetor", "Open an existing document\nOpen")},
    {57603, QT_TRANSLATE_NOOP("Presetor", "Save the active document\nSave")},
    {57604, QT_TRANSLATE_NOOP("Presetor", "Save the active document with a new name\nSave As")},
    {57616, QT_TRANSLATE_NOOP("Presetor", "Open this document")},
    {57665, QT_TRANSLATE_NOOP("Presetor", "Quit the application; prompts to save documents\nExit")},
    {32772, QT_TRANSLATE_NOOP("Presetor", "Load all Presets\nLoad all Presets (F2)")},
    {32773, QT_TRANSLATE_NOOP("Presetor", "Send all Presets to the LMK\nSend all Presets to the LMK (F3)")},
    {32775, QT_TRANSLATE_NOOP("Presetor", "Only load this Preset from the LMK\nOnly load this Preset (F4)")},
    {32776, QT_TRANSLATE_NOOP("Presetor", "Only send this Preset to the LMK\nOnly send this Preset (F5)")},
    {32777, QT_TRANSLATE_NOOP("Presetor", "Load this Preset from Edit-Memory\nLoad this Preset from Edit-Memory (F6)")},
    {32778, QT_TRANSLATE_NOOP("Presetor", "Send this Preset to Edit-Memory\nSend this Preset to Edit-Memory (F7)")},
    {32780, QT_TRANSLATE_NOOP("Presetor", "Reset this Preset to Default.\nReset (F8)")},
    {32781, QT_TRANSLATE_NOOP("Presetor", "Copy this Preset\nCopy")},
    {32782, QT_TRANSLATE_NOOP("Presetor", "Exchange this Preset with another\nExchange")},
    {32790, QT_TRANSLATE_NOOP("Presetor", "Insert this Preset\nInsert this Preset")},
    {32784, QT_TRANSLATE_NOOP("Presetor", "Presets im EEPROM speichern (nur LMK4)\nPresets im EEPROM speichern")},
    {32793, QT_TRANSLATE_NOOP("Presetor", "Link all Presets\nLink all Presets")},
    {32794, QT_TRANSLATE_NOOP("Presetor", "Unlink all Presets\nUnlink all Presets")},
    {32800, QT_TRANSLATE_NOOP("Presetor", "Send every change of the current Preset to the Edit-Memory of the LMK\nSend changes to the edit memory")},
    {32771, QT_TRANSLATE_NOOP("Presetor", "Choose the MIDI-Connections.\nMIDI-Connections")},
    {32779, QT_TRANSLATE_NOOP("Presetor", "Set the Preset-Default-Settings.\nPreset-Default-Settings")},
    {32789, QT_TRANSLATE_NOOP("Presetor", "MIDI-Channel-Assignment\nMIDI-Channel-Assignment")},
    {32785, QT_TRANSLATE_NOOP("Presetor", "All Settings are for the LMK3/3+\nLMK3/3+")},
    {32786, QT_TRANSLATE_NOOP("Presetor", "All Settings are for the LMK4/4+\nLMK4/4+")},
    {59392, QT_TRANSLATE_NOOP("Presetor", "Show or hide the toolbar\nToggle ToolBar")},
    {59393, QT_TRANSLATE_NOOP("Presetor", "Show or hide the status bar\nToggle StatusBar")},
    {57664, QT_TRANSLATE_NOOP("Presetor", "Display program information, version number and copyright\nAbout")},
    {57607, QT_TRANSLATE_NOOP("Presetor", "Print the active document\nPrint")},
    {57609, QT_TRANSLATE_NOOP("Presetor", "Display full pages\nPrint Preview")},
    {32850, QT_TRANSLATE_NOOP("Presetor", "Write the bank as a SysEx file (bulk dump or single dumps)\nExport as SysEx")},
    {32851, QT_TRANSLATE_NOOP("Presetor", "Write the printout as a PDF file\nExport as PDF")},
    {32852, QT_TRANSLATE_NOOP("Presetor", "Show the presets and values in which a .lmk or .syx file differs from the document\nCompare with File")},
    {32853, QT_TRANSLATE_NOOP("Presetor", "Load all presets from the keyboard into a separate bank and show how they differ from the document\nCompare with the Keyboard")},
    {32854, QT_TRANSLATE_NOOP("Presetor", "Show or hide the list of every MIDI message sent and received\nMIDI Monitor")},
    // Undo and redo are this program's own additions to the Edit menu.
    {57643, QT_TRANSLATE_NOOP("Presetor", "Undo the last action\nUndo")},
    {57644, QT_TRANSLATE_NOOP("Presetor", "Redo the previously undone action\nRedo")},
};
// clang-format on

const char* Lookup(int id) {
    static const std::unordered_map<int, const char*> map = [] {
        std::unordered_map<int, const char*> m;
        for (const Entry& e : kTable) {
            m.emplace(e.id, e.text);
        }
        return m;
    }();
    const auto it = map.find(id);
    return it == map.end() ? nullptr : it->second;
}

} // namespace

QString Str(int id) {
    const char* text = Lookup(id);
    return text ? QCoreApplication::translate("Presetor", text) : QString();
}

QString PromptOf(int commandId) {
    return Str(commandId).section(QLatin1Char('\n'), 0, 0);
}

QString TooltipOf(int commandId) {
    const QString s = Str(commandId);
    return s.contains(QLatin1Char('\n')) ? s.section(QLatin1Char('\n'), 1) : QString();
}

QString PresetPosition(int index) {
    return QString::fromStdString(PresetPositionText(index));
}

QString KeyboardIndicator(int keyboardType) {
    return keyboardType == 3 ? QStringLiteral("LMK3V4") : Str(IDS_INDICATOR_LMK4);
}

} // namespace presetor
