#include "AccessibleControls.h"

#include <QAccessible>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QScrollArea>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <map>
#include <utility>

namespace {

bool TakesTabFocus(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !w->focusProxy();
}

void CollectWidget(QWidget* w, QList<QWidget*>& out);

// The items of a layout in reading order: a grid by row, then column; others as laid out.
QList<QLayoutItem*> ItemsInOrder(QLayout* layout) {
    QList<QLayoutItem*> items;
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        std::multimap<std::pair<int, int>, QLayoutItem*> cells;
        for (int i = 0; i < grid->count(); ++i) {
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
            cells.emplace(std::pair{row, column}, grid->itemAt(i));
        }
        for (const auto& cell : cells)
            items << cell.second;
        return items;
    }
    for (int i = 0; i < layout->count(); ++i)
        items << layout->itemAt(i);
    return items;
}

void CollectLayout(QLayout* layout, QList<QWidget*>& out) {
    for (QLayoutItem* item : ItemsInOrder(layout)) {
        if (QWidget* w = item->widget())
            CollectWidget(w, out);
        else if (QLayout* inner = item->layout())
            CollectLayout(inner, out);
    }
}

void CollectWidget(QWidget* w, QList<QWidget*>& out) {
    if (auto* scroll = qobject_cast<QScrollArea*>(w)) {
        if (scroll->widget())
            CollectWidget(scroll->widget(), out);
        return;
    }
    if (TakesTabFocus(w)) {
        out << w;
        // A checkable group box is a control and a container at once.
        if (!qobject_cast<QGroupBox*>(w))
            return;
    }
    // Controls with their own inner layout (a spin box's edit) are one control; containers
    // (group boxes, plain widgets) are walked.
    if (w->layout() &&
        (qobject_cast<QGroupBox*>(w) || w->metaObject() == &QWidget::staticMetaObject))
        CollectLayout(w->layout(), out);
}

QString Spoken(QString text) {
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

// The text of the label placed before w in the layout that holds it: the cell to its left in a
// grid, the item before it in a box.
QString LabelBefore(QWidget* w) {
    QWidget* parent = w->parentWidget();
    if (!parent || !parent->layout())
        return {};
    QString found;
    std::function<bool(QLayout*)> search = [&](QLayout* layout) -> bool {
        const int index = layout->indexOf(w);
        if (index >= 0) {
            if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
                int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
                grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
                QLayoutItem* item = column > 0 ? grid->itemAtPosition(row, column - 1) : nullptr;
                if (auto* label = item ? qobject_cast<QLabel*>(item->widget()) : nullptr)
                    found = label->text();
            } else if (index > 0) {
                if (auto* label = qobject_cast<QLabel*>(layout->itemAt(index - 1)->widget()))
                    found = label->text();
            }
            return true;
        }
        for (int i = 0; i < layout->count(); ++i) {
            if (QLayout* inner = layout->itemAt(i)->layout()) {
                if (search(inner)) {
                    // Inside a nested row without a label of its own: the label before the row.
                    if (found.isEmpty() && layout->indexOf(inner) >= 0) {
                        if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
                            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
                            grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
                            QLayoutItem* item =
                                column > 0 ? grid->itemAtPosition(row, column - 1) : nullptr;
                            if (auto* label =
                                    item ? qobject_cast<QLabel*>(item->widget()) : nullptr)
                                found = label->text();
                        }
                    }
                    return true;
                }
            }
        }
        return false;
    };
    search(parent->layout());
    return Spoken(found);
}

// Title of the nearest enclosing group box: its title, or the name it was given.
QString GroupTitle(const QWidget* w) {
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
        if (auto* box = qobject_cast<const QGroupBox*>(p)) {
            const QString title = Spoken(box->title());
            return title.isEmpty() ? Spoken(box->accessibleName()) : title;
        }
    }
    return {};
}

QString AccessibleName(QWidget* w) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Name) : w->accessibleName();
}

} // namespace

QList<QWidget*> ControlsInLayoutOrder(QWidget* root) {
    QList<QWidget*> controls;
    if (root->layout())
        CollectLayout(root->layout(), controls);
    return controls;
}

void SetTabOrderFromLayout(QWidget* root) {
    const QList<QWidget*> controls = ControlsInLayoutOrder(root);
    for (qsizetype i = 1; i < controls.size(); ++i)
        QWidget::setTabOrder(controls[i - 1], controls[i]);
}

void NameControls(QWidget* root) {
    const QList<QWidget*> controls = root->findChildren<QWidget*>();
    for (QWidget* w : controls) {
        if (!TakesTabFocus(w))
            continue;
        const QString group = GroupTitle(w);
        if (AccessibleName(w).isEmpty()) {
            QString name = LabelBefore(w);
            w->setAccessibleName(name.isEmpty() ? group : name);
        }
        if (w->accessibleDescription().isEmpty() && w->toolTip().isEmpty() && !group.isEmpty() &&
            AccessibleName(w) != group)
            w->setAccessibleDescription(group);
    }
}

void MakeAccessible(QWidget* root) {
    NameControls(root);
    SetTabOrderFromLayout(root);
}
