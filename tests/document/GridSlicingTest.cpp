#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SlicingSheet.h"
#include "document/GridSlicing.h"

namespace {

GridSettings bySize(int cell, int offset = 0, int spacing = 0) {
    GridSettings settings;
    settings.cellWidth = settings.cellHeight = cell;
    settings.offsetX = settings.offsetY = offset;
    settings.spacingX = settings.spacingY = spacing;
    return settings;
}

GridSettings byCount(int count, int offset = 0, int spacing = 0) {
    GridSettings settings = bySize(1, offset, spacing);
    settings.byCount = true;
    settings.columns = settings.rows = count;
    return settings;
}

// Both axes follow the same rule; the table lays a square sheet, so columns and rows agree.
TEST(GridSlicingTest, CountsAndSizesOfTheCells) {
    struct Case {
        int size;
        GridSettings settings;
        int count;
        int cell;
    };
    for (const Case& c : std::vector<Case>{
             {432, bySize(32, 2, 4), 12, 32},  // 2 + 12 * 32 + 11 * 4 = 430
             {432, byCount(12, 2, 4), 12, 32},
             {64, bySize(32), 2, 32},
             {63, bySize(32), 1, 32},
             {32, bySize(32), 1, 32},
             {68, bySize(32, 0, 4), 2, 32},  // exactly two cells and the gap between them
             {67, bySize(32, 0, 4), 1, 32},
             {100, bySize(20, 10, 5), 3, 20},
             {100, bySize(20, 10, 1000), 1, 20},  // a gap wider than the sheet after one cell
             {100, byCount(3), 3, 33},
             {10, byCount(10), 10, 1},
             {10, byCount(4, 0, 2), 4, 1},
         }) {
        const GridLayout layout = LayOutGrid(c.settings, c.size, c.size);
        EXPECT_EQ(layout.message, "") << c.size;
        EXPECT_EQ(layout.columns, c.count) << c.size;
        EXPECT_EQ(layout.rows, c.count) << c.size;
        EXPECT_EQ(layout.cellWidth, c.cell) << c.size;
        EXPECT_EQ(layout.cellHeight, c.cell) << c.size;
    }
}

TEST(GridSlicingTest, SettingsWithoutAWholeCellSayWhy) {
    struct Case {
        GridSettings settings;
        std::string message;
    };
    GridSettings zeroHeight = bySize(32);
    zeroHeight.cellHeight = 0;
    GridSettings wideOffset = bySize(32, 0);
    wideOffset.offsetX = 64;
    for (const Case& c : std::vector<Case>{
             {bySize(0), "Die Zellenbreite muss mindestens 1 Pixel betragen."},
             {bySize(-5), "Die Zellenbreite muss mindestens 1 Pixel betragen."},
             {zeroHeight, "Die Zellenhöhe muss mindestens 1 Pixel betragen."},
             {byCount(0), "Es muss mindestens eine Spalte geben."},
             {bySize(8, -1), "Der Versatz X darf nicht negativ sein."},
             {bySize(8, 0, -1), "Der Abstand X darf nicht negativ sein."},
             {wideOffset, "Der Versatz X liegt außerhalb der Textur (64 Pixel breit)."},
             {bySize(65), "Die Zellen sind breiter als die Textur (64 Pixel)."},
             {bySize(40, 30),
              "Die Zellen sind breiter als die Textur: ab dem Versatz von 30 Pixeln bleiben 34 "
              "Pixel."},
             {byCount(65), "65 Spalten passen nicht in die Textur (64 Pixel)."},
             {byCount(8, 0, 9),
              "Der Abstand X von 9 Pixeln lässt für 8 Spalten keine ganze Zelle."},
         }) {
        const GridLayout layout = LayOutGrid(c.settings, 64, 64);
        EXPECT_EQ(layout.message, c.message);
        EXPECT_EQ(layout.columns * layout.rows, 0) << c.message;
    }
}

class GridCandidatesTest : public ::testing::Test {
protected:
    // Four cells of 8 x 8 in a row: a full one, an empty one, a small piece, a black one.
    GridCandidatesTest() {
        sheet.fill({0, 0, 8, 8}).fill({18, 3, 20, 6}).fill({24, 0, 32, 8}, 0xff000000u);
    }
    std::vector<PixelRect> cells(const GridSettings& settings, std::int32_t blendType) const {
        const auto result = GridCandidates(sheet.pixels(), blendType, settings);
        EXPECT_TRUE(result.has_value());
        EXPECT_EQ(result->message, "");
        return result->rects;
    }

    SlicingSheet sheet{32, 8};
};

TEST_F(GridCandidatesTest, EmptyCellsAreLeftOutAndCellsTrimmedWithTheBlendType) {
    const PixelRect full{0, 0, 8, 8}, empty{8, 0, 16, 8}, piece{16, 0, 24, 8}, black{24, 0, 32, 8};
    GridSettings settings = bySize(8);
    EXPECT_EQ(cells(settings, 1), (std::vector{full, piece, black}));
    // Opaque black adds no light.
    EXPECT_EQ(cells(settings, 2), (std::vector{full, piece}));
    EXPECT_EQ(cells(settings, 0), (std::vector{full, empty, piece, black}));
    settings.trimCells = true;
    EXPECT_EQ(cells(settings, 1), (std::vector{full, PixelRect{18, 3, 20, 6}, black}));
    settings.skipEmpty = false;  // an empty cell has nothing to trim to and stays whole
    EXPECT_EQ(cells(settings, 1), (std::vector{full, empty, PixelRect{18, 3, 20, 6}, black}));
}

TEST_F(GridCandidatesTest, CellsComeRowByRowFromTheTopLeft) {
    SlicingSheet grid(30, 20);
    grid.fill({0, 0, 30, 20});
    const auto result = GridCandidates(grid.pixels(), 1, byCount(2, 2, 4));
    // Cells of (30 - 2 - 4) / 2 = 12 by (20 - 2 - 4) / 2 = 7.
    EXPECT_EQ(
        result->rects,
        (std::vector<PixelRect>{{2, 2, 14, 9}, {18, 2, 30, 9}, {2, 13, 14, 20}, {18, 13, 30, 20}}));
}

TEST_F(GridCandidatesTest, RefusesAnEmptySheetAndTooManyCells) {
    const SlicingSheet clear(400, 300);
    EXPECT_EQ(GridCandidates(clear.pixels(), 1, bySize(8))->message,
              "Keine Zelle enthält ein sichtbares Pixel.");
    const auto tooMany = GridCandidates(clear.pixels(), 1, bySize(1));
    EXPECT_EQ(tooMany->message,
              "Das ergäbe 120.000 Bereiche, mehr als 100.000: größere Zellen wählen.");
    EXPECT_TRUE(tooMany->rects.empty());
}

TEST_F(GridCandidatesTest, AStaleRunEndsWithoutAResult) {
    std::stop_source stale;
    stale.request_stop();
    EXPECT_FALSE(GridCandidates(sheet.pixels(), 1, bySize(8), stale.get_token()).has_value());
}

}  // namespace
