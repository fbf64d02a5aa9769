// Presetor's main window as it first appears (menus, tool bar, preset list, page tabs, the first
// page, status bar), built in stock Qt widgets the obvious way and with none of the program's
// own code: what the same window costs Qt without the program's start-up work. The tool bar's
// icons are plain coloured squares, the cheapest an icon can be. A reference beside the
// start-up figures, not a floor.
#include "FirstSight.h"

#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace firstsight;

namespace {

QWidget* FirstPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    const auto group = [column](const QString& title) {
        auto* box = new QGroupBox;
        auto* grid = new QGridLayout(box);
        column->addWidget(box);
        if (!title.isEmpty()) {
            grid->addWidget(new QLabel(title), 0, 0, 1, 3);
        }
        return grid;
    };
    const auto label = [](const QString& text, QWidget* buddy) {
        auto* shown = new QLabel(text);
        shown->setBuddy(buddy);
        return shown;
    };
    auto* name = new QLineEdit(kPresetName);
    QGridLayout* nameRow = group({});
    nameRow->addWidget(label(kPageLabels[0], name), 0, 0);
    nameRow->addWidget(name, 0, 1);

    QGridLayout* link = group({});
    auto* linkText = new QLineEdit(kLink);
    auto* linkArrows = new QSpinBox;
    link->addWidget(label(kPageLabels[1], linkArrows), 0, 0);
    auto* linkRow = new QHBoxLayout;
    linkRow->addWidget(linkText);
    linkRow->addWidget(linkArrows);
    link->addLayout(linkRow, 0, 1);

    QGridLayout* channel = group({});
    auto* master = new QSpinBox;
    master->setRange(1, 16);
    auto* presetSwitch = new QComboBox;
    presetSwitch->addItems({kSwitch, QStringLiteral("off")});
    channel->addWidget(label(kPageLabels[2], master), 0, 0);
    channel->addWidget(master, 0, 1, Qt::AlignLeft);
    channel->addWidget(label(kPageLabels[3], presetSwitch), 1, 0);
    channel->addWidget(presetSwitch, 1, 1, Qt::AlignLeft);

    QGridLayout* realtime = group(kPageLabels[4]);
    auto* clock = new QSpinBox;
    clock->setRange(50, 254);
    auto* clockRow = new QHBoxLayout;
    clockRow->addWidget(clock);
    clockRow->addWidget(new QLabel(kPageLabels[6]));
    clockRow->addStretch();
    realtime->addWidget(label(kPageLabels[5], clock), 1, 0);
    realtime->addLayout(clockRow, 1, 1);
    auto* mode = new QComboBox;
    mode->addItems({kRealtime, QStringLiteral("Start")});
    realtime->addWidget(label(kPageLabels[7], mode), 2, 0);
    realtime->addWidget(mode, 2, 1, Qt::AlignLeft);
    column->addStretch();
    return page;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    for (const QString& title : kMenus) {
        QMenu* menu = window.menuBar()->addMenu(title);
        for (int i = 0; i < 6; ++i) {
            menu->addAction(QStringLiteral("Item %1").arg(i));
        }
    }
    QToolBar* tools = window.addToolBar(QStringLiteral("Tools"));
    for (int i = 0; i < kToolButtons; ++i) {
        QPixmap square(16, 16);
        square.fill(QColor::fromHsv(i * 30, 200, 200));
        tools->addAction(QIcon(square), QStringLiteral("Tool %1").arg(i));
    }

    auto* split = new QSplitter;
    auto* list = new QTreeWidget;
    list->setHeaderLabels(kHeader);
    list->setRootIsDecorated(false);
    QList<QTreeWidgetItem*> rows;
    for (int i = 0; i < kPresets; ++i) {
        rows << new QTreeWidgetItem({kPresetName, Position(i)});
    }
    list->addTopLevelItems(rows);
    list->setCurrentItem(rows.first());
    split->addWidget(list);

    auto* tabs = new QTabWidget;
    tabs->addTab(FirstPage(), kTabs.first());
    for (int i = 1; i < kTabs.size(); ++i) {
        tabs->addTab(new QWidget, kTabs[i]);
        if (i >= 3) {
            tabs->tabBar()->setTabTextColor(i, i == 3 ? QColor(0, 128, 0) : QColor(255, 0, 0));
        }
    }
    split->addWidget(tabs);
    split->setSizes({190, 930});
    window.setCentralWidget(split);
    window.statusBar()->addPermanentWidget(new QLabel(kStatus));
    window.setWindowTitle(QStringLiteral("Untitled - Presetor"));
    window.resize(1120, 700);
    window.show();
    return QApplication::exec();
}
