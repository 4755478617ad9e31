#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

// The common file dialog. Every dialog goes through one handler, which tests replace to
// read the request and script the chosen file.

namespace framework {

struct FileFilter {
    QString label;     // as shown, e.g. "Header File (*.h)"
    QString patterns;  // e.g. "*.h"; "*.*" stands for every file
};

struct FileDialogRequest {
    bool open = true;  // false: a Save dialog
    QString fileName;  // the name first offered
    std::vector<FileFilter> filters;
    QString defaultSuffix;  // appended to a name typed without an extension; empty: none
    bool fileMustExist = false;
    bool overwritePrompt = false;
    bool hideReadOnly = true;
    QWidget* owner = nullptr;
};

// The chosen file's full path, or nothing when the user cancelled.
std::optional<QString> runFileDialog(const FileDialogRequest& request);

using FileDialogHandler = std::function<std::optional<QString>(const FileDialogRequest&)>;

// Installs handler (an empty one restores the real dialog) and returns the one before.
FileDialogHandler setFileDialogHandler(FileDialogHandler handler);

}  // namespace framework
