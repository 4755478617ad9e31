#include <gtest/gtest.h>

#include <vector>

#include "LibraryBuilding.h"
#include "SlicingSheet.h"
#include "document/SliceApplication.h"
#include "document/SliceOrder.h"

namespace {

TEST(SliceOrderTest, RowsTopDownByCentreThenLeftToRight) {
    const PixelRect a{50, 0, 60, 10};   // centre 5, starts the first row
    const PixelRect b{0, 3, 10, 9};     // centre 6: joins; the row's smallest height is now 6
    const PixelRect c{20, 4, 30, 14};   // centre 9: more than 3 from 5, starts the next row
    const PixelRect d{5, 8, 15, 12};    // centre 10: joins c's row
    const PixelRect e{0, 20, 4, 24};    // centre 22: the third row, smallest height 4
    const PixelRect g{20, 22, 24, 26};  // centre 24: exactly half of 4 from 22, joins
    const PixelRect f{9, 24, 13, 28};   // centre 26: one more, the fourth row
    EXPECT_EQ(InReadingOrder({g, f, e, d, c, b, a}), (std::vector{b, a, d, c, e, g, f}));
}

class SliceApplicationTest : public ::testing::Test {
protected:
    SliceApplicationTest() {
        addResource(library, 1000, "SHEET");
        areas() = {areaOf(0, 0, 16, 16, 0), areaOf(0, 0, 8, 8, 1), areaOf(48, 16, 32, 0, 0)};
    }
    std::vector<ResourceArea>& areas() { return library.resources[0]->areas; }

    ResourceLibrary library;
    // On texture 0: one on the first area, one touching it, one on the third (its edges
    // reversed), one free.
    const std::vector<PixelRect> candidates{
        {0, 0, 16, 16}, {16, 0, 32, 16}, {40, 8, 56, 24}, {0, 16, 16, 32}};
};

TEST_F(SliceApplicationTest, KeepingLeavesOutCandidatesOverExistingAreas) {
    const std::vector<ResourceArea> before = areas();
    const SlicePlan plan = PlanSlice(library, 0, 0, candidates, ExistingAreas::KeepAndAdd);
    EXPECT_EQ(plan.leftOut, (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(plan.removed, 0u);
    EXPECT_EQ(plan.firstNewRow, 3u);
    EXPECT_EQ(plan.note, "2 überlappen vorhandene Bereiche und werden ausgelassen.");
    EXPECT_EQ(areas(), before);  // a plan changes nothing

    plan.change->apply(library);
    std::vector<ResourceArea> expected = before;
    expected.push_back(areaOf(16, 0, 32, 16, 0));
    expected.push_back(areaOf(0, 16, 16, 32, 0));
    EXPECT_EQ(areas(), expected);
    EXPECT_EQ(plan.added, std::vector(expected.begin() + 3, expected.end()));
    plan.change->revert(library);
    EXPECT_EQ(areas(), before);
}

TEST_F(SliceApplicationTest, ReplacingRemovesTheAreasOnThatTextureOnly) {
    const std::vector<ResourceArea> before = areas();
    const SlicePlan plan = PlanSlice(library, 0, 0, candidates, ExistingAreas::Replace);
    EXPECT_TRUE(plan.leftOut.empty());
    EXPECT_EQ(plan.removed, 2u);
    EXPECT_EQ(plan.firstNewRow, 1u);
    EXPECT_EQ(plan.note, "2 vorhandene Bereiche dieser Textur werden ersetzt.");

    plan.change->apply(library);
    ASSERT_EQ(areas().size(), 5u);
    EXPECT_EQ(areas()[0], before[1]);
    for (std::size_t at = 0; at < candidates.size(); ++at) {
        const PixelRect& c = candidates[at];
        EXPECT_EQ(areas()[1 + at], areaOf(c.x1, c.y1, c.x2, c.y2, 0));
    }
    plan.change->revert(library);
    EXPECT_EQ(areas(), before);

    // Areas on another texture are no reason to leave a candidate out.
    const SlicePlan onOther = PlanSlice(library, 0, 1, candidates, ExistingAreas::KeepAndAdd);
    EXPECT_EQ(onOther.leftOut, (std::vector<std::size_t>{0}));
    EXPECT_EQ(onOther.note, "1 überlappt einen vorhandenen Bereich und wird ausgelassen.");
}

TEST_F(SliceApplicationTest, NothingToAddMakesNoStep) {
    const SlicePlan covered =
        PlanSlice(library, 0, 0, {candidates[0], candidates[2]}, ExistingAreas::KeepAndAdd);
    EXPECT_EQ(covered.change, nullptr);
    EXPECT_EQ(covered.note,
              "Alle überlappen vorhandene Bereiche dieser Textur: es käme kein Bereich hinzu.");
    const SlicePlan none = PlanSlice(library, 0, 0, {}, ExistingAreas::Replace);
    EXPECT_EQ(none.change, nullptr);
    EXPECT_EQ(none.note, "Es gibt keine Bereiche zum Übernehmen.");
}

}  // namespace
