// Pictures copied in pieces, and scroll bars shown from pictures, look as Qt draws them.
#include "app/CachedScrollBar.h"
#include "app/PictureCopy.h"

#include <QApplication>
#include <QGroupBox>
#include <QLinearGradient>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QProxyStyle>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionComplex>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// A region of seven rectangles, taller than the 96 rows Qt's engine would hand to its thread
// pool, some side by side in a row: what a group repaints around a control that paints itself.
QRegion Awkward() {
    QRegion region(QRect(4, 2, 150, 300));
    region -= QRect(40, 60, 30, 150);   // a hole: two rectangles side by side
    region += QRect(160, 100, 20, 110); // apart on the right: three
    return region;
}

// More rectangles than are worth a clip each.
QRegion Scattered() {
    QRegion region;
    for (int i = 0; i < 40; ++i)
        region += QRect(2 + 4 * i, 3 + 7 * i, 3, 5);
    return region;
}

// A translucent picture with antialiased edges, a gradient and text.
QPixmap Picture() {
    QPixmap picture(170, 280);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, 280);
    gradient.setColorAt(0, QColor(10, 80, 200, 180));
    gradient.setColorAt(1, QColor(200, 30, 20, 90));
    painter.setBrush(gradient);
    painter.setPen(QPen(QColor(0, 0, 0, 160), 1.5));
    painter.drawEllipse(QRectF(8.5, 5.25, 150.3, 260.6));
    painter.drawLine(QPointF(2, 1), QPointF(160, 270));
    painter.drawText(QRect(10, 130, 150, 30), Qt::AlignCenter, QStringLiteral("Split 1"));
    return picture;
}

// Where the picture copies put their pictures.
constexpr QPoint kAt(9, 17);

// One way a window's backing store is painted: an image in one of its two formats, the painter
// moved by whole pixels, and the region to repaint given either to the drawing or as the
// engine's system clip (the drawing then gets the whole image).
struct BackingStoreCase {
    QImage::Format format;
    QPoint shift;
    bool systemClip;
    QRegion region;

    QImage Ground() const {
        QImage image(200, 320, format);
        image.fill(QColor(250, 240, 230));
        return image;
    }
    QImage Drawn(const std::function<void(QPainter&, const QRegion&)>& draw) const {
        QImage image = Ground();
        if (systemClip)
            image.paintEngine()->setSystemClip(region.translated(shift));
        QPainter painter(&image);
        painter.translate(shift);
        draw(painter, systemClip ? QRegion(image.rect().translated(-shift)) : region);
        painter.end();
        return image;
    }
    // The picture drawn with one drawPixmap under the region.
    QImage OneCopy(const QPixmap& picture, const QTransform& transform) const {
        QImage image = Ground();
        QPainter painter(&image);
        painter.setTransform(transform);
        painter.setClipRegion(region);
        painter.drawPixmap(kAt, picture);
        painter.end();
        return image;
    }
    QImage OneCopy(const QPixmap& picture) const {
        return OneCopy(picture, QTransform::fromTranslate(shift.x(), shift.y()));
    }
    QString Name() const {
        return QStringLiteral("format %1, shift %2,%3, %4")
            .arg(format)
            .arg(shift.x())
            .arg(shift.y())
            .arg(systemClip ? "system clip" : "region");
    }
};

// Every case for each of the regions.
void ForEachBackingStore(const QList<QRegion>& regions,
                         const std::function<void(const BackingStoreCase&)>& check) {
    for (const QImage::Format format :
         {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        for (const QPoint shift : {QPoint(0, 0), QPoint(3, -7), QPoint(-20, 60)}) {
            for (const QRegion& region : regions) {
                for (const bool systemClip : {false, true})
                    check({format, shift, systemClip, region});
            }
        }
    }
}

// Fusion with scroll bars that leave a two-pixel border undrawn: what lies under them shows.
class SeeThroughBarStyle final : public QProxyStyle {
public:
    SeeThroughBarStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("fusion"))) {}
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        painter->save();
        if (control == CC_ScrollBar)
            painter->setClipRect(option->rect.adjusted(2, 2, -2, -2), Qt::IntersectClip);
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        painter->restore();
    }
};

} // namespace

