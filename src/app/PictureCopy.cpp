#include "PictureCopy.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTransform>

#include <cmath>

namespace {

// More rectangles than this and setting a clip for each would cost more than it saves.
constexpr int kMostRectangles = 32;

// True when rectangles of whole device pixels line up with the painter's logical ones.
bool PaintsInPieces(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    if (!device || device->devicePixelRatioF() != 1.0) {
        return false;
    }
    const QTransform& transform = painter.deviceTransform();
    return transform.type() <= QTransform::TxTranslate &&
           transform.dx() == std::round(transform.dx()) &&
           transform.dy() == std::round(transform.dy());
}

} // namespace

void DrawPixmapInPieces(QPainter& painter, const QPoint& at, const QPixmap& picture,
                        const QRegion& area) {
    const QRegion pieces = area & QRect(at, picture.size());
    if (picture.devicePixelRatio() != 1.0 || !PaintsInPieces(painter) ||
        pieces.rectCount() > kMostRectangles) {
        painter.drawPixmap(at, picture);
        return;
    }
    // The direct copy is taken only without smooth transformation, which a copy of the
    // picture's own size does not use.
    for (const QRect& rect : pieces) {
        painter.save();
        painter.setClipRect(rect, Qt::IntersectClip);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawPixmap(at, picture);
        painter.restore();
    }
}
