#include "SvgIcon.h"

#include "PixelFile.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <memory>

namespace {

// The file's bytes, read when the first pixmap is asked for and shared by the icon's copies.
struct SvgData {
    QString path;
    // The pixel files drawn from the picture at build time (":/presetor/pixels/NAME-%1.argb" for
    // ":/presetor/NAME.svg"), one per size; empty for a picture outside the program's resources.
    QString pixelPattern;
    QHash<int, QSize> pixelSizes; // side asked for -> the file's picture size (empty: none)
    bool loaded = false;
    // Qt's own icon for the SVG file, made only when a size without a pixel file is first asked
    // for: its SVG engine is a plugin, so neither it nor the SVG library is loaded before.
    // Null when the file is not a valid picture.
    QIcon svg;
    QSize shape; // the picture's proportions (empty: not a valid picture)
};

const QString kResourceRoot = QStringLiteral(":/presetor/");

class SvgIconEngine final : public QIconEngine {
public:
    explicit SvgIconEngine(std::shared_ptr<SvgData> svgData) : data(std::move(svgData)) {}

    QIconEngine* clone() const override { return new SvgIconEngine(data); }
    QString key() const override { return QStringLiteral("presetor-svg"); }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        if (const QSize drawn = PixelSize(size); !drawn.isEmpty()) {
            return drawn;
        }
        Load();
        return data->shape.isEmpty() ? QSize() : data->shape.scaled(size, Qt::KeepAspectRatio);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        QSize pixmapSize = rect.size();
        if (painter->device()) {
            pixmapSize *= painter->device()->devicePixelRatio();
        }
        painter->drawPixmap(rect, pixmap(pixmapSize, mode, state));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        const QString cacheKey = QStringLiteral("presetor-svg:%1:%2x%3:%4:%5")
                                     .arg(data->path)
                                     .arg(size.width())
                                     .arg(size.height())
                                     .arg(int(mode))
                                     .arg(int(state));
        QPixmap pm;
        if (QPixmapCache::find(cacheKey, &pm)) {
            return pm;
        }
        if (!PixelSize(size).isEmpty()) {
            pm = ReadPixelFile(data->pixelPattern.arg(size.width()));
        } else {
            if (actualSize(size, mode, state).isEmpty()) {
                return pm;
            }
            // At a pixel ratio of 1: the size asked for is already in pixels.
            pm = data->svg.pixmap(size, 1.0, QIcon::Normal, state);
        }
        if (mode != QIcon::Normal && qobject_cast<QApplication*>(QCoreApplication::instance())) {
            // Disabled, active and selected looks come from the style, as for any icon.
            QStyleOption option(0);
            option.palette = QGuiApplication::palette();
            const QPixmap generated = QApplication::style()->generatedIconPixmap(mode, pm, &option);
            if (!generated.isNull()) {
                pm = generated;
            }
        }
        // Toolbar and menu icons repaint often and are kept; a larger picture (the window's
        // icon, asked once for each size the window system takes) is not kept in memory.
        if (!pm.isNull() && std::max(size.width(), size.height()) <= kKeptSide) {
            QPixmapCache::insert(cacheKey, pm);
        }
        return pm;
    }

private:
    static constexpr int kKeptSide = 32;

    // The size of the picture drawn at build time for a square size, or an empty size.
    QSize PixelSize(const QSize& size) const {
        if (data->pixelPattern.isEmpty() || size.width() != size.height() || size.isEmpty()) {
            return {};
        }
        const auto known = data->pixelSizes.constFind(size.width());
        if (known != data->pixelSizes.constEnd()) {
            return *known;
        }
        const QSize found = PixelFileSize(data->pixelPattern.arg(size.width()));
        data->pixelSizes.insert(size.width(), found);
        return found;
    }

    void Load() {
        if (data->loaded) {
            return;
        }
        data->loaded = true;
        // The engine scales the picture's own size to fit the side asked for.
        const QIcon svg(data->path);
        const QSize shape = svg.actualSize(QSize(kShapeSide, kShapeSide));
        if (!shape.isEmpty()) {
            data->svg = svg;
            data->shape = shape;
        }
    }

    static constexpr int kShapeSide = 256;

    std::shared_ptr<SvgData> data;
};

} // namespace

QIcon SvgIcon(const QString& path) {
    auto data = std::make_shared<SvgData>();
    data->path = path;
    if (path.startsWith(kResourceRoot) && path.endsWith(QStringLiteral(".svg"))) {
        data->pixelPattern =
            kResourceRoot + QStringLiteral("pixels/") +
            path.mid(kResourceRoot.size(), path.size() - kResourceRoot.size() - 4) +
            QStringLiteral("-%1.argb");
    }
    return QIcon(new SvgIconEngine(std::move(data)));
}
