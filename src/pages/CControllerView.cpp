#include "CControllerView.h"

#include "CStepSpinBox.h"
#include "FunctionNames.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include <algorithm>

using presetor::Preset;

namespace {

struct CtrlRow {
    const char* label;
    int element; // ctrlAssign element
    const char* name;
};

// The page's order; the record's order differs (the extern controllers are crossed).
const CtrlRow kCtrlRows[presetor::kControllerCount] = {
    {QT_TRANSLATE_NOOP("CControllerView", "&Wheel 1:"), presetor::kCtrlWheel1, "wheel1"},
    {QT_TRANSLATE_NOOP("CControllerView", "W&heel 2:"), presetor::kCtrlWheel2, "wheel2"},
    {QT_TRANSLATE_NOOP("CControllerView", "&Slide 1:"), presetor::kCtrlSlide1, "slide1"},
    {QT_TRANSLATE_NOOP("CControllerView", "S&lide 2:"), presetor::kCtrlSlide2, "slide2"},
    {QT_TRANSLATE_NOOP("CControllerView", "&Data Entry:"), presetor::kCtrlDataEntry, "dataEntry"},
    {QT_TRANSLATE_NOOP("CControllerView", "&Aftertouch:"), presetor::kCtrlAftertouch, "aftertouch"},
    {QT_TRANSLATE_NOOP("CControllerView", "&Extern Controller 1:"), presetor::kCtrlExtern1,
     "extern1"},
    {QT_TRANSLATE_NOOP("CControllerView", "E&xtern Controller 2:"), presetor::kCtrlExtern2,
     "extern2"},
};

const char* const kSwitchLabels[presetor::kSwitchCount] = {
    QT_TRANSLATE_NOOP("CControllerView", "Ex&tern Switch 1:"),
    QT_TRANSLATE_NOOP("CControllerView", "Exte&rn Switch 2:")};

QComboBox* FunctionList(const QStringList& names, const QString& objectName) {
    auto* list = new QComboBox;
    list->setObjectName(objectName);
    list->addItems(names);
    return list;
}

// The list index of a stored code; codes outside the list show no selection.
int ListIndex(int code) {
    return code < kFunctionCount ? code : -1;
}

} // namespace

