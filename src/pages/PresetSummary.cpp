// Summary pages, drawn in device pixels inside the printable area; sizes are given in points
// and scaled to the device, so printer, preview and PDF look alike.
#include "PresetSummary.h"
#include "PresetPrintout.h"

#include "app/Strings.h"
#include "model/Bank.h"
#include "model/PresetTexts.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace printout {

namespace {

using presetor::Preset;

QFont Font(double points, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    // Printed text keeps its kerning, whatever the window's texts do.
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

QString Text(const std::string& s) {
    return QString::fromLatin1(s);
}

// Points to device pixels.
int Pt(const QPainter& painter, double points) {
    return static_cast<int>(points * painter.device()->logicalDpiY() / 72.0 + 0.5);
}

struct Table {
    QStringList headers;
    std::vector<QStringList> rows;
    int stretchColumn = -1; // takes the room that is left, or is cut (with "...") when short
};

// Draws a table with a bold header row at (x, y), at most `width` wide; returns its bottom.
int DrawTable(QPainter& painter, int x, int y, int width, const Table& table) {
    const QFont body = Font(10);
    const QFont head = Font(10, true);
    const QFontMetrics bodyMetrics(body, painter.device());
    const QFontMetrics headMetrics(head, painter.device());
    const int pad = Pt(painter, 4);
    const int rowHeight = bodyMetrics.height() + Pt(painter, 3);
    const int columns = static_cast<int>(table.headers.size());

    std::vector<int> widths(static_cast<std::size_t>(columns));
    for (int c = 0; c < columns; ++c) {
        int w = headMetrics.horizontalAdvance(table.headers[c]);
        for (const QStringList& row : table.rows)
            if (c < row.size())
                w = std::max(w, bodyMetrics.horizontalAdvance(row[c]));
        // A point of slack: the advance is rounded, eliding measures exactly.
        widths[static_cast<std::size_t>(c)] = w + 2 * pad + Pt(painter, 1);
    }
    int total = 0;
    for (int w : widths)
        total += w;
    if (table.stretchColumn >= 0 && total > width) {
        auto& w = widths[static_cast<std::size_t>(table.stretchColumn)];
        w = std::max(Pt(painter, 40), w - (total - width));
    }

    const QPen previousPen = painter.pen();
    const QFont previousFont = painter.font();
    int right = x;
    for (int w : widths)
        right += w;
    auto drawRow = [&](const QStringList& cells, int top, const QFont& font,
                       const QFontMetrics& metrics) {
        painter.setFont(font);
        int cx = x;
        for (int c = 0; c < columns; ++c) {
            const int w = widths[static_cast<std::size_t>(c)];
            const QString cell = c < cells.size() ? cells[c] : QString();
            painter.drawText(QPoint(cx + pad, top + Pt(painter, 1.5) + metrics.ascent()),
                             metrics.elidedText(cell, Qt::ElideRight, w - 2 * pad));
            cx += w;
        }
    };
    drawRow(table.headers, y, head, headMetrics);
    int top = y + rowHeight;
    painter.drawLine(x, top, right, top);
    painter.setPen(QPen(QColor(170, 170, 170), 0));
    for (const QStringList& row : table.rows) {
        painter.setPen(previousPen);
        drawRow(row, top, body, bodyMetrics);
        top += rowHeight;
        painter.setPen(QPen(QColor(190, 190, 190), 0));
        painter.drawLine(x, top, right, top);
    }
    painter.setPen(previousPen);
    painter.setFont(previousFont);
    return top;
}

// A bold heading at (x, y); returns the y below it.
int DrawHeading(QPainter& painter, int x, int y, const QString& text) {
    const QFont font = Font(12, true);
    const QFontMetrics metrics(font, painter.device());
    const QFont previous = painter.font();
    painter.setFont(font);
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
    painter.setFont(previous);
    return y + metrics.height() + Pt(painter, 3);
}

QString SoundName(const Summary& summary, const Preset& p, int s) {
    if (!summary.sounds.lists || !summary.sounds.assignments)
        return QString();
    std::string list, bank, sound;
    if (!presetor::LookupSound(*summary.sounds.lists, *summary.sounds.assignments,
                               p.midiChannel[s] & 0x0F, p.bankMsb[s], p.bankLsb[s],
                               p.programNumber[s], list, bank, sound))
        return QString();
    return Text(sound) + (bank.empty() ? QString() : QStringLiteral(" (") + Text(bank) + ")");
}

QString FunctionWithNumber(const Preset& p, int code, bool isSwitch) {
    QString text = Text(isSwitch ? presetor::SwitchFunctionText(code)
                                 : presetor::ControllerFunctionText(code));
    if (code >= 8 && code < 16)
        text +=
            QStringLiteral(" (CC %1)").arg(p.userCtrlNumber[static_cast<std::size_t>(code - 8)]);
    return text;
}

Table SplitTable(const Summary& summary, const Preset& p) {
    const bool lmk4 = presetor::HasLmk4Fields(summary.bank.keyboardType);
    Table t;
    t.headers = {QStringLiteral("Split"), QStringLiteral("Keys"), QStringLiteral("Channel")};
    if (lmk4)
        t.headers << QStringLiteral("Source") << QStringLiteral("Outputs");
    t.headers << QStringLiteral("Transpose") << QStringLiteral("Volume")
              << QStringLiteral("Program") << QStringLiteral("Bank MSB/LSB")
              << QStringLiteral("Sound") << QStringLiteral("Velocity")
              << QStringLiteral("Aftertouch");
    t.stretchColumn = lmk4 ? 9 : 7;
    for (int s = 0; s < presetor::kSplitCount; ++s) {
        if (p.lowKey[s] == 0 && p.highKey[s] == 0)
            continue; // not active
        const bool program = p.programActive[s] != 0;
        QStringList row{QString::number(s + 1),
                        Text(presetor::KeyNameWithOctave(p.lowKey[s] & 0x7F)) +
                            QStringLiteral(" - ") +
                            Text(presetor::KeyNameWithOctave(p.highKey[s] & 0x7F)),
                        QString::number((p.midiChannel[s] & 0x0F) + 1)};
        if (lmk4) {
            row << Text(presetor::InputModeText(p.inputMode[s]).substr(0, 2));
            QStringList outs;
            if (p.midiOut1[s])
                outs << QStringLiteral("1");
            if (p.midiOut2[s])
                outs << QStringLiteral("2");
            row << (outs.isEmpty() ? QStringLiteral("none") : outs.join(QStringLiteral(" + ")));
        }
        const int transpose = presetor::TransposeSemitones(p.transpose[s]);
        row << (transpose > 0 ? QStringLiteral("+%1").arg(transpose) : QString::number(transpose))
            << (p.volumeActive[s] ? QString::number(p.volume[s]) : QStringLiteral("off"))
            << (program ? QString::number(p.programNumber[s] + 1) : QStringLiteral("off"))
            << (program ? QStringLiteral("%1 / %2").arg(p.bankMsb[s]).arg(p.bankLsb[s]) : QString())
            << (program ? SoundName(summary, p, s) : QString())
            << QString::number(p.velocityCurve[s]) << QString::number(p.aftertouchCurve[s]);
        t.rows.push_back(row);
    }
    return t;
}

Table ControllerTable(const Summary& summary, const Preset& p) {
    const int type = summary.bank.keyboardType;
    Table t;
    t.headers = {QStringLiteral("Controller"), QStringLiteral("Function")};
    for (int s = 1; s <= presetor::kSplitCount; ++s)
        t.headers << QStringLiteral("S%1").arg(s);
    const QString mark = QStringLiteral("x");
    for (int element : presetor::kControllerPageOrder) {
        QStringList row{
            Text(presetor::ControllerLabel(element, type)),
            FunctionWithNumber(p, p.ctrlAssign[static_cast<std::size_t>(element)], false)};
        const int bit = presetor::ControllerMatrixBit(element, type);
        for (int s = 0; s < presetor::kSplitCount; ++s)
            row << ((p.ctrlMatrix[s] >> bit) & 1 ? mark : QString());
        t.rows.push_back(row);
    }
    for (int j = 0; j < presetor::kSwitchCount; ++j) {
        QStringList row{QStringLiteral("Extern Switch %1").arg(j + 1),
                        FunctionWithNumber(p, p.switchAssign[static_cast<std::size_t>(j)], true)};
        for (int s = 0; s < presetor::kSplitCount; ++s)
            row << ((p.switchMatrix[s] >> j) & 1 ? mark : QString());
        t.rows.push_back(row);
    }
    return t;
}

void DrawPresetSummary(QPainter& painter, const Summary& summary, int index) {
    const Preset& p = summary.bank.presets[static_cast<std::size_t>(index)];
    const int width = painter.device()->width();
    const int margin = Pt(painter, 8);
    int y = DrawPresetHeader(painter, summary.bank, index,
                             Text(presetor::PresetSwitchText(p.presetSwitch))) +
            Pt(painter, 6);

    // The global values the framed row does not show.
    {
        const QFont font = Font(10);
        const QFontMetrics metrics(font, painter.device());
        const QFont previous = painter.font();
        painter.setFont(font);
        painter.drawText(QPoint(margin, y + metrics.ascent()),
                         QStringLiteral("Midi-Clock: %1 BpM     Real-Time-Mode: %2")
                             .arg(p.GetMidiClock())
                             .arg(Text(presetor::RealtimeModeText(p.realtimeMode))));
        painter.setFont(previous);
        y += metrics.height() + Pt(painter, 8);
    }

    y = DrawHeading(painter, margin, y, QStringLiteral("Splits"));
    const Table splits = SplitTable(summary, p);
    if (splits.rows.empty()) {
        y = DrawHeading(painter, margin, y, QStringLiteral("No split is active."));
    } else {
        y = DrawTable(painter, margin, y, width - 2 * margin, splits);
    }
    y += Pt(painter, 10);

    y = DrawHeading(painter, margin, y, QStringLiteral("Controllers, switches and splits"));
    const int tableBottom =
        DrawTable(painter, margin, y, width - 2 * margin, ControllerTable(summary, p));

    // The user controller numbers beside the table.
    const QFont font = Font(10);
    const QFontMetrics metrics(font, painter.device());
    const int listX = width - margin -
                      metrics.horizontalAdvance(QStringLiteral("Userdefined Controller 8: 127")) -
                      Pt(painter, 6);
    int ly = DrawHeading(painter, listX, y - Pt(painter, 0), QStringLiteral("User controllers"));
    const QFont previous = painter.font();
    painter.setFont(font);
    for (int k = 0; k < presetor::kUserCtrlCount; ++k) {
        painter.drawText(QPoint(listX, ly + metrics.ascent()),
                         QStringLiteral("Userdefined Controller %1: %2")
                             .arg(k + 1)
                             .arg(p.userCtrlNumber[static_cast<std::size_t>(k)]));
        ly += metrics.height() + Pt(painter, 2);
    }
    painter.setFont(previous);
    (void)tableBottom;
    DrawFooter(painter);
}

void DrawBankList(QPainter& painter, const Summary& summary) {
    const presetor::Bank& bank = summary.bank;
    const int width = painter.device()->width();
    const int height = painter.device()->height();
    const QFont titleFont = Font(20, true);
    const QFontMetrics titleMetrics(titleFont, painter.device());
    const QFont previous = painter.font();
    painter.setFont(titleFont);
    painter.drawText(QPoint(0, titleMetrics.ascent()), QStringLiteral("%1 - LMK%2, %3 presets")
                                                           .arg(summary.bankTitle)
                                                           .arg(bank.keyboardType)
                                                           .arg(bank.PresetCount()));
    painter.setFont(previous);

    const QFont body = Font(8.5);
    const QFont head = Font(8.5, true);
    const QFontMetrics metrics(body, painter.device());
    const int top = titleMetrics.height() + Pt(painter, 10);
    const int rowHeight = metrics.height() + Pt(painter, 1.5);
    const int bottom = height - Pt(painter, 24);
    const int perColumn = std::max(1, (bottom - top) / rowHeight - 1);
    const int columns = (bank.PresetCount() + perColumn - 1) / perColumn;
    const int columnWidth = width / std::max(1, columns);
    const int nameX = metrics.horizontalAdvance(QStringLiteral("16.8 (127)")) + Pt(painter, 8);
    const int linkX =
        nameX + metrics.horizontalAdvance(QStringLiteral("WWWWWWWW")) + Pt(painter, 8);
    for (int c = 0; c < columns; ++c) {
        const int x = c * columnWidth;
        painter.setFont(head);
        painter.drawText(QPoint(x, top + metrics.ascent()), QStringLiteral("Number"));
        painter.drawText(QPoint(x + nameX, top + metrics.ascent()), QStringLiteral("Name"));
        painter.drawText(QPoint(x + linkX, top + metrics.ascent()), QStringLiteral("Link"));
        painter.setFont(body);
        for (int r = 0; r < perColumn; ++r) {
            const int i = c * perColumn + r;
            if (i >= bank.PresetCount())
                break;
            const Preset& p = bank.presets[static_cast<std::size_t>(i)];
            const int baseline = top + (r + 1) * rowHeight + metrics.ascent();
            painter.drawText(QPoint(x, baseline), Text(presetor::PresetPositionText(i)));
            painter.drawText(QPoint(x + nameX, baseline), Text(p.GetName()));
            painter.drawText(QPoint(x + linkX, baseline),
                             Text(presetor::PresetPositionText(p.linkPreset)));
        }
    }
    painter.setFont(previous);
    DrawFooter(painter);
}

} // namespace

int SummaryPageCount(const Summary& summary) {
    return summary.scope == PrintScope::CurrentPreset ? 1 : 1 + summary.bank.PresetCount();
}

void DrawSummaryPage(QPainter& painter, const Summary& summary, int page) {
    if (summary.scope == PrintScope::CurrentPreset) {
        DrawPresetSummary(painter, summary, summary.bank.CurrentIndex());
    } else if (page == 0) {
        DrawBankList(painter, summary);
    } else {
        DrawPresetSummary(painter, summary,
                          std::clamp(page - 1, 0, summary.bank.PresetCount() - 1));
    }
}

bool WriteSummaryPdf(const QString& path, const Summary& summary, QString* error) {
    return WritePdfPages(
        path, SummaryPageCount(summary),
        [&summary](QPainter& painter, int page) { DrawSummaryPage(painter, summary, page); },
        error);
}

} // namespace printout
