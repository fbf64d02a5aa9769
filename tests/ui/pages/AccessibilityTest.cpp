// Every page read through Qt's accessibility interfaces, as a screen reader reads it: every
// control has a name, the keyboard widget and the curve lists say what they show, a name set
// through the interface is an edit like a typed one; and every page is worked with the keyboard
// alone: Tab reaches each control once in reading order, the keyboard widget takes arrow keys.
#include "AccessibleControls.h"
#include "CCurveList.h"
#include "CKeyboardCtrl.h"
#include "CMiscView.h"
#include "CNameEdit.h"
#include "CSplitView.h"
#include "PageFactory.h"
#include "PageTestEnv.h"
#include "app/PageFactory.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QUndoStack>

#include <memory>

namespace {

bool TakesTab(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !w->focusProxy();
}

// The controls a user can reach on the shown page. Of a group of radio buttons Tab reaches the
// checked one; the arrow keys move between them.
// With enabledOnly false also the disabled ones, which a screen reader reads as well.
QList<QWidget*> ReachableControls(const QWidget* page, bool enabledOnly = true) {
    QList<QWidget*> controls;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        auto* radio = qobject_cast<QRadioButton*>(w);
        if (radio && radio->group() && !radio->isChecked())
            continue;
        if (TakesTab(w) && w->isVisibleTo(page) && (w->isEnabled() || !enabledOnly))
            controls << w;
    }
    return controls;
}

// Every split on, with volume and program change, so that every control of a page is enabled.
void EverythingOn(PageTestEnv& env) {
    for (std::size_t s = 0; s < presetor::kSplitCount; ++s) {
        env.Current().lowKey[s] = 36;
        env.Current().highKey[s] = 96;
        env.Current().volumeActive[s] = 1;
        env.Current().programActive[s] = 1;
    }
    env.Changed();
}

QString NameOf(QObject* object) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// Accessible objects with a name in the tree under iface.
int NamedObjects(QAccessibleInterface* iface) {
    int named = iface->text(QAccessible::Name).isEmpty() ? 0 : 1;
    for (int i = 0; i < iface->childCount(); ++i) {
        if (QAccessibleInterface* child = iface->child(i)) {
            if (child->object() && child->object()->isWidgetType())
                named += NamedObjects(child);
        }
    }
    return named;
}

const QGroupBox* GroupOf(const QWidget* w) {
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
        if (auto* box = qobject_cast<const QGroupBox*>(p))
            return box;
    }
    return nullptr;
}

QRect PageRect(const QWidget* w, const QWidget* page) {
    return QRect(w->mapTo(page, QPoint(0, 0)), w->size());
}

