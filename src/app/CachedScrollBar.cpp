#include "CachedScrollBar.h"

#include "PictureCopy.h"

#include <QGuiApplication>
#include <QPaintEvent>
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
    const QString key = QString::asprintf(
        "presetor-scrollbar-%p-%dx%d@%g-%x-%llx-%d.%d.%d.%d.%d.%d-%d.%d.%d-%x",
        static_cast<const void*>(style()), option.rect.width(), option.rect.height(), ratio,
        static_cast<unsigned>(option.state),
        static_cast<unsigned long long>(option.palette.cacheKey()), option.minimum, option.maximum,
        option.sliderPosition, option.sliderValue, option.pageStep, option.singleStep,
        static_cast<int>(option.orientation), static_cast<int>(option.direction),
        option.upsideDown ? 1 : 0, static_cast<unsigned>(option.activeSubControls));
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = DrawnInBands(option.rect.size() * ratio, ratio, [&](QPainter& painter) {
            style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
        });
        QPixmapCache::insert(key, picture);
    }
    QPainter painter(this);
    DrawPixmapInPieces(painter, QPoint(0, 0), picture, event->region());
}
