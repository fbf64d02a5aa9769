// Page tabs with owner-drawn labels.
#include "CTabView.h"

#include "CAppDoc.h"
#include "PictureCopy.h"
#include "PlainGround.h"

#include <QEvent>
#include <QHash>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QToolButton>

#include <optional>
#include <vector>

namespace {

// Draws each label in its own colour, the selected one in bold, and sizes the tabs so that
// the bold label fits.
class LabelTabBar final : public QTabBar {
public:
    explicit LabelTabBar(QWidget* parent) : QTabBar(parent) {
        setObjectName(QStringLiteral("pageTabBar"));
        setExpanding(false);
        setDrawBase(true);
    }

protected:
    // The bar lays out all tabs again whenever one is added, and asks each for its size every
    // time; a label's size stays the same as long as the font and the style do.
    QSize tabSizeHint(int index) const override {
        const QString label = tabText(index);
        const auto known = sizes.constFind(label);
        if (known != sizes.constEnd()) {
            return *known;
        }
        QSize size = QTabBar::tabSizeHint(index);
        size.rwidth() += BoldExtra(label);
        sizes.insert(label, size);
        return size;
    }

    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
            sizes.clear();
        }
        QTabBar::changeEvent(event);
    }

    void paintEvent(QPaintEvent* event) override {
        // Only the tabs in the region to repaint: a recoloured tab repaints its own rectangle,
        // and its neighbours only where their shapes reach into it (a tab's rounded corners
        // overlap the next tab's by a pixel, which must be laid down in the same order as when
        // the whole bar paints). A label is drawn only where its text lies in the region.
        const QRegion& region = event->region();
        QStylePainter painter(this);
        if (opaque.Paint(*this, GroundIsPlain())) {
            if (parentWidget()) {
                DrawPixmapInPieces(painter, QPoint(0, 0), Ground(), region);
            } else {
                painter.fillRect(rect(), palette().window());
            }
        }
        for (int i = 0; i < count(); ++i) {
            if (!region.intersects(tabRect(i).adjusted(-kShapeOverlap, 0, kShapeOverlap, 0))) {
                continue;
            }
            QStyleOptionTab option;
            initStyleOption(&option, i);
            const QString label = option.text;
            option.text.clear();
            DrawShape(painter, option);
            if (!region.intersects(tabRect(i))) {
                continue;
            }
            painter.drawControl(QStyle::CE_TabBarTabLabel, option);

            QFont labelFont = font();
            labelFont.setBold(i == currentIndex());
            painter.setFont(labelFont);
            const QColor colour =
                tabTextColor(i).isValid() ? tabTextColor(i) : palette().color(QPalette::WindowText);
            painter.setPen(colour);
            const QRect textRect = style()->subElementRect(QStyle::SE_TabBarTabText, &option, this);
            painter.drawText(textRect.isValid() ? textRect : option.rect, Qt::AlignCenter, label);
        }
    }

