// Paints the cells of the preset list directly: the selection or the cell's background, then
// its one line of text ("..." at the end when the column is too narrow). The style's generic item
// painting lays out every text twice per cell; these cells hold nothing but a short line of
// text, so it is drawn at once, and the widths of the texts are remembered.
#pragma once

#include <QFont>
#include <QHash>
#include <QStyledItemDelegate>

class PresetListDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    int TextWidth(const QStyleOptionViewItem& option, const QString& text) const;

    mutable QFont widthsFont;
    mutable QHash<QString, int> widths; // in widthsFont
};
