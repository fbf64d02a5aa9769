#include "CCachedComboBox.h"

#include "app/ApplicationStyle.h"

#include <QStyleOptionComboBox>

CCachedComboBox::CCachedComboBox(QWidget* parent)
    : CCachedWidget<QComboBox>(
          8,
          [this](WidgetPictures::Look& look) {
              // One picture per state shows what the style draws only where it animates nothing.
              if (!IsFusionOrWindows(PlatformStyle()) || isEditable())
                  return false;
              // The style option holds everything the style reads: the entry shown, hovered,
              // pressed and open, focus.
              QStyleOptionComboBox option;
              initStyleOption(&option);
              if (!option.currentIcon.isNull())
                  return false;
              look.text = option.currentText;
              look.state = static_cast<qint64>(option.state) |
                           (static_cast<qint64>(option.activeSubControls) << 32) |
                           (option.frame ? qint64(1) << 62 : 0);
              return true;
          },
          parent) {}
