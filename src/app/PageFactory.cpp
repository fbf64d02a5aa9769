// Tab labels in their order, and the factory of empty pages.
#include "PageFactory.h"

#include "Strings.h"

#include <QWidget>

QStringList PageTabLabels() {
    QStringList labels{QStringLiteral("Global"), QStringLiteral("Controller"),
                       presetor::Str(presetor::IDS_TAB_ASSIGNMENTS)};
    for (int s = 1; s <= 8; ++s) {
        labels << QStringLiteral("Split %1").arg(s);
    }
    return labels;
}

PageFactory EmptyPageFactory() {
    return [](const QString&, CEditorApp&, CAppDoc&, QWidget* parent) -> QWidget* {
        return new QWidget(parent);
    };
}
