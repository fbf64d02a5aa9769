// Transfer commands.
#include "TransferCommands.h"

#include "CAppDoc.h"
#include "CEditorApp.h"
#include "CTransferDlg.h"
#include "Messages.h"
#include "SettingsKeys.h"
#include "Strings.h"

#include "midi/CMidiIn.h"
#include "midi/RequestPresetEngine.h"
#include "midi/TransferRunner.h"
#include "midi/Verify.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QSettings>
#include <QStatusBar>

#include <memory>

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

QString Names(const std::vector<int>& indices) {
    return QString::fromStdString(PresetList(indices));
}

QString Seconds(std::int64_t ms) {
    return QString::number(static_cast<double>(ms) / 1000.0, 'f', 1);
}

QString TypeName(int type) {
    return type == kLmk3 ? QStringLiteral("LMK3") : QStringLiteral("LMK4");
}

// "1:58"
QString MinutesSeconds(std::int64_t ms) {
    const std::int64_t s = (ms + 999) / 1000;
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

// Sends one request and waits about a second for the single dump, in a local event loop so the
// window keeps painting. inputError is set when the input port cannot be opened.
TransferState RequestOne(CEditorApp& app, RequestPresetEngine& engine, QString& inputError) {
    WaitCursor wait;
    CMidiIn in(app.Midi());
    if (!in.Open(app.midiInDevice)) {
        inputError = QString::fromStdString(in.LastError());
        return TransferState::NoAnswer;
    }
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
    return engine.State();
}

} // namespace

CTransferCommands::CTransferCommands(CEditorApp& application, CAppDoc& document, QWidget* p,
                                     QStatusBar* bar)
    : app(application), doc(document), parent(p), statusBar(nullptr) {
    countdownTimer.setInterval(1000);
    QObject::connect(&countdownTimer, &QTimer::timeout, [this] { UpdateCountdown(); });
    SetStatusBar(bar);
}

CTransferCommands::~CTransferCommands() {
    countdownTimer.stop();
}

void CTransferCommands::SetStatusBar(QStatusBar* bar) {
    statusBar = bar;
    countdown = nullptr;
    if (bar) {
        countdown = new QLabel(bar);
        countdown->setObjectName(QStringLiteral("eepromCountdown"));
        countdown->hide();
        bar->addPermanentWidget(countdown);
    }
}

std::int64_t CTransferCommands::EepromBusyMs() const {
    return eepromUntilMs == 0 ? 0 : std::max<std::int64_t>(0, eepromUntilMs - SteadyNowMs());
}

void CTransferCommands::StartEepromCountdown() {
    eepromUntilMs = SteadyNowMs() + kEepromWriteMs;
    countdownTimer.start();
    UpdateCountdown();
}

void CTransferCommands::UpdateCountdown() {
    const std::int64_t left = EepromBusyMs();
    if (left <= 0) {
        eepromUntilMs = 0;
        countdownTimer.stop();
    }
    if (countdown) {
        countdown->setVisible(left > 0);
        countdown->setText(Str(IDS_EEPROM_COUNTDOWN).arg(MinutesSeconds(left)));
    }
}

void CTransferCommands::Report(const QString& text) {
    if (statusBar) {
        statusBar->showMessage(text, kReportMs);
    }
}

bool CTransferCommands::Prepare() {
    const std::int64_t busy = EepromBusyMs();
    if (busy > 0 && !AskYesNo(parent, Str(IDS_EEPROM_BUSY_ASK).arg(MinutesSeconds(busy)))) {
        return false;
    }
    QString missing;
    if (!app.ReconnectMidi(missing)) {
        ShowWarning(parent, Str(IDS_PORT_GONE).arg(missing));
        return false;
    }
    return true;
}

