#include "GroupTitleStyle.h"

#include "app/ApplicationStyle.h"
#include "app/PictureCopy.h"
#include "app/PlainGround.h"

#include <QApplication>
#include <QGroupBox>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionGroupBox>

#include <memory>
#include <optional>
#include <vector>

namespace {

// The picture kept under the key, drawn (into a picture of the key's size and pixel ratio, filled
// with the ground) when there is none yet, then measured by the key where it measures its
// pictures (Drawn); at most `most` are kept.
template <class Key, class Draw>
Key& KeptPicture(std::vector<Key>& kept, Key key, std::size_t most, const QColor& ground,
                 Draw draw) {
    for (Key& known : kept) {
        if (known.Same(key))
            return known;
    }
    key.picture = QPixmap((QSizeF(key.size) * key.ratio).toSize().expandedTo(QSize(1, 1)));
    key.picture.setDevicePixelRatio(key.ratio);
    key.picture.fill(ground);
    {
        QPainter painter(&key.picture);
        draw(painter);
    }
    if constexpr (requires { key.Drawn(); })
        key.Drawn();
    if (kept.size() >= most)
        kept.clear();
    kept.push_back(std::move(key));
    return kept.back();
}

// The colour a group box stands on, where that is one colour (a page fills its ground); none
// elsewhere.
std::optional<QColor> GroundUnder(const QWidget* group) {
    return group ? PlainGround(group->parentWidget()) : std::nullopt;
}

// The style measures the bold title with the font on every call; a group repaints whenever one
// of its controls does. The rectangles depend only on what the key holds.
class GroupTitleStyle final : public QProxyStyle {
public:
    explicit GroupTitleStyle(const QString& key) : QProxyStyle(key) {}

