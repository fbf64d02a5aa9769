// "Miscellaneous" page of the preset default settings: name, link (or "set to self"), MIDI
// master channel, preset switch, MIDI clock and real-time mode of a fresh preset.
#pragma once

#include "model/PresetDefaults.h"

#include <QWidget>

class CNameEdit;
class CStepSpinBox;
class QCheckBox;
class QComboBox;

class CPropertyPageOption1 final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CPropertyPageOption1)

public:
    CPropertyPageOption1(presetor::PresetDefaults& defaults, int keyboardType,
                         QWidget* parent = nullptr);

    // Loads the controls from the defaults the first time the page is shown.
    void LoadOnce();
    bool WasShown() const { return loaded; }
    // Writes the controls back into the defaults (only after the page was shown).
    void Save();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnSetToSelf();

    presetor::PresetDefaults& defaults;
    int keyboardType;
    bool loaded = false;
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