class PaintingTest : public QObject {
    Q_OBJECT

private slots:
    void picturesCopiedInPiecesLookAsOneCopy() {
        QCOMPARE(Awkward().rectCount(), 7); // few enough to be copied in pieces
        const QPixmap picture = Picture();
        const QPoint at(9, 17);
        struct Case {
            const char* what;
            QTransform transform;
        };
        // Translations by whole pixels are copied in pieces; a scale or a fraction of a pixel
        // in one piece, and must look as before too.
        for (const Case& c : {Case{"untranslated", QTransform()},
                              Case{"translated", QTransform::fromTranslate(3, -7)},
                              Case{"half a pixel", QTransform::fromTranslate(0.5, 2)},
                              Case{"scaled", QTransform::fromScale(1.25, 0.8)}}) {
            for (const QRegion& region : {Awkward(), Scattered()}) {
                for (const bool smooth : {false, true}) {
                    const auto copy = [&](bool pieces) {
                        QImage image(200, 320, QImage::Format_ARGB32_Premultiplied);
                        image.fill(QColor(250, 240, 230));
                        QPainter painter(&image);
                        painter.setTransform(c.transform);
                        painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
                        // The region clips both, as the region to repaint clips a widget.
                        painter.setClipRegion(region);
                        if (pieces)
                            DrawPixmapInPieces(painter, at, picture, region);
                        else
                            painter.drawPixmap(at, picture);
                        return image;
                    };
                    QVERIFY2(copy(false) == copy(true), c.what);
                }
            }
        }
    }

    // An opaque picture drawn straight into an image (as into a window's backing store) is
    // copied row by row: the pixels are those of one drawPixmap under the region, into both
    // formats a backing store has, moved by whole pixels, partly outside the image, and only
    // where the system's clip lets paint through when the region given is larger.
    void opaquePicturesCopiedIntoImagesLookAsOneCopy() {
        const QPixmap picture =
            QPixmap::fromImage(Picture().toImage().convertToFormat(QImage::Format_RGB32));
        QVERIFY(!picture.hasAlphaChannel());
        ForEachBackingStore({Awkward(), Scattered()}, [&](const BackingStoreCase& c) {
            QVERIFY2(c.Drawn([&](QPainter& painter, const QRegion& area) {
                DrawPixmapInPieces(painter, kAt, picture, area);
            }) == c.OneCopy(picture),
                     qPrintable(c.Name()));
        });
    }

