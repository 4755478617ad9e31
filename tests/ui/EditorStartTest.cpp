#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QSemaphore>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "EditorFixture.h"
#include "framework/StandardIds.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/shell/InstanceChannel.h"

namespace {

// Runs the built editor with arguments and no display at all, so that any attempt to open a
// window would fail.
struct EditorRun {
    int exitCode = -1;
    QString out;
    QString err;
};

EditorRun runEditor(const QStringList& arguments,
                    const QString& program = QStringLiteral(TOLVANE_EDITOR_PATH)) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

TEST(EditorCommandLine, HelpAndVersionPrintAndEndWithoutAWindow) {
    for (const QString& option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const EditorRun help = runEditor({option});
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_TRUE(help.out.startsWith(QStringLiteral("Aufruf: tolvane [OPTION] [DATEI]\n")));
        EXPECT_TRUE(help.out.contains(QStringLiteral("--version")));
    }
    const EditorRun version = runEditor({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("tolvane " TOLVANE_PROJECT_VERSION "\n"));
}

TEST(EditorCommandLine, UsageErrorsEndBeforeAnyWindow) {
    const EditorRun unknown = runEditor({QStringLiteral("--bunt")});
    EXPECT_EQ(unknown.exitCode, 64);
    EXPECT_TRUE(unknown.err.startsWith(QStringLiteral("tolvane: unbekannte Option: --bunt\n")));
    EXPECT_EQ(unknown.out, QString());

    const EditorRun twoFiles = runEditor({QStringLiteral("a.gui"), QStringLiteral("b.gui")});
    EXPECT_EQ(twoFiles.exitCode, 64);
    EXPECT_TRUE(twoFiles.err.contains(QStringLiteral("nur eine Datei")));

    // A name that is not UTF-8 would reach the editor as another file's name.
    const EditorRun notUtf8 =
        runEditor({QStringLiteral("-c"), QStringLiteral("exec \"$0\" \"$(printf 'x\\377.gui')\""),
                   QStringLiteral(TOLVANE_EDITOR_PATH)},
                  QStringLiteral("/bin/sh"));
    EXPECT_EQ(notUtf8.exitCode, 1);
    EXPECT_TRUE(notUtf8.err.contains(QStringLiteral("kein gültiges UTF-8")));
}

TEST_F(EditorTest, ARelativePathReachesTheRunningEditorAsTheSameFile) {
    const QString menu = library("Menu.gui", menuExampleBytes());
    const QString channel = QString::fromStdString(folder.file("channel"));
    // The running editor's end, on a thread of its own, for the start below waits for it.
    QString received;
    QSemaphore listening;
    std::unique_ptr<QThread> runningEditor(QThread::create([&] {
        InstanceServer server;
        QEventLoop loop;
        QObject::connect(&server, &InstanceServer::fileRequested, [&](const QString& path) {
            received = path;
            loop.quit();
        });
        server.listen(channel);
        listening.release();
        loop.exec();
    }));
    runningEditor->start();
    listening.acquire();

    const QString previous = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(folder.path()));
    app = std::make_unique<CTolvaneApp>(channel);
    const bool started = app->InitInstance({QStringLiteral("Menu.gui")});
    QDir::setCurrent(previous);
    EXPECT_FALSE(started);
    EXPECT_TRUE(app->handedToRunningEditor());
    ASSERT_TRUE(runningEditor->wait(5000));
    EXPECT_EQ(received, menu);
}

TEST_F(EditorTest, ALibraryCutShortWarnsAndKeepsTheBackup) {
    ASSERT_TRUE(start());
    const std::string bytes = menuExampleBytes();
    const QString cut = library("Menu.gui", bytes.substr(0, 70));
    writeFileBytes(folder.file("Menu.gui_save"), bytes);

    boxes.answer(framework::IDOK);
    ASSERT_NE(app->OpenDocumentFile(cut), nullptr);
    EXPECT_EQ(boxes.take(),
              QStringList{QStringLiteral("Die Datei %1 ist unvollständig (die Datei endet "
                                         "vorzeitig nach 70 Bytes); nur der gelesene Teil wird "
                                         "angezeigt.")
                              .arg(cut)});
    EXPECT_EQ(readFileBytes(folder.file("Menu.gui_save")), bytes);
    EXPECT_EQ(doc().library.name, "Menu");
    EXPECT_EQ(doc().library.textureCount(), 1u);
    EXPECT_EQ(doc().GetPathName(), cut);

    // Without a backup yet, the part that was read is written as one, as on every open.
    std::filesystem::remove(folder.file("Menu.gui_save"));
    boxes.answer(framework::IDOK);
    ASSERT_NE(app->OpenDocumentFile(cut), nullptr);
    EXPECT_EQ(boxes.take().size(), 1);
    EXPECT_TRUE(std::filesystem::exists(folder.file("Menu.gui_save")));
}

// A backup planted as a link by someone else is never written through: the file it points
// to stays, and the status bar says why there is no backup. The library itself, saved
// through a link, still replaces the file the user chose.
TEST_F(EditorTest, TheBackupNeverWritesThroughALink) {
    ASSERT_TRUE(start());
    const QString idle = frame().messageText();
    const std::string real = folder.file("real.gui");
    writeFileBytes(real, menuExampleBytes());
    const QString menu = QString::fromStdString(folder.file("Menu.gui"));
    std::filesystem::create_symlink(real, menu.toStdString());
    const std::string precious = folder.file("precious.txt");
    writeFileBytes(precious, "precious");
    std::filesystem::create_symlink(precious, folder.file("Menu.gui_save"));

    ASSERT_NE(app->OpenDocumentFile(menu), nullptr);
    EXPECT_EQ(readFileBytes(precious), "precious");
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("Menu.gui_save")));
    EXPECT_EQ(frame().messageText(),
              QStringLiteral("Keine Sicherungskopie angelegt: %1_save ist ein symbolischer Link.")
                  .arg(menu));

    doc().library.name = "Neu";
    boxes.answer(framework::IDYES);  // saving unchecked
    frame().dispatch(framework::ID_FILE_SAVE);
    EXPECT_EQ(boxes.take().size(), 1);
    EXPECT_TRUE(std::filesystem::is_symlink(menu.toStdString()));
    EXPECT_EQ(readFileBytes(real).substr(24, 4), "\x03Neu");

    // Once a regular file may be written, the backup is made and the message goes.
    std::filesystem::remove(folder.file("Menu.gui_save"));
    ASSERT_NE(app->OpenDocumentFile(menu), nullptr);
    EXPECT_EQ(readFileBytes(folder.file("Menu.gui_save")), readFileBytes(real));
    EXPECT_EQ(frame().messageText(), idle);
    EXPECT_EQ(readFileBytes(precious), "precious");
}

