#include "CNameEdit.h"

#include "model/KeyboardType.h"

#include <QKeyEvent>

#include <algorithm>

CNameEdit::CNameEdit(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(presetor::kNameLength);
    // Every change the page did not make itself counts as an edit: typing, pasting, and a text
    // set through the accessibility interface (which sets the text without textEdited). The
    // page loads the name with this edit's signals blocked.
    connect(this, &QLineEdit::textChanged, this, &CNameEdit::OnTextEdited);
}

bool CNameEdit::IsAllowed(QChar c) {
    return c.unicode() != u'\\' && c.unicode() <= 125;
}

QString CNameEdit::Filter(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (IsAllowed(c))
            kept.append(c);
    }
    return kept;
}

void CNameEdit::keyPressEvent(QKeyEvent* event) {
    // Typed characters that a name may not hold are dropped before the edit sees them; keys
    // without text (arrows, backspace, shortcuts) are handled normally.
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.at(0).isPrint() && Filter(typed) != typed) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CNameEdit::OnTextEdited(const QString& text) {
    const QString kept = Filter(text);
    if (kept != text) {
        const int cursor = cursorPosition() - static_cast<int>(text.size() - kept.size());
        const QSignalBlocker blocker(this);
        setText(kept);
        setCursorPosition(std::max(0, cursor));
    }
    emit NameEdited(kept);
}
