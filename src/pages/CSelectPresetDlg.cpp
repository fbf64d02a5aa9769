// The select-preset dialog. The bank combo is sorted by name and carries msb * 256 + lsb; the
// two sound lists hold the same 128 entries, one in program order, one by name, and only one of
// them is visible. Programs are shown from 1 to 128, as the split page shows them.
#include "CSelectPresetDlg.h"

#include "app/CEditorApp.h"
#include "app/FileNames.h"
#include "app/Strings.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kNoSoundsLine1 = 136; // "No Sounds available."
constexpr int kNoSoundsLine2 = 137; // "Because no .sound-Files"
constexpr int kNoSoundsLine3 = 138; // "could be found."

QLineEdit* NumberField(const QString& objectName) {
    auto* field = new QLineEdit;
    field->setObjectName(objectName);
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignRight);
    field->setMaximumWidth(50);
    return field;
}

// Sorted controls order their texts without regard to case, equal texts in insertion order.
bool TextLess(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

} // namespace

CSelectPresetDlg::CSelectPresetDlg(const std::vector<presetor::CSoundList>& soundLists,
                                   const presetor::ChannelAssignments& channelAssignments,
                                   int channel, QWidget* parent)
    : QDialog(parent), soundLists_(soundLists), listName_(new QLineEdit), banks_(new QComboBox),
      byNumber_(new QListWidget), byName_(new QListWidget),
      msbField_(NumberField(QStringLiteral("msbField"))),
      lsbField_(NumberField(QStringLiteral("lsbField"))),
      noField_(NumberField(QStringLiteral("noField"))), sortName_(new QRadioButton(tr("N&ame"))),
      sortNumber_(new QRadioButton(tr("N&umber"))),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel)) {
    setWindowTitle(tr("Select Preset"));
    listName_->setObjectName(QStringLiteral("listName"));
    listName_->setReadOnly(true);
    banks_->setObjectName(QStringLiteral("bankCombo"));
    byNumber_->setObjectName(QStringLiteral("numberList"));
    byName_->setObjectName(QStringLiteral("nameList"));
    sortName_->setObjectName(QStringLiteral("sortByName"));
    sortNumber_->setObjectName(QStringLiteral("sortByNumber"));

    auto* numbers = new QHBoxLayout;
    numbers->addWidget(new QLabel(tr("MSB:")));
    numbers->addWidget(msbField_);
    numbers->addWidget(new QLabel(tr("LSB:")));
    numbers->addWidget(lsbField_);
    numbers->addWidget(new QLabel(tr("No:")));
    numbers->addWidget(noField_);
    numbers->addStretch();

    auto* sortBox = new QGroupBox(tr("Sort by"));
    auto* sortLayout = new QHBoxLayout(sortBox);
    sortLayout->addWidget(sortName_);
    sortLayout->addWidget(sortNumber_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listName_);
    layout->addWidget(banks_);
    layout->addWidget(byNumber_, 1);
    layout->addWidget(byName_, 1);
    layout->addLayout(numbers);
    layout->addWidget(sortBox);
    layout->addWidget(buttons_);
    resize(320, 420);

    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(sortName_, &QRadioButton::clicked, this, [this] { ShowList(true); });
    connect(sortNumber_, &QRadioButton::clicked, this, [this] { ShowList(false); });
    connect(banks_, &QComboBox::currentIndexChanged, this, [this] { OnBankChanged(); });
    connect(byNumber_, &QListWidget::currentRowChanged, this, [this] { ShowProgramOf(byNumber_); });
    connect(byName_, &QListWidget::currentRowChanged, this, [this] { ShowProgramOf(byName_); });
    // A double click on a sound confirms it, in either order.
    connect(byNumber_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(byName_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    // Opening: number order first.
    sortNumber_->setChecked(true);
    byName_->hide();
    byName_->setEnabled(false);
    if (!soundLists_.empty()) {
        byNumber_->show();
        byNumber_->setEnabled(true);
        ShowProgramOf(byNumber_);
    }
    const int entry = std::clamp(channel, 1, 16) - 1;
    const std::string& assigned = channelAssignments[static_cast<std::size_t>(entry)];
    listName_->setText(presetor::SoundText(assigned));

    if (soundLists_.empty()) {
        buttons_->button(QDialogButtonBox::Ok)->setEnabled(false);
        byNumber_->addItem(presetor::Str(kNoSoundsLine1));
        byNumber_->addItem(presetor::Str(kNoSoundsLine2));
        byNumber_->addItem(presetor::Str(kNoSoundsLine3));
        return;
    }
    for (const presetor::CSoundList& list : soundLists_) {
        if (list.name == assigned) {
            list_ = &list;
            break;
        }
    }
    FillBanks();
    // With no bank to choose from (no list assigned to the channel, a name that matches no
    // list, or a list without banks) there is nothing to confirm.
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(banks_->count() > 0);
}

void CSelectPresetDlg::FillBanks() {
    if (!list_ || list_->banks.empty()) {
        return;
    }
    std::vector<const presetor::CSoundBank*> sorted;
    for (const presetor::CSoundBank& bank : list_->banks) {
        sorted.push_back(&bank);
    }
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto* a, const auto* b) {
        return TextLess(presetor::SoundText(a->name), presetor::SoundText(b->name));
    });
    const QSignalBlocker blocker(banks_);
    for (const presetor::CSoundBank* bank : sorted) {
        banks_->addItem(presetor::SoundText(bank->name), bank->msb * 256 + bank->lsb);
    }
    banks_->setCurrentIndex(0);
    OnBankChanged();
}

