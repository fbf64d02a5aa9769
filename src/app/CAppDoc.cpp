// The document: the edit seam, the modified mark and the .lmk file.
#include "CAppDoc.h"

#include "CEditorApp.h"
#include "EditCommands.h"
#include "FileNames.h"

#include "midi/SyxFile.h"
#include "model/FileIo.h"
#include "model/PresetFile.h"

#include <QFile>
#include <QFileInfo>

#include <memory>

using namespace presetor;

namespace {

// The part of the bank an undo step records: every preset slot.
bool SamePresets(const Bank& a, const Bank& b) {
    for (std::size_t i = 0; i < a.presets.size(); ++i) {
        if (!a.presets[i].SameData(b.presets[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

CAppDoc::CAppDoc(CEditorApp& application, QObject* parent) : QObject(parent), app(application) {
    connect(&undoStack, &QUndoStack::cleanChanged, this,
            [this](bool) { emit ModifiedChanged(IsModified()); });
}

CAppDoc::~CAppDoc() {
    // The commands refer to this document; drop them before it goes.
    undoStack.clear();
}

Bank& CAppDoc::GetBank() {
    return app.bank;
}

const Bank& CAppDoc::GetBank() const {
    return app.bank;
}

void CAppDoc::ModifyPreset(int index, const QString& what,
                           const std::function<void(Preset&)>& change, int mergeKey) {
    Bank& bank = GetBank();
    if (index < 0 || index >= kMaxPresets) {
        return;
    }
    Preset& preset = bank.presets[static_cast<std::size_t>(index)];
    const Preset before(preset);
    change(preset);
    if (preset.SameData(before)) {
        return; // nothing changed: no undo step, no modified mark
    }
    // The stack's clean state reports the modified mark (cleanChanged).
    undoStack.push(new PresetEditCommand(*this, index, what, before, preset, mergeKey));
    emit Updated(1);
}

void CAppDoc::ModifyBank(const QString& what, const std::function<void(Bank&)>& change, int hint) {
    Bank& bank = GetBank();
    auto before = std::make_unique<Bank>(bank);
    change(bank);
    if (SamePresets(*before, bank)) {
        return; // nothing changed: no undo step, no modified mark
    }
    auto after = std::make_unique<Bank>(bank);
    undoStack.push(new BankEditCommand(*this, what, std::move(before), std::move(after), hint));
    emit Updated(hint);
}

void CAppDoc::SetCurrentPreset(int index) {
    Bank& bank = GetBank();
    if (index < 0 || index >= bank.PresetCount() || index == bank.currentPreset) {
        return;
    }
    bank.currentPreset = index;
    emit Updated(0);
}

bool CAppDoc::IsModified() const {
    return forcedModified || !undoStack.isClean();
}

void CAppDoc::SetModified(bool modified) {
    const bool was = IsModified();
    forcedModified = modified;
    if (!modified) {
        undoStack.setClean();
    }
    if (was != IsModified()) {
        emit ModifiedChanged(IsModified());
    }
}

QString CAppDoc::Title() const {
    return pathName.isEmpty() ? tr("Untitled") : DisplayFileName(QFileInfo(pathName).fileName());
}

void CAppDoc::NewDocument() {
    pathName.clear();
    undoStack.clear();
    SetModified(false);
    GetBank().currentPreset = 0;
    app.LoadPresetDefaults();
    emit TitleChanged();
    emit Updated(0);
}

Result CAppDoc::OpenDocument(const QString& path) {
    Bank& bank = GetBank();
    const int oldType = bank.keyboardType;
    const Result result = LoadPresetFile(FileNamePath(path), bank);
    if (!result) {
        return result;
    }
    app.WriteKeyboardType();
    if (bank.keyboardType != oldType) {
        emit app.KeyboardTypeChanged(bank.keyboardType);
    }
    pathName = QFileInfo(path).absoluteFilePath();
    undoStack.clear();
    SetModified(false);
    emit TitleChanged();
    emit Updated(0);
    return result;
}

Result CAppDoc::SaveDocument(const QString& path) {
    const Result result = SavePresetFile(FileNamePath(path), GetBank());
    if (!result) {
        return result;
    }
    pathName = QFileInfo(path).absoluteFilePath();
    SetModified(false);
    emit TitleChanged();
    return result;
}

void CAppDoc::SetUntitled() {
    pathName.clear();
    emit TitleChanged();
}

void CAppDoc::TakeLoadedBank(const Bank& loaded) {
    Bank& bank = GetBank();
    bank.presets = loaded.presets;
    bank.currentPreset = 0;
    pathName.clear();
    undoStack.clear();
    SetModified(false);
    emit TitleChanged();
    emit Updated(0);
}

Result CAppDoc::OpenSysexFile(const QString& path,
                              const std::function<bool(const std::vector<int>&)>& keepDamaged) {
    const std::string name = QFile::encodeName(path).toStdString();
    Bytes bytes;
    if (Result r = ReadWholeFile(name, bytes); !r) {
        return r;
    }
    Bank& bank = GetBank();
    auto image = std::make_unique<Bank>(bank);
    std::vector<int> damaged;
    if (Result r = ReadSyxImage(bytes, 0, *image, &damaged); !r) {
        return r;
    }
    if (!damaged.empty() && keepDamaged && !keepDamaged(damaged)) {
        return Result::Fail(ErrorCode::Cancelled, std::string());
    }
    const int oldType = bank.keyboardType;
    bank.SetKeyboardType(image->keyboardType);
    bank.presets = image->presets;
    bank.currentPreset = 0;
    app.WriteKeyboardType();
    if (bank.keyboardType != oldType) {
        emit app.KeyboardTypeChanged(bank.keyboardType);
    }
    pathName.clear();
    undoStack.clear();
    SetModified(false);
    emit TitleChanged();
    emit Updated(0);
    return Result::Ok();
}

Result CAppDoc::ExportSysex(const QString& path, bool bulk) const {
    return WriteFileAtomically(QFile::encodeName(path).toStdString(),
                               BuildSyxImage(GetBank(), bulk));
}
