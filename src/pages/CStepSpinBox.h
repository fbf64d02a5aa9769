// A number field with a spin beside it, as the pages use them: steps that grow once an arrow
// has been held for a while, optional texts instead of numbers (note names), an empty look for
// values that do not apply, and typed entry: a typed value (a number, or one of the texts) is
// taken on Enter or when the field loses the focus, limited to the range; Escape restores the
// value shown before.
#pragma once

#include <QElapsedTimer>
#include <QSpinBox>

#include <functional>
#include <vector>

class CStepSpinBox final : public QSpinBox {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CStepSpinBox)

public:
    // From heldMs of holding an arrow on, each step moves by `count` single steps.
    struct Step {
        int heldMs;
        int count;
    };
    static std::vector<Step> OneThenTen() { return {{0, 1}, {2000, 10}}; }
    // The platform's usual acceleration of a spin control.
    static std::vector<Step> DefaultAcceleration() { return {{0, 1}, {2000, 5}, {5000, 20}}; }

    explicit CStepSpinBox(QWidget* parent = nullptr);

    void SetSteps(std::vector<Step> table) { steps = std::move(table); }
    // Typed entry is on by default; off, the field is only stepped.
    void SetTypeable(bool on);
    bool IsTypeable() const { return typeable && !blank && !arrowsOnly; }
    // True while a typed value is being taken (Enter, focus out): the value change that follows
    // comes from typing, not from the arrows.
    bool IsTakingTypedValue() const { return takingTyped; }
    // The value a typed text stands for: a number in the range (limited to it), or the value
    // whose shown text matches without regard to case and blanks. False when it stands for none.
    bool ParseTyped(const QString& text, int& value) const;
    // Shows texts from this function instead of decimal numbers.
    void SetTextFunction(std::function<QString(int)> function);
    // Fixes the field's size to hold the widest text of the whole present range (the spin box
    // measures only the texts of its two ends), so that a narrower range set later changes
    // neither its size nor the layout around it.
    void FixSizeForAllTexts();
    // Shows an empty edit whatever the value.
    void SetBlank(bool on);
    bool IsBlank() const { return blank; }
    // Shows the arrows only, without the edit, for a value another control shows.
    void SetArrowsOnly(bool on);
    // Sets range and value without any notification and shows the value.
    void Show(int value);
    void ShowRange(int low, int high, int value);
    // Step multiplier for an arrow held this long.
    int StepCountAfter(qint64 heldMs) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void stepBy(int count) override;
    QString textFromValue(int value) const override;
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void UpdateText();

    // While it lives, a new value or range repaints the edit but not the frame and arrows around
    // it (the spin box repaints itself whenever its value is set, which also repaints the group
    // and page under it); the frame repaints only when an arrow turns on or off.
    class QuietFrame {
    public:
        explicit QuietFrame(CStepSpinBox* spin);
        ~QuietFrame();
        Q_DISABLE_COPY_MOVE(QuietFrame)

    private:
        CStepSpinBox* spin;
        StepEnabled arrows;
        bool wasQuiet;
    };

    std::vector<Step> steps{{0, 1}};
    std::function<QString(int)> textFunction;
    QElapsedTimer held;
    bool typeable = true;
    bool takingTyped = false;
    bool blank = false;
    bool arrowsOnly = false;
};
