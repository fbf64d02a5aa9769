#include "CCachedLabel.h"

#include <QStyle>

CCachedLabel::CCachedLabel(const QString& text, QWidget* parent)
    : CCachedWidget<QLabel>(
          2,
          [this](WidgetPictures::Look& look) {
              if (frameShape() != QFrame::NoFrame || !pixmap().isNull())
                  return false;
              look.text = this->text();
              const bool mnemonics =
                  style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this);
              look.state = (static_cast<qint64>(alignment()) << 8) | (wordWrap() ? 1 : 0) |
                           (mnemonics ? 2 : 0) | (static_cast<qint64>(indent() + 1) << 32) |
                           (static_cast<qint64>(margin() + 1) << 48);
              return true;
          },
          text, parent) {
    setTextFormat(Qt::PlainText);
}
