// Another program changes the open library's file: written in place, replaced by a rename,
// deleted, made anew. Each change is seen once and the editor's own writes never; without
// unsaved changes the file is read anew as one step, with them a bar asks. (The offscreen
// platform has no accessibility bridge, so what screen readers are told is checked through the
// bar's accessible interface rather than its events.)
#include <QAccessible>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>
#include <cstdio>
#include <filesystem>

#include "CanvasFixture.h"
#include "EditorFixture.h"
#include "framework/ReportList.h"
#include "framework/StandardIds.h"
#include "persistence/MemoryStreams.h"
#include "ui/ResourceIds.h"
#include "ui/form/TolvaneViewButton.h"
#include "ui/history/LibraryHistory.h"
#include "ui/shell/OutsideChangeBar.h"
#include "ui/shell/OutsideChanges.h"
#include "ui/texture_editor/DragGesture.h"

namespace {

using framework::IDNO;
using framework::IDYES;

const QString kChanged = QStringLiteral("Die Datei wurde außerhalb von Tolvane geändert.");
const QString kDeleted = QStringLiteral("Die Datei wurde gelöscht.");
const QString kSaveAnyway =
    QStringLiteral("Die Datei wurde außerhalb von Tolvane geändert. Trotzdem speichern?");
const QString kReloaded =
    QStringLiteral("Die Datei wurde außerhalb von Tolvane geändert und neu geladen.");

// A library called name whose resources (id, identifier) have areas rows each.
std::string libraryOf(const std::string& name,
                      const std::vector<std::pair<std::int32_t, std::string>>& resources,
                      std::uint32_t rows = 2) {
    LibraryBytes bytes;
    bytes.header(3, 1000, name).u32(0).u32(static_cast<std::uint32_t>(resources.size()));
    for (const auto& [id, identifier] : resources) {
        bytes.i32(0).i32(id).text(identifier).u32(rows);
        for (std::uint32_t row = 0; row < rows; ++row) {
            bytes.f32(0).f32(0).f32(8).f32(8).f32(0).f32(0).f32(1).f32(1).i32(0);
        }
    }
    return bytes.str();
}

std::string bytesOf(const ResourceLibrary& library) {
    MemoryOutputStream bytes;
    library.save(bytes);
    return bytes.data();
}

class OutsideChangeTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        path = library("menu.gui", libraryOf("Menu", {{5, "KNOPF"}, {6, "ZWEI"}}));
        ASSERT_TRUE(start({path}));
        frame().dispatch(ID_TEST_LIBRARY);  // checked, so that saving asks nothing else
        frame().activateWindow();           // for the bar's mnemonics
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    }

    // Another program writes bytes over the file in place, as an editor without safe saving.
    void rewrite(const std::string& bytes) const { writeFileBytes(path.toStdString(), bytes); }
    // Another program writes bytes beside the file and renames them over it.
    void replace(const std::string& bytes) const {
        writeFileBytes(folder.file(".menu.gui.tmp"), bytes);
        std::filesystem::rename(folder.file(".menu.gui.tmp"), path.toStdString());
    }

    LibraryFileWatch& watch() { return doc().outsideChanges->watch(); }
    // Lets the watch hear of everything done so far and waits until it has settled.
    bool settled() {
        QCoreApplication::processEvents();
        return QTest::qWaitFor([this] { return !watch().settling(); }, 5000);
    }
    bool until(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 5000); }

    int reloads() {
        int count = 0;
        const QUndoStack& steps = doc().history->stack();
        for (int i = 0; i < steps.count(); ++i) {
            count += steps.text(i) == QStringLiteral("Neu geladen") ? 1 : 0;
        }
        return count;
    }
    QString barText() {
        OutsideChangeBar* bar = doc().outsideChanges->bar();
        return bar != nullptr ? bar->message() : QString();
    }
    std::string libraryName() const { return currentDocument->library.name; }
    void undo() {
        tree().setFocus();
        frame().dispatch(framework::ID_EDIT_UNDO);
    }

    QString path;
};