CControllerView::CControllerView(CEditorApp& application, CAppDoc& document, QWidget* parent)
    : CFormPage(application, document, parent) {
    setObjectName(QStringLiteral("controllerView"));
    auto* page = new QGridLayout(Form());

    auto* ctrlGroup = new QGroupBox(tr("Assignment variable Controller"));
    auto* ctrlLayout = new QGridLayout(ctrlGroup);
    for (int i = 0; i < presetor::kControllerCount; ++i) {
        const CtrlRow& row = kCtrlRows[i];
        QComboBox* list = FunctionList(ControllerFunctionNames(), QLatin1String(row.name));
        auto* label = new QLabel(tr(row.label));
        label->setBuddy(list);
        ctrlLayout->addWidget(label, i, 0);
        ctrlLayout->addWidget(list, i, 1);
        ctrlLists[static_cast<std::size_t>(i)] = list;
        ctrlElements[static_cast<std::size_t>(i)] = row.element;
        if (row.element == presetor::kCtrlSlide1)
            slide1Label = label;
        else if (row.element == presetor::kCtrlSlide2)
            slide2Label = label;
        else if (row.element == presetor::kCtrlDataEntry)
            dataEntryLabel = label;
        const int element = row.element;
        connect(list, &QComboBox::currentIndexChanged, this, [this, element](int index) {
            if (index >= 0)
                Modify(tr("Controller function"),
                       [element, index](Preset& p) { p.SetCtrlAssign(element, index); });
        });
    }
    ctrlLayout->setColumnStretch(2, 1);
    page->addWidget(ctrlGroup, 0, 0);

    auto* switchGroup = new QGroupBox(tr("Assignment switching Controller"));
    auto* switchLayout = new QGridLayout(switchGroup);
    for (int j = 0; j < presetor::kSwitchCount; ++j) {
        QComboBox* list =
            FunctionList(SwitchFunctionNames(), QStringLiteral("externSwitch%1").arg(j + 1));
        auto* label = new QLabel(tr(kSwitchLabels[j]));
        label->setBuddy(list);
        switchLayout->addWidget(label, j, 0);
        switchLayout->addWidget(list, j, 1);
        switchLists[static_cast<std::size_t>(j)] = list;
        connect(list, &QComboBox::currentIndexChanged, this, [this, j](int index) {
            if (index >= 0)
                Modify(tr("Switch function"),
                       [j, index](Preset& p) { p.SetSwitchAssign(j, index); });
        });
    }
    switchLayout->setColumnStretch(2, 1);
    // The switch lists line up with the controller lists above them.
    int labelWidth = 0;
    for (int i = 0; i < ctrlLayout->rowCount(); ++i)
        labelWidth = std::max(labelWidth, ctrlLayout->itemAtPosition(i, 0)->sizeHint().width());
    ctrlLayout->setColumnMinimumWidth(0, labelWidth);
    switchLayout->setColumnMinimumWidth(0, labelWidth);
    page->addWidget(switchGroup, 1, 0);

    auto* userGroup = new QGroupBox(tr("Userdefined Controller"));
    auto* userLayout = new QGridLayout(userGroup);
    for (int k = 0; k < presetor::kUserCtrlCount; ++k) {
        auto* spin = new CStepSpinBox;
        spin->setObjectName(QStringLiteral("userCtrl%1").arg(k + 1));
        spin->setRange(0, 127);
        spin->SetSteps(CStepSpinBox::OneThenTen());
        auto* label = new QLabel(tr("Ctrl&%1:").arg(k + 1));
        label->setBuddy(spin);
        // Two columns of four.
        const int row = k % 4;
        const int column = (k / 4) * 3;
        userLayout->addWidget(label, row, column);
        userLayout->addWidget(spin, row, column + 1);
        userCtrls[static_cast<std::size_t>(k)] = spin;
        connect(spin, &QSpinBox::valueChanged, this, [this, k](int value) {
            Modify(
                tr("Userdefined Controller"),
                [k, value](Preset& p) { p.SetUserCtrlNumber(k, value); },
                MergeKey(PageEdit::UserCtrl, k));
        });
    }
    userLayout->setColumnMinimumWidth(2, 24);
    userLayout->setColumnStretch(5, 1);
    page->addWidget(userGroup, 2, 0);
    page->setRowStretch(3, 1);
    page->setColumnStretch(1, 1);

    UpdateLabels();
    Refresh();
}

void CControllerView::Refresh() {
    const Preset& p = Current();
    for (std::size_t k = 0; k < userCtrls.size(); ++k)
        userCtrls[k]->Show(p.userCtrlNumber[k]);
    for (std::size_t i = 0; i < ctrlLists.size(); ++i) {
        const QSignalBlocker blocker(ctrlLists[i]);
        ctrlLists[i]->setCurrentIndex(
            ListIndex(p.ctrlAssign[static_cast<std::size_t>(ctrlElements[i])]));
    }
    for (std::size_t j = 0; j < switchLists.size(); ++j) {
        const QSignalBlocker blocker(switchLists[j]);
        switchLists[j]->setCurrentIndex(ListIndex(p.switchAssign[j]));
    }
}

void CControllerView::UpdateLabels() {
    const bool lmk3 = KeyboardType() == presetor::kLmk3;
    slide1Label->setText(lmk3 ? tr("Slider 1:") : tr("CTR1:"));
    slide2Label->setText(lmk3 ? tr("Slider 2:") : tr("CTR2:"));
    dataEntryLabel->setText(lmk3 ? tr("Data Entry:") : tr("CTR3:"));
}

void CControllerView::showEvent(QShowEvent* event) {
    CFormPage::showEvent(event);
    UpdateLabels();
}

void CControllerView::hideEvent(QHideEvent* event) {
    CFormPage::hideEvent(event);
    UpdateLabels();
}
