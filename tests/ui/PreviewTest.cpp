#include <QAction>
#include <QDockWidget>
#include <QImage>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QTest>
#include <filesystem>
#include <set>

#include "EditorFixture.h"
#include "PreviewLibrary.h"
#include "framework/ReportList.h"
#include "framework/StandardIds.h"
#include "ui/ResourceIds.h"
#include "ui/dialogs/CoordinatesDlg.h"
#include "ui/form/TolvaneViewButton.h"
#include "ui/history/HistoryDock.h"
#include "ui/texture_editor/CompositionView.h"
#include "ui/texture_editor/PreviewDock.h"
#include "ui/texture_editor/PreviewPanel.h"
#include "ui/texture_editor/TextureCache.h"
#include "ui/texture_editor/TextureView.h"

namespace {

QImage filled(QColor colour) {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

class PreviewTest : public EditorTest {
protected:
    // Writes the library with its textures beside it, in a folder that is not the current one.
    QString previewLibrary() {
        std::filesystem::create_directory(folder.file("gfx"));
        filled(Qt::red).save(QString::fromStdString(folder.file("gfx/rot.png")));
        filled(Qt::blue).save(QString::fromStdString(folder.file("gfx/blau.png")));
        return library("vorschau.gui", previewLibraryBytes());
    }

    PreviewPanel& panel() { return *frame().preview()->panel(); }

    // The editor in a window large enough to arrange freely.
    void startLarge() {
        ASSERT_TRUE(start());
        enlarge();
    }

    QAction* previewAction() {
        QMenu* view = frame().menuBar()->actions()[2]->menu();
        for (QAction* action : view->actions()) {
            if (action->text() == QStringLiteral("&Vorschau")) {
                return action;
            }
        }
        return nullptr;
    }
};

TEST_F(PreviewTest, TheViewMenuEntryTogglesThePanelAndItsStateSurvivesARestart) {
    ASSERT_TRUE(start());
    QAction* toggle = previewAction();
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(toggle->statusTip(), QStringLiteral("Blendet die Vorschau ein oder aus."));
    EXPECT_EQ(frame().dockWidgetArea(frame().preview()), Qt::RightDockWidgetArea);
    EXPECT_FALSE(frame().preview()->isHidden());  // shown at first
    frame().updateCommandUI();
    EXPECT_TRUE(toggle->isChecked());

    toggle->trigger();
    EXPECT_TRUE(frame().preview()->isHidden());
    EXPECT_FALSE(toggle->isChecked());

    app.reset();
    ASSERT_TRUE(start());
    EXPECT_TRUE(frame().preview()->isHidden());
    frame().updateCommandUI();
    EXPECT_FALSE(previewAction()->isChecked());

    frame().addDockWidget(Qt::LeftDockWidgetArea, frame().preview());
    previewAction()->trigger();
    app.reset();
    ASSERT_TRUE(start());
    EXPECT_FALSE(frame().preview()->isHidden());
    EXPECT_EQ(frame().dockWidgetArea(frame().preview()), Qt::LeftDockWidgetArea);
}

// The separator left of (or above) the panel dragged by step pixels, as a user resizes it.
void dragSeparator(QMainWindow& window, QDockWidget& dock, QPoint step) {
    const QRect panel = dock.geometry();
    const bool right = window.dockWidgetArea(&dock) == Qt::RightDockWidgetArea;
    const QPoint grip = right ? QPoint(panel.left() - 2, panel.center().y())
                              : QPoint(panel.center().x(), panel.top() - 2);
    QTest::mousePress(&window, Qt::LeftButton, {}, grip);
    for (const QPoint to : {grip + step / 2, grip + step}) {
        QTest::mouseMove(&window, to);
        QApplication::processEvents();  // the layout follows the separator on its next turn
    }
    QTest::mouseRelease(&window, Qt::LeftButton, {}, grip + step);
}

TEST_F(PreviewTest, ThePanelKeepsTheWidthOrHeightItWasGivenAcrossARestart) {
    ASSERT_NO_FATAL_FAILURE(startLarge());
    const int narrow = frame().preview()->width();
    dragSeparator(frame(), *frame().preview(), QPoint(-150, 0));
    const int wide = frame().preview()->width();
    ASSERT_GT(wide, narrow + 100);

    app.reset();
    ASSERT_NO_FATAL_FAILURE(startLarge());
    EXPECT_EQ(frame().preview()->width(), wide);
    dragSeparator(frame(), *frame().preview(), QPoint(100, 0));  // and it can narrow again
    EXPECT_EQ(frame().preview()->width(), wide - 100);

    // Hidden at the start, it comes back as wide when shown.
    frame().dispatch(ID_VIEW_PREVIEW);
    app.reset();
    ASSERT_NO_FATAL_FAILURE(startLarge());
    frame().dispatch(ID_VIEW_PREVIEW);
    QApplication::processEvents();
    EXPECT_EQ(frame().preview()->width(), wide - 100);

    // Docked below the form, its height is what it keeps.
    frame().addDockWidget(Qt::BottomDockWidgetArea, frame().preview());
    QApplication::processEvents();
    const int low = frame().preview()->height();
    dragSeparator(frame(), *frame().preview(), QPoint(0, -60));
    const int high = frame().preview()->height();
    ASSERT_GT(high, low);
    app.reset();
    ASSERT_NO_FATAL_FAILURE(startLarge());
    EXPECT_EQ(frame().dockWidgetArea(frame().preview()), Qt::BottomDockWidgetArea);
    EXPECT_EQ(frame().preview()->height(), high);
}

// A splitter's first handle dragged by step pixels.
void dragHandle(QSplitter& splitter, QPoint step) {
    QSplitterHandle* handle = splitter.handle(1);
    const QPoint grip = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QTest::mouseMove(handle, grip + step);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + step);
}

// How the window shares its room, as far as the person can change it.
struct Arrangement {
    QList<int> panes, views;
    int panelWidth;
    bool historyShown, historyFloating;
    bool operator==(const Arrangement&) const = default;
};

void PrintTo(const Arrangement& a, std::ostream* out) {
    *out << "panes " << a.panes[0] << "/" << a.panes[1] << ", views " << a.views[0] << "/"
         << a.views[1] << ", panel " << a.panelWidth << ", history "
         << (a.historyShown ? "shown" : "hidden") << (a.historyFloating ? ", floating" : "");
}

TEST_F(PreviewTest, TheArrangementIsRememberedAcrossARestartAndReset) {
    const auto arrangement = [this] {
        return Arrangement{frame().splitter()->sizes(), panel().viewSplitter()->sizes(),
                           frame().preview()->width(), frame().history()->isVisible(),
                           frame().history()->isFloating()};
    };
    ASSERT_NO_FATAL_FAILURE(startLarge());
    const Arrangement first = arrangement();
    EXPECT_GT(first.panelWidth, 700);
    dragHandle(*frame().splitter(), QPoint(0, 80));
    dragHandle(*panel().viewSplitter(), QPoint(0, -60));
    dragSeparator(frame(), *frame().preview(), QPoint(100, 0));
    frame().dispatch(ID_VIEW_HISTORY);
    frame().history()->setFloating(true);
    settle();
    const Arrangement made = arrangement();
    EXPECT_EQ(made.panes[0], first.panes[0] + 80);
    EXPECT_EQ(made.views[1], first.views[1] + 60);
    EXPECT_EQ(made.panelWidth, first.panelWidth - 100);

    app.reset();
    ASSERT_NO_FATAL_FAILURE(startLarge());
    EXPECT_EQ(arrangement(), made);

    frame().dispatch(ID_VIEW_RESET_ARRANGEMENT);
    settle();
    EXPECT_EQ(arrangement(), first);
    app.reset();
    ASSERT_NO_FATAL_FAILURE(startLarge());
    EXPECT_EQ(arrangement(), first);
}

TEST_F(PreviewTest, FollowsTheTreeSelectionAndEveryChangeOfTheLibrary) {
    ASSERT_TRUE(start({previewLibrary()}));
    EXPECT_EQ(panel().caption(), QStringLiteral("Keine Ressource ausgewählt."));

    tree().SelectResource(doc().library.resources[1].get());
    ASSERT_EQ(panel().scene().areas.size(), 1u);
    // Found beside the library, though the current folder does not have it.
    EXPECT_EQ(panel().textureView()->texture().pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_TRUE(panel().notes().isEmpty()) << panel().notes().toStdString();
    EXPECT_EQ(panel().compositionView()->composition().size(), QSize(4, 4));

    tree().SelectResource(doc().library.resources[0].get());
    ASSERT_EQ(panel().scene().areas.size(), 2u);
    EXPECT_EQ(panel().textureView()->texture().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(panel().textureView()->outlines().size(), 2u);
    EXPECT_EQ(panel().compositionView()->composition().size(), QSize(16, 8));

    // A change of the library reaches the preview through the document's modified flag.
    doc().library.resources[0]->areas[1].textureId = 1;
    doc().library.resources[0]->areas[1].offsetY = 8;
    doc().SetModifiedFlag();
    EXPECT_EQ(panel().textureView()->outlines().size(), 1u);
    const QImage composed = panel().compositionView()->composition();
    ASSERT_EQ(composed.size(), QSize(16, 16));
    EXPECT_EQ(composed.pixelColor(12, 12), QColor(Qt::blue));
    EXPECT_EQ(composed.pixelColor(12, 4).alpha(), 0);

    tree().setCurrentItem(tree().topLevelItem(0));
    EXPECT_EQ(panel().caption(), QStringLiteral("Keine Ressource ausgewählt."));
}

// A solid and an additive texture with many areas each: every drawing, from the first to one
// per keystroke, shares one blended picture per texture instead of blending one per area.
TEST_F(PreviewTest, EachTextureIsBlendedOnceHoweverManyAreasCutFromIt) {
    constexpr int kAreas = 40;
    std::filesystem::create_directory(folder.file("gfx"));
    filled(Qt::red).save(QString::fromStdString(folder.file("gfx/fest.png")));
    filled(Qt::blue).save(QString::fromStdString(folder.file("gfx/licht.png")));
    LibraryBytes bytes;
    bytes.header(3, 1000, "Mischung", "gfx/").u32(2);
    bytes.i32(0).text("fest.png").i32(0).i32(0).i32(2).i32(0);
    bytes.i32(1).text("licht.png").i32(0).i32(0).i32(2).i32(2);
    bytes.u32(1).i32(0).i32(1000).text("Knopf").u32(kAreas);
    for (int index = 0; index < kAreas; ++index) {
        const auto at = static_cast<float>(index);
        bytes.f32(0).f32(0).f32(4).f32(4).f32(at).f32(0).f32(1).f32(1).i32(index % 2);
    }
    ASSERT_TRUE(start({library("mischung.gui", bytes.str())}));
    const TextureCache& cache = frame().preview()->textures();
    const qint64 picture = 16 * 16 * 4;

    tree().SelectResource(doc().library.resources[0].get());
    ASSERT_EQ(panel().compositionView()->composition().size(), QSize(kAreas + 3, 4));
    EXPECT_EQ(cache.blendCount(), 2);
    EXPECT_EQ(cache.usedBytes(), 4 * picture);  // each file decoded and blended

    auto* identifier = currentButtonView->control<QLineEdit>(IDC_IDENTIFIER);
    identifier->setFocus();
    identifier->end(false);
    QTest::keyClick(identifier, Qt::Key_X);
    ASSERT_EQ(panel().scene().identifier, "KNOPFX");
    ScriptedModalDialogs dialogs;
    dialogs.answer([&](framework::Dialog& dialog) {
        retype(dialog, IDC_OFFSET_X, QStringLiteral("60"));
        EXPECT_EQ(panel().compositionView()->composition().width(), 64);
        press(dialog, framework::IDOK);
    });
    currentButtonView->areaList->SelectItem(3);
    QTest::mouseClick(currentButtonView->GetDlgItem(IDC_EDIT_AREA), Qt::LeftButton);
    EXPECT_EQ(doc().library.resources[0]->areas[3].offsetX, 60.0f);
    EXPECT_EQ(cache.blendCount(), 2);
    EXPECT_EQ(cache.usedBytes(), 4 * picture);
}

// PNG, TGA (uncompressed and run-length) and BMP, one of them spelt in another letter case
// than its file: every texture of the showcase is read, and the shown ones have their sizes.
TEST_F(PreviewTest, TheShowcaseShowsEveryTexture) {
    // A copy, since opening a library writes its backup beside it.
    const std::filesystem::path examples(TOLVANE_EXAMPLES_DIR);
    std::filesystem::copy(examples / "gfx", folder.file("gfx"));
    std::filesystem::copy(examples / "Showcase.gui", folder.file("Showcase.gui"));
    ASSERT_TRUE(start({QString::fromStdString(folder.file("Showcase.gui"))}));
    std::set<std::int32_t> shown;
    for (const auto& resource : doc().library.resources) {
        tree().SelectResource(resource.get());
        EXPECT_TRUE(panel().notes().isEmpty()) << panel().notes().toStdString();
        EXPECT_FALSE(panel().compositionView()->composition().isNull());
        for (const ResourceArea& area : resource->areas) {
            shown.insert(area.textureId);
        }
    }
    EXPECT_EQ(shown, (std::set<std::int32_t>{0, 1, 2, 3, 4}));
}

// The coordinates dialog's working area, followed through the changes it tells of.
TEST_F(PreviewTest, FollowsAWorkingAreaWithEveryChangeOfItsDialog) {
    ASSERT_TRUE(start({previewLibrary()}));
    tree().SelectResource(doc().library.resources[0].get());
    CCoordinatesDlg dialog;
    dialog.workingArea = doc().library.resources[0]->areas[1];
    {
        const PreviewWorkingArea shown(dialog, 1);
        EXPECT_EQ(panel().scene().selectedRow, 1);
        dialog.workingArea.x2 = 12;  // as a change rule of the dialog does
        emit dialog.workingAreaChanged();
        ASSERT_EQ(panel().scene().areas.size(), 2u);
        EXPECT_EQ(panel().scene().areas[1].x2, 12.0f);
        EXPECT_EQ(panel().textureView()->outlines()[1].rect, QRectF(8, 0, 4, 8));
        EXPECT_EQ(panel().compositionView()->composition().size(), QSize(12, 8));
    }
    EXPECT_EQ(panel().scene().areas[1].x2, 16.0f);  // the dialog gone, the library shows again
    EXPECT_EQ(panel().scene().selectedRow, -1);
    {
        const PreviewWorkingArea shown(dialog, -1);  // a new area comes last
        ASSERT_EQ(panel().scene().areas.size(), 3u);
        EXPECT_EQ(panel().scene().selectedRow, 2);
    }
    EXPECT_EQ(panel().scene().areas.size(), 2u);
    EXPECT_EQ(doc().library.resources[0]->areas[1].x2, 16.0f);
}

TEST_F(PreviewTest, AHiddenPanelCatchesUpWhenShown) {
    ASSERT_TRUE(start({previewLibrary()}));
    frame().dispatch(ID_VIEW_PREVIEW);
    ASSERT_TRUE(frame().preview()->isHidden());
    tree().SelectResource(doc().library.resources[1].get());
    frame().dispatch(ID_VIEW_PREVIEW);
    EXPECT_EQ(panel().scene().areas.size(), 1u);
}

TEST_F(PreviewTest, UsingThePreviewNeverChangesTheLibrary) {
    ASSERT_TRUE(start({previewLibrary()}));
    const std::string before = folder.file("vorher.gui");
    ASSERT_EQ(doc().WriteLibraryFile(QString::fromStdString(before)), S_OK);

    for (const auto& resource : doc().library.resources) {
        tree().SelectResource(resource.get());
        TextureView& view = *panel().textureView();
        view.zoomAbout(3.0, QPointF(10, 10));
        QTest::mouseMove(&view, QPoint(20, 20));
        view.zoomToFit();
        panel().compositionView()->grab();
    }
    tree().SelectResource(doc().library.resources[0].get());
    filled(Qt::green).save(QString::fromStdString(folder.file("gfx/rot.png")));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return panel().textureView()->texture().pixelColor(0, 0) == Qt::green; }, 2000));
    frame().dispatch(ID_VIEW_PREVIEW);
    frame().dispatch(ID_VIEW_PREVIEW);

    const std::string after = folder.file("nachher.gui");
    ASSERT_EQ(doc().WriteLibraryFile(QString::fromStdString(after)), S_OK);
    EXPECT_EQ(readFileBytes(after), readFileBytes(before));
    EXPECT_FALSE(doc().IsModified());
}

}  // namespace
