#pragma once

#include <QString>
#include <optional>

// The editor's command line: --help, --version and at most one library file. Read before
// the application object exists, so that help and version need no display.

// What the program is to do: end at once with exitCode, or start on file (empty for a new
// library).
struct EditorStart {
    std::optional<int> exitCode;
    QString file;
};

// Reads the program's arguments as main receives them. Help and version go to standard output,
// a usage error (an unknown option, more than one file) to standard error with exit status 64.
// An argument that is not valid UTF-8 is refused on standard error with exit status 1: as
// text it would name another file, which the editor would open or hand to a running one.
EditorStart readEditorCommandLine(int argc, char** argv);
