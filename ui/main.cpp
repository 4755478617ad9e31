// tolvane: the editor. "tolvane" starts with a new library, "tolvane FILE" opens FILE.
#include <QApplication>

#include "framework/Resources.h"
#include "ui/shell/EditorCommandLine.h"
#include "ui/shell/InstanceChannel.h"
#include "ui/shell/RecoveryStore.h"
#include "ui/shell/TolvaneApp.h"

int main(int argc, char** argv) {
    const EditorStart start = readEditorCommandLine(argc, argv);
    if (start.exitCode) {
        return *start.exitCode;
    }
    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tolvane.Tolvane"));
    QString error;
    if (!framework::Resources::load(QStringLiteral(":/res"), &error)) {
        qCritical("tolvane: broken resource data: %s", qUtf8Printable(error));
        return 1;
    }
    CTolvaneApp tolvane(defaultInstanceChannelName(), defaultRecoveryFolder());
    if (!tolvane.InitInstance(start.file.isEmpty() ? QStringList() : QStringList{start.file})) {
        // Handed to a running editor, or the file could not be opened (the user was told).
        return tolvane.handedToRunningEditor() ? 0 : 1;
    }
    return QApplication::exec();
}
