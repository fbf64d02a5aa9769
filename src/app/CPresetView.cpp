// Preset list view.
#include "CPresetView.h"

#include "CAppDoc.h"
#include "CachedScrollBar.h"
#include "PresetListDelegate.h"
#include "Strings.h"

#include <QApplication>
#include <QHeaderView>
#include <QHoverEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>

using namespace presetor;

namespace {
constexpr QPoint kHotSpot(8, 8);

// The text a row shows for a preset's name.
QString RowName(const std::string& name) {
    return QString::fromLatin1(name.c_str());
}
} // namespace

CPresetView::CPresetView(CAppDoc& document, QWidget* parent) : QTreeWidget(parent), doc(document) {
    setObjectName(QStringLiteral("presetView"));
    setAccessibleName(Str(IDS_ACC_PRESET_LIST));
    setColumnCount(2);
    setHeaderLabels({Str(IDS_COLUMN_NAME), Str(IDS_COLUMN_NUMBER)});
    header()->setSectionsClickable(false);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(true);
    // The header shares the list's selection by default and repaints its sections on every
    // new selection, although it shows nothing of it: it gets a selection of its own.
    header()->setSelectionModel(new QItemSelectionModel(header()->model(), header()));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setSortingEnabled(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBar(new CachedScrollBar(Qt::Vertical, this));
    setItemDelegate(new PresetListDelegate(this));

    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] {
        const auto items = selectedItems();
        if (!items.isEmpty()) {
            doc.SetCurrentPreset(indexOfTopLevelItem(items.first()));
        }
    });
    connect(&doc, &CAppDoc::Updated, this, &CPresetView::OnUpdate);
    Rebuild();
    SizeColumns();
}

CPresetView::~CPresetView() = default;

void CPresetView::OnUpdate(int hint) {
    if (hint == 0) {
        Rebuild();
    } else {
        RewriteNames();
    }
}

void CPresetView::Rebuild() {
    const Bank& bank = doc.GetBank();
    const int count = bank.PresetCount();
    const QSignalBlocker blocker(this);
    while (topLevelItemCount() > count) {
        delete takeTopLevelItem(topLevelItemCount() - 1);
    }
    // Rows that stay get their names rewritten; new rows are made with theirs.
    RewriteNames();
    const int kept = topLevelItemCount();
    shownNames.resize(count);
    QList<QTreeWidgetItem*> added;
    added.reserve(count - kept);
    for (int i = kept; i < count; ++i) {
        shownNames[i] = RowName(bank.presets[static_cast<std::size_t>(i)].GetName());
        added << new QTreeWidgetItem(QStringList{shownNames[i], PresetPosition(i)});
    }
    addTopLevelItems(added);
    QTreeWidgetItem* current = topLevelItem(bank.CurrentIndex());
    setCurrentItem(current);
    current->setSelected(true);
    scrollToItem(current);
    SetDropHighlight(dropTarget, false);
}

void CPresetView::RewriteNames() {
    const Bank& bank = doc.GetBank();
    const int count = topLevelItemCount();
    shownNames.resize(count);
    for (int i = 0; i < count; ++i) {
        const std::string& name = bank.presets[static_cast<std::size_t>(i)].GetName();
        QString& shown = shownNames[i];
        if (shown != QLatin1StringView(name.c_str())) {
            shown = RowName(name);
            topLevelItem(i)->setText(0, shown);
        }
    }
}

void CPresetView::SizeColumns() {
    const QFontMetrics fm(font());
    const int padding = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) * 2 + 8;
    setColumnWidth(0, fm.horizontalAdvance(QStringLiteral("WWWWWWWW")) + padding);
    const QFontMetrics hm(header()->font());
    const int headerWidth = hm.horizontalAdvance(Str(IDS_COLUMN_NUMBER)) + padding + 8;
    const int contentWidth = fm.horizontalAdvance(QStringLiteral("16.7 (127)")) + padding;
    setColumnWidth(1, std::max(headerWidth, contentWidth));
}

int CPresetView::IdealWidth() const {
    return columnWidth(0) + columnWidth(1) +
           style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) + 2 * frameWidth();
}

int CPresetView::RowAt(const QPoint& viewportPos) const {
    if (!viewport()->rect().contains(viewportPos)) {
        return -1;
    }
    const QTreeWidgetItem* item = itemAt(QPoint(2, viewportPos.y()));
    return item ? indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item)) : -1;
}

QWidget* CPresetView::DragImage() const {
    return dragImage.get();
}

void CPresetView::UpdateCurrentName(const QString& name) {
    const int row = doc.GetBank().CurrentIndex();
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        item->setText(0, name);
        shownNames[row] = name;
    }
}

