// A scroll bar that draws each look once and then copies it (PictureCopy.h). A preset switch moves
// the bars of the curve lists and often the preset list's: a style's gradients and outlines cost
// far more than one copy, and the style fills a tall bar on Qt's thread pool. Where the style
// allows, a look is the bar without its handle and the handle, whatever the position; otherwise
// one picture per position, which the pixmap cache's limit bounds.
#pragma once

#include "PlainGround.h"

#include <QPixmap>
#include <QScrollBar>
#include <QStyle>

class QRegion;
class QStyleOptionSlider;

class CachedScrollBar final : public QScrollBar {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CachedScrollBar)

public:
    explicit CachedScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The bar as the style draws it.
    QPixmap Drawn(const QStyleOptionSlider& option) const;
    // Where the style puts part of the bar with the handle at position.
    QRect Place(const QStyleOptionSlider& option, QStyle::SubControl part, int position) const;
    // Decides whether the look is shown composed, and keeps its two pictures if so.
    void JudgeLook(const QStyleOptionSlider& option, const QString& look);
    // Once the bar has painted, it lays the ground under it itself (PlainGround.h): a moved
    // handle then repaints no widget under the bar (a scroll area draws its whole frame,
    // clipped only afterwards, a tall fill on Qt's thread pool; a curve list's bar stands in a
    // group box and a list's frame). Where the paint copies pictures that cover every pixel
    // (covered: the style draws the bar opaque), any ground will do; otherwise it must be one
    // colour, which is laid here.
    void LayGround(const QRegion& region, bool covered);

    OpaqueOverGround opaque;
};
