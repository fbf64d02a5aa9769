#include "CKeyboardCtrl.h"

#include "CKeyboardAccessible.h"

#include "app/Strings.h"
#include "model/PresetTexts.h"

#include <QAccessible>
#include <QFont>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

const char* const kNoteNames[12] = {"A ", "B ", "H ", "C ", "C#", "D ",
                                    "D#", "E ", "F ", "F#", "G ", "G#"};

const QColor kRed(255, 0, 0);
const QColor kGrey(128, 128, 128);
// Shown between two black keys that stand side by side, so that they do not merge.
const QColor kGap(208, 208, 208);

constexpr int kKeyC = 3; // key index modulo 12 of a C

} // namespace

CKeyboardCtrl::CKeyboardCtrl(QWidget* parent) : QWidget(parent) {
    for (int i = 0; i < kKeyCount; ++i)
        keys[static_cast<std::size_t>(i)].white = IsWhite(i);
    LayoutKeys();
    // Every movement is reported to the page, also without a pressed button.
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMinimumWidth(kKeyboardWidth);
    setFixedHeight(kLayoutHeight);
    setMaximumWidth(static_cast<int>(kKeyboardWidth * kMaxScale));
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

QString CKeyboardCtrl::PitchName(int key) {
    if (key < 0 || key >= kKeyCount)
        return QString();
    return QString::fromLatin1(kNoteNames[key % 12]);
}

int CKeyboardCtrl::Octave(int key) {
    // MIDI note 60 (middle C) is in octave 3, as the keyboard counts.
    return (key + kFirstNote) / 12 - 2;
}

QString CKeyboardCtrl::KeyName(int key) {
    if (key < 0 || key >= kKeyCount)
        return QString();
    return QString::fromStdString(presetor::KeyNameWithOctave(key + kFirstNote));
}

namespace {

// The scale for a width: in quarter steps, so that the keys keep an even pattern of pixels.
double ScaleFor(int width) {
    const double quarters = std::floor(width * 4.0 / CKeyboardCtrl::kKeyboardWidth);
    return std::clamp(quarters / 4.0, 1.0, CKeyboardCtrl::kMaxScale);
}

} // namespace

double CKeyboardCtrl::Scale() const {
    return ScaleFor(width());
}

QString CKeyboardCtrl::RangeText() const {
    if (IsEmpty())
        return presetor::Str(presetor::IDS_ACC_NO_KEYS);
    return presetor::Str(presetor::IDS_ACC_KEY_RANGE).arg(KeyName(lowIndex), KeyName(highIndex));
}

QSize CKeyboardCtrl::sizeHint() const {
    return QSize(kKeyboardWidth, kLayoutHeight);
}

QSize CKeyboardCtrl::minimumSizeHint() const {
    return sizeHint();
}

int CKeyboardCtrl::heightForWidth(int w) const {
    return static_cast<int>(std::ceil(kLayoutHeight * ScaleFor(w)));
}

void CKeyboardCtrl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The height follows the width the page gives (layouts do not pass a height for a width
    // through group boxes and scroll areas reliably).
    const int wanted = heightForWidth(width());
    if (wanted != height())
        setFixedHeight(wanted);
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

int CKeyboardCtrl::KeyAt(QPointF p) const {
    // A widget pixel belongs to the layout pixel that holds its centre; painting under the same
    // scale fills exactly those pixels (no antialiasing), so hits and pictures agree.
    const double scale = Scale();
    const int x = static_cast<int>(std::floor((std::floor(p.x()) + 0.5) / scale));
    const int y = static_cast<int>(std::floor((std::floor(p.y()) + 0.5) / scale));
    return KeyFromPoint(x, y);
}

void CKeyboardCtrl::ShowRange(int low, int high) {
    if (low == lowIndex && high == highIndex)
        return;
    const bool wasEmpty = IsEmpty();
    const int oldLow = lowIndex;
    const int oldHigh = highIndex;
    lowIndex = low;
    highIndex = high;
    if (wasEmpty != IsEmpty()) {
        update(); // every key and outline changes colour
        return;
    }
    // Only the keys that come into or leave the range change colour.
    int first = kKeyCount;
    int last = -1;
    for (int i = 0; i < kKeyCount; ++i) {
        const bool was = oldLow <= i && i <= oldHigh;
        const bool is = low <= i && i <= high;
        if (was != is) {
            first = std::min(first, i);
            last = i;
        }
    }
    if (last >= 0)
        update(KeysRect(first, last));
}

QRect CKeyboardCtrl::KeysRect(int first, int last) const {
    // A white key reaches one pixel into its neighbours, a black key's outline one pixel beyond
    // its edges; two more pixels on each side cover rounding at every scale.
    const double scale = Scale();
    const int left = static_cast<int>(std::floor((KeyLeft(first) - 3) * scale));
    const int right = static_cast<int>(std::ceil((KeyLeft(last) + kWhiteWidth + 3) * scale));
    const int bottom = static_cast<int>(std::ceil(kKeyboardHeight * scale));
    return QRect(left, 0, right - left, bottom).intersected(rect());
}

void CKeyboardCtrl::PaintKeys(QPainter& painter, int low, int high, bool grey) const {
    // Each key is a rectangle with a 2-pixel outline centred on its edges; neighbours overlap by
    // one pixel, so the outline between two white keys is 2 pixels wide. The outlines are laid
    // down as one fill under the keys and each key's inside is filled over it, which gives the
    // same pixels as stroking every rectangle. Everything is drawn in layout pixels under the
    // widget's scale.
    painter.save();
    painter.fillRect(rect(), palette().window());
    painter.scale(Scale(), Scale());
    const QColor outline = grey ? kGrey : QColor(Qt::black);
    const int bottom = kKeyboardHeight;
    painter.fillRect(QRect(0, 0, kKeyboardWidth, bottom), outline);
    for (int i = 0; i < kKeyCount; ++i) {
        const Key& key = keys[static_cast<std::size_t>(i)];
        if (!key.white)
            continue;
        const bool inside = low <= i && i <= high;
        painter.fillRect(QRect(key.left + 1, 1, kWhiteStep - 2, bottom - 2),
                         grey || inside ? QColor(Qt::white) : kRed);
    }
    for (int i = 0; i < kKeyCount; ++i) {
        const Key& key = keys[static_cast<std::size_t>(i)];
        if (key.white)
            continue;
        const bool inside = low <= i && i <= high;
        painter.fillRect(QRect(key.left - 1, 0, kBlackWidth + 2, kBlackHeight + 1), outline);
        painter.fillRect(QRect(key.left + 1, 1, kBlackWidth - 2, kBlackHeight - 2),
                         grey     ? kGrey
                         : inside ? QColor(Qt::black)
                                  : kRed);
        // A black key whose left neighbour two keys down is black too (C#-D#, F#-G#-A#)
        // touches its outline: one light column keeps the two apart.
        if (i >= 2 && !IsWhite(i - 2))
            painter.fillRect(QRect(key.left - 1, 0, 1, kBlackHeight + 1), kGap);
    }

    // Every C with its octave, under the keys.
    QFont labelFont = font();
    labelFont.setPixelSize(kLabelHeight - 2);
    painter.setFont(labelFont);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    for (int i = kKeyC; i < kKeyCount; i += 12) {
        const int centre = KeyLeft(i) + kWhiteWidth / 2;
        painter.drawText(QRect(centre - 12, bottom, 25, kLabelHeight),
                         Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("C%1").arg(Octave(i)));
    }
    painter.restore();
}

std::array<QRect, 2> CKeyboardCtrl::MarkedSpans(double devicePixels) const {
    // Columns and rows in layout pixels, both ends included; every end is an outline pixel.
    // Above the black keys' lower edge a white end key stops at the outline of a black
    // neighbour outside the range; below it only white keys lie.
    const auto left = [this](int key) { return keys[static_cast<std::size_t>(key)].left; };
    const int low = std::clamp(lowIndex, 0, kKeyCount - 1);
    const int high = std::clamp(highIndex, low, kKeyCount - 1);
    int upperFirst = left(low);
    if (IsWhite(low) && low > 0 && !IsWhite(low - 1))
        upperFirst = left(low - 1) + kBlackWidth;
    int upperLast = left(high) + (IsWhite(high) ? kWhiteStep - 1 : kBlackWidth - 1);
    if (IsWhite(high) && high + 1 < kKeyCount && !IsWhite(high + 1))
        upperLast = left(high + 1) - 1;
    const auto device = [devicePixels](int first, int last, int top, int bottom) {
        const auto at = [devicePixels](int layout) {
            return static_cast<int>(std::lround(layout * devicePixels));
        };
        return QRect(QPoint(at(first), at(top)), QPoint(at(last + 1) - 1, at(bottom + 1) - 1));
    };
    std::array<QRect, 2> spans{device(upperFirst, upperLast, 0, kBlackHeight), QRect()};
    const int firstWhite = IsWhite(low) ? low : low + 1;
    const int lastWhite = IsWhite(high) ? high : high - 1;
    if (firstWhite <= lastWhite) {
        spans[1] = device(left(firstWhite), left(lastWhite) + kWhiteStep - 1, kBlackHeight + 1,
                          kKeyboardHeight - 1);
    }
    return spans;
}

void CKeyboardCtrl::UpdatePictures() {
    const qreal ratio = devicePixelRatioF();
    if (pictures.size != size() || pictures.ratio != ratio ||
        pictures.palette != palette().cacheKey() || pictures.font != font()) {
        pictures = {size(), ratio, palette().cacheKey(), font(), {}, {}, {}, {}};
    }
    const auto draw = [this, ratio](int low, int high, bool grey) {
        QPixmap pixels(size() * ratio);
        pixels.setDevicePixelRatio(ratio);
        QPainter painter(&pixels);
        PaintKeys(painter, low, high, grey);
        return pixels;
    };
    // Each picture is drawn when first needed (an enabled keyboard with nothing marked is rare);
    // the labels are drawn in the enabled or disabled colour, as the widget is now.
    if (!isEnabled()) {
        if (pictures.disabled.isNull())
            pictures.disabled = draw(1, 0, true);
    } else if (IsEmpty()) {
        if (pictures.grey.isNull())
            pictures.grey = draw(1, 0, true);
    } else if (pictures.marked.isNull()) {
        pictures.marked = draw(0, kKeyCount - 1, false);
        pictures.unmarked = draw(1, 0, false);
    }
}

void CKeyboardCtrl::paintEvent(QPaintEvent*) {
    UpdatePictures();
    QPainter painter(this);
    if (!isEnabled()) {
        painter.drawPixmap(0, 0, pictures.disabled);
    } else if (IsEmpty()) {
        painter.drawPixmap(0, 0, pictures.grey);
    } else {
        painter.drawPixmap(0, 0, pictures.unmarked);
        const qreal ratio = pictures.ratio;
        for (const QRect& span : MarkedSpans(Scale() * ratio)) {
            if (span.isEmpty())
                continue;
            painter.drawPixmap(QRectF(span.x() / ratio, span.y() / ratio, span.width() / ratio,
                                      span.height() / ratio),
                               pictures.marked, QRectF(span));
        }
    }
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void CKeyboardCtrl::hideEvent(QHideEvent* event) {
    pictures = {};
    QWidget::hideEvent(event);
}

bool CKeyboardCtrl::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        // The name of the key under the mouse, with its octave.
        auto* help = static_cast<QHelpEvent*>(e);
        const QPointF p = help->pos();
        if (p.y() < Scale() * kKeyboardHeight) {
            QToolTip::showText(help->globalPos(), KeyName(KeyAt(p)), this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(e);
}

void CKeyboardCtrl::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    // Qt grabs the mouse for the pressed widget until release, so moves outside still count.
    dragging = true;
    hoverNotification = false;
    lowIndex = highIndex = KeyAt(event->position());
    update();
    emit Notify();
}

void CKeyboardCtrl::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    hoverNotification = !dragging;
    if (dragging) {
        const int k = KeyAt(event->position());
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
    hoverNotification = false;
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
    ShowRange(low, high);
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
