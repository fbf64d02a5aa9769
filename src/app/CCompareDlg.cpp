// Compare dialog.
#include "CCompareDlg.h"

#include "CAppDoc.h"
#include "Strings.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace presetor;

CCompareDlg::CCompareDlg(CAppDoc& document, const Bank& otherBank, const QString& name,
                         QWidget* parent)
    : QDialog(parent), doc(document), other(std::make_unique<Bank>(otherBank)), otherName(name) {
    setObjectName(QStringLiteral("compareDialog"));
    setWindowTitle(Str(IDS_COMPARE_TITLE).arg(otherName));

    summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("compareSummary"));
    summary->setWordWrap(true);

    presetList = new QListWidget(this);
    presetList->setObjectName(QStringLiteral("presetList"));
    fieldTable = new QTableWidget(0, 3, this);
    fieldTable->setObjectName(QStringLiteral("fieldTable"));
    fieldTable->setHorizontalHeaderLabels(
        {Str(IDS_COMPARE_FIELD), Str(IDS_COMPARE_OURS), otherName});
    fieldTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    fieldTable->setSelectionMode(QAbstractItemView::SingleSelection);
    fieldTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fieldTable->verticalHeader()->hide();
    fieldTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    fieldTable->horizontalHeader()->setStretchLastSection(true);

    auto* listPane = new QWidget(this);
    auto* listLayout = new QVBoxLayout(listPane);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(new QLabel(Str(IDS_COMPARE_PRESETS), listPane));
    listLayout->addWidget(presetList);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(listPane);
    splitter->addWidget(fieldTable);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 560});

    copyPreset = new QPushButton(Str(IDS_COMPARE_COPY_PRESET), this);
    copyPreset->setObjectName(QStringLiteral("copyPreset"));
    copyField = new QPushButton(Str(IDS_COMPARE_COPY_FIELD), this);
    copyField->setObjectName(QStringLiteral("copyField"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(copyPreset, QDialogButtonBox::ActionRole);
    buttons->addButton(copyField, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(copyPreset, &QPushButton::clicked, this, &CCompareDlg::CopyPreset);
    connect(copyField, &QPushButton::clicked, this, &CCompareDlg::CopyField);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(splitter, 1);
    layout->addWidget(buttons);
    resize(820, 520);

    connect(presetList, &QListWidget::currentRowChanged, this, [this] { ShowPreset(); });
    connect(fieldTable, &QTableWidget::itemSelectionChanged, this,
            [this] { copyField->setEnabled(CanCopy() && fieldTable->currentRow() >= 0); });
    Recompare();
}

CCompareDlg::~CCompareDlg() = default;

bool CCompareDlg::CanCopy() const {
    // Presets of another keyboard type do not fit into this bank field by field.
    return diff.typeA == diff.typeB && SelectedPreset() >= 0;
}

int CCompareDlg::SelectedPreset() const {
    const int row = presetList->currentRow();
    return row >= 0 && row < static_cast<int>(diff.presets.size())
               ? diff.presets[static_cast<std::size_t>(row)].index
               : -1;
}

void CCompareDlg::Recompare() {
    const int previous = SelectedPreset();
    diff = DiffBanks(doc.GetBank(), *other);
    if (diff.typeA != diff.typeB) {
        summary->setText(Str(IDS_COMPARE_TYPES)
                             .arg(QStringLiteral("LMK%1").arg(diff.typeA))
                             .arg(QStringLiteral("LMK%1").arg(diff.typeB))
                             .arg(std::min(doc.GetBank().PresetCount(), other->PresetCount())));
    } else if (diff.Equal()) {
        summary->setText(Str(IDS_COMPARE_EQUAL));
    } else {
        summary->setText(QString());
    }
    summary->setVisible(!summary->text().isEmpty());

    const QSignalBlocker block(presetList);
    presetList->clear();
    int select = diff.presets.empty() ? -1 : 0;
    for (std::size_t i = 0; i < diff.presets.size(); ++i) {
        const int index = diff.presets[i].index;
        const std::string& ours = doc.GetBank().presets[static_cast<std::size_t>(index)].GetName();
        const std::string& theirs = other->presets[static_cast<std::size_t>(index)].GetName();
        QString text = PresetPosition(index) + QLatin1Char(' ') + QString::fromLatin1(ours);
        if (ours != theirs) {
            text += QStringLiteral(" / ") + QString::fromLatin1(theirs);
        }
        presetList->addItem(text);
        if (index <= previous) {
            select = static_cast<int>(i);
        }
    }
    presetList->setCurrentRow(select);
    ShowPreset();
}

void CCompareDlg::ShowPreset() {
    const int row = presetList->currentRow();
    const QSignalBlocker block(fieldTable);
    fieldTable->setRowCount(0);
    if (row >= 0 && row < static_cast<int>(diff.presets.size())) {
        const auto& fields = diff.presets[static_cast<std::size_t>(row)].fields;
        fieldTable->setRowCount(static_cast<int>(fields.size()));
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const int r = static_cast<int>(i);
            fieldTable->setItem(r, 0, new QTableWidgetItem(QString::fromLatin1(fields[i].name)));
            fieldTable->setItem(r, 1, new QTableWidgetItem(QString::fromLatin1(fields[i].ours)));
            fieldTable->setItem(r, 2, new QTableWidgetItem(QString::fromLatin1(fields[i].theirs)));
        }
    }
    copyPreset->setEnabled(CanCopy());
    copyField->setEnabled(false);
}

bool CCompareDlg::SelectPreset(int index) {
    for (std::size_t i = 0; i < diff.presets.size(); ++i) {
        if (diff.presets[i].index == index) {
            presetList->setCurrentRow(static_cast<int>(i));
            return true;
        }
    }
    return false;
}

void CCompareDlg::SelectField(int row) {
    fieldTable->selectRow(row);
}

void CCompareDlg::CopyPreset() {
    const int index = SelectedPreset();
    if (!CanCopy()) {
        return;
    }
    const Preset& from = other->presets[static_cast<std::size_t>(index)];
    doc.ModifyPreset(index, Str(IDS_COMPARE_COPY_PRESET_UNDO).arg(otherName),
                     [&from](Preset& p) { p.CopyFrom(from); });
    Recompare();
}

void CCompareDlg::CopyField() {
    const int index = SelectedPreset();
    const int row = fieldTable->currentRow();
    if (!CanCopy() || row < 0) {
        return;
    }
    const auto& fields = diff.presets[static_cast<std::size_t>(presetList->currentRow())].fields;
    if (row >= static_cast<int>(fields.size())) {
        return;
    }
    const FieldDiff field = fields[static_cast<std::size_t>(row)];
    const Preset& from = other->presets[static_cast<std::size_t>(index)];
    const int type = diff.FieldType();
    doc.ModifyPreset(
        index, Str(IDS_COMPARE_COPY_FIELD_UNDO).arg(QString::fromLatin1(field.name), otherName),
        [&from, &field, type](Preset& p) { CopyPresetField(from, p, field.field, type); });
    Recompare();
    SelectPreset(index);
}
