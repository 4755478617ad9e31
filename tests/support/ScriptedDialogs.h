#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "framework/Dialog.h"
#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "support/QtPrinters.h"

// Stand-ins for message boxes, file dialogs and modal dialogs while they live: they note
// what was asked and give the scripted answers in turn. An unexpected box or dialog fails
// the test.

class ScriptedMessageBoxes {
public:
    ScriptedMessageBoxes();
    ~ScriptedMessageBoxes();

    // The answer to the next box (IDOK, IDYES, IDNO, IDCANCEL).
    void answer(int result) { answers.push_back(result); }
    // The texts shown so far; taking them empties the list.
    QStringList take();

private:
    std::deque<int> answers;
    QStringList shown;
    framework::MessageBoxHandler previous;
};

class ScriptedFileDialogs {
public:
    ScriptedFileDialogs();
    ~ScriptedFileDialogs();

    // The file the next dialog returns; nothing for a cancelled dialog.
    void choose(std::optional<QString> path) { answers.push_back(std::move(path)); }
    const std::vector<framework::FileDialogRequest>& requests() const { return asked; }

private:
    std::deque<std::optional<QString>> answers;
    std::vector<framework::FileDialogRequest> asked;
    framework::FileDialogHandler previous;
};

// Answers the modal dialogs that run meanwhile, each with the next script. A script gets the
// dialog shown and initialised, acts on it as a user would (see the helpers below) and ends
// it; a dialog its script leaves open is cancelled and fails the test.
class ScriptedModalDialogs {
public:
    using Script = std::function<void(framework::Dialog& dialog)>;

    ScriptedModalDialogs();
    ~ScriptedModalDialogs();

    void answer(Script script) { scripts.push_back(std::move(script)); }
    // The titles of the dialogs run so far.
    const QStringList& titles() const { return shown; }

private:
    std::deque<Script> scripts;
    QStringList shown;
    framework::ModalDialogHandler previous;
};

// What a user does in a dialog: click a button, replace an edit's text by typing, pick a
// combo's entry from its open list.
void press(framework::Dialog& dialog, int id);
void retype(framework::Dialog& dialog, int id, const QString& text);
void pick(framework::Dialog& dialog, int id, int index);
