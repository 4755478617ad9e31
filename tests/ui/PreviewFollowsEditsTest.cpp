#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

#include "EditorFixture.h"
#include "PreviewLibrary.h"
#include "framework/ReportList.h"
#include "framework/StandardIds.h"
#include "ui/ResourceIds.h"
#include "ui/form/TolvaneViewButton.h"
#include "ui/texture_editor/CompositionView.h"
#include "ui/texture_editor/PreviewDock.h"
#include "ui/texture_editor/PreviewPanel.h"
#include "ui/texture_editor/TextureView.h"

namespace {

using framework::Dialog;
using framework::IDCANCEL;
using framework::IDOK;

// The editor on that library, its textures beside it, with the preview shown; a test selects
// a resource and edits it through the form and the dialogs as a user does.
class PreviewFollowsEditsTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        std::filesystem::create_directory(folder.file("gfx"));
        for (const auto& [name, colour] : {std::pair{"rot.png", Qt::red}, {"blau.png", Qt::blue}}) {
            QImage image(16, 16, QImage::Format_ARGB32);
            image.fill(colour);
            image.save(QString::fromStdString(folder.file(std::string("gfx/") + name)));
        }
        ASSERT_TRUE(start({library("vorschau.gui", previewLibraryBytes())}));
    }

    void select(int resource) {
        tree().SelectResource(doc().library.resources.at(static_cast<std::size_t>(resource)).get());
        ASSERT_NE(currentButtonView, nullptr);
    }
    void click(int id) { QTest::mouseClick(currentButtonView->GetDlgItem(id), Qt::LeftButton); }

    PreviewPanel& panel() { return *frame().preview()->panel(); }
    QRectF outline(std::size_t index) { return panel().textureView()->outlines().at(index).rect; }

    ScriptedModalDialogs dialogs;
};

void clickRow(Dialog& dialog, int row) {
    auto* rows = dialog.control<framework::ReportList>(IDC_TEXTURE_LIST);
    const QRect cell = rows->visualRect(rows->model()->index(row, 0));
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, cell.center());
}

TEST_F(PreviewFollowsEditsTest, TheAreaListsSelectionIsHighlighted) {
    select(0);
    EXPECT_EQ(panel().scene().firstSelected(), -1);
    currentButtonView->areaList->SelectItem(1);
    EXPECT_EQ(panel().scene().firstSelected(), 1);
    EXPECT_FALSE(panel().textureView()->outlines()[0].selected);
    EXPECT_TRUE(panel().textureView()->outlines()[1].selected);
}

TEST_F(PreviewFollowsEditsTest, TheRectangleMovesWithEveryKeystrokeInTheCoordinatesDialog) {
    select(0);
    currentButtonView->areaList->SelectItem(1);
    std::vector<QRectF> seen;
    dialogs.answer([&](Dialog& d) {
        const QSignalSpy refreshes(frame().preview(), &CPreviewDock::refreshed);
        auto* x2 = d.control<QLineEdit>(IDC_X2);
        x2->setFocus();
        x2->selectAll();
        QTest::keyClick(x2, Qt::Key_1);
        seen.push_back(outline(1));
        QTest::keyClick(x2, Qt::Key_2);
        seen.push_back(outline(1));
        QTest::keyClick(x2, Qt::Key_Period);  // shown as 12 again at once
        // Once a keystroke, however many edits the dialog rewrote for it.
        EXPECT_EQ(refreshes.count(), 3);
        EXPECT_EQ(panel().compositionView()->composition().size(), QSize(12, 8));
        pick(d, IDC_TEXTURE, 1);
        EXPECT_EQ(panel().textureView()->texture().pixelColor(0, 0), QColor(Qt::blue));
        press(d, IDCANCEL);
    });
    click(IDC_EDIT_AREA);

    EXPECT_EQ(seen, (std::vector<QRectF>{QRectF(QPointF(8, 0), QPointF(1, 8)),
                                         QRectF(QPointF(8, 0), QPointF(12, 8))}));
    EXPECT_EQ(outline(1), QRectF(8, 0, 8, 8));  // cancelled: the library's area again
    EXPECT_EQ(panel().textureView()->texture().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(panel().compositionView()->composition().size(), QSize(16, 8));
}

TEST_F(PreviewFollowsEditsTest, ANewAreaShowsWhileTypedAndStaysOnceConfirmed) {
    select(1);
    dialogs.answer([&](Dialog& d) {
        retype(d, IDC_X2, QStringLiteral("4"));
        retype(d, IDC_Y2, QStringLiteral("2"));
        EXPECT_EQ(panel().scene().areas.size(), 2u);
        EXPECT_EQ(panel().scene().firstSelected(), 1);
        press(d, IDOK);
    });
    click(IDC_NEW_AREA);

    ASSERT_EQ(doc().library.resources[1]->areas.size(), 2u);
    ASSERT_EQ(panel().scene().areas.size(), 2u);
    EXPECT_EQ(panel().scene().firstSelected(), -1);
    // The new area, 4 x 2 of rot.png (the texture with id 0) at (0, 0), drawn over the blue
    // area at (2, 1).
    const QImage composed = panel().compositionView()->composition();
    ASSERT_EQ(composed.size(), QSize(6, 5));
    EXPECT_EQ(composed.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(composed.pixelColor(3, 1), QColor(Qt::red));
    EXPECT_EQ(composed.pixelColor(3, 2), QColor(Qt::blue));
    EXPECT_EQ(composed.pixelColor(0, 4).alpha(), 0);
}

TEST_F(PreviewFollowsEditsTest, IdentifierAndIdChangesShowInTheCaption) {
    select(0);
    auto* identifier = currentButtonView->control<QLineEdit>(IDC_IDENTIFIER);
    identifier->setFocus();
    identifier->end(false);
    QTest::keyClicks(identifier, QStringLiteral("x"));
    EXPECT_TRUE(panel().caption().startsWith(QStringLiteral("STARTX, Id 1000\n")))
        << panel().caption().toStdString();
    auto* id = currentButtonView->control<QLineEdit>(IDC_RESOURCE_ID);
    id->setFocus();
    id->end(false);
    QTest::keyClicks(id, QStringLiteral("7"));
    EXPECT_TRUE(panel().caption().startsWith(QStringLiteral("STARTX, Id 10007\n")))
        << panel().caption().toStdString();
}

TEST_F(PreviewFollowsEditsTest, TheTextureAndSettingsDialogsChangesShow) {
    select(1);
    ASSERT_EQ(panel().textureView()->texture().pixelColor(0, 0), QColor(Qt::blue));
    dialogs.answer([](Dialog& d) {
        clickRow(d, 1);
        retype(d, IDC_TEXTURE_PATH, QStringLiteral("rot.png"));
        press(d, IDOK);
    });
    frame().dispatch(ID_TEXTURE_LIBRARY);
    EXPECT_EQ(panel().textureView()->texture().pixelColor(0, 0), QColor(Qt::red));

    dialogs.answer([](Dialog& d) {
        retype(d, IDC_PROJECT_RESOURCE_PATH, QStringLiteral("fehlt/"));
        press(d, IDOK);
    });
    frame().dispatch(ID_PROJECT_SETTINGS);
    EXPECT_TRUE(panel().textureView()->texture().isNull());
    EXPECT_TRUE(panel().notes().contains(QStringLiteral("Datei nicht gefunden")));
}

}  // namespace
