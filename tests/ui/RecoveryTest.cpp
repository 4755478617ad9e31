// Recovery copies of unsaved work: written while there are unsaved changes, gone once there
// are none, offered at the next start when the editor that wrote them was killed, and never
// to a second editor while the first still runs.
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <filesystem>

#include "EditorFixture.h"
#include "framework/StandardIds.h"
#include "library/LibraryFile.h"
#include "persistence/MemoryStreams.h"
#include "ui/ResourceIds.h"
#include "ui/history/LibraryHistory.h"
#include "ui/shell/OutsideChangeBar.h"
#include "ui/shell/OutsideChanges.h"
#include "ui/shell/RecoveryCopy.h"
#include "ui/shell/RecoveryKeeper.h"
#include "ui/shell/RecoveryStore.h"

namespace {

using framework::IDCANCEL;
using framework::IDNO;
using framework::IDOK;
using framework::IDYES;

const QString kOffer =
    QStringLiteral("Tolvane wurde nicht ordnungsgemäß beendet. Ungesicherte Änderungen an %1 vom ");
const QString kMissingCheck = QStringLiteral(
    "Die GUI Bibliothek wurde in dieser Sitzung noch nicht geprüft!\nWollen Sie trotzdem "
    "speichern?");
const QString kSaveAnyway =
    QStringLiteral("Die Datei wurde außerhalb von Tolvane geändert. Trotzdem speichern?");

std::string bytesOf(const ResourceLibrary& library) {
    MemoryOutputStream bytes;
    library.save(bytes);
    return bytes.data();
}

class RecoveryTest : public EditorTest {
protected:
    QString recoveryFolder() const {
        return QString::fromStdString(folder.file("state/tolvane/recovery"));
    }
    // Starts the editor as the program does, with its recovery copies in recoveryFolder().
    bool startKeeping(const QStringList& arguments = {}) {
        app = std::make_unique<CTolvaneApp>(QString(), recoveryFolder());
        return app->InitInstance(arguments);
    }
    // The names in the recovery folder with suffix, sorted.
    QStringList named(const QString& suffix) const {
        QStringList names;
        const std::filesystem::path root = recoveryFolder().toStdString();
        if (std::filesystem::is_directory(root)) {
            for (const auto& entry : std::filesystem::directory_iterator(root)) {
                const QString name = QString::fromStdString(entry.path().filename().string());
                if (name.endsWith(suffix)) {
                    names << name;
                }
            }
        }
        names.sort();
        return names;
    }
    QStringList copies() const { return named(QStringLiteral(".recovery")); }
    // What the keeper has written by now.
    QStringList writtenCopies() {
        if (app != nullptr && app->recoveryKeeper() != nullptr) {
            app->recoveryKeeper()->finishWriting();
        }
        return copies();
    }
    // The recovery folder as the editor makes it, with contents in file name.
    void put(const QString& name, const std::string& contents) const {
        std::filesystem::create_directories(recoveryFolder().toStdString());
        ::chmod(recoveryFolder().toLocal8Bit().constData(), 0700);
        writeFileBytes((recoveryFolder() + QLatin1Char('/') + name).toStdString(), contents);
    }
    // A copy named name, of bytes, as an editor that crashed left it behind for path.
    void plant(const QString& name, const std::string& bytes, const QString& path,
               const FileSnapshot& file = {}) const {
        RecoveryCopy copy;
        copy.libraryPath = path;
        copy.written = QDateTime(QDate(2024, 5, 17), QTime(14, 30));
        copy.file = file;
        copy.library = QByteArray::fromStdString(bytes);
        put(name, copy.encode().toStdString());
    }
};

// The real editor in a process of its own makes changes, waits for its copy and is killed;
// started again, the editor brings the work back exactly. A second editor started while the
// first runs leaves its copy alone.
TEST_F(RecoveryTest, UnsavedWorkComesBackByteForByteAfterTheEditorIsKilled) {
    for (const bool saved : {true, false}) {
        SCOPED_TRACE(saved ? "a library opened from its file" : "a library never saved");
        std::filesystem::remove_all(folder.file("state"));
        const QString menu = saved ? library("Menu.gui", menuExampleBytes()) : QString();
        const std::string expected = folder.file(saved ? "expected-saved" : "expected-new");

        QProcess editor;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           QString::fromStdString(folder.file("config")));
        editor.setProcessEnvironment(environment);
        QStringList arguments{recoveryFolder(), QString::fromStdString(expected)};
        if (saved) {
            arguments << menu;
        }
        editor.start(QStringLiteral(TOLVANE_EDITING_EDITOR_PATH), arguments);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return copies().size() == 1 && std::filesystem::exists(expected); }, 20000));

        ASSERT_TRUE(startKeeping());  // offers nothing: the copy's editor runs
        app.reset();
        EXPECT_EQ(copies().size(), 1);

        editor.kill();  // SIGKILL: nothing is cleaned up
        ASSERT_TRUE(editor.waitForFinished(10000));
        boxes.answer(IDYES);
        ASSERT_TRUE(startKeeping());
        const QStringList asked = boxes.take();
        ASSERT_EQ(asked.size(), 1);
        EXPECT_TRUE(asked[0].startsWith(kOffer.arg(saved ? menu : QStringLiteral("Unbenannt"))))
            << asked[0].toStdString();
        EXPECT_TRUE(doc().IsModified());
        EXPECT_EQ(doc().GetPathName(), menu);
        EXPECT_EQ(doc().GetTitle(),
                  saved ? QStringLiteral("Menu.gui") : QStringLiteral("Unbenannt"));
        EXPECT_EQ(bytesOf(doc().library), readFileBytes(expected));
        EXPECT_EQ(doc().outsideChanges->bar(), nullptr);  // the file is as it was

        // The first save writes to the library's own file, or asks for one.
        const QString target = saved ? menu : QString::fromStdString(folder.file("neu.gui"));
        if (!saved) {
            files.choose(target);
        }
        boxes.answer(IDYES);  // not checked in this session
        frame().dispatch(framework::ID_FILE_SAVE);
        EXPECT_EQ(boxes.take(), QStringList{kMissingCheck});
        EXPECT_EQ(readFileBytes(target.toStdString()), readFileBytes(expected));
        EXPECT_EQ(writtenCopies(), QStringList());

        app.reset();
        EXPECT_EQ(named(QString()), QStringList());  // neither copies nor lock files
    }
}

