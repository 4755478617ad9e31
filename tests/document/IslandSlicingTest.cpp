#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "SlicingSheet.h"
#include "document/AutoSlicing.h"
#include "document/IslandFinding.h"
#include "document/PremultipliedTexture.h"

namespace {

std::vector<PixelRect> sorted(std::vector<PixelRect> rects) {
    std::sort(rects.begin(), rects.end(), [](const PixelRect& a, const PixelRect& b) {
        return std::tie(a.y1, a.x1, a.y2, a.x2) < std::tie(b.y1, b.x1, b.y2, b.x2);
    });
    return rects;
}

std::vector<PixelRect> islands(const SlicingSheet& sheet, ShowRule rule = {}) {
    return sorted(*FindIslands(sheet.pixels(), rule));
}

SliceCandidates autoSlice(const SlicingSheet& sheet, AutoSliceSettings settings,
                          std::int32_t blendType = 1) {
    return *AutoSliceCandidates(sheet.pixels(), blendType, settings);
}

AutoSliceSettings keepingAll() {
    AutoSliceSettings settings;
    settings.minimumSize = 0;
    return settings;
}

TEST(IslandSlicingTest, PixelsTouchingAtACornerAreOneIsland) {
    SlicingSheet sheet(8, 8);
    sheet.dot(1, 1).dot(2, 2).dot(6, 1).dot(5, 2);  // both diagonals
    sheet.dot(1, 5).dot(3, 5);                      // a column apart
    EXPECT_EQ(islands(sheet),
              (std::vector<PixelRect>{{1, 1, 3, 3}, {5, 1, 7, 3}, {1, 5, 2, 6}, {3, 5, 4, 6}}));
}

// Shapes that meet only further down: a U, a comb whose teeth join at the bottom, a
// staircase that joins a run from the row above on both sides.
TEST(IslandSlicingTest, BranchesJoiningLaterMakeOneBox) {
    SlicingSheet sheet(24, 10);
    sheet.fill({0, 0, 2, 6}).fill({6, 0, 8, 6}).fill({0, 6, 8, 7});  // U
    for (int tooth = 10; tooth < 20; tooth += 3) {
        sheet.fill({tooth, 0, tooth + 1, 8});
    }
    sheet.fill({10, 8, 20, 9});                                    // the comb's spine
    sheet.dot(22, 0).dot(23, 1).dot(22, 2).dot(21, 3).dot(22, 4);  // zigzag
    EXPECT_EQ(islands(sheet),
              (std::vector<PixelRect>{{0, 0, 8, 7}, {10, 0, 20, 9}, {21, 0, 24, 5}}));
}

TEST(IslandSlicingTest, WhatShowsFollowsBlendTypeAndThreshold) {
    SlicingSheet sheet(6, 1);
    sheet
        .dot(0, 0, 0x0a000000u)   // alpha 10, black
        .dot(2, 0, 0xff000040u)   // opaque, blue 64
        .dot(4, 0, 0x80404000u);  // half opaque, premultiplied yellow 64
    EXPECT_EQ(islands(sheet, {1, 9}).size(), 3u);
    EXPECT_EQ(islands(sheet, {1, 10}).size(), 2u);
    EXPECT_EQ(islands(sheet, {2, 0}), (std::vector<PixelRect>{{2, 0, 3, 1}, {4, 0, 5, 1}}));
    EXPECT_EQ(islands(sheet, {2, 63}).size(), 2u);
    EXPECT_EQ(islands(sheet, {2, 64}).size(), 0u);
}

TEST(IslandSlicingTest, BoxesOverlappingStayApartUnlessAsked) {
    // An L and a piece inside its box; a ring and a piece inside it.
    SlicingSheet sheet(40, 12);
    sheet.fill({0, 0, 2, 10}).fill({0, 8, 10, 10}).fill({5, 2, 8, 5});
    sheet.fill({20, 0, 32, 1}).fill({20, 11, 32, 12}).fill({20, 0, 21, 12}).fill({31, 0, 32, 12});
    sheet.fill({24, 4, 28, 8});
    AutoSliceSettings settings = keepingAll();
    settings.mergeGap = 5;  // merging by distance leaves boxes sharing pixels alone
    EXPECT_EQ(
        autoSlice(sheet, settings).rects,
        (std::vector<PixelRect>{{0, 0, 10, 10}, {5, 2, 8, 5}, {20, 0, 32, 12}, {24, 4, 28, 8}}));
    settings.mergeGap = 0;
    settings.mergeOverlapping = true;
    EXPECT_EQ(autoSlice(sheet, settings).rects,
              (std::vector<PixelRect>{{0, 0, 10, 10}, {20, 0, 32, 12}}));
}

TEST(IslandSlicingTest, MergingJoinsBoxesExactlyUpToTheGap) {
    struct Case {
        PixelRect second;  // beside {0, 0, 4, 4}
        int joinsFrom;     // the smallest gap setting that joins them
    };
    for (const Case& c : std::vector<Case>{
             {{7, 0, 11, 4}, 3},   // three empty columns
             {{0, 9, 4, 13}, 5},   // five empty rows
             {{7, 6, 11, 10}, 3},  // diagonal: the larger of 3 columns and 2 rows
             {{4, 4, 8, 8}, 1},    // corners touch: no empty column or row
         }) {
        const std::vector<PixelRect> apart{{0, 0, 4, 4}, c.second};
        EXPECT_EQ(MergedBoxes(apart, c.joinsFrom - 1, false)->size(), 2u) << c.joinsFrom;
        const PixelRect joined{0, 0, std::max(4, c.second.x2), std::max(4, c.second.y2)};
        EXPECT_EQ(*MergedBoxes(apart, c.joinsFrom, false), std::vector{joined}) << c.joinsFrom;
    }
}

TEST(IslandSlicingTest, MergingRepeatsUntilNoBoxesJoin) {
    // A and B join; only the box around both comes near enough to C.
    const std::vector<PixelRect> boxes{{0, 0, 4, 10}, {6, 8, 10, 10}, {12, 0, 14, 5}};
    EXPECT_EQ(*MergedBoxes(boxes, 2, false), (std::vector<PixelRect>{{0, 0, 14, 10}}));
    EXPECT_EQ(MergedBoxes(boxes, 1, false)->size(), 3u);
}

TEST(IslandSlicingTest, IslandsSmallerThanTheMinimumInBothSidesAreLeftOut) {
    SlicingSheet sheet(20, 10);
    sheet.fill({0, 0, 3, 3}).fill({5, 0, 6, 4}).fill({8, 0, 12, 4});
    AutoSliceSettings settings;  // minimum 4
    EXPECT_EQ(autoSlice(sheet, settings).rects,
              (std::vector<PixelRect>{{5, 0, 6, 4}, {8, 0, 12, 4}}));
    settings.minimumSize = 5;
    EXPECT_EQ(autoSlice(sheet, settings).message,
              "Alle 3 Inseln sind kleiner als die Mindestgröße von 5 Pixeln.");
    // Merged first, the small piece counts as part of its neighbour.
    settings.mergeGap = 2;
    EXPECT_EQ(autoSlice(sheet, settings).rects, (std::vector<PixelRect>{{0, 0, 12, 4}}));
}

TEST(IslandSlicingTest, SheetsWithNothingToCutAreRefused) {
    SlicingSheet clear(16, 16);
    EXPECT_EQ(autoSlice(clear, {}).message,
              "Die Textur ist ganz durchsichtig: kein Pixel ist sichtbar.");
    SlicingSheet full(16, 16);
    full.fill({0, 0, 16, 16}, 0xff000000u);
    EXPECT_EQ(autoSlice(full, {}, 2).message,
              "Die Textur ist ganz schwarz: kein Pixel ist sichtbar.");
    const SliceCandidates everything = autoSlice(full, {});
    EXPECT_TRUE(everything.offerGrid);
    EXPECT_EQ(everything.message,
              "Jedes Pixel der Textur ist sichtbar: es gibt keine Lücken, an denen sie sich "
              "zerlegen ließe. Sie lässt sich im Raster zerlegen.");
    // A frame around the whole sheet is one island, but one with a hole: it is cut.
    full.fill({1, 1, 15, 15}, 0);
    EXPECT_EQ(autoSlice(full, {}).rects, (std::vector<PixelRect>{{0, 0, 16, 16}}));

    const SliceCandidates solid = autoSlice(full, {}, 0);
    EXPECT_TRUE(solid.offerGrid);
    EXPECT_TRUE(solid.rects.empty());

    AutoSliceSettings settings;
    settings.threshold = 256;
    EXPECT_EQ(autoSlice(full, settings).message,
              "Die Alpha-Schwelle muss zwischen 0 und 255 liegen.");
    settings.threshold = 200;
    EXPECT_EQ(autoSlice(clear, settings).message,
              "Kein Pixel der Textur hat ein Alpha über der Schwelle 200.");
}

TEST(IslandSlicingTest, AStaleRunEndsWithoutAResult) {
    SlicingSheet sheet(16, 16);
    sheet.fill({2, 2, 8, 8});
    std::stop_source stale;
    stale.request_stop();
    EXPECT_FALSE(FindIslands(sheet.pixels(), {}, stale.get_token()).has_value());
    EXPECT_FALSE(AutoSliceCandidates(sheet.pixels(), 1, {}, stale.get_token()).has_value());
}

TEST(IslandSlicingTest, TheIslandUnderAPixel) {
    SlicingSheet sheet(16, 12);
    sheet.fill({0, 0, 2, 6}).fill({6, 0, 8, 6}).fill({0, 6, 8, 7});  // U, clicked on its foot
    sheet.fill({10, 4, 12, 12}).dot(12, 3);                          // reaches the last row
    sheet.dot(14, 0, 0x05000000u);
    EXPECT_EQ(IslandAt(sheet.pixels(), {}, 3, 6), (PixelRect{0, 0, 8, 7}));
    EXPECT_EQ(IslandAt(sheet.pixels(), {}, 7, 0), (PixelRect{0, 0, 8, 7}));
    EXPECT_EQ(IslandAt(sheet.pixels(), {}, 11, 11), (PixelRect{10, 3, 13, 12}));
    EXPECT_EQ(IslandAt(sheet.pixels(), {}, 14, 0), (PixelRect{14, 0, 15, 1}));
    EXPECT_EQ(IslandAt(sheet.pixels(), {1, 5}, 14, 0), std::nullopt);  // under the threshold
    EXPECT_EQ(IslandAt(sheet.pixels(), {}, 4, 3), std::nullopt);       // inside the U
    EXPECT_EQ(IslandAt(sheet.pixels(), {}, 16, 0), std::nullopt);
    EXPECT_EQ(IslandAt(sheet.pixels(), {}, -1, 0), std::nullopt);
}

TEST(IslandSlicingTest, DecodedPixelsArePremultipliedAsTheEditorKeepsThem) {
    DecodedTexture decoded;
    decoded.failure = TextureDecodeFailure::None;
    decoded.width = 3;
    decoded.height = 1;
    decoded.rgba.reset(static_cast<std::uint8_t*>(std::malloc(12)));
    const std::uint8_t rgba[12] = {255, 128, 1, 255, 200, 100, 50, 128, 255, 255, 255, 0};
    std::copy(rgba, rgba + 12, decoded.rgba.get());
    const PremultipliedTexture texture = PremultiplyTexture(decoded);
    EXPECT_EQ(texture.argb, (std::vector<std::uint32_t>{0xffff8001u, 0x80643219u, 0u}));
}

}  // namespace
