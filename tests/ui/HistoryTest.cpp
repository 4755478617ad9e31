// The history of the library's changes, driven through the editor's real tree, form, dialogs
// and "Verlauf" panel: undo and redo give back the library's bytes exactly, the modified flag
// follows the saved state, and the views show what the library now holds.
#include <QMenuBar>
#include <QTest>
#include <QUndoView>
#include <functional>

#include "ButtonFormFixture.h"
#include "framework/CommandRoute.h"
#include "framework/StandardIds.h"
#include "testing/MemoryStreams.h"
#include "ui/history/HistoryDock.h"
#include "ui/history/LibraryHistory.h"
#include "ui/shell/TolvaneViewBlank.h"

namespace {

using framework::Dialog;
using framework::IDCANCEL;
using framework::IDOK;

std::string bytesOf(const ResourceLibrary& library) {
    MemoryOutputStream out;
    library.save(out);
    return out.data();
}

void loadBytes(ResourceLibrary& library, const std::string& bytes) {
    MemoryInputStream in(bytes);
    ASSERT_EQ(library.load(in), S_OK);
}

class HistoryTest : public ButtonFormTest {
protected:
    // "Knopf" (id 5) with two areas on two textures, then "Zwei" (id 6); "Knopf" selected and
    // checked, so that saving asks nothing.
    void startOnLibrary() {
        app.reset();
        ASSERT_NO_FATAL_FAILURE(startOnButton({areaOf(0, 0, 32, 16, 1), areaOf(32, 0, 64, 16, 2)},
                                              {{1, "a.png"}, {2, "b.png"}}));
        auto second = std::make_unique<UiResource>();
        second->id = 6;
        second->identifier = "Zwei";
        doc().library.resources.push_back(std::move(second));
        tree().RebuildTree();
        tree().SelectResource(&button());
        doc().errorCount = 0;
        frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    }