TEST_F(RecoveryTest, TheCopyGoesWhenNoUnsavedChangeIsLeft) {
    struct Case {
        const char* what;
        std::function<void()> act;
    };
    const Case cases[] = {
        {"saved",
         [this] {
             boxes.answer(IDYES);  // not checked in this session
             frame().dispatch(framework::ID_FILE_SAVE);
         }},
        {"every change undone",
         [this] {
             tree().setFocus();
             frame().dispatch(framework::ID_EDIT_UNDO);
         }},
        {"New, the changes dropped",
         [this] {
             boxes.answer(IDNO);
             frame().dispatch(framework::ID_FILE_NEW);
         }},
        {"another file opened",
         [this] {
             boxes.answer(IDNO);
             app->OpenDocumentFile(library("other.gui", menuExampleBytes()));
         }},
        {"closed with \"Nein\"",
         [this] {
             boxes.answer(IDNO);
             EXPECT_TRUE(frame().close());
             app.reset();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(startKeeping({library("menu.gui", menuExampleBytes())}));
        frame().dispatch(ID_NEW_RESOURCE);
        app->recoveryKeeper()->writeCopy();
        const QStringList written = writtenCopies();
        ASSERT_EQ(written.size(), 1);

        // What the copy holds: the library as it is, and whose it is.
        const QFile file(recoveryFolder() + QLatin1Char('/') + written[0]);
        EXPECT_EQ(QFile::permissions(file.fileName()) & (QFile::ReadOther | QFile::ReadGroup), 0);
        const std::optional<RecoveryCopy> copy = RecoveryCopy::decode(
            QByteArray::fromStdString(readFileBytes(file.fileName().toStdString())));
        ASSERT_TRUE(copy.has_value());
        EXPECT_EQ(copy->libraryPath, doc().GetPathName());
        EXPECT_TRUE(copy->file.sameBytes(FileSnapshot::of(doc().GetPathName())));
        ResourceLibrary restored;
        MemoryInputStream memory(copy->library.toStdString());
        ASSERT_EQ(restored.load(memory), S_OK);
        EXPECT_EQ(restored.resourceCount(), 2u);

        c.act();
        EXPECT_EQ(writtenCopies(), QStringList());
        app.reset();
    }
}

TEST_F(RecoveryTest, LaterKeepsACopyDiscardDeletesItAndADamagedOneIsReportedAndLeft) {
    const QString menu = library("Menu.gui", menuExampleBytes());
    const FileSnapshot asRead = FileSnapshot::of(menu);
    const std::string edited = libraryWith({{0, 7, "GERETTET"}});
    put(QStringLiteral("1-damaged.recovery"), "tolvane-recovery 1\nkaputt");
    const QString damaged = recoveryFolder() + QStringLiteral("/1-damaged.recovery");
    plant(QStringLiteral("2-later.recovery"), edited, menu, asRead);
    plant(QStringLiteral("3-discard.recovery"), libraryWith({{0, 8, "WEG"}}), QString());
    put(QStringLiteral("3-discard.lock"), "");
    // Oldest first.
    const auto now = std::filesystem::file_time_type::clock::now();
    int age = 3;
    for (const char* name : {"1-damaged", "2-later", "3-discard"}) {
        std::filesystem::last_write_time(recoveryFolder().toStdString() + "/" + name + ".recovery",
                                         now - std::chrono::hours(age--));
    }

    boxes.answer(IDOK);
    boxes.answer(IDCANCEL);  // "Später"
    boxes.answer(IDNO);      // "Verwerfen"
    ASSERT_TRUE(startKeeping());
    QStringList asked = boxes.take();
    ASSERT_EQ(asked.size(), 3);
    EXPECT_EQ(asked[0], QStringLiteral("Die Wiederherstellungskopie %1 kann nicht gelesen werden "
                                       "(beschädigt). Sie bleibt, wo sie ist.")
                            .arg(damaged));
    EXPECT_EQ(asked[1], kOffer.arg(menu) + QStringLiteral("17.05.2024 14:30 wiederherstellen?"));
    EXPECT_TRUE(asked[2].startsWith(kOffer.arg(QStringLiteral("Unbenannt"))));
    EXPECT_FALSE(doc().IsModified());
    app.reset();
    EXPECT_EQ(copies(), (QStringList{QStringLiteral("1-damaged.recovery"),
                                     QStringLiteral("2-later.recovery")}));
    EXPECT_EQ(named(QStringLiteral(".lock")), QStringList());

    // Next time the one kept for later is offered again. Its file has changed since the work
    // was done, so the first save asks.
    writeFileBytes(menu.toStdString(), libraryWith({{0, 9, "FREMD"}}));
    boxes.answer(IDOK);
    boxes.answer(IDYES);
    ASSERT_TRUE(startKeeping());
    EXPECT_EQ(boxes.take().size(), 2);
    EXPECT_EQ(doc().library.resources.at(0)->identifier, "GERETTET");
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(doc().history->stack().count(), 0);  // nothing to undo into
    ASSERT_NE(doc().outsideChanges->bar(), nullptr);
    EXPECT_EQ(doc().outsideChanges->bar()->message(),
              QStringLiteral("Die Datei wurde außerhalb von Tolvane geändert."));
    boxes.answer(IDYES);
    boxes.answer(IDYES);
    frame().dispatch(framework::ID_FILE_SAVE);
    EXPECT_EQ(boxes.take(), (QStringList{kSaveAnyway, kMissingCheck}));
    EXPECT_EQ(readFileBytes(menu.toStdString()), edited);
    app.reset();
    EXPECT_EQ(copies(), QStringList{QStringLiteral("1-damaged.recovery")});
}

// As the hand-over folder is: the editor then keeps no copies and reads none.
TEST_F(RecoveryTest, AFolderOthersCouldReachOrReplaceIsRefused) {
    struct Case {
        const char* what;
        std::function<QString()> spoil;  // returns the folder to name
        const char* problem;
    };
    const Case cases[] = {
        {"open to the group",
         [this] {
             ::chmod(recoveryFolder().toLocal8Bit().constData(), 0750);
             return recoveryFolder();
         },
         " ist für andere Benutzer zugänglich"},
        {"open to everyone",
         [this] {
             ::chmod(recoveryFolder().toLocal8Bit().constData(), 0777);
             return recoveryFolder();
         },
         " ist für andere Benutzer zugänglich"},
        {"a link",
         [this] {
             const std::string link = folder.file("link");
             std::filesystem::create_directory_symlink(recoveryFolder().toStdString(), link);
             return QString::fromStdString(link);
         },
         " ist ein Verweis"},
        {"someone else's",
         [this] {
             EXPECT_EQ(::chown(recoveryFolder().toLocal8Bit().constData(), 65534, 65534), 0);
             return recoveryFolder();
         },
         " gehört einem anderen Benutzer"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (std::string(c.what) == "someone else's" && ::geteuid() != 0) {
            continue;  // giving a folder away needs root
        }
        std::filesystem::remove_all(folder.file("state"));
        std::filesystem::remove(folder.file("link"));
        plant(QStringLiteral("1-crashed.recovery"), menuExampleBytes(), QString());
        const QString given = c.spoil();
        const RecoveryStore store(given);
        EXPECT_FALSE(store.usable());
        EXPECT_EQ(store.problem(), given + QString::fromUtf8(c.problem));
        EXPECT_TRUE(store.orphans().empty());

        app = std::make_unique<CTolvaneApp>(QString(), given);
        ASSERT_TRUE(app->InitInstance({}));  // no offer: no box
        EXPECT_EQ(app->recoveryKeeper(), nullptr);
        app.reset();
    }
}

TEST(RecoveryFolder, IsTheStateFolderOfTheEnvironmentOrTheHomeFolders) {
    const QByteArray saved = qgetenv("XDG_STATE_HOME");
    const QString home = QDir::homePath();
    qputenv("XDG_STATE_HOME", "/var/zustand");
    EXPECT_EQ(defaultRecoveryFolder(), QStringLiteral("/var/zustand/tolvane/recovery"));
    qputenv("XDG_STATE_HOME", "relativ/zustand");  // not absolute: ignored
    EXPECT_EQ(defaultRecoveryFolder(), home + QStringLiteral("/.local/state/tolvane/recovery"));
    qunsetenv("XDG_STATE_HOME");
    EXPECT_EQ(defaultRecoveryFolder(), home + QStringLiteral("/.local/state/tolvane/recovery"));
    if (!saved.isNull()) {
        qputenv("XDG_STATE_HOME", saved);
    }
}

TEST(RecoveryFolder, IsMadeWithItsParentsForTheUserAlone) {
    const TemporaryFolder top;
    const QString path = QString::fromStdString(top.file("a/b/recovery"));
    const RecoveryStore store(path);
    ASSERT_TRUE(store.usable()) << store.problem().toStdString();
    for (const char* made : {"a", "a/b", "a/b/recovery"}) {
        struct stat status {};
        ASSERT_EQ(::stat(top.file(made).c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0700u) << made;
    }
    EXPECT_TRUE(store.copyPath().startsWith(path + QLatin1Char('/')));
}

}  // namespace
