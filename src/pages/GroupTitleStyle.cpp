#include "GroupTitleStyle.h"

#include <QApplication>
#include <QGroupBox>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionGroupBox>

#include <vector>

namespace {

// The style measures the bold title with the font on every call; a group repaints whenever one
// of its controls does. The rectangles depend only on what the key holds.
class GroupTitleStyle final : public QProxyStyle {
public:
    explicit GroupTitleStyle(const QString& key) : QProxyStyle(key) {}

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

private:
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
};

} // namespace

void UseGroupTitleStyle(QWidget* parent) {
    // Made once, from the application's style by name; where that gives another style (or a
    // style sheet decorates the application's) the groups keep drawing with the application's.
    static const QPointer<GroupTitleStyle> style = [] {
        QStyle* appStyle = QApplication::style();
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
    if (!style || QApplication::style()->name().compare(style->baseStyle()->name(),
                                                        Qt::CaseInsensitive) != 0) {
        return;
    }
    for (QGroupBox* group : parent->findChildren<QGroupBox*>()) {
        group->setStyle(style);
    }
}
