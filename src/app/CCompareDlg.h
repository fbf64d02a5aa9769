// The compare dialog: the presets in which another bank (a file or the keyboard's) differs from
// the document, and for the selected one the fields side by side with the pages' names. A
// preset or a single field is copied from the other bank into the document, one undo step each.
#pragma once

#include "model/Bank.h"
#include "model/BankDiff.h"

#include <QDialog>

#include <memory>

class CAppDoc;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

class CCompareDlg final : public QDialog {
    Q_OBJECT

public:
    // other is copied; otherName names it in the title and the undo steps ("bank.syx").
    CCompareDlg(CAppDoc& doc, const presetor::Bank& other, const QString& otherName,
                QWidget* parent = nullptr);
    ~CCompareDlg() override;

    // The differences as shown now (after copies they are compared again).
    const presetor::BankDiff& Diff() const { return diff; }

    // Selects the differing preset of bank index `index` in the list; false when it is equal.
    bool SelectPreset(int index);
    // Selects a row of the field table.
    void SelectField(int row);
    // The commands of the two buttons.
    void CopyPreset();
    void CopyField();

private:
    void Recompare();
    void ShowPreset();
    int SelectedPreset() const;
    bool CanCopy() const;

    CAppDoc& doc;
    std::unique_ptr<presetor::Bank> other;
    QString otherName;
    presetor::BankDiff diff;
    QLabel* summary = nullptr;
    QListWidget* presetList = nullptr;
    QTableWidget* fieldTable = nullptr;
    QPushButton* copyPreset = nullptr;
    QPushButton* copyField = nullptr;
};
