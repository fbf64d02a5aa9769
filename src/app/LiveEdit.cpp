// Live edit to the keyboard's edit memory.
#include "LiveEdit.h"

#include "CAppDoc.h"
#include "CEditorApp.h"
#include "SettingsKeys.h"

#include "midi/MidiPort.h"
#include "midi/RequestPresetEngine.h"

#include <QSettings>

using namespace presetor;

CLiveEdit::CLiveEdit(CEditorApp& application, CAppDoc& document, QObject* parent)
    : QObject(parent), app(application), doc(document) {
    kick.setSingleShot(true);
    kick.setInterval(0);
    wireFree.setSingleShot(true);
    connect(&kick, &QTimer::timeout, this, &CLiveEdit::SendLatest);
    connect(&wireFree, &QTimer::timeout, this, &CLiveEdit::OnWireFree);
    connect(&doc, &CAppDoc::Updated, this, &CLiveEdit::OnUpdated);
    on = app.Settings().value(keys::kLiveEdit, keys::kLiveEditDefault).toBool();
    TakeBaseline();
}

int CLiveEdit::WireTimeMs() {
    // A single dump is 161 bytes whatever the keyboard type.
    const std::size_t bytes = BuildSendEditMemoryDump(Preset{}, kLmk4).size();
    return static_cast<int>((bytes * 1000 + kWireBytesPerSecond - 1) / kWireBytesPerSecond);
}

void CLiveEdit::SetOn(bool enabled) {
    app.Settings().setValue(keys::kLiveEdit, enabled);
    if (enabled == on)
        return;
    on = enabled;
    pending = false;
    kick.stop();
    failed = false;
    TakeBaseline();
    emit StatusChanged();
}

void CLiveEdit::TakeBaseline() {
    const Bank& bank = doc.GetBank();
    baselineIndex = bank.CurrentIndex();
    baseline.CopyFrom(bank.Current());
}

void CLiveEdit::OnUpdated(int hint) {
    const Bank& bank = doc.GetBank();
    // Another preset made current, a bank replaced (a file, a load): not an edit of the preset
    // the keyboard is playing; the next edit sends the new one.
    if (!on || hint == 0 || bank.CurrentIndex() != baselineIndex) {
        TakeBaseline();
        return;
    }
    if (bank.Current().SameData(baseline))
        return; // another preset changed
    baseline.CopyFrom(bank.Current());
    pending = true;
    if (!inFlight && !kick.isActive())
        kick.start();
}

void CLiveEdit::SendLatest() {
    if (!on || !pending)
        return;
    if (app.MidiBeingMade()) { // the first need is being served: send once the ports are there
        kick.start();
        return;
    }
    pending = false;
    app.EnsureMidi(); // the system's ports are set up at the first need
    const Bank& bank = doc.GetBank();
    const Bytes dump = BuildSendEditMemoryDump(bank.Current(), bank.keyboardType);
    const bool ok = app.midiOut && SendMessage(*app.midiOut, dump) == TransferState::Ok;
    ++sent;
    inFlight = true;
    wireFree.start(WireTimeMs());
    if (ok == failed) {
        failed = !ok;
        emit StatusChanged();
    }
}

void CLiveEdit::OnWireFree() {
    inFlight = false;
    if (pending)
        SendLatest();
}
