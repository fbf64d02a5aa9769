// The last pictures of a control together with what lies under it (its holder's ground and
// frame), for controls whose look is wholly given by a few values. A page that greys its
// controls and lights them up again repaints every one of them, and a copy costs a fraction of
// laying out and drawing them.
#pragma once

#include <QFont>
#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

class QStyle;
class QWidget;

class WidgetPictures {
public:
    // What a picture depends on: the control's own state, given by its owner (a text and state
    // bits), and what every control shares (size, place, holder, palettes, font, style).
    struct Look {
        QString text;
        qint64 state = 0;
        QFont font;
        QSize size;
        QPoint position;
        QSize holderSize;
        const QStyle* style = nullptr;
        qint64 palette = 0;
        qint64 holderPalette = 0;
        qreal ratio = 0;
        int flags = 0;
        bool operator==(const Look&) const = default;
    };
    // Fills text and state; false when the control cannot be copied as it is now.
    using OwnLook = std::function<bool(Look&)>;

    // Keeps up to `kept` pictures, the oldest giving way to a new one.
    WidgetPictures(QWidget& owner, int kept, OwnLook ownLook);

    // Copies the picture of the control's look onto it; false when there is none yet: the
    // control then paints itself, and a picture of that look is taken after the paint (a
    // widget cannot be drawn elsewhere while it paints).
    bool Paint();
    // Drops the pictures (a hidden page keeps none).
    void Clear();

private:
    bool CurrentLook(Look& look) const;
    void Take();

    struct Picture {
        Look look;
        QPixmap pixels;
    };

    QWidget& owner;
    OwnLook ownLook;
    std::vector<Picture> pictures;
    std::size_t older = 0;
    bool drawing = false;
    bool takePending = false;
};