    QUndoStack& steps() { return doc().history->stack(); }
    std::string savedBytes() {
        frame().dispatch(framework::ID_FILE_SAVE);
        return readFileBytes(folder.file("menu.gui"));
    }
    // Undo and redo of the library, with the focus where no edit has its own.
    void undo() {
        tree().setFocus();
        frame().dispatch(framework::ID_EDIT_UNDO);
    }
    void redo() {
        tree().setFocus();
        frame().dispatch(framework::ID_EDIT_REDO);
    }
    QAction* editMenuAction(int position) {
        QMenu* edit = frame().menuBar()->actions().at(1)->menu();
        return edit->actions().at(position);
    }
    std::vector<std::string> identifiers() {
        std::vector<std::string> result;
        for (const auto& resource : doc().library.resources) {
            result.push_back(resource->identifier);
        }
        return result;
    }
};

// One kind of step: what the user does, and the same change made to the library by hand.
struct StepCase {
    QString name;
    std::function<void()> act;
    std::function<void(ResourceLibrary&)> change;
};

TEST_F(HistoryTest, EveryKindOfStepUndoesAndRedoesToTheExactBytes) {
    const std::vector<StepCase> cases = {
        {QStringLiteral("Neue Ressource"), [&] { frame().dispatch(ID_NEW_RESOURCE); },
         [](ResourceLibrary& library) {
             auto added = std::make_unique<UiResource>();
             added->id = 1002;
             library.resources.push_back(std::move(added));
         }},
        {QStringLiteral("Ressource kopieren"), [&] { frame().dispatch(ID_COPY_RESOURCE); },
         [](ResourceLibrary& library) {
             auto copy = std::make_unique<UiResource>();
             copy->id = 1002;
             copy->areas = library.resources[0]->areas;
             library.resources.push_back(std::move(copy));
         }},
        {QStringLiteral("Ressource löschen"), [&] { frame().dispatch(ID_DELETE_RESOURCE); },
         [](ResourceLibrary& library) { library.resources.erase(library.resources.begin()); }},
        {QStringLiteral("Id ändern"), [&] { type(IDC_RESOURCE_ID, QStringLiteral("7")); },
         [](ResourceLibrary& library) { library.resources[0]->id = 57; }},
        {QStringLiteral("Bezeichner ändern"), [&] { type(IDC_IDENTIFIER, QStringLiteral("_2")); },
         [](ResourceLibrary& library) { library.resources[0]->identifier = "KNOPF_2"; }},
        {QStringLiteral("Neuer Bereich"),
         [&] {
             dialogs.answer([](Dialog& d) {
                 retype(d, IDC_X2, QStringLiteral("8"));
                 press(d, IDOK);
             });
             click(IDC_NEW_AREA);
         },
         [](ResourceLibrary& library) {
             ResourceArea area;
             area.x2 = 8.0f;
             library.resources[0]->areas.push_back(area);
         }},
        {QStringLiteral("Bereich bearbeiten"),
         [&] {
             selectRow(1);
             dialogs.answer([](Dialog& d) {
                 retype(d, IDC_OFFSET_X, QStringLiteral("4"));
                 press(d, IDOK);
             });
             click(IDC_EDIT_AREA);
         },
         [](ResourceLibrary& library) { library.resources[0]->areas[1].offsetX = 4.0f; }},
        {QStringLiteral("Bereich löschen"),
         [&] {
             selectRow(0);
             click(IDC_DELETE_AREA);
         },
         [](ResourceLibrary& library) {
             auto& areas = library.resources[0]->areas;
             areas.erase(areas.begin());
         }},
        {QStringLiteral("Bereich kopieren"),
         [&] {
             selectRow(0);
             click(IDC_COPY_AREA);
         },
         [](ResourceLibrary& library) {
             auto& areas = library.resources[0]->areas;
             areas.push_back(areas[0]);
         }},
        {QStringLiteral("Texturbibliothek"),
         [&] {
             dialogs.answer([](Dialog& d) {
                 retype(d, IDC_TEXTURE_PATH, QStringLiteral("a2.png"));
                 press(d, IDC_TEXTURE_NEW);
                 retype(d, IDC_TEXTURE_PATH, QStringLiteral("c.png"));
                 press(d, IDCANCEL);  // keeps the changes all the same
             });
             frame().dispatch(ID_TEXTURE_LIBRARY);
         },
         [](ResourceLibrary& library) {
             library.textures[0]->path = "a2.png";
             auto added = std::make_unique<TextureEntry>();
             added->id = 2;
             added->path = "c.png";
             library.textures.push_back(std::move(added));
         }},
        {QStringLiteral("Projekteinstellungen"),
         [&] {
             dialogs.answer([](Dialog& d) {
                 retype(d, IDC_PROJECT_NAME, QStringLiteral("Neu"));
                 retype(d, IDC_PROJECT_ID_START, QStringLiteral("200"));
                 press(d, IDOK);
             });
             frame().dispatch(ID_PROJECT_SETTINGS);
         },
         [](ResourceLibrary& library) {
             library.name = "Neu";
             library.idStart = 200;
         }},
    };
    for (const StepCase& step : cases) {
        SCOPED_TRACE(step.name.toStdString());
        ASSERT_NO_FATAL_FAILURE(startOnLibrary());
        const std::string original = bytesOf(doc().library);
        ResourceLibrary expected;
        ASSERT_NO_FATAL_FAILURE(loadBytes(expected, original));
        step.change(expected);
        const std::string changed = bytesOf(expected);

        step.act();
        ASSERT_EQ(steps().count(), 1);
        EXPECT_EQ(steps().undoText(), step.name);
        EXPECT_EQ(savedBytes(), changed);
        undo();
        EXPECT_EQ(savedBytes(), original);
        EXPECT_TRUE(boxes.take().isEmpty());
        redo();
        EXPECT_EQ(savedBytes(), changed);
    }
}

TEST_F(HistoryTest, RejectedInputAndDialogsThatChangeNothingAddNoStep) {
    ASSERT_NO_FATAL_FAILURE(startOnLibrary());
    boxes.answer(IDOK);
    type(IDC_IDENTIFIER, QStringLiteral("-"));  // not an identifier: told, not taken
    EXPECT_EQ(boxes.take().size(), 1);
    dialogs.answer([](Dialog& d) {
        retype(d, IDC_PROJECT_NAME, QStringLiteral("Anders"));
        retype(d, IDC_PROJECT_NAME, QStringLiteral("Menu"));  // back as it was
        press(d, IDOK);
    });
    frame().dispatch(ID_PROJECT_SETTINGS);
    dialogs.answer([](Dialog& d) { press(d, IDOK); });
    frame().dispatch(ID_TEXTURE_LIBRARY);
    selectRow(0);
    dialogs.answer([](Dialog& d) { press(d, IDOK); });  // confirmed unchanged
    click(IDC_EDIT_AREA);
    EXPECT_EQ(steps().count(), 0);
    EXPECT_FALSE(doc().IsModified());
}

TEST_F(HistoryTest, ModifiedFlagFollowsTheSavedState) {
    ASSERT_NO_FATAL_FAILURE(startOnLibrary());
    frame().dispatch(ID_DELETE_RESOURCE);
    EXPECT_TRUE(doc().IsModified());
    undo();
    EXPECT_FALSE(doc().IsModified());
    redo();
    EXPECT_TRUE(doc().IsModified());
    savedBytes();
    EXPECT_FALSE(doc().IsModified());
    undo();
    EXPECT_TRUE(doc().IsModified());
    redo();
    EXPECT_FALSE(doc().IsModified());

    // A new step in place of the undone saved one leaves no way back to what the file holds.
    undo();
    frame().dispatch(ID_NEW_RESOURCE);
    undo();
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(HistoryTest, UndoInAnEditIsTheEditsOwnAndElsewhereTheLibrarys) {
    ASSERT_NO_FATAL_FAILURE(startOnLibrary());
    type(IDC_RESOURCE_ID, QStringLiteral("7"));
    ASSERT_EQ(button().id, 57);
    QLineEdit& idEdit = formEdit(IDC_RESOURCE_ID);
    EXPECT_EQ(editMenuAction(0)->text(), QStringLiteral("&Rückgängig\tStrg+Z"));
    EXPECT_EQ(editMenuAction(1)->text(), QStringLiteral("&Wiederherstellen\tStrg+Y"));
    frame().updateCommandUI();
    EXPECT_EQ(editMenuAction(0)->statusTip(),
              QStringLiteral("Macht die letzte Aktion rückgängig."));

    QTest::keyClick(&idEdit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(idEdit.text(), QStringLiteral("5"));
    EXPECT_EQ(button().id, 5);
    EXPECT_EQ(steps().count(), 0);  // typed back to where it began
    EXPECT_FALSE(doc().IsModified());
    QTest::keyClick(&idEdit, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(idEdit.text(), QStringLiteral("57"));
    EXPECT_EQ(button().id, 57);

    // In the tree the keys take the library's step, and the form shows the result.
    tree().setFocus();
    frame().updateCommandUI();
    EXPECT_EQ(editMenuAction(0)->statusTip(), QStringLiteral("Macht \"Id ändern\" rückgängig."));
    QTest::keyClick(&tree(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(button().id, 5);
    EXPECT_EQ(formEdit(IDC_RESOURCE_ID).text(), QStringLiteral("5"));
    EXPECT_EQ(tree().currentRecord(), &button());
    EXPECT_EQ(editMenuAction(1)->statusTip(), QStringLiteral("Stellt \"Id ändern\" wieder her."));

    // In the area list too; Ctrl+Shift+Z redoes as well as Ctrl+Y.
    areaList().setFocus();
    QTest::keyClick(&areaList(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(button().id, 57);
    areaList().setFocus();
    QTest::keyClick(&areaList(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(button().id, 5);
    areaList().setFocus();
    QTest::keyClick(&areaList(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(button().id, 57);
}

TEST_F(HistoryTest, TypingInOneEditIsOneStepUntilTheFocusLeaves) {
    ASSERT_NO_FATAL_FAILURE(startOnLibrary());
    type(IDC_IDENTIFIER, QStringLiteral("AB"));
    type(IDC_IDENTIFIER, QStringLiteral("C"));
    EXPECT_EQ(steps().count(), 1);
    type(IDC_RESOURCE_ID, QStringLiteral("1"));  // another edit: another step
    type(IDC_IDENTIFIER, QStringLiteral("D"));   // and back: a new one again
    ASSERT_EQ(steps().count(), 3);
    EXPECT_EQ(steps().text(0), QStringLiteral("Bezeichner ändern"));
    EXPECT_EQ(steps().text(1), QStringLiteral("Id ändern"));

    undo();
    EXPECT_EQ(button().identifier, "KNOPFABC");
    EXPECT_EQ(treeLabel(), QStringLiteral("KNOPFABC"));
    undo();
    undo();
    EXPECT_EQ(button().identifier, "Knopf");
    EXPECT_EQ(button().id, 5);
    EXPECT_EQ(treeLabel(), QStringLiteral("Knopf"));

    // Everything undone, closing asks nothing.
    EXPECT_FALSE(doc().IsModified());
    EXPECT_TRUE(frame().close());
    EXPECT_TRUE(boxes.take().isEmpty());
}

TEST_F(HistoryTest, OpenAndNewEmptyTheHistoryAFailedOpenKeepsIt) {
    ASSERT_NO_FATAL_FAILURE(startOnLibrary());
    frame().dispatch(ID_NEW_RESOURCE);
    boxes.answer(framework::IDNO);  // not saved
    boxes.answer(IDOK);             // the load failure
    EXPECT_EQ(app->OpenDocumentFile(library("wrong.gui", "no library")), nullptr);
    boxes.take();
    EXPECT_EQ(steps().count(), 1);
    undo();
    EXPECT_EQ(doc().library.resourceCount(), 2u);
    EXPECT_FALSE(doc().IsModified());

    redo();
    boxes.answer(framework::IDNO);
    ASSERT_NE(app->OpenDocumentFile(library("other.gui", libraryWith({{0, 1, "Eins"}}))), nullptr);
    EXPECT_EQ(steps().count(), 0);
    frame().dispatch(ID_NEW_RESOURCE);
    boxes.answer(framework::IDNO);
    frame().dispatch(framework::ID_FILE_NEW);
    EXPECT_EQ(steps().count(), 0);
    EXPECT_FALSE(doc().IsModified());
}

TEST_F(HistoryTest, UndoingADeleteBringsTheResourceBackIntoTreeAndForm) {
    ASSERT_NO_FATAL_FAILURE(startOnLibrary());
    const UiResource* knopf = &button();
    frame().dispatch(ID_DELETE_RESOURCE);
    EXPECT_EQ(identifiers(), std::vector<std::string>{"Zwei"});
    // Ctrl+Z right after a click on the tree, pressed and released as a pointer does.
    QWindow* window = frame().windowHandle();
    const QPoint root =
        tree().viewport()->mapTo(&frame(), tree().visualItemRect(tree().topLevelItem(0)).center());
    QTest::mousePress(window, Qt::LeftButton, {}, root);
    QTest::mouseRelease(window, Qt::LeftButton, {}, root);
    ASSERT_TRUE(tree().hasFocus());
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(identifiers(), (std::vector<std::string>{"Knopf", "Zwei"}));
    EXPECT_EQ(&button(), knopf);  // the very record
    EXPECT_EQ(tree().currentRecord(), knopf);
    ASSERT_NE(currentButtonView, nullptr);
    EXPECT_EQ(formEdit(IDC_IDENTIFIER).text(), QStringLiteral("KNOPF"));
    EXPECT_EQ(areaList().GetItemCount(), 2);
    redo();
    EXPECT_EQ(tree().currentRecord(), doc().library.resources.back().get());

    // Deleting the last one leaves the blank form; undone, the form shows it again, and the
    // form's edits change the library's record.
    frame().dispatch(ID_DELETE_RESOURCE);
    EXPECT_EQ(tree().currentResource, 0u);
    EXPECT_NE(dynamic_cast<CTolvaneView_Blank*>(rightPane()), nullptr);
    undo();
    ASSERT_EQ(identifiers(), std::vector<std::string>{"Zwei"});
    EXPECT_EQ(tree().currentRecord(), doc().library.resources[0].get());
    type(IDC_IDENTIFIER, QStringLiteral("X"));
    EXPECT_EQ(identifiers(), std::vector<std::string>{"ZWEIX"});
    undo();
    undo();
    EXPECT_EQ(identifiers(), (std::vector<std::string>{"Knopf", "Zwei"}));
    EXPECT_EQ(tree().currentRecord(), knopf);

    // An undone new resource is held by its step; a new step drops the step and the record.
    frame().dispatch(ID_NEW_RESOURCE);
    undo();
    EXPECT_EQ(tree().currentRecord(), knopf);
    frame().dispatch(ID_DELETE_RESOURCE);
    EXPECT_FALSE(steps().canRedo());
    EXPECT_EQ(identifiers(), std::vector<std::string>{"Zwei"});
    EXPECT_EQ(tree().currentRecord(), doc().library.resources.back().get());
}

TEST_F(HistoryTest, UndoneNewSelectsTheResourceSelectedBefore) {
    ASSERT_NO_FATAL_FAILURE(startOnLibrary());
    tree().SelectResource(doc().library.resources[1].get());
    frame().dispatch(ID_NEW_RESOURCE);
    undo();
    EXPECT_EQ(tree().currentRecord(), doc().library.resources[1].get());
    EXPECT_EQ(formEdit(IDC_IDENTIFIER).text(), QStringLiteral("ZWEI"));
}

TEST_F(HistoryTest, PanelTakesTheLibraryToTheStateClicked) {
    ASSERT_NO_FATAL_FAILURE(startOnLibrary());
    const std::string original = bytesOf(doc().library);
    CHistoryDock& panel = *frame().history();
    EXPECT_TRUE(panel.isHidden());
    EXPECT_EQ(panel.windowTitle(), QStringLiteral("Verlauf"));
    frame().dispatch(ID_VIEW_HISTORY);
    ASSERT_TRUE(panel.isVisible());

    frame().dispatch(ID_NEW_RESOURCE);
    type(IDC_IDENTIFIER, QStringLiteral("N"));
    frame().dispatch(ID_DELETE_RESOURCE);
    QUndoView& list = *panel.list();
    ASSERT_EQ(list.model()->rowCount(), 4);
    EXPECT_EQ(list.model()->index(0, 0).data().toString(), QStringLiteral("Ausgangszustand"));
    EXPECT_EQ(list.model()->index(2, 0).data().toString(), QStringLiteral("Bezeichner ändern"));

    const auto clickRow = [&](int row) {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualRect(list.model()->index(row, 0)).center());
    };
    clickRow(0);
    EXPECT_EQ(bytesOf(doc().library), original);
    EXPECT_FALSE(doc().IsModified());
    clickRow(2);
    EXPECT_EQ(identifiers(), (std::vector<std::string>{"Knopf", "Zwei", "UNBENANNTN"}));
    EXPECT_EQ(tree().currentRecord(), doc().library.resources[2].get());

    // By keyboard, and named for screen readers.
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_Up);
    EXPECT_EQ(identifiers(), (std::vector<std::string>{"Knopf", "Zwei", "unbenannt"}));
    EXPECT_EQ(list.accessibleName(), QStringLiteral("Verlauf"));
}

}  // namespace