struct Page {
    QString label;
    std::unique_ptr<QWidget> widget;
};

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QAccessible::setActive(true); }

    void everyControlIsNamed() {
        for (int type : {presetor::kLmk3, presetor::kLmk4}) {
            PageTestEnv env(type);
            EverythingOn(env);
            for (const QString& label : PageTabLabels()) {
                std::unique_ptr<QWidget> page(CreatePage(label, env.app, env.doc, nullptr));
                QVERIFY(page);
                page->resize(900, 800);
                page->show();
                QVERIFY(QTest::qWaitForWindowExposed(page.get()));
                const QList<QWidget*> controls = ReachableControls(page.get(), false);
                QVERIFY2(!controls.isEmpty(), qPrintable(label));
                for (QWidget* w : controls) {
                    const QString name = NameOf(w);
                    if (name.isEmpty())
                        qWarning("%s: %s (%s) has no name", qPrintable(label),
                                 qPrintable(w->objectName()), w->metaObject()->className());
                    QVERIFY(!name.isEmpty());
                }
                if (type == presetor::kLmk4)
                    qInfo("%s: %lld controls, %d named accessible objects", qPrintable(label),
                          static_cast<long long>(controls.size()),
                          NamedObjects(QAccessible::queryAccessibleInterface(page.get())));
            }
        }
    }

    void namesSayWhichGroupAndWhatIsShown() {
        PageTestEnv env(presetor::kLmk4);
        CSplitView page(0, env.app, env.doc);
        page.show();
        // The two "activ" boxes are told apart by their group.
        auto* volumeActive = Child<QWidget>(&page, "volumeActive");
        auto* programActive = Child<QWidget>(&page, "programActive");
        QAccessibleInterface* volume = QAccessible::queryAccessibleInterface(volumeActive);
        QAccessibleInterface* program = QAccessible::queryAccessibleInterface(programActive);
        QCOMPARE(volume->text(QAccessible::Description), QStringLiteral("Volume"));
        QCOMPARE(program->text(QAccessible::Description), QStringLiteral("Program Change"));

        // The keyboard widget reads the marked range with octaves, middle C being C 3.
        env.SetKeys(0, 36, 91);
        auto* keyboard = Child<CKeyboardCtrl>(&page, "keyboard");
        QAccessibleInterface* keys = QAccessible::queryAccessibleInterface(keyboard);
        QCOMPARE(keys->text(QAccessible::Value), QStringLiteral("C 1 to G 5"));
        env.SetKeys(0, 21, 108);
        QCOMPARE(keys->text(QAccessible::Value), QStringLiteral("A -1 to C 7"));
        env.SetKeys(0, 58, 71); // A# is B, B is H
        QCOMPARE(keys->text(QAccessible::Value), QStringLiteral("B 2 to H 3"));
        QVERIFY(!keys->text(QAccessible::Name).isEmpty());

        // The curve lists read their selected curve.
        env.Current().velocityCurve[0] = 17;
        env.Changed();
        auto* list = Child<CVelocityCurveList>(&page, "velocityCurveList");
        QAccessibleInterface* curves = QAccessible::queryAccessibleInterface(list);
        QVERIFY(curves->tableInterface());
        const QList<QAccessibleInterface*> selected = curves->tableInterface()->selectedCells();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.front()->text(QAccessible::Name), QStringLiteral("Curve 17"));
    }

    void nameSetThroughTheInterfaceIsAnEdit() {
        PageTestEnv env(presetor::kLmk4);
        CMiscView page(env.app, env.doc);
        page.show();
        auto* name = Child<CNameEdit>(&page, "name");
        QSignalSpy updates(&env.doc, &CAppDoc::Updated);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(name);
        iface->setText(QAccessible::Value, QStringLiteral("PIA\\NO"));
        // Filtered like typed text, in the bank at once, one undo step.
        QCOMPARE(QString::fromLatin1(env.Current().name, presetor::kNameLength),
                 QStringLiteral("PIANO   "));
        QCOMPARE(name->text(), QStringLiteral("PIANO"));
        QCOMPARE(updates.count(), 1);
        env.doc.UndoStack().undo();
        QCOMPARE(name->text(), QStringLiteral("INITPRES"));
    }

    void tabReachesEveryControlOnceInReadingOrder() {
        PageTestEnv env(presetor::kLmk4);
        EverythingOn(env);
        for (const QString& label : PageTabLabels()) {
            std::unique_ptr<QWidget> page(CreatePage(label, env.app, env.doc, nullptr));
            page->resize(900, 800);
            page->show();
            QApplication::setActiveWindow(page.get());
            QVERIFY(QTest::qWaitForWindowActive(page.get()));
            const QList<QWidget*> controls = ReachableControls(page.get());
            // Start at the top left control and press Tab until the focus comes back.
            QWidget* first = controls.front();
            for (QWidget* w : controls) {
                const QRect r = PageRect(w, page.get()), f = PageRect(first, page.get());
                if (r.top() < f.top() || (r.top() == f.top() && r.left() < f.left()))
                    first = w;
            }
            first->setFocus(Qt::TabFocusReason);
            QList<QWidget*> visited{first};
            for (int i = 0; i < controls.size() + 2; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QWidget* now = QApplication::focusWidget();
                if (now == first || !page->isAncestorOf(now))
                    break;
                visited << now;
            }
            // Each control once, none left out.
            if (visited.size() != controls.size()) {
                for (QWidget* w : visited)
                    qWarning("%s visited %s %s", qPrintable(label), qPrintable(w->objectName()),
                             w->metaObject()->className());
            }
            QCOMPARE(visited.size(), controls.size());
            for (QWidget* w : controls)
                QVERIFY2(visited.contains(w),
                         qPrintable(label + QLatin1Char(' ') + w->objectName()));

            // Groups are visited one after the other, each in reading order: no control comes
            // after one that stands below it, and controls side by side go left to right.
            QList<const QGroupBox*> groupsDone;
            for (int i = 1; i < visited.size(); ++i) {
                const QGroupBox* before = GroupOf(visited[i - 1]);
                const QGroupBox* group = GroupOf(visited[i]);
                if (group != before) {
                    QVERIFY2(!groupsDone.contains(group), qPrintable(label));
                    groupsDone << before;
                    if (before && group)
                        QVERIFY2(PageRect(group, page.get()).top() >=
                                         PageRect(before, page.get()).top() ||
                                     PageRect(group, page.get()).left() >
                                         PageRect(before, page.get()).left(),
                                 qPrintable(label));
                    continue;
                }
                for (int j = 0; j < i; ++j) {
                    if (GroupOf(visited[j]) != group)
                        continue;
                    const QRect a = PageRect(visited[j], page.get());
                    const QRect b = PageRect(visited[i], page.get());
                    const QString what = label + QLatin1Char(' ') + visited[j]->objectName() +
                                         QStringLiteral(" before ") + visited[i]->objectName();
                    QVERIFY2(b.bottom() >= a.top(), qPrintable(what));
                    if (qAbs(a.top() - b.top()) <= 2 && qAbs(a.bottom() - b.bottom()) <= 2)
                        QVERIFY2(a.left() < b.left(), qPrintable(what));
                }
            }
        }
    }

    void keyboardWidgetTakesArrowKeys() {
        PageTestEnv env(presetor::kLmk4);
        CSplitView page(1, env.app, env.doc);
        page.show();
        env.SetKeys(1, 48, 60);
        env.doc.UndoStack().clear();
        auto* keyboard = Child<CKeyboardCtrl>(&page, "keyboard");
        keyboard->setFocus();
        QTest::keyClick(keyboard, Qt::Key_Right);
        QCOMPARE(env.Keys(1), std::pair(49, 60));
        QTest::keyClick(keyboard, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(env.Keys(1), std::pair(49, 59));
        QTest::keyClick(keyboard, Qt::Key_Up);
        QCOMPARE(env.Keys(1), std::pair(61, 61)); // the lower end pushes the upper one along
        QTest::keyClick(keyboard, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(env.Keys(1), std::pair(61, 73));
        QTest::keyClick(keyboard, Qt::Key_Home);
        QTest::keyClick(keyboard, Qt::Key_End);
        QCOMPARE(env.Keys(1), std::pair(21, 108));
        // At the ends nothing moves and nothing is recorded.
        QTest::keyClick(keyboard, Qt::Key_Left);
        QCOMPARE(env.doc.UndoStack().count(), 6);
        // Each key is one undo step.
        env.doc.UndoStack().undo();
        QCOMPARE(env.Keys(1), std::pair(21, 73));
        env.doc.UndoStack().undo();
        QCOMPARE(env.Keys(1), std::pair(61, 73));
        QCOMPARE(Child<QSpinBox>(&page, "fromKey")->value(), 61);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
