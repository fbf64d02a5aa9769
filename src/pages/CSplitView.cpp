#include "CSplitView.h"

#include "CCachedButton.h"
#include "CCachedComboBox.h"
#include "CCachedLabel.h"
#include "CCurveList.h"
#include "CKeyboardCtrl.h"
#include "CStepSpinBox.h"
#include "CurveShapes.h"
#include "GroupTitleStyle.h"
#include "OneRepaint.h"

#include "app/CAppDoc.h"
#include "app/CEditorApp.h"
#include "app/SoundListDiscovery.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

using presetor::Preset;

const QColor CSplitView::kActiveColour(0, 128, 0);
const QColor CSplitView::kInactiveColour(255, 0, 0);

namespace {

constexpr int kLowestNote = CKeyboardCtrl::kFirstNote;                                 // A0
constexpr int kHighestNote = CKeyboardCtrl::kFirstNote + CKeyboardCtrl::kKeyCount - 1; // C8
constexpr int kMaxTranspose = 63;
constexpr int kOctave = 12;

// Sign and magnitude: bit 7 set means downwards.
int TransposeShown(int stored) {
    return (stored & 0x80) ? -(stored & 0x7F) : stored;
}
int TransposeStored(int shown) {
    return shown < 0 ? ((-shown) | 0x80) : shown;
}

QLabel* Label(const QString& text, QWidget* buddy = nullptr) {
    auto* label = new CCachedLabel(text);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

CStepSpinBox* Spin(const char* name, int minimum, int maximum,
                   std::vector<CStepSpinBox::Step> steps) {
    auto* spin = new CStepSpinBox;
    spin->setObjectName(QLatin1String(name));
    spin->setRange(minimum, maximum);
    spin->SetSteps(std::move(steps));
    spin->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return spin;
}

// Groups sit close together and hold their rows close, so that a whole split fits the page at
// the window's first size without scrolling.
constexpr int kGroupMargin = 6;
constexpr int kRowSpacing = 4;

void Tighten(QBoxLayout* layout) {
    layout->setContentsMargins(kGroupMargin, kRowSpacing, kGroupMargin, kGroupMargin);
    if (layout->direction() == QBoxLayout::TopToBottom)
        layout->setSpacing(kRowSpacing);
}

void Tighten(QGridLayout* layout) {
    layout->setContentsMargins(kGroupMargin, kRowSpacing, kGroupMargin, kGroupMargin);
    layout->setHorizontalSpacing(kGroupMargin);
    layout->setVerticalSpacing(kRowSpacing);
}

// Leaves alone the widgets already in that state (a preset switch mostly keeps them).
void SetEnabled(std::initializer_list<QWidget*> widgets, bool enabled) {
    for (QWidget* widget : widgets) {
        if (widget->testAttribute(Qt::WA_ForceDisabled) == enabled)
            widget->setEnabled(enabled);
    }
}

} // namespace

CSplitView::CSplitView(int split, CEditorApp& application, CAppDoc& document, QWidget* parent)
    : CFormPage(application, document, parent), splitIndex(std::clamp(split, 0, 7)) {
    setObjectName(QStringLiteral("splitView%1").arg(splitIndex + 1));
    BuildControls();
    // Every preset switch repaints the groups around the changed controls.
    UseGroupTitleStyle(this);
    ConnectControls();
    SetSelectPresetFunction(nullptr);
    // Sound lists are read again when their files change; the shown name follows.
    connect(&app, &CEditorApp::SoundListsChanged, this, &CSplitView::ShowSoundName);
}

int CSplitView::SplitFromLabel(const QString& tabLabel) {
    if (tabLabel.isEmpty())
        return -1;
    const int digit = tabLabel.back().digitValue();
    return digit >= 1 && digit <= presetor::kSplitCount ? digit - 1 : -1;
}

void CSplitView::BuildControls() {
    auto* page = new QGridLayout(Form());
    page->setContentsMargins(kGroupMargin, kGroupMargin, kGroupMargin, kGroupMargin);
    page->setVerticalSpacing(kRowSpacing);

    // Keyboard: on/off, the piano keyboard and the two end keys.
    auto* keyboardGroup = new QGroupBox(tr("Keyboard"));
    auto* keyboardLayout = new QVBoxLayout(keyboardGroup);
    Tighten(keyboardLayout);
    splitActive = new CCachedButton<QCheckBox>(tr("&Split activ"));
    splitActive->setObjectName(QStringLiteral("splitActive"));
    keyboardHint =
        new CCachedLabel(tr("Click with the mouse inside the keyboard to mark the split"));
    keyboard = new CKeyboardCtrl;
    keyboard->setObjectName(QStringLiteral("keyboard"));
    fromKey = Spin("fromKey", kLowestNote, kHighestNote, {{0, 1}});
    toKey = Spin("toKey", kLowestNote, kHighestNote, {{0, 1}});
    const auto noteName = [](int note) { return CKeyboardCtrl::KeyName(note - kLowestNote); };
    fromKey->SetTextFunction(noteName);
    toKey->SetTextFunction(noteName);
    // Room for every note name, whatever the range and also while they show nothing: a new
    // range on a preset switch neither resizes them nor lays the page out again.
    fromKey->FixSizeForAllTexts();
    toKey->FixSizeForAllTexts();
    fromLabel = Label(tr("from"), fromKey);
    toLabel = Label(tr("to"), toKey);
    auto* keysRow = new QHBoxLayout;
    keysRow->addWidget(fromLabel);
    keysRow->addWidget(fromKey);
    keysRow->addSpacing(16);
    keysRow->addWidget(toLabel);
    keysRow->addWidget(toKey);
    keysRow->addStretch();
    auto* headRow = new QHBoxLayout;
    headRow->addWidget(splitActive);
    headRow->addSpacing(16);
    headRow->addWidget(keyboardHint, 1);
    keyboardLayout->addLayout(headRow);
    keyboardLayout->addWidget(keyboard);
    keyboardLayout->addLayout(keysRow);
    page->addWidget(keyboardGroup, 0, 0, 1, 2);

    // Transposition in semitones, with the octave buttons.
    auto* transposeGroup = new QGroupBox(tr("Transpose"));
    auto* transposeLayout = new QGridLayout(transposeGroup);
    Tighten(transposeLayout);
    transpose = Spin("transpose", -kMaxTranspose, kMaxTranspose, CStepSpinBox::OneThenTen());
    transposeLabel = Label(tr("&Transpose by"), transpose);
    stepsLabel = Label(tr("Steps"));
    octaveUp = new CCachedButton<QPushButton>(tr("&+1 Octave"));
    octaveUp->setObjectName(QStringLiteral("octaveUp"));
    octaveDown = new CCachedButton<QPushButton>(tr("&-1 Octave"));
    octaveDown->setObjectName(QStringLiteral("octaveDown"));
    transposeLayout->addWidget(transposeLabel, 0, 0);
    transposeLayout->addWidget(transpose, 0, 1);
    transposeLayout->addWidget(stepsLabel, 0, 2);
    transposeLayout->setColumnStretch(3, 1);
    auto* octaves = new QHBoxLayout;
    octaves->setSpacing(kGroupMargin);
    octaves->addWidget(octaveUp);
    octaves->addWidget(octaveDown);
    octaves->addStretch();
    transposeLayout->addLayout(octaves, 1, 0, 1, 4);
    page->addWidget(transposeGroup, 1, 0);

    // Channel, and on the LMK4 the note source and the outputs.
    auto* channelGroup = new QGroupBox(tr("MIDI-Channel"));
    auto* channelLayout = new QGridLayout(channelGroup);
    Tighten(channelLayout);
    midiChannel = Spin("midiChannel", 1, 16, {{0, 1}});
    channelLabel = Label(tr("MIDI-&Channel"), midiChannel);
    inputMode = new CCachedComboBox;
    inputMode->setObjectName(QStringLiteral("inputMode"));
    inputMode->addItems(
        {tr("IN - intern Keyboard of the LMK4"), tr("EA - extern MIDI-In, ALL-Modus"),
         tr("EO - extern MIDI-In, OMNI-Modus"), tr("EM - extern MIDI-In, MONO-Modus")});
    midiOut1 = new CCachedButton<QCheckBox>(tr("Midi Out 1"));
    midiOut1->setObjectName(QStringLiteral("midiOut1"));
    midiOut2 = new CCachedButton<QCheckBox>(tr("Midi Out 2"));
    midiOut2->setObjectName(QStringLiteral("midiOut2"));
    channelLayout->addWidget(channelLabel, 0, 0);
    channelLayout->addWidget(midiChannel, 0, 1);
    channelLayout->setColumnStretch(2, 1);
    channelLayout->addWidget(inputMode, 1, 0, 1, 3);
    auto* outputs = new QHBoxLayout;
    outputs->setSpacing(kGroupMargin);
    outputs->addWidget(midiOut1);
    outputs->addWidget(midiOut2);
    outputs->addStretch();
    channelLayout->addLayout(outputs, 2, 0, 1, 3);
    page->addWidget(channelGroup, 1, 1);

    // Volume sent when the preset is called.
    auto* volumeGroup = new QGroupBox(tr("Volume"));
    auto* volumeLayout = new QGridLayout(volumeGroup);
    Tighten(volumeLayout);
    volumeActive = new CCachedButton<QCheckBox>(tr("&activ"));
    volumeActive->setObjectName(QStringLiteral("volumeActive"));
    volume = Spin("volume", 0, 127, CStepSpinBox::OneThenTen());
    volume->setWrapping(true);
    volumeLabel = Label(tr("Max. &Volume:"), volume);
    volumeLayout->addWidget(volumeActive, 0, 0, 1, 2);
    volumeLayout->addWidget(volumeLabel, 1, 0);
    volumeLayout->addWidget(volume, 1, 1);
    volumeLayout->setColumnStretch(2, 1);
    volumeLayout->setRowStretch(2, 1);
    page->addWidget(volumeGroup, 2, 0);

    // Program change with bank select, the sound it picks and the sound picker.
    auto* programGroup = new QGroupBox(tr("Program Change"));
    auto* programLayout = new QGridLayout(programGroup);
    Tighten(programLayout);
    programActive = new CCachedButton<QCheckBox>(tr("act&iv"));
    programActive->setObjectName(QStringLiteral("programActive"));
    programNumber = Spin("programNumber", 1, 128, CStepSpinBox::OneThenTen());
    programLabel = Label(tr("&Programm-Nr:"), programNumber);
    bankMsb = Spin("bankMsb", 0, 127, CStepSpinBox::OneThenTen());
    msbLabel = Label(tr("Controller &0 (MSB):"), bankMsb);
    bankLsb = Spin("bankLsb", 0, 127, CStepSpinBox::OneThenTen());
    lsbLabel = Label(tr("Controller &32 (LSB):"), bankLsb);
    soundName = new QPlainTextEdit;
    soundName->setObjectName(QStringLiteral("soundName"));
    soundName->setReadOnly(true);
    soundName->setLineWrapMode(QPlainTextEdit::NoWrap);
    soundName->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    soundName->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    soundName->setTabChangesFocus(true);
    const int lineHeight = soundName->fontMetrics().lineSpacing();
    soundName->setFixedHeight(3 * lineHeight + 2 * soundName->frameWidth() +
                              2 * static_cast<int>(soundName->document()->documentMargin()) + 2);
    selectPresetButton = new CCachedButton<QPushButton>(tr("Select Preset ..."));
    selectPresetButton->setObjectName(QStringLiteral("selectPreset"));
    // Numbers on the left, the sound they pick and the sound picker on the right.
    programLayout->addWidget(programActive, 0, 0, 1, 2);
    programLayout->addWidget(programLabel, 1, 0);
    programLayout->addWidget(programNumber, 1, 1);
    programLayout->addWidget(msbLabel, 2, 0);
    programLayout->addWidget(bankMsb, 2, 1);
    programLayout->addWidget(lsbLabel, 3, 0);
    programLayout->addWidget(bankLsb, 3, 1);
    programLayout->addWidget(soundName, 1, 2, 3, 1);
    programLayout->addWidget(selectPresetButton, 0, 2, Qt::AlignLeft);
    programLayout->setColumnStretch(2, 1);
    programLayout->setColumnMinimumWidth(
        2, soundName->fontMetrics().horizontalAdvance(QStringLiteral("Grand Piano Strings")));
    page->addWidget(programGroup, 2, 1);

    // The curves: number and picture.
    auto* aftertouchGroup = new QGroupBox(tr("Aftertouch"));
    auto* aftertouchLayout = new QHBoxLayout(aftertouchGroup);
    Tighten(aftertouchLayout);
    aftertouchCurve = Spin("aftertouchCurve", 0, kAftertouchCurveCount - 1, {{0, 1}});
    aftertouchCurve->SetTypeable(true);
    aftertouchList = new CAftertouchCurveList;
    aftertouchLayout->addWidget(aftertouchCurve, 0, Qt::AlignTop);
    aftertouchLayout->addWidget(aftertouchList, 0, Qt::AlignTop);
    aftertouchLayout->addStretch();
    page->addWidget(aftertouchGroup, 3, 0);

    auto* velocityGroup = new QGroupBox(tr("Velocity"));
    auto* velocityLayout = new QGridLayout(velocityGroup);
    Tighten(velocityLayout);
    velocityCurve = Spin("velocityCurve", 0, kVelocityCurveCount - 1, {{0, 1}});
    velocityCurve->SetTypeable(true);
    velocityList = new CVelocityCurveList;
    // The radio texts are long: each button carries its text in a label beside it, which
    // wraps inside the group; a click on the text clicks the button.
    slowVelocityOne = new CCachedButton<QRadioButton>;
    slowVelocityOne->setObjectName(QStringLiteral("slowVelocityOne"));
    slowVelocityOneText =
        new CCachedLabel(tr("On a slow velocity a dynamic value of 1 will be send. "
                            "This is for sounds like organs."));
    slowVelocityZero = new CCachedButton<QRadioButton>;
    slowVelocityZero->setObjectName(QStringLiteral("slowVelocityZero"));
    slowVelocityZeroText = new CCachedLabel(tr("On a slow velocity a dynamic value of 0 will be "
                                               "send. This is for precussive sounds like pianos."));
    auto* radios = new QButtonGroup(this);
    radios->addButton(slowVelocityOne, 0);
    radios->addButton(slowVelocityZero, 1);
    velocityLayout->addWidget(velocityCurve, 0, 0, Qt::AlignTop);
    velocityLayout->addWidget(velocityList, 0, 1, Qt::AlignTop);
    // Beside the pictures: each radio button with its text wrapped in a label.
    auto* radioGrid = new QGridLayout;
    radioGrid->setHorizontalSpacing(kRowSpacing);
    radioGrid->setVerticalSpacing(kGroupMargin);
    int row = 0;
    for (auto [radio, text] : {std::pair{slowVelocityOne, slowVelocityOneText},
                               std::pair{slowVelocityZero, slowVelocityZeroText}}) {
        text->setWordWrap(true);
        text->installEventFilter(this);
        radio->setAccessibleName(text->text());
        radioGrid->addWidget(radio, row, 0, Qt::AlignTop);
        radioGrid->addWidget(text, row, 1, Qt::AlignTop);
        ++row;
    }
    radioGrid->setRowStretch(row, 1);
    radioGrid->setColumnStretch(1, 1);
    velocityLayout->addLayout(radioGrid, 0, 2);
    velocityLayout->setColumnStretch(2, 1);
    page->addWidget(velocityGroup, 3, 1);

    page->setColumnStretch(0, 0);
    page->setColumnStretch(1, 1);
    page->setRowStretch(4, 1);
}

void CSplitView::ConnectControls() {
    connect(splitActive, &QCheckBox::clicked, this, &CSplitView::OnSplitActiveClicked);
    connect(fromKey, &QSpinBox::valueChanged, this, &CSplitView::OnFromKey);
    connect(toKey, &QSpinBox::valueChanged, this, &CSplitView::OnToKey);
    connect(keyboard, &CKeyboardCtrl::Notify, this, &CSplitView::OnKeyboard);
    // Each key that moves an end is an undo step of its own.
    connect(keyboard, &CKeyboardCtrl::KeyedRange, this, [this] {
        ++keyboardGesture;
        OnKeyboard();
    });
    connect(transpose, &QSpinBox::valueChanged, this, &CSplitView::OnTranspose);
    connect(octaveUp, &QPushButton::clicked, this, [this] { OnOctave(kOctave); });
    connect(octaveDown, &QPushButton::clicked, this, [this] { OnOctave(-kOctave); });
    const int s = splitIndex;
    connect(midiChannel, &QSpinBox::valueChanged, this, [this, s](int value) {
        Modify(
            tr("MIDI-Channel"), [s, value](Preset& p) { p.SetMidiChannel(s, value); },
            MergeKey(PageEdit::Channel, s));
    });
    connect(inputMode, &QComboBox::currentIndexChanged, this, [this, s](int index) {
        if (IsLmk4() && index >= 0)
            Modify(tr("Note source"), [s, index](Preset& p) { p.SetInputMode(s, index); });
    });
    connect(midiOut1, &QCheckBox::clicked, this, [this, s](bool on) {
        if (IsLmk4())
            Modify(tr("Midi Out 1"), [s, on](Preset& p) { p.SetMidiOut1(s, on ? 1 : 0); });
    });
    connect(midiOut2, &QCheckBox::clicked, this, [this, s](bool on) {
        if (IsLmk4())
            Modify(tr("Midi Out 2"), [s, on](Preset& p) { p.SetMidiOut2(s, on ? 1 : 0); });
    });
    connect(volumeActive, &QCheckBox::clicked, this, [this, s](bool on) {
        Modify(tr("Volume on/off"), [s, on](Preset& p) { p.SetVolumeActive(s, on ? 1 : 0); });
    });
    connect(volume, &QSpinBox::valueChanged, this, [this, s](int value) {
        Modify(
            tr("Volume"), [s, value](Preset& p) { p.SetVolume(s, value); },
            MergeKey(PageEdit::Volume, s));
    });
    connect(programActive, &QCheckBox::clicked, this, [this, s](bool on) {
        Modify(tr("Program change on/off"),
               [s, on](Preset& p) { p.SetProgramActive(s, on ? 1 : 0); });
    });
    connect(programNumber, &QSpinBox::valueChanged, this, [this, s](int value) {
        Modify(
            tr("Program"), [s, value](Preset& p) { p.SetProgramNumber(s, value - 1); },
            MergeKey(PageEdit::Program, s));
    });
    connect(bankMsb, &QSpinBox::valueChanged, this, [this, s](int value) {
        Modify(
            tr("Bank MSB"), [s, value](Preset& p) { p.SetBankMsb(s, value); },
            MergeKey(PageEdit::BankMsb, s));
    });
    connect(bankLsb, &QSpinBox::valueChanged, this, [this, s](int value) {
        Modify(
            tr("Bank LSB"), [s, value](Preset& p) { p.SetBankLsb(s, value); },
            MergeKey(PageEdit::BankLsb, s));
    });
    connect(selectPresetButton, &QPushButton::clicked, this, &CSplitView::OnSelectPreset);
    connect(aftertouchList, &QListWidget::currentRowChanged, this, &CSplitView::OnAftertouchCurve);
    connect(aftertouchCurve, &QSpinBox::valueChanged, this, &CSplitView::OnAftertouchCurve);
    connect(velocityList, &QListWidget::currentRowChanged, this, &CSplitView::OnVelocityCurve);
    connect(velocityCurve, &QSpinBox::valueChanged, this, &CSplitView::OnVelocityCurve);
    // A radio button counts as a new choice of the curve shown.
    const auto radioClicked = [this] { OnVelocityCurve(velocityList->currentRow()); };
    connect(slowVelocityOne, &QRadioButton::clicked, this, radioClicked);
    connect(slowVelocityZero, &QRadioButton::clicked, this, radioClicked);
}

void CSplitView::SetSelectPresetFunction(SelectPresetFunction function) {
    selectPreset = std::move(function);
    selectPresetButton->setToolTip(
        selectPreset ? QString() : tr("Picking a sound by name is not available yet."));
    Refresh();
}

bool CSplitView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        QRadioButton* radio = watched == slowVelocityOneText    ? slowVelocityOne
                              : watched == slowVelocityZeroText ? slowVelocityZero
                                                                : nullptr;
        if (radio && radio->isEnabled() && !radio->isChecked()) {
            radio->click();
            return true;
        }
    }
    return CFormPage::eventFilter(watched, event);
}

