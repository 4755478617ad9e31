// Slicing the shown texture in the whole editor: the panels' candidates as the fields and the
// button's areas have them, applying them as one step, a double click cutting one island, and
// the command line cutting the same areas from the same sheet.
#include <QComboBox>
#include <QProcess>
#include <QSpinBox>
#include <QStatusBar>

#include "CanvasFixture.h"
#include "ui/ResourceIds.h"
#include "ui/texture_editor/SlicePanel.h"

namespace {

class SlicingTest : public CanvasTest {
protected:
    SlicePanel& open(int command) {
        frame().dispatch(command);
        SlicePanel* panel = frame().preview()->slicingPanel();
        EXPECT_NE(panel, nullptr);
        return *panel;
    }
    // Types text into the panel's field named label, as a person does.
    void type(SlicePanel& panel, const QString& label, const QString& text) {
        for (QSpinBox* field : panel.findChildren<QSpinBox*>()) {
            if (field->accessibleName() == label) {
                field->setFocus();
                field->selectAll();
                QTest::keyClicks(field, text);
                return;
            }
        }
        FAIL() << "no field " << label.toStdString();
    }
    void waitFor(SlicePanel& panel, const QString& count) {
        QTRY_COMPARE(panel.countText(), count);
    }
};

// The sheet's only opaque box, 30, 40 to 38, 50, lies in four cells of 16 pixels; the one
// of them that shares pixels with area 2 is left out unless the areas are replaced.
TEST_F(SlicingTest, TheGridPanelProposesAppliesAndReplacesAsOneStep) {
    SlicePanel& panel = open(ID_SLICE_GRID);
    EXPECT_EQ(panel.windowTitle(), QStringLiteral("Im Raster zerlegen"));
    type(panel, QStringLiteral("Zellenbreite"), QStringLiteral("16"));
    type(panel, QStringLiteral("Zellenhöhe"), QStringLiteral("16"));
    waitFor(panel, QStringLiteral("4 Bereiche"));
    EXPECT_EQ(panel.noteText(),
              QStringLiteral("1 überlappt einen vorhandenen Bereich und wird ausgelassen."));
    EXPECT_EQ(canvas().candidates().size(), 3u);
    EXPECT_EQ(steps().count(), 0);

    panel.apply();
    ASSERT_EQ(areas().size(), 7u);
    EXPECT_EQ(edges(4), (EdgeRect{16, 32, 32, 48}));
    EXPECT_EQ(edges(6), (EdgeRect{32, 48, 48, 64}));
    EXPECT_EQ(areaList().GetSelectedItems(), (std::vector<int>{4, 5, 6}));
    expectUndoneExactly(QStringLiteral("Textur zerlegen"));

    // Replaced, the button's three areas on sheet.png go; area 3 on other.png stays.
    panel.findChild<QComboBox*>()->setCurrentIndex(1);
    EXPECT_EQ(panel.noteText(),
              QStringLiteral("3 vorhandene Bereiche dieser Textur werden ersetzt."));
    panel.apply();
    ASSERT_EQ(areas().size(), 5u);
    EXPECT_EQ(areas()[0].textureId, 1);
    expectUndoneExactly(QStringLiteral("Textur zerlegen"));

    // A grid with no whole cell says why and applies nothing.
    type(panel, QStringLiteral("Zellenbreite"), QStringLiteral("200"));
    QTRY_VERIFY(!panel.noteText().isEmpty() && !panel.canApply());
    EXPECT_TRUE(canvas().candidates().empty());
}

// Transparent pixels say so; an island's box becomes an area.
TEST_F(SlicingTest, ADoubleClickOnAPixelThatShowsCutsItsIsland) {
    zoomTo(4.0);
    QTest::mouseDClick(&canvas(), Qt::LeftButton, {}, at({33.5, 44.5}));
    ASSERT_EQ(areas().size(), 5u);
    EXPECT_EQ(edges(4), (EdgeRect{30, 40, 38, 50}));
    EXPECT_EQ(areaList().GetSelectedItems(), std::vector<int>{4});
    expectUndoneExactly(QStringLiteral("Bereich aus Insel"));

    QTest::mouseDClick(&canvas(), Qt::LeftButton, {}, at({100.5, 100.5}));
    EXPECT_EQ(frame().statusBar()->currentMessage(),
              QStringLiteral("Unter dem Zeiger ist kein sichtbares Pixel."));
    EXPECT_FALSE(steps().canUndo());
}

// The automatic panel and `tolvane-cli slice --auto` cut the same areas, byte for byte.
TEST_F(SlicingTest, TheEditorAndTheCommandLineCutTheSameAreas) {
    SlicePanel& panel = open(ID_SLICE_AUTO);
    waitFor(panel, QStringLiteral("1 Bereich"));
    panel.apply();
    const std::string edited = bytes();

    const QString sliced = QString::fromStdString(folder.file("sliced.gui"));
    QProcess cli;
    cli.setWorkingDirectory(QString::fromStdString(folder.path()));
    cli.start(QStringLiteral(TOLVANE_CLI_PATH),
              {QStringLiteral("slice"), QStringLiteral("leinwand.gui"),
               QStringLiteral("--resource"), QStringLiteral("5"), QStringLiteral("--texture"),
               QStringLiteral("0"), QStringLiteral("--auto"), QStringLiteral("-o"), sliced});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_EQ(readFileBytes(sliced.toStdString()), edited);
}

}  // namespace
