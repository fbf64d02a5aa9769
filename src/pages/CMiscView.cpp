#include "CMiscView.h"
#include "FunctionNames.h"

#include "CCachedComboBox.h"
#include "CNameEdit.h"
#include "CStepSpinBox.h"

#include "app/CAppDoc.h"
#include "app/Strings.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

using presetor::Preset;

namespace {

constexpr int kMinClock = 50;
constexpr int kMaxClock = 254;

QLabel* Label(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

} // namespace

CMiscView::CMiscView(CEditorApp& application, CAppDoc& document, QWidget* parent)
    : CFormPage(application, document, parent) {
    setObjectName(QStringLiteral("miscView"));
    auto* page = new QVBoxLayout(Form());
    // All groups share the label column width, so their fields line up.
    QList<QGridLayout*> grids;
    QList<QWidget*> titles;
    // A group's title is its first row, inside the frame, so that all four frames line up
    // whether they have a title or not.
    const auto group = [&](const QString& title) {
        auto* box = new QGroupBox;
        box->setAccessibleName(title);
        auto* grid = new QGridLayout(box);
        grids << grid;
        page->addWidget(box);
        if (!title.isEmpty()) {
            titles << new QLabel(title);
            grid->addWidget(titles.back(), 0, 0, 1, 3);
        }
        return grid;
    };

    name = new CNameEdit;
    name->setObjectName(QStringLiteral("name"));
    name->setMaximumWidth(name->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 10);
    QGridLayout* nameGrid = group(QString());
    nameGrid->addWidget(Label(tr("&Name:"), name), 0, 0);
    nameGrid->addWidget(name, 0, 1);

    linkText = new QLineEdit;
    linkText->setObjectName(QStringLiteral("linkText"));
    // A preset can be typed here as "13" or "2.5"; Enter or leaving the field takes it.
    linkText->installEventFilter(this);
    linkText->setAccessibleName(presetor::Str(presetor::IDS_ACC_LINKED_PRESET));
    linkText->setMinimumWidth(
        linkText->fontMetrics().horizontalAdvance(QStringLiteral("WWWWWWWW - 16.8 (127)")) + 12);
    // The link spin has arrows only: the edit beside it shows the linked preset.
    link = new CStepSpinBox;
    link->setObjectName(QStringLiteral("link"));
    link->SetBlank(true);
    link->SetArrowsOnly(true);
    link->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    QGridLayout* linkGrid = group(QString());
    linkGrid->addWidget(Label(tr("&Link to Preset:"), link), 0, 0);
    auto* linkRow = new QHBoxLayout;
    linkRow->setSpacing(0);
    linkRow->addWidget(linkText);
    linkRow->addWidget(link);
    linkGrid->addLayout(linkRow, 0, 1);

    masterChannel = new CStepSpinBox;
    masterChannel->setObjectName(QStringLiteral("masterChannel"));
    masterChannel->setRange(1, 16);
    masterChannel->SetSteps(CStepSpinBox::DefaultAcceleration());
    presetSwitch = new CCachedComboBox;
    presetSwitch->setObjectName(QStringLiteral("presetSwitch"));
    presetSwitch->addItems(PresetSwitchNames());
    presetSwitchLabel = Label(tr("Presetswitch:"), presetSwitch);
    QGridLayout* channelGrid = group(QString());
    channelGrid->addWidget(Label(tr("MIDI-&Masterchannel:"), masterChannel), 0, 0);
    channelGrid->addWidget(masterChannel, 0, 1, Qt::AlignLeft);
    channelGrid->addWidget(presetSwitchLabel, 1, 0);
    channelGrid->addWidget(presetSwitch, 1, 1, Qt::AlignLeft);

    clock = new CStepSpinBox;
    clock->setObjectName(QStringLiteral("clock"));
    clock->setRange(kMinClock, kMaxClock);
    clock->setSingleStep(2);
    realtimeMode = new CCachedComboBox;
    realtimeMode->setObjectName(QStringLiteral("realtimeMode"));
    realtimeMode->addItems(RealtimeModeNames());
    QGridLayout* realtimeGrid = group(tr("Realtime"));
    realtimeGrid->addWidget(Label(tr("Midi-&Clock:"), clock), 1, 0);
    auto* clockRow = new QHBoxLayout;
    clockRow->addWidget(clock);
    clockRow->addWidget(new QLabel(tr("BpM")));
    clockRow->addStretch();
    realtimeGrid->addLayout(clockRow, 1, 1);
    realtimeGrid->addWidget(Label(tr("&Real-Time-Mode:"), realtimeMode), 2, 0);
    realtimeGrid->addWidget(realtimeMode, 2, 1, Qt::AlignLeft);
    page->addStretch();

    int labelWidth = 0;
    for (QGridLayout* grid : grids) {
        for (int row = 0; row < grid->rowCount(); ++row) {
            QLayoutItem* item = grid->itemAtPosition(row, 0);
            if (item && !titles.contains(item->widget()))
                labelWidth = std::max(labelWidth, item->sizeHint().width());
        }
    }
    for (QGridLayout* grid : grids) {
        grid->setColumnMinimumWidth(0, labelWidth);
        grid->setColumnStretch(2, 1);
    }

    connect(name, &CNameEdit::NameEdited, this, &CMiscView::OnNameEdited);
    connect(linkText, &QLineEdit::editingFinished, this, &CMiscView::OnLinkTyped);
    connect(link, &QSpinBox::valueChanged, this, [this](int value) {
        Modify(
            tr("Link to Preset"), [value](Preset& p) { p.SetLinkPreset(value); },
            MergeKey(PageEdit::Link));
    });
    connect(masterChannel, &QSpinBox::valueChanged, this, [this](int value) {
        Modify(
            tr("MIDI-Masterchannel"), [value](Preset& p) { p.SetMasterChannel(value); },
            MergeKey(PageEdit::MasterChannel));
    });
    connect(clock, &QSpinBox::valueChanged, this, [this](int value) {
        Modify(
            tr("Midi-Clock"), [value](Preset& p) { p.SetMidiClock(value); },
            MergeKey(PageEdit::Clock));
    });
    connect(realtimeMode, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            Modify(tr("Real-Time-Mode"), [index](Preset& p) { p.SetRealtimeMode(index); });
    });
    connect(presetSwitch, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (IsLmk4() && index >= 0)
            Modify(tr("Presetswitch"), [index](Preset& p) { p.SetPresetSwitch(index); });
    });

    Refresh();
}

