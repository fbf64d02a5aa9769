// A control of class Base that paints from the pictures of its last looks (WidgetPictures.h)
// where it has one, and keeps none while hidden (a hidden page keeps no pictures).
#pragma once

#include "WidgetPictures.h"

#include <utility>

class QHideEvent;
class QPaintEvent;

template <class Base> class CCachedWidget : public Base {
public:
    // Keeps up to kept pictures; look gives the control's own part of a look (WidgetPictures).
    template <class... Args>
    CCachedWidget(int kept, WidgetPictures::OwnLook look, Args&&... args)
        : Base(std::forward<Args>(args)...), pictures(*this, kept, std::move(look)) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        if (!pictures.Paint())
            Base::paintEvent(event);
    }
    void hideEvent(QHideEvent* event) override {
        pictures.Clear();
        Base::hideEvent(event);
    }

private:
    WidgetPictures pictures;
};
