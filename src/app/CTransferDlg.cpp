// Transfer progress dialog.
#include "CTransferDlg.h"

#include "CEditorApp.h"
#include "Strings.h"

#include "midi/TransferRunner.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

using namespace presetor;

namespace {
// How often the dialog drains the input port and gives the engine the time.
constexpr int kPollMs = 10;

QString Title(CTransferDlg::Mode mode) {
    switch (mode) {
    case CTransferDlg::Mode::Send:
        return CTransferDlg::tr("Sending Data to LMK-Masterkeyboard");
    case CTransferDlg::Mode::Verify:
        return Str(IDS_VERIFY_TITLE);
    default:
        return CTransferDlg::tr("Loading Data from LMK-Masterkeyboard");
    }
}

QString FirstLine(CTransferDlg::Mode mode) {
    switch (mode) {
    case CTransferDlg::Mode::Send:
        return Str(IDS_STATUS_SENDING);
    case CTransferDlg::Mode::Verify:
        return Str(IDS_VERIFYING);
    case CTransferDlg::Mode::Retry:
        return Str(IDS_RETRYING);
    default:
        return Str(IDS_STATUS_LOADING);
    }
}
} // namespace

CTransferDlg::CTransferDlg(CEditorApp& application, Mode m, QWidget* parent)
    : QDialog(parent), app(application), mode(m) {
    const bool receiving = mode != Mode::Send;
    setObjectName(receiving ? QStringLiteral("loadDialog") : QStringLiteral("sendDialog"));
    setWindowTitle(Title(mode));
    // Wide enough for the whole title beside the window's icon and buttons.
    QFont titleFont = font();
    titleFont.setBold(true);
    setMinimumWidth(QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + 160);
    status = new QLabel(this);
    status->setObjectName(QStringLiteral("statusLine"));
    status->setAlignment(Qt::AlignCenter);
    status->setMinimumWidth(320);
    // Until the first progress arrives the line says what is going on.
    status->setText(FirstLine(mode));
    bar = new QProgressBar(this);
    bar->setObjectName(QStringLiteral("progressBar"));
    bar->setTextVisible(false);
    bar->setRange(0, app.bank.PresetCount() - 1);
    bar->setValue(0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status);
    layout->addWidget(bar);
    if (receiving) {
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
        connect(buttons, &QDialogButtonBox::rejected, this, &CTransferDlg::reject);
        layout->addWidget(buttons, 0, Qt::AlignCenter);
    }
    setModal(true);
    timer.setInterval(kPollMs);
    connect(&timer, &QTimer::timeout, this, &CTransferDlg::Tick);
}

CTransferDlg::~CTransferDlg() {
    timer.stop();
    if (midiIn) {
        midiIn->Close();
    }
}

TransferState CTransferDlg::RunLoad(const Bank& document) {
    LoadAllOptions options;
    options.turbo = app.turbo != 0;
    options.requestPauseMs = app.pauseMs;
    options.idleTimeoutMs = app.idleTimeoutMs;
    options.paced = !app.fullSpeed;
    ownLoad = std::make_unique<LoadAllEngine>(document, options);
    load = ownLoad.get();
    return Exec();
}

TransferState CTransferDlg::RunRetry(LoadAllEngine& engine) {
    load = &engine;
    return Exec();
}

TransferState CTransferDlg::RunSend(const Bank& bank, bool hold) {
    sendBank = &bank;
    holdStore = hold;
    return Exec();
}

TransferState CTransferDlg::Exec() {
    // The transfer starts from the dialog's own event loop, once the dialog is shown.
    QTimer::singleShot(0, this, &CTransferDlg::Start);
    exec();
    return State();
}

TransferState CTransferDlg::State() const {
    if (!inputError.isEmpty()) {
        return TransferState::NoAnswer;
    }
    if (load) {
        return load->State();
    }
    if (send) {
        return send->State();
    }
    return TransferState::Idle;
}

void CTransferDlg::Start() {
    const auto progress = [this](const TransferProgress& p) { ShowProgress(p); };
    if (load) {
        load->SetProgress(progress);
        midiIn = std::make_unique<CMidiIn>(app.Midi());
        // Open before the request goes out, so no answer is missed.
        if (!midiIn->Open(app.midiInDevice)) {
            inputError = QString::fromStdString(midiIn->LastError());
            load->SetProgress({});
            QDialog::reject();
            return;
        }
        if (mode == Mode::Retry) {
            load->RetryDamaged(*app.midiOut, SteadyNowMs());
        } else {
            load->Start(*app.midiOut, SteadyNowMs());
        }
    } else if (sendBank) {
        SendAllOptions options;
        options.turbo = app.turbo != 0;
        options.messagePauseMs = app.pauseMs;
        options.paced = !app.fullSpeed;
        options.holdStore = holdStore;
        send = std::make_unique<SendAllEngine>(*sendBank, options);
        send->SetProgress(progress);
    }
    timer.start();
    Tick();
}

void CTransferDlg::Tick() {
    const std::int64_t now = SteadyNowMs();
    if (load) {
        std::vector<std::uint8_t> bytes;
        if (midiIn->IsOpen() && midiIn->Poll(bytes) > 0) {
            load->OnBytes(bytes, now);
        }
        load->OnTick(now);
    } else if (send) {
        send->Step(*app.midiOut, now);
    }
    if (State() != TransferState::Running && State() != TransferState::Idle) {
        timer.stop();
        if (load) {
            load->SetProgress({});
            // Closing the port frees what the driver may still hold (a SysEx never ended).
            midiIn->Close();
        }
        if (State() == TransferState::Ok) {
            accept();
        } else {
            QDialog::reject();
        }
    }
}

void CTransferDlg::ShowProgress(const TransferProgress& p) {
    if (p.barMax > 0) {
        bar->setRange(0, p.barMax);
    }
    bar->setValue(std::min(p.barValue, bar->maximum()));
    if (p.textId == IDS_BYTES_TRANSMITTED) {
        status->setText(Str(p.estimated ? IDS_BYTES_ESTIMATED : IDS_BYTES_TRANSMITTED)
                            .arg(p.done)
                            .arg(p.total));
    } else if (p.textId == IDS_SEND_PRESET_N) {
        status->setText(Str(p.textId).arg(p.done).arg(p.total));
    }
    // A send at full speed runs without returning to the event loop between chunks: paint now.
    status->repaint();
    bar->repaint();
}

void CTransferDlg::reject() {
    // Only receiving can be cancelled; a send runs to its end.
    if (load && !load->Finished()) {
        load->Cancel();
        timer.stop();
        load->SetProgress({});
        QDialog::reject();
    } else if (!send) {
        QDialog::reject();
    }
}
