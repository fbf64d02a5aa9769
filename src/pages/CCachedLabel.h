// A label of plain text that keeps the pictures of its last two looks (enabled and disabled,
// mostly): a page greying its controls repaints every label, and a copy costs a fraction of
// laying out and drawing the text (a wrapped text is laid out at every paint).
#pragma once

#include "CCachedWidget.h"

#include <QLabel>

class CCachedLabel final : public CCachedWidget<QLabel> {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CCachedLabel)

public:
    explicit CCachedLabel(const QString& text, QWidget* parent = nullptr);
};
