// MIDI-Connections dialog.
#include "CMidiConnectionsDlg.h"

#include "CEditorApp.h"
#include "SettingsKeys.h"
#include "Strings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

using namespace presetor;

CMidiConnectionsDlg::CMidiConnectionsDlg(CEditorApp& application, QWidget* parent)
    : QDialog(parent), app(application) {
    setObjectName(QStringLiteral("midiConnectionsDialog"));
    setWindowTitle(tr("MIDI-Connections"));

    inList = new QComboBox(this);
    inList->setObjectName(QStringLiteral("midiInList"));
    outList = new QComboBox(this);
    outList->setObjectName(QStringLiteral("midiOutList"));
    turboBox = new QCheckBox(tr("Transfer all Preset once"), this);
    turboBox->setObjectName(QStringLiteral("turboBox"));
    auto* note = new QLabel(tr("Please use this option only, if the data-transfer works without "
                               "any problems. Sometimes there may be problems with transferring "
                               "a great amount of data."),
                            this);
    note->setWordWrap(true);
    pauseSpin = new QSpinBox(this);
    pauseSpin->setObjectName(QStringLiteral("pauseSpin"));
    pauseSpin->setRange(0, 1000);
    pauseSpin->setSuffix(tr(" ms"));
    pauseSpin->setToolTip(tr("Pause between two messages sent preset by preset, for slow MIDI "
                             "interfaces."));

    auto* form = new QFormLayout;
    form->addRow(tr("MIDI-IN:"), inList);
    form->addRow(tr("MIDI-OUT:"), outList);

    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* pauseRow = new QFormLayout;
    pauseRow->addRow(tr("Pause between messages:"), pauseSpin);

    verifySingleBox = new QCheckBox(Str(IDS_OPT_VERIFY_SINGLE), this);
    verifySingleBox->setObjectName(QStringLiteral("verifySingleBox"));
    verifyAllBox = new QCheckBox(Str(IDS_OPT_VERIFY_ALL), this);
    verifyAllBox->setObjectName(QStringLiteral("verifyAllBox"));
    fullSpeedBox = new QCheckBox(Str(IDS_OPT_FULL_SPEED), this);
    fullSpeedBox->setObjectName(QStringLiteral("fullSpeedBox"));
    auto* verifyNote = new QLabel(Str(IDS_OPT_VERIFY_NOTE), this);
    verifyNote->setWordWrap(true);
    idleSpin = new QDoubleSpinBox(this);
    idleSpin->setObjectName(QStringLiteral("idleSpin"));
    idleSpin->setRange(0.5, 60.0);
    idleSpin->setDecimals(1);
    idleSpin->setSingleStep(0.5);
    idleSpin->setSuffix(Str(IDS_SECONDS_SUFFIX));
    pauseRow->addRow(Str(IDS_OPT_IDLE), idleSpin);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(turboBox);
    layout->addWidget(note);
    layout->addLayout(pauseRow);
    layout->addWidget(verifySingleBox);
    layout->addWidget(verifyAllBox);
    layout->addWidget(fullSpeedBox);
    layout->addWidget(verifyNote);
    layout->addWidget(buttons);
    setMinimumWidth(400);

    Fill(inList, true);
    Fill(outList, false);
    turboBox->setChecked(app.turbo != 0);
    pauseSpin->setValue(app.pauseMs);
    verifySingleBox->setChecked(app.verifySingle);
    verifyAllBox->setChecked(app.verifyAll);
    fullSpeedBox->setChecked(app.fullSpeed);
    idleSpin->setValue(app.idleTimeoutMs / 1000.0);
    connect(inList, &QComboBox::currentIndexChanged, this, &CMidiConnectionsDlg::UpdateOk);
    connect(outList, &QComboBox::currentIndexChanged, this, &CMidiConnectionsDlg::UpdateOk);
    UpdateOk();
}

void CMidiConnectionsDlg::Fill(QComboBox* list, bool input) {
    const MidiKind kind = input ? MidiKind::Input : MidiKind::Output;
    const auto names = app.Midi().DeviceNames(kind);
    // Sorted by name, each item carrying its device number.
    std::vector<std::pair<QString, int>> items;
    for (std::size_t i = 0; i < names.size(); ++i) {
        items.emplace_back(QString::fromStdString(names[i]), static_cast<int>(i));
    }
    std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
        return QString::localeAwareCompare(a.first, b.first) < 0;
    });
    for (const auto& [name, device] : items) {
        list->addItem(name, device);
    }
    if (list->count() == 0) {
        return; // nothing to choose: OK stays disabled and the stored choice is kept
    }
    const char* key = input ? keys::kMidiIn : keys::kMidiOut;
    const QString stored = app.Settings().value(key).toString();
    int found = -1;
    if (stored.isEmpty()) {
        // A first start: the virtual keyboard of the keyboard type the user chose.
        found = list->findText(QString::fromLatin1(
            app.bank.keyboardType == kLmk3 ? kVirtualLmk3Name : kVirtualLmk4Name));
    } else {
        for (int i = 0; i < list->count() && found < 0; ++i) {
            if (list->itemText(i).startsWith(stored, Qt::CaseInsensitive)) {
                found = i;
            }
        }
    }
    if (found < 0 || stored.isEmpty()) {
        found = std::max(found, 0);
        app.Settings().setValue(key, list->itemText(found));
        (input ? app.midiInName : app.midiOutName) = list->itemText(found);
    }
    list->setCurrentIndex(found);
    (input ? app.midiInDevice : app.midiOutDevice) = list->itemData(found).toInt();
}

void CMidiConnectionsDlg::UpdateOk() {
    buttons->button(QDialogButtonBox::Ok)
        ->setEnabled(inList->currentIndex() >= 0 && outList->currentIndex() >= 0);
}

void CMidiConnectionsDlg::accept() {
    app.turbo = turboBox->isChecked() ? 1 : 0;
    app.pauseMs = pauseSpin->value();
    app.verifySingle = verifySingleBox->isChecked();
    app.verifyAll = verifyAllBox->isChecked();
    app.fullSpeed = fullSpeedBox->isChecked();
    app.idleTimeoutMs = static_cast<int>(idleSpin->value() * 1000.0 + 0.5);
    app.midiInName = inList->currentText();
    app.midiInDevice = inList->currentData().toInt();
    app.midiOutName = outList->currentText();
    app.midiOutDevice = outList->currentData().toInt();
    app.SaveMidiSettings();
    // The new output is used at once rather than from the next start.
    if (!app.midiOut->IsOpen() || app.midiOut->GetDevice() != app.midiOutDevice) {
        app.OpenMidiOut();
    }
    QDialog::accept();
}
