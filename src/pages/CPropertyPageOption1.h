// "Miscellaneous" page of the preset default settings: name, link (or "set to self"), MIDI
// master channel, preset switch, MIDI clock and real-time mode of a fresh preset.
#pragma once

#include "CDefaultsPage.h"

class CNameEdit;
class CStepSpinBox;
class QCheckBox;
class QComboBox;

class CPropertyPageOption1 final : public CDefaultsPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CPropertyPageOption1)

public:
    CPropertyPageOption1(presetor::PresetDefaults& defaults, int keyboardType,
                         QWidget* parent = nullptr);

protected:
    void Load() override;
    void Store() override;

private:
    void OnSetToSelf();

    int keyboardType;
    // The link spin's position kept while "&Set to self" is checked.
    int savedLinkPosition = 0;

    CNameEdit* name;
    CStepSpinBox* link;
    QCheckBox* setToSelf;
    CStepSpinBox* masterChannel;
    QComboBox* presetSwitch;
    CStepSpinBox* clock;
    QComboBox* realtimeMode;
};
