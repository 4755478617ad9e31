#include "framework/FileDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

#include "framework/ModalWindow.h"

namespace framework {

namespace {

FileDialogHandler& handler() {
    static FileDialogHandler value;
    return value;
}

// "*.*" means every file; on this platform that is "*" (names need no dot).
QString qtFilter(const FileFilter& filter) {
    QString patterns = filter.patterns;
    patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
    QString label = filter.label;
    const qsizetype bracket = label.indexOf(QLatin1Char('('));
    if (bracket >= 0) {
        label.truncate(bracket);
    }
    return label.trimmed() + QStringLiteral(" (") +
           patterns.replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')');
}

std::optional<QString> showRealDialog(const FileDialogRequest& request) {
    QFileDialog dialog(request.owner != nullptr ? request.owner : QApplication::activeWindow());
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    QStringList filters;
    for (const FileFilter& filter : request.filters) {
        filters << qtFilter(filter);
    }
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!request.fileName.isEmpty()) {
        dialog.selectFile(request.fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

}  // namespace

std::optional<QString> runFileDialog(const FileDialogRequest& request) {
    announceModalWindow();
    return handler() ? handler()(request) : showRealDialog(request);
}

FileDialogHandler setFileDialogHandler(FileDialogHandler replacement) {
    return std::exchange(handler(), std::move(replacement));
}

}  // namespace framework
