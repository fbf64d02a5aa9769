// The document: the one seam through which every edit reaches the bank (with undo and the
// modified mark), the file name and title, and reading and writing the bank as a .lmk file.
// It holds no preset data itself; the bank belongs to CEditorApp.
#pragma once

#include "model/Bank.h"
#include "model/Result.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <functional>
#include <vector>

class CEditorApp;

class CAppDoc final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAppDoc)

public:
    explicit CAppDoc(CEditorApp& app, QObject* parent = nullptr);
    ~CAppDoc() override;

    CEditorApp& App() { return app; }

    // The bank: read freely, never write directly; every change goes through the calls below.
    presetor::Bank& GetBank();
    const presetor::Bank& GetBank() const;

    // Changes one preset: one undo step named `what`; later calls with the same non-zero
    // mergeKey on the same preset fold into that step (a spin held down, a name being typed).
    // Marks the document modified and emits Updated(1). A change that leaves the preset as it
    // was does nothing at all: no undo step, no modified mark, no update.
    void ModifyPreset(int index, const QString& what,
                      const std::function<void(presetor::Preset&)>& change, int mergeKey = 0);
    // Changes the bank as a whole (bank operations, drops, loads): one undo step; emits
    // Updated(hint). The keyboard type and currentPreset are not part of the step. A change
    // that leaves every preset as it was does nothing at all.
    void ModifyBank(const QString& what, const std::function<void(presetor::Bank&)>& change,
                    int hint);
    // Makes a preset current (selection, not an edit): emits Updated(0) when it changes.
    void SetCurrentPreset(int index);

    QUndoStack& UndoStack() { return undoStack; }

    // The modified mark follows the undo stack's clean state; SetModified(false) makes the
    // present state the clean one (after a save, after Send all presets).
    bool IsModified() const;
    void SetModified(bool modified);

    // Full path of the document's file; empty for a new document.
    QString PathName() const { return pathName; }
    // "Untitled" for a new document, else the file's name.
    QString Title() const;

    // The new-document step: no path, not modified, undo history cleared, currentPreset 0 and
    // the presets in use reset from the defaults; emits Updated(0). The keyboard type must have
    // been chosen before (CEditorApp / the start-up sequence ask for it).
    void NewDocument();
    // Reads a .lmk file. A rejected file changes nothing: bank, type, settings, name and path
    // stay as they were and the result carries the message. On success the keyboard type follows
    // the file (and is stored), the path is taken and Updated(0) is emitted.
    presetor::Result OpenDocument(const QString& path);
    // Writes the bank as a .lmk file (atomically); on success takes the path and marks the
    // document not modified.
    presetor::Result SaveDocument(const QString& path);
    // Forgets the path, so the title is "Untitled" again and Save asks for a name (Load all
    // presets renews the document this way).
    void SetUntitled();

    // Reads a .syx file (one bulk dump or single dumps; the keyboard type from their header, as
    // presetor-cli from-syx) as a new untitled document: the presets the file does not hold
    // come from the defaults. A rejected file changes nothing and the result names the file and
    // the reason. When presets arrived with wrong checksums, keepDamaged is asked with their
    // indices; false keeps the document as it was (the result is then Cancelled).
    presetor::Result OpenSysexFile(const QString& path,
                                   const std::function<bool(const std::vector<int>&)>& keepDamaged);
    // Writes the bank as a .syx file, one bulk dump or one single dump per preset, atomically.
    // The document's own file and title stay as they are.
    presetor::Result ExportSysex(const QString& path, bool bulk) const;

    // Takes a bank loaded from the keyboard as a new document: its presets replace the bank,
    // currentPreset 0, "Untitled", no undo history, not modified; emits Updated(0).
    void TakeLoadedBank(const presetor::Bank& loaded);

    // Emits Updated(hint) without changing anything (after undo/redo the stack does this itself).
    void UpdateAllViews(int hint) { emit Updated(hint); }

signals:
    // 0 = bank replaced or resized, or the current preset changed; 1 = contents changed in place.
    void Updated(int hint);
    // The title or the path changed.
    void TitleChanged();
    void ModifiedChanged(bool modified);

private:
    friend class PresetEditCommand;
    friend class BankEditCommand;

    CEditorApp& app;
    QUndoStack undoStack;
    QString pathName;
    bool forcedModified = false;
};
