#include "SvgIcon.h"

#include <QApplication>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

#include <memory>

namespace {

// The file's bytes, read when the first pixmap is asked for and shared by the icon's copies.
struct SvgData {
    QString path;
    bool loaded = false;
    std::unique_ptr<QSvgRenderer> renderer; // parsed once, only if the file is a valid picture
};

class SvgIconEngine final : public QIconEngine {
public:
    explicit SvgIconEngine(std::shared_ptr<SvgData> svgData) : data(std::move(svgData)) {}

    QIconEngine* clone() const override { return new SvgIconEngine(data); }
    QString key() const override { return QStringLiteral("presetor-svg"); }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        Load();
        if (!data->renderer) {
            return QSize();
        }
        QSize actual = data->renderer->defaultSize();
        if (!actual.isNull()) {
            actual.scale(size, Qt::KeepAspectRatio);
        }
        return actual;
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
        const QSize actual = actualSize(size, mode, state);
        if (actual.isEmpty()) {
            return pm;
        }
        QImage image(actual, QImage::Format_ARGB32_Premultiplied);
        image.fill(0x00000000);
        QPainter painter(&image);
        data->renderer->render(&painter);
        painter.end();
        pm = QPixmap::fromImage(image);
        if (mode != QIcon::Normal && qobject_cast<QApplication*>(QCoreApplication::instance())) {
            // Disabled, active and selected looks come from the style, as for any icon.
            QStyleOption option(0);
            option.palette = QGuiApplication::palette();
            const QPixmap generated = QApplication::style()->generatedIconPixmap(mode, pm, &option);
            if (!generated.isNull()) {
                pm = generated;
            }
        }
        if (!pm.isNull()) {
            QPixmapCache::insert(cacheKey, pm);
        }
        return pm;
    }

private:
    void Load() {
        if (data->loaded) {
            return;
        }
        data->loaded = true;
        auto renderer = std::make_unique<QSvgRenderer>(data->path);
        if (renderer->isValid()) {
            data->renderer = std::move(renderer);
        }
    }

    std::shared_ptr<SvgData> data;
};

} // namespace

QIcon SvgIcon(const QString& path) {
    auto data = std::make_shared<SvgData>();
    data->path = path;
    return QIcon(new SvgIconEngine(std::move(data)));
}