QString CMiscView::LinkText(int index) const {
    if (index < 0 || index >= presetor::kMaxPresets)
        return QString::fromStdString(presetor::PresetPositionText(index));
    const Preset& linked = doc.GetBank().presets[static_cast<std::size_t>(index)];
    return QString::fromLatin1(presetor::PresetTitleText(linked, index));
}

void CMiscView::Refresh() {
    const Preset& p = Current();
    const QSignalBlocker blockName(name);
    const QSignalBlocker blockRealtime(realtimeMode);
    const QSignalBlocker blockSwitch(presetSwitch);

    // The edit keeps what is being typed (trailing blanks, the cursor) while it stands for the
    // stored name.
    const QString stored = QString::fromLatin1(p.GetName());
    QString shown = name->text();
    while (!shown.isEmpty() && shown.back().isSpace())
        shown.chop(1);
    if (shown != stored)
        name->setText(stored);

    clock->Show(p.GetMidiClock());
    masterChannel->Show(p.GetMasterChannel());
    realtimeMode->setCurrentIndex(p.realtimeMode < realtimeMode->count() ? p.realtimeMode : -1);

    // The link range follows the keyboard type: 64 or 127 presets.
    const int last = doc.GetBank().PresetCount() - 1;
    link->ShowRange(0, last, std::min<int>(p.linkPreset, last));
    linkText->setText(LinkText(p.linkPreset));

    const bool lmk4 = IsLmk4();
    presetSwitch->setEnabled(lmk4);
    presetSwitchLabel->setEnabled(lmk4);
    presetSwitch->setCurrentIndex(lmk4 && p.presetSwitch < presetSwitch->count() ? p.presetSwitch
                                                                                 : -1);
}

void CMiscView::OnLinkTyped() {
    if (!linkText->isModified())
        return;
    linkText->setModified(false);
    const int index =
        presetor::ParsePresetPosition(linkText->text().toStdString(), doc.GetBank().PresetCount());
    if (index >= 0)
        Modify(tr("Link to Preset"), [index](Preset& p) { p.SetLinkPreset(index); });
    // A text that names no preset gives way to the link as it is.
    linkText->setText(LinkText(Current().linkPreset));
}

bool CMiscView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == linkText && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && linkText->isModified()) {
        // Escape takes back what was typed.
        linkText->setText(LinkText(Current().linkPreset));
        linkText->setModified(false);
        linkText->selectAll();
        return true;
    }
    return CFormPage::eventFilter(watched, event);
}

void CMiscView::OnNameEdited(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    Modify(
        tr("Name"),
        [bytes](Preset& p) { p.SetName(std::string_view(bytes.constData(), bytes.size())); },
        MergeKey(PageEdit::Name));
}
