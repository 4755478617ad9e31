// The preview's texture on a screen of two device pixels per logical pixel (the program runs
// with QT_SCALE_FACTOR=2): pointer positions, handles and the picture stay in logical pixels.
#include "CanvasFixture.h"

namespace {

TEST_F(CanvasTest, PixelsAndHandlesAreFoundInLogicalPixelsAtTwoDevicePixelsEach) {
    ASSERT_EQ(canvas().devicePixelRatio(), 2.0);
    zoomTo(4.0);
    // The pixel under the pointer, right of and below pixel 30, 40's upper left corner.
    QTest::mouseMove(&canvas(), at({30.0, 40.0}) + QPoint(3, 3));
    EXPECT_TRUE(
        frame().preview()->panel()->pointerText().startsWith(QStringLiteral("Pixel 30, 40")))
        << frame().preview()->panel()->pointerText().toStdString();

    // A corner handle is grabbed 4 logical pixels off the corner, not 5.
    areaList().SelectItem(0);
    dragView(at({28, 28}) + QPoint(4, 4), at({28, 28}) + QPoint(4 + 8, 4), Qt::ControlModifier);
    EXPECT_EQ(edges(0), (EdgeRect{4, 4, 30, 28}));
    undo();
    dragView(at({28, 28}) + QPoint(5, 5), at({28, 28}) + QPoint(5 + 8, 5), Qt::ControlModifier);
    EXPECT_EQ(edges(0), (EdgeRect{4, 4, 28, 28}));  // drew a new area instead
    EXPECT_EQ(areas().size(), 5u);

    // Texture pixels stay sharp: the box's border falls between two device pixels.
    const QImage shot = canvas().grab().toImage();
    const QPoint edge = at({30, 45}) * 2;
    EXPECT_EQ(shot.pixelColor(edge), QColor(Qt::green));
    EXPECT_NE(shot.pixelColor(edge - QPoint(1, 0)).green(), 255);
    EXPECT_NE(shot.pixelColor(edge - QPoint(1, 0)), shot.pixelColor(edge));
}

}  // namespace
