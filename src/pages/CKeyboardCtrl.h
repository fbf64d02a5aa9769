// The 88-key piano keyboard of the split page: draws the marked key range in colour, lets the
// user mark a range with the mouse and supplies the two-character note names.
#pragma once

#include <QString>
#include <QWidget>

#include <array>

class CKeyboardCtrl final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CKeyboardCtrl)

public:
    static constexpr int kKeyCount = 88;
    static constexpr int kFirstNote = 21; // MIDI note of key index 0 (A0)
    static constexpr int kWhiteWidth = 9;
    static constexpr int kWhiteStep = 8; // white keys overlap their neighbour by one pixel
    static constexpr int kBlackWidth = 6;
    static constexpr int kBlackHeight = 34;
    static constexpr int kKeyboardWidth = 417;
    static constexpr int kKeyboardHeight = 54;

    explicit CKeyboardCtrl(QWidget* parent = nullptr);

    // Marked range as key indexes, lowIndex <= highIndex; the page writes both, then redraws.
    int lowIndex = 0;
    int highIndex = kKeyCount - 1;

    static bool IsWhite(int key);
    // "A ", "B ", "H ", "C ", "C#", ... by key index; no octave number.
    static QString KeyName(int key);
    // "C 3" for middle C: the note name with its octave, as a screen reader reads it.
    static QString KeyNameWithOctave(int key);
    // The marked range as text, "C 1 to G 5", or that nothing is marked.
    QString RangeText() const;
    // Key under a point in widget coordinates, from the key edges of the last paint.
    int KeyFromPoint(int x, int y) const;
    // Left edge of a key as recorded by the last paint.
    int KeyLeft(int key) const { return keys[static_cast<std::size_t>(key)].left; }
    bool IsDragging() const { return dragging; }
    // The keyboard looks empty (all grey) while nothing is marked and no drag runs.
    bool IsEmpty() const { return lowIndex == 0 && highIndex == 0 && !dragging; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // After a press, every mouse movement and a release.
    void Notify();
    // A key moved one end of the range (arrows, Home, End): each is one change of its own.
    void KeyedRange();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct Key {
        bool white = true;
        int left = 0;
    };
    // Records each key's left edge exactly as paintEvent lays the keys out.
    void LayoutKeys();

    std::array<Key, kKeyCount> keys{};
    bool dragging = false;
};