void CSplitView::Refresh() {
    const Preset& p = Current();
    const int s = splitIndex;
    // A split turned on or off repaints the whole page once, with every value shown below.
    const bool active = p.lowKey[s] != 0 || p.highKey[s] != 0;
    const OneRepaint wholePage(Form(), keyboardHint->isEnabled() != active);
    const QSignalBlocker blockers[] = {
        QSignalBlocker(splitActive),     QSignalBlocker(fromKey),
        QSignalBlocker(toKey),           QSignalBlocker(transpose),
        QSignalBlocker(midiChannel),     QSignalBlocker(inputMode),
        QSignalBlocker(midiOut1),        QSignalBlocker(midiOut2),
        QSignalBlocker(volumeActive),    QSignalBlocker(volume),
        QSignalBlocker(programActive),   QSignalBlocker(programNumber),
        QSignalBlocker(bankMsb),         QSignalBlocker(bankLsb),
        QSignalBlocker(aftertouchCurve), QSignalBlocker(aftertouchList),
        QSignalBlocker(velocityCurve),   QSignalBlocker(velocityList),
        QSignalBlocker(slowVelocityOne), QSignalBlocker(slowVelocityZero)};

    // The widget shows the sorted range, limited to the keyboard; the preset keeps its bytes.
    const int low = std::clamp<int>(p.lowKey[s], kLowestNote, kHighestNote);
    const int high = std::clamp<int>(p.highKey[s], kLowestNote, kHighestNote);
    keyboard->ShowRange(std::min(low, high) - kLowestNote, std::max(low, high) - kLowestNote);
    SetSplitActive(active);

    transpose->Show(TransposeShown(p.transpose[s]));
    midiChannel->Show(p.GetMidiChannel(s));
    programNumber->Show(p.programNumber[s] + 1);
    volume->Show(p.volume[s]);
    bankMsb->Show(p.bankMsb[s]);
    bankLsb->Show(p.bankLsb[s]);
    programActive->setChecked(p.programActive[s] != 0);
    volumeActive->setChecked(p.volumeActive[s] != 0);

    const int aftertouch = std::min<int>(p.aftertouchCurve[s], kAftertouchCurveCount - 1);
    aftertouchList->ShowCurve(aftertouch);
    aftertouchCurve->Show(aftertouch);

    // On the LMK3 nothing is stored for the LMK4-only controls: they show nothing.
    const bool lmk4 = IsLmk4();
    auto* radios = slowVelocityOne->group();
    radios->setExclusive(lmk4);
    slowVelocityOne->setChecked(lmk4 && p.slowVelocityZero[s] == 0);
    slowVelocityZero->setChecked(lmk4 && p.slowVelocityZero[s] != 0);

    const int velocity = std::min<int>(p.velocityCurve[s], kVelocityCurveCount - 1);
    velocityCurve->Show(velocity);
    velocityList->ShowCurve(velocity);

    if (lmk4) {
        inputMode->setCurrentIndex(p.inputMode[s] < inputMode->count() ? p.inputMode[s] : -1);
        midiOut1->setChecked(p.midiOut1[s] != 0);
        midiOut2->setChecked(p.midiOut2[s] != 0);
    } else {
        inputMode->setCurrentIndex(-1);
        midiOut1->setChecked(false);
        midiOut2->setChecked(false);
    }
    ShowSoundName();
}

