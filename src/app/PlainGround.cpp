#include "PlainGround.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QBrush>
#include <QMetaObject>
#include <QPalette>
#include <QSplitter>
#include <QWidget>

std::optional<QColor> PlainGround(const QWidget* holder) {
    if (!qApp->styleSheet().isEmpty()) {
        return std::nullopt;
    }
    for (const QWidget* w = holder; w; w = w->parentWidget()) {
        if (!w->styleSheet().isEmpty() || w->testAttribute(Qt::WA_StyledBackground)) {
            return std::nullopt;
        }
        if (w->isWindow() || w->autoFillBackground()) {
            const QBrush& ground = w->palette().brush(w->backgroundRole());
            if (ground.style() != Qt::SolidPattern || !ground.isOpaque()) {
                return std::nullopt;
            }
            return ground.color();
        }
        const bool paintsNothingUnder = w->metaObject() == &QWidget::staticMetaObject ||
                                        qobject_cast<const QSplitter*>(w) ||
                                        qobject_cast<const QAbstractScrollArea*>(w);
        if (!paintsNothingUnder) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

bool OpaqueOverGround::Paint(QWidget& widget, bool plain) {
    if (!widget.testAttribute(Qt::WA_OpaquePaintEvent)) {
        if (plain && !pending) {
            pending = true;
            QMetaObject::invokeMethod(
                &widget,
                [this, &widget] {
                    pending = false;
                    widget.setAttribute(Qt::WA_OpaquePaintEvent, true);
                },
                Qt::QueuedConnection);
        }
        return false;
    }
    if (!plain) {
        widget.setAttribute(Qt::WA_OpaquePaintEvent, false);
        if (QWidget* holder = widget.parentWidget()) {
            holder->update(widget.geometry());
        }
    }
    return true;
}