TEST_F(OutsideChangeTest, EachChangeIsSeenOnceAndTheEditorsOwnWritesNever) {
    struct Case {
        const char* what;
        std::function<void()> change;
        std::string name;  // the library's name afterwards
        int reloads;       // "Neu geladen" steps so far
        QString bar;
    };
    const std::string renamed = libraryOf("Umbenannt", {{5, "KNOPF"}});
    const std::string rewritten = libraryOf("Neu", {{5, "KNOPF"}});
    const std::string recreated = libraryOf("Wieder", {{5, "KNOPF"}});
    const Case cases[] = {
        {"the editor's own save", [this] { frame().dispatch(framework::ID_FILE_SAVE); }, "Menu", 0,
         QString()},
        {"replaced by a rename", [&] { replace(renamed); }, "Umbenannt", 1, QString()},
        {"rewritten in place", [&] { rewrite(rewritten); }, "Neu", 2, QString()},
        {"deleted", [this] { std::filesystem::remove(path.toStdString()); }, "Neu", 2, kDeleted},
        {"made anew", [&] { rewrite(recreated); }, "Wieder", 3, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.change();
        ASSERT_TRUE(settled());
        EXPECT_TRUE(until([&] { return reloads() == c.reloads; }));
        EXPECT_EQ(libraryName(), c.name);
        EXPECT_EQ(barText(), c.bar);
        EXPECT_FALSE(doc().IsModified());
    }
    // Seen once each: the reload's own backup woke the watch, and it found nothing new.
    ASSERT_TRUE(settled());
    EXPECT_EQ(reloads(), 3);
    EXPECT_EQ(frame().messageText(), kReloaded);
    // The backup was written as on open: the library as read anew.
    EXPECT_EQ(readFileBytes(folder.file("menu.gui_save")), recreated);
}

TEST_F(OutsideChangeTest, AReloadKeepsTheSelectionAndUndoGoesBackPastIt) {
    tree().SelectResource(doc().library.resources[1].get());
    currentButtonView->areaList->SelectItem(1);
    replace(libraryOf("Neu", {{1, "ERST"}, {6, "ZWEI"}, {7, "DRITT"}}));
    ASSERT_TRUE(until([this] { return reloads() == 1; }));
    ASSERT_NE(tree().currentRecord(), nullptr);
    EXPECT_EQ(tree().currentRecord()->identifier, "ZWEI");
    EXPECT_EQ(tree().currentRecord(), doc().library.resources[1].get());
    EXPECT_EQ(currentButtonView->SelectedAreaIndex(), 1);

    undo();
    EXPECT_EQ(libraryName(), "Menu");
    EXPECT_EQ(tree().currentRecord(), doc().library.resources[1].get());
    EXPECT_TRUE(doc().IsModified());  // no longer what the file holds

    // Renamed there: the resource with the same id.
    frame().dispatch(framework::ID_EDIT_REDO);
    replace(libraryOf("Umbenannt", {{1, "ERST"}, {6, "ANDERS"}}));
    ASSERT_TRUE(until([this] { return reloads() == 2; }));
    ASSERT_NE(tree().currentRecord(), nullptr);
    EXPECT_EQ(tree().currentRecord()->identifier, "ANDERS");

    // Where the selected resource is gone, nothing is selected.
    replace(libraryOf("Ohne", {{1, "ERST"}}));
    ASSERT_TRUE(until([this] { return reloads() == 3; }));
    EXPECT_EQ(tree().currentRecord(), nullptr);
}

TEST_F(OutsideChangeTest, WithUnsavedChangesTheBarOffersReloadWhichUndoCanPass) {
    tree().setFocus();
    frame().dispatch(ID_NEW_RESOURCE);
    const std::string edited = bytesOf(doc().library);
    const std::string theirs = libraryOf("Fremd", {{9, "FREMD"}});
    replace(theirs);
    ASSERT_TRUE(until([this] { return barText() == kChanged; }));
    EXPECT_EQ(libraryName(), "Menu");

    // Announced, and reachable by keyboard, but nothing taken from what the user was doing.
    OutsideChangeBar& bar = *doc().outsideChanges->bar();
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&bar);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::AlertMessage);
    EXPECT_EQ(accessible->text(QAccessible::Name), kChanged);
    EXPECT_FALSE(accessible->text(QAccessible::Description).isEmpty());
    EXPECT_TRUE(tree().hasFocus());
    EXPECT_EQ(bar.reloadButton()->text().remove(QLatin1Char('&')), QStringLiteral("Neu laden"));
    EXPECT_EQ(bar.keepButton()->text().remove(QLatin1Char('&')), QStringLiteral("Behalten"));
    // Each button's mnemonic is its own in the main window.
    QList<QKeySequence> mnemonics;
    for (const QAbstractButton* button : frame().findChildren<QAbstractButton*>()) {
        mnemonics << QKeySequence::mnemonic(button->text());
    }
    for (const QLabel* label : frame().findChildren<QLabel*>()) {
        mnemonics << QKeySequence::mnemonic(label->buddy() != nullptr ? label->text() : QString());
    }
    for (const QAction* menu : frame().menuBar()->actions()) {
        mnemonics << QKeySequence::mnemonic(menu->text());
    }
    for (const QPushButton* button : {bar.reloadButton(), bar.keepButton()}) {
        EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus);
        EXPECT_EQ(mnemonics.count(QKeySequence::mnemonic(button->text())), 1)
            << button->text().toStdString();
    }

    QTest::keyClick(&tree(), Qt::Key_N, Qt::AltModifier);  // "&Neu laden"
    ASSERT_TRUE(until([this] { return barText().isEmpty(); }));
    EXPECT_TRUE(tree().hasFocus());
    EXPECT_EQ(libraryName(), "Fremd");
    EXPECT_FALSE(doc().IsModified());
    EXPECT_EQ(doc().history->stack().undoText(), QStringLiteral("Neu geladen"));

    undo();  // the discarded changes come back
    EXPECT_EQ(bytesOf(doc().library), edited);
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(OutsideChangeTest, KeepingTheChangesMakesTheNextSaveAskOnce) {
    frame().dispatch(ID_NEW_RESOURCE);
    const std::string theirs = libraryOf("Fremd", {{9, "FREMD"}});
    rewrite(theirs);
    ASSERT_TRUE(until([this] { return barText() == kChanged; }));
    QTest::mouseClick(doc().outsideChanges->bar()->keepButton(), Qt::LeftButton);
    EXPECT_EQ(barText(), QString());

    // Another file in the folder wakes the watch; the choice stands.
    writeFileBytes(folder.file("nebenan.txt"), "x");
    ASSERT_TRUE(settled());
    EXPECT_EQ(barText(), QString());

    boxes.answer(IDNO);
    frame().dispatch(framework::ID_FILE_SAVE);
    EXPECT_EQ(boxes.take(), QStringList{kSaveAnyway});
    EXPECT_EQ(readFileBytes(path.toStdString()), theirs);
    EXPECT_TRUE(doc().IsModified());

    boxes.answer(IDYES);
    frame().dispatch(framework::ID_FILE_SAVE);
    EXPECT_EQ(boxes.take(), QStringList{kSaveAnyway});
    EXPECT_FALSE(doc().IsModified());
    EXPECT_EQ(doc().library.resourceCount(), 3u);
    EXPECT_EQ(libraryName(), "Menu");

    frame().dispatch(ID_NEW_RESOURCE);
    frame().dispatch(framework::ID_FILE_SAVE);  // asks nothing: the file is the editor's again
    EXPECT_EQ(boxes.take(), QStringList());
    ASSERT_TRUE(settled());
    EXPECT_EQ(barText(), QString());
}

