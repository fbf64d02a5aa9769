// The preset default settings sheet ("Preset-Default-Settings"): two pages that edit a copy of
// the defaults; after "OK" the edited copy is there to be taken, "Cancel" leaves it unchanged.
#pragma once

#include "model/PresetDefaults.h"

#include <QDialog>

class QTabWidget;
class CAppDoc;
class CEditorApp;
class CPropertyPageOption1;
class CPropertyPageOption2;

class CPropertySheetOptions final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CPropertySheetOptions)

public:
    CPropertySheetOptions(const presetor::PresetDefaults& defaults, int keyboardType,
                          QWidget* parent = nullptr);

    // The defaults as edited; equal to the given ones until "OK" was pressed.
    const presetor::PresetDefaults& Defaults() const { return edited; }

    QTabWidget* Tabs() const { return tabs; }

    void accept() override;

private:
    presetor::PresetDefaults edited;
    presetor::PresetDefaults working;
    QTabWidget* tabs;
    CPropertyPageOption1* misc;
    CPropertyPageOption2* controller;
};

// Command "Preset-Default-Settings...": runs the sheet over the application's defaults; on "OK"
// they take the new values and are stored at once as the 40-byte "DefaultPreset". Returns
// whether the sheet ended with "OK". The existing presets do not change.
bool RunPresetDefaultSettings(QWidget* parent, CEditorApp& app, CAppDoc& doc);
