// The Presets menu's transfers with the keyboard: load and send all presets (in the progress
// dialog), load and send the current preset or the edit memory, and store in EEPROM (LMK4).
// Every transfer finds its ports by name when it starts, ends by itself, says in the status bar
// what it did or in a message box what went wrong, and changes the bank only through the
// document, only when what arrived is complete (or the user keeps what arrived damaged).
#pragma once

#include <QString>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <vector>

class CAppDoc;
class CEditorApp;
class QLabel;
class QStatusBar;
class QWidget;

namespace presetor {
class Bank;
class LoadAllEngine;
} // namespace presetor

class CTransferCommands {
public:
    // How long an LMK4 takes to copy its presets into the EEPROM; transfers meanwhile ask first.
    static constexpr int kEepromWriteMs = 120000;
    // How long a success stays in the status bar.
    static constexpr int kReportMs = 6000;
    // Rounds of asking again for presets that arrived damaged.
    static constexpr int kRetryRounds = 3;

    // statusBar may be null; it shows texts 143 and 144 while Load all / Send all run, the
    // outcome afterwards, and the EEPROM countdown.
    CTransferCommands(CEditorApp& app, CAppDoc& doc, QWidget* parent, QStatusBar* statusBar);
    ~CTransferCommands();
    CTransferCommands(const CTransferCommands&) = delete;
    CTransferCommands& operator=(const CTransferCommands&) = delete;

    // Receives into a copy: only a complete load replaces the bank (asking first when presets
    // arrived damaged, with a retry of just those). Returns true when the bank was replaced.
    bool OnLoadAll();
    // The keyboard's whole bank, received as Load all receives it (reconnecting, asking again
    // for damaged presets, saying what went wrong), into a bank of its own; null when nothing
    // usable arrived or the user gave up. offerTypeSwitch: on an answer of the other keyboard
    // type offer to switch to it (which renews the document); otherwise only say so.
    std::unique_ptr<presetor::Bank> ReceiveBank(bool offerTypeSwitch);
    // Asks once (unless told not to), sends, and with verification reads back and compares.
    // The document's modified mark stays: the keyboard is not the file.
    bool OnSendAll();
    bool OnLoadPreset();
    bool OnSendPreset();
    bool OnLoadEditMemory();
    bool OnSendEditMemory();
    bool OnSaveEeprom();

    void SetStatusBar(QStatusBar* bar);
    // Milliseconds the LMK4 still needs for its EEPROM (0 when not writing).
    std::int64_t EepromBusyMs() const;

private:
    // Before every transfer: asks while the EEPROM is written, then reconnects the ports.
    bool Prepare();
    bool LoadOne(bool editMemory);
    bool SendOne(bool editMemory);
    // Asks about damaged presets: 0 retry, 1 keep, 2 discard.
    int AskDamaged(const QString& names, bool canRetry);
    QString LoadFailureText(const presetor::LoadAllEngine& engine, int state, bool bulk) const;
    void Report(const QString& text);
    void StartEepromCountdown();
    void UpdateCountdown();

    CEditorApp& app;
    CAppDoc& doc;
    QWidget* parent;
    QStatusBar* statusBar;
    QLabel* countdown = nullptr;
    QTimer countdownTimer;
    std::int64_t eepromUntilMs = 0;
};