int CTransferCommands::AskDamaged(const QString& names, bool canRetry) {
    std::vector<std::pair<QString, QString>> buttons;
    if (canRetry) {
        buttons.emplace_back(Str(IDS_RETRY_THEM), QStringLiteral("retryButton"));
    }
    buttons.emplace_back(Str(IDS_KEEP), QStringLiteral("keepButton"));
    buttons.emplace_back(Str(IDS_DISCARD), QStringLiteral("discardButton"));
    const int pressed = AskChoice(parent, Str(IDS_DAMAGED_PRESETS).arg(names), buttons);
    if (pressed < 0) {
        return 2; // closed: nothing changes
    }
    return canRetry ? pressed : pressed + 1;
}

QString CTransferCommands::LoadFailureText(const LoadAllEngine& engine, int stateValue,
                                           bool bulk) const {
    switch (static_cast<TransferState>(stateValue)) {
    case TransferState::Stopped:
        return Str(IDS_LOAD_STOPPED)
            .arg(engine.PresetsTaken())
            .arg(engine.PresetCount())
            .arg(engine.Received())
            .arg(engine.Expected());
    case TransferState::BadData:
        return Str(IDS_DUMP_DAMAGED).arg(engine.SeenBytes()).arg(engine.Expected());
    case TransferState::NoAnswer:
        if (bulk) {
            return Str(IDS_NO_COMPLETE_DUMP)
                .arg(engine.BulkLimitSeconds())
                .arg(engine.SeenBytes())
                .arg(engine.Expected());
        }
        return Str(IDS_NO_DATA_RECEIVED);
    case TransferState::WrongType:
        return Str(IDS_WRONG_TYPE)
            .arg(TypeName(engine.AnsweredType()), TypeName(doc.GetBank().keyboardType));
    default:
        return Str(IDS_NO_DATA_RECEIVED);
    }
}

bool CTransferCommands::OnLoadAll() {
    const std::int64_t started = SteadyNowMs();
    const std::unique_ptr<Bank> received = ReceiveBank(true);
    if (!received) {
        return false;
    }
    doc.TakeLoadedBank(*received);
    Report(Str(IDS_STATUS_LOADED_ALL)
               .arg(received->PresetCount())
               .arg(app.MidiDeviceName(MidiKind::Input), Seconds(SteadyNowMs() - started)));
    return true;
}

std::unique_ptr<Bank> CTransferCommands::ReceiveBank(bool offerTypeSwitch) {
    if (!Prepare()) {
        return nullptr;
    }
    if (statusBar) {
        statusBar->showMessage(Str(IDS_STATUS_LOADING));
    }
    CTransferDlg dialog(app, CTransferDlg::Mode::Load, parent);
    const TransferState state = dialog.RunLoad(doc.GetBank());
    if (statusBar) {
        statusBar->clearMessage();
    }
    if (!dialog.InputError().isEmpty()) {
        ShowWarning(parent, Str(IDS_PORT_GONE).arg(app.midiInName));
        return nullptr;
    }
    LoadAllEngine& engine = *dialog.Load();
    if (state == TransferState::Cancelled) {
        return nullptr;
    }
    if (state == TransferState::WrongType && offerTypeSwitch) {
        // The bank was asked to be given up already (Load all asks to save first).
        const int answered = engine.AnsweredType();
        if (!AskYesNo(parent, LoadFailureText(engine, static_cast<int>(state), false))) {
            return nullptr;
        }
        app.SetKeyboardType(answered);
        doc.NewDocument();
        return ReceiveBank(true);
    }
    if (state != TransferState::Ok) {
        // Nothing usable arrived: the bank, title and current preset stay as they were.
        ShowWarning(parent, LoadFailureText(engine, static_cast<int>(state), app.turbo != 0));
        return nullptr;
    }
    for (int round = 0; !engine.BadChecksums().empty(); ++round) {
        const int choice = AskDamaged(Names(engine.BadChecksums()), round < kRetryRounds);
        if (choice == 2) {
            return nullptr;
        }
        if (choice == 1) {
            break;
        }
        CTransferDlg retry(app, CTransferDlg::Mode::Retry, parent);
        retry.RunRetry(engine);
    }
    return std::make_unique<Bank>(engine.ReceivedBank());
}

