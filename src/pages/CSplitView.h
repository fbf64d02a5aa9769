// The page that edits one split of the current preset: key range on a piano keyboard,
// transposition, MIDI channel (and on the LMK4 note source and outputs), volume, program change
// with bank select and the sound name, and the aftertouch and velocity curves.
#pragma once

#include "CFormPage.h"

#include <QColor>

class CAftertouchCurveList;
class CKeyboardCtrl;
class CStepSpinBox;
class CVelocityCurveList;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class CSplitView final : public CFormPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CSplitView)

public:
    static const QColor kActiveColour;   // dark green tab caption
    static const QColor kInactiveColour; // red tab caption

    CSplitView(int splitIndex, CEditorApp& app, CAppDoc& doc, QWidget* parent = nullptr);

    // The split of a tab caption: its last character as a number, minus 1 ("Split 3" gives 2);
    // -1 when the caption does not end in a digit 1..8.
    static int SplitFromLabel(const QString& tabLabel);

    int SplitIndex() const { return splitIndex; }
    void Refresh() override;
    // Shows the split as switched on or off: check box, key controls, tab colour, enabling.
    void SetSplitActive(bool active);
    // Shows the sound that channel, bank select and program pick from the channel's sound list.
    void ShowSoundName();
    // Caption colour of this page's tab: kActiveColour or kInactiveColour.
    QColor TabColor() const { return tabColour; }
    // Lets "Select Preset ..." open a dialog that picks program, MSB and LSB; it returns false
    // when cancelled. Without one the button stays disabled.
    using SelectPresetFunction = std::function<bool(QWidget* parent, int channel, int& program,
                                                    int& msb, int& lsb, QString& text)>;
    void SetSelectPresetFunction(SelectPresetFunction function);

signals:
    // The split was switched on or off; the tab shows its caption in this colour.
    void TabColorChanged(const QColor& colour);

protected:
    // A click on a radio button's wrapped text clicks the button.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void ConnectControls();
    int SlowVelocityChoice() const;

    void OnSplitActiveClicked(bool checked);
    void OnFromKey(int note);
    void OnToKey(int note);
    void OnKeyboard();
    void OnTranspose(int value);
    void OnOctave(int semitones);
    void OnAftertouchCurve(int curve);
    void OnVelocityCurve(int curve);
    void OnSelectPreset();

    const int splitIndex;
    QColor tabColour;
    int keyboardGesture = 0;
    bool keyboardGestureOpen = false;
    SelectPresetFunction selectPreset;

    QCheckBox* splitActive = nullptr;
    QLabel* keyboardHint = nullptr;
    CKeyboardCtrl* keyboard = nullptr;
    QLabel* fromLabel = nullptr;
    QLabel* toLabel = nullptr;
    CStepSpinBox* fromKey = nullptr;
    CStepSpinBox* toKey = nullptr;
    QLabel* transposeLabel = nullptr;
    QLabel* stepsLabel = nullptr;
    CStepSpinBox* transpose = nullptr;
    QPushButton* octaveUp = nullptr;
    QPushButton* octaveDown = nullptr;
    QLabel* channelLabel = nullptr;
    CStepSpinBox* midiChannel = nullptr;
    QComboBox* inputMode = nullptr;
    QCheckBox* midiOut1 = nullptr;
    QCheckBox* midiOut2 = nullptr;
    QCheckBox* volumeActive = nullptr;
    QLabel* volumeLabel = nullptr;
    CStepSpinBox* volume = nullptr;
    QCheckBox* programActive = nullptr;
    QLabel* programLabel = nullptr;
    CStepSpinBox* programNumber = nullptr;
    QLabel* msbLabel = nullptr;
    CStepSpinBox* bankMsb = nullptr;
    QLabel* lsbLabel = nullptr;
    CStepSpinBox* bankLsb = nullptr;
    QPlainTextEdit* soundName = nullptr;
    QString shownSoundName;
    QPushButton* selectPresetButton = nullptr;
    CStepSpinBox* aftertouchCurve = nullptr;
    CAftertouchCurveList* aftertouchList = nullptr;
    CStepSpinBox* velocityCurve = nullptr;
    CVelocityCurveList* velocityList = nullptr;
    QRadioButton* slowVelocityOne = nullptr;
    QRadioButton* slowVelocityZero = nullptr;
    QLabel* slowVelocityOneText = nullptr;
    QLabel* slowVelocityZeroText = nullptr;
};
