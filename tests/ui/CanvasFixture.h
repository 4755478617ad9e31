#pragma once

#include <QImage>
#include <QTest>
#include <QUndoStack>
#include <filesystem>

#include "EditorFixture.h"
#include "framework/ReportList.h"
#include "testing/MemoryStreams.h"
#include "ui/form/TolvaneViewButton.h"
#include "ui/history/LibraryHistory.h"
#include "ui/texture_editor/AreaCanvas.h"
#include "ui/texture_editor/PreviewDock.h"
#include "ui/texture_editor/PreviewPanel.h"

// clang-format off

// Library "Leinwand" with resource path gfx/: texture 0 sheet.png and texture 1 other.png,
// 128 x 128 each. Button "Knopf" (id 5): area 0 from 4, 4 to 28, 28, area 1 from 12, 12 to
// 16, 16 inside it, area 2 from 40, 8 to 72, 40, all on sheet.png; area 3 from 0, 0 to 8, 8
// on other.png, placed at 16, 0.
inline std::string canvasLibraryBytes() {
    return LibraryBytes()
        .header(3, 1000, "Leinwand", "gfx/")
        .u32(2)
        .i32(0).text("sheet.png").i32(3).i32(3).i32(2).i32(1)
        .i32(1).text("other.png").i32(3).i32(3).i32(2).i32(1)
        .u32(1)
        .i32(0).i32(5).text("Knopf").u32(4)
            .f32(4).f32(4).f32(28).f32(28).f32(0).f32(0).f32(1).f32(1).i32(0)
            .f32(12).f32(12).f32(16).f32(16).f32(4).f32(4).f32(1).f32(1).i32(0)
            .f32(40).f32(8).f32(72).f32(40).f32(16).f32(0).f32(1).f32(1).i32(0)
            .f32(0).f32(0).f32(8).f32(8).f32(16).f32(0).f32(1).f32(1).i32(1)
        .str();
}

// clang-format on

// The editor on that library with "Knopf" selected; sheet.png is transparent but for an
// opaque box from 30, 40 to 38, 50. A test works the preview's texture with the mouse and
// keys at a zoom it chooses.
class CanvasTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        std::filesystem::create_directory(folder.file("gfx"));
        QImage sheet(128, 128, QImage::Format_ARGB32);
        sheet.fill(Qt::transparent);
        for (int y = 40; y < 50; ++y) {
            for (int x = 30; x < 38; ++x) {
                sheet.setPixelColor(x, y, Qt::green);
            }
        }
        sheet.save(QString::fromStdString(folder.file("gfx/sheet.png")));
        sheet.fill(Qt::transparent);
        sheet.save(QString::fromStdString(folder.file("gfx/other.png")));
        ASSERT_TRUE(start({library("leinwand.gui", canvasLibraryBytes())}));
        enlarge();
        tree().SelectResource(doc().library.resources.at(0).get());
        ASSERT_NE(currentButtonView, nullptr);
        settle();
        original = bytes();
    }

    AreaCanvas& canvas() { return *frame().preview()->panel()->textureView(); }
    framework::ReportList& areaList() { return *currentButtonView->areaList; }
    std::vector<ResourceArea>& areas() { return doc().library.resources.at(0)->areas; }
    QUndoStack& steps() { return doc().history->stack(); }
    std::string bytes() {
        MemoryOutputStream out;
        doc().library.save(out);
        return out.data();
    }
    void undo() { steps().undo(); }
    void redo() { steps().redo(); }

    // Shows the texture at zoom, the point 32, 32 in the middle of the view.
    void zoomTo(double zoom) {
        canvas().zoomOneToOne();
        canvas().zoomAbout(zoom, canvas().viewFromTexture({32, 32}));
        ASSERT_EQ(canvas().zoom(), zoom);
    }
    // The view point showing texture point.
    QPoint at(QPointF texturePoint) {
        const QPointF view = canvas().viewFromTexture(texturePoint);
        return {static_cast<int>(std::floor(view.x())), static_cast<int>(std::floor(view.y()))};
    }
    void click(QPointF texturePoint) {
        QTest::mouseClick(&canvas(), Qt::LeftButton, {}, at(texturePoint));
    }
    // Drags from one view point to another, by way of a point far enough off to start the
    // gesture at any zoom.
    void dragView(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mousePress(&canvas(), Qt::LeftButton, modifiers, from);
        QTest::mouseEvent(QTest::MouseMove, &canvas(), Qt::NoButton, modifiers,
                          from + QPoint(20, 20));
        QTest::mouseEvent(QTest::MouseMove, &canvas(), Qt::NoButton, modifiers, to);
        QTest::mouseRelease(&canvas(), Qt::LeftButton, modifiers, to);
    }
    void drag(QPointF from, QPointF to, Qt::KeyboardModifiers modifiers = {}) {
        dragView(at(from), at(to), modifiers);
    }
    // The edges of area index.
    EdgeRect edges(std::size_t index) {
        const ResourceArea& area = areas().at(index);
        return {area.x1, area.y1, area.x2, area.y2};
    }
    // The last step undone gives the library's bytes back exactly.
    void expectUndoneExactly(const QString& name) {
        ASSERT_EQ(steps().undoText(), name);
        undo();
        EXPECT_EQ(bytes(), original);
    }

    std::string original;
};

inline void PrintTo(const EdgeRect& r, std::ostream* out) {
    *out << "(" << r.x1 << ", " << r.y1 << " - " << r.x2 << ", " << r.y2 << ")";
}
