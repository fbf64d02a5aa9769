// The program's own pictures drawn at build time, stored as the pixels Qt paints with: a header of
// width and height (two 32-bit numbers in the machine's byte order) and then the rows of
// premultiplied ARGB32 pixels. Reading one is a copy; decoding a PNG file cost about 200,000
// instructions per picture at start-up, most of it for the window icon's four sizes.
// The build writes them on the machine that runs them, so the byte order is the same.
#pragma once

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QSize>

#include <cstdint>

namespace pixel_file {

constexpr qint64 kHeaderBytes = 8;
constexpr std::uint32_t kLargestSide = 4096;

// The picture's size from the header, or an empty size when the file is missing, or is not a
// pixel file of exactly the length its header gives.
inline QSize ReadSize(QFile& file) {
    std::uint32_t side[2] = {0, 0};
    if (file.size() < kHeaderBytes ||
        file.read(reinterpret_cast<char*>(side), kHeaderBytes) != kHeaderBytes) {
        return {};
    }
    if (side[0] == 0 || side[1] == 0 || side[0] > kLargestSide || side[1] > kLargestSide ||
        file.size() != kHeaderBytes + qint64(side[0]) * side[1] * 4) {
        return {};
    }
    return {int(side[0]), int(side[1])};
}

} // namespace pixel_file

// The size of the picture in a pixel file, or an empty size.
inline QSize PixelFileSize(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? pixel_file::ReadSize(file) : QSize();
}

// The picture in a pixel file, or a null pixmap.
inline QPixmap ReadPixelFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QSize size = pixel_file::ReadSize(file);
    if (size.isEmpty()) {
        return {};
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    const qint64 bytes = qint64(size.width()) * size.height() * 4;
    // A row of ARGB32 pixels is never padded, so the image's rows lie end to end as in the file.
    if (image.isNull() || image.sizeInBytes() != bytes ||
        file.read(reinterpret_cast<char*>(image.bits()), bytes) != bytes) {
        return {};
    }
    return QPixmap::fromImage(std::move(image));
}

// Writes image as a pixel file; false when it cannot.
inline bool WritePixelFile(const QImage& picture, const QString& path) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.isNull() || image.width() > int(pixel_file::kLargestSide) ||
        image.height() > int(pixel_file::kLargestSide)) {
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    const std::uint32_t side[2] = {std::uint32_t(image.width()), std::uint32_t(image.height())};
    bool written = file.write(reinterpret_cast<const char*>(side), pixel_file::kHeaderBytes) ==
                   pixel_file::kHeaderBytes;
    for (int y = 0; written && y < image.height(); ++y) {
        const qint64 row = qint64(image.width()) * 4;
        written = file.write(reinterpret_cast<const char*>(image.constScanLine(y)), row) == row;
    }
    return written && file.flush();
}
