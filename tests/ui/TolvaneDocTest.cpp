#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QListWidget>
#include <cerrno>
#include <csignal>
#include <filesystem>

#include "framework/Application.h"
#include "framework/DocTemplate.h"
#include "framework/Resources.h"
#include "framework/StandardIds.h"
#include "library/LibraryFile.h"
#include "support/FailingSystemCall.h"
#include "support/LibraryBytes.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"
#include "testing/MemoryStreams.h"
#include "ui/ResourceIds.h"
#include "ui/dialogs/TestResultsDlg.h"
#include "ui/shell/TolvaneDoc.h"

namespace {

using framework::IDNO;
using framework::IDOK;
using framework::IDYES;

const QString kMissingCheck = QStringLiteral(
    "Die GUI Bibliothek wurde in dieser Sitzung noch nicht geprüft!\nWollen Sie trotzdem "
    "speichern?");
const QString kRemainingErrors = QStringLiteral(
    "Es sind noch Fehler in der GUI Bibliothek vorhanden!\nWollen Sie trotzdem speichern?");
const QString kLoadFailed = QStringLiteral("Die Datei konnte nicht geladen werden!");
const QString kSaveFailed = QStringLiteral("Die Datei konnte nicht gespeichert werden!");

// A library with one resource whose identifier is valid or not, and no textures.
std::string libraryBytes(const std::string& identifier) {
    return LibraryBytes()
        .header(3, 1000, "Menu")
        .u32(0)
        .u32(1)
        .i32(0)
        .i32(1000)
        .text(identifier)
        .u32(0)
        .str();
}

class TolvaneDocTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = std::make_unique<framework::Application>();
        app->AddDocTemplate(std::make_unique<framework::SingleDocTemplate>(
            framework::DocumentString::parse(framework::Resources::LoadString(IDR_MAINFRAME)),
            [] { return std::make_unique<CTolvaneDoc>(); },
            [](framework::Document& document) {
                return std::make_unique<framework::FrameWindow>(document);
            }));
        ASSERT_NE(app->OpenDocumentFile(QString()), nullptr);
    }

    CTolvaneDoc& doc() { return *currentDocument; }
    framework::FrameWindow& frame() { return *app->mainWindow(); }

    QString file(const std::string& name, const std::string& bytes) {
        const std::string path = folder.file(name);
        writeFileBytes(path, bytes);
        return QString::fromStdString(path);
    }
    QString path(const std::string& name) { return QString::fromStdString(folder.file(name)); }

    bool open(const QString& path) { return app->OpenDocumentFile(path) != nullptr; }
    bool enabled(int id) { return framework::routeUpdate(frame().route(), id).enabled.value(); }

    TemporaryFolder folder;
    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs files;
    std::unique_ptr<framework::Application> app;
};

TEST_F(TolvaneDocTest, FirstSaveOfTheSessionAsksAboutTheMissingCheck) {
    const QString menu = file("menu.gui", menuExampleBytes());
    ASSERT_TRUE(open(menu));
    std::filesystem::remove(menu.toStdString());  // (a changed file would be asked about first)

    boxes.answer(IDYES);
    frame().dispatch(framework::ID_FILE_SAVE);
    EXPECT_EQ(boxes.take(), QStringList{kMissingCheck});
    EXPECT_EQ(readFileBytes(menu.toStdString()), menuExampleBytes());

    // Declining writes nothing, and a save-as keeps the old path and title.
    const QString other = path("other.gui");
    files.choose(other);
    boxes.answer(IDNO);
    frame().dispatch(framework::ID_FILE_SAVE_AS);
    EXPECT_EQ(boxes.take(), QStringList{kMissingCheck});
    EXPECT_FALSE(std::filesystem::exists(other.toStdString()));
    EXPECT_EQ(doc().GetPathName(), menu);
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("menu.gui - Tolvane"));
}

