#include "ApplicationStyle.h"

#include "PictureCopy.h"
#include "PngReader.h"

#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QPixmapCache>
#include <QStyleOption>

#include <cstring>
#include <optional>

namespace {

// The arrow pictures the common style draws the toolbar's extension button with, in Qt's
// own resources.
QIcon ExtensionArrow(bool horizontal, bool rightToLeft) {
    static const QString kFolder = QStringLiteral(":/qt-project.org/styles/commonstyle/images/");
    const QStringList names =
        horizontal
            ? (rightToLeft ? QStringList{QStringLiteral("toolbar-ext-h-rtl-8"),
                                         QStringLiteral("toolbar-ext-h-rtl-16"),
                                         QStringLiteral("toolbar-ext-h-rtl-32")}
                           : QStringList{QStringLiteral("toolbar-ext-h-8"),
                                         QStringLiteral("toolbar-ext-h-16"),
                                         QStringLiteral("toolbar-ext-h-32")})
            : QStringList{QStringLiteral("toolbar-ext-v-5"), QStringLiteral("toolbar-ext-v-10"),
                          QStringLiteral("toolbar-ext-v-20")};
    QIcon icon;
    for (const QString& name : names) {
        const QPixmap picture = ReadPng(kFolder + name + QStringLiteral(".png"));
        if (picture.isNull()) {
            return {}; // another Qt: its style draws the arrow its own way
        }
        icon.addPixmap(picture);
    }
    return icon;
}

// QPixmap's key for a picture it loads from a file: its path, time, size and kind, each number
// as its bytes in memory order, low digit first.
template <typename T> QString HexBytes(T value) {
    static const char kDigits[] = "0123456789abcdef";
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    QString text;
    for (const unsigned char byte : bytes) {
        text += QLatin1Char(kDigits[byte & 0xf]);
        text += QLatin1Char(kDigits[byte >> 4]);
    }
    return text;
}

} // namespace

QString FilePixmapKey(const QString& file) {
    const QFileInfo info(file);
    constexpr unsigned kPixmapKind = 0; // a pixmap, not a bitmap
    return QStringLiteral("qt_pixmap") + info.absoluteFilePath() +
           HexBytes(static_cast<unsigned>(info.lastModified().toSecsSinceEpoch())) +
           HexBytes(static_cast<quint64>(info.size())) + HexBytes(kPixmapKind);
}

void CacheFilePixmap(const QString& file) {
    if (!QFileInfo::exists(file)) {
        return;
    }
    const QString key = FilePixmapKey(file);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached)) {
        return;
    }
    const QPixmap picture = ReadPng(file);
    if (!picture.isNull()) {
        QPixmapCache::insert(key, picture);
    }
}

ApplicationStyle::ApplicationStyle(QStyle* platformStyle) : QProxyStyle(platformStyle) {}

QIcon ApplicationStyle::standardIcon(StandardPixmap pixmap, const QStyleOption* option,
                                     const QWidget* widget) const {
    // Only the styles that take the arrow from the common style's pictures.
    if ((pixmap == SP_ToolBarHorizontalExtensionButton ||
         pixmap == SP_ToolBarVerticalExtensionButton) &&
        IsFusionOrWindows(baseStyle())) {
        const bool rightToLeft =
            option ? option->direction == Qt::RightToLeft : QGuiApplication::isRightToLeft();
        const QIcon arrow =
            ExtensionArrow(pixmap == SP_ToolBarHorizontalExtensionButton, rightToLeft);
        if (!arrow.isNull()) {
            return arrow;
        }
    }
    return QProxyStyle::standardIcon(pixmap, option, widget);
}

