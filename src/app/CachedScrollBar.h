// A scroll bar that draws each look once and then copies it. Lists that scroll by whole items
// (the curve pictures) show few positions, and a preset switch moves their bars every time;
// a style's gradients and outlines cost far more than one copy.
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
