#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The editor's command line: --help, --version and at most one library file. Read before
// the application object exists, so that help and version need no display.

// What the program is to do: end at once with exitCode, or start on file (empty for a new
// library).
struct EditorStart {
    std::optional<int> exitCode;
    QString file;
};

// Reads arguments (the program's name first). Help and version go to standard output, a
// usage error (an unknown option, more than one file) to standard error with exit status 64.
EditorStart readEditorCommandLine(const QStringList& arguments);
