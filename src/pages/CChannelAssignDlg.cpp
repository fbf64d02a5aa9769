// The channel-assignment dialog: 16 channel rows beside the sorted names of all sound lists.
#include "CChannelAssignDlg.h"

#include "app/CAppDoc.h"
#include "app/CEditorApp.h"
#include "app/Strings.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kColumnChannel = 151;    // "MIDI-Channel"
constexpr int kColumnAssignment = 152; // "Assignment"
constexpr int kRawNameRole = Qt::UserRole;

} // namespace

CChannelAssignDlg::CChannelAssignDlg(const std::vector<presetor::CSoundList>& soundLists,
                                     presetor::ChannelAssignments& channelAssignments,
                                     QWidget* parent)
    : QDialog(parent), assignments_(channelAssignments), channels_(new QTreeWidget),
      lists_(new QListWidget), assign_(new QPushButton(tr("&Assign"))),
      delete_(new QPushButton(tr("&Delete"))) {
    setWindowTitle(tr("MIDI-Channel-Assignment"));
    channels_->setObjectName(QStringLiteral("channelList"));
    lists_->setObjectName(QStringLiteral("soundListBox"));
    assign_->setObjectName(QStringLiteral("assignButton"));
    delete_->setObjectName(QStringLiteral("deleteButton"));

    channels_->setColumnCount(2);
    channels_->setHeaderLabels({presetor::Str(kColumnChannel), presetor::Str(kColumnAssignment)});
    channels_->setRootIsDecorated(false);
    channels_->setSelectionMode(QAbstractItemView::SingleSelection);
    channels_->setSortingEnabled(false);
    channels_->header()->setSectionsClickable(false);
    channels_->header()->setStretchLastSection(true);
    // 80 pixels, or wider when the heading needs it.
    channels_->setColumnWidth(0, std::max(80, channels_->header()->sectionSizeHint(0)));
    for (int row = 0; row < 16; ++row) {
        auto* item = new QTreeWidgetItem(channels_);
        item->setText(0, QString::number(row + 1));
        item->setText(1, presetor::SoundText(assignments_[static_cast<std::size_t>(row)]));
    }

    // The names of all lists, sorted without regard to case; equal names are repeated.
    std::vector<const presetor::CSoundList*> sorted;
    for (const presetor::CSoundList& list : soundLists) {
        sorted.push_back(&list);
    }
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto* a, const auto* b) {
        return QString::compare(presetor::SoundText(a->name), presetor::SoundText(b->name),
                                Qt::CaseInsensitive) < 0;
    });
    for (const presetor::CSoundList* list : sorted) {
        auto* item = new QListWidgetItem(presetor::SoundText(list->name), lists_);
        item->setData(kRawNameRole, QByteArray::fromStdString(list->name));
    }
    if (lists_->count() > 0) {
        lists_->setCurrentRow(0);
    } else {
        assign_->setEnabled(false);
        delete_->setEnabled(false);
    }

    auto* ok = new QDialogButtonBox(QDialogButtonBox::Ok);
    auto* side = new QVBoxLayout;
    side->addWidget(lists_, 1);
    side->addWidget(assign_);
    side->addWidget(delete_);
    side->addWidget(ok);
    auto* layout = new QGridLayout(this);
    layout->addWidget(channels_, 0, 0);
    layout->addLayout(side, 0, 1);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);
    resize(560, 400);

    connect(assign_, &QPushButton::clicked, this, &CChannelAssignDlg::OnAssign);
    connect(delete_, &QPushButton::clicked, this, &CChannelAssignDlg::OnDelete);
    connect(ok, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

void CChannelAssignDlg::OnAssign() {
    const QListWidgetItem* list = lists_->currentItem();
    const QList<QTreeWidgetItem*> selected = channels_->selectedItems();
    if (!list || selected.isEmpty()) {
        return;
    }
    SetEntry(channels_->indexOfTopLevelItem(selected.first()),
             list->data(kRawNameRole).toByteArray().toStdString());
}

void CChannelAssignDlg::OnDelete() {
    const QList<QTreeWidgetItem*> selected = channels_->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    SetEntry(channels_->indexOfTopLevelItem(selected.first()), presetor::kNoSoundList);
}

void CChannelAssignDlg::SetEntry(int row, const std::string& entry) {
    if (row < 0 || row >= 16) {
        return;
    }
    assignments_[static_cast<std::size_t>(row)] = entry;
    channels_->topLevelItem(row)->setText(1, presetor::SoundText(entry));
}

void RunChannelAssignment(QWidget* parent, CEditorApp& app, CAppDoc& doc) {
    CChannelAssignDlg dialog(app.soundLists, app.channelAssignments, parent);
    dialog.exec();
    doc.UpdateAllViews(1);
}
