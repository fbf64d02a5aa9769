// The printed summary: per preset the page the Global page prints (title, link, master channel,
// preset switch), then what a player needs on stage: every active split with its key range,
// channel, note source and outputs (LMK4), transpose, volume, program and bank with the sound
// name, curves; the controller and switch functions with the split matrix and the user
// controller numbers. "Whole bank" starts with a page listing every preset.
#pragma once

#include "model/SoundList.h"

#include <QString>

#include <array>
#include <string>
#include <vector>

class QPainter;

namespace presetor {
class Bank;
}

namespace printout {

enum class PrintScope { CurrentPreset, WholeBank };

// Where the sound names come from; null members: no sound names.
struct SoundNames {
    const std::vector<presetor::CSoundList>* lists = nullptr;
    const std::array<std::string, 16>* assignments = nullptr;
};

// Everything a summary needs besides the painter.
struct Summary {
    const presetor::Bank& bank;
    PrintScope scope = PrintScope::CurrentPreset;
    SoundNames sounds;
    QString bankTitle; // the document's title, on the bank's list page
};

// 1 for the current preset; 1 + the presets in use for the whole bank.
int SummaryPageCount(const Summary& summary);
// Draws page `page` (0-based) onto the device the painter is open on.
void DrawSummaryPage(QPainter& painter, const Summary& summary, int page);

// Writes the pages as a PDF file, atomically (as WritePdfPages).
bool WriteSummaryPdf(const QString& path, const Summary& summary, QString* error);

} // namespace printout