    // Notes the region each group is about to repaint (see drawComplexControl).
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painting = watched;
            paintRegion = static_cast<QPaintEvent*>(event)->region();
        }
        return QProxyStyle::eventFilter(watched, event);
    }

    // A group repaints whenever one of its controls does, mostly far from its title: the title
    // is laid out and drawn only when the region to repaint reaches it.
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        if (control == CC_GroupBox && group && widget && widget == painting &&
            (group->subControls & SC_GroupBoxLabel) &&
            !(group->subControls & SC_GroupBoxCheckBox) &&
            painter->transform().type() <= QTransform::TxTranslate) {
            const QRect title = subControlRect(control, option, SC_GroupBoxLabel, widget)
                                    .adjusted(-kTitleReach, -kTitleReach, kTitleReach, kTitleReach);
            if (!paintRegion.intersects(title)) {
                QStyleOptionGroupBox untitled(*group);
                untitled.subControls &= ~SC_GroupBoxLabel;
                QProxyStyle::drawComplexControl(control, &untitled, painter, widget);
                return;
            }
            titleOf = qobject_cast<const QGroupBox*>(widget);
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            titleOf = nullptr;
            titleFrame = {};
            return;
        }
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }

    // A group's title is drawn once per look over what lies under it (the page's ground and the
    // group's frame picture) and then copied: every control greyed or lit up repaints the whole
    // page, titles included. Only where the page fills its ground with one colour.
    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                      bool enabled, const QString& text, QPalette::ColorRole role) const override {
        const std::optional<QColor> ground = GroundUnder(titleOf);
        if (!ground || painter->transform().type() > QTransform::TxTranslate || rect.isEmpty() ||
            !titleFrame.group || titleFrame.group != titleOf) {
            QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, role);
            return;
        }
        TitleKey key{text,
                     rect.size(),
                     flags,
                     enabled,
                     role,
                     palette.cacheKey(),
                     palette.currentColorGroup(),
                     painter->font(),
                     painter->pen().color(),
                     *ground,
                     titleFrame.picture.cacheKey(),
                     titleFrame.rect.topLeft() - rect.topLeft(),
                     painter->device()->devicePixelRatioF(),
                     {}};
        const QPixmap& picture =
            KeptPicture(titles, key, kMaxTitles, key.ground, [&](QPainter& titlePainter) {
                titlePainter.drawPixmap(key.frameOffset, titleFrame.picture);
                titlePainter.setRenderHints(painter->renderHints());
                titlePainter.setFont(key.font);
                titlePainter.setPen(painter->pen());
                QProxyStyle::drawItemText(&titlePainter, QRect(QPoint(0, 0), rect.size()), flags,
                                          palette, enabled, text, role);
            }).picture;
        painter->drawPixmap(rect.topLeft(), picture);
    }

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override {
        const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        if (control != CC_GroupBox || !group || !widget) {
            return QProxyStyle::subControlRect(control, option, sub, widget);
        }
        Key key{sub,
                group->rect,
                group->text,
                group->subControls,
                group->features,
                group->textAlignment,
                group->lineWidth,
                group->midLineWidth,
                group->direction,
                group->fontMetrics,
                widget->font(),
                widget->devicePixelRatioF(),
                widget->logicalDpiX(),
                {}};
        for (const Key& known : rects) {
            if (known.Same(key)) {
                return known.result;
            }
        }
        key.result = QProxyStyle::subControlRect(control, option, sub, widget);
        if (rects.size() >= kMaxKept) {
            rects.clear();
        }
        rects.push_back(key);
        return key.result;
    }

    // The frame is drawn once per look into a picture and then copied: a style may build it
    // from scaled pieces of an image, which costs far more than one copy, and a group repaints
    // whenever one of its controls does. Where the page under the group fills its ground with
    // one colour the frame is drawn on that colour, so that the copy is a plain one instead of
    // a blend over the whole group; elsewhere on a transparent picture.
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        const auto* group = qobject_cast<const QGroupBox*>(widget);
        if (element != PE_FrameGroupBox || !group || !option || option->rect.isEmpty() ||
            painter->transform().type() > QTransform::TxTranslate ||
            painter->compositionMode() != QPainter::CompositionMode_SourceOver ||
            painter->opacity() != 1.0) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
        FrameKey key{option->rect.size(),
                     option->state,
                     option->direction,
                     option->palette.cacheKey(),
                     option->fontMetrics,
                     frame ? frame->features : QStyleOptionFrame::None,
                     frame ? frame->lineWidth : -1,
                     frame ? frame->midLineWidth : -1,
                     group->isCheckable(),
                     group->title().isEmpty(),
                     group->isFlat(),
                     painter->renderHints(),
                     painter->device()->devicePixelRatioF(),
                     GroundUnder(group).value_or(Qt::transparent),
                     {}};
        FrameKey& kept =
            KeptPicture(frames, key, kMaxFrames, key.ground, [&](QPainter& framePainter) {
                framePainter.setRenderHints(key.hints);
                std::unique_ptr<QStyleOption> moved(frame ? new QStyleOptionFrame(*frame)
                                                          : new QStyleOption(*option));
                moved->rect.moveTopLeft(QPoint(0, 0));
                QProxyStyle::drawPrimitive(element, moved.get(), &framePainter, widget);
            });
        DrawFramePicture(*painter, option->rect.topLeft(), kept.picture,
                         widget == painting ? paintRegion : QRegion(option->rect), kept.middle,
                         kept.middleColour);
        titleFrame = {titleOf == group ? group : nullptr, kept.picture, option->rect};
    }

