// The "Controller" page: eight controller-function lists and two switch-function lists, the
// list index being the function code.
#include "CPropertyPageOption2.h"

#include "FunctionNames.h"
#include "model/KeyboardType.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// The defaults offer only the first six switch functions.
constexpr int kDefaultSwitchFunctions = 6;

void AddRow(QGridLayout* grid, const QString& labelText, QComboBox* list) {
    auto* label = new QLabel(labelText);
    label->setBuddy(list);
    label->setObjectName(list->objectName() + QStringLiteral("Label"));
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(list, row, 1);
}

} // namespace

CPropertyPageOption2::CPropertyPageOption2(presetor::PresetDefaults& presetDefaults,
                                           int keyboardType, QWidget* parent)
    : CDefaultsPage(presetDefaults, parent) {
    const bool lmk3 = keyboardType == presetor::kLmk3;
    // Labels in the defaults' controller order; the LMK4 names the sliders and the data entry
    // wheel CTR1 to CTR3.
    const QString labels[8] = {
        tr("Wheel 1:"),
        tr("Wheel 2:"),
        lmk3 ? tr("Slider 1:") : tr("CTR1:"),
        lmk3 ? tr("Slider 2:") : tr("CTR2:"),
        lmk3 ? tr("Data Entry:") : tr("CTR3:"),
        tr("Aftertouch:"),
        tr("Extern Controller 1:"),
        tr("Extern Controller 2:"),
    };
    auto* controllerBox = new QGroupBox(tr("Assignment variable Controller"));
    auto* controllerGrid = new QGridLayout(controllerBox);
    const QStringList& controllerItems = ControllerFunctionNames();
    for (int i = 0; i < 8; ++i) {
        controllers[static_cast<std::size_t>(i)] =
            DropDownList(QStringLiteral("controller%1").arg(i), controllerItems);
        AddRow(controllerGrid, labels[i], controllers[static_cast<std::size_t>(i)]);
    }
    auto* switchBox = new QGroupBox(tr("Assignment switching Controller"));
    auto* switchGrid = new QGridLayout(switchBox);
    const QStringList switchItems = SwitchFunctionNames().mid(0, kDefaultSwitchFunctions);
    for (int i = 0; i < 2; ++i) {
        switches[static_cast<std::size_t>(i)] =
            DropDownList(QStringLiteral("switch%1").arg(i), switchItems);
        AddRow(switchGrid, tr("Extern Switch %1:").arg(i + 1),
               switches[static_cast<std::size_t>(i)]);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(controllerBox);
    layout->addWidget(switchBox);
    layout->addStretch();
}

void CPropertyPageOption2::Load() {
    for (std::size_t i = 0; i < controllers.size(); ++i) {
        SelectIndex(controllers[i], defaults.ctrlFunctions[i]);
    }
    for (std::size_t i = 0; i < switches.size(); ++i) {
        SelectIndex(switches[i], defaults.switchFunctions[i]);
    }
}

void CPropertyPageOption2::Store() {
    // A list showing no item (a stored code beyond the list) keeps its stored code.
    for (std::size_t i = 0; i < controllers.size(); ++i) {
        if (controllers[i]->currentIndex() >= 0) {
            defaults.ctrlFunctions[i] = static_cast<std::uint8_t>(controllers[i]->currentIndex());
        }
    }
    for (std::size_t i = 0; i < switches.size(); ++i) {
        if (switches[i]->currentIndex() >= 0) {
            defaults.switchFunctions[i] = static_cast<std::uint8_t>(switches[i]->currentIndex());
        }
    }
}