TEST_F(TolvaneDocTest, SaveAsAsksForAGuiFileAndTakesItsPath) {
    ASSERT_TRUE(open(file("menu.gui", libraryBytes("Start"))));
    frame().dispatch(ID_TEST_LIBRARY);

    const QString copy = path("copy.gui");
    files.choose(copy);
    frame().dispatch(framework::ID_FILE_SAVE_AS);
    ASSERT_EQ(files.requests().size(), 1u);
    const framework::FileDialogRequest& request = files.requests()[0];
    EXPECT_FALSE(request.open);
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[0].label, QStringLiteral("Dateityp Tolvane (*.gui)"));
    EXPECT_EQ(request.filters[0].patterns, QStringLiteral("*.gui"));
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("gui"));
    EXPECT_EQ(readFileBytes(copy.toStdString()), libraryBytes("Start"));
    EXPECT_EQ(doc().GetPathName(), copy);
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("copy.gui - Tolvane"));
}

TEST_F(TolvaneDocTest, CleanCheckLetsSaveGoAheadWithoutAQuestion) {
    const QString menu = file("menu.gui", libraryBytes("Start"));
    ASSERT_TRUE(open(menu));
    frame().dispatch(ID_TEST_LIBRARY);
    EXPECT_EQ(doc().errorCount, 0);
    EXPECT_EQ(doc().warningCount, 0);
    std::filesystem::remove(menu.toStdString());

    frame().dispatch(framework::ID_FILE_SAVE);
    EXPECT_TRUE(boxes.take().isEmpty());
    EXPECT_EQ(readFileBytes(menu.toStdString()), libraryBytes("Start"));
}

TEST_F(TolvaneDocTest, ErrorsAskUntilANewCheckFindsNone) {
    ASSERT_TRUE(open(file("bad.gui", libraryBytes("1Start"))));
    frame().dispatch(ID_TEST_LIBRARY);
    EXPECT_EQ(doc().errorCount, 1);

    doc().library.resources[0]->identifier = "Start";  // mended, but not checked again
    boxes.answer(IDYES);
    frame().dispatch(framework::ID_FILE_SAVE);
    EXPECT_EQ(boxes.take(), QStringList{kRemainingErrors});

    // Opening another file keeps the last check's outcome.
    ASSERT_TRUE(open(file("good.gui", libraryBytes("Start"))));
    boxes.answer(IDNO);
    frame().dispatch(framework::ID_FILE_SAVE);
    EXPECT_EQ(boxes.take(), QStringList{kRemainingErrors});

    frame().dispatch(ID_TEST_LIBRARY);
    frame().dispatch(framework::ID_FILE_SAVE);
    EXPECT_TRUE(boxes.take().isEmpty());
}

TEST_F(TolvaneDocTest, OpeningWritesABackupInTheCurrentFormat) {
    const std::string v1 = versionOneExampleBytes();
    const QString menu = file("menu.gui", v1);
    ASSERT_TRUE(open(menu));
    const std::string backup = readFileBytes(folder.file("menu.gui_save"));
    ResourceLibrary saved;
    MemoryOutputStream out;
    doc().library.save(out);
    EXPECT_EQ(backup, out.data());
    EXPECT_EQ(backup.substr(16, 4), LibraryBytes().u32(3).str());
    EXPECT_EQ(readFileBytes(menu.toStdString()), v1);  // the opened file stays as it was

    ASSERT_TRUE(open(menu + QStringLiteral("_save")));
    EXPECT_EQ(readFileBytes(folder.file("menu.gui_save_save")), backup);
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("menu.gui_save - Tolvane"));
}

TEST_F(TolvaneDocTest, FileThatIsNoLibraryKeepsTheOpenOne) {
    const QString menu = file("menu.gui", menuExampleBytes());
    ASSERT_TRUE(open(menu));
    boxes.answer(IDOK);
    EXPECT_FALSE(open(file("wrong.gui", "no library at all")));
    EXPECT_EQ(boxes.take(), QStringList{kLoadFailed});
    EXPECT_FALSE(std::filesystem::exists(folder.file("wrong.gui_save")));
    EXPECT_EQ(doc().library.resourceCount(), 1u);
    EXPECT_EQ(doc().library.name, "Menu");
    EXPECT_EQ(doc().GetPathName(), menu);
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("menu.gui - Tolvane"));
}

TEST_F(TolvaneDocTest, FileThatCannotBeReadGetsTheFrameworksMessage) {
    ASSERT_TRUE(open(file("menu.gui", menuExampleBytes())));
    boxes.answer(IDOK);
    EXPECT_FALSE(open(path("missing.gui")));
    const QStringList shown = boxes.take();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains(QStringLiteral("missing.gui")));
    EXPECT_NE(shown[0], kLoadFailed);
    EXPECT_EQ(doc().library.resourceCount(), 1u);
}