void CPresetView::mousePressEvent(QMouseEvent* event) {
    QTreeWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        pressRow = RowAt(event->position().toPoint());
        pressPos = event->position().toPoint();
    }
}

void CPresetView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (dragging) {
        DragMove(pos);
        return;
    }
    if ((event->buttons() & Qt::LeftButton) && pressRow >= 0 &&
        (pos - pressPos).manhattanLength() >= QApplication::startDragDistance()) {
        BeginDrag(pressRow, pos);
        return;
    }
    QTreeWidget::mouseMoveEvent(event);
}

void CPresetView::mouseReleaseEvent(QMouseEvent* event) {
    if (dragging && event->button() == Qt::LeftButton) {
        EndDrag(event->position().toPoint());
        return;
    }
    pressRow = -1;
    QTreeWidget::mouseReleaseEvent(event);
}

void CPresetView::BeginDrag(int row, const QPoint& viewportPos) {
    dragging = true;
    dragSource = row;
    dropTarget = -1;
    dropHighlighted = false;

    // The picture of the dragged row, half transparent, follows the cursor.
    const QRect rowRect = visualItemRect(topLevelItem(row)).adjusted(0, 0, viewport()->width(), 0);
    QPixmap pixmap =
        viewport()->grab(QRect(0, rowRect.top(), viewport()->width(), rowRect.height()));
    QPixmap faded(pixmap.size());
    faded.setDevicePixelRatio(pixmap.devicePixelRatio());
    faded.fill(Qt::transparent);
    {
        QPainter painter(&faded);
        painter.setOpacity(0.6);
        painter.drawPixmap(0, 0, pixmap);
    }
    dragImage = std::make_unique<QLabel>(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
    dragImage->setObjectName(QStringLiteral("presetDragImage"));
    dragImage->setAttribute(Qt::WA_TransparentForMouseEvents);
    dragImage->setAttribute(Qt::WA_TranslucentBackground);
    dragImage->setPixmap(faded);
    dragImage->resize(faded.size() / faded.devicePixelRatio());
    dragImage->move(viewport()->mapToGlobal(viewportPos) - kHotSpot);
    dragImage->show();
    viewport()->grabMouse(); // the viewport, whose mouse events reach this view
    DragMove(viewportPos);
}

void CPresetView::DragMove(const QPoint& viewportPos) {
    if (dragImage) {
        dragImage->move(viewport()->mapToGlobal(viewportPos) - kHotSpot);
    }
    // Near the top or bottom edge the list scrolls a row, so every row can be reached.
    const int edge = std::max(4, sizeHintForRow(0) / 2);
    if (viewportPos.y() >= 0 && viewportPos.y() < edge) {
        verticalScrollBar()->setValue(verticalScrollBar()->value() - 1);
    } else if (viewportPos.y() < viewport()->height() &&
               viewportPos.y() >= viewport()->height() - edge) {
        verticalScrollBar()->setValue(verticalScrollBar()->value() + 1);
    }
    const int row = RowAt(viewportPos);
    if (row < 0) {
        SetDropHighlight(dropTarget, false);
        return;
    }
    if (row != dropTarget) {
        SetDropHighlight(dropTarget, false);
        dropTarget = row;
    }
    SetDropHighlight(dropTarget, true);
}

void CPresetView::EndDrag(const QPoint& viewportPos) {
    dragging = false;
    pressRow = -1;
    viewport()->releaseMouse();
    dragImage.reset();
    const int row = RowAt(viewportPos);
    // A drop back onto the dragged row copies nothing (the seam would find no change either).
    if (row >= 0 && dragSource >= 0 && row != dragSource) {
        const int from = dragSource;
        doc.ModifyBank(
            tr("Copy Preset %1 to %2").arg(PresetPosition(from), PresetPosition(row)),
            [from, row](Bank& bank) {
                bank.presets[static_cast<std::size_t>(row)].CopyFrom(
                    bank.presets[static_cast<std::size_t>(from)]);
            },
            1);
    }
    SetDropHighlight(dropTarget, false);
    dragSource = -1;
}

void CPresetView::SetDropHighlight(int row, bool on) {
    QTreeWidgetItem* item = row >= 0 ? topLevelItem(row) : nullptr;
    if (!item) {
        dropHighlighted = false;
        return;
    }
    if (on == dropHighlighted && row == dropTarget) {
        return;
    }
    const QBrush brush = on ? QBrush(palette().color(QPalette::Highlight).lighter(150)) : QBrush();
    const QBrush text = on ? QBrush(palette().color(QPalette::HighlightedText)) : QBrush();
    for (int c = 0; c < 2; ++c) {
        item->setBackground(c, brush);
        item->setForeground(c, text);
    }
    dropHighlighted = on;
}

void CPresetView::verticalScrollbarValueChanged(int value) {
    // The item view asks the display server where the pointer is (a round trip) on every scroll,
    // to update the row under it; a preset switch by key scrolls often. Only a pointer over the
    // rows can be over one of them.
    if (viewport()->underMouse()) {
        QTreeWidget::verticalScrollbarValueChanged(value);
    }
}

void CPresetView::paintEvent(QPaintEvent* event) {
    // The tree view's painting asks the display server where the pointer is on every paint, to
    // find the branch under it: a round trip that also waits until the server has drawn all that
    // came before (about a quarter of a millisecond of every preset switch). The list has no
    // branches, so it draws its rows itself, as the tree view draws rows without branches.
    executeDelayedItemsLayout();
    QPainter painter(viewport());
    PaintRows(painter, event->region());
}

bool CPresetView::viewportEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
        pointer = static_cast<QHoverEvent*>(event)->position().toPoint();
        break;
    case QEvent::MouseMove:
        pointer = static_cast<QMouseEvent*>(event)->position().toPoint();
        break;
    case QEvent::HoverLeave:
    case QEvent::Leave:
        pointer.reset();
        break;
    default:
        break;
    }
    return QTreeWidget::viewportEvent(event);
}

