// Copies of tall pictures that keep off Qt's thread pool. The raster engine hands a fill of 96
// spans or more (a span: one row's run of pixels inside the clip) to its global thread pool and
// waits for the pool's threads; waking them costs more than the fill. A widget repainting part
// of itself draws under a clip of several rectangles, under which even copying a picture is such
// a fill; under a clip of one rectangle the engine copies the picture directly. In the main
// window, the group frames' copies alone kept a preset switch waiting on the pool a dozen times.
#pragma once

#include <QPixmap>
#include <QRect>
#include <QRegion>
#include <QRgb>

#include <optional>

class QPainter;

// Draws picture with its top left corner at at where it meets area (the region being repainted,
// in the painter's coordinates), one rectangle at a time, each under a clip of that rectangle.
// An opaque picture drawn straight into an image (a window's backing store) with no clip but
// the system's is copied row by row where area and the system clip meet, without a clip per
// rectangle. The pixels are those of one drawPixmap. Where device pixels do not line up with the
// painter's (a pixel ratio other than 1, a transformation beyond a translation by whole pixels),
// or area has many rectangles, it is one drawPixmap.
void DrawPixmapInPieces(QPainter& painter, const QPoint& at, const QPixmap& picture,
                        const QRegion& area);

// The part of rect (in the painter's coordinates) that the window's clip (the paint engine's system
// clip) lets the painter paint, for a clip of its own per rectangle; none where device pixels do
// not line up with the painter's (as for DrawPixmapInPieces).
std::optional<QRegion> WindowPieces(const QPainter& painter, const QRect& rect);

// The rectangle in the middle of picture (in its pixels) where every pixel has the middle pixel's
// colour, given back in colour (premultiplied): grown from the middle pixel along its row and
// its column, then checked whole. Empty where that rectangle holds another colour or the picture
// has a pixel ratio other than 1. A frame's picture is such a picture.
QRect PlainMiddle(const QPixmap& picture, QRgb& colour);

// Draws like DrawPixmapInPieces, but where area meets middle (a rectangle of the picture whose
// pixels are all colour, see PlainMiddle) fills instead of copying when colour is opaque: a fill
// writes the pixels without reading them from the picture.
void DrawFramePicture(QPainter& painter, const QPoint& at, const QPixmap& picture,
                      const QRegion& area, const QRect& middle, QRgb colour);
