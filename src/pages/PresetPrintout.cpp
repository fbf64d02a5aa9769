// The preset summary page: drawn in device pixels with the origin at the top left of the
// printable area, W and H being the device's width and height in pixels.
#include "PresetPrintout.h"
#include "CKeyboardCtrl.h"
#include "FunctionNames.h"

#include "app/Strings.h"
#include "model/Bank.h"
#include "model/FileIo.h"
#include "model/Preset.h"

#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>

#include <algorithm>

namespace printout {

using namespace presetor;

namespace {

// The PDF page is drawn at this many dots per inch.
constexpr int kPdfResolution = 600;

// Text under every page; the summary's fixed footer line.
const char* const kFooterText = "Printed with Presetor, the preset editor for the LMK3 and LMK4";

QFont ArialFont(int tenthsOfPoint) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(tenthsOfPoint / 10.0);
    // Printed text keeps its kerning, whatever the window's texts do.
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

// Draws text with its top left corner at (x, y) and returns its size on the device.
QSize DrawTextAt(QPainter& painter, int x, int y, const QString& text) {
    const QFontMetrics metrics(painter.font(), painter.device());
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
    return {metrics.horizontalAdvance(text), metrics.height()};
}

} // namespace

QString PresetSwitchItemText(int index) {
    const QStringList& items = PresetSwitchNames();
    return index >= 0 && index < items.size() ? items[index] : QString();
}

int DrawPresetHeader(QPainter& painter, const presetor::Bank& bank, int index,
                     const QString& presetSwitchText) {
    const QPaintDevice* device = painter.device();
    const int width = device->width();
    const int height = device->height();
    const presetor::Preset& preset = bank.presets[static_cast<std::size_t>(index)];

    const QFont titleFont = ArialFont(240);
    const QFont rowFont = ArialFont(100);
    const QFont previousFont = painter.font();
    painter.setFont(titleFont);

    DrawTextAt(painter, 0, 0, QString::fromStdString(presetor::PresetTitleText(preset, index)));

    const int top = QFontMetrics(titleFont, device).size(0, QStringLiteral("Wgqjp")).height();
    painter.drawLine(0, top, width, top);
    painter.drawLine(width, top, width, height);
    painter.drawLine(width, height, 0, height);
    painter.drawLine(0, height, 0, top);

    painter.setFont(rowFont);
    const int y = top + 4;

    const int link = preset.linkPreset;
    QSize size = DrawTextAt(painter, 10, y,
                            QStringLiteral("Link zum Preset: ") +
                                QString::fromStdString(presetor::PresetPositionText(link)));
    const int x1 = size.width() + 20;
    painter.drawLine(x1, top, x1, y + size.height() + 4);

    size = DrawTextAt(painter, x1 + 10, y,
                      QStringLiteral("MIDI-Masterchannel: %1").arg(preset.GetMasterChannel()));
    const int x2 = x1 + 10 + size.width() + 10;
    painter.drawLine(x2, top, x2, y + size.height() + 4);

    if (presetor::HasLmk4Fields(bank.keyboardType)) {
        size = DrawTextAt(painter, x2 + 10, y,
                          QStringLiteral("Presetumschaltung: ") + presetSwitchText);
        const int x3 = x2 + 10 + size.width() + 10;
        painter.drawLine(x3, top, x3, y + size.height() + 4);
    }

    int rowBottom = y + size.height() + 4;
    painter.drawLine(0, rowBottom, width, rowBottom);
    painter.setFont(previousFont);
    return rowBottom;
}

void DrawFooter(QPainter& painter) {
    // The footer stands 85 pixels above the bottom; on fine resolutions where its line is
    // taller than that it is raised so that it is not cut off.
    const QPaintDevice* device = painter.device();
    const QFont footerFont = ArialFont(80);
    const QFont previousFont = painter.font();
    painter.setFont(footerFont);
    const int footerHeight = QFontMetrics(footerFont, device).height();
    DrawTextAt(painter, 10, device->height() - std::max(85, footerHeight),
               QString::fromUtf8(kFooterText));
    painter.setFont(previousFont);
}

void DrawPresetPage(QPainter& painter, const presetor::Bank& bank, int index,
                    const QString& presetSwitchText) {
    DrawPresetHeader(painter, bank, index, presetSwitchText);
    const QPaintDevice* device = painter.device();
    const QFont previousFont = painter.font();
    painter.setFont(ArialFont(100));
    DrawTextAt(
        painter, 10, 1000,
        QStringLiteral("HorzRes = %1, VertRes = %2").arg(device->width()).arg(device->height()));
    painter.setFont(previousFont);
    DrawFooter(painter);
}

bool RenderPdf(int pageCount, const PageDrawer& draw, QByteArray& pdf, QString* error) {
    pdf.clear();
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Presetor"));
        writer.setResolution(kPdfResolution);
        // The page size of the user's region, landscape, with the margins a printer keeps.
        const QPageSize size(QLocale().measurementSystem() == QLocale::ImperialUSSystem
                                 ? QPageSize::Letter
                                 : QPageSize::A4);
        writer.setPageLayout(QPageLayout(size, QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                                         QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&writer)) {
            if (error) {
                *error = Str(IDS_PDF_NOT_RENDERED);
            }
            return false;
        }
        for (int page = 0; page < pageCount; ++page) {
            if (page > 0) {
                writer.newPage();
            }
            draw(painter, page);
        }
        if (!painter.end()) {
            if (error) {
                *error = Str(IDS_PDF_NOT_RENDERED);
            }
            return false;
        }
    }
    buffer.close();
    return true;
}

bool WritePdfPages(const QString& path, int pageCount, const PageDrawer& draw, QString* error) {
    QByteArray pdf;
    QString reason;
    if (!RenderPdf(pageCount, draw, pdf, &reason)) {
        if (error) {
            *error = Str(IDS_PDF_NOT_WRITTEN).arg(path, reason);
        }
        return false;
    }
    const presetor::Result written = presetor::WriteFileAtomically(
        QFile::encodeName(path).toStdString(),
        std::span(reinterpret_cast<const std::uint8_t*>(pdf.constData()),
                  static_cast<std::size_t>(pdf.size())));
    if (!written) {
        if (error) {
            *error = Str(IDS_PDF_NOT_WRITTEN).arg(path, QString::fromLocal8Bit(written.message()));
        }
        return false;
    }
    return true;
}

bool WritePdf(const presetor::Bank& bank, const QString& path, QString* error) {
    const int index = bank.CurrentIndex();
    const QString presetSwitch =
        PresetSwitchItemText(bank.presets[static_cast<std::size_t>(index)].presetSwitch);
    return WritePdfPages(
        path, 1,
        [&](QPainter& painter, int) { DrawPresetPage(painter, bank, index, presetSwitch); }, error);
}

} // namespace printout
