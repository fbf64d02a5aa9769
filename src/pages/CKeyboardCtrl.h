// The 88-key piano keyboard of the split page: draws the marked key range in colour, lets the
// user mark a range with the mouse and supplies the note names. The keys keep the keyboard's
// classic 417-pixel layout; the widget scales that layout with the width the page gives it.
#pragma once

#include <QFont>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <array>

class CKeyboardCtrl final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CKeyboardCtrl)

public:
    static constexpr int kKeyCount = 88;
    static constexpr int kFirstNote = 21; // MIDI note of key index 0 (A0)
    // The layout, in layout pixels (widget pixels at scale 1).
    static constexpr int kWhiteWidth = 9;
    static constexpr int kWhiteStep = 8; // white keys overlap their neighbour by one pixel
    static constexpr int kBlackWidth = 6;
    static constexpr int kBlackHeight = 34;
    static constexpr int kKeyboardWidth = 417;
    static constexpr int kKeyboardHeight = 54;
    static constexpr int kLabelHeight = 12; // the octave labels under the C keys
    static constexpr int kLayoutHeight = kKeyboardHeight + kLabelHeight;
    static constexpr double kMaxScale = 3.0;

    explicit CKeyboardCtrl(QWidget* parent = nullptr);

    // Marked range as key indexes, lowIndex <= highIndex; the page writes both, then redraws
    // (ShowRange does both and redraws only the keys that change).
    int lowIndex = 0;
    int highIndex = kKeyCount - 1;
    void ShowRange(int low, int high);

    static bool IsWhite(int key);
    // The two-character note name by key index: "A ", "B ", "H ", "C ", "C#", ...
    static QString PitchName(int key);
    // The note name with its octave, middle C (MIDI 60) being "C 3": "A -1" .. "C 7".
    static QString KeyName(int key);
    // Octave number of a key index, middle C's octave being 3.
    static int Octave(int key);

    // The marked range as text, "C 1 to G 5", or that nothing is marked.
    QString RangeText() const;
    // Key under a point in layout coordinates, from the key edges of the layout.
    int KeyFromPoint(int x, int y) const;
    // Key under a point in widget coordinates: the layout pixel that holds the point's pixel
    // centre decides, so the key hit is the key painted under the pointer at every scale.
    int KeyAt(QPointF widgetPos) const;
    // Left edge of a key in layout coordinates.
    int KeyLeft(int key) const { return keys[static_cast<std::size_t>(key)].left; }
    // Widget pixels per layout pixel: 1 at the classic 417-pixel width, growing with the width in
    // quarter steps up to kMaxScale; the keys start at the widget's left edge.
    double Scale() const;
    bool IsDragging() const { return dragging; }
    // The last notification came from a mouse move without a pressed button: it marks nothing.
    bool IsHoverNotification() const { return hoverNotification; }
    // The keyboard looks empty (all grey) while nothing is marked and no drag runs.
    bool IsEmpty() const { return lowIndex == 0 && highIndex == 0 && !dragging; }

    // Draws the whole keyboard with keys low..high marked (or all grey), the octave labels and
    // the window's ground under them, as the widget shows it without focus.
    void PaintKeys(QPainter& painter, int low, int high, bool grey) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The widget keeps the layout's proportions: its height follows its width.
    int heightForWidth(int width) const override;

signals:
    // After a press, every mouse movement and a release.
    void Notify();
    // A key moved one end of the range (arrows, Home, End): each is one change of its own.
    void KeyedRange();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Key {
        bool white = true;
        int left = 0;
    };
    // Records each key's left edge in the classic layout.
    void LayoutKeys();
    // The widget pixels that keys first..last cover, their outlines included.
    QRect KeysRect(int first, int last) const;
    // Device pixels of the pictures where the marked keys lie: one span above the black keys'
    // lower edge, one below; each ends on outline pixels, which all pictures share.
    // The second is empty when the range holds no white key.
    std::array<QRect, 2> MarkedSpans(double devicePixels) const;
    // The pictures for the widget's current size, scale, palette, font and enabling.
    void UpdatePictures();

    // The whole keyboard drawn once with every key marked, with none marked, and grey (enabled,
    // and disabled with greyed labels): a paint copies the second and the marked spans of the
    // first, or a grey one, far cheaper than a rectangle per key. Dropped while hidden.
    struct Pictures {
        QSize size;
        qreal ratio = 0;
        qint64 palette = 0;
        QFont font;
        QPixmap marked;
        QPixmap unmarked;
        QPixmap grey;
        QPixmap disabled;
    };
    Pictures pictures;

    std::array<Key, kKeyCount> keys{};
    bool dragging = false;
    bool hoverNotification = false;
};
