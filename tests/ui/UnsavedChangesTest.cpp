#include <filesystem>

#include "EditorFixture.h"
#include "document/DocumentMessages.h"
#include "framework/StandardIds.h"
#include "ui/ResourceIds.h"

namespace {

using framework::IDNO;
using framework::IDOK;
using framework::IDYES;

const QString kMissingCheck = QStringLiteral(
    "Die GUI Bibliothek wurde in dieser Sitzung noch nicht geprüft!\nWollen Sie trotzdem "
    "speichern?");
const QString kSaveFailed = QString::fromUtf8(kSaveFailedMessage);
const QString kLoadFailed = QString::fromUtf8(kLoadFailedMessage);

QString askToSave(const QString& title) {
    return QStringLiteral("Änderungen an \"%1\" speichern?").arg(title);
}

class UnsavedChangesTest : public EditorTest {
protected:
    // The editor on m.gui, checked once so that saving asks nothing.
    void startChecked() {
        menu = library("m.gui", libraryWith({{0, 5, "Knopf"}}));
        ASSERT_TRUE(start({menu}));
        frame().dispatch(ID_TEST_LIBRARY);
    }
    // Closes the main window; true when it closed.
    bool close() { return frame().close(); }

    QString menu;
};

TEST_F(UnsavedChangesTest, EverySuccessfulSaveClearsTheFlag) {
    startChecked();
    frame().dispatch(ID_NEW_RESOURCE);
    ASSERT_TRUE(doc().IsModified());
    frame().dispatch(framework::ID_FILE_SAVE);
    EXPECT_FALSE(doc().IsModified());
    EXPECT_EQ(readFileBytes(menu.toStdString()),
              libraryWith({{0, 5, "Knopf"}, {0, 1001, "unbenannt"}}));

    frame().dispatch(ID_NEW_RESOURCE);
    const QString copy = QString::fromStdString(folder.file("copy.gui"));
    files.choose(copy);
    frame().dispatch(framework::ID_FILE_SAVE_AS);
    EXPECT_FALSE(doc().IsModified());

    // The save that the close question starts.
    frame().dispatch(ID_NEW_RESOURCE);
    boxes.answer(IDYES);
    EXPECT_TRUE(close());
    EXPECT_EQ(boxes.take(), QStringList{askToSave(QStringLiteral("copy.gui"))});
    EXPECT_FALSE(doc().IsModified());
    EXPECT_EQ(doc().library.resourceCount(), 4u);
    EXPECT_EQ(readFileBytes(copy.toStdString()),
              libraryWith({{0, 5, "Knopf"},
                           {0, 1001, "unbenannt"},
                           {0, 1002, "unbenannt"},
                           {0, 1003, "unbenannt"}}));

    // Nothing left to ask about.
    EXPECT_TRUE(close());
    EXPECT_TRUE(boxes.take().isEmpty());
}

TEST_F(UnsavedChangesTest, DeclinedOrFailedSaveKeepsTheFlag) {
    menu = library("m.gui", libraryWith({{0, 5, "Knopf"}}));
    ASSERT_TRUE(start({menu}));
    frame().dispatch(ID_NEW_RESOURCE);

    boxes.answer(IDNO);  // no check in this session: declined
    frame().dispatch(framework::ID_FILE_SAVE);
    EXPECT_EQ(boxes.take(), QStringList{kMissingCheck});
    EXPECT_TRUE(doc().IsModified());

    frame().dispatch(ID_TEST_LIBRARY);
    files.choose(menu + QStringLiteral("/inside.gui"));  // no place for a file
    boxes.answer(IDOK);
    frame().dispatch(framework::ID_FILE_SAVE_AS);
    EXPECT_EQ(boxes.take(), QStringList{kSaveFailed});
    EXPECT_TRUE(doc().IsModified());

    // The close question's save fails: the window stays, and so does the change.
    std::filesystem::remove(menu.toStdString());
    std::filesystem::create_directory(menu.toStdString());
    boxes.answer(IDYES);
    boxes.answer(IDOK);
    EXPECT_FALSE(close());
    EXPECT_EQ(boxes.take(), (QStringList{askToSave(QStringLiteral("m.gui")), kSaveFailed}));
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(UnsavedChangesTest, FailedOpenKeepsTheChangesOfTheOpenLibrary) {
    startChecked();
    frame().dispatch(ID_NEW_RESOURCE);

    boxes.answer(IDNO);  // not saved before the open
    boxes.answer(IDOK);
    EXPECT_EQ(app->OpenDocumentFile(library("wrong.gui", "no library at all")), nullptr);
    EXPECT_EQ(boxes.take(), (QStringList{askToSave(QStringLiteral("m.gui")), kLoadFailed}));
    EXPECT_EQ(doc().library.resourceCount(), 2u);
    EXPECT_TRUE(doc().IsModified());

    boxes.answer(framework::IDCANCEL);
    EXPECT_FALSE(close());
    EXPECT_EQ(boxes.take(), QStringList{askToSave(QStringLiteral("m.gui"))});
}

}  // namespace