    // A frame's picture is copied where it varies and filled where its middle is one colour:
    // the middle is found, and the pixels are those of one drawPixmap under the region, straight
    // into both formats a backing store has (moved, partly outside, under a smaller system
    // clip), and through the painter under a clip, moved or scaled.
    void framePicturesFilledInTheMiddleLookAsOneCopy() {
        QImage framed(170, 280, QImage::Format_RGB32);
        framed.fill(QColor(236, 236, 236));
        {
            QPainter painter(&framed);
            QLinearGradient gradient(0, 0, 170, 0);
            gradient.setColorAt(0, QColor(90, 90, 120));
            gradient.setColorAt(1, QColor(200, 180, 60));
            painter.setPen(QPen(QBrush(gradient), 5));
            painter.drawRect(QRect(3, 20, 163, 256)); // lines 5 wide around x 3..166, y 20..276
            painter.drawText(QRect(10, 0, 150, 18), Qt::AlignCenter, QStringLiteral("Keyboard"));
        }
        const QPixmap picture = QPixmap::fromImage(framed);
        QRgb colour = 0;
        const QRect middle = PlainMiddle(picture, colour);
        QCOMPARE(middle, QRect(QPoint(6, 23), QPoint(163, 273)));
        QCOMPARE(colour, qRgb(236, 236, 236));
        // A stray pixel in what would be the middle: no middle at all.
        QImage stray = framed;
        stray.setPixel(30, 200, qRgb(235, 236, 236));
        QRgb strayColour = 0;
        QVERIFY(PlainMiddle(QPixmap::fromImage(stray), strayColour).isEmpty());

        ForEachBackingStore(
            {Awkward(), Scattered(), QRegion(0, 0, 200, 320)}, [&](const BackingStoreCase& c) {
                QVERIFY2(c.Drawn([&](QPainter& painter, const QRegion& area) {
                    DrawFramePicture(painter, kAt, picture, area, middle, colour);
                }) == c.OneCopy(picture),
                         qPrintable(c.Name()));
                if (c.systemClip)
                    return;
                for (const QTransform& transform :
                     {QTransform::fromTranslate(c.shift.x(), c.shift.y()),
                      QTransform::fromScale(1.25, 0.8)}) {
                    QImage image = c.Ground();
                    QPainter painter(&image);
                    painter.setTransform(transform);
                    painter.setClipRegion(c.region);
                    DrawFramePicture(painter, kAt, picture, c.region, middle, colour);
                    painter.end();
                    QVERIFY2(image == c.OneCopy(picture, transform),
                             transform.isScaling() ? "scaled, clipped" : "moved, clipped");
                }
            });
    }

    // The preset list's bar shows the bar without its handle with the handle copied onto it,
    // and copies both in pieces; on the display it looks as a plain bar at every position, after
    // range changes, enabling and repaints of parts of it, standing or lying.
    void tallCachedBarsLookAsPlainBars_data() {
        QTest::addColumn<Qt::Orientation>("orientation");
        QTest::addColumn<QString>("style");
        QTest::newRow("vertical") << Qt::Vertical << QString();
        QTest::newRow("horizontal") << Qt::Horizontal << QString();
        QTest::newRow("Windows style") << Qt::Vertical << QStringLiteral("windows");
        QTest::newRow("no room in the cache") << Qt::Vertical << QStringLiteral("tiny cache");
        QTest::newRow("see-through bar") << Qt::Vertical << QStringLiteral("see-through");
    }

