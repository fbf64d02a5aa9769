// The first-start question which keyboard the user configures: LMK3 (firmware 4.xx) or
// LMK4/LMK4+. Only OK takes the radio choice; closing it otherwise keeps the LMK3.
#pragma once

#include <QDialog>

class QRadioButton;

class CKeyboardSelectDlg final : public QDialog {
    Q_OBJECT

public:
    explicit CKeyboardSelectDlg(QWidget* parent = nullptr);

    // 3 or 4: the type chosen (3 unless OK was pressed with the LMK4 selected).
    int ChosenType() const { return chosenType; }

    void accept() override;

private:
    QRadioButton* lmk3Button;
    QRadioButton* lmk4Button;
    int chosenType = 3;
};
