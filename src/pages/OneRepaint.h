// One repaint of a container for a change to many of the widgets in it.
#pragma once

#include <QPointer>
#include <QWidget>

#include <vector>

// While it lives, the container and the widgets in it ask for no repaint of their own (greying
// or lighting up a widget asks for one); when it goes, the container asks for one repaint, which
// paints the widgets in it as well. Widgets that paint their whole rectangle themselves (opaque
// ones) keep asking: Qt leaves them out of their container's repaint. Each widget's own request
// would come on its own, and Qt unites the regions of all of them, one by one, before it paints:
// for the thirty controls of a split page that costs more than the painting it saves.
class OneRepaint {
public:
    // Holds nothing where the change does not need the whole container repainted.
    explicit OneRepaint(QWidget* container, bool wholeContainer = true);
    ~OneRepaint();
    OneRepaint(const OneRepaint&) = delete;
    OneRepaint& operator=(const OneRepaint&) = delete;

private:
    QPointer<QWidget> container;
    std::vector<QPointer<QWidget>> held; // the widgets whose requests are held back
};
