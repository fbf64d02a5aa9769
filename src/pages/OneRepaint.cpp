#include "OneRepaint.h"

namespace {

// Whether Qt may take the widget for one that covers its rectangle: it then leaves the widget out
// of a repaint of the container, and the widget must ask for its own.
bool MayCoverItself(const QWidget* widget) {
    return widget->testAttribute(Qt::WA_OpaquePaintEvent) || widget->autoFillBackground() ||
           widget->testAttribute(Qt::WA_NoSystemBackground) ||
           widget->testAttribute(Qt::WA_PaintOnScreen) ||
           widget->testAttribute(Qt::WA_NativeWindow);
}

void HoldBack(QWidget* widget, std::vector<QPointer<QWidget>>& held) {
    // A widget whose updates are off already (by its owner, or hidden) is left as it is.
    if (widget->updatesEnabled() && !MayCoverItself(widget)) {
        widget->setAttribute(Qt::WA_UpdatesDisabled, true);
        held.emplace_back(widget);
    }
}

} // namespace

OneRepaint::OneRepaint(QWidget* widget, bool wholeContainer) : container(widget) {
    // A hidden container repaints when it is shown.
    if (!wholeContainer || !widget || !widget->isVisible()) {
        return;
    }
    HoldBack(widget, held);
    for (QWidget* child : widget->findChildren<QWidget*>()) {
        if (!child->isWindow()) {
            HoldBack(child, held);
        }
    }
}

OneRepaint::~OneRepaint() {
    // The attribute alone, as Qt sets it while it sends a widget's first move and resize: turning
    // updates on again through setUpdatesEnabled would ask every widget for a repaint.
    for (const QPointer<QWidget>& widget : held) {
        if (widget) {
            widget->setAttribute(Qt::WA_UpdatesDisabled, false);
        }
    }
    if (container && !held.empty()) {
        container->update();
    }
}