void CSplitView::SetSplitActive(bool active) {
    const Preset& p = Current();
    const int s = splitIndex;
    const QSignalBlocker blockActive(splitActive);
    const QSignalBlocker blockFrom(fromKey);
    const QSignalBlocker blockTo(toKey);
    splitActive->setChecked(active);
    if (active) {
        if (p.lowKey[s] == 0 && p.highKey[s] == 0) {
            keyboard->ShowRange(0, CKeyboardCtrl::kKeyCount - 1);
        }
        const int low = keyboard->lowIndex + kLowestNote;
        const int high = keyboard->highIndex + kLowestNote;
        fromKey->SetBlank(false);
        toKey->SetBlank(false);
        fromKey->ShowRange(kLowestNote, high, low);
        toKey->ShowRange(low, kHighestNote, high);
    } else {
        fromKey->SetBlank(true);
        toKey->SetBlank(true);
    }

    const QColor colour = active ? kActiveColour : kInactiveColour;
    if (colour != tabColour) {
        tabColour = colour;
        emit TabColorChanged(tabColour);
    }

    // Turning the split on or off greys or lights up nearly every control: one repaint of the
    // whole page costs less than the region of thirty controls repainting one by one. (Within
    // Refresh the page is held already, and this one holds nothing.)
    const OneRepaint wholePage(Form(), keyboardHint->isEnabled() != active);
    SetEnabled({keyboardHint, fromLabel,       toLabel,        keyboard,      fromKey,
                toKey,        aftertouchCurve, aftertouchList, velocityCurve, velocityList,
                octaveUp,     octaveDown,      volumeActive,   programActive, transpose,
                midiChannel,  soundName,       transposeLabel, stepsLabel,    channelLabel,
                volumeLabel,  programLabel,    msbLabel,       lsbLabel},
               active);
    SetEnabled({inputMode, midiOut1, midiOut2, slowVelocityOne, slowVelocityZero,
                slowVelocityOneText, slowVelocityZeroText},
               active && IsLmk4());
    const bool program = active && p.programActive[s] != 0;
    SetEnabled({programNumber, bankMsb, bankLsb}, program);
    selectPresetButton->setEnabled(program && selectPreset != nullptr);
    volume->setEnabled(active && p.volumeActive[s] != 0);
}

