#include "PictureCopy.h"

#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cwchar>

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

// The image the painter draws straight into, where that is a 32-bit image (a window's backing
// store) and the painter has no clip but the system's and draws plainly; offset is where the
// painter's origin lies in it.
QImage* PlainTarget(QPainter& painter, QPoint& offset) {
    if (painter.hasClipping() || painter.opacity() != 1.0 ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver) {
        return nullptr;
    }
    QPaintEngine* engine = painter.paintEngine();
    QPaintDevice* device = engine ? engine->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image) {
        return nullptr;
    }
    auto* target = static_cast<QImage*>(device);
    if ((target->format() != QImage::Format_RGB32 &&
         target->format() != QImage::Format_ARGB32_Premultiplied) ||
        target->devicePixelRatio() != 1.0) {
        return nullptr;
    }
    offset = QPoint(static_cast<int>(painter.deviceTransform().dx()),
                    static_cast<int>(painter.deviceTransform().dy()));
    return target;
}

// The part of area (in the painter's coordinates) that the target and the engine's system clip
// let through, in the target's pixels.
QRegion TargetPieces(const QPainter& painter, const QImage& target, const QPoint& offset,
                     const QRegion& area) {
    QRegion pieces = area.translated(offset) & target.rect();
    const QRegion system = painter.paintEngine()->systemClip();
    if (!system.isEmpty()) {
        pieces &= system;
    }
    return pieces;
}

// Where the painter draws straight into a 32-bit image with no clip but the system's, an opaque
// picture is copied row by row into the part of area that the system clip lets through: no clip
// to set and no state to save per rectangle.
bool CopiedIntoImage(QPainter& painter, const QPoint& at, const QPixmap& picture,
                     const QRegion& area) {
    if (picture.hasAlphaChannel()) {
        return false;
    }
    QPoint offset;
    QImage* target = PlainTarget(painter, offset);
    // An opaque 32-bit pixel has the same bytes in both 32-bit formats a backing store uses.
    const QImage source = target ? picture.toImage() : QImage(); // shares the pixmap's pixels
    if (!target || source.format() != QImage::Format_RGB32) {
        return false;
    }
    uchar* const bits = target->bits();
    const qsizetype stride = target->bytesPerLine();
    const qsizetype sourceStride = source.bytesPerLine();
    for (const QRect& rect :
         TargetPieces(painter, *target, offset, area & QRect(at, source.size()))) {
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

// One row of pixels of one colour: where wchar_t is 32 bits wide, with the C library's wide fill
// (vectorised), otherwise pixel by pixel.
void FillRow(uchar* row, int pixels, QRgb colour) {
    if constexpr (sizeof(wchar_t) == sizeof(QRgb)) {
        std::wmemset(reinterpret_cast<wchar_t*>(row), static_cast<wchar_t>(colour),
                     static_cast<std::size_t>(pixels));
    } else {
        std::fill_n(reinterpret_cast<QRgb*>(row), pixels, colour);
    }
}

// The same for a fill with an opaque colour.
bool FilledIntoImage(QPainter& painter, QRgb colour, const QRegion& area) {
    QPoint offset;
    QImage* target = PlainTarget(painter, offset);
    if (!target) {
        return false;
    }
    uchar* const bits = target->bits();
    const qsizetype stride = target->bytesPerLine();
    for (const QRect& rect : TargetPieces(painter, *target, offset, area)) {
        uchar* to = bits + rect.top() * stride + rect.left() * 4;
        for (int y = 0; y < rect.height(); ++y, to += stride) {
            FillRow(to, rect.width(), colour);
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

std::optional<QRegion> WindowPieces(const QPainter& painter, const QRect& rect) {
    if (!painter.isActive() || !PaintsInPieces(painter)) {
        return std::nullopt;
    }
    QRegion pieces(rect);
    const QRegion system = painter.paintEngine()->systemClip();
    if (!system.isEmpty()) {
        const QTransform& transform = painter.deviceTransform();
        pieces &=
            system.translated(-static_cast<int>(transform.dx()), -static_cast<int>(transform.dy()));
    }
    return pieces;
}

QRect PlainMiddle(const QPixmap& picture, QRgb& colour) {
    if (picture.devicePixelRatio() != 1.0 || picture.width() < 3 || picture.height() < 3) {
        return {};
    }
    // A picture laid on an opaque ground is kept as RGB32, whose pixels have the same bytes as
    // opaque premultiplied ones: read as it is, without a converted copy of the whole picture.
    QImage image = picture.toImage();
    if (image.format() != QImage::Format_RGB32 &&
        image.format() != QImage::Format_ARGB32_Premultiplied) {
        image.convertTo(QImage::Format_ARGB32_Premultiplied);
    }
    const auto at = [&image](int x, int y) {
        return reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
    };
    const int middleX = image.width() / 2;
    const int middleY = image.height() / 2;
    const QRgb plain = at(middleX, middleY);
    int left = middleX;
    int right = middleX;
    int top = middleY;
    int bottom = middleY;
    while (left > 0 && at(left - 1, middleY) == plain) {
        --left;
    }
    while (right < image.width() - 1 && at(right + 1, middleY) == plain) {
        ++right;
    }
    while (top > 0 && at(middleX, top - 1) == plain) {
        --top;
    }
    while (bottom < image.height() - 1 && at(middleX, bottom + 1) == plain) {
        ++bottom;
    }
    // The first row pixel by pixel, every other one against it as a block.
    const QRgb* first = reinterpret_cast<const QRgb*>(image.constScanLine(top)) + left;
    const std::size_t width = static_cast<std::size_t>(right - left + 1);
    if (!std::all_of(first, first + width, [plain](QRgb pixel) { return pixel == plain; })) {
        return {};
    }
    for (int y = top + 1; y <= bottom; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y)) + left;
        if (std::memcmp(row, first, width * sizeof(QRgb)) != 0) {
            return {};
        }
    }
    colour = plain;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

void DrawFramePicture(QPainter& painter, const QPoint& at, const QPixmap& picture,
                      const QRegion& area, const QRect& middle, QRgb colour) {
    if (middle.isEmpty() || qAlpha(colour) != 255 || picture.devicePixelRatio() != 1.0 ||
        !PaintsInPieces(painter)) {
        DrawPixmapInPieces(painter, at, picture, area);
        return;
    }
    const QRect inside = middle.translated(at);
    const QRegion frame = area - inside;
    if (!frame.isEmpty()) {
        DrawPixmapInPieces(painter, at, picture, frame);
    }
    const QRegion fill = area & inside;
    if (!fill.isEmpty() && !FilledIntoImage(painter, colour, fill)) {
        for (const QRect& rect : fill) {
            painter.fillRect(rect, QColor::fromRgb(colour));
        }
    }
}
