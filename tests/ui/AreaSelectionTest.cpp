// Several areas at once, driven through real mouse and key events on the texture view, the
// composed button and the area list: selecting, moving, nudging, deleting, lining up and
// spacing out a group, and copying areas between buttons and libraries. Every step undone
// gives the library's bytes back exactly.
#include <QClipboard>
#include <QMimeData>
#include <QStatusBar>
#include <functional>

#include "CanvasFixture.h"
#include "framework/StandardIds.h"
#include "ui/ResourceIds.h"
#include "ui/texture_editor/PiecePlacementView.h"

namespace {

class AreaSelectionTest : public CanvasTest {
protected:
    void SetUp() override {
        CanvasTest::SetUp();
        frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
        zoomTo(1.0);
    }
    std::vector<int> listed() { return areaList().GetSelectedItems(); }
    void clickWith(QPointF texturePoint, Qt::KeyboardModifiers modifiers) {
        QTest::mouseClick(&canvas(), Qt::LeftButton, modifiers, at(texturePoint));
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        canvas().setFocus();
        QTest::keyClick(&canvas(), key, modifiers);
    }
};

TEST_F(AreaSelectionTest, ClicksTheRubberBandAndKeysSelectAsTheListDoes) {
    struct Case {
        const char* name;
        std::function<void()> act;
        std::vector<int> selected;
    };
    const std::vector<Case> cases{
        {"a click",
         [&] {
             click({56, 24});
         },
         {2}},
        {"Ctrl+click adds",
         [&] {
             clickWith({22, 22}, Qt::ControlModifier);
         },
         {0, 2}},
        {"Ctrl+click removes",
         [&] {
             clickWith({56, 24}, Qt::ControlModifier);
         },
         {0}},
        {"Shift+click adds",
         [&] {
             clickWith({56, 24}, Qt::ShiftModifier);
         },
         {0, 2}},
        {"Esc clears", [&] { key(Qt::Key_Escape); }, {}},
        // Shift held at the press over no selected area: the band adds what it touches.
        {"rubber band",
         [&] {
             drag({10.5, 10.5}, {13.5, 13.5}, Qt::ShiftModifier);
         },
         {0, 1}},
        {"Ctrl+A, this texture's areas", [&] { key(Qt::Key_A, Qt::ControlModifier); }, {0, 1, 2}},
        {"the list's Ctrl+click",
         [&] {
             areaList().SelectItem(1);
             const QRect row3 = areaList().visualRect(areaList().model()->index(3, 0));
             QTest::mouseClick(areaList().viewport(), Qt::LeftButton, Qt::ControlModifier,
                               row3.center());
         },
         {1, 3}},
    };
    for (const Case& c : cases) {
        c.act();
        EXPECT_EQ(listed(), c.selected) << c.name;
        std::vector<int> shown = c.selected;
        std::erase(shown, 3);  // on another texture
        EXPECT_EQ(canvas().selectedRows(), shown) << c.name;
    }
    EXPECT_EQ(steps().count(), 0);
    EXPECT_EQ(bytes(), original);
}

// Areas 0 (4, 4 - 28, 28), 1 (12, 12 - 16, 16) and 2 (40, 8 - 72, 40) on the shown texture;
// area 2 is placed at 16, 0.
TEST_F(AreaSelectionTest, AGroupMovesNudgesDeletesLinesUpAndSpacesOutAsOneStep) {
    struct Case {
        const char* name;
        std::vector<int> selected;
        std::function<void()> act;
        QString step;
        std::vector<EdgeRect> edges;  // of areas 0 to 2 afterwards
    };
    const std::vector<Case> cases{
        {"drag",
         {0, 2},
         [&] {
             drag({56.5, 24.5}, {61.5, 27.5}, Qt::ControlModifier);
         },
         "Bereiche verschieben",
         {{9, 7, 33, 31}, {12, 12, 16, 16}, {45, 11, 77, 43}}},
        {"nudges",
         {0, 2},
         [&] {
             key(Qt::Key_Right);
             key(Qt::Key_Right);
             key(Qt::Key_Down, Qt::ShiftModifier);
         },
         "Bereiche verschieben",
         {{6, 12, 30, 36}, {12, 12, 16, 16}, {42, 16, 74, 48}}},
        {"Delete", {0, 2}, [&] { key(Qt::Key_Delete); }, "Bereiche löschen", {}},
        {"align left",
         {0, 2},
         [&] { frame().dispatch(ID_ALIGN_LEFT); },
         "Links ausrichten",
         {{4, 4, 28, 28}, {12, 12, 16, 16}, {4, 8, 36, 40}}},
        {"align bottom",
         {1, 2},
         [&] { frame().dispatch(ID_ALIGN_BOTTOM); },
         "Unten ausrichten",
         {{4, 4, 28, 28}, {12, 36, 16, 40}, {40, 8, 72, 40}}},
        // Between 4 and 72 the three widths leave 8 pixels: gaps of 4.
        {"distribute",
         {0, 1, 2},
         [&] { frame().dispatch(ID_DISTRIBUTE_HORIZONTALLY); },
         "Horizontal verteilen",
         {{4, 4, 28, 28}, {32, 12, 36, 16}, {40, 8, 72, 40}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        areaList().SelectItems(c.selected);
        canvas().setFocus();
        c.act();
        ASSERT_EQ(steps().count(), 1);
        if (c.edges.empty()) {
            ASSERT_EQ(areas().size(), 2u);
            EXPECT_EQ(edges(0), (EdgeRect{12, 12, 16, 16}));
        } else {
            for (std::size_t area = 0; area < c.edges.size(); ++area) {
                EXPECT_EQ(edges(area), c.edges[area]) << "area " << area;
            }
            EXPECT_EQ(listed(), c.selected);
        }
        expectUndoneExactly(c.step);
        EXPECT_EQ(listed(), c.selected);
        steps().clear();
    }

    // With the composed button focused, the pieces line up: area 2's piece moves to 0.
    PiecePlacementView& pieces = *frame().preview()->panel()->compositionView();
    areaList().SelectItems({0, 2});
    pieces.setFocus();
    frame().dispatch(ID_ALIGN_LEFT);
    EXPECT_EQ(areas()[2].offsetX, 0.f);
    EXPECT_EQ(edges(2), (EdgeRect{40, 8, 72, 40}));
    expectUndoneExactly(QStringLiteral("Links ausrichten"));
}

// A second library whose texture 0 is sheet.png (the areas keep their texture) or another
// file (sheet.png is added as texture 2, ids 0 and 1 being taken).
std::string secondLibrary(const std::string& textureZero) {
    // clang-format off
    return LibraryBytes()
        .header(3, 1000, "Zweite", "gfx/")
        .u32(2)
        .i32(0).text(textureZero).i32(3).i32(3).i32(2).i32(1)
        .i32(1).text("other.png").i32(3).i32(3).i32(2).i32(1)
        .u32(1)
        .i32(0).i32(9).text("Leer").u32(0)
        .str();
    // clang-format on
}

TEST_F(AreaSelectionTest, AreasAreCopiedAndPastedBetweenButtonsAndLibraries) {
    areaList().SelectItems({0, 2});
    key(Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(copied->hasFormat(QStringLiteral("application/x-tolvane-areas")));
    EXPECT_TRUE(copied->text().contains(QStringLiteral("\"path\": \"sheet.png\"")));

    struct Case {
        const char* name;
        std::string library;                   // empty: a new button in this one
        std::vector<std::int32_t> textureIds;  // of the table afterwards
        std::int32_t pastedTexture;
    };
    const std::vector<Case> cases{
        {"another button", {}, {0, 1}, 0},
        {"a library with the texture", secondLibrary("sheet.png"), {0, 1}, 0},
        {"a library without it", secondLibrary("fremd.png"), {0, 1, 2}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.library.empty()) {
            frame().dispatch(ID_NEW_RESOURCE);
        } else {
            ASSERT_NE(app->OpenDocumentFile(library("zweite.gui", c.library)), nullptr);
            tree().SelectResource(doc().library.resources.at(0).get());
        }
        std::vector<ResourceArea>& pasted = doc().library.resources.back()->areas;
        const std::string before = bytes();
        steps().clear();
        key(Qt::Key_V, Qt::ControlModifier);
        ASSERT_EQ(pasted.size(), 2u);
        EXPECT_EQ((EdgeRect{pasted[0].x1, pasted[0].y1, pasted[0].x2, pasted[0].y2}),
                  (EdgeRect{4, 4, 28, 28}));
        EXPECT_EQ(pasted[1].offsetX, 16.f);
        EXPECT_EQ(pasted[1].textureId, c.pastedTexture);
        std::vector<std::int32_t> ids;
        for (const auto& texture : doc().library.textures) {
            ids.push_back(texture->id);
        }
        EXPECT_EQ(ids, c.textureIds);
        EXPECT_EQ(doc().library.textures.back()->path,
                  c.pastedTexture == 2 ? "sheet.png" : "other.png");
        EXPECT_EQ(listed(), (std::vector<int>{0, 1}));
        ASSERT_EQ(steps().undoText(), QStringLiteral("Bereiche einfügen"));
        undo();
        EXPECT_EQ(bytes(), before);
    }

    // A text form written by hand, with no texture table: the areas keep their texture id.
    QApplication::clipboard()->setText(QStringLiteral(R"({
  "format": "tolvane-library", "version": 1, "idStart": 0, "name": "", "resourcePath": "",
  "textures": [],
  "resources": [{"kind": 0, "id": 0, "identifier": "x", "areas": [
    {"x1": 1, "y1": 2, "x2": 3, "y2": 4, "offsetX": 0, "offsetY": 0, "stretchX": 1,
     "stretchY": 1, "textureId": 1}]}]
})"));
    key(Qt::Key_V, Qt::ControlModifier);
    const std::vector<ResourceArea>& pasted = doc().library.resources.back()->areas;
    ASSERT_EQ(pasted.size(), 1u);
    EXPECT_EQ((EdgeRect{pasted[0].x1, pasted[0].y1, pasted[0].x2, pasted[0].y2}),
              (EdgeRect{1, 2, 3, 4}));
    EXPECT_EQ(pasted[0].textureId, 1);

    // Cut takes them out in one step.
    areaList().SelectItems({0});
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(doc().library.resources.back()->areas.empty());
    EXPECT_EQ(steps().undoText(), QStringLiteral("Bereich ausschneiden"));
}

}  // namespace
