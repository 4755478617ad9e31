#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "document/AreaArrangement.h"
#include "document/CanvasGeometry.h"

// Found by GoogleTest next to EdgeRect, to print a rectangle that differs.
void PrintTo(const EdgeRect& r, std::ostream* out) {
    *out << "(" << r.x1 << ", " << r.y1 << " - " << r.x2 << ", " << r.y2 << ")";
}

namespace {

const SnapTargets kNoSnap;

TEST(CanvasGeometryTest, ThePixelUnderThePointerIsTheFloorAtEveryZoom) {
    struct Case {
        double position, origin, zoom;
        int pixel;
    };
    for (const Case& c : std::vector<Case>{{10.0, 10.0, 1.0, 0},
                                           {10.99, 10.0, 1.0, 0},
                                           {9.5, 10.0, 1.0, -1},  // left of 0
                                           {11.0, 10.0, 0.5, 2},
                                           {10.49, 10.0, 0.5, 0},
                                           {13.99, 10.0, 4.0, 0},
                                           {14.0, 10.0, 4.0, 1},
                                           {6.5, 10.0, 4.0, -1},
                                           {10.3, 10.3, 3.0, 0}}) {
        EXPECT_EQ(PixelUnder(c.position, c.origin, c.zoom), c.pixel)
            << c.position << " from " << c.origin << " at " << c.zoom;
    }
}

TEST(CanvasGeometryTest, TwoPressedPixelsGiveTheSameEdgesInEveryDirection) {
    const EdgeRect expected{2, 3, 6, 8};
    EXPECT_EQ(RectFromPixels(2, 3, 5, 7), expected);
    EXPECT_EQ(RectFromPixels(5, 7, 2, 3), expected);
    EXPECT_EQ(RectFromPixels(5, 3, 2, 7), expected);
    EXPECT_EQ(RectFromPixels(2, 7, 5, 3), expected);
    EXPECT_EQ(RectFromPixels(4, 4, 4, 4), (EdgeRect{4, 4, 5, 5}));  // one click, one pixel
}

// The same screen distances grab the same parts at every zoom.
TEST(CanvasGeometryTest, HandlesAndEdgesAreGrabbedWithinScreenPixels) {
    const EdgeRect area{20, 20, 60, 40};
    struct Case {
        double screenX, screenY;  // from the area's upper left corner
        Grip grip;
    };
    for (const double zoom : {0.5, 1.0, 4.0}) {
        const double w = area.width() * zoom;
        const double h = area.height() * zoom;
        for (const Case& c : std::vector<Case>{
                 {0, 0, {kGripLeft | kGripTop, false}},
                 {-4, -4, {kGripLeft | kGripTop, false}},
                 {w + 3, h - 3, {kGripRight | kGripBottom, false}},
                 {w / 2, -2, {kGripTop, false}},
                 {w + 2, h / 2, {kGripRight, false}},
                 {w / 2 + 5, h + 3, {kGripBottom, false}},  // the edge, off its handle
                 {w / 2 + 5, h + 5, {0, false}},            // beyond its reach
                 {-5, -5, {0, false}},
                 {w / 2 + 5, h / 2, {0, true}},
             }) {
            const double x = area.x1 + c.screenX / zoom;
            const double y = area.y1 + c.screenY / zoom;
            EXPECT_EQ(GripAt(area, x, y, zoom), c.grip)
                << "zoom " << zoom << " at " << c.screenX << ", " << c.screenY;
        }
    }
    // A reversed rectangle from a file is grabbed as the one it covers.
    EXPECT_EQ(GripAt({60, 40, 20, 20}, 20, 20, 1.0), (Grip{kGripLeft | kGripTop, false}));
    // A click picks what covers the texture point: at 1:1 the leftmost pixel column starts
    // exactly on x1.
    EXPECT_TRUE(area.contains(20, 30));
    EXPECT_FALSE(area.contains(19.99, 30));
}

TEST(CanvasGeometryTest, MovingKeepsTheSizeAndSnapsWithinSixScreenPixels) {
    const EdgeRect area{10, 10, 20, 15};
    EXPECT_EQ(MovedRect(area, 3.4, -2.6, kNoSnap).rect, (EdgeRect{13, 7, 23, 12}));
    EXPECT_EQ(MovedRect({10.5, 10, 20.5, 15}, 1, 0, kNoSnap).rect.width(), 10);
    for (const double zoom : {0.5, 1.0, 4.0}) {
        SnapTargets snap{{40}, {}, kSnapReach / zoom};
        // The right edge ends 6 screen pixels before the neighbour's edge at 40, then 7.
        const GestureResult near = MovedRect(area, 20 - 6 / zoom, 0, snap);
        EXPECT_EQ(near.rect, (EdgeRect{30, 10, 40, 15})) << zoom;
        EXPECT_EQ(near.guideX, 40.0);
        const GestureResult far = MovedRect(area, 20 - 7 / zoom, 0, snap);
        EXPECT_FALSE(far.guideX) << zoom;
        EXPECT_NE(far.rect.x2, 40) << zoom;
        EXPECT_EQ(far.rect.width(), 10);
    }
    // Of two edges in reach, the nearer one wins.
    SnapTargets snap{{0, 23}, {}, 3};
    EXPECT_EQ(MovedRect(area, -8, 0, snap).rect, (EdgeRect{0, 10, 10, 15}));
    EXPECT_EQ(MovedRect(area, 2.5, 0, snap).rect, (EdgeRect{13, 10, 23, 15}));
}

TEST(CanvasGeometryTest, EachGripResizesItsOwnEdgesAndFlipsPastTheOppositeOne) {
    const EdgeRect area{10, 10, 20, 20};
    struct Case {
        unsigned edges;
        double dx, dy;
        EdgeRect expected;
    };
    for (const Case& c : std::vector<Case>{
             {kGripLeft | kGripTop, 2, 3, {12, 13, 20, 20}},
             {kGripRight | kGripTop, 2, 3, {10, 13, 22, 20}},
             {kGripLeft | kGripBottom, 2, 3, {12, 10, 20, 23}},
             {kGripRight | kGripBottom, 2.4, 2.6, {10, 10, 22, 23}},
             {kGripLeft, 2, 3, {12, 10, 20, 20}},
             {kGripRight, 2, 3, {10, 10, 22, 20}},
             {kGripTop, 2, 3, {10, 13, 20, 20}},
             {kGripBottom, 2, 3, {10, 10, 20, 23}},
             {kGripRight, -15, 0, {5, 10, 10, 20}},             // flipped
             {kGripLeft | kGripTop, 14, 13, {20, 20, 24, 23}},  // flipped both ways
             {kGripRight, -10, 0, {10, 10, 11, 20}},            // never narrower than 1
             {kGripLeft, 10, 0, {19, 10, 20, 20}},
         }) {
        EXPECT_EQ(ResizedRect(area, c.edges, c.dx, c.dy, false, kNoSnap).rect, c.expected)
            << c.edges << " by " << c.dx << ", " << c.dy;
    }
    SnapTargets snap{{25}, {}, 6};
    const GestureResult snapped = ResizedRect(area, kGripRight, 1, 0, false, snap);
    EXPECT_EQ(snapped.rect.x2, 25);
    EXPECT_EQ(snapped.guideX, 25.0);
}

TEST(CanvasGeometryTest, ShiftKeepsTheAspectRatio) {
    const EdgeRect area{0, 0, 20, 10};
    // A corner follows the larger of the two movements.
    EXPECT_EQ(ResizedRect(area, kGripRight | kGripBottom, 20, 2, true, kNoSnap).rect,
              (EdgeRect{0, 0, 40, 20}));
    EXPECT_EQ(ResizedRect(area, kGripRight | kGripBottom, 2, 10, true, kNoSnap).rect,
              (EdgeRect{0, 0, 40, 20}));
    EXPECT_EQ(ResizedRect(area, kGripLeft | kGripTop, 30, 15, true, kNoSnap).rect,
              (EdgeRect{20, 10, 30, 15}));  // flipped, half size
    // An edge: the other side grows about its centre.
    EXPECT_EQ(ResizedRect(area, kGripRight, 20, 0, true, kNoSnap).rect, (EdgeRect{0, -5, 40, 15}));
    // At the texture's border (64 x 32, its edges in snapping reach) the ratio still holds.
    const GestureResult atBorder =
        ResizedRect(area, kGripRight | kGripBottom, 42, 2, true, {{0, 64}, {0, 32}, 6});
    EXPECT_EQ(atBorder.rect, (EdgeRect{0, 0, 62, 31}));
    EXPECT_FALSE(atBorder.guideX || atBorder.guideY);
}

TEST(CanvasGeometryTest, DrawingCoversBothPixelsIsClampedAndSquaredWithShift) {
    EXPECT_EQ(CreatedRect(5, 5, 9.9, 2.1, false, 64, 64, kNoSnap).rect, (EdgeRect{5, 2, 10, 6}));
    EXPECT_EQ(CreatedRect(5, 5, -30, 100, false, 64, 64, kNoSnap).rect, (EdgeRect{0, 5, 6, 64}));
    EXPECT_EQ(CreatedRect(5, 5, 12.5, 7.5, true, 64, 64, kNoSnap).rect, (EdgeRect{5, 5, 13, 13}));
    EXPECT_EQ(CreatedRect(5, 5, 2, 7.5, true, 64, 64, kNoSnap).rect, (EdgeRect{2, 5, 6, 9}));
    EXPECT_EQ(CreatedRect(5, 5, 0, 0, true, 64, 64, kNoSnap).rect, (EdgeRect{0, 0, 6, 6}));
    // Square up to the border it meets first.
    EXPECT_EQ(CreatedRect(60, 5, 80, 40, true, 64, 64, kNoSnap).rect, (EdgeRect{60, 5, 64, 9}));
    // The following edges snap; the pressed pixel stays covered.
    SnapTargets snap{{12, 5}, {20}, 3};
    const GestureResult snapped = CreatedRect(6, 6, 10.2, 18.5, false, 64, 64, snap);
    EXPECT_EQ(snapped.rect, (EdgeRect{6, 6, 12, 20}));
    EXPECT_EQ(snapped.guideX, 12.0);
    EXPECT_EQ(snapped.guideY, 20.0);
    EXPECT_EQ(CreatedRect(6, 6, 6.5, 6.5, false, 64, 64, snap).rect, (EdgeRect{6, 6, 7, 7}));
}

// A 32 x 16 texture, transparent black but for a box of pixels from (5, 3) to (20, 11) that
// is opaque in its corners only and dark red inside.
class TrimTest : public ::testing::Test {
protected:
    TrimTest() : pixels(32 * 16, 0u) {
        for (int y = 3; y < 11; ++y) {
            for (int x = 5; x < 20; ++x) {
                set(x, y, 0x00200000u);  // coloured, fully transparent
            }
        }
        for (const auto& [x, y] : {std::pair{5, 3}, {19, 3}, {5, 10}, {19, 10}}) {
            set(x, y, 0x01000000u);  // barely opaque, black
        }
    }
    void set(int x, int y, std::uint32_t value) {
        pixels[static_cast<std::size_t>(y * 32 + x)] = value;
    }
    TexturePixels texture() const { return {pixels.data(), 32, 16, 32}; }

