// The message boxes of the program in one place: warnings for failures, information for
// completions, Yes/No questions, and the save prompt, all titled "Presetor".
#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace presetor {

void ShowWarning(QWidget* parent, const QString& text);
void ShowInformation(QWidget* parent, const QString& text);
// True on Yes.
bool AskYesNo(QWidget* parent, const QString& text);
// "Save changes to %1?" with Yes, No and Cancel; returns the button pressed.
QMessageBox::StandardButton AskSaveChanges(QWidget* parent, const QString& title);

} // namespace presetor
