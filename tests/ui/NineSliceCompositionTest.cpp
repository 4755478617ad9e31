// Nine-part buttons composed by the editor's own composition: at every size in the table the
// pieces cover each pixel of the button exactly once, with the source's corners unchanged,
// and the set is found again in any order and resized as one step.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "document/LibraryBuilding.h"
#include "document/NineSlice.h"
#include "document/NineSliceChanges.h"
#include "document/NineSliceInput.h"
#include "document/NineSliceRecognition.h"
#include "ui/texture_editor/ButtonComposition.h"

namespace {

struct SliceCase {
    const char* what;
    ResourceArea area;
    NineSliceMargins margins;
    bool centre;
    int width;
    int height;
    std::size_t pieces;
    int resizedWidth;  // 0: not recognised as a set
    int resizedHeight;
};

ResourceArea placedAt(ResourceArea area, float x, float y) {
    area.offsetX = x;
    area.offsetY = y;
    return area;
}

const std::vector<SliceCase> kCases = {
    {"the green face", areaOf(0, 0, 64, 32), {8, 8, 8, 8}, true, 300, 48, 9, 180, 40},
    {"odd sizes and margins, no centre",
     areaOf(3, 5, 40, 27),
     {5, 4, 6, 3},
     false,
     101,
     33,
     8,
     64,
     25},
    {"no left margin", areaOf(0, 0, 20, 20), {0, 3, 4, 5}, true, 51, 40, 6, 20, 9},
    {"no top margin", areaOf(20, 0, 40, 21), {3, 0, 4, 5}, true, 50, 41, 6, 8, 6},
    {"no right margin", areaOf(40, 0, 60, 20), {3, 3, 0, 5}, true, 33, 17, 6, 3, 8},
    {"no bottom margin", areaOf(60, 0, 80, 20), {3, 3, 4, 0}, false, 34, 16, 5, 70, 3},
    {"width exactly both side margins",
     areaOf(16, 8, 40, 24),
     {7, 3, 9, 4},
     true,
     16,
     31,
     9,
     30,
     7},
    {"height exactly top and bottom, narrower than drawn",
     areaOf(0, 32, 64, 64),
     {8, 8, 8, 8},
     true,
     20,
     16,
     9,
     64,
     32},
    {"a third and two thirds, which round up as floats",
     areaOf(0, 0, 19, 19),
     {8, 8, 8, 8},
     true,
     17,
     18,
     9,
     1000,
     999},
    {"placed at the area's own offset",
     placedAt(areaOf(32, 32, 96, 64), 5, -3),
     {10, 6, 12, 6},
     true,
     99,
     20,
     9,
     64,
     33},
    {"no margins: one stretched piece", areaOf(0, 0, 10, 6), {0, 0, 0, 0}, true, 25, 9, 1, 0, 0},
    {"side caps alone", areaOf(0, 32, 64, 64), {16, 0, 16, 0}, false, 100, 32, 2, 0, 0},
};

// Every texture pixel its own opaque colour, so that a misplaced pixel shows.
QImage numberedTexture() {
    QImage image(128, 96, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, qRgb(x * 2, y * 2, (x + y) % 256));
        }
    }
    return image;
}

std::vector<ResourceArea> areasOf(const std::vector<NineSlicePiece>& pieces) {
    std::vector<ResourceArea> areas;
    for (const NineSlicePiece& piece : pieces) {
        areas.push_back(piece.area);
    }
    return areas;
}

bool isCorner(NinePart part) {
    return part == NinePart::TopLeft || part == NinePart::TopRight ||
           part == NinePart::BottomLeft || part == NinePart::BottomRight;
}

// The largest float that, times length, stays within placed.
bool isTightStretch(float stretch, int length, int placed) {
    const float next = std::nextafter(stretch, 2.f * stretch + 1.f);
    return static_cast<double>(stretch) * length <= placed &&
           static_cast<double>(next) * length > placed;
}

