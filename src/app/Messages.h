// The message boxes of the program in one place: warnings for failures, information for
// completions, Yes/No questions, and the save prompt, all titled "Presetor".
#pragma once

#include "model/Result.h"

#include <QMessageBox>
#include <QString>

#include <utility>
#include <vector>

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
// A question with buttons of its own: each is (text, objectName); returns the index of the
// button pressed, -1 when the box was closed otherwise.
int AskChoice(QWidget* parent, const QString& text,
              const std::vector<std::pair<QString, QString>>& buttons);
// Yes/No with a "Do not ask again" check box; *doNotAsk receives its state. True on Yes.
bool AskYesNoOnce(QWidget* parent, const QString& text, const QString& checkText, bool* doNotAsk);
// "Save changes to %1?" with Yes, No and Cancel; returns the button pressed.
QMessageBox::StandardButton AskSaveChanges(QWidget* parent, const QString& title);

} // namespace presetor