TEST_F(TolvaneDocTest, NewEmptiesTheLibrary) {
    ASSERT_TRUE(open(file("menu.gui", menuExampleBytes())));
    frame().dispatch(framework::ID_FILE_NEW);
    EXPECT_EQ(doc().library.resourceCount(), 0u);
    EXPECT_EQ(doc().library.textureCount(), 0u);
    EXPECT_EQ(doc().library.name, "");
    EXPECT_EQ(doc().library.idStart, 0u);
    EXPECT_EQ(doc().GetPathName(), QString());
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("Unbenannt - Tolvane"));
}

TEST_F(TolvaneDocTest, FailedSaveLeavesTheExistingFileAndSaysSo) {
    const QString menu = file("menu.gui", libraryBytes("Start"));
    ASSERT_TRUE(open(menu));
    frame().dispatch(ID_TEST_LIBRARY);
    doc().library.name = std::string(200, 'n');

    // A file size limit makes the write fail part-way, as a full disk would.
    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &small);
    boxes.answer(IDOK);
    frame().dispatch(framework::ID_FILE_SAVE);
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(boxes.take(), QStringList{kSaveFailed});
    EXPECT_EQ(readFileBytes(menu.toStdString()), libraryBytes("Start"));

    // A place that cannot hold a file: the save fails and says so, the path stays.
    files.choose(menu + QStringLiteral("/inside.gui"));
    boxes.answer(IDOK);
    frame().dispatch(framework::ID_FILE_SAVE_AS);
    EXPECT_EQ(boxes.take(), QStringList{kSaveFailed});
    EXPECT_EQ(doc().GetPathName(), menu);
}

// A save that fails at any one of its writes, syncs or renames leaves the file on disk as it
// was and nothing beside it, tells the user, and keeps the change unsaved.
TEST_F(TolvaneDocTest, ASaveFailingAtAnySystemCallKeepsTheFileAndTheChange) {
    const QString menu = file("menu.gui", menuExampleBytes());
    ASSERT_TRUE(open(menu));
    frame().dispatch(ID_NEW_RESOURCE);  // after the texture, the resource and its area
    ASSERT_TRUE(doc().IsModified());
    const std::vector<std::string> names = folder.names();

    const std::pair<SystemCall, int> failures[] = {
        {SystemCall::Write, ENOSPC}, {SystemCall::Fsync, EIO}, {SystemCall::Rename, EACCES}};
    for (const auto& [call, error] : failures) {
        const std::size_t calls = [&, call = call] {
            const FailingSystemCall counting(call, 0, 0);
            saveLibraryFile(folder.file("count.gui"), doc().library);
            std::filesystem::remove(folder.file("count.gui"));
            return counting.calls();
        }();
        ASSERT_GT(calls, 0u) << systemCallName(call);
        for (std::size_t failing = 1; failing <= calls; ++failing) {
            SCOPED_TRACE(std::string(systemCallName(call)) + " " + std::to_string(failing));
            const FailingSystemCall failure(call, failing, error);
            boxes.answer(IDYES);
            boxes.answer(IDOK);
            frame().dispatch(framework::ID_FILE_SAVE);
            EXPECT_TRUE(failure.failed());
            EXPECT_EQ(boxes.take(), (QStringList{kMissingCheck, kSaveFailed}));
            EXPECT_EQ(readFileBytes(menu.toStdString()), menuExampleBytes());
            EXPECT_EQ(folder.names(), names);
            EXPECT_TRUE(doc().IsModified());
        }
    }

    boxes.answer(IDYES);
    frame().dispatch(framework::ID_FILE_SAVE);
    EXPECT_EQ(boxes.take(), QStringList{kMissingCheck});
    MemoryOutputStream saved;
    doc().library.save(saved);
    EXPECT_EQ(readFileBytes(menu.toStdString()), saved.data());
}

