// The floor of the start-up figures: an empty QMainWindow of the main window's first size
// (1120 x 700), started the same way as Presetor. It does nothing else; bench-xprobe times its
// first paint and the moment it answers input.
// With --label the window shows one line of text instead of nothing: the least any window with
// text pays (the font configuration, a font and its glyphs), printed beside the goal figures to
// tell that fixed price from the rest.
// With --texts one widget draws every text Presetor's window shows when it first appears, in the
// same two faces: the selected tab's label in bold, and the list's header too (Presetor paints it
// plain but Qt measures it in bold). The least that text costs without any widget to hold it.
#include "FirstSight.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QWidget>

#include <cstring>

namespace {

class Texts final : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        using namespace firstsight;
        QPainter painter(this);
        QFont bold = font();
        bold.setBold(true);
        const int line = fontMetrics().height() + 2;
        int x = 8;
        for (const QString& menu : kMenus) {
            painter.drawText(x, line, QString(menu).remove(QLatin1Char('&')));
            x += 60;
        }
        painter.setFont(bold);
        painter.drawText(8, 3 * line, kHeader[0]);
        painter.drawText(110, 3 * line, kHeader[1]);
        x = 200;
        for (const QString& tab : kTabs) {
            painter.setFont(tab == kTabs.first() ? bold : font());
            painter.drawText(x, 3 * line, tab);
            x += painter.fontMetrics().horizontalAdvance(tab) + 24;
        }
        painter.setFont(font());
        for (int row = 0; row < kRowsInSight; ++row) {
            painter.drawText(4, (row + 4) * line, kPresetName);
            painter.drawText(110, (row + 4) * line, Position(row));
        }
        int y = 5 * line;
        for (const QString& label : kPageLabels) {
            painter.drawText(220, y, label);
            y += 2 * line;
        }
        y = 5 * line;
        for (const QString& field :
             {kPresetName, kLink, QStringLiteral("1"), kSwitch, QStringLiteral("50"), kRealtime}) {
            painter.drawText(360, y, field);
            y += 2 * line;
        }
        painter.drawText(width() - 80, height() - 6, kStatus);
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    if (argc > 1 && std::strcmp(argv[1], "--label") == 0) {
        window.setCentralWidget(new QLabel(QStringLiteral("Presetor")));
    } else if (argc > 1 && std::strcmp(argv[1], "--texts") == 0) {
        window.setCentralWidget(new Texts);
    }
    window.resize(1120, 700);
    window.show();
    return QApplication::exec();
}
