// Undo steps of the edit seam. The first redo (run by QUndoStack::push) finds the change
// already made by the seam and only reports it.
#include "EditCommands.h"

#include "CAppDoc.h"

PresetEditCommand::PresetEditCommand(CAppDoc& document, int presetIndex, const QString& what,
                                     const presetor::Preset& beforeValue,
                                     const presetor::Preset& afterValue, int key)
    : QUndoCommand(what), doc(document), index(presetIndex), before(beforeValue), after(afterValue),
      mergeKey(key) {}

void PresetEditCommand::Apply(const presetor::Preset& value) {
    doc.GetBank().presets[static_cast<std::size_t>(index)].CopyFrom(value);
    emit doc.Updated(1);
}

void PresetEditCommand::undo() {
    Apply(before);
}

void PresetEditCommand::redo() {
    if (firstRedo) {
        firstRedo = false;
        return;
    }
    Apply(after);
}

bool PresetEditCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const PresetEditCommand*>(other);
    if (next->index != index || next->mergeKey != mergeKey) {
        return false;
    }
    after.CopyFrom(next->after);
    return true;
}

BankEditCommand::BankEditCommand(CAppDoc& document, const QString& what,
                                 std::unique_ptr<presetor::Bank> beforeValue,
                                 std::unique_ptr<presetor::Bank> afterValue, int updateHint)
    : QUndoCommand(what), doc(document), before(std::move(beforeValue)),
      after(std::move(afterValue)), hint(updateHint) {}

void BankEditCommand::Apply(const presetor::Bank& value) {
    // Only the presets: the keyboard type, the defaults and the selection are not edits.
    doc.GetBank().presets = value.presets;
    emit doc.Updated(hint);
}

void BankEditCommand::undo() {
    Apply(*before);
}

void BankEditCommand::redo() {
    if (firstRedo) {
        firstRedo = false;
        return;
    }
    Apply(*after);
}
