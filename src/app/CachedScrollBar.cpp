#include "CachedScrollBar.h"

#include "ApplicationStyle.h"
#include "PictureCopy.h"
#include "PlainGround.h"

#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOptionSlider>

#include <cstring>

namespace {

// The key of everything the style reads but the handle's position: the look, the range and
// the widget's state. The fields' bytes make the key (a printed one cost more than copying the
// bar's pictures); the prefix keeps it apart from other keys in the pixmap cache.
QString LookKey(const QStyle* style, const QStyleOptionSlider& option, qreal ratio) {
    struct Fields {
        quint64 style;
        qint64 palette;
        double ratio;
        qint32 numbers[12]; // the last one only fills the struct: no byte is left undefined
    };
    const Fields fields{
        reinterpret_cast<quintptr>(style),
        option.palette.cacheKey(),
        ratio,
        {option.rect.width(), option.rect.height(), static_cast<qint32>(option.state),
         option.minimum, option.maximum, option.pageStep, option.singleStep,
         static_cast<qint32>(option.orientation), static_cast<qint32>(option.direction),
         option.upsideDown ? 1 : 0, static_cast<qint32>(option.activeSubControls), 0}};
    static_assert(sizeof(Fields) == 3 * sizeof(quint64) + 12 * sizeof(qint32));
    return QStringLiteral("presetor-scrollbar-") +
           QString::fromUtf16(reinterpret_cast<const char16_t*>(&fields),
                              sizeof fields / sizeof(char16_t));
}

// The key of the picture of the look with the handle at the option's position.
QString PositionKey(const QString& look, const QStyleOptionSlider& option) {
    const qint32 at[2] = {option.sliderPosition, option.sliderValue};
    return look + QStringLiteral("-at-") +
           QString::fromUtf16(reinterpret_cast<const char16_t*>(at),
                              (sizeof at) / (sizeof(char16_t)));
}

// Whether a look is composed of the bar without its handle and the handle's picture, and where
// that picture sits against the handle's place. Kept for the looks seen, forgotten past a few
// hundred. A look is judged when it is painted a second time: a bar painted once (the window's
// first paint) keeps no pictures.
struct Verdict {
    bool judged = false;
    bool composed = false;
    QPoint offset; // of the handle's picture against the handle's place
    QRect span;    // where the handle's picture may go (see SameAlong)
};

QHash<QString, Verdict>& Verdicts() {
    static QHash<QString, Verdict> verdicts;
    return verdicts;
}

void Keep(const QString& look, const Verdict& verdict) {
    auto& verdicts = Verdicts();
    if (verdicts.size() > 256 && !verdicts.contains(look)) {
        verdicts.clear();
    }
    verdicts.insert(look, verdict);
}

// The option with the handle at position.
QStyleOptionSlider At(const QStyleOptionSlider& option, int position) {
    QStyleOptionSlider at(option);
    at.sliderPosition = at.sliderValue = position;
    return at;
}

bool Opaque(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 255) {
                return false;
            }
        }
    }
    return true;
}

// A picture without a transparent pixel is kept without an alpha channel: it is then copied
// rather than blended, and a bar that copies only such pictures covers everything under it.
QPixmap Kept(const QImage& image) {
    return QPixmap::fromImage(Opaque(image) ? image.convertToFormat(QImage::Format_RGB32) : image);
}

// The part of the groove around its middle where every row (every column of a horizontal bar)
// is the same: the groove's ends may have edges of their own.
QRect SameAlong(const QImage& bar, const QRect& groove, Qt::Orientation orientation) {
    const bool vertical = orientation == Qt::Vertical;
    const QImage along = vertical ? bar : bar.transformed(QTransform(0, 1, 1, 0, 0, 0));
    const QRect travel =
        vertical ? groove : QRect(groove.y(), groove.x(), groove.height(), groove.width());
    if (travel.isEmpty()) {
        return {};
    }
    const int middle = travel.center().y();
    const auto same = [&](int y) {
        return std::memcmp(along.constScanLine(middle), along.constScanLine(y),
                           static_cast<std::size_t>(along.bytesPerLine())) == 0;
    };
    int first = middle;
    while (first > travel.top() && same(first - 1)) {
        --first;
    }
    int last = middle;
    while (last < travel.bottom() && same(last + 1)) {
        ++last;
    }
    return vertical ? QRect(groove.left(), first, groove.width(), last - first + 1)
                    : QRect(first, groove.top(), last - first + 1, groove.height());
}

} // namespace

CachedScrollBar::CachedScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {}