private:
    // A recoloured tab repaints the holder, every widget under it and the window's ground
    // beneath it first, and a tab widget's frame is drawn whole, clipped only afterwards: a
    // tall fill that the raster engine hands to its thread pool on every preset switch. Once it
    // has painted, the bar covers its whole rectangle itself, with a picture of what lies under
    // it (the holder's paint on its ground), where that ground is one colour all the way up to
    // the window. It is not taken while the window first appears.
    bool GroundIsPlain() const {
        const QWidget* holder = parentWidget();
        if (!holder || isWindow() || !styleSheet().isEmpty() ||
            holder->testAttribute(Qt::WA_StyledBackground)) {
            return false;
        }
        // The picture lays the holder's own ground colour under its paint; the widgets above
        // must lay the same one.
        const std::optional<QColor> above =
            holder->isWindow() ? PlainGround(holder) : PlainGround(holder->parentWidget());
        const QBrush& colour = holder->palette().brush(holder->backgroundRole());
        return above && colour.style() == Qt::SolidPattern && colour.color() == *above &&
               holder->styleSheet().isEmpty();
    }

    // What lies under the bar, drawn again only when something it depends on changed.
    const QPixmap& Ground() {
        QWidget* holder = parentWidget();
        const auto* tabs = qobject_cast<const QTabWidget*>(holder);
        GroundKey key{size(),
                      pos(),
                      holder->size(),
                      holder->palette().cacheKey(),
                      holder->style(),
                      devicePixelRatioF(),
                      holder->isActiveWindow(),
                      holder->isEnabled(),
                      tabs ? tabs->currentIndex() : -1};
        if (ground.isNull() || !(groundKey == key)) {
            groundKey = key;
            ground = QPixmap((QSizeF(size()) * key.ratio).toSize().expandedTo(QSize(1, 1)));
            ground.setDevicePixelRatio(key.ratio);
            holder->render(&ground, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
        }
        return ground;
    }

    struct GroundKey {
        QSize size;
        QPoint position;
        QSize holderSize;
        qint64 palette = 0;
        const QStyle* style = nullptr;
        qreal ratio = 0;
        bool active = false;
        bool enabled = false;
        int current = -1;
        bool operator==(const GroundKey&) const = default;
    };
    GroundKey groundKey;
    QPixmap ground;
    OpaqueOverGround opaque;

    // How far a style draws a tab's shape beyond its rectangle, at most.
    static constexpr int kShapeOverlap = 2;
    // Room kept around a tab's shape in its picture: more than a style draws outside it.
    static constexpr int kShapeMargin = kShapeOverlap + 2;

    // A tab's shape (without its label) is drawn once per look into a transparent picture and
    // then copied: a style's gradients and rounded outlines cost far more than one copy, and
    // every recoloured tab repaints its shape and its neighbours'. The copy gives the style's
    // pixels, antialiased edges within one level of rounding.
    void DrawShape(QPainter& painter, const QStyleOptionTab& option) const {
        ShapeKey key{option.rect.size(),
                     option.state,
                     option.direction,
                     option.position,
                     option.selectedPosition,
                     option.shape,
                     option.documentMode,
                     option.features,
                     option.cornerWidgets,
                     option.palette,
                     style(),
                     devicePixelRatioF(),
                     {}};
        const QPixmap* picture = nullptr;
        for (const ShapeKey& known : shapes) {
            if (known.Same(key)) {
                picture = &known.picture;
                break;
            }
        }
        const QPoint margin(kShapeMargin, kShapeMargin);
        if (!picture) {
            const QSize size = key.size + QSize(2 * kShapeMargin, 2 * kShapeMargin);
            key.picture = QPixmap((QSizeF(size) * key.ratio).toSize());
            key.picture.setDevicePixelRatio(key.ratio);
            key.picture.fill(Qt::transparent);
            {
                QPainter shapePainter(&key.picture);
                QStyleOptionTab moved(option);
                moved.rect.moveTopLeft(margin);
                style()->drawControl(QStyle::CE_TabBarTabShape, &moved, &shapePainter, this);
            }
            if (shapes.size() >= kMaxShapes) {
                shapes.clear();
            }
            shapes.push_back(key);
            picture = &shapes.back().picture;
        }
        painter.drawPixmap(option.rect.topLeft() - margin, *picture);
    }

    struct ShapeKey {
        QSize size;
        QStyle::State state;
        Qt::LayoutDirection direction;
        QStyleOptionTab::TabPosition position;
        QStyleOptionTab::SelectedPosition selectedPosition;
        QTabBar::Shape shape;
        bool documentMode;
        QStyleOptionTab::TabFeatures features;
        QStyleOptionTab::CornerWidgets cornerWidgets;
        QPalette palette; // compared whole: a tab's text colour detaches it every time
        const QStyle* style;
        qreal ratio;
        QPixmap picture;

        bool Same(const ShapeKey& o) const {
            return size == o.size && state == o.state && direction == o.direction &&
                   position == o.position && selectedPosition == o.selectedPosition &&
                   shape == o.shape && documentMode == o.documentMode && features == o.features &&
                   cornerWidgets == o.cornerWidgets && palette == o.palette && style == o.style &&
                   ratio == o.ratio;
        }
    };
    static constexpr std::size_t kMaxShapes = 64;
    mutable std::vector<ShapeKey> shapes;

    // How much wider a label is in bold.
    int BoldExtra(const QString& label) const {
        QFont bold = font();
        bold.setBold(true);
        return std::max(0, QFontMetrics(bold).horizontalAdvance(label) -
                               fontMetrics().horizontalAdvance(label));
    }

    // Each label's tab size, bold room included, for the current font and style.
    mutable QHash<QString, QSize> sizes;
};

} // namespace

