// Asks for the other preset of Copy, Exchange and Insert: a prompt by mode and a spin over the
// presets in use that shows "name - bank.place (serial)". It starts at preset 0.
#pragma once

#include "model/Bank.h"

#include <QDialog>

class QLabel;
class QSpinBox;

class CDestinationPresetDlg final : public QDialog {
    Q_OBJECT

public:
    enum Mode { kExchange = 0, kCopy = 1, kInsert = 2 };

    CDestinationPresetDlg(const presetor::Bank& bank, int mode, QWidget* parent = nullptr);

    // Index (0-based) of the chosen preset.
    int destination() const;
    // "%s - %d.%d (%d)" for a preset of the bank.
    static QString PresetText(const presetor::Bank& bank, int index);

private:
    QSpinBox* spin;
};