void CSplitView::ShowSoundName() {
    const Preset& p = Current();
    const int s = splitIndex;
    std::string list;
    std::string bank;
    std::string sound;
    QString text = QStringLiteral(" ");
    if (app.LookupSound(p.GetMidiChannel(s) - 1, p.bankMsb[s], p.bankLsb[s], p.programNumber[s],
                        list, bank, sound)) {
        text = presetor::SoundText(list) + QLatin1Char('\n') + presetor::SoundText(bank) +
               QLatin1Char('\n') + presetor::SoundText(sound);
    }
    if (text != shownSoundName) {
        shownSoundName = text;
        soundName->setPlainText(text);
    }
}

int CSplitView::SlowVelocityChoice() const {
    return slowVelocityZero->isChecked() ? 1 : 0;
}

void CSplitView::OnSplitActiveClicked(bool checked) {
    const int s = splitIndex;
    Modify(checked ? tr("Split on") : tr("Split off"), [s, checked](Preset& p) {
        if (!checked) {
            p.highKey[s] = 0;
            p.lowKey[s] = 0;
        } else if (p.lowKey[s] == 0 && p.highKey[s] == 0) {
            // A split switched on covers the whole keyboard.
            p.highKey[s] = kHighestNote;
            p.lowKey[s] = kLowestNote;
        }
    });
}