CTabView::CTabView(CEditorApp& application, CAppDoc& document, const PageFactory& pageFactory,
                   QWidget* parent)
    : QTabWidget(parent), app(application), doc(document), factory(pageFactory) {
    setObjectName(QStringLiteral("tabView"));
    setTabBar(new LabelTabBar(this));
    setDocumentMode(false);
    setUsesScrollButtons(true);
    // Tab goes from the tab bar straight into the page; the bar's scroll arrows are for the
    // mouse (Ctrl+Tab and the arrow keys turn the pages).
    for (QToolButton* arrow : tabBar()->findChildren<QToolButton*>())
        arrow->setFocusPolicy(Qt::NoFocus);
    // The first page is the one shown; each hidden one is made when its tab is first shown, so
    // the window appears sooner and answers at once. Until then their tabs hold empty stand-ins.
    bool first = true;
    for (const QString& label : PageTabLabels()) {
        QWidget* page = nullptr;
        if (first) {
            page = factory ? factory(label, app, doc, this) : nullptr;
            if (!page) {
                continue; // a page that cannot be made is left out; later pages take its index
            }
            first = false;
        } else {
            page = new QWidget(this);
            page->setObjectName(QStringLiteral("pendingPage"));
            pendingLabels << label;
        }
        addTab(page, label);
    }
    setCurrentIndex(0);
    connect(&doc, &CAppDoc::Updated, this, [this](int) { ColourSplitTabs(); });
    // A tab shown for the first time gets its page before anything paints it.
    connect(this, &QTabWidget::currentChanged, this, [this](int) {
        while (MakePage(currentIndex())) {
            // A page that cannot be made took its tab; another one is shown in its place.
        }
    });
    ColourSplitTabs();
}

bool CTabView::MakePage(int index) {
    QWidget* standIn = widget(index);
    if (!standIn || standIn->objectName() != QLatin1String("pendingPage")) {
        return false;
    }
    const QString label = tabText(index);
    pendingLabels.removeOne(label);
    const bool shown = currentIndex() == index;
    QWidget* page = factory ? factory(label, app, doc, this) : nullptr;
    {
        const QSignalBlocker blocker(this);
        removeTab(index);
        if (page) {
            insertTab(index, page, label);
            if (shown) {
                setCurrentIndex(index);
            }
        }
    }
    delete standIn;
    ColourSplitTabs();
    return !page;
}

void CTabView::CreatePendingPages() {
    for (int i = 0; i < count() && !pendingLabels.isEmpty();) {
        if (!MakePage(i)) {
            ++i;
        }
    }
}

void CTabView::SetActivePage(int index) {
    if (index < 0 || index == currentIndex() || index >= count()) {
        return;
    }
    setCurrentIndex(index);
    currentWidget()->setFocus();
}

void CTabView::SetTabColor(QWidget* page, const QColor& colour) {
    const int index = FindPage(page);
    if (index >= 0 && tabBar()->tabTextColor(index) != colour) {
        tabBar()->setTabTextColor(index, colour);
        tabBar()->update(tabBar()->tabRect(index));
    }
}

int CTabView::FindPage(QWidget* page) const {
    return page ? indexOf(page) : -1;
}

QString CTabView::GetTabLabel(int index) const {
    return tabText(index);
}

QColor CTabView::GetTabColor(int index) const {
    return tabBar()->tabTextColor(index);
}

void CTabView::ColourSplitTabs() {
    const presetor::Preset& preset = doc.GetBank().Current();
    for (int i = 0; i < count(); ++i) {
        const QString label = tabText(i);
        if (!label.startsWith(QStringLiteral("Split "))) {
            continue;
        }
        const int split = label.right(1).toInt() - 1;
        if (split < 0 || split >= presetor::kSplitCount) {
            continue;
        }
        const auto s = static_cast<std::size_t>(split);
        const bool active = preset.lowKey[s] != 0 || preset.highKey[s] != 0;
        SetTabColor(widget(i), active ? kActiveSplit : kInactiveSplit);
    }
}
