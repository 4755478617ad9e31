#pragma once

#include <QString>
#include <functional>

// Message boxes of the application: its title and one of a few button sets. Every box goes
// through one handler, which tests replace to read the text and script the answer.

namespace framework {

// RestoreDiscardLater: "Wiederherstellen" answers IDYES, "Verwerfen" IDNO, "Später" IDCANCEL.
enum class MessageButtons { Ok, YesNo, YesNoCancel, RestoreDiscardLater };

// Shows text and returns IDOK, IDYES, IDNO or IDCANCEL.
int AfxMessageBox(const QString& text, MessageButtons buttons = MessageButtons::Ok);

using MessageBoxHandler = std::function<int(const QString& text, MessageButtons buttons)>;

// Installs handler (an empty one restores the real box) and returns the one before.
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

// The caption of every box and the main window's title suffix: the title set, else the
// string table's application title, else the application's name.
void setApplicationTitle(const QString& title);
QString applicationTitle();

}  // namespace framework
