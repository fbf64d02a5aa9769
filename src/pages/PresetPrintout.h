// The one-page summary of a preset that the Global page prints: the title, then a framed row
// with the link, the MIDI master channel and (LMK4) the preset-switch mode. It draws onto any
// QPaintDevice, so the printer, the PDF file and the tests share one drawing.
#pragma once

#include <QString>

#include <functional>

class QPaintDevice;
class QPainter;

namespace presetor {
class Bank;
}

namespace printout {

// The texts of the Global page's preset-switch list, by item index.
QString PresetSwitchItemText(int index);

// The first part of every preset page: the title, the page frame and the framed row with the
// link, the master channel and (LMK4) the preset switch. Returns the y just below the row.
int DrawPresetHeader(QPainter& painter, const presetor::Bank& bank, int index,
                     const QString& presetSwitchText);
// The fixed footer line at the bottom of the page.
void DrawFooter(QPainter& painter);

// Draws the page of preset `index` of `bank` onto the device the painter is open on: the header,
// the resolution line and the footer.
// presetSwitchText is the preset-switch entry's text (ignored for the LMK3).
void DrawPresetPage(QPainter& painter, const presetor::Bank& bank, int index,
                    const QString& presetSwitchText);

// Draws page `page` (0-based) onto the device the painter is open on.
using PageDrawer = std::function<void(QPainter& painter, int page)>;

// Renders pageCount landscape pages into PDF bytes in memory.
bool RenderPdf(int pageCount, const PageDrawer& draw, QByteArray& pdf, QString* error);

// Renders the pages, then writes them with the one atomic file write: a temporary file beside
// the target, every write and the close checked, then renamed over it. On any failure (a full
// disk, no permission) the target keeps its old contents and error names the file and the
// reason; an unrelated file such as "OUT.pdf.part" is never touched.
bool WritePdfPages(const QString& path, int pageCount, const PageDrawer& draw, QString* error);

// Writes the page of the bank's current preset as a PDF file (as WritePdfPages).
bool WritePdf(const presetor::Bank& bank, const QString& path, QString* error);

} // namespace printout