    std::vector<std::uint32_t> pixels;
};

TEST_F(TrimTest, KeepsEveryPixelThatShowsWithTheBlendType) {
    const TrimResult transparent = TrimmedRect({0, 0, 32, 16}, texture(), 1);
    EXPECT_EQ(transparent.outcome, TrimOutcome::Trimmed);
    EXPECT_EQ(transparent.rect, (EdgeRect{5, 3, 20, 11}));
    // Additive shows colour, not alpha: the corners are black, the inside is not.
    const TrimResult additive = TrimmedRect({0, 0, 32, 16}, texture(), 2);
    EXPECT_EQ(additive.rect, (EdgeRect{5, 3, 20, 11}));
    set(5, 3, 0);
    set(19, 10, 0);
    EXPECT_EQ(TrimmedRect({0, 0, 32, 16}, texture(), 1).rect, (EdgeRect{5, 3, 20, 11}));
    // Reversed and fractional edges cover the pixels they touch.
    EXPECT_EQ(TrimmedRect({18.5, 12, 6.5, 2}, texture(), 2).rect, (EdgeRect{6, 3, 19, 11}));

    EXPECT_EQ(TrimmedRect({5, 3, 20, 11}, texture(), 2).outcome, TrimOutcome::Unchanged);
    EXPECT_EQ(TrimmedRect({0, 0, 32, 16}, texture(), 0).outcome, TrimOutcome::Unchanged);
    EXPECT_EQ(TrimmedRect({20, 0, 32, 16}, texture(), 1).outcome, TrimOutcome::NothingShows);
    EXPECT_EQ(TrimmedRect({40, 0, 50, 16}, texture(), 1).outcome, TrimOutcome::NothingShows);
}

}  // namespace

