// "MIDI-Channel-Assignment": gives each of the 16 MIDI channels the name of a sound list.
// The dialog edits the channel assignments directly; every "&Assign" and "&Delete" holds
// however the dialog is closed.
#pragma once

#include "app/SoundListDiscovery.h"

#include <QDialog>

class CAppDoc;
class CEditorApp;
class QListWidget;
class QPushButton;
class QTreeWidget;

class CChannelAssignDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CChannelAssignDlg)

public:
    CChannelAssignDlg(const std::vector<presetor::CSoundList>& soundLists,
                      presetor::ChannelAssignments& channelAssignments, QWidget* parent = nullptr);

private:
    void OnAssign();
    void OnDelete();
    void SetEntry(int row, const std::string& entry);

    presetor::ChannelAssignments& assignments_;
    QTreeWidget* channels_;
    QListWidget* lists_;
    QPushButton* assign_;
    QPushButton* delete_;
};

// Command "MIDI-Channel-Assignment": runs the dialog over the application's assignments, then
// lets the pages show the sound names of the new assignments.
void RunChannelAssignment(QWidget* parent, CEditorApp& app, CAppDoc& doc);
