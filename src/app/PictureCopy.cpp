#include "PictureCopy.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {

// More rectangles than this and setting a clip for each would cost more than it saves.
constexpr int kMostRectangles = 32;

// Rows per band: under the engine's limit of 96, with room to spare.
constexpr int kBandRows = 64;

} // namespace

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

QPixmap DrawnInBands(const QSize& size, qreal ratio, const std::function<void(QPainter&)>& draw) {
    QPixmap picture(size);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    if (ratio != 1.0 || size.height() <= kBandRows) {
        QPainter painter(&picture);
        draw(painter);
        return picture;
    }
    QPainter into(&picture);
    into.setCompositionMode(QPainter::CompositionMode_Source);
    for (int y = 0; y < size.height(); y += kBandRows) {
        QPixmap band(size.width(), std::min(kBandRows, size.height() - y));
        band.fill(Qt::transparent);
        {
            QPainter painter(&band);
            painter.translate(0, -y);
            draw(painter);
        }
        into.drawPixmap(0, y, band);
    }
    return picture;
}
