// A page of the preset default settings sheet: it fills its controls from the defaults the
// first time it is shown and writes them back on OK only if it was shown. Also the drop-down
// list helpers both pages use.
#pragma once

#include "model/PresetDefaults.h"

#include <QWidget>

class QComboBox;

class CDefaultsPage : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CDefaultsPage)

public:
    // Loads the controls from the defaults the first time the page is shown.
    void LoadOnce();
    bool WasShown() const { return loaded; }
    // Writes the controls back into the defaults (only after the page was shown).
    void Save();

protected:
    CDefaultsPage(presetor::PresetDefaults& presetDefaults, QWidget* parent);

    void showEvent(QShowEvent* event) override;
    // Fill the controls from defaults / write them back; each runs at most as LoadOnce and
    // Save allow.
    virtual void Load() = 0;
    virtual void Store() = 0;

    // A drop-down list with the given items, the list index being the stored value.
    static QComboBox* DropDownList(const QString& objectName, const QStringList& items);
    // A stored index outside the list selects nothing.
    static void SelectIndex(QComboBox* list, int index);

    presetor::PresetDefaults& defaults;

private:
    bool loaded = false;
};
