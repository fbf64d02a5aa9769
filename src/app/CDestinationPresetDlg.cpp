// Destination preset dialog.
#include "CDestinationPresetDlg.h"

#include "Strings.h"

#include "model/Preset.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// A spin whose field shows the preset's name and position instead of the number. A preset can
// also be typed: its serial number ("96") or bank and place ("12.8"), taken on Enter or when the
// field loses the focus; Escape takes back what was typed.
class PresetSpin final : public QSpinBox {
public:
    PresetSpin(const presetor::Bank& b, QWidget* parent) : QSpinBox(parent), bank(b) {
        setKeyboardTracking(false);
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
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape && lineEdit()->text() != textFromValue(value())) {
            lineEdit()->setText(textFromValue(value()));
            lineEdit()->selectAll();
            event->accept();
            return;
        }
        QSpinBox::keyPressEvent(event);
    }
    QString textFromValue(int value) const override {
        return CDestinationPresetDlg::PresetText(bank, value);
    }
    int valueFromText(const QString& text) const override {
        const int index = presetor::ParsePresetPosition(text.toStdString(), maximum() + 1);
        return index >= 0 ? index : value();
    }
    QValidator::State validate(QString& input, int&) const override {
        if (input.size() > 40)
            return QValidator::Invalid;
        return presetor::ParsePresetPosition(input.toStdString(), maximum() + 1) >= 0
                   ? QValidator::Acceptable
                   : QValidator::Intermediate;
    }

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
    // A number still being typed counts as taken.
    spin->interpretText();
    return spin->value();
}

QString CDestinationPresetDlg::PresetText(const presetor::Bank& bank, int index) {
    const auto& preset = bank.presets[static_cast<std::size_t>(index)];
    return QString::fromLatin1(presetor::PresetTitleText(preset, index));
}
