// Message boxes. Every one is modal to its parent window and titled with the program's name.
#include "Messages.h"

#include "FileNames.h"
#include "Strings.h"
#include "model/PresetFile.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QPushButton>

namespace presetor {

namespace {

QMessageBox::StandardButton Run(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, QStringLiteral("Presetor"), text, buttons, parent);
    box.setObjectName(QStringLiteral("presetorMessageBox"));
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void ShowWarning(QWidget* parent, const QString& text) {
    Run(parent, QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

void ShowInformation(QWidget* parent, const QString& text) {
    Run(parent, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

QString FileErrorText(const QString& path, const Result& result) {
    const std::string bytes = FileNamePath(path);
    if (!bytes.empty() && result.message().find(bytes) != std::string::npos) {
        return DisplayMessage(result.message());
    }
    const QString reason = result.message() == kInvalidFileText ? Str(IDS_INVALID_FILE)
                                                                : DisplayMessage(result.message());
    return QStringLiteral("'%1': %2").arg(DisplayFileName(path), reason);
}

bool AskYesNo(QWidget* parent, const QString& text) {
    return Run(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
               QMessageBox::Yes) == QMessageBox::Yes;
}

int AskChoice(QWidget* parent, const QString& text,
              const std::vector<std::pair<QString, QString>>& buttons) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Presetor"), text, QMessageBox::NoButton,
                    parent);
    box.setObjectName(QStringLiteral("presetorMessageBox"));
    std::vector<QPushButton*> made;
    for (const auto& [label, name] : buttons) {
        QPushButton* b = box.addButton(label, QMessageBox::ActionRole);
        b->setObjectName(name);
        made.push_back(b);
    }
    if (!made.empty()) {
        box.setDefaultButton(made.front());
        box.setEscapeButton(made.back());
    }
    box.exec();
    for (std::size_t i = 0; i < made.size(); ++i) {
        if (box.clickedButton() == made[i]) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool AskYesNoOnce(QWidget* parent, const QString& text, const QString& checkText, bool* doNotAsk) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Presetor"), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("presetorMessageBox"));
    box.setDefaultButton(QMessageBox::Yes);
    auto* check = new QCheckBox(checkText, &box);
    check->setObjectName(QStringLiteral("doNotAskBox"));
    box.setCheckBox(check);
    const bool yes = box.exec() == QMessageBox::Yes;
    if (doNotAsk) {
        *doNotAsk = check->isChecked();
    }
    return yes;
}

QMessageBox::StandardButton AskSaveChanges(QWidget* parent, const QString& title) {
    return Run(parent, QMessageBox::Warning,
               QCoreApplication::translate("Presetor", "Save changes to %1?").arg(title),
               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
}

} // namespace presetor
