// The page that edits what the current preset's controllers send: a function for each of the
// eight variable controllers and the two external switches, and the eight user-defined
// controller numbers.
#pragma once

#include "CFormPage.h"

#include <array>

class CStepSpinBox;
class QComboBox;
class QLabel;

class CControllerView final : public CFormPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CControllerView)

public:
    CControllerView(CEditorApp& app, CAppDoc& doc, QWidget* parent = nullptr);

    void Refresh() override;
    // The slider and data-entry labels by keyboard type ("Slider 1:" or "CTR1:", ...).
    void UpdateLabels();

protected:
    // Showing or hiding the page is its activation and deactivation.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // The lists in the page's order and the ctrlAssign element each edits.
    std::array<QComboBox*, presetor::kControllerCount> ctrlLists{};
    std::array<int, presetor::kControllerCount> ctrlElements{};
    std::array<QComboBox*, presetor::kSwitchCount> switchLists{};
    std::array<CStepSpinBox*, presetor::kUserCtrlCount> userCtrls{};
    QLabel* slide1Label = nullptr;
    QLabel* slide2Label = nullptr;
    QLabel* dataEntryLabel = nullptr;
};
