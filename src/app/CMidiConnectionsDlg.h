// The MIDI-Connections dialog: input and output device by name (the virtual keyboards and the
// system ports), "Transfer all Preset once" and the pause between messages. OK stores the
// choice; a stored name that is no longer present selects the first device and stores it.
#pragma once

#include <QDialog>

class CEditorApp;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
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
    QDialogButtonBox* buttons;
};
