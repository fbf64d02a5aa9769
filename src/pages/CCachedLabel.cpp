#include "CCachedLabel.h"

#include <QPainter>
#include <QStyle>

CCachedLabel::CCachedLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
}

bool CCachedLabel::CurrentLook(Look& look) const {
    // The picture holds the holder's background too, so that its text is drawn as on the
    // window (with the same smoothing): only a plain, opaque background can be copied.
    const QWidget* holder = parentWidget();
    if (!holder || frameShape() != QFrame::NoFrame || !pixmap().isNull())
        return false;
    const QBrush& ground = holder->palette().brush(holder->backgroundRole());
    if (ground.style() != Qt::SolidPattern || !ground.isOpaque())
        return false;
    look.text = text();
    look.font = font();
    look.size = size();
    look.position = pos();
    look.holderSize = holder->size();
    look.style = style();
    look.palette = palette().cacheKey();
    look.holderPalette = holder->palette().cacheKey();
    look.ratio = devicePixelRatioF();
    const bool mnemonics = style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this);
    look.flags = (static_cast<int>(alignment()) << 8) | (wordWrap() ? 1 : 0) |
                 (isEnabled() ? 2 : 0) | (holder->isEnabled() ? 4 : 0) |
                 (isActiveWindow() ? 8 : 0) | (mnemonics ? 16 : 0);
    look.flags ^= (indent() + 1) << 24 ^ (margin() + 1) << 28;
    return true;
}

void CCachedLabel::paintEvent(QPaintEvent* event) {
    Look look;
    if (drawingPicture || !CurrentLook(look)) {
        QLabel::paintEvent(event);
        return;
    }
    for (const Picture& picture : pictures) {
        if (!picture.pixels.isNull() && picture.look == look) {
            QPainter painter(this);
            painter.drawPixmap(0, 0, picture.pixels);
            return;
        }
    }
    // A new look is drawn as usual; its picture is taken after the paint, since a widget
    // cannot be drawn elsewhere while it paints.
    QLabel::paintEvent(event);
    if (!capturePending) {
        capturePending = true;
        QMetaObject::invokeMethod(this, &CCachedLabel::Capture, Qt::QueuedConnection);
    }
}

void CCachedLabel::Capture() {
    capturePending = false;
    Look look;
    if (!isVisible() || !CurrentLook(look))
        return;
    for (const Picture& picture : pictures) {
        if (!picture.pixels.isNull() && picture.look == look)
            return;
    }
    Picture& picture = pictures[older];
    older = 1 - older;
    picture.look = look;
    picture.pixels = QPixmap(size() * look.ratio);
    picture.pixels.setDevicePixelRatio(look.ratio);
    // What lies under the label (the holder's ground and frame), then the label over it.
    parentWidget()->render(&picture.pixels, QPoint(), QRegion(geometry()),
                           QWidget::DrawWindowBackground);
    drawingPicture = true;
    render(&picture.pixels, QPoint(), QRegion(), QWidget::RenderFlags());
    drawingPicture = false;
}

void CCachedLabel::hideEvent(QHideEvent* event) {
    // A hidden page keeps no pictures.
    pictures = {};
    QLabel::hideEvent(event);
}
