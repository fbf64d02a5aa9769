// Reads one of the program's own PNG pictures (or one of Qt's) without asking image format
// plugins: a reader left to detect the format loads every installed plugin, and the libraries
// behind them, to ask each whether it reads PNG before it uses the PNG reader built into Qt.
#pragma once

#include <QImageReader>
#include <QPixmap>

class PngReader final : public QImageReader {
public:
    explicit PngReader(const QString& file) : QImageReader(file, "png") {
        setAutoDetectImageFormat(false);
    }
};

// The picture in the PNG file, or a null pixmap.
inline QPixmap ReadPng(const QString& file) {
    PngReader reader(file);
    return QPixmap::fromImageReader(&reader);
}