private:
    struct TitleKey {
        QString text;
        QSize size;
        int flags;
        bool enabled;
        QPalette::ColorRole role;
        qint64 palette;
        QPalette::ColorGroup group;
        QFont font;
        QColor pen;
        QColor ground;
        qint64 frame;
        QPoint frameOffset;
        qreal ratio;
        QPixmap picture;

        bool Same(const TitleKey& o) const {
            return size == o.size && flags == o.flags && enabled == o.enabled && role == o.role &&
                   palette == o.palette && group == o.group && pen == o.pen && ground == o.ground &&
                   frame == o.frame && frameOffset == o.frameOffset && ratio == o.ratio &&
                   text == o.text && font == o.font;
        }
    };
    static constexpr std::size_t kMaxTitles = 64;
    mutable std::vector<TitleKey> titles;
    mutable const QGroupBox* titleOf = nullptr;
    // The frame picture last drawn for the group whose title is being drawn.
    struct TitleFrame {
        const QGroupBox* group = nullptr;
        QPixmap picture;
        QRect rect;
    };
    mutable TitleFrame titleFrame;

    struct Key {
        SubControl sub;
        QRect rect;
        QString text;
        SubControls subControls;
        QStyleOptionFrame::FrameFeatures features;
        Qt::Alignment textAlignment;
        int lineWidth;
        int midLineWidth;
        Qt::LayoutDirection direction;
        QFontMetrics metrics;
        QFont font;
        qreal ratio;
        int dpi;
        QRect result;

        bool Same(const Key& o) const {
            return sub == o.sub && rect == o.rect && text == o.text &&
                   subControls == o.subControls && features == o.features &&
                   textAlignment == o.textAlignment && lineWidth == o.lineWidth &&
                   midLineWidth == o.midLineWidth && direction == o.direction &&
                   metrics == o.metrics && font == o.font && ratio == o.ratio && dpi == o.dpi;
        }
    };
    static constexpr std::size_t kMaxKept = 512;
    mutable std::vector<Key> rects;

    // How far a title's focus frame reaches beyond its text.
    static constexpr int kTitleReach = 4;
    const QObject* painting = nullptr;
    QRegion paintRegion;

    struct FrameKey {
        QSize size;
        State state;
        Qt::LayoutDirection direction;
        qint64 palette;
        QFontMetrics metrics;
        QStyleOptionFrame::FrameFeatures features;
        int lineWidth;
        int midLineWidth;
        bool checkable;
        bool untitled;
        bool flat;
        QPainter::RenderHints hints;
        qreal ratio;
        QColor ground;
        QPixmap picture;
        QRect middle; // where the picture is one colour
        QRgb middleColour = 0;

        void Drawn() { middle = PlainMiddle(picture, middleColour); }

        bool Same(const FrameKey& o) const {
            return size == o.size && state == o.state && direction == o.direction &&
                   palette == o.palette && metrics == o.metrics && features == o.features &&
                   lineWidth == o.lineWidth && midLineWidth == o.midLineWidth &&
                   checkable == o.checkable && untitled == o.untitled && flat == o.flat &&
                   hints == o.hints && ratio == o.ratio && ground == o.ground;
        }
    };
    static constexpr std::size_t kMaxFrames = 64;
    mutable std::vector<FrameKey> frames;
};

} // namespace

void UseGroupTitleStyle(QWidget* parent) {
    // Made once, from the application's style by name; where that gives another style (or a
    // style sheet decorates the application's) the groups keep drawing with the application's.
    static const QPointer<GroupTitleStyle> style = [] {
        QStyle* appStyle = PlatformStyle();
        if (!appStyle || appStyle->name().isEmpty() || !qApp->styleSheet().isEmpty()) {
            return QPointer<GroupTitleStyle>();
        }
        auto* made = new GroupTitleStyle(appStyle->name());
        made->setParent(qApp);
        if (!made->baseStyle() ||
            made->baseStyle()->name().compare(appStyle->name(), Qt::CaseInsensitive) != 0 ||
            made->baseStyle()->metaObject() != appStyle->metaObject()) {
            delete made;
            return QPointer<GroupTitleStyle>();
        }
        return QPointer<GroupTitleStyle>(made);
    }();
    if (!style ||
        PlatformStyle()->name().compare(style->baseStyle()->name(), Qt::CaseInsensitive) != 0) {
        return;
    }
    for (QGroupBox* group : parent->findChildren<QGroupBox*>()) {
        group->setStyle(style);
        group->installEventFilter(style);
    }
}
