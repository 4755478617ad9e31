// tolvane: the editor. "tolvane" starts with a new library, "tolvane FILE" opens FILE.
#include <QApplication>

#include "framework/Resources.h"
#include "ui/InstanceChannel.h"
#include "ui/TolvaneApp.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tolvane.Tolvane"));
    QString error;
    if (!framework::Resources::load(QStringLiteral(":/res"), &error)) {
        qCritical("tolvane: broken resource data: %s", qUtf8Printable(error));
        return 1;
    }
    CTolvaneApp tolvane(defaultInstanceChannelName());
    if (!tolvane.InitInstance(QApplication::arguments().mid(1))) {
        return 0;
    }
    return QApplication::exec();
}
