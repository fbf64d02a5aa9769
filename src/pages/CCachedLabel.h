// A label of plain text that keeps the last two pictures of itself: a page greying its
// controls and lighting them up again repaints every label, and a copy costs a fraction of
// laying out and drawing the text (a wrapped text is laid out at every paint).
#pragma once

#include <QFont>
#include <QLabel>
#include <QPixmap>

#include <array>

class CCachedLabel final : public QLabel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CCachedLabel)

public:
    explicit CCachedLabel(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Everything the picture depends on: the label's own look and what lies under it.
    struct Look {
        QString text;
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
    struct Picture {
        Look look;
        QPixmap pixels;
    };

    bool CurrentLook(Look& look) const;
    void Capture();

    std::array<Picture, 2> pictures;
    std::size_t older = 0;
    bool drawingPicture = false;
    bool capturePending = false;
};
