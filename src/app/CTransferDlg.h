// The progress window of Load all, Send all, reading back to verify and asking again for damaged
// presets: a status line over a progress bar, and Cancel while receiving. It drives the transfer
// engine from a timer on the UI thread; the MIDI driver's thread only queues bytes in the input
// port.
#pragma once

#include "midi/CMidiIn.h"
#include "midi/LoadAllEngine.h"
#include "midi/SendAllEngine.h"

#include <QDialog>
#include <QTimer>

#include <memory>

class CEditorApp;
class QLabel;
class QProgressBar;

class CTransferDlg final : public QDialog {
    Q_OBJECT

public:
    enum class Mode {
        Load,   // Load all presets
        Send,   // Send all presets
        Verify, // read the presets just sent back
        Retry,  // ask again for the presets of a load that arrived damaged
    };

    CTransferDlg(CEditorApp& app, Mode mode, QWidget* parent = nullptr);
    ~CTransferDlg() override;

    // Load / Verify: receives into a copy of document (its type and defaults). Runs modally;
    // the result is the engine's final state.
    presetor::TransferState RunLoad(const presetor::Bank& document);
    // Retry: one round of the finished load's engine (which must outlive the dialog's run).
    presetor::TransferState RunRetry(presetor::LoadAllEngine& engine);
    // Send: sends bank as it is now; holdStore leaves an LMK4's store command to the caller.
    presetor::TransferState RunSend(const presetor::Bank& bank, bool holdStore);

    // The load engine of RunLoad or RunRetry, the send engine of RunSend.
    presetor::LoadAllEngine* Load() const { return load; }
    const presetor::SendAllEngine* Send() const { return send.get(); }
    // Set when the input port could not be opened (the load then ends at once).
    const QString& InputError() const { return inputError; }

    void reject() override;

private:
    presetor::TransferState Exec();
    void Start();
    void Tick();
    void ShowProgress(const presetor::TransferProgress& progress);
    presetor::TransferState State() const;

    CEditorApp& app;
    Mode mode;
    QLabel* status;
    QProgressBar* bar;
    QTimer timer;
    QString inputError;
    const presetor::Bank* sendBank = nullptr;
    bool holdStore = false;
    std::unique_ptr<presetor::CMidiIn> midiIn;
    std::unique_ptr<presetor::LoadAllEngine> ownLoad;
    presetor::LoadAllEngine* load = nullptr;
    std::unique_ptr<presetor::SendAllEngine> send;
};
