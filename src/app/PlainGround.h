// What lies under a child widget, where that is one colour. A widget that paints every pixel of
// itself can tell Qt so (Qt::WA_OpaquePaintEvent): Qt then paints nothing beneath it, which
// saves a repaint of every widget under it up to the window, as long as the widget lays down
// that ground itself.
#pragma once

#include <QColor>

#include <optional>

class QWidget;

// The colour that `holder` and the widgets above it lay under a child of `holder`, or none.
// Going up from `holder`, each widget must either paint nothing there (a plain QWidget, a
// splitter, a scroll area, whose frame lies around its contents) or fill its ground with one
// opaque colour (the window always does), which is the answer. No style sheet may be involved.
std::optional<QColor> PlainGround(const QWidget* holder);

// Keeps a widget's Qt::WA_OpaquePaintEvent in step with whether it can lay the ground under it.
// Called at the start of each paint with whether the ground is plain now: it marks the widget
// opaque only after a paint (a queued step, so the window's first paint stays as it was) and
// unmarks it at once when the ground stops being plain, asking the holder to paint under it
// again. True when this paint must lay the ground itself (Qt painted nothing under it).
class OpaqueOverGround {
public:
    bool Paint(QWidget& widget, bool plain);

private:
    bool pending = false;
};
