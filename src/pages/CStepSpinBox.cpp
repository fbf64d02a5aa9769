#include "CStepSpinBox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>

CStepSpinBox::CStepSpinBox(QWidget* parent) : QSpinBox(parent) {
    lineEdit()->setReadOnly(true);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void CStepSpinBox::SetTypeable(bool on) {
    typeable = on;
    lineEdit()->setReadOnly(!on);
}

void CStepSpinBox::SetTextFunction(std::function<QString(int)> function) {
    textFunction = std::move(function);
    UpdateText();
}

void CStepSpinBox::SetBlank(bool on) {
    if (blank == on)
        return;
    blank = on;
    UpdateText();
}

void CStepSpinBox::SetArrowsOnly(bool on) {
    arrowsOnly = on;
    lineEdit()->setVisible(!on);
    // The hidden edit cannot take the focus for the spin.
    setFocusProxy(on ? nullptr : lineEdit());
    updateGeometry();
}

QSize CStepSpinBox::sizeHint() const {
    QSize hint = QSpinBox::sizeHint();
    if (!arrowsOnly)
        return hint;
    // As wide as the arrows: the style's edit field and the frame left of it take no room.
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    option.rect = QRect(QPoint(0, 0), hint);
    const QRect up =
        style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, this);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    hint.setWidth(std::clamp(hint.width() - up.left() + frame, frame, hint.width()));
    return hint;
}

QSize CStepSpinBox::minimumSizeHint() const {
    return arrowsOnly ? sizeHint() : QSpinBox::minimumSizeHint();
}

void CStepSpinBox::Show(int v) {
    // Setting the same value would still rewrite and repaint the edit.
    if (v != value()) {
        const QSignalBlocker blocker(this);
        setValue(v);
    }
    UpdateText();
}

void CStepSpinBox::ShowRange(int low, int high, int v) {
    if (low != minimum() || high != maximum()) {
        const QSignalBlocker blocker(this);
        setRange(low, high);
    }
    Show(v);
}

void CStepSpinBox::UpdateText() {
    const QString text = textFromValue(value());
    if (lineEdit()->text() != text)
        lineEdit()->setText(text);
}

int CStepSpinBox::StepCountAfter(qint64 heldMs) const {
    int count = 1;
    for (const Step& step : steps) {
        if (heldMs >= step.heldMs)
            count = step.count;
    }
    return count;
}

void CStepSpinBox::stepBy(int count) {
    const qint64 heldMs = held.isValid() ? held.elapsed() : 0;
    QSpinBox::stepBy(count * StepCountAfter(heldMs));
}

QString CStepSpinBox::textFromValue(int v) const {
    if (blank)
        return QString();
    if (textFunction)
        return textFunction(v);
    return QString::number(v);
}

int CStepSpinBox::valueFromText(const QString& text) const {
    if (!typeable || blank || textFunction)
        return value();
    bool ok = false;
    const int typed = text.toInt(&ok);
    return ok ? std::clamp(typed, minimum(), maximum()) : value();
}

QValidator::State CStepSpinBox::validate(QString& input, int& pos) const {
    if (!typeable || blank || textFunction)
        return QValidator::Acceptable;
    if (input.isEmpty())
        return QValidator::Intermediate;
    for (const QChar c : input) {
        if (!c.isDigit())
            return QValidator::Invalid;
    }
    bool ok = false;
    const int typed = input.toInt(&ok);
    if (!ok || typed > maximum()) {
        // A number beyond the last one is limited to it as it is typed.
        input = QString::number(maximum());
        pos = static_cast<int>(input.size());
        return QValidator::Acceptable;
    }
    return typed < minimum() ? QValidator::Intermediate : QValidator::Acceptable;
}

void CStepSpinBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        held.start();
    QSpinBox::mousePressEvent(event);
}

void CStepSpinBox::mouseReleaseEvent(QMouseEvent* event) {
    QSpinBox::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        held.invalidate();
}

void CStepSpinBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (!event->isAutoRepeat())
            held.start();
        break;
    default:
        break;
    }
    QSpinBox::keyPressEvent(event);
}

void CStepSpinBox::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat())
        held.invalidate();
    QSpinBox::keyReleaseEvent(event);
}
