// The "Controller-Assignments" page: a matrix of 10 controllers by 8 splits saying which
// controllers reach which split, the function each controller is assigned to, and four buttons
// that switch many boxes at once.
#pragma once

#include "CFormPage.h"

#include <array>

class QCheckBox;
class QLabel;

class CAssignView final : public CFormPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAssignView)

public:
    static constexpr int kRowCount = 10;
    static constexpr int kSwitch1Row = 8;
    static constexpr int kSwitch2Row = 9;

    CAssignView(CEditorApp& app, CAppDoc& doc, QWidget* parent = nullptr);

    // Loads the 80 boxes from the current preset, then the function labels.
    void Refresh() override;
    // The function labels, and the switch rows of an assignment to "Link" shown for split 1 only.
    void RefreshLabels();
    // The row captions that depend on the keyboard type.
    void UpdateCaptions();

    // The bit a row edits in the split's byte for a keyboard type.
    static int RowBit(int row, int keyboardType);
    // The matrix texts of a controller or a switch function code.
    static QString ControllerFunctionText(int code);
    static QString SwitchFunctionText(int code);

    QCheckBox* Box(int row, int split) const {
        return boxes[static_cast<std::size_t>(row)][static_cast<std::size_t>(split)];
    }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void OnBoxClicked(int row, int split, bool checked);

    std::array<std::array<QCheckBox*, presetor::kSplitCount>, kRowCount> boxes{};
    std::array<QLabel*, kRowCount> functionLabels{};
    std::array<QLabel*, kRowCount> captions{};
};
