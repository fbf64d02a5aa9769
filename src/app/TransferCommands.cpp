// Transfer commands.
#include "TransferCommands.h"

#include "CAppDoc.h"
#include "CEditorApp.h"
#include "CTransferDlg.h"
#include "Messages.h"
#include "Strings.h"

#include "midi/CMidiIn.h"
#include "midi/RequestPresetEngine.h"
#include "midi/TransferRunner.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QStatusBar>
#include <QTimer>

using namespace presetor;

namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("Presetor", text);
}

// Keeps the wait cursor up for a scope.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Asks whether to keep presets that arrived with wrong checksums.
bool KeepDespiteChecksums(QWidget* parent, int count) {
    return AskYesNo(parent, QCoreApplication::translate(
                                "Presetor",
                                "%n Preset(s) arrived with wrong checksums, so their data may be "
                                "damaged. Do you want to keep the received data?",
                                nullptr, count));
}

} // namespace

CTransferCommands::CTransferCommands(CEditorApp& application, CAppDoc& document, QWidget* p,
                                     QStatusBar* bar)
    : app(application), doc(document), parent(p), statusBar(bar) {}

bool CTransferCommands::OnLoadAll() {
    if (statusBar) {
        statusBar->showMessage(Str(IDS_STATUS_LOADING));
    }
    CTransferDlg dialog(app, true, parent);
    const TransferState state = dialog.Run();
    if (statusBar) {
        statusBar->clearMessage();
    }
    // A malformed or cut-off dump is a failed load too; the bank stays as it was.
    if (state == TransferState::NoAnswer || state == TransferState::BadData) {
        ShowWarning(parent, Str(IDS_NO_DATA_RECEIVED));
        return false;
    }
    if (state != TransferState::Ok) {
        return false;
    }
    const LoadAllEngine& engine = *dialog.Load();
    if (!engine.BadChecksums().empty() &&
        !KeepDespiteChecksums(parent, static_cast<int>(engine.BadChecksums().size()))) {
        return false;
    }
    doc.TakeLoadedBank(engine.ReceivedBank());
    return true;
}

bool CTransferCommands::OnSendAll() {
    if (statusBar) {
        statusBar->showMessage(Str(IDS_STATUS_SENDING));
    }
    CTransferDlg dialog(app, false, parent);
    const TransferState state = dialog.Run();
    if (statusBar) {
        statusBar->clearMessage();
    }
    if (state != TransferState::Ok) {
        ShowWarning(parent, Str(IDS_NO_DATA_SENT));
        return false;
    }
    if (dialog.Send()->ShowStored153()) {
        ShowInformation(parent, Str(IDS_SENT_TO_EEPROM));
    }
    // The keyboard now holds the bank: nothing is lost when the program ends.
    doc.SetModified(false);
    return true;
}

bool CTransferCommands::OnLoadPreset() {
    return LoadOne(false);
}

bool CTransferCommands::OnLoadEditMemory() {
    return LoadOne(true);
}

bool CTransferCommands::OnSendPreset() {
    return SendOne(false);
}

bool CTransferCommands::OnSendEditMemory() {
    return SendOne(true);
}

bool CTransferCommands::LoadOne(bool editMemory) {
    const Bank& bank = doc.GetBank();
    const int index = bank.CurrentIndex();
    RequestPresetEngine engine(editMemory ? BuildLoadEditMemoryRequest()
                                          : BuildLoadPresetRequest(bank.keyboardType, index));
    {
        WaitCursor wait;
        CMidiIn in(app.Midi());
        if (!in.Open(app.midiInDevice)) {
            ShowWarning(parent, QString::fromStdString(in.LastError()));
            ShowWarning(parent, Str(IDS_NO_DATA_RECEIVED));
            return false;
        }
        // Waits about a second for the reply in a local event loop, so the window keeps
        // painting; input is polled every few milliseconds.
        QEventLoop loop;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            std::vector<std::uint8_t> bytes;
            const std::int64_t now = SteadyNowMs();
            if (in.Poll(bytes) > 0) {
                engine.OnBytes(bytes, now);
            }
            engine.OnTick(now);
            if (engine.Finished()) {
                loop.quit();
            }
        });
        engine.Start(*app.midiOut, SteadyNowMs());
        if (!engine.Finished()) {
            poll.start();
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        }
        in.Close();
    }
    if (engine.State() != TransferState::Ok) {
        ShowWarning(parent, Str(IDS_NO_DATA_RECEIVED));
        return false;
    }
    if (!engine.ChecksumOk() && !KeepDespiteChecksums(parent, 1)) {
        return false;
    }
    Preset received(bank.presets[static_cast<std::size_t>(index)]);
    engine.DecodeInto(received, bank.keyboardType);
    doc.ModifyPreset(index, editMemory ? Tr("Load Preset from Edit-Memory") : Tr("Load Preset"),
                     [&received](Preset& preset) { preset.CopyFrom(received); });
    return true;
}

bool CTransferCommands::SendOne(bool editMemory) {
    const Bank& bank = doc.GetBank();
    const int index = bank.CurrentIndex();
    const Preset& preset = bank.presets[static_cast<std::size_t>(index)];
    const Bytes dump = editMemory ? BuildSendEditMemoryDump(preset, bank.keyboardType)
                                  : BuildSendPresetDump(preset, bank.keyboardType, index);
    if (SendMessage(*app.midiOut, dump) != TransferState::Ok) {
        ShowWarning(parent, Str(IDS_NO_DATA_SENT));
        return false;
    }
    return true;
}

bool CTransferCommands::OnSaveEeprom() {
    if (!HasLmk4Fields(doc.GetBank().keyboardType)) {
        return false; // the command exists only for the LMK4
    }
    if (StoreInEeprom(*app.midiOut) != TransferState::Ok) {
        ShowWarning(parent, Str(IDS_NO_DATA_SENT));
        return false;
    }
    ShowInformation(parent, Str(IDS_EEPROM_WAIT));
    return true;
}
