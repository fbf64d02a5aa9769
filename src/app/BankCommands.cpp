// Bank commands: the destination dialog or the reset question, then the bank operation.
#include "BankCommands.h"

#include "CAppDoc.h"
#include "CDestinationPresetDlg.h"
#include "Messages.h"
#include "Strings.h"

#include "model/BankOps.h"

#include <QCoreApplication>

namespace presetor {

namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("Presetor", text);
}

// Runs the destination dialog; -1 on Cancel.
int AskDestination(QWidget* parent, CAppDoc& doc, int mode) {
    CDestinationPresetDlg dialog(doc.GetBank(), mode, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.destination() : -1;
}

} // namespace

void OnResetPreset(QWidget* parent, CAppDoc& doc) {
    if (!AskYesNo(parent, Str(IDS_ASK_RESET))) {
        return;
    }
    const int c = doc.GetBank().CurrentIndex();
    doc.ModifyBank(
        Tr("Reset Preset"), [c](Bank& bank) { ResetPreset(bank, c); }, 1);
}

void OnCopyPreset(QWidget* parent, CAppDoc& doc) {
    const int d = AskDestination(parent, doc, CDestinationPresetDlg::kCopy);
    if (d < 0) {
        return;
    }
    const int c = doc.GetBank().CurrentIndex();
    doc.ModifyBank(
        Tr("Copy Preset"), [c, d](Bank& bank) { CopyPreset(bank, c, d); }, 1);
}

void OnExchangePreset(QWidget* parent, CAppDoc& doc) {
    const int d = AskDestination(parent, doc, CDestinationPresetDlg::kExchange);
    if (d < 0) {
        return;
    }
    const int c = doc.GetBank().CurrentIndex();
    doc.ModifyBank(
        Tr("Exchange Presets"), [c, d](Bank& bank) { ExchangePresets(bank, c, d); }, 1);
}

void OnInsertPreset(QWidget* parent, CAppDoc& doc) {
    const int d = AskDestination(parent, doc, CDestinationPresetDlg::kInsert);
    if (d < 0) {
        return;
    }
    const int c = doc.GetBank().CurrentIndex();
    doc.ModifyBank(
        Tr("Insert Preset"), [c, d](Bank& bank) { InsertPreset(bank, c, d); }, 1);
}

void OnLinkAll(CAppDoc& doc) {
    doc.ModifyBank(
        Tr("Link all Presets"), [](Bank& bank) { LinkAll(bank); }, 1);
}

void OnUnlinkAll(CAppDoc& doc) {
    doc.ModifyBank(
        Tr("Unlink all Presets"), [](Bank& bank) { UnlinkAll(bank); }, 1);
}

} // namespace presetor
