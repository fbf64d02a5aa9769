#include "CKeyboardAccessible.h"

#include "CKeyboardCtrl.h"

#include "app/Strings.h"

#include <QAccessibleWidget>

namespace {

class CKeyboardAccessible final : public QAccessibleWidget {
public:
    explicit CKeyboardAccessible(CKeyboardCtrl* keyboard)
        : QAccessibleWidget(keyboard, QAccessible::Slider) {}

    QString text(QAccessible::Text t) const override {
        const auto* keyboard = static_cast<const CKeyboardCtrl*>(widget());
        switch (t) {
        case QAccessible::Name: {
            const QString name = QAccessibleWidget::text(t);
            return name.isEmpty() ? presetor::Str(presetor::IDS_ACC_KEYBOARD) : name;
        }
        case QAccessible::Value:
            return keyboard->RangeText();
        default:
            return QAccessibleWidget::text(t);
        }
    }
};

QAccessibleInterface* KeyboardFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("CKeyboardCtrl") && object && object->isWidgetType())
        return new CKeyboardAccessible(static_cast<CKeyboardCtrl*>(object));
    return nullptr;
}

} // namespace

void InstallKeyboardAccessible() {
    static const bool installed = [] {
        QAccessible::installFactory(&KeyboardFactory);
        return true;
    }();
    (void)installed;
}
