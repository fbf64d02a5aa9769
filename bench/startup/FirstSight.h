// The texts Presetor's main window shows when it first appears with a new bank (menu titles,
// list header and the rows in sight, page tabs, the first page and the status bar), for the
// reference windows that tell what parts of its first paint cost in stock Qt.
#pragma once

#include <QString>
#include <QStringList>

namespace firstsight {

inline const QStringList kMenus{"&File", "&Edit", "&Presets", "&Options", "&View", "&?"};
inline const QStringList kHeader{"Name", "Number"};
inline const QStringList kTabs{"Global",  "Controller", "Controller-Assignments",
                               "Split 1", "Split 2",    "Split 3",
                               "Split 4", "Split 5",    "Split 6",
                               "Split 7", "Split 8"};
inline const QStringList kPageLabels{
    "Name:", "Link to Preset:", "MIDI-Masterchannel:", "Presetswitch:", "Realtime", "Midi-Clock:",
    "BpM",   "Real-Time-Mode:"};
inline const QString kPresetName = QStringLiteral("INITPRES");
inline const QString kLink = QStringLiteral("INITPRES - 1.1 (1)");
inline const QString kSwitch = QStringLiteral("activ / Out 1 and 2");
inline const QString kRealtime = QStringLiteral("No Realtime-Command at Preset-Call");
inline const QString kStatus = QStringLiteral("LMK4/4+");
constexpr int kPresets = 127;
constexpr int kRowsInSight = 44;
constexpr int kToolButtons = 11;

// A preset's position as the list shows it: bank.number (index from 1). Written out here, as the
// program's own formatting is not linked: the floor and the references carry none of its code.
inline QString Position(int index) {
    return QStringLiteral("%1.%2 (%3)").arg(index / 8 + 1).arg(index % 8 + 1).arg(index + 1);
}

} // namespace firstsight
