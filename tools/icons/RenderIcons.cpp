// presetor-render-icons: draws the program's SVG pictures into pixel files (PixelFile.h) at build
// time, so that start-up shows the toolbar and the window icon without parsing and drawing SVG
// or decoding PNG. SvgIcon uses a pixel file when one of the asked size is there and draws the
// SVG for every other size (high pixel ratios). The pixels are drawn exactly as SvgIcon draws
// the SVG.
// Usage: presetor-render-icons OUTDIR SRCDIR PICTURE.svg:SIZE[,SIZE...] ...
//        writes OUTDIR/PICTURE-SIZE.argb for each picture and size.
#include "app/PixelFile.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "Usage: presetor-render-icons OUTDIR SRCDIR PICTURE.svg:SIZE,... ...\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QDir source(QString::fromLocal8Bit(argv[2]));
    for (int i = 3; i < argc; ++i) {
        const QString entry = QString::fromLocal8Bit(argv[i]);
        const QString picture = entry.section(QLatin1Char(':'), 0, 0);
        QSvgRenderer renderer(source.filePath(picture));
        if (!renderer.isValid()) {
            std::fprintf(stderr, "presetor-render-icons: %s is not a valid SVG picture\n",
                         qPrintable(source.filePath(picture)));
            return 1;
        }
        const QString stem = picture.left(picture.size() - 4); // without ".svg"
        for (const QString& sizeText :
             entry.section(QLatin1Char(':'), 1).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const int side = sizeText.toInt();
            QSize actual = renderer.defaultSize();
            actual.scale(QSize(side, side), Qt::KeepAspectRatio);
            QImage image(actual, QImage::Format_ARGB32_Premultiplied);
            image.fill(0x00000000);
            QPainter painter(&image);
            renderer.render(&painter);
            painter.end();
            const QString target = out.filePath(stem + QStringLiteral("-%1.argb").arg(side));
            QDir().mkpath(QFileInfo(target).path());
            if (!WritePixelFile(image, target)) {
                std::fprintf(stderr, "presetor-render-icons: cannot write %s\n",
                             qPrintable(target));
                return 1;
            }
        }
    }
    return 0;
}
