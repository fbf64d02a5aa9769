#include "CCurveList.h"

#include "CurveShapes.h"

#include "app/CachedScrollBar.h"
#include "app/Strings.h"

#include <algorithm>

#include <QEvent>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {

// Draws every item as its curve picture, the same whether selected or not.
class CurveDelegate final : public QStyledItemDelegate {
public:
    explicit CurveDelegate(CCurveList* owner) : QStyledItemDelegate(owner), list(owner) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->drawPixmap(option.rect.topLeft(),
                            list->Picture(index.data(Qt::UserRole).toInt(),
                                          painter->device()->devicePixelRatioF()));
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return QSize(CCurveList::kPictureWidth, CCurveList::kPictureHeight);
    }

private:
    const CCurveList* list;
};

constexpr int kFrame = 2; // list frame on each side: 67 + 2 * 2 = 71, 131 + 2 * 2 = 135

} // namespace

CCurveList::CCurveList(int curveCount, CurveFunction curveFunction, QColor curveColour,
                       QWidget* parent)
    : QListWidget(parent), function(curveFunction), colour(curveColour) {
    setItemDelegate(new CurveDelegate(this));
    setUniformItemSizes(true);
    setSpacing(0);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setVerticalScrollBar(new CachedScrollBar(Qt::Vertical, this));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(kFrame);
    for (int i = 0; i < curveCount; ++i) {
        auto* item = new QListWidgetItem(QStringLiteral(" "), this);
        item->setData(Qt::UserRole, i);
        // A screen reader reads the selected curve by its number.
        item->setData(Qt::AccessibleTextRole, presetor::Str(presetor::IDS_ACC_CURVE).arg(i));
        item->setSizeHint(QSize(kPictureWidth, kPictureHeight));
    }
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    setFixedSize(kPictureWidth + 2 * kFrame + scrollBar, kPictureHeight + 2 * kFrame);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CCurveList::OnScrolled);
}

void CCurveList::ShowCurve(int curve) {
    if (curve < 0 || curve >= count())
        curve = 0;
    const QSignalBlocker blocker(this);
    showing = true;
    setCurrentRow(curve);
    verticalScrollBar()->setValue(curve);
    showing = false;
}

void CCurveList::OnScrolled(int value) {
    // The user scrolled: the picture now at the top becomes the selection, as a click would.
    if (showing || value < 0 || value >= count() || value == currentRow())
        return;
    setCurrentRow(value);
}

bool CCurveList::event(QEvent* event) {
    // Only the frame paints on the list itself (the pictures paint on its viewport, and there is
    // no corner between two scroll bars).
    if (event->type() != QEvent::Paint || devicePixelRatioF() != 1.0 ||
        frameStyle() != (QFrame::Box | QFrame::Plain) || horizontalScrollBar()->isVisible()) {
        return QListWidget::event(event);
    }
    // The palette's colours as the widget now shows them (enabled or not, active or not).
    const QColor frameColour = palette().color(foregroundRole());
    const QRect r = frameRect();
    const int w = lineWidth();
    QPainter painter(this);
    painter.fillRect(QRect(r.left(), r.top(), r.width(), w), frameColour);
    painter.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), frameColour);
    painter.fillRect(QRect(r.left(), r.top() + w, w, r.height() - 2 * w), frameColour);
    painter.fillRect(QRect(r.right() - w + 1, r.top() + w, w, r.height() - 2 * w), frameColour);
    return true;
}

void CCurveList::verticalScrollbarValueChanged(int value) {
    // The item view asks the display server where the pointer is, to update the item under it;
    // that is a round trip to the server on every scroll, also on every preset switch that
    // shows another curve. Only a pointer over the list can be over one of its items.
    if (viewport()->underMouse())
        QListWidget::verticalScrollbarValueChanged(value);
}

const QPixmap& CCurveList::Picture(int curve, qreal ratio) const {
    if (ratio != picturesRatio) {
        pictures.assign(static_cast<std::size_t>(count()), QPixmap());
        picturesRatio = ratio;
    }
    QPixmap& picture = pictures.at(static_cast<std::size_t>(std::clamp(curve, 0, count() - 1)));
    if (picture.isNull()) {
        picture = QPixmap(QSize(kPictureWidth, kPictureHeight) * ratio);
        picture.setDevicePixelRatio(ratio);
        QPainter painter(&picture);
        PaintCurve(painter, QRect(0, 0, kPictureWidth, kPictureHeight), curve);
    }
    return picture;
}

void CCurveList::PaintCurve(QPainter& painter, const QRect& frame, int curve) const {
    painter.save();
    painter.fillRect(frame, Qt::white);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.adjusted(0, 0, -1, -1));

    // The graph fills the inside of the frame with a small margin.
    const QRectF graph = QRectF(frame).adjusted(4, 4, -4, -4);
    QPainterPath path;
    constexpr int kSteps = 120;
    for (int i = 0; i <= kSteps; ++i) {
        const double x = static_cast<double>(i) / kSteps;
        const QPointF p(graph.left() + x * graph.width(),
                        graph.bottom() - function(curve, x) * graph.height());
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(colour, 2));
    painter.drawPath(path);
    painter.restore();
}

CAftertouchCurveList::CAftertouchCurveList(QWidget* parent)
    : CCurveList(kAftertouchCurveCount, AftertouchCurve, QColor(0, 160, 0), parent) {
    setObjectName(QStringLiteral("aftertouchCurveList"));
    setAccessibleName(presetor::Str(presetor::IDS_ACC_AFTERTOUCH_CURVES));
}

CVelocityCurveList::CVelocityCurveList(QWidget* parent)
    : CCurveList(kVelocityCurveCount, VelocityCurve, QColor(0, 0, 255), parent) {
    setObjectName(QStringLiteral("velocityCurveList"));
    setAccessibleName(presetor::Str(presetor::IDS_ACC_VELOCITY_CURVES));
}
