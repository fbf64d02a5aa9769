// Load-once and save-if-shown for the pages of the preset default settings sheet.
#include "CDefaultsPage.h"

#include "AccessibleControls.h"

#include <QComboBox>

CDefaultsPage::CDefaultsPage(presetor::PresetDefaults& presetDefaults, QWidget* parent)
    : QWidget(parent), defaults(presetDefaults) {}

void CDefaultsPage::showEvent(QShowEvent* event) {
    LoadOnce();
    QWidget::showEvent(event);
}

void CDefaultsPage::LoadOnce() {
    if (loaded) {
        return;
    }
    loaded = true;
    Load();
    MakeAccessible(this);
}

void CDefaultsPage::Save() {
    if (!loaded) {
        return;
    }
    Store();
}

QComboBox* CDefaultsPage::DropDownList(const QString& objectName, const QStringList& items) {
    auto* list = new QComboBox;
    list->setObjectName(objectName);
    list->addItems(items);
    return list;
}

void CDefaultsPage::SelectIndex(QComboBox* list, int index) {
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}
