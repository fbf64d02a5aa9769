// The message boxes of the program in one place: warnings for failures, information for
// completions, Yes/No questions, and the save prompt, all titled "Presetor".
#pragma once

#include "model/Result.h"

#include <QMessageBox>
#include <QString>

class QWidget;

namespace presetor {

void ShowWarning(QWidget* parent, const QString& text);
void ShowInformation(QWidget* parent, const QString& text);
// The text of a failed file operation on path, naming the file: the model's message (which
// names it already for read and write errors) or, for a file that is not a preset file, string
// 133 after the file's name.
QString FileErrorText(const QString& path, const Result& result);
// True on Yes.
bool AskYesNo(QWidget* parent, const QString& text);
// "Save changes to %1?" with Yes, No and Cancel; returns the button pressed.
QMessageBox::StandardButton AskSaveChanges(QWidget* parent, const QString& title);

} // namespace presetor