bool CTransferCommands::OnSendAll() {
    const Bank& bank = doc.GetBank();
    const int count = bank.PresetCount();
    const bool lmk4 = HasLmk4Fields(bank.keyboardType);
    if (app.askSendAll) {
        bool doNotAsk = false;
        const bool yes =
            AskYesNoOnce(parent, Str(IDS_ASK_SEND_ALL).arg(count).arg(TypeName(bank.keyboardType)),
                         Str(IDS_DO_NOT_ASK), &doNotAsk);
        if (doNotAsk && yes) {
            app.askSendAll = false;
            app.Settings().setValue(keys::kAskSendAll, 0);
        }
        if (!yes) {
            return false;
        }
    }
    if (!Prepare()) {
        return false;
    }
    // What goes out is fixed now; the comparison later is against exactly this.
    const auto sent = std::make_unique<Bank>(bank);
    const bool verify = app.verifyAll;
    const bool turbo = app.turbo != 0;
    const std::int64_t started = SteadyNowMs();
    if (statusBar) {
        statusBar->showMessage(Str(IDS_STATUS_SENDING));
    }
    CTransferDlg dialog(app, CTransferDlg::Mode::Send, parent);
    // With verification an LMK4 is told to store its presets only once they were read back.
    const TransferState state = dialog.RunSend(*sent, verify);
    if (statusBar) {
        statusBar->clearMessage();
    }
    if (state != TransferState::Ok) {
        ShowWarning(parent, Str(IDS_NO_DATA_SENT));
        return false;
    }
    if (!verify) {
        // MIDI confirms nothing: say what was done, not more.
        if (lmk4) {
            StartEepromCountdown();
            ShowInformation(parent, Str(IDS_SENT_UNVERIFIED_LMK4));
        }
        Report(Str(IDS_STATUS_SENT_ALL)
                   .arg(count)
                   .arg(app.MidiDeviceName(MidiKind::Output), Seconds(SteadyNowMs() - started)));
        return true;
    }
    CTransferDlg reading(app, CTransferDlg::Mode::Verify, parent);
    const TransferState readState = reading.RunLoad(*sent);
    const QString held = lmk4 ? QStringLiteral("\n\n") + Str(IDS_EEPROM_HELD) : QString();
    if (readState != TransferState::Ok) {
        const QString why =
            reading.InputError().isEmpty()
                ? LoadFailureText(*reading.Load(), static_cast<int>(readState), turbo)
                : Str(IDS_PORT_GONE).arg(app.midiInName);
        if (readState != TransferState::Cancelled) {
            ShowWarning(parent, Str(IDS_VERIFY_NO_ANSWER).arg(why) + held);
        }
        return false;
    }
    const std::vector<int> differing = DifferingPresets(*sent, reading.Load()->ReceivedBank());
    if (!differing.empty()) {
        ShowWarning(parent, Str(IDS_VERIFY_DIFFERS).arg(Names(differing)) + held);
        return false;
    }
    QString done = Str(IDS_VERIFIED_ALL).arg(count);
    if (lmk4) {
        if (StoreInEeprom(*app.midiOut) != TransferState::Ok) {
            ShowWarning(parent, Str(IDS_NO_DATA_SENT));
            return false;
        }
        StartEepromCountdown();
        done += QStringLiteral("\n\n") + Str(IDS_SENT_TO_EEPROM);
        ShowInformation(parent, done);
    }
    Report(Str(IDS_STATUS_SENT_ALL_OK)
               .arg(count)
               .arg(app.MidiDeviceName(MidiKind::Output), Seconds(SteadyNowMs() - started)));
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
    if (!Prepare()) {
        return false;
    }
    const Bank& bank = doc.GetBank();
    const int index = bank.CurrentIndex();
    const QString name = editMemory ? Str(IDS_EDIT_MEMORY) : PresetPosition(index);
    std::unique_ptr<RequestPresetEngine> engine;
    for (int attempt = 0;; ++attempt) {
        engine = std::make_unique<RequestPresetEngine>(
            editMemory ? BuildLoadEditMemoryRequest()
                       : BuildLoadPresetRequest(bank.keyboardType, index));
        QString inputError;
        if (RequestOne(app, *engine, inputError) != TransferState::Ok) {
            ShowWarning(parent, inputError.isEmpty() ? Str(IDS_NO_DATA_RECEIVED)
                                                     : Str(IDS_PORT_GONE).arg(app.midiInName));
            return false;
        }
        if (engine->ChecksumOk()) {
            break;
        }
        const int choice = AskDamaged(name, attempt < kRetryRounds);
        if (choice == 2) {
            return false;
        }
        if (choice == 1) {
            break;
        }
    }
    Preset received(bank.presets[static_cast<std::size_t>(index)]);
    engine->DecodeInto(received, bank.keyboardType);
    doc.ModifyPreset(index, editMemory ? Tr("Load Preset from Edit-Memory") : Tr("Load Preset"),
                     [&received](Preset& preset) { preset.CopyFrom(received); });
    Report(editMemory ? Str(IDS_STATUS_LOADED_EDIT).arg(PresetPosition(index))
                      : Str(IDS_STATUS_LOADED_PRESET)
                            .arg(PresetPosition(index), app.MidiDeviceName(MidiKind::Input)));
    return true;
}

