#include "CachedScrollBar.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOptionSlider>

CachedScrollBar::CachedScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {}

void CachedScrollBar::paintEvent(QPaintEvent* event) {
    // The style shows hovered and pressed parts from state a style option does not carry, and
    // a transient bar fades: those are drawn as usual.
    if (underMouse() || isSliderDown() || QGuiApplication::mouseButtons() != Qt::NoButton ||
        style()->styleHint(QStyle::SH_ScrollBar_Transient, nullptr, this)) {
        QScrollBar::paintEvent(event);
        return;
    }
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_All;
    const qreal ratio = devicePixelRatioF();
    // Everything the style reads: the look, the range and position, and the widget's state.
    // The pictures sit in the application's pixmap cache, shared by equal bars on all pages
    // and dropped by its limit.
    const QString key =
        QStringLiteral("presetor-scrollbar-%1-%2x%3@%4-%5-%6-%7-%8-%9")
            .arg(reinterpret_cast<quintptr>(style()), 0, 16)
            .arg(option.rect.width())
            .arg(option.rect.height())
            .arg(ratio)
            .arg(static_cast<int>(option.state))
            .arg(option.palette.cacheKey())
            .arg(QStringLiteral("%1.%2.%3.%4.%5.%6")
                     .arg(option.minimum)
                     .arg(option.maximum)
                     .arg(option.sliderPosition)
                     .arg(option.sliderValue)
                     .arg(option.pageStep)
                     .arg(option.singleStep))
            .arg(static_cast<int>(option.orientation) * 4 + static_cast<int>(option.direction) * 2 +
                 (option.upsideDown ? 1 : 0))
            .arg(static_cast<int>(option.activeSubControls));
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = QPixmap(option.rect.size() * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
        painter.end();
        QPixmapCache::insert(key, picture);
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture);
}