TEST(NineSliceComposition, EveryPixelOnceCornersUnchangedFoundAgainAndResized) {
    const QImage texture = numberedTexture();
    const auto textureOf = [&](std::int32_t) { return BlendTexture(texture, 1); };
    std::mt19937 shuffler(28);
    for (const SliceCase& c : kCases) {
        SCOPED_TRACE(c.what);
        const NineSliceMargins& m = c.margins;
        const NineSliceCheck check =
            CheckNineSlice(c.area, {std::to_string(m.left), std::to_string(m.top),
                                    std::to_string(m.right), std::to_string(m.bottom),
                                    std::to_string(c.width), std::to_string(c.height), c.centre});
        ASSERT_TRUE(check.ok()) << check.problems.front().message;
        const NineSliceButton& button = *check.button;
        const std::vector<NineSlicePiece> pieces = NineSlicePieces(button);
        ASSERT_EQ(pieces.size(), c.pieces);

        // The pieces in list order; the margins unstretched, the middles stretched as far as
        // floats go without passing their edge.
        const int middleWidth = static_cast<int>(c.area.width()) - m.left - m.right;
        const int middleHeight = static_cast<int>(c.area.height()) - m.top - m.bottom;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const int part = static_cast<int>(pieces[i].part);
            if (i > 0) {
                EXPECT_LT(static_cast<int>(pieces[i - 1].part), part);
            }
            const ResourceArea& area = pieces[i].area;
            EXPECT_EQ(area.textureId, c.area.textureId);
            if (part % 3 == 1) {
                EXPECT_TRUE(isTightStretch(area.stretchX, middleWidth, c.width - m.left - m.right))
                    << area.stretchX;
            } else {
                EXPECT_EQ(area.stretchX, 1.f);
            }
            if (part / 3 == 1) {
                EXPECT_TRUE(
                    isTightStretch(area.stretchY, middleHeight, c.height - m.top - m.bottom))
                    << area.stretchY;
            } else {
                EXPECT_EQ(area.stretchY, 1.f);
            }
        }

        // Cut: each source pixel in one piece (none where the centre is left out).
        for (int y = static_cast<int>(c.area.y1); y < c.area.y2; ++y) {
            for (int x = static_cast<int>(c.area.x1); x < c.area.x2; ++x) {
                const bool inCentre = x >= c.area.x1 + m.left && x < c.area.x2 - m.right &&
                                      y >= c.area.y1 + m.top && y < c.area.y2 - m.bottom;
                const auto holders = std::count_if(pieces.begin(), pieces.end(), [&](auto& p) {
                    return x >= p.area.x1 && x < p.area.x2 && y >= p.area.y1 && y < p.area.y2;
                });
                ASSERT_EQ(holders, inCentre && !c.centre ? 0 : 1) << x << ", " << y;
            }
        }

        // Placed and composed: exactly width x height at the area's offset, each pixel centre
        // in one placed piece and opaque exactly there.
        const std::vector<ResourceArea> areas = areasOf(pieces);
        const ButtonComposition composed = ComposeButton(areas, textureOf);
        ASSERT_EQ(composed.image.size(), QSize(c.width, c.height));
        ASSERT_EQ(composed.topLeft,
                  QPoint(static_cast<int>(c.area.offsetX), static_cast<int>(c.area.offsetY)));
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                const QPointF centre = QPointF(composed.topLeft) + QPointF(x + 0.5, y + 0.5);
                const bool inCentre =
                    x >= m.left && x < c.width - m.right && y >= m.top && y < c.height - m.bottom;
                const auto holders = std::count_if(areas.begin(), areas.end(), [&](auto& a) {
                    return PlacedRect(a).contains(centre);
                });
                const int expected = inCentre && !c.centre ? 0 : 1;
                ASSERT_EQ(holders, expected) << x << ", " << y;
                ASSERT_EQ(qAlpha(composed.image.pixel(x, y)), expected * 255) << x << ", " << y;
            }
        }
        for (const NineSlicePiece& piece : pieces) {
            if (!isCorner(piece.part)) {
                continue;
            }
            const ResourceArea& a = piece.area;
            for (int y = 0; y < a.height(); ++y) {
                for (int x = 0; x < a.width(); ++x) {
                    const QPoint at(static_cast<int>(a.offsetX) - composed.topLeft.x() + x,
                                    static_cast<int>(a.offsetY) - composed.topLeft.y() + y);
                    ASSERT_EQ(composed.image.pixel(at),
                              texture.pixel(static_cast<int>(a.x1) + x, static_cast<int>(a.y1) + y))
                        << static_cast<int>(piece.part) << ": " << x << ", " << y;
                }
            }
        }

        // Found again from each piece among shuffled areas and others on the texture, and
        // resized: the set's rows take the pieces of the new size, the others stay.
        ResourceLibrary library;
        addResource(library, 1000, "Knopf");
        std::vector<ResourceArea>& list = library.resources[0]->areas;
        list = areas;
        list.push_back(areaOf(100, 0, 128, 20));  // elsewhere on the texture
        list.push_back(areaOf(c.area.x1, c.area.y1, c.area.x2, c.area.y2, 7));  // another
        std::shuffle(list.begin(), list.end(), shuffler);
        const std::vector<ResourceArea> shuffled = list;
        for (std::size_t row = 0; row < list.size(); ++row) {
            const bool member = std::find(areas.begin(), areas.end(), list[row]) != areas.end();
            const std::optional<NineSliceSet> set = FindNineSliceSet(list, row);
            if (!member || c.resizedWidth == 0) {
                EXPECT_FALSE(set) << row;
                continue;
            }
            ASSERT_TRUE(set) << row;
            EXPECT_EQ(set->button, button);
            ASSERT_EQ(set->rows.size(), pieces.size());
            for (std::size_t i = 0; i < pieces.size(); ++i) {
                EXPECT_EQ(list[set->rows[i]], pieces[i].area);
            }
        }
        if (c.resizedWidth == 0) {
            continue;
        }
        const auto first = std::find(list.begin(), list.end(), pieces.front().area);
        const NineSliceSet set = *FindNineSliceSet(list, first - list.begin());
        NineSliceButton resized = button;
        resized.width = c.resizedWidth;
        resized.height = c.resizedHeight;
        const std::vector<NineSlicePiece> resizedPieces = NineSlicePieces(resized);
        const std::unique_ptr<LibraryChange> change =
            ResizeNineSliceButton(0, list, set, c.resizedWidth, c.resizedHeight);
        change->apply(library);
        for (std::size_t row = 0; row < list.size(); ++row) {
            const auto member = std::find(set.rows.begin(), set.rows.end(), row);
            EXPECT_EQ(list[row], member == set.rows.end()
                                     ? shuffled[row]
                                     : resizedPieces[member - set.rows.begin()].area);
        }
        EXPECT_EQ(ComposeButton(areasOf(resizedPieces), textureOf).image.size(),
                  QSize(c.resizedWidth, c.resizedHeight));
        EXPECT_EQ(FindNineSliceSet(list, set.rows.front())->button, resized);
        change->revert(library);
        EXPECT_EQ(list, shuffled);
    }
}

}  // namespace
