#include "CKeyboardCtrl.h"

#include "CKeyboardAccessible.h"

#include "app/Strings.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include <algorithm>

namespace {

const char* const kNoteNames[12] = {"A ", "B ", "H ", "C ", "C#", "D ",
                                    "D#", "E ", "F ", "F#", "G ", "G#"};

const QColor kRed(255, 0, 0);
const QColor kGrey(128, 128, 128);

} // namespace

CKeyboardCtrl::CKeyboardCtrl(QWidget* parent) : QWidget(parent) {
    for (int i = 0; i < kKeyCount; ++i)
        keys[static_cast<std::size_t>(i)].white = IsWhite(i);
    LayoutKeys();
    // Every movement is reported to the page, also without a pressed button.
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(kKeyboardWidth, kKeyboardHeight);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // Reachable with Tab; the arrow keys move the ends of the range.
    setFocusPolicy(Qt::StrongFocus);
    InstallKeyboardAccessible();
}

bool CKeyboardCtrl::IsWhite(int key) {
    switch (key % 12) {
    case 1:
    case 4:
    case 6:
    case 9:
    case 11:
        return false;
    default:
        return true;
    }
}

QString CKeyboardCtrl::KeyName(int key) {
    if (key < 0 || key >= kKeyCount)
        return QString();
    return QString::fromLatin1(kNoteNames[key % 12]);
}

QString CKeyboardCtrl::KeyNameWithOctave(int key) {
    if (key < 0 || key >= kKeyCount)
        return QString();
    // Middle C (MIDI note 60) is C 3.
    const int octave = (key + kFirstNote) / 12 - 2;
    return KeyName(key).trimmed() + QLatin1Char(' ') + QString::number(octave);
}

QString CKeyboardCtrl::RangeText() const {
    if (IsEmpty())
        return presetor::Str(presetor::IDS_ACC_NO_KEYS);
    return presetor::Str(presetor::IDS_ACC_KEY_RANGE)
        .arg(KeyNameWithOctave(lowIndex), KeyNameWithOctave(highIndex));
}

QSize CKeyboardCtrl::sizeHint() const {
    return QSize(kKeyboardWidth, kKeyboardHeight);
}

QSize CKeyboardCtrl::minimumSizeHint() const {
    return sizeHint();
}

void CKeyboardCtrl::LayoutKeys() {
    int x = 0;
    for (auto& key : keys) {
        if (key.white) {
            key.left = x;
            x += kWhiteStep;
        }
    }
    x = -2;
    for (auto& key : keys) {
        if (key.white)
            x += kWhiteStep;
        else
            key.left = x;
    }
}

int CKeyboardCtrl::KeyFromPoint(int x, int y) const {
    const bool belowBlack = y > kBlackHeight - 1;
    for (int n = kKeyCount - 1; n >= 1; --n) {
        const Key& key = keys[static_cast<std::size_t>(n)];
        if ((key.white || !belowBlack) && key.left < x)
            return n;
    }
    return 0;
}

void CKeyboardCtrl::paintEvent(QPaintEvent*) {
    // Each key is a rectangle with a 2-pixel outline centred on its edges; neighbours overlap by
    // one pixel, so the outline between two white keys is 2 pixels wide. The outlines are laid
    // down as one fill under the keys and each key's inside is filled over it, which gives the
    // same pixels as stroking every rectangle, at a fraction of the cost.
    QPainter painter(this);
    const bool grey = !isEnabled() || IsEmpty();
    const QColor outline = grey ? kGrey : QColor(Qt::black);
    const int bottom = height();
    painter.fillRect(rect(), palette().window());
    painter.fillRect(QRect(0, 0, kKeyboardWidth, bottom), outline);

    for (int i = 0; i < kKeyCount; ++i) {
        const Key& key = keys[static_cast<std::size_t>(i)];
        if (!key.white)
            continue;
        const bool inside = lowIndex <= i && i <= highIndex;
        painter.fillRect(QRect(key.left + 1, 1, kWhiteStep - 2, bottom - 2),
                         grey || inside ? QColor(Qt::white) : kRed);
    }
    for (int i = 0; i < kKeyCount; ++i) {
        const Key& key = keys[static_cast<std::size_t>(i)];
        if (key.white)
            continue;
        const bool inside = lowIndex <= i && i <= highIndex;
        painter.fillRect(QRect(key.left - 1, 0, kBlackWidth + 2, kBlackHeight + 1), outline);
        painter.fillRect(QRect(key.left + 1, 1, kBlackWidth - 2, kBlackHeight - 2),
                         grey     ? kGrey
                         : inside ? QColor(Qt::black)
                                  : kRed);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void CKeyboardCtrl::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    // Qt grabs the mouse for the pressed widget until release, so moves outside still count.
    dragging = true;
    const QPoint p = event->position().toPoint();
    lowIndex = highIndex = KeyFromPoint(p.x(), p.y());
    update();
    emit Notify();
}

void CKeyboardCtrl::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    if (dragging) {
        const QPoint p = event->position().toPoint();
        const int k = KeyFromPoint(p.x(), p.y());
        if (k < lowIndex)
            lowIndex = k;
        else if (k > highIndex)
            highIndex = k;
        else if (lowIndex < k && k < highIndex)
            highIndex = k; // the upper end follows the pointer back into the range
        update();
    }
    emit Notify();
}

void CKeyboardCtrl::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    dragging = false;
    emit Notify();
}

void CKeyboardCtrl::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        update();
}

void CKeyboardCtrl::keyPressEvent(QKeyEvent* event) {
    // Without Shift the arrows move the lower end, with Shift the upper end; Up and Down move by
    // an octave. Home takes the lower end to the first key, End the upper end to the last. An
    // end pushed past the other takes the other along.
    const bool upper = event->modifiers() & Qt::ShiftModifier;
    int low = lowIndex;
    int high = highIndex;
    int& end = upper ? high : low;
    switch (event->key()) {
    case Qt::Key_Left:
        --end;
        break;
    case Qt::Key_Right:
        ++end;
        break;
    case Qt::Key_Down:
        end -= 12;
        break;
    case Qt::Key_Up:
        end += 12;
        break;
    case Qt::Key_Home:
        low = 0;
        break;
    case Qt::Key_End:
        high = kKeyCount - 1;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    low = std::clamp(low, 0, kKeyCount - 1);
    high = std::clamp(high, 0, kKeyCount - 1);
    if (low > high) {
        if (upper)
            low = high;
        else
            high = low;
    }
    if (low == lowIndex && high == highIndex)
        return;
    lowIndex = low;
    highIndex = high;
    update();
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent change(this, RangeText());
        QAccessible::updateAccessibility(&change);
    }
    emit KeyedRange();
}

void CKeyboardCtrl::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void CKeyboardCtrl::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}
