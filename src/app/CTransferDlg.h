// The progress window of Load all and Send all presets: a status line over a progress bar, and
// Cancel while loading. It drives the transfer engine from a timer on the UI thread; the MIDI
// driver's thread only queues bytes in the input port.
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
    // A load fills a copy of the bank; a send sends the bank as it is now.
    CTransferDlg(CEditorApp& app, bool isLoad, QWidget* parent = nullptr);
    ~CTransferDlg() override;

    // Runs the transfer modally; the result is the engine's final state.
    presetor::TransferState Run();

    // Load only: the received bank and the presets whose checksum was wrong.
    const presetor::LoadAllEngine* Load() const { return load.get(); }
    // Send only: whether text 153 is due.
    const presetor::SendAllEngine* Send() const { return send.get(); }

    void reject() override;

private:
    void Start();
    void Tick();
    void ShowProgress(const presetor::TransferProgress& progress);
    presetor::TransferState State() const;

    CEditorApp& app;
    bool isLoad;
    QLabel* status;
    QProgressBar* bar;
    QTimer timer;
    std::unique_ptr<presetor::CMidiIn> midiIn;
    std::unique_ptr<presetor::LoadAllEngine> load;
    std::unique_ptr<presetor::SendAllEngine> send;
};
