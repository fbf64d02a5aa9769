// Undo steps of the document's edit seam: one for a change to one preset (mergeable while the
// same control keeps changing it), one for a change to the bank as a whole.
#pragma once

#include "model/Bank.h"

#include <QUndoCommand>

#include <memory>

class CAppDoc;

class PresetEditCommand final : public QUndoCommand {
public:
    PresetEditCommand(CAppDoc& doc, int index, const QString& what, const presetor::Preset& before,
                      const presetor::Preset& after, int mergeKey);
    void undo() override;
    void redo() override;
    int id() const override { return mergeKey == 0 ? -1 : mergeKey; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    void Apply(const presetor::Preset& value);

    CAppDoc& doc;
    int index;
    presetor::Preset before;
    presetor::Preset after;
    int mergeKey;
    bool firstRedo = true;
};

class BankEditCommand final : public QUndoCommand {
public:
    BankEditCommand(CAppDoc& doc, const QString& what, std::unique_ptr<presetor::Bank> before,
                    std::unique_ptr<presetor::Bank> after, int hint);
    void undo() override;
    void redo() override;

private:
    void Apply(const presetor::Bank& value);

    CAppDoc& doc;
    std::unique_ptr<presetor::Bank> before;
    std::unique_ptr<presetor::Bank> after;
    int hint;
    bool firstRedo = true;
};
