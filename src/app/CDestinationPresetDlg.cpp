// Destination preset dialog.
#include "CDestinationPresetDlg.h"

#include "Strings.h"

#include "model/Preset.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// A spin whose field shows the preset's name and position instead of the number; the field
// itself cannot be typed into, only stepped.
class PresetSpin final : public QSpinBox {
public:
    PresetSpin(const presetor::Bank& b, QWidget* parent) : QSpinBox(parent), bank(b) {
        lineEdit()->setReadOnly(true);
    }

    void stepBy(int steps) override {
        QSpinBox::stepBy(steps);
        lineEdit()->deselect();
    }

protected:
    void focusInEvent(QFocusEvent* event) override {
        QSpinBox::focusInEvent(event);
        lineEdit()->deselect();
    }
    QString textFromValue(int value) const override {
        return CDestinationPresetDlg::PresetText(bank, value);
    }
    int valueFromText(const QString&) const override { return value(); }
    QValidator::State validate(QString&, int&) const override { return QValidator::Acceptable; }

private:
    const presetor::Bank& bank;
};

} // namespace

CDestinationPresetDlg::CDestinationPresetDlg(const presetor::Bank& bank, int mode, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("destinationPresetDialog"));
    setWindowTitle(tr("Select Destination-Preset"));
    // Wide enough for the whole title beside the window's icon and buttons.
    QFont titleFont = font();
    titleFont.setBold(true);
    setMinimumWidth(QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + 160);

    const int promptId = mode == kCopy     ? presetor::IDS_DEST_COPY
                         : mode == kInsert ? presetor::IDS_DEST_INSERT
                                           : presetor::IDS_DEST_EXCHANGE;
    auto* prompt = new QLabel(presetor::Str(promptId), this);
    prompt->setObjectName(QStringLiteral("prompt"));
    prompt->setWordWrap(true);

    spin = new PresetSpin(bank, this);
    spin->setObjectName(QStringLiteral("presetSpin"));
    spin->setRange(0, bank.PresetCount() - 1);
    spin->setValue(0);
    spin->setMinimumWidth(
        spin->fontMetrics().horizontalAdvance(QStringLiteral("WWWWWWWW - 16.7 (127)")) + 40);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(spin);
    layout->addWidget(buttons);
    spin->setFocus();
}

int CDestinationPresetDlg::destination() const {
    return spin->value();
}

QString CDestinationPresetDlg::PresetText(const presetor::Bank& bank, int index) {
    const auto& preset = bank.presets[static_cast<std::size_t>(index)];
    return QString::fromLatin1(presetor::PresetTitleText(preset, index));
}
