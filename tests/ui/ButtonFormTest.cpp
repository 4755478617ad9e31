// The button form: showing a resource, editing its id, identifier and areas, and the
// clipboard and undo commands in its edits.
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QTest>

#include "ButtonFormFixture.h"
#include "framework/CommandRoute.h"
#include "framework/FrameworkTexts.h"
#include "framework/StandardIds.h"
#include "ui/shell/TolvaneViewBlank.h"

namespace {

const QString kInvalidIdentifier = QStringLiteral(
    "Ungültiger Bezeichner!\nZulässige Zeichen  a-z, A-Z, 0-9.\nDas erste Zeichen eines "
    "Bezeichners darf keine Zahl sein.\nÜberprüfen Sie den eingegebenen String auf diese "
    "Konventionen!");

TEST_F(ButtonFormTest, ShowsTheResourceWithOneRowPerArea) {
    ResourceArea offsetArea = areaOf(10.5f, 2, 74.5f, 34, 7);
    offsetArea.offsetX = -3.5f;
    offsetArea.offsetY = 64;
    startOnButton({offsetArea, areaOf(60, 0, 10, 0, 9)}, {{7, "a.png"}, {7, "b.png"}});
    EXPECT_EQ(formEdit(IDC_RESOURCE_ID).text(), QStringLiteral("5"));
    EXPECT_EQ(formEdit(IDC_IDENTIFIER).text(), QStringLiteral("KNOPF"));

    const QStringList titles{"NR",    "TX1",    "TY1",    "TX2",    "TY2",
                             "Width", "Height", "X-Offs", "Y-Offs", "Texture"};
    const int widths[] = {32, 42, 42, 42, 42, 42, 42, 42, 42};  // the texture's takes the rest
    ASSERT_EQ(areaList().GetColumnCount(), 10);
    for (int column = 0; column < 10; ++column) {
        EXPECT_EQ(areaList().model()->headerData(column, Qt::Horizontal).toString(),
                  titles[column]);
    }
    for (int column = 0; column < 9; ++column) {
        EXPECT_EQ(areaList().header()->sectionSize(column), widths[column]);
    }
    EXPECT_EQ(row(0), (std::vector<QString>{"0", "10.5", "2.0", "74.5", "34.0", "64.0", "32.0",
                                            "-3.5", "64.0", "b.png"}));
    // A negative width, and a texture id that no texture has.
    EXPECT_EQ(row(1), (std::vector<QString>{"1", "60.0", "0.0", "10.0", "0.0", "-50.0", "0.0",
                                            "0.0", "0.0", ""}));
    EXPECT_EQ(form().SelectedAreaIndex(), -1);

    // A texture path changed in the texture dialog shows in the rows once it closes.
    dialogs.answer([](framework::Dialog& d) {
        d.control<framework::ReportList>(IDC_TEXTURE_LIST)->SelectItem(1);
        retype(d, IDC_TEXTURE_PATH, QStringLiteral("c.png"));
        press(d, framework::IDOK);
    });
    frame().dispatch(ID_TEXTURE_LIBRARY);
    EXPECT_EQ(row(0)[9], QStringLiteral("c.png"));
}

TEST_F(ButtonFormTest, RepeatedInitialUpdateKeepsTenColumns) {
    startOnButton({areaOf(1, 1, 2, 2)});
    form().OnInitialUpdate();
    EXPECT_EQ(areaList().GetColumnCount(), 10);
}

TEST_F(ButtonFormTest, WithoutASelectedRowEditDeleteAndCopyOnlySaySo) {
    startOnButton();
    for (int i = 0; i < 3; ++i) {
        boxes.answer(framework::IDOK);
    }
    click(IDC_EDIT_AREA);
    click(IDC_DELETE_AREA);
    click(IDC_COPY_AREA);
    EXPECT_EQ(boxes.take(),
              (QStringList{"Wählen Sie erst einen Bereich aus den Sie bearbeiten wollen.",
                           "Wählen Sie erst einen Bereich aus den Sie löschen wollen.",
                           "Wählen Sie erst einen Bereich aus den Sie kopieren wollen."}));
    EXPECT_TRUE(button().areas.empty());
    EXPECT_FALSE(doc().IsModified());
}

TEST_F(ButtonFormTest, CopyingAnAreaAppendsItAsTheLastRow) {
    startOnButton({areaOf(1, 2, 3, 4), areaOf(5, 6, 7, 8), areaOf(9, 10, 11, 12)});
    selectRow(0);
    click(IDC_COPY_AREA);
    ASSERT_EQ(areaList().GetItemCount(), 4);
    std::vector<QString> expected = row(0);
    expected[0] = QStringLiteral("3");
    EXPECT_EQ(row(3), expected);
    EXPECT_EQ(button().areas.at(3).x2, 3.0f);
    EXPECT_EQ(form().SelectedAreaIndex(), -1);
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(ButtonFormTest, DeletingARowRenumbersTheRest) {
    startOnButton({areaOf(1, 2, 3, 4), areaOf(5, 6, 7, 8), areaOf(9, 10, 11, 12)});
    selectRow(1);
    click(IDC_DELETE_AREA);
    ASSERT_EQ(areaList().GetItemCount(), 2);
    EXPECT_EQ(areaList().GetItemText(1, 0), QStringLiteral("1"));
    EXPECT_EQ(areaList().GetItemText(1, 1), QStringLiteral("9.0"));
    EXPECT_EQ(button().areas.at(1).x1, 9.0f);
    EXPECT_EQ(form().SelectedAreaIndex(), -1);
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(ButtonFormTest, TypedLettersArriveAsCapitalsInTheLibraryAndTheTree) {
    startOnButton();
    QLineEdit& edit = formEdit(IDC_IDENTIFIER);
    edit.setFocus();
    edit.selectAll();
    QTest::keyClicks(&edit, QStringLiteral("ok_1"));
    EXPECT_EQ(edit.text(), QStringLiteral("OK_1"));
    EXPECT_EQ(button().identifier, "OK_1");
    EXPECT_EQ(treeLabel(), QStringLiteral("OK_1"));
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(ButtonFormTest, IdentifierFromTheFileIsStoredInCapitalsOnTheFirstChange) {
    startOnButton();
    type(IDC_IDENTIFIER, QStringLiteral("x"));
    EXPECT_EQ(button().identifier, "KNOPFX");
}

TEST_F(ButtonFormTest, InvalidIdentifierIsToldAndNotTaken) {
    startOnButton();
    boxes.answer(framework::IDOK);
    QLineEdit& edit = formEdit(IDC_IDENTIFIER);
    edit.setFocus();
    edit.selectAll();
    QTest::keyClicks(&edit, QStringLiteral("1"));
    EXPECT_EQ(boxes.take(), QStringList{kInvalidIdentifier});
    EXPECT_EQ(edit.text(), QStringLiteral("1"));
    EXPECT_EQ(button().identifier, "Knopf");
    EXPECT_EQ(treeLabel(), QStringLiteral("Knopf"));
    EXPECT_FALSE(doc().IsModified());
}

TEST_F(ButtonFormTest, ClearedIdentifierChangesNothingSilently) {
    startOnButton();
    QLineEdit& edit = formEdit(IDC_IDENTIFIER);
    edit.setFocus();
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_TRUE(edit.text().isEmpty());
    EXPECT_EQ(button().identifier, "Knopf");
    EXPECT_FALSE(doc().IsModified());
}

TEST_F(ButtonFormTest, IdIsReadAsAnUnsignedNumberAndARejectedOneHoldsNothingBack) {
    startOnButton();
    QLineEdit& edit = formEdit(IDC_RESOURCE_ID);
    edit.setFocus();
    edit.selectAll();
    edit.insert(QStringLiteral(" 12 "));  // pasted
    EXPECT_EQ(button().id, 12);
    EXPECT_TRUE(doc().IsModified());
    doc().SetModifiedFlag(false);

    boxes.answer(framework::IDOK);
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(boxes.take(), QStringList{framework::texts::enterUnsigned()});
    edit.setText(QStringLiteral("12"));  // what the user puts back
    doc().SetModifiedFlag(false);

    boxes.answer(framework::IDOK);
    edit.home(false);
    QTest::keyClicks(&edit, QStringLiteral("-"));
    EXPECT_EQ(boxes.take(), QStringList{framework::texts::enterUnsigned()});
    EXPECT_EQ(button().id, 12);
    EXPECT_FALSE(doc().IsModified());

    // The rejected id is told again, but holds back no identifier pasted meanwhile.
    boxes.answer(framework::IDOK);
    QLineEdit& identifier = formEdit(IDC_IDENTIFIER);
    identifier.setFocus();
    identifier.selectAll();
    identifier.insert(QStringLiteral("neu"));
    EXPECT_EQ(boxes.take(), QStringList{framework::texts::enterUnsigned()});
    EXPECT_EQ(button().identifier, "NEU");
    EXPECT_EQ(treeLabel(), QStringLiteral("NEU"));
    EXPECT_EQ(button().id, 12);
}

TEST_F(ButtonFormTest, LargeIdsShowUnsignedAndKeepTheirBits) {
    ASSERT_TRUE(start({library("menu.gui", libraryWith({{0, -2, "Knopf"}}))}));
    tree().SelectResource(doc().library.resources.at(0).get());
    EXPECT_EQ(formEdit(IDC_RESOURCE_ID).text(), QStringLiteral("4294967294"));
}

bool enabled(CMainFrame& frame, int id) {
    return framework::routeUpdate(frame.route(), id).enabled.value_or(false);
}

TEST_F(ButtonFormTest, ClipboardAndUndoFollowTheFocusedEdit) {
    startOnButton({areaOf(1, 1, 2, 2)});
    frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    QApplication::clipboard()->clear();
    QLineEdit& identifier = formEdit(IDC_IDENTIFIER);
    identifier.setFocus();
    identifier.deselect();
    EXPECT_EQ(frame().GetActiveView(), currentButtonView);
    EXPECT_FALSE(enabled(frame(), framework::ID_EDIT_COPY));
    EXPECT_FALSE(enabled(frame(), framework::ID_EDIT_CUT));
    EXPECT_FALSE(enabled(frame(), framework::ID_EDIT_PASTE));
    EXPECT_FALSE(enabled(frame(), framework::ID_EDIT_UNDO));

    identifier.selectAll();
    EXPECT_TRUE(enabled(frame(), framework::ID_EDIT_COPY));
    EXPECT_TRUE(frame().dispatch(framework::ID_EDIT_CUT));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("KNOPF"));
    EXPECT_EQ(button().identifier, "Knopf");  // emptied: nothing taken
    EXPECT_TRUE(enabled(frame(), framework::ID_EDIT_PASTE));
    EXPECT_TRUE(enabled(frame(), framework::ID_EDIT_UNDO));

    QApplication::clipboard()->setText(QStringLiteral("neu"));
    EXPECT_TRUE(frame().dispatch(framework::ID_EDIT_PASTE));
    EXPECT_EQ(identifier.text(), QStringLiteral("NEU"));
    EXPECT_EQ(button().identifier, "NEU");
    EXPECT_EQ(treeLabel(), QStringLiteral("NEU"));
    EXPECT_TRUE(frame().dispatch(framework::ID_EDIT_UNDO));
    // The edit undoes the cut and the paste after it as one step.
    EXPECT_EQ(identifier.text(), QStringLiteral("KNOPF"));
    EXPECT_EQ(button().identifier, "KNOPF");

    // Outside the edits the clipboard commands are off, and undo takes the library's step.
    areaList().setFocus();
    for (const int id :
         {framework::ID_EDIT_COPY, framework::ID_EDIT_CUT, framework::ID_EDIT_PASTE}) {
        EXPECT_FALSE(enabled(frame(), id)) << id;
        EXPECT_FALSE(frame().dispatch(id)) << id;
    }
    EXPECT_TRUE(frame().dispatch(framework::ID_EDIT_UNDO));
    EXPECT_EQ(button().identifier, "Knopf");
    tree().setFocus();
    EXPECT_FALSE(enabled(frame(), framework::ID_EDIT_PASTE));
}

TEST_F(ButtonFormTest, EachSelectionMakesAFreshFormAndAnEmptiedLibraryLeavesNone) {
    ASSERT_TRUE(start({library("menu.gui", libraryWith({{0, 5, "Eins"}, {0, 6, "Zwei"}}))}));
    tree().SelectResource(doc().library.resources.at(0).get());
    CTolvaneView_Button* first = currentButtonView;
    ASSERT_NE(first, nullptr);
    tree().SelectResource(doc().library.resources.at(1).get());
    ASSERT_NE(currentButtonView, nullptr);
    EXPECT_NE(currentButtonView, first);
    EXPECT_EQ(currentButtonView->control<QLineEdit>(IDC_IDENTIFIER)->text(),
              QStringLiteral("ZWEI"));
    CTolvaneView_Button* second = currentButtonView;
    // The old form goes once the event loop is back; it leaves the new one published.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(currentButtonView, second);

    tree().setCurrentItem(tree().topLevelItem(0));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(currentButtonView, nullptr);
    tree().SelectResource(doc().library.resources.at(0).get());
    EXPECT_TRUE(frame().dispatch(framework::ID_FILE_NEW));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(currentButtonView, nullptr);
    EXPECT_NE(dynamic_cast<CTolvaneView_Blank*>(rightPane()), nullptr);
}

}  // namespace
