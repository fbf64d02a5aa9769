// The floor of the start-up figures: an empty QMainWindow of the main window's first size
// (1120 x 700), started the same way as Presetor. It does nothing else; bench-xprobe times its
// first paint and the moment it answers input.
// With --label the window shows one line of text instead of nothing: the least any window with
// text pays (the font configuration, a font and its glyphs), printed beside the goal figures to
// tell that fixed price from the rest.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    if (argc > 1 && std::strcmp(argv[1], "--label") == 0) {
        window.setCentralWidget(new QLabel(QStringLiteral("Presetor")));
    }
    window.resize(1120, 700);
    window.show();
    return QApplication::exec();
}