// A read that fails at any point of an open is no file that ends there: the open fails with
// the reason, the open library stays, and no backup is written from the part that was read.
TEST_F(TolvaneDocTest, AnOpenFailingAtAnyReadKeepsTheOpenLibrary) {
    const QString start = file("start.gui", libraryBytes("Start"));
    ASSERT_TRUE(open(start));
    const QString menu = file("menu.gui", menuExampleBytes());
    const std::size_t calls = [&] {
        const FailingSystemCall counting(SystemCall::Read, 0, 0);
        ResourceLibrary library;
        loadLibraryFile(menu.toStdString(), library);
        return counting.calls();
    }();
    ASSERT_GT(calls, 0u);
    for (std::size_t failing = 1; failing <= calls; ++failing) {
        SCOPED_TRACE("read " + std::to_string(failing));
        const FailingSystemCall failure(SystemCall::Read, failing, EIO);
        boxes.answer(IDOK);
        EXPECT_FALSE(open(menu));
        EXPECT_TRUE(failure.failed());
        EXPECT_EQ(boxes.take(),
                  QStringList{kLoadFailed + QStringLiteral("\nEin-/Ausgabefehler 0x8007001F")});
        EXPECT_FALSE(std::filesystem::exists(folder.file("menu.gui_save")));
        EXPECT_EQ(doc().library.resources[0]->identifier, "Start");
        EXPECT_EQ(doc().GetPathName(), start);
    }
}

TEST_F(TolvaneDocTest, CheckAndHeaderNeedAResource) {
    EXPECT_FALSE(enabled(ID_TEST_LIBRARY));
    EXPECT_FALSE(enabled(ID_CREATE_HEADER));
    doc().library.resources.push_back(std::make_unique<UiResource>());
    EXPECT_TRUE(enabled(ID_TEST_LIBRARY));
    EXPECT_TRUE(enabled(ID_CREATE_HEADER));
    EXPECT_TRUE(enabled(framework::ID_FILE_SAVE));
    EXPECT_TRUE(enabled(framework::ID_FILE_NEW));
    EXPECT_FALSE(enabled(framework::ID_EDIT_PASTE));  // no handler on the route
}

TEST_F(TolvaneDocTest, ResultsWindowShowsTheLastCheckOnly) {
    CTestResultsDlg& window = *doc().resultsWindow;
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("GUI Ressourcen testen"));

    ASSERT_TRUE(open(file("bad.gui", libraryBytes("1Start"))));
    frame().dispatch(ID_TEST_LIBRARY);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.list()->count(), 5);

    ASSERT_TRUE(open(file("good.gui", libraryBytes("Start"))));
    window.close();  // the close box only hides it
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.list()->count(), 5);

    frame().dispatch(ID_TEST_LIBRARY);
    EXPECT_TRUE(window.isVisible());
    QStringList lines;
    for (int i = 0; i < window.list()->count(); ++i) {
        lines << window.list()->item(i)->text();
    }
    EXPECT_EQ(lines, (QStringList{QStringLiteral("*** Objektdaten prüfen ***"), QString(),
                                  QString(), QStringLiteral("Menu - 0 Fehler, 0 Warnung(en)")}));
}

TEST_F(TolvaneDocTest, HeaderGoesWhereTheSaveDialogSays) {
    ASSERT_TRUE(open(file("menu.gui", libraryBytes("Start"))));
    const QString header = path("neu.h");
    files.choose(header);
    frame().dispatch(ID_CREATE_HEADER);
    ASSERT_EQ(files.requests().size(), 1u);
    const framework::FileDialogRequest& request = files.requests()[0];
    EXPECT_FALSE(request.open);
    EXPECT_EQ(request.fileName, QStringLiteral("unbenannt.h"));
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[0].label, QStringLiteral("Header File (*.h)"));
    EXPECT_EQ(request.filters[1].label, QStringLiteral("All Files (*.*)"));
    EXPECT_TRUE(request.defaultSuffix.isEmpty());
    EXPECT_FALSE(request.fileMustExist);
    EXPECT_FALSE(request.overwritePrompt);
    EXPECT_EQ(readFileBytes(header.toStdString()),
              "#ifndef _MENU_H\r\n#define _MENU_H\r\n\r\nenum Menu {\r\n\tStart\t = 1000,\r\n"
              "};\r\n#endif\r\n");

    files.choose(std::nullopt);  // cancelled: nothing happens
    frame().dispatch(ID_CREATE_HEADER);

    files.choose(path("no/such/folder.h"));
    boxes.answer(IDOK);
    frame().dispatch(ID_CREATE_HEADER);
    EXPECT_EQ(boxes.take(), QStringList{QStringLiteral("Fehler beim Erzeugen der Datei!")});
}

}  // namespace