namespace {

// How an element is drawn: straight; in one clipped pass, for an element that sets a clip of its
// own, which replaces ours (drawn in several passes, it would lay its clipped parts down again in
// each); or in one clipped pass per piece of the window's clip.
enum class Passes { Straight, One, OnePerPiece };

// The passes of an element that draws long thin lines inside its option's rectangle, which
// Fusion does for the ones named below; other styles draw straight.
Passes LongLines(const QProxyStyle& style, bool drawsLongLines, Passes passes) {
    return drawsLongLines && IsFusion(style.baseStyle()) ? passes : Passes::Straight;
}

// Draws through `draw` under a clip rectangle of the painter's own: Qt's raster engine writes a
// thin line's or a frame's pixels directly only then. Under the window's clip alone it hands every
// pixel to its span filler as a run of one, and a long line goes out to the thread pool in
// pieces, a wake-up and a wait each (about 1.5 ms of the window's first paint here). Where the
// window's clip is several rectangles (the area left around opaque children), each takes its own
// pass where the element allows, clipped to that rectangle, so that every pixel is still drawn
// once and as before. A painter that clips already, or a clip of many pieces, is left as it is.
template <typename Draw>
void DrawClipped(QPainter* painter, const QStyleOption* option, Passes passes, Draw draw) {
    constexpr int kMostPieces = 16;
    const bool clipped = passes != Passes::Straight && painter && option &&
                         !option->rect.isEmpty() && !painter->hasClipping();
    const std::optional<QRegion> pieces =
        clipped ? WindowPieces(*painter, option->rect) : std::nullopt;
    if (!pieces || pieces->rectCount() > (passes == Passes::One ? 1 : kMostPieces)) {
        draw();
        return;
    }
    for (const QRect& piece : *pieces) {
        painter->save();
        painter->setClipRect(piece);
        draw();
        painter->restore();
    }
}

} // namespace

void ApplicationStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                     QPainter* painter, const QWidget* widget) const {
    // The outline around the pages; the keyboard focus's outline around a list's current row.
    const bool outline = element == PE_FrameTabWidget || element == PE_FrameFocusRect;
    DrawClipped(painter, option, LongLines(*this, outline, Passes::OnePerPiece),
                [&] { QProxyStyle::drawPrimitive(element, option, painter, widget); });
}

void ApplicationStyle::drawControl(ControlElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
    // A light and a dark line across the whole bar.
    DrawClipped(painter, option, LongLines(*this, element == CE_ToolBar, Passes::OnePerPiece),
                [&] { QProxyStyle::drawControl(element, option, painter, widget); });
}

void ApplicationStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                          QPainter* painter, const QWidget* widget) const {
    // The groove's and the handle's outlines along the bar; Fusion clips the groove's edge itself.
    DrawClipped(painter, option, LongLines(*this, control == CC_ScrollBar, Passes::One),
                [&] { QProxyStyle::drawComplexControl(control, option, painter, widget); });
}

void UseApplicationStyle() {
    QStyle* style = QApplication::style();
    if (!style || qobject_cast<ApplicationStyle*>(style) || !qApp->styleSheet().isEmpty()) {
        return;
    }
    // The wrapper owns the platform's style from here; the application owns the wrapper.
    QApplication::setStyle(new ApplicationStyle(style));
    // Fusion draws every group's frame from a picture it loads by file name through QPixmap's
    // cache; found there, it is not read with format detection. Should the key differ in
    // another Qt, Qt simply reads the picture itself.
    if (style->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0) {
        CacheFilePixmap(QStringLiteral(":/qt-project.org/styles/commonstyle/images/"
                                       "fusion_groupbox.png"));
    }
}

void UseUnshapedText() {
    QFont font = QApplication::font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    QApplication::setFont(font);
}

namespace {

// Whether the style, or the one a proxy wraps, is Qt's style of that name.
bool Named(const QStyle* style, QLatin1String name) {
    while (const auto* proxy = qobject_cast<const QProxyStyle*>(style)) {
        style = proxy->baseStyle();
    }
    return style && style->name().compare(name, Qt::CaseInsensitive) == 0;
}

} // namespace

bool IsFusion(const QStyle* style) {
    return Named(style, QLatin1String("fusion"));
}

bool IsFusionOrWindows(const QStyle* style) {
    return IsFusion(style) || Named(style, QLatin1String("windows"));
}

QStyle* PlatformStyle() {
    QStyle* style = QApplication::style();
    if (auto* wrapper = qobject_cast<ApplicationStyle*>(style)) {
        return wrapper->baseStyle();
    }
    return style;
}
