#include "WidgetPictures.h"

#include <QPainter>
#include <QStyle>
#include <QWidget>

WidgetPictures::WidgetPictures(QWidget& control, int kept, OwnLook look)
    : owner(control), ownLook(std::move(look)), pictures(static_cast<std::size_t>(kept)) {}

bool WidgetPictures::CurrentLook(Look& look) const {
    // The picture holds the holder's ground too, so that the control's text is drawn as on the
    // window (with the same smoothing): only a plain, opaque ground can be copied.
    const QWidget* holder = owner.parentWidget();
    if (!holder)
        return false;
    const QBrush& ground = holder->palette().brush(holder->backgroundRole());
    if (ground.style() != Qt::SolidPattern || !ground.isOpaque() || !ownLook(look))
        return false;
    look.font = owner.font();
    look.size = owner.size();
    look.position = owner.pos();
    look.holderSize = holder->size();
    look.style = owner.style();
    look.palette = owner.palette().cacheKey();
    look.holderPalette = holder->palette().cacheKey();
    look.ratio = owner.devicePixelRatioF();
    look.flags = (owner.isEnabled() ? 1 : 0) | (holder->isEnabled() ? 2 : 0) |
                 (owner.isActiveWindow() ? 4 : 0) | (owner.layoutDirection() << 3);
    return true;
}

bool WidgetPictures::Paint() {
    Look look;
    if (drawing || !CurrentLook(look))
        return false;
    for (const Picture& picture : pictures) {
        if (!picture.pixels.isNull() && picture.look == look) {
            QPainter painter(&owner);
            painter.drawPixmap(0, 0, picture.pixels);
            return true;
        }
    }
    if (!takePending) {
        takePending = true;
        QMetaObject::invokeMethod(
            &owner, [this] { Take(); }, Qt::QueuedConnection);
    }
    return false;
}

void WidgetPictures::Take() {
    takePending = false;
    Look look;
    if (!owner.isVisible() || !CurrentLook(look))
        return;
    for (const Picture& picture : pictures) {
        if (!picture.pixels.isNull() && picture.look == look)
            return;
    }
    Picture& picture = pictures[older];
    older = (older + 1) % pictures.size();
    picture.look = look;
    picture.pixels = QPixmap(owner.size() * look.ratio);
    picture.pixels.setDevicePixelRatio(look.ratio);
    // What lies under the control (the holder's ground and frame), then the control over it.
    owner.parentWidget()->render(&picture.pixels, QPoint(), QRegion(owner.geometry()),
                                 QWidget::DrawWindowBackground);
    drawing = true;
    owner.render(&picture.pixels, QPoint(), QRegion(), QWidget::RenderFlags());
    drawing = false;
}

void WidgetPictures::Clear() {
    for (Picture& picture : pictures)
        picture = Picture();
}
