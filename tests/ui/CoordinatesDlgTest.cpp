// The area coordinates dialog, run as the button form runs it and answered as a user would.
#include <QTest>

#include "ButtonFormFixture.h"
#include "framework/ComboBox.h"
#include "framework/FrameworkTexts.h"
#include "framework/StandardIds.h"
#include "ui/dialogs/CoordinatesDlg.h"
#include "ui/shell/TolvaneViewBlank.h"

namespace {

CCoordinatesDlg& coordinates(framework::Dialog& dialog) {
    return dynamic_cast<CCoordinatesDlg&>(dialog);
}

QString text(framework::Dialog& dialog, int id) {
    return dialog.control<QLineEdit>(id)->text();
}

// Replaces the text of edit id at once, as a paste over the whole text does.
void pasteOver(framework::Dialog& dialog, int id, const QString& text) {
    auto* edit = dialog.control<QLineEdit>(id);
    edit->setFocus();
    edit->selectAll();
    edit->insert(text);
}

constexpr int kRectangleEdits[] = {IDC_X1, IDC_Y1, IDC_X2, IDC_Y2, IDC_WIDTH, IDC_HEIGHT};

TEST_F(ButtonFormTest, NewAreaStartsFromTheDefaultsAndIsAppendedOnOk) {
    startOnButton({}, {{3, "a.png"}});
    dialogs.answer([](framework::Dialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Koordinaten erfassen"));
        for (const int id : kRectangleEdits) {
            EXPECT_EQ(text(dialog, id), QStringLiteral("0")) << id;
        }
        EXPECT_EQ(text(dialog, IDC_OFFSET_X), QStringLiteral("0"));
        EXPECT_EQ(text(dialog, IDC_OFFSET_Y), QStringLiteral("0"));
        EXPECT_EQ(text(dialog, IDC_STRETCH_X), QStringLiteral("1"));
        EXPECT_EQ(text(dialog, IDC_STRETCH_Y), QStringLiteral("1"));
        auto* textures = dialog.control<framework::ComboBox>(IDC_TEXTURE);
        EXPECT_EQ(textures->GetCount(), 1);
        EXPECT_EQ(textures->GetCurSel(), -1);  // no texture has id 0
        EXPECT_EQ(dialog.focusWidget(), dialog.GetDlgItem(IDC_X1));
        press(dialog, framework::IDOK);
    });
    click(IDC_NEW_AREA);
    ASSERT_EQ(button().areas.size(), 1u);
    const ResourceArea& area = button().areas[0];
    EXPECT_EQ(area.x1, 0.0f);
    EXPECT_EQ(area.x2, 0.0f);
    EXPECT_EQ(area.stretchX, 1.0f);
    EXPECT_EQ(area.stretchY, 1.0f);
    EXPECT_EQ(area.textureId, 0);
    EXPECT_EQ(areaList().GetItemCount(), 1);
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(ButtonFormTest, WidthFollowsTheCornersAndMovesTheRightEdge) {
    startOnButton();
    dialogs.answer([](framework::Dialog& dialog) {
        retype(dialog, IDC_X1, QStringLiteral("10"));
        retype(dialog, IDC_X2, QStringLiteral("60"));
        EXPECT_EQ(text(dialog, IDC_WIDTH), QStringLiteral("50"));
        retype(dialog, IDC_WIDTH, QStringLiteral("100"));
        EXPECT_EQ(text(dialog, IDC_X2), QStringLiteral("110"));
        EXPECT_EQ(text(dialog, IDC_X1), QStringLiteral("10"));
        EXPECT_EQ(coordinates(dialog).workingArea.x2, 110.0f);
        retype(dialog, IDC_Y1, QStringLiteral("5"));
        retype(dialog, IDC_HEIGHT, QStringLiteral("20"));
        EXPECT_EQ(text(dialog, IDC_Y2), QStringLiteral("25"));
        press(dialog, framework::IDOK);
    });
    click(IDC_NEW_AREA);
    ASSERT_EQ(button().areas.size(), 1u);
    EXPECT_EQ(button().areas[0].x1, 10.0f);
    EXPECT_EQ(button().areas[0].x2, 110.0f);
    EXPECT_EQ(button().areas[0].y1, 5.0f);
    EXPECT_EQ(button().areas[0].y2, 25.0f);
}

TEST_F(ButtonFormTest, LeftEdgeBeyondTheRightOneGivesANegativeWidthAndIsAccepted) {
    startOnButton({areaOf(10, 0, 60, 0)});
    selectRow(0);
    dialogs.answer([](framework::Dialog& dialog) {
        EXPECT_EQ(text(dialog, IDC_WIDTH), QStringLiteral("50"));
        retype(dialog, IDC_X1, QStringLiteral("70"));
        EXPECT_EQ(text(dialog, IDC_WIDTH), QStringLiteral("-10"));
        press(dialog, framework::IDOK);
    });
    click(IDC_EDIT_AREA);
    EXPECT_EQ(button().areas[0].x1, 70.0f);
    EXPECT_EQ(button().areas[0].x2, 60.0f);
    EXPECT_EQ(areaList().GetItemText(0, 5), QStringLiteral("-10.0"));
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(ButtonFormTest, RectangleEditsShowTheDisplayFormAtOnce) {
    startOnButton();
    dialogs.answer([](framework::Dialog& dialog) {
        retype(dialog, IDC_X1, QStringLiteral("12"));
        QTest::keyClick(dialog.control<QLineEdit>(IDC_X1), Qt::Key_Period);
        EXPECT_EQ(text(dialog, IDC_X1), QStringLiteral("12"));
        EXPECT_EQ(coordinates(dialog).workingArea.x1, 12.0f);
        pasteOver(dialog, IDC_Y2, QStringLiteral("+007.50"));
        EXPECT_EQ(text(dialog, IDC_Y2), QStringLiteral("7.5"));
        EXPECT_EQ(text(dialog, IDC_HEIGHT), QStringLiteral("7.5"));
        press(dialog, framework::IDOK);
    });
    click(IDC_NEW_AREA);
    EXPECT_EQ(button().areas.at(0).x1, 12.0f);
}

TEST_F(ButtonFormTest, EmptiedRectangleEditIsToldAndShowsItsLastValueAgain) {
    startOnButton({areaOf(12, 0, 40, 0)});
    selectRow(0);
    boxes.answer(framework::IDOK);
    dialogs.answer([this](framework::Dialog& dialog) {
        retype(dialog, IDC_X1, QString());
        EXPECT_EQ(boxes.take(), QStringList{framework::texts::enterNumber()});
        EXPECT_EQ(text(dialog, IDC_X1), QStringLiteral("12"));
        EXPECT_EQ(text(dialog, IDC_WIDTH), QStringLiteral("28"));
        EXPECT_EQ(coordinates(dialog).workingArea.x1, 12.0f);
        EXPECT_EQ(dialog.focusWidget(), dialog.GetDlgItem(IDC_X1));
        press(dialog, framework::IDOK);
    });
    click(IDC_EDIT_AREA);
    EXPECT_EQ(button().areas[0].x1, 12.0f);
}

TEST_F(ButtonFormTest, OffsetAndStretchEditsKeepWhatWasTyped) {
    startOnButton();
    dialogs.answer([](framework::Dialog& dialog) {
        retype(dialog, IDC_STRETCH_X, QStringLiteral("1."));
        EXPECT_EQ(text(dialog, IDC_STRETCH_X), QStringLiteral("1."));
        EXPECT_EQ(coordinates(dialog).workingArea.stretchX, 1.0f);
        pasteOver(dialog, IDC_OFFSET_Y, QStringLiteral("+2.50"));
        EXPECT_EQ(coordinates(dialog).workingArea.offsetY, 2.5f);
        retype(dialog, IDC_X1, QStringLiteral("3"));  // rewrites the rectangle
        EXPECT_EQ(text(dialog, IDC_STRETCH_X), QStringLiteral("1."));
        EXPECT_EQ(text(dialog, IDC_OFFSET_Y), QStringLiteral("+2.50"));
        press(dialog, framework::IDOK);
    });
    click(IDC_NEW_AREA);
    EXPECT_EQ(button().areas.at(0).offsetY, 2.5f);
    EXPECT_EQ(button().areas.at(0).x1, 3.0f);
}

// A rejected offset holds back nothing typed meanwhile into another edit, blocks "OK" and is
// repaired by the next rectangle change; what the dialog shows at "OK" is the area.
TEST_F(ButtonFormTest, UnreadableOffsetBlocksOkUntilARectangleChangeRepairsIt) {
    startOnButton();
    dialogs.answer([this](framework::Dialog& dialog) {
        for (int message = 0; message < 4; ++message) {
            boxes.answer(framework::IDOK);
        }
        retype(dialog, IDC_OFFSET_Y, QString());
        retype(dialog, IDC_OFFSET_X, QStringLiteral("5"));  // read after Y Offset
        EXPECT_EQ(coordinates(dialog).workingArea.offsetX, 5.0f);
        press(dialog, framework::IDOK);
        EXPECT_TRUE(dialog.isVisible());
        retype(dialog, IDC_X1, QStringLiteral("4"));
        EXPECT_EQ(boxes.take(), QStringList(4, framework::texts::enterNumber()));
        EXPECT_EQ(text(dialog, IDC_OFFSET_Y), QStringLiteral("0"));
        EXPECT_EQ(text(dialog, IDC_OFFSET_X), QStringLiteral("5"));
        retype(dialog, IDC_OFFSET_Y, QStringLiteral("3"));
        press(dialog, framework::IDOK);
        EXPECT_TRUE(boxes.take().isEmpty());
    });
    click(IDC_NEW_AREA);
    ASSERT_EQ(button().areas.size(), 1u);
    EXPECT_EQ(button().areas[0].offsetX, 5.0f);
    EXPECT_EQ(button().areas[0].offsetY, 3.0f);
    EXPECT_EQ(button().areas[0].x1, 4.0f);
}

TEST_F(ButtonFormTest, CancelAddsAndChangesNothing) {
    startOnButton({areaOf(1, 2, 3, 4)});
    dialogs.answer([](framework::Dialog& dialog) {
        retype(dialog, IDC_X1, QStringLiteral("50"));
        retype(dialog, IDC_STRETCH_Y, QStringLiteral("3"));
        press(dialog, framework::IDCANCEL);
    });
    click(IDC_NEW_AREA);
    selectRow(0);
    dialogs.answer([](framework::Dialog& dialog) {
        retype(dialog, IDC_WIDTH, QStringLiteral("50"));
        press(dialog, framework::IDCANCEL);
    });
    click(IDC_EDIT_AREA);
    ASSERT_EQ(button().areas.size(), 1u);
    EXPECT_EQ(button().areas[0].x1, 1.0f);
    EXPECT_EQ(button().areas[0].x2, 3.0f);
    EXPECT_EQ(button().areas[0].stretchY, 1.0f);
    EXPECT_FALSE(doc().IsModified());
    EXPECT_TRUE(areaList().IsItemSelected(0));  // nothing was rebuilt
}

TEST_F(ButtonFormTest, LastTextureWithTheAreasIdIsPreselected) {
    startOnButton({areaOf(0, 0, 8, 8, 7)}, {{1, "a.png"}, {7, "b.png"}, {7, "c.png"}});
    selectRow(0);
    dialogs.answer([](framework::Dialog& dialog) {
        auto* textures = dialog.control<framework::ComboBox>(IDC_TEXTURE);
        ASSERT_EQ(textures->GetCount(), 3);
        EXPECT_EQ(textures->GetLBText(0), QStringLiteral("a.png"));
        EXPECT_EQ(textures->GetCurSel(), 2);
        pick(dialog, IDC_TEXTURE, 0);
        EXPECT_EQ(coordinates(dialog).workingArea.textureId, 1);
        pick(dialog, IDC_TEXTURE, 1);
        EXPECT_EQ(coordinates(dialog).workingArea.textureId, 7);
        press(dialog, framework::IDOK);
    });
    click(IDC_EDIT_AREA);
    EXPECT_EQ(button().areas[0].textureId, 7);
    EXPECT_EQ(areaList().GetItemText(0, 9), QStringLiteral("c.png"));
}

}  // namespace

namespace {

// A file handed over from the desktop may be opened while the dialog runs; the form and the
// resource it edits are gone when the dialog ends, and the area goes nowhere.
TEST_F(ButtonFormTest, LibraryReplacedWhileTheDialogRunsTakesNoArea) {
    startOnButton({areaOf(1, 2, 3, 4)});
    selectRow(0);
    const QString other = library("other.gui", libraryWith({{0, 9, "Anders"}}));
    dialogs.answer([this, other](framework::Dialog& dialog) {
        retype(dialog, IDC_X1, QStringLiteral("50"));
        ASSERT_NE(app->OpenDocumentFile(other), nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(currentButtonView, nullptr);
        press(dialog, framework::IDOK);
    });
    click(IDC_EDIT_AREA);
    ASSERT_EQ(doc().library.resources.size(), 1u);
    EXPECT_EQ(doc().library.resources[0]->identifier, "Anders");
    EXPECT_TRUE(doc().library.resources[0]->areas.empty());
    EXPECT_NE(dynamic_cast<CTolvaneView_Blank*>(rightPane()), nullptr);
}

}  // namespace