void CSplitView::OnFromKey(int note) {
    const int s = splitIndex;
    Modify(
        tr("Lower key"), [s, note](Preset& p) { p.SetLowKey(s, note); },
        MergeKey(PageEdit::Keys, s));
}

void CSplitView::OnToKey(int note) {
    const int s = splitIndex;
    Modify(
        tr("Upper key"), [s, note](Preset& p) { p.SetHighKey(s, note); },
        MergeKey(PageEdit::Keys, s));
}

void CSplitView::OnKeyboard() {
    // Moving the mouse over the keyboard without a button marks nothing: the stored keys stay
    // as they are, even when the widget shows them corrected (sorted, limited).
    if (keyboard->IsHoverNotification())
        return;
    // One undo step per press and drag: the key alternates between gestures so that two drags
    // in a row stay apart.
    if (keyboard->IsDragging() && !keyboardGestureOpen) {
        keyboardGestureOpen = true;
        ++keyboardGesture;
    } else if (!keyboard->IsDragging()) {
        keyboardGestureOpen = false;
    }
    const int s = splitIndex;
    const int low = keyboard->lowIndex + kLowestNote;
    const int high = keyboard->highIndex + kLowestNote;
    Modify(
        tr("Key range"),
        [s, low, high](Preset& p) {
            p.SetHighKey(s, high);
            p.SetLowKey(s, low);
        },
        MergeKey(PageEdit::Keyboard, s * 2 + (keyboardGesture & 1)));
}

