#include "CStepSpinBox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>

namespace {

// A typed text as it is compared: upper case, without blanks.
QString Folded(const QString& text) {
    QString folded;
    for (const QChar c : text) {
        if (!c.isSpace())
            folded += c.toUpper();
    }
    return folded;
}

// The longest text a field takes while it is typed.
constexpr int kMaxTypedLength = 8;

} // namespace

CStepSpinBox::CStepSpinBox(QWidget* parent) : QSpinBox(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // A typed value counts once, when it is taken, not at every key.
    setKeyboardTracking(false);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    // The edit fills its own background with the colour the spin box has under it: a new value
    // then repaints the edit alone, not the spin box, its group and the page around it.
    lineEdit()->setBackgroundRole(QPalette::Base);
    lineEdit()->setAutoFillBackground(true);
}

void CStepSpinBox::SetTypeable(bool on) {
    typeable = on;
    lineEdit()->setReadOnly(!IsTypeable());
}

void CStepSpinBox::SetTextFunction(std::function<QString(int)> function) {
    textFunction = std::move(function);
    UpdateText();
}

void CStepSpinBox::FixSizeForAllTexts() {
    const QFontMetrics metrics = fontMetrics();
    const auto width = [&](int v) {
        const QString text = textFunction ? textFunction(v) : QString::number(v);
        return metrics.horizontalAdvance(text + QLatin1Char(' '));
    };
    const int ends = std::max(width(minimum()), width(maximum()));
    int widest = ends;
    for (int v = minimum(); v <= maximum(); ++v)
        widest = std::max(widest, width(v));
    const QSize hint = QSpinBox::sizeHint();
    setFixedSize(hint.width() + widest - ends, hint.height());
}

void CStepSpinBox::SetBlank(bool on) {
    if (blank == on)
        return;
    blank = on;
    lineEdit()->setReadOnly(!IsTypeable());
    UpdateText();
}

void CStepSpinBox::SetArrowsOnly(bool on) {
    arrowsOnly = on;
    lineEdit()->setReadOnly(!IsTypeable());
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
        const QuietFrame quiet(this);
        const QSignalBlocker blocker(this);
        setValue(v);
    }
    UpdateText();
}

void CStepSpinBox::ShowRange(int low, int high, int v) {
    if (low != minimum() || high != maximum()) {
        const QuietFrame quiet(this);
        const QSignalBlocker blocker(this);
        setRange(low, high);
    }
    Show(v);
}

CStepSpinBox::QuietFrame::QuietFrame(CStepSpinBox* box)
    : spin(box), arrows(box->stepEnabled()), wasQuiet(box->testAttribute(Qt::WA_UpdatesDisabled)) {
    // Only this widget: its edit repaints itself when its text changes.
    spin->setAttribute(Qt::WA_UpdatesDisabled, true);
}

CStepSpinBox::QuietFrame::~QuietFrame() {
    spin->setAttribute(Qt::WA_UpdatesDisabled, wasQuiet);
    if (spin->stepEnabled() != arrows)
        spin->update();
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

bool CStepSpinBox::ParseTyped(const QString& text, int& result) const {
    const QString folded = Folded(text);
    if (folded.isEmpty())
        return false;
    if (textFunction) {
        for (int v = minimum(); v <= maximum(); ++v) {
            if (Folded(textFunction(v)) == folded) {
                result = v;
                return true;
            }
        }
    }
    bool ok = false;
    const int typed = folded.toInt(&ok);
    if (!ok)
        return false;
    result = std::clamp(typed, minimum(), maximum());
    return true;
}

int CStepSpinBox::valueFromText(const QString& text) const {
    int typed = 0;
    if (!IsTypeable() || !ParseTyped(text, typed))
        return value();
    return typed;
}

QValidator::State CStepSpinBox::validate(QString& input, int& pos) const {
    if (!IsTypeable())
        return QValidator::Acceptable;
    if (input.size() > kMaxTypedLength)
        return QValidator::Invalid;
    if (textFunction) {
        // Names are typed letter by letter: anything may grow into one until it is taken. The
        // edit also checks every text it is given, mostly the value's own name: that one is
        // known without naming every value of the range.
        if (input == textFromValue(value()))
            return QValidator::Acceptable;
        int typed = 0;
        return ParseTyped(input, typed) ? QValidator::Acceptable : QValidator::Intermediate;
    }
    // Numbers: digits, with a sign where the range has negative values.
    const QString folded = Folded(input);
    for (qsizetype i = 0; i < folded.size(); ++i) {
        const QChar c = folded[i];
        const bool sign =
            i == 0 && (c == QLatin1Char('+') || (c == QLatin1Char('-') && minimum() < 0));
        if (!c.isDigit() && !sign)
            return QValidator::Invalid;
    }
    bool ok = false;
    const int typed = folded.toInt(&ok);
    if (!ok)
        return QValidator::Intermediate; // empty, or a sign alone
    if (typed > maximum() && maximum() >= 0 && !folded.startsWith(QLatin1Char('-'))) {
        // A number beyond the last one is limited to it as it is typed.
        input = QString::number(maximum());
        pos = static_cast<int>(input.size());
        return QValidator::Acceptable;
    }
    return typed < minimum() || typed > maximum() ? QValidator::Intermediate
                                                  : QValidator::Acceptable;
}

void CStepSpinBox::fixup(QString& input) const {
    // A number outside the range is taken as the nearest end; other texts stay as they are, and
    // the field then shows its value again.
    int typed = 0;
    if (IsTypeable() && !textFunction && ParseTyped(input, typed))
        input = textFromValue(typed);
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
    case Qt::Key_Escape:
        // Escape takes back what was typed; with nothing typed it goes on to the dialog.
        if (lineEdit()->text() != textFromValue(value())) {
            UpdateText();
            lineEdit()->selectAll();
            event->accept();
            return;
        }
        break;
    case Qt::Key_Enter:
    case Qt::Key_Return: {
        const bool was = takingTyped;
        takingTyped = true;
        QSpinBox::keyPressEvent(event);
        takingTyped = was;
        // The field shows the value in its own format (a name typed in small letters).
        UpdateText();
        return;
    }
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

void CStepSpinBox::focusOutEvent(QFocusEvent* event) {
    const bool was = takingTyped;
    takingTyped = true;
    QSpinBox::focusOutEvent(event);
    takingTyped = was;
    UpdateText();
}

void CStepSpinBox::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat())
        held.invalidate();
    QSpinBox::keyReleaseEvent(event);
}
