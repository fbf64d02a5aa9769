// Message boxes. Every one is modal to its parent window and titled with the program's name.
#include "Messages.h"

#include "FileNames.h"
#include "Strings.h"
#include "model/PresetFile.h"

#include <QCoreApplication>

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

QMessageBox::StandardButton AskSaveChanges(QWidget* parent, const QString& title) {
    return Run(parent, QMessageBox::Warning,
               QCoreApplication::translate("Presetor", "Save changes to %1?").arg(title),
               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
}

} // namespace presetor
