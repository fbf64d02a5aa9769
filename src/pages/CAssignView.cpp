#include "CAssignView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using presetor::Preset;

namespace {

enum class Byte { Ctrl, Switch };

struct Row {
    const char* caption;
    const char* name;
    Byte byte;
    int assign;   // ctrlAssign or switchAssign element whose function the row shows
    int bitLmk3;  // bit of the split's byte on the LMK3
    int bitOther; // bit on the LMK4
};

const Row kRows[CAssignView::kRowCount] = {
    {QT_TRANSLATE_NOOP("CAssignView", "Wheel1"), "wheel1", Byte::Ctrl, presetor::kCtrlWheel1, 0, 0},
    {QT_TRANSLATE_NOOP("CAssignView", "Wheel2"), "wheel2", Byte::Ctrl, presetor::kCtrlWheel2, 1, 1},
    {QT_TRANSLATE_NOOP("CAssignView", "Slider 1:"), "slide1", Byte::Ctrl, presetor::kCtrlSlide1, 4,
     6},
    {QT_TRANSLATE_NOOP("CAssignView", "Slider 2:"), "slide2", Byte::Ctrl, presetor::kCtrlSlide2, 6,
     4},
    {QT_TRANSLATE_NOOP("CAssignView", "Data Entry:"), "dataEntry", Byte::Ctrl,
     presetor::kCtrlDataEntry, 7, 7},
    {QT_TRANSLATE_NOOP("CAssignView", "Aftertouch:"), "aftertouch", Byte::Ctrl,
     presetor::kCtrlAftertouch, 5, 5},
    {QT_TRANSLATE_NOOP("CAssignView", "Ext.Ctrl. 1:"), "extern1", Byte::Ctrl,
     presetor::kCtrlExtern1, 3, 2},
    {QT_TRANSLATE_NOOP("CAssignView", "Ext Ctrl 2:"), "extern2", Byte::Ctrl, presetor::kCtrlExtern2,
     2, 3},
    {QT_TRANSLATE_NOOP("CAssignView", "Ext. Schalter 1:"), "switch1", Byte::Switch, 0, 0, 0},
    {QT_TRANSLATE_NOOP("CAssignView", "Ext. Schalter 2:"), "switch2", Byte::Switch, 1, 1, 1},
};

constexpr int kSlide1Row = 2;
constexpr int kSlide2Row = 3;
constexpr int kDataEntryRow = 4;
constexpr int kLinkFunction = 4;

// This page's own names of the functions (they differ from the Controller page's lists).
const char* const kControllerTexts[8] = {
    QT_TRANSLATE_NOOP("CAssignView", "Pitch"),
    QT_TRANSLATE_NOOP("CAssignView", "Aftertouch"),
    QT_TRANSLATE_NOOP("CAssignView", "Modulation"),
    QT_TRANSLATE_NOOP("CAssignView", "Breath-Controller"),
    QT_TRANSLATE_NOOP("CAssignView", "Portamento-Time"),
    QT_TRANSLATE_NOOP("CAssignView", "Data-Entry"),
    QT_TRANSLATE_NOOP("CAssignView", "Volume"),
    QT_TRANSLATE_NOOP("CAssignView", "Panorama"),
};
const char* const kSwitchTexts[8] = {
    QT_TRANSLATE_NOOP("CAssignView", "Sustain"),
    QT_TRANSLATE_NOOP("CAssignView", "Portamento On/Off"),
    QT_TRANSLATE_NOOP("CAssignView", "Sostenuto (Haltefunktion ohne Abklingen)"),
    QT_TRANSLATE_NOOP("CAssignView", "Softpedal (Dämpferpedal beim Piano)"),
    QT_TRANSLATE_NOOP("CAssignView", "Link"),
    QT_TRANSLATE_NOOP("CAssignView", "Legato On/Off"),
    QT_TRANSLATE_NOOP("CAssignView", "Hold 2 (zweites Haltepedal)"),
    QT_TRANSLATE_NOOP("CAssignView", "FR4 (was immer das ist)"),
};

QString FunctionText(const char* const (&texts)[8], int code) {
    if (code >= 0 && code < 8)
        return CAssignView::tr(texts[code]);
    if (code >= 8 && code < 16)
        return CAssignView::tr("Benutzerdef. Controller %1").arg(code - 7);
    // Only a damaged file carries another code: show the number.
    return CAssignView::tr("(%1)").arg(code);
}

std::uint8_t& RowByte(Preset& p, const Row& row, int split) {
    auto& bytes = row.byte == Byte::Ctrl ? p.ctrlMatrix : p.switchMatrix;
    return bytes[static_cast<std::size_t>(split)];
}

int RowByte(const Preset& p, const Row& row, int split) {
    const auto& bytes = row.byte == Byte::Ctrl ? p.ctrlMatrix : p.switchMatrix;
    return bytes[static_cast<std::size_t>(split)];
}

} // namespace

