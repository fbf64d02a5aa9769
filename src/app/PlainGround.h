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
