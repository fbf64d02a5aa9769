#include "PictureCopy.h"

#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTransform>

#include <cmath>
#include <cstring>

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

// Where the painter draws straight into a 32-bit image (a window's backing store) with no clip
// but the system's, an opaque picture is copied row by row into the part of area that the
// system clip lets through: no clip to set and no state to save per rectangle.
bool CopiedIntoImage(QPainter& painter, const QPoint& at, const QPixmap& picture,
                     const QRegion& area) {
    if (picture.hasAlphaChannel() || painter.hasClipping() || painter.opacity() != 1.0 ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver) {
        return false;
    }
    QPaintEngine* engine = painter.paintEngine();
    QPaintDevice* device = engine ? engine->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image) {
        return false;
    }
    auto* target = static_cast<QImage*>(device);
    // An opaque 32-bit pixel has the same bytes in both 32-bit formats a backing store uses.
    const QImage source = picture.toImage(); // shares the pixmap's pixels
    if (source.format() != QImage::Format_RGB32 ||
        (target->format() != QImage::Format_RGB32 &&
         target->format() != QImage::Format_ARGB32_Premultiplied) ||
        target->devicePixelRatio() != 1.0) {
        return false;
    }
    const QPoint offset(static_cast<int>(painter.deviceTransform().dx()),
                        static_cast<int>(painter.deviceTransform().dy()));
    QRegion pieces = area.translated(offset) & QRect(at + offset, source.size()) & target->rect();
    const QRegion system = engine->systemClip();
    if (!system.isEmpty()) {
        pieces &= system;
    }
    uchar* const bits = target->bits();
    const qsizetype stride = target->bytesPerLine();
    const qsizetype sourceStride = source.bytesPerLine();
    for (const QRect& rect : pieces) {
        const QPoint from = rect.topLeft() - offset - at;
        uchar* to = bits + rect.top() * stride + rect.left() * 4;
        const uchar* row = source.constBits() + from.y() * sourceStride + from.x() * 4;
        const auto bytes = static_cast<std::size_t>(rect.width()) * 4;
        for (int y = 0; y < rect.height(); ++y, to += stride, row += sourceStride) {
            std::memcpy(to, row, bytes);
        }
    }
    return true;
}

} // namespace

void DrawPixmapInPieces(QPainter& painter, const QPoint& at, const QPixmap& picture,
                        const QRegion& area) {
    const bool aligned = picture.devicePixelRatio() == 1.0 && PaintsInPieces(painter);
    if (aligned && CopiedIntoImage(painter, at, picture, area)) {
        return;
    }
    const QRegion pieces = area & QRect(at, picture.size());
    if (!aligned || pieces.rectCount() > kMostRectangles) {
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
