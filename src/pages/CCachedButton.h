// A check box or radio button that keeps the pictures of its last four looks (checked or not,
// enabled or not) while the style draws without animations: a preset switch checks and unchecks
// them, and a page greying its controls repaints them all; a copy costs a fraction of the style's
// drawing.
#pragma once

#include "CCachedWidget.h"

#include "app/ApplicationStyle.h"

#include <QStyleOptionButton>

template <class Button> class CCachedButton final : public CCachedWidget<Button> {
public:
    explicit CCachedButton(const QString& text = QString(), QWidget* parent = nullptr)
        : CCachedWidget<Button>(
              4,
              [this](WidgetPictures::Look& look) {
                  // One picture per state shows what the style draws only where it animates
                  // nothing.
                  if (!IsFusionOrWindows(PlatformStyle()))
                      return false;
                  // The style option holds everything the style reads: text, check state,
                  // pressed, hovered, focus.
                  QStyleOptionButton option;
                  this->initStyleOption(&option);
                  if (!option.icon.isNull())
                      return false;
                  look.text = option.text;
                  look.state = static_cast<qint64>(option.state) |
                               (static_cast<qint64>(option.features) << 32);
                  return true;
              },
              text, parent) {}
};