    void tallCachedBarsLookAsPlainBars() {
        QFETCH(Qt::Orientation, orientation);
        QFETCH(QString, style);
        const bool tinyCache = style == QLatin1String("tiny cache");
        const bool seeThrough = style == QLatin1String("see-through");
        std::unique_ptr<QStyle> own(style.isEmpty() || tinyCache ? nullptr
                                    : seeThrough                 ? new SeeThroughBarStyle
                                                                 : QStyleFactory::create(style));
        // A cache with no room for a bar's pictures: the bar draws without them.
        const int cacheLimit = QPixmapCache::cacheLimit();
        const auto restore = qScopeGuard([cacheLimit] { QPixmapCache::setCacheLimit(cacheLimit); });
        if (tinyCache) {
            QPixmapCache::clear();
            QPixmapCache::setCacheLimit(1);
        }
        const bool vertical = orientation == Qt::Vertical;
        QWidget window;
        window.resize(vertical ? QSize(60, 420) : QSize(420, 60));
        auto* cached = new CachedScrollBar(orientation, &window);
        auto* plain = new QScrollBar(orientation, &window);
        const auto place = [vertical](int across) {
            return vertical ? QRect(across, 10, 16, 400) : QRect(10, across, 400, 16);
        };
        cached->setGeometry(place(0));
        plain->setGeometry(place(30));
        if (own) {
            cached->setStyle(own.get());
            plain->setStyle(own.get());
        }
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // A bar that lays its own ground is grabbed without an alpha channel.
        const auto grabbed = [](QWidget* bar) {
            return bar->grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        // Two bars side by side in the same holder, which stands at the window's top left.
        const auto alikeBars = [&](QWidget* one, QWidget* other, const QString& what) {
            QApplication::processEvents();
            const QImage shown = window.screen()->grabWindow(window.winId()).toImage();
            const bool same = shown.copy(one->geometry()) == shown.copy(other->geometry()) &&
                              grabbed(one) == grabbed(other);
            if (!same)
                qWarning("%s: the cached bar differs", qPrintable(what));
            return same;
        };
        const auto alike = [&](const QString& what) { return alikeBars(cached, plain, what); };
        const auto both = [&](const std::function<void(QScrollBar*)>& change) {
            change(cached);
            change(plain);
        };
        both([](QScrollBar* bar) {
            bar->setRange(0, 96);
            bar->setPageStep(31);
        });
        QVERIFY(alike(QStringLiteral("range 0-96")));
        // On the window's plain ground the bar lays that ground itself.
        QVERIFY(cached->testAttribute(Qt::WA_OpaquePaintEvent));
        for (int value = 0; value <= 96; ++value) {
            both([value](QScrollBar* bar) { bar->setValue(value); });
            QVERIFY(grabbed(cached) == grabbed(plain));
        }
        for (const int value : {40, 96, 1, 0}) {
            both([value](QScrollBar* bar) { bar->setValue(value); });
            QVERIFY(alike(QStringLiteral("at %1").arg(value)));
        }
        both([](QScrollBar* bar) { bar->setRange(0, 3); });
        QVERIFY(alike(QStringLiteral("a long handle")));
        both([](QScrollBar* bar) { bar->setEnabled(false); });
        QVERIFY(alike(QStringLiteral("disabled")));
        both([](QScrollBar* bar) { bar->setEnabled(true); });
        QVERIFY(alike(QStringLiteral("enabled again")));
        // A repaint of two separate parts, one of them longer than a band.
        both([vertical](QScrollBar* bar) {
            bar->update(vertical ? QRegion(0, 5, 16, 150) + QRegion(2, 300, 10, 40)
                                 : QRegion(5, 0, 150, 16) + QRegion(300, 2, 40, 10));
        });
        QVERIFY(alike(QStringLiteral("parts repainted")));
        // In a group box, which draws a frame and a tint under its children: a bar drawn from
        // pictures without a transparent pixel needs nothing under it; where the style leaves
        // some pixels undrawn, the group paints under the bar.
        auto* group = new QGroupBox(&window);
        group->setGeometry(window.rect());
        auto* grouped = new CachedScrollBar(orientation, group);
        auto* groupedPlain = new QScrollBar(orientation, group);
        // Both inside the group's frame, on its tint.
        grouped->setGeometry(place(10));
        groupedPlain->setGeometry(place(40));
        for (QScrollBar* bar : {static_cast<QScrollBar*>(grouped), groupedPlain}) {
            if (own)
                bar->setStyle(own.get());
            bar->setRange(0, 96);
            bar->setPageStep(31);
        }
        group->show();
        for (const int value : {40, 41, 96, 0, 42}) {
            grouped->setValue(value);
            groupedPlain->setValue(value);
            QVERIFY(
                alikeBars(grouped, groupedPlain, QStringLiteral("in a group at %1").arg(value)));
        }
        QCOMPARE(grouped->testAttribute(Qt::WA_OpaquePaintEvent), !seeThrough);
        grouped->setEnabled(false);
        groupedPlain->setEnabled(false);
        QVERIFY(alikeBars(grouped, groupedPlain, QStringLiteral("in a group, disabled")));
        grouped->setEnabled(true);
        groupedPlain->setEnabled(true);
        QVERIFY(alikeBars(grouped, groupedPlain, QStringLiteral("in a group, enabled again")));
    }
};

QTEST_MAIN(PaintingTest)
#include "PaintingTest.moc"
