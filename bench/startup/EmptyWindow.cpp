// The floor of the start-up benchmark: an empty Qt window of the main window's size, started
// like Presetor; it prints "first-paint" once it has painted and ends.
#include <QApplication>
#include <QPaintEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

#include <sys/resource.h>

namespace {

class EmptyWindow final : public QWidget {
protected:
    void paintEvent(QPaintEvent* event) override {
        QWidget::paintEvent(event);
        if (!painted) {
            painted = true;
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            std::printf("first-paint %ld\n", usage.ru_maxrss);
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
    }

private:
    bool painted = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    EmptyWindow window;
    window.resize(1120, 700);
    window.show();
    return QApplication::exec();
}