QPixmap CachedScrollBar::Drawn(const QStyleOptionSlider& option) const {
    const qreal ratio = devicePixelRatioF();
    QPixmap picture(option.rect.size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
    return picture;
}

QRect CachedScrollBar::Place(const QStyleOptionSlider& option, QStyle::SubControl part,
                             int position) const {
    const QStyleOptionSlider at = At(option, position);
    return style()->subControlRect(QStyle::CC_ScrollBar, &at, part, this);
}

// A bar whose groove looks the same along its middle, and whose handle is opaque and drawn the
// same wherever it is, shows the bar without the handle with the handle's picture copied onto it:
// two pictures for all the positions in the groove's middle instead of one each. The handle's
// picture reaches as far as its drawing does (a style may draw a line beside it); where it would
// reach the groove's ends, the bar keeps a picture of the position. Checked once per look on the
// pictures themselves, with the handle in the middle and next to either end, so a bar that a style
// draws otherwise keeps a picture per position.
void CachedScrollBar::JudgeLook(const QStyleOptionSlider& option, const QString& look) {
    Verdict verdict;
    const int middle = option.minimum + (option.maximum - option.minimum) / 2;
    const auto drawnAt = [&](int position) { return Drawn(At(option, position)).toImage(); };
    QStyleOptionSlider without(option);
    without.subControls &= ~QStyle::SC_ScrollBarSlider;
    const QImage bare = Drawn(without).toImage();
    const QImage whole = drawnAt(middle);
    const QRect groove = Place(option, QStyle::SC_ScrollBarGroove, middle);
    const QRect place = Place(option, QStyle::SC_ScrollBarSlider, middle);
    // How far the handle's drawing reaches: where the bar with it differs from the bar without.
    QRect reach = place;
    for (int y = 0; y < whole.height(); ++y) {
        for (int x = 0; x < whole.width(); ++x) {
            if (whole.pixel(x, y) != bare.pixel(x, y)) {
                reach |= QRect(x, y, 1, 1);
            }
        }
    }
    const QImage handle = whole.copy(reach);
    const QRect span = SameAlong(bare, groove, option.orientation);
    bool composed = option.maximum > option.minimum && !place.isEmpty() && span.contains(reach) &&
                    Opaque(handle);
    // At the middle the composed bar is the drawn one by how the handle's picture was cut; next
    // to either end it must be what the style draws there.
    for (const int position : {option.minimum + 1, option.maximum - 1}) {
        const QRect target(Place(option, QStyle::SC_ScrollBarSlider, position).topLeft() +
                               reach.topLeft() - place.topLeft(),
                           handle.size());
        if (composed && span.contains(target)) {
            QImage bar = bare;
            QPainter painter(&bar);
            painter.drawImage(target.topLeft(), handle);
            painter.end();
            composed = bar == drawnAt(position);
        }
    }
    verdict.judged = true;
    // A cache too small for the pictures leaves the look to a picture per position, rather than
    // judging it again at every paint.
    if (composed && QPixmapCache::insert(look + QStringLiteral("-bare"), Kept(bare)) &&
        QPixmapCache::insert(look + QStringLiteral("-handle"), Kept(handle))) {
        verdict = {true, true, reach.topLeft() - place.topLeft(), span};
    }
    Keep(look, verdict);
}

void CachedScrollBar::paintEvent(QPaintEvent* event) {
    // The style shows hovered and pressed parts from state a style option does not carry, and
    // a transient bar fades: those are drawn as usual. So is a disabled bar under a style other
    // than Fusion: Qt's Windows style dots a disabled groove in a way a picture of the bar does
    // not reproduce.
    if (underMouse() || isSliderDown() || QGuiApplication::mouseButtons() != Qt::NoButton ||
        style()->styleHint(QStyle::SH_ScrollBar_Transient, nullptr, this) ||
        (!isEnabled() && !IsFusion(style()))) {
        LayGround(event->region(), false);
        QScrollBar::paintEvent(event);
        return;
    }
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_All;
    const qreal ratio = devicePixelRatioF();
    // The pictures sit in the application's pixmap cache, shared by equal bars on all pages and
    // dropped by its limit.
    const QString look = LookKey(style(), option, ratio);
    const auto seen = Verdicts().constFind(look);
    if (seen == Verdicts().constEnd()) {
        Keep(look, Verdict{});
        LayGround(event->region(), false);
        QScrollBar::paintEvent(event);
        return;
    }
    if (ratio == 1.0) {
        if (!seen->judged) {
            JudgeLook(option, look);
        }
        const Verdict verdict = Verdicts().value(look);
        QPixmap bare;
        QPixmap handle;
        if (verdict.composed && QPixmapCache::find(look + QStringLiteral("-bare"), &bare) &&
            QPixmapCache::find(look + QStringLiteral("-handle"), &handle)) {
            const QRect target(
                Place(option, QStyle::SC_ScrollBarSlider, option.sliderPosition).topLeft() +
                    verdict.offset,
                handle.size());
            if (verdict.span.contains(target)) {
                LayGround(event->region(), !bare.hasAlphaChannel() && !handle.hasAlphaChannel());
                QPainter painter(this);
                DrawPixmapInPieces(painter, QPoint(0, 0), bare, event->region());
                DrawPixmapInPieces(painter, target.topLeft(), handle, event->region());
                return;
            }
        } else if (verdict.composed) {
            Keep(look, Verdict{}); // the cache dropped a picture: judged again
        }
    }
    const QString key = PositionKey(look, option);
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = Kept(Drawn(option).toImage());
        QPixmapCache::insert(key, picture);
    }
    LayGround(event->region(), !picture.hasAlphaChannel());
    QPainter painter(this);
    DrawPixmapInPieces(painter, QPoint(0, 0), picture, event->region());
}

void CachedScrollBar::LayGround(const QRegion& region, bool covered) {
    if (covered) {
        opaque.Paint(*this, true);
        return;
    }
    const std::optional<QColor> ground = isWindow() ? std::nullopt : PlainGround(parentWidget());
    if (!opaque.Paint(*this, ground.has_value())) {
        return;
    }
    // The one colour under the bar; where the ground just stopped being plain, this one paint
    // lays the window's colour.
    QPainter painter(this);
    const QColor colour = ground.value_or(palette().color(QPalette::Window));
    for (const QRect& rect : region) {
        painter.fillRect(rect, colour);
    }
}
