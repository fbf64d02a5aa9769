// A list box (not editable, without icons) that keeps the pictures of its last eight looks: a
// preset switch shows another entry and a split turned on or off greys it, and a copy costs a
// fraction of the style's frame, arrow and text.
#pragma once

#include "CCachedWidget.h"

#include <QComboBox>

class CCachedComboBox final : public CCachedWidget<QComboBox> {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CCachedComboBox)

public:
    explicit CCachedComboBox(QWidget* parent = nullptr);
};
