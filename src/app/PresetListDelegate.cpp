#include "PresetListDelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QStyle>

#include <algorithm>

void PresetListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();

    // The colour group as the style's item painting chooses it.
    QPalette::ColorGroup group =
        (widget ? widget->isEnabled() : (option.state & QStyle::State_Enabled)) != 0
            ? QPalette::Normal
            : QPalette::Disabled;
    if (group == QPalette::Normal && !(option.state & QStyle::State_Active)) {
        group = QPalette::Inactive;
    }
    const bool selected = (option.state & QStyle::State_Selected) != 0;

    // A cell holding only text gives its whole rectangle to the text, so the selection and the
    // cell's own background (the drop highlight) fill all of it.
    if (selected) {
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    } else {
        const QVariant background = index.data(Qt::BackgroundRole);
        if (background.canConvert<QBrush>()) {
            const QBrush brush = qvariant_cast<QBrush>(background);
            if (brush.style() != Qt::NoBrush) {
                painter->fillRect(option.rect, brush);
            }
        }
    }

    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty()) {
        return;
    }
    QBrush pen = option.palette.brush(group, selected ? QPalette::HighlightedText : QPalette::Text);
    if (!selected) {
        const QVariant foreground = index.data(Qt::ForegroundRole);
        if (foreground.canConvert<QBrush>()) {
            const QBrush brush = qvariant_cast<QBrush>(foreground);
            if (brush.style() != Qt::NoBrush) {
                pen = brush;
            }
        }
    }
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    const QVariant align = index.data(Qt::TextAlignmentRole);
    if (align.isValid()) {
        alignment = QStyle::visualAlignment(option.direction, Qt::Alignment(align.toInt()) &
                                                                  Qt::AlignHorizontal_Mask) |
                    Qt::AlignVCenter;
    }
    // The same margins as the style's item text.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect textRect = option.rect.adjusted(margin, 0, -margin, 0);
    const int width = TextWidth(option, text);
    const QString shown =
        width > textRect.width()
            ? option.fontMetrics.elidedText(text, Qt::ElideRight, textRect.width())
            : text;
    const QFontMetrics& metrics = option.fontMetrics;
    const QRect place =
        QStyle::alignedRect(option.direction, alignment,
                            QSize(std::min(width, textRect.width()), metrics.height()), textRect);

    painter->save();
    painter->setClipRect(option.rect);
    painter->setFont(option.font);
    painter->setPen(QPen(pen, 0));
    painter->drawText(QPoint(place.left(), place.top() + metrics.ascent()), shown);
    painter->restore();
}

int PresetListDelegate::TextWidth(const QStyleOptionViewItem& option, const QString& text) const {
    if (option.font != widthsFont || widths.size() > 4096) {
        widths.clear();
        widthsFont = option.font;
    }
    const auto known = widths.constFind(text);
    if (known != widths.constEnd()) {
        return *known;
    }
    const int width = option.fontMetrics.horizontalAdvance(text);
    widths.insert(text, width);
    return width;
}