bool CTransferCommands::SendOne(bool editMemory) {
    if (!Prepare()) {
        return false;
    }
    const Bank& bank = doc.GetBank();
    const int index = bank.CurrentIndex();
    const Preset& preset = bank.presets[static_cast<std::size_t>(index)];
    const Bytes dump = editMemory ? BuildSendEditMemoryDump(preset, bank.keyboardType)
                                  : BuildSendPresetDump(preset, bank.keyboardType, index);
    {
        WaitCursor wait;
        if (SendMessage(*app.midiOut, dump, !app.fullSpeed) != TransferState::Ok) {
            ShowWarning(parent, Str(IDS_NO_DATA_SENT));
            return false;
        }
    }
    const QString where = app.MidiDeviceName(MidiKind::Output);
    if (!app.verifySingle) {
        Report(editMemory ? Str(IDS_STATUS_SENT_EDIT).arg(PresetPosition(index))
                          : Str(IDS_STATUS_SENT_PRESET).arg(PresetPosition(index), where));
        return true;
    }
    RequestPresetEngine back(editMemory ? BuildLoadEditMemoryRequest()
                                        : BuildLoadPresetRequest(bank.keyboardType, index));
    QString inputError;
    if (RequestOne(app, back, inputError) != TransferState::Ok) {
        ShowWarning(parent,
                    Str(IDS_VERIFY_NO_ANSWER)
                        .arg(inputError.isEmpty() ? Str(IDS_NO_DATA_RECEIVED)
                                                  : Str(IDS_PORT_GONE).arg(app.midiInName)));
        return false;
    }
    if (!back.SamePayloadAs(dump)) {
        ShowWarning(parent, Str(IDS_VERIFY_PRESET_DIFFERS)
                                .arg(editMemory ? Str(IDS_EDIT_MEMORY) : PresetPosition(index)));
        return false;
    }
    Report(editMemory ? Str(IDS_STATUS_SENT_EDIT_OK).arg(PresetPosition(index))
                      : Str(IDS_STATUS_SENT_PRESET_OK).arg(PresetPosition(index), where));
    return true;
}

bool CTransferCommands::OnSaveEeprom() {
    if (!HasLmk4Fields(doc.GetBank().keyboardType)) {
        return false; // the command exists only for the LMK4
    }
    if (!Prepare()) {
        return false;
    }
    if (StoreInEeprom(*app.midiOut) != TransferState::Ok) {
        ShowWarning(parent, Str(IDS_NO_DATA_SENT));
        return false;
    }
    StartEepromCountdown();
    ShowInformation(parent, Str(IDS_EEPROM_WAIT));
    return true;
}
