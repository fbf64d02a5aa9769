// The preset default settings sheet: tabs "Miscellaneous" and "Controller", "OK" and "Cancel".
#include "CPropertySheetOptions.h"

#include "CPropertyPageOption1.h"
#include "CPropertyPageOption2.h"
#include "app/CEditorApp.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

CPropertySheetOptions::CPropertySheetOptions(const presetor::PresetDefaults& defaults,
                                             int keyboardType, QWidget* parent)
    : QDialog(parent), edited(defaults), working(defaults), tabs(new QTabWidget),
      misc(new CPropertyPageOption1(working, keyboardType)),
      controller(new CPropertyPageOption2(working, keyboardType)) {
    // The title is the wording of the menu item that opens the sheet.
    setWindowTitle(tr("Preset-Default-Settings"));
    tabs->addTab(misc, tr("Miscellaneous"));
    tabs->addTab(controller, tr("Controller"));
    tabs->setCurrentIndex(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CPropertySheetOptions::accept() {
    // Only pages that were shown write back; a page never shown leaves its values alone.
    misc->Save();
    controller->Save();
    edited = working;
    QDialog::accept();
}

bool RunPresetDefaultSettings(QWidget* parent, CEditorApp& app, CAppDoc& /*doc*/) {
    CPropertySheetOptions sheet(app.bank.presetDefaults, app.bank.keyboardType, parent);
    if (sheet.exec() != QDialog::Accepted) {
        return false;
    }
    // The defaults are settings beside the presets, not preset data: no undo step, no modified
    // mark; they take effect the next time a preset is set to the defaults.
    app.bank.presetDefaults = sheet.Defaults();
    app.SavePresetDefaults();
    return true;
}