TEST_F(OutsideChangeTest, ADeletedFileIsKeptAndSavedAnewWithoutAQuestion) {
    frame().dispatch(ID_NEW_RESOURCE);
    std::filesystem::remove(path.toStdString());
    ASSERT_TRUE(until([this] { return barText() == kDeleted; }));
    OutsideChangeBar& bar = *doc().outsideChanges->bar();
    EXPECT_TRUE(bar.reloadButton()->isHidden());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&bar)->text(QAccessible::Name), kDeleted);
    QTest::keyClick(&tree(), Qt::Key_L, Qt::AltModifier);  // "Beha&lten"
    ASSERT_TRUE(until([this] { return barText().isEmpty(); }));
    EXPECT_EQ(doc().library.resourceCount(), 3u);

    frame().dispatch(framework::ID_FILE_SAVE);
    EXPECT_EQ(boxes.take(), QStringList());
    EXPECT_EQ(readFileBytes(path.toStdString()), bytesOf(doc().library));
}

TEST_F(OutsideChangeTest, AFileCaughtHalfwayThroughBeingWrittenIsNotRead) {
    const std::string whole = libraryOf("Ganz", {{5, "KNOPF"}, {6, "ZWEI"}, {7, "DREI"}});
    rewrite(whole.substr(0, whole.size() - 20));
    ASSERT_TRUE(settled());
    EXPECT_EQ(reloads(), 0);
    EXPECT_EQ(libraryName(), "Menu");
    rewrite(whole);
    EXPECT_TRUE(until([this] { return reloads() == 1; }));
    EXPECT_EQ(doc().library.resourceCount(), 3u);
}

// A drag on the texture refers to the library's areas by row: neither the library nor the
// panel's place may change under it, so the reload and the bar wait until it ended.
class OutsideChangeDuringAGestureTest : public CanvasTest {
protected:
    // Another program renames the library to name, of eight letters as "Leinwand" has.
    void changeOnDisk(const std::string& name) {
        std::string bytes = canvasLibraryBytes();
        bytes.replace(bytes.find("Leinwand"), name.size(), name);
        writeFileBytes(folder.file(".neu"), bytes);
        std::filesystem::rename(folder.file(".neu"), folder.file("leinwand.gui"));
        QCoreApplication::processEvents();
        ASSERT_TRUE(
            QTest::qWaitFor([this] { return !doc().outsideChanges->watch().settling(); }, 5000));
    }
    void press() {
        QTest::mousePress(&canvas(), Qt::LeftButton, {}, at({90, 90}));
        ASSERT_TRUE(DragGesture::anyRunning());
    }
    void release() { QTest::mouseRelease(&canvas(), Qt::LeftButton, {}, at({90, 90})); }
};

TEST_F(OutsideChangeDuringAGestureTest, TheReloadAndTheBarWaitUntilTheGestureEnded) {
    press();
    changeOnDisk("Zweitens");
    EXPECT_EQ(doc().library.name, "Leinwand");
    release();
    EXPECT_TRUE(QTest::qWaitFor([this] { return doc().library.name == "Zweitens"; }, 5000));

    frame().dispatch(ID_NEW_RESOURCE);
    press();
    changeOnDisk("Drittens");
    EXPECT_EQ(doc().outsideChanges->bar(), nullptr);
    release();
    EXPECT_TRUE(QTest::qWaitFor(
        [this] {
            return doc().outsideChanges->bar() != nullptr &&
                   doc().outsideChanges->bar()->message() ==
                       QStringLiteral("Die Datei wurde außerhalb von Tolvane geändert.");
        },
        5000));
    EXPECT_EQ(doc().library.name, "Zweitens");
}

}  // namespace
