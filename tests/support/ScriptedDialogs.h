#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "support/QtPrinters.h"

// Stand-ins for message boxes and file dialogs while they live: they note what was asked
// and give the scripted answers in turn. An unexpected box or dialog fails the test.

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
