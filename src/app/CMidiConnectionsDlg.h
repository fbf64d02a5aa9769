// The MIDI-Connections dialog: input and output device by name (the virtual keyboards and the
// system ports), "Transfer all Preset once", the pause between messages, verifying after sends,
// pacing and the silence limit of loads. OK stores the choice; a stored name that is no longer
// present selects the first device and stores it; on a first start (nothing stored) the virtual
// keyboard of the chosen keyboard type is selected.
#pragma once

#include <QDialog>

class CEditorApp;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QSpinBox;

class CMidiConnectionsDlg final : public QDialog {
    Q_OBJECT

public:
    explicit CMidiConnectionsDlg(CEditorApp& app, QWidget* parent = nullptr);

    void accept() override;

private:
    void Fill(QComboBox* list, bool input);
    void UpdateOk();

    CEditorApp& app;
    QComboBox* inList;
    QComboBox* outList;
    QCheckBox* turboBox;
    QSpinBox* pauseSpin;
    QCheckBox* verifySingleBox;
    QCheckBox* verifyAllBox;
    QCheckBox* fullSpeedBox;
    QDoubleSpinBox* idleSpin;
    QDialogButtonBox* buttons;
};