// Lining up and spacing out: whole pixels, a centre between two pixels going left (up), the
// extremes staying, gaps that cannot be equal differing by one, the larger ones first.
TEST(AreaArrangementTest, AlignsToTheBoundingBoxAndDistributesWithEqualGaps) {
    struct Case {
        const char* name;
        std::vector<EdgeRect> rects;
        std::function<std::vector<Shift>(const std::vector<EdgeRect>&)> arrange;
        std::vector<Shift> shifts;
    };
    const auto align = [](Alignment how) {
        return [how](const std::vector<EdgeRect>& rects) { return AlignmentShifts(rects, how); };
    };
    const auto distribute = [](Axis axis) {
        return
            [axis](const std::vector<EdgeRect>& rects) { return DistributionShifts(rects, axis); };
    };
    const std::vector<Case> cases{
        {"right", {{0, 0, 10, 5}, {20, 0, 25, 5}}, align(Alignment::Right), {{15, 0}, {0, 0}}},
        {"centre between two pixels",
         {{0, 0, 10, 5}, {0, 10, 3, 15}},
         align(Alignment::HorizontalCentre),
         {{0, 0}, {3, 0}}},
        {"top, given upside down",
         {{0, 20, 5, 10}, {0, 5, 5, 8}},
         align(Alignment::Top),
         {{0, -5}, {0, 0}}},
        // 0 - 40 holds widths of 10, 5, 5 and 10 and gaps of 4, 3, 3; order by left edge.
        {"uneven gaps",
         {{30, 0, 40, 5}, {2, 0, 7, 5}, {0, 0, 10, 5}, {11, 0, 16, 5}},
         distribute(Axis::Horizontal),
         {{0, 0}, {12, 0}, {0, 0}, {11, 0}}},
        {"vertically",
         {{0, 0, 5, 4}, {0, 30, 5, 34}, {0, 5, 5, 9}},
         distribute(Axis::Vertical),
         {{0, 0}, {0, 0}, {0, 10}}},
        {"two stay", {{0, 0, 5, 5}, {9, 0, 12, 5}}, distribute(Axis::Horizontal), {{0, 0}, {0, 0}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.arrange(c.rects), c.shifts) << c.name;
    }
}
