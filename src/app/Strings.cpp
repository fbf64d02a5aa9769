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
    {32771, QT_TRANSLATE_NOOP("Presetor", "Choose the MIDI-Connections.\nMIDI-Connections")},
    {32779, QT_TRANSLATE_NOOP("Presetor", "Set the Preset-Default-Settings.\nPreset-Default-Settings")},
    {32789, QT_TRANSLATE_NOOP("Presetor", "MIDI-Channel-Assignment\nMIDI-Channel-Assignment")},
    {32785, QT_TRANSLATE_NOOP("Presetor", "All Settings are for the LMK3/3+\nLMK3/3+")},
    {32786, QT_TRANSLATE_NOOP("Presetor", "All Settings are for the LMK4/4+\nLMK4/4+")},
    {59392, QT_TRANSLATE_NOOP("Presetor", "Show or hide the toolbar\nToggle ToolBar")},
    {59393, QT_TRANSLATE_NOOP("Presetor", "Show or hide the status bar\nToggle StatusBar")},
    {57664, QT_TRANSLATE_NOOP("Presetor", "Display program information, version number and copyright\nAbout")},
    {57607, QT_TRANSLATE_NOOP("Presetor", "Print the active document\nPrint")},
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
