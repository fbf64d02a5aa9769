// MIDI-Connections dialog.
#include "CMidiConnectionsDlg.h"

#include "CEditorApp.h"
#include "SettingsKeys.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
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

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(turboBox);
    layout->addWidget(note);
    layout->addLayout(pauseRow);
    layout->addWidget(buttons);
    setMinimumWidth(400);

    Fill(inList, true);
    Fill(outList, false);
    turboBox->setChecked(app.turbo != 0);
    pauseSpin->setValue(app.pauseMs);
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
    if (!stored.isEmpty()) {
        for (int i = 0; i < list->count() && found < 0; ++i) {
            if (list->itemText(i).startsWith(stored, Qt::CaseInsensitive)) {
                found = i;
            }
        }
    }
    if (found < 0) {
        found = 0;
        app.Settings().setValue(key, list->itemText(0));
        (input ? app.midiInName : app.midiOutName) = list->itemText(0);
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
