// "Select Preset": picks a bank and a sound of the sound list assigned to a MIDI channel, by
// number or by name, and returns program, bank select MSB and LSB and a three-line text
// (list name, bank name, sound) for the split page.
#pragma once

#include "app/SoundListDiscovery.h"

#include <QDialog>

#include <functional>

class CEditorApp;
class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QRadioButton;

class CSelectPresetDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CSelectPresetDlg)

public:
    // channel is the split's MIDI channel, 1..16.
    CSelectPresetDlg(const std::vector<presetor::CSoundList>& soundLists,
                     const presetor::ChannelAssignments& channelAssignments, int channel,
                     QWidget* parent = nullptr);

    // Valid after the dialog ended with OK. program() is the program change value 0..127 (the
    // dialog shows it one higher).
    int program() const { return program_; }
    int msb() const { return msb_; }
    int lsb() const { return lsb_; }
    // List name, bank name and the chosen sound (its name, or its number), one per line.
    const QString& resultText() const { return resultText_; }

    void accept() override;

    // With no sound lists at all: adds to the explanation where they were looked for.
    void ShowSearchedFolders(const QStringList& folders);

private:
    void FillBanks();
    void OnBankChanged();
    void ShowList(bool byName);
    void ShowProgramOf(QListWidget* list);
    QListWidget* VisibleList() const;

    const std::vector<presetor::CSoundList>& soundLists_;
    const presetor::CSoundList* list_ = nullptr;

    QLineEdit* listName_;
    QComboBox* banks_;
    QListWidget* byNumber_;
    QListWidget* byName_;
    QLineEdit* msbField_;
    QLineEdit* lsbField_;
    QLineEdit* noField_;
    QRadioButton* sortName_;
    QRadioButton* sortNumber_;
    QDialogButtonBox* buttons_;

    int program_ = 0;
    int msb_ = 0;
    int lsb_ = 0;
    QString resultText_;
};

// The split page's "Select Preset ..." hook: runs the dialog for a MIDI channel (1..16) over the
// application's sound lists and assignments; false when cancelled. Same signature as
// CSplitView::SelectPresetFunction.
std::function<bool(QWidget* parent, int channel, int& program, int& msb, int& lsb, QString& text)>
MakeSelectPresetFunction(const CEditorApp& app);
