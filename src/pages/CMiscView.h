// The "Global" page: the values that belong to the whole preset: name, the preset it links to,
// MIDI master channel, preset-switch mode (LMK4), MIDI clock and the real-time command.
#pragma once

#include "CFormPage.h"

class CNameEdit;
class CStepSpinBox;
class QComboBox;
class QLabel;
class QLineEdit;

class CMiscView final : public CFormPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CMiscView)

public:
    CMiscView(CEditorApp& app, CAppDoc& doc, QWidget* parent = nullptr);

    void Refresh() override;
    // "%s - %d.%d (%d)" for the preset at a link index.
    QString LinkText(int link) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnNameEdited(const QString& text);
    // Takes a preset typed into the link field.
    void OnLinkTyped();

    CNameEdit* name = nullptr;
    QLineEdit* linkText = nullptr;
    CStepSpinBox* link = nullptr;
    CStepSpinBox* masterChannel = nullptr;
    QLabel* presetSwitchLabel = nullptr;
    QComboBox* presetSwitch = nullptr;
    CStepSpinBox* clock = nullptr;
    QComboBox* realtimeMode = nullptr;
};
