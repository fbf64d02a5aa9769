// A scroll bar that draws each look once and then copies it (PictureCopy.h). A preset switch moves
// the bars of the curve lists and often the preset list's: a style's gradients and outlines cost
// far more than one copy, and the style fills a tall bar on Qt's thread pool. The curve lists
// show few positions; the preset list up to one per preset, about 40 kB each at its first size,
// which the pixmap cache's limit bounds.
#pragma once

#include <QScrollBar>

class CachedScrollBar final : public QScrollBar {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CachedScrollBar)

public:
    explicit CachedScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
