// The main window worked without the mouse: every toolbar command is also in a menu with a
// shortcut letter, the preset list and the page tabs are named and reached with Tab, the arrow
// keys pick a preset and Ctrl+Tab turns the pages.
#include "PageFactory.h"
#include "app/CMainFrame.h"
#include "app/PresetorSession.h"
#include "app/SettingsKeys.h"

#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include <memory>

namespace {

void MenuActions(const QMenu* menu, QList<QAction*>& out) {
    for (QAction* action : menu->actions()) {
        out << action;
        if (action->menu())
            MenuActions(action->menu(), out);
    }
}

} // namespace

class KeyboardOnlyTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<PresetorSession> session;

private slots:
    void init() {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
        settings = std::make_unique<QSettings>(dir.filePath(QStringLiteral("presetor.ini")),
                                               QSettings::IniFormat);
        settings->setValue(QString::fromLatin1(presetor::keys::kKeyboardMajor), 4);
        PresetorParts parts;
        parts.pages = &CreatePage;
        session = std::make_unique<PresetorSession>(*settings, parts);
        if (session->Start({}, nullptr, dir.path(), false) != -1 || !session->Frame())
            qFatal("the main window did not start");
        QApplication::setActiveWindow(session->Frame());
        QVERIFY(QTest::qWaitForWindowActive(session->Frame()));
    }

    void cleanup() {
        session->Finish();
        session.reset();
    }

    void everyToolbarCommandIsInAMenu() {
        CMainFrame& frame = *session->Frame();
        QList<QAction*> inMenus;
        for (QAction* title : frame.menuBar()->actions()) {
            QVERIFY2(title->text().contains(QLatin1Char('&')), qPrintable(title->text()));
            MenuActions(title->menu(), inMenus);
        }
        int commands = 0;
        for (const QToolBar* bar : frame.findChildren<QToolBar*>()) {
            for (QAction* action : bar->actions()) {
                if (action->isSeparator() || action->menu())
                    continue;
                ++commands;
                QVERIFY2(inMenus.contains(action), qPrintable(action->toolTip()));
            }
        }
        QVERIFY(commands >= 10);
    }

    void presetListAndPagesWithoutTheMouse() {
        CMainFrame& frame = *session->Frame();
        auto* list = frame.findChild<QTreeWidget*>(QStringLiteral("presetView"));
        auto* tabs = frame.findChild<QTabWidget*>();
        QVERIFY(list && tabs);
        QVERIFY(!QAccessible::queryAccessibleInterface(list)->text(QAccessible::Name).isEmpty());

        list->setFocus(Qt::TabFocusReason);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(session->Doc().GetBank().CurrentIndex(), 2);

        // Tab leaves the list for the page tabs and then the page's controls.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* next = QApplication::focusWidget();
        QVERIFY(next && next != list && tabs->isAncestorOf(next));
        const int page = tabs->currentIndex();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), page + 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* inPage = QApplication::focusWidget();
        QVERIFY2(tabs->currentWidget()->isAncestorOf(inPage),
                 qPrintable(inPage ? inPage->objectName() + QLatin1Char(' ') +
                                         inPage->metaObject()->className()
                                   : QStringLiteral("nothing")));
    }
};

QTEST_MAIN(KeyboardOnlyTest)
#include "KeyboardOnlyTest.moc"