void CPresetView::PaintRows(QPainter& painter, const QRegion& region) const {
    // The columns stay in their order and are never hidden, and every row is enabled.
    const QAbstractItemModel* rows = model();
    const QHeaderView* head = header();
    const int columns = head->count();
    const int count = rows->rowCount();
    if (count == 0 || columns == 0 || region.isEmpty()) {
        return;
    }
    QStyleOptionViewItem base;
    initViewItemOption(&base);
    const QStyle::State state = base.state;
    const bool enabled = (state & QStyle::State_Enabled) != 0;
    const QPalette::ColorGroup group = !enabled                       ? QPalette::Disabled
                                       : state & QStyle::State_Active ? QPalette::Active
                                                                      : QPalette::Inactive;
    // The focus outline spans the row from its left edge where the style selects whole rows.
    const int focusLeft = base.showDecorationSelected ? 0 : head->sectionPosition(0);
    QStyleOptionViewItem cell = base;
    // Rows are selected whole: the style paints a cell's selection over all of it.
    cell.showDecorationSelected = true;
    if (enabled) {
        cell.palette.setCurrentColorGroup(group);
    }
    const QModelIndex current = currentIndex();
    const bool focused = hasFocus();
    const int hovered = pointer ? indexAt(*pointer).row() : -1;
    const QRect bounds = region.boundingRect();
    const QModelIndex top =
        indexAt(QPoint(std::max(0, columnViewportPosition(0)), std::max(0, bounds.top())));
    if (!top.isValid()) {
        return; // the region lies below the last row
    }
    for (int row = top.row(); row < count; ++row) {
        const QRect line = visualRect(rows->index(row, 0));
        if (line.top() > bounds.bottom()) {
            break;
        }
        if (!region.intersects(QRect(0, line.top(), viewport()->width(), line.height()))) {
            continue;
        }
        const QStyle::State rowState =
            state | (row + 1 < count ? QStyle::State_Sibling : QStyle::State_None);
        bool firstSelected = false;
        for (int column = 0; column < columns; ++column) {
            const QModelIndex index = rows->index(row, column);
            cell.rect = QRect(columnViewportPosition(column), line.top(), head->sectionSize(column),
                              line.height());
            cell.viewItemPosition = columns == 1            ? QStyleOptionViewItem::OnlyOne
                                    : column == 0           ? QStyleOptionViewItem::Beginning
                                    : column + 1 == columns ? QStyleOptionViewItem::End
                                                            : QStyleOptionViewItem::Middle;
            // The row's own ground (the style's alternate rows, where it has them), unselected,
            // then the cell.
            cell.state = rowState;
            cell.state.setFlag(QStyle::State_MouseOver, row == hovered);
            style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &cell, &painter, this);
            const bool selected = selectionModel()->isSelected(index);
            firstSelected = firstSelected || (column == 0 && selected);
            cell.state.setFlag(QStyle::State_Selected, selected);
            itemDelegateForIndex(index)->paint(&painter, cell, index);
        }
        if (focused && current.row() == row) { // all columns show the focus
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(base);
            focus.state = rowState | QStyle::State_KeyboardFocusChange;
            focus.backgroundColor =
                base.palette.color(enabled ? QPalette::Normal : QPalette::Disabled,
                                   firstSelected ? QPalette::Highlight : QPalette::Window);
            const QRect rect(focusLeft - head->offset(), line.top(), head->length() - focusLeft,
                             line.height());
            focus.rect = style()->visualRect(layoutDirection(), viewport()->rect(), rect);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter);
        }
    }
}