CAssignView::CAssignView(CEditorApp& application, CAppDoc& document, QWidget* parent)
    : CFormPage(application, document, parent) {
    setObjectName(QStringLiteral("assignView"));
    auto* page = new QVBoxLayout(Form());
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    page->addLayout(grid);

    constexpr int kFirstBoxColumn = 2;
    grid->addWidget(new QLabel(tr("Split:")), 0, 0);
    for (int s = 0; s < presetor::kSplitCount; ++s) {
        auto* digit = new QLabel(QString::number(s + 1));
        grid->addWidget(digit, 0, kFirstBoxColumn + s, Qt::AlignHCenter);
    }
    for (int r = 0; r < kRowCount; ++r) {
        const Row& row = kRows[r];
        auto* caption = new QLabel(tr(row.caption));
        auto* function = new QLabel(tr("Modulation"));
        function->setObjectName(QStringLiteral("%1Function").arg(QLatin1String(row.name)));
        captions[static_cast<std::size_t>(r)] = caption;
        functionLabels[static_cast<std::size_t>(r)] = function;
        grid->addWidget(caption, r + 1, 0);
        grid->addWidget(function, r + 1, 1);
        for (int s = 0; s < presetor::kSplitCount; ++s) {
            auto* box = new QCheckBox;
            box->setObjectName(QStringLiteral("%1Split%2").arg(QLatin1String(row.name)).arg(s + 1));
            box->setAccessibleName(tr("%1 split %2").arg(caption->text()).arg(s + 1));
            boxes[static_cast<std::size_t>(r)][static_cast<std::size_t>(s)] = box;
            grid->addWidget(box, r + 1, kFirstBoxColumn + s, Qt::AlignHCenter);
            connect(box, &QCheckBox::clicked, this,
                    [this, r, s](bool checked) { OnBoxClicked(r, s, checked); });
        }
    }
    // The function column is as wide as the longest name, so the matrix never moves.
    int functionWidth = 0;
    for (int code = 0; code < 16; ++code) {
        functionWidth =
            std::max({functionWidth, fontMetrics().horizontalAdvance(ControllerFunctionText(code)),
                      fontMetrics().horizontalAdvance(SwitchFunctionText(code))});
    }
    grid->setColumnMinimumWidth(1, functionWidth + 8);
    grid->setColumnStretch(kFirstBoxColumn + presetor::kSplitCount, 1);

    const auto button = [this](const QString& text, const char* name) {
        auto* b = new QPushButton(text);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    QPushButton* allOn = button(tr("All on"), "allOn");
    QPushButton* allOff = button(tr("All off"), "allOff");
    QPushButton* allOnActive = button(tr("All on in active splits"), "allOnActive");
    QPushButton* allOffInactive = button(tr("All off in inactive splits"), "allOffInactive");
    auto* buttons = new QGridLayout;
    buttons->addWidget(allOn, 0, 0);
    buttons->addWidget(allOff, 0, 1);
    buttons->addWidget(allOnActive, 1, 0);
    buttons->addWidget(allOffInactive, 1, 1);
    buttons->setColumnStretch(2, 1);
    page->addSpacing(12);
    page->addLayout(buttons);
    page->addStretch();

    connect(allOn, &QPushButton::clicked, this, [this] {
        Modify(tr("All on"), [](Preset& p) {
            p.ctrlMatrix.fill(255);
            p.switchMatrix.fill(255);
        });
    });
    connect(allOff, &QPushButton::clicked, this, [this] {
        Modify(tr("All off"), [](Preset& p) {
            p.ctrlMatrix.fill(0);
            p.switchMatrix.fill(0);
        });
    });
    connect(allOnActive, &QPushButton::clicked, this, [this] {
        Modify(tr("All on in active splits"), [](Preset& p) {
            for (std::size_t s = 0; s < presetor::kSplitCount; ++s) {
                if (p.lowKey[s] != 0 && p.highKey[s] != 0)
                    p.ctrlMatrix[s] = p.switchMatrix[s] = 255;
            }
        });
    });
    connect(allOffInactive, &QPushButton::clicked, this, [this] {
        Modify(tr("All off in inactive splits"), [](Preset& p) {
            for (std::size_t s = 0; s < presetor::kSplitCount; ++s) {
                if (p.lowKey[s] == 0 || p.highKey[s] == 0)
                    p.ctrlMatrix[s] = p.switchMatrix[s] = 0;
            }
        });
    });

    UpdateCaptions();
    Refresh();
}

int CAssignView::RowBit(int row, int keyboardType) {
    const Row& r = kRows[row];
    return keyboardType == presetor::kLmk3 ? r.bitLmk3 : r.bitOther;
}

QString CAssignView::ControllerFunctionText(int code) {
    return FunctionText(kControllerTexts, code);
}

QString CAssignView::SwitchFunctionText(int code) {
    return FunctionText(kSwitchTexts, code);
}

void CAssignView::Refresh() {
    const Preset& p = Current();
    const int type = KeyboardType();
    for (int r = 0; r < kRowCount; ++r) {
        const int mask = 1 << RowBit(r, type);
        for (int s = 0; s < presetor::kSplitCount; ++s) {
            QCheckBox* box = Box(r, s);
            const QSignalBlocker blocker(box);
            box->setChecked((RowByte(p, kRows[r], s) & mask) != 0);
        }
    }
    RefreshLabels();
}

void CAssignView::RefreshLabels() {
    const Preset& p = Current();
    for (int r = 0; r < kRowCount; ++r) {
        const Row& row = kRows[r];
        const QString text =
            row.byte == Byte::Ctrl
                ? ControllerFunctionText(p.ctrlAssign[static_cast<std::size_t>(row.assign)])
                : SwitchFunctionText(p.switchAssign[static_cast<std::size_t>(row.assign)]);
        QLabel* label = functionLabels[static_cast<std::size_t>(r)];
        if (label->text() != text)
            label->setText(text);
    }
    // A switch assigned to "Link" acts on the whole keyboard: only its split-1 box applies.
    for (int j = 0; j < presetor::kSwitchCount; ++j) {
        const bool link = p.switchAssign[static_cast<std::size_t>(j)] == kLinkFunction;
        for (int s = 1; s < presetor::kSplitCount; ++s) {
            QCheckBox* box = Box(kSwitch1Row + j, s);
            box->setEnabled(!link);
            box->setHidden(link);
        }
    }
}

void CAssignView::UpdateCaptions() {
    const bool lmk3 = KeyboardType() == presetor::kLmk3;
    captions[kSlide1Row]->setText(lmk3 ? tr("Slider 1:") : tr("CTR1:"));
    captions[kSlide2Row]->setText(lmk3 ? tr("Slider 2:") : tr("CTR2:"));
    captions[kDataEntryRow]->setText(lmk3 ? tr("Data Entry:") : tr("CTR3:"));
}

void CAssignView::showEvent(QShowEvent* event) {
    CFormPage::showEvent(event);
    RefreshLabels();
    UpdateCaptions();
}

void CAssignView::hideEvent(QHideEvent* event) {
    CFormPage::hideEvent(event);
    RefreshLabels();
    UpdateCaptions();
}

void CAssignView::OnBoxClicked(int row, int split, bool checked) {
    const int mask = 1 << RowBit(row, KeyboardType());
    Modify(tr("Controller-Assignments"), [row, split, checked, mask](Preset& p) {
        std::uint8_t& byte = RowByte(p, kRows[row], split);
        byte = static_cast<std::uint8_t>(checked ? (byte | mask) : (byte & ~mask));
    });
}