TEST_F(EditorTest, AFileThatCannotBeOpenedEndsTheStart) {
    boxes.answer(framework::IDOK);
    EXPECT_FALSE(start({QString::fromStdString(folder.file("fehlt.gui"))}));
    EXPECT_EQ(boxes.take().size(), 1);
    EXPECT_FALSE(app->handedToRunningEditor());
}

TEST_F(EditorTest, APipeIsRefusedWithoutWaitingForAWriter) {
    const std::string pipe = folder.file("pipe.gui");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    // Should the editor wait for a writer after all, writers come and go after a while, so
    // that the test fails instead of hanging.
    std::atomic<bool> finished = false;
    std::thread rescue([&] {
        for (int waited = 0; !finished; ++waited) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (waited > 100) {
                ::close(::open(pipe.c_str(), O_RDWR | O_NONBLOCK));
            }
        }
    });
    boxes.answer(framework::IDOK);
    EXPECT_FALSE(start({QString::fromStdString(pipe)}));
    finished = true;
    rescue.join();
    EXPECT_EQ(boxes.take(),
              QStringList{QStringLiteral(
                  "Die Datei konnte nicht geladen werden!\nist keine gewöhnliche Datei")});
}

TEST_F(EditorTest, TheAboutBoxNamesTheProjectVersion) {
    ASSERT_TRUE(start());
    CAboutDlg about(app->mainWindow());
    QTimer::singleShot(0, &about, [&about] {
        QStringList texts;
        for (const QLabel* label : about.findChildren<QLabel*>()) {
            texts << label->text();
        }
        EXPECT_TRUE(texts.contains(QStringLiteral("Tolvane Version " TOLVANE_PROJECT_VERSION)))
            << texts.join(QLatin1Char('|')).toStdString();
        about.EndDialog(framework::IDOK);
    });
    about.DoModal();
}

}  // namespace
