// The editor brought up as the program brings it up, with its recovery copies in FOLDER (and
// FILE opened, if given), which makes changes as a user would, writes the library as it then
// is to EXPECTED and runs until it is ended: the part of a crash test that crashes.
//
//   editing_editor FOLDER EXPECTED [FILE]
#include <QApplication>
#include <QFile>

#include "framework/FrameWindow.h"
#include "framework/Resources.h"
#include "persistence/MemoryStreams.h"
#include "ui/ResourceIds.h"
#include "ui/shell/TolvaneApp.h"
#include "ui/shell/TolvaneDoc.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 3 || !framework::Resources::load(QStringLiteral(":/res"))) {
        return 64;
    }
    CTolvaneApp editor(QString(), QString::fromLocal8Bit(argv[1]));
    if (!editor.InitInstance(argc > 3 ? QStringList{QString::fromLocal8Bit(argv[3])}
                                      : QStringList())) {
        return 1;
    }
    framework::FrameWindow& frame = *editor.mainWindow();
    frame.dispatch(ID_NEW_RESOURCE);
    frame.dispatch(ID_COPY_RESOURCE);
    frame.dispatch(ID_NEW_RESOURCE);

    MemoryOutputStream bytes;
    QFile expected(QString::fromLocal8Bit(argv[2]));
    if (FAILED(currentDocument->library.save(bytes)) || !expected.open(QIODevice::WriteOnly) ||
        expected.write(bytes.view().data(), static_cast<qint64>(bytes.view().size())) !=
            static_cast<qint64>(bytes.view().size())) {
        return 1;
    }
    expected.close();
    return QApplication::exec();
}
