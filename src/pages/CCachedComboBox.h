// A list box (not editable, without icons) that keeps the pictures of its last eight looks: a
// preset switch shows another entry and a split turned on or off greys it, and a copy costs a
// fraction of the style's frame, arrow and text.
#pragma once

#include "WidgetPictures.h"

#include <QComboBox>

class CCachedComboBox final : public QComboBox {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CCachedComboBox)

public:
    explicit CCachedComboBox(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    WidgetPictures pictures;
};
