// The editor as a new user meets it: no settings, the window maximized on the screen the test
// runs on (1600 x 1000 or 1280 x 800, given through the offscreen platform's configuration),
// the showcase library open and its first button selected. The texture gets the room.
#include <QHeaderView>
#include <QScreen>
#include <QTest>
#include <iostream>

#include "EditorFixture.h"
#include "framework/ReportList.h"
#include "ui/form/TolvaneViewButton.h"
#include "ui/texture_editor/AreaCanvas.h"
#include "ui/texture_editor/PiecePlacementView.h"
#include "ui/texture_editor/PreviewDock.h"
#include "ui/texture_editor/PreviewPanel.h"

namespace {

TEST_F(EditorTest, TheTextureViewGetsTheRoomAndTheListShowsEveryColumnWhole) {
    ASSERT_TRUE(start({QStringLiteral(TOLVANE_EXAMPLES_DIR "/Showcase.gui")}));
    tree().SelectResource(doc().library.resources.at(0).get());
    // The window is maximized by the platform in its own time; the arrangement follows.
    const QSize screen = frame().screen()->size();
    QTRY_COMPARE(frame().frameGeometry().size(), screen);
    settle();

    const QSize textureLeast = screen.width() >= 1600 ? QSize(700, 550) : QSize(520, 420);
    PreviewPanel& panel = *frame().preview()->panel();
    const QSize texture = panel.textureView()->size();
    const PiecePlacementView& button = *panel.compositionView();
    framework::ReportList& list = *currentButtonView->areaList;
    const int rows = list.viewport()->height() / list.sizeHintForRow(0);
    std::cout << "screen " << screen.width() << " x " << screen.height() << ": texture view "
              << texture.width() << " x " << texture.height() << ", button view " << button.width()
              << " x " << button.height() << ", area list " << list.width() << " x "
              << list.height() << " (" << rows << " rows), tree " << tree().width() << " x "
              << tree().height() << "\n";

    EXPECT_GE(texture.width(), textureLeast.width());
    EXPECT_GE(texture.height(), textureLeast.height());
    EXPECT_GE(button.width(), 256);  // a button of 256 x 64 shows unreduced
    EXPECT_GE(button.height(), 64);
    EXPECT_GE(rows, 8);
    EXPECT_GE(tree().width(), 180);
    const QHeaderView& header = *list.header();
    for (int column = 0; column < header.count(); ++column) {
        EXPECT_LE(header.sectionViewportPosition(column) + header.sectionSize(column),
                  list.viewport()->width())
            << "column " << column;
    }
}

}  // namespace
