// The floor of the start-up figures: an empty QMainWindow of the main window's first size
// (1120 x 700), started the same way as Presetor. It does nothing else; bench-xprobe times its
// first paint and the moment it answers input.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1120, 700);
    window.show();
    return QApplication::exec();
}