void CSplitView::OnTranspose(int value) {
    const int s = splitIndex;
    Modify(
        tr("Transpose"), [s, value](Preset& p) { p.SetTranspose(s, TransposeStored(value)); },
        MergeKey(PageEdit::Transpose, s));
}

void CSplitView::OnOctave(int semitones) {
    const int value = std::clamp(transpose->value() + semitones, -kMaxTranspose, kMaxTranspose);
    const int s = splitIndex;
    Modify(semitones > 0 ? tr("+1 Octave") : tr("-1 Octave"),
           [s, value](Preset& p) { p.SetTranspose(s, TransposeStored(value)); });
}

void CSplitView::OnAftertouchCurve(int curve) {
    if (curve < 0)
        return;
    const int s = splitIndex;
    const int v = std::min(curve, kAftertouchCurveCount - 1);
    Modify(
        tr("Aftertouch curve"), [s, v](Preset& p) { p.SetAftertouchCurve(s, v); },
        MergeKey(PageEdit::Aftertouch, s));
}

void CSplitView::OnVelocityCurve(int curve) {
    const int s = splitIndex;
    const int v = std::clamp(curve, 0, kVelocityCurveCount - 1); // no selection counts as 0
    const bool lmk4 = IsLmk4();
    const int slow = SlowVelocityChoice();
    Modify(
        tr("Velocity curve"),
        [s, v, lmk4, slow](Preset& p) {
            if (lmk4)
                p.SetSlowVelocityZero(s, slow);
            p.SetVelocityCurve(s, v);
        },
        MergeKey(PageEdit::Velocity, s));
}

void CSplitView::OnSelectPreset() {
    if (!selectPreset)
        return;
    const int s = splitIndex;
    int program = 0;
    int msb = 0;
    int lsb = 0;
    QString text;
    if (!selectPreset(this, Current().GetMidiChannel(s), program, msb, lsb, text))
        return;
    // Values outside a MIDI data byte are never folded into another sound; the sound lists
    // refuse them when they are read, so such a choice cannot arise.
    const auto inRange = [](int v) { return v >= 0 && v <= 127; };
    if (!inRange(program) || !inRange(msb) || !inRange(lsb))
        return;
    Modify(tr("Select Preset"), [s, program, msb, lsb](Preset& p) {
        p.SetProgramNumber(s, program);
        p.SetBankMsb(s, msb);
        p.SetBankLsb(s, lsb);
    });
    // The dialog's own text is the last thing written into the box.
    shownSoundName = text;
    soundName->setPlainText(text);
}
