// The "Miscellaneous" page. The link, master channel and clock are read-only numbers changed
// only through their spins, which wrap at both ends.
#include "CPropertyPageOption1.h"
#include "FunctionNames.h"

#include "CNameEdit.h"
#include "CStepSpinBox.h"
#include "model/KeyboardType.h"
#include "model/Preset.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

#include <cstring>

namespace {

CStepSpinBox* WrappingSpin(const QString& objectName) {
    auto* spin = new CStepSpinBox;
    spin->setObjectName(objectName);
    spin->setWrapping(true);
    spin->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return spin;
}

QLabel* Label(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

} // namespace

CPropertyPageOption1::CPropertyPageOption1(presetor::PresetDefaults& presetDefaults, int type,
                                           QWidget* parent)
    : CDefaultsPage(presetDefaults, parent), keyboardType(type), name(new CNameEdit),
      link(WrappingSpin(QStringLiteral("linkSpin"))), setToSelf(new QCheckBox(tr("&Set to self"))),
      masterChannel(WrappingSpin(QStringLiteral("masterChannelSpin"))),
      presetSwitch(DropDownList(QStringLiteral("presetSwitchList"), PresetSwitchNames())),
      clock(WrappingSpin(QStringLiteral("clockSpin"))),
      realtimeMode(DropDownList(QStringLiteral("realtimeModeList"), RealtimeModeNames())) {
    name->setObjectName(QStringLiteral("nameEdit"));
    setToSelf->setObjectName(QStringLiteral("setToSelf"));
    link->SetTextFunction(
        [](int index) { return QString::fromStdString(presetor::PresetPositionText(index)); });
    clock->setSingleStep(2);

    auto* linkRow = new QHBoxLayout;
    linkRow->addWidget(link, 1);
    linkRow->addWidget(setToSelf);

    auto* form = new QFormLayout(this);
    form->addRow(Label(tr("&Name:"), name), name);
    form->addRow(Label(tr("&Link to Preset:"), link), linkRow);
    form->addRow(Label(tr("&Midi-Masterchannel:"), masterChannel), masterChannel);
    form->addRow(Label(tr("&Presetswitch:"), presetSwitch), presetSwitch);
    form->addRow(Label(tr("Midi-&Clock:"), clock), clock);
    form->addRow(Label(tr("&Real-Time-Mode:"), realtimeMode), realtimeMode);

    connect(setToSelf, &QCheckBox::clicked, this, &CPropertyPageOption1::OnSetToSelf);
}

void CPropertyPageOption1::Load() {
    name->setText(QString::fromLatin1(
        defaults.name, static_cast<qsizetype>(strnlen(defaults.name, presetor::kNameLength))));
    masterChannel->ShowRange(1, 16, defaults.masterChannel + 1);
    clock->ShowRange(50, 254, defaults.midiClock * 2);
    SelectIndex(realtimeMode, defaults.realtimeMode);
    SelectIndex(presetSwitch, defaults.presetSwitch);

    const int lastPreset = presetor::PresetCountFor(keyboardType) - 1;
    const bool toSelf = defaults.linkPreset == presetor::kLinkToSelf;
    setToSelf->setChecked(toSelf);
    savedLinkPosition = 0;
    link->ShowRange(0, lastPreset, toSelf ? 0 : defaults.linkPreset);
    link->SetBlank(toSelf);
    link->setEnabled(!toSelf);
}

void CPropertyPageOption1::OnSetToSelf() {
    if (setToSelf->isChecked()) {
        savedLinkPosition = link->value();
        link->setEnabled(false);
        link->SetBlank(true);
    } else {
        link->setEnabled(true);
        link->SetBlank(false);
        link->Show(savedLinkPosition);
    }
}

void CPropertyPageOption1::Store() {
    // The name as typed (at most 8 characters), ended by a zero, not padded.
    const QByteArray typed = name->text().toLatin1().left(presetor::kNameLength);
    std::memset(defaults.name, 0, sizeof defaults.name);
    std::memcpy(defaults.name, typed.constData(), static_cast<std::size_t>(typed.size()));

    defaults.linkPreset = setToSelf->isChecked() ? presetor::kLinkToSelf : (link->value() & 0xFFFF);
    defaults.midiClock = clock->value() / 2;
    defaults.masterChannel = masterChannel->value() - 1;
    // A list showing no item (its stored index was out of range) keeps the stored value rather
    // than storing -1.
    if (realtimeMode->currentIndex() >= 0) {
        defaults.realtimeMode = realtimeMode->currentIndex();
    }
    if (presetSwitch->currentIndex() >= 0) {
        defaults.presetSwitch = presetSwitch->currentIndex();
    }
}
