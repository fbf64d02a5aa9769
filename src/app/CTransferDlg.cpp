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
} // namespace

CTransferDlg::CTransferDlg(CEditorApp& application, bool load_, QWidget* parent)
    : QDialog(parent), app(application), isLoad(load_) {
    setObjectName(isLoad ? QStringLiteral("loadDialog") : QStringLiteral("sendDialog"));
    setWindowTitle(isLoad ? tr("Loading Data from LMK-Masterkeyboard")
                          : tr("Sending Data to LMK-Masterkeyboard"));
    // Wide enough for the whole title beside the window's icon and buttons.
    QFont titleFont = font();
    titleFont.setBold(true);
    setMinimumWidth(QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + 160);
    status = new QLabel(this);
    status->setObjectName(QStringLiteral("statusLine"));
    status->setAlignment(Qt::AlignCenter);
    status->setMinimumWidth(320);
    // Until the first progress arrives the line says what is going on.
    status->setText(Str(isLoad ? IDS_STATUS_LOADING : IDS_STATUS_SENDING));
    bar = new QProgressBar(this);
    bar->setObjectName(QStringLiteral("progressBar"));
    bar->setTextVisible(false);
    bar->setRange(0, app.bank.PresetCount() - 1);
    bar->setValue(0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status);
    layout->addWidget(bar);
    if (isLoad) {
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

TransferState CTransferDlg::Run() {
    // The transfer starts from the dialog's own event loop, once the dialog is shown.
    QTimer::singleShot(0, this, &CTransferDlg::Start);
    exec();
    return State();
}

TransferState CTransferDlg::State() const {
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
    if (isLoad) {
        LoadAllOptions options;
        options.turbo = app.turbo != 0;
        options.requestPauseMs = app.pauseMs;
        load = std::make_unique<LoadAllEngine>(app.bank, options);
        load->SetProgress(progress);
        midiIn = std::make_unique<CMidiIn>(app.Midi());
        // A port that cannot be opened ends as a load without answer after three seconds.
        midiIn->Open(app.midiInDevice);
        load->Start(*app.midiOut, SteadyNowMs());
    } else {
        SendAllOptions options;
        options.turbo = app.turbo != 0;
        options.messagePauseMs = app.pauseMs;
        send = std::make_unique<SendAllEngine>(app.bank, options);
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
    if (p.textId == IDS_BYTES_TRANSMITTED || p.textId == IDS_SEND_PRESET_N) {
        status->setText(Str(p.textId).arg(p.done).arg(p.total));
    }
    // A send runs without returning to the event loop between chunks: paint now.
    status->repaint();
    bar->repaint();
}

void CTransferDlg::reject() {
    // Only a load can be cancelled; a send runs to its end.
    if (load && !load->Finished()) {
        load->Cancel();
        timer.stop();
        QDialog::reject();
    } else if (!send) {
        QDialog::reject();
    }
}