void CSelectPresetDlg::OnBankChanged() {
    const int numbers = banks_->currentData().toInt();
    msbField_->setText(QString::number(numbers / 256 % 256));
    lsbField_->setText(QString::number(numbers % 256));

    const QSignalBlocker numberBlocker(byNumber_);
    const QSignalBlocker nameBlocker(byName_);
    byNumber_->clear();
    byName_->clear();
    const presetor::CSoundBank* bank = nullptr;
    if (list_) {
        // Banks of the same name all show the sounds of the first of them.
        const QString chosen = banks_->currentText();
        for (const presetor::CSoundBank& candidate : list_->banks) {
            if (presetor::SoundText(candidate.name) == chosen) {
                bank = &candidate;
                break;
            }
        }
    }
    if (!bank) {
        noField_->clear();
        return;
    }
    // Programs are numbered from 1, as the split page shows them; a program without a name
    // stands as its number. In name order the named sounds come first, alphabetically, then
    // the numbers in their order.
    std::vector<QListWidgetItem*> named;
    std::vector<QListWidgetItem*> numbered;
    for (int program = 0; program < presetor::kSoundsPerBank; ++program) {
        const std::string sound = bank->GetSoundName(program);
        const QString text =
            sound.empty() ? QString::number(program + 1) : presetor::SoundText(sound);
        auto* item = new QListWidgetItem(text, byNumber_);
        item->setData(Qt::UserRole, program);
        auto* sorted = new QListWidgetItem(text);
        sorted->setData(Qt::UserRole, program);
        (sound.empty() ? numbered : named).push_back(sorted);
    }
    std::stable_sort(named.begin(), named.end(),
                     [](const auto* a, const auto* b) { return TextLess(a->text(), b->text()); });
    for (QListWidgetItem* item : named) {
        byName_->addItem(item);
    }
    for (QListWidgetItem* item : numbered) {
        byName_->addItem(item);
    }
    byNumber_->setCurrentRow(0);
    byName_->setCurrentRow(0);
    ShowProgramOf(VisibleList());
}

void CSelectPresetDlg::ShowList(bool byName) {
    if (soundLists_.empty()) {
        return;
    }
    QListWidget* shown = byName ? byName_ : byNumber_;
    QListWidget* hidden = byName ? byNumber_ : byName_;
    shown->show();
    shown->setEnabled(true);
    hidden->hide();
    hidden->setEnabled(false);
    ShowProgramOf(shown);
}

void CSelectPresetDlg::ShowProgramOf(QListWidget* list) {
    const QListWidgetItem* item = list->currentItem();
    if (item && item->data(Qt::UserRole).isValid()) {
        noField_->setText(QString::number(item->data(Qt::UserRole).toInt() + 1));
    } else {
        noField_->clear();
    }
}

QListWidget* CSelectPresetDlg::VisibleList() const {
    return sortName_->isChecked() ? byName_ : byNumber_;
}

void CSelectPresetDlg::accept() {
    if (!buttons_->button(QDialogButtonBox::Ok)->isEnabled()) {
        return;
    }
    const QListWidgetItem* item = VisibleList()->currentItem();
    // "No:" counts from 1; the result is the program change value.
    program_ = item ? item->data(Qt::UserRole).toInt() : noField_->text().toInt() - 1;
    msb_ = msbField_->text().toInt();
    lsb_ = lsbField_->text().toInt();
    resultText_ = listName_->text() + QLatin1Char('\n') + banks_->currentText() +
                  QLatin1Char('\n') + (item ? item->text() : QString());
    QDialog::accept();
}

void CSelectPresetDlg::ShowSearchedFolders(const QStringList& folders) {
    if (!soundLists_.empty()) {
        return;
    }
    byNumber_->addItem(presetor::Str(presetor::IDS_SOUNDS_SEARCHED));
    for (const QString& folder : folders) {
        byNumber_->addItem(QStringLiteral("  ") + presetor::DisplayFileName(folder));
    }
}

std::function<bool(QWidget* parent, int channel, int& program, int& msb, int& lsb, QString& text)>
MakeSelectPresetFunction(const CEditorApp& app) {
    return [&app](QWidget* parent, int channel, int& program, int& msb, int& lsb, QString& text) {
        CSelectPresetDlg dialog(app.soundLists, app.channelAssignments, channel, parent);
        dialog.ShowSearchedFolders(app.soundFolders);
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
        program = dialog.program();
        msb = dialog.msb();
        lsb = dialog.lsb();
        text = dialog.resultText();
        return true;
    };
}
