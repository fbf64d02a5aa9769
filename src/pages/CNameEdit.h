// The edit for preset names: at most 8 characters, and it drops the backslash and every
// character code above 125, which the keyboard cannot show in a name.
#pragma once

#include <QLineEdit>

class CNameEdit final : public QLineEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CNameEdit)

public:
    explicit CNameEdit(QWidget* parent = nullptr);

    // True for the characters a name may hold.
    static bool IsAllowed(QChar c);
    // The text without the characters a name may not hold.
    static QString Filter(const QString& text);

signals:
    // The user changed the text (typing, pasting, dropping); the text is already filtered.
    void NameEdited(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Pasted or dropped text, or input methods, pass through here.
    void OnTextEdited(const QString& text);
};
