// Nine-part buttons in the core: which areas make a set and which do not, what typed values
// are refused and why, and the step that replaces an area by its pieces. The pieces at many
// sizes, composed, are tested with the preview (tests/ui/NineSliceCompositionTest.cpp).
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "document/LibraryBuilding.h"
#include "document/NineSlice.h"
#include "document/NineSliceChanges.h"
#include "document/NineSliceInput.h"
#include "document/NineSliceRecognition.h"

namespace {

ResourceArea piece(float x1, float y1, float x2, float y2, float offsetX, float offsetY,
                   float stretchX = 1.f, float stretchY = 1.f) {
    ResourceArea area = areaOf(x1, y1, x2, y2);
    area.offsetX = offsetX;
    area.offsetY = offsetY;
    area.stretchX = stretchX;
    area.stretchY = stretchY;
    return area;
}

// The pieces of a 64 x 32 drawing with margins of 8, at 100 x 40.
std::vector<ResourceArea> nineAreas() {
    NineSliceButton button;
    button.x2 = 64;
    button.y2 = 32;
    button.margins = {8, 8, 8, 8};
    button.width = 100;
    button.height = 40;
    std::vector<ResourceArea> areas;
    for (const NineSlicePiece& p : NineSlicePieces(button)) {
        areas.push_back(p.area);
    }
    return areas;
}

struct RecognitionCase {
    const char* what;
    std::vector<ResourceArea> areas;
    std::size_t selected;
    std::vector<std::size_t> rows;  // empty: no set
    NineSliceMargins margins;
    int width;
    int height;
};

std::vector<ResourceArea> withChange(std::vector<ResourceArea> areas, std::size_t row, float dx1,
                                     float dx2, float dOffsetX, float dOffsetY) {
    areas[row].x1 += dx1;
    areas[row].x2 += dx2;
    areas[row].offsetX += dOffsetX;
    areas[row].offsetY += dOffsetY;
    return areas;
}

TEST(NineSliceRecognition, FindsWholeSetsOnlyAndReadsTheirMarginsAndSize) {
    // A cap, a middle stretched 3 times and a cap, with a label in line over the middle.
    const std::vector<ResourceArea> capsAndLabel = {
        piece(0, 0, 16, 32, 0, 0), piece(16, 0, 48, 32, 16, 0, 3), piece(48, 0, 64, 32, 112, 0),
        piece(192, 0, 256, 32, 32, 0)};
    const std::vector<ResourceArea> nine = nineAreas();
    const std::vector<RecognitionCase> cases = {
        {"caps and a stretched middle", capsAndLabel, 1, {0, 1, 2}, {16, 0, 16, 0}, 128, 32},
        {"a label in line is no cap", capsAndLabel, 3, {}, {}, 0, 0},
        {"nine pieces", nine, 4, {0, 1, 2, 3, 4, 5, 6, 7, 8}, {8, 8, 8, 8}, 100, 40},
        {"a one-pixel gap on the texture", withChange(nine, 2, 1, 1, 0, 0), 2, {}, {}, 0, 0},
        {"a one-pixel gap on the button", withChange(nine, 8, 0, 0, 1, 0), 8, {}, {}, 0, 0},
        {"a piece one pixel lower", withChange(nine, 3, 0, 0, 0, 1), 3, {}, {}, 0, 0},
        {"a one-pixel gap between two pieces",
         {piece(0, 0, 8, 16, 0, 0), piece(9, 0, 20, 16, 8, 0)},
         0,
         {},
         {},
         0,
         0},
        {"a middle mirrored",
         {piece(0, 0, 8, 8, 0, 0), piece(8, 0, 20, 8, 20, 0, -1)},
         0,
         {},
         {},
         0,
         0},
        {"unstretched: the narrower column is the margin",
         {piece(0, 0, 30, 8, 0, 0), piece(30, 0, 40, 8, 30, 0)},
         0,
         {0, 1},
         {0, 0, 10, 0},
         40,
         8},
        {"unstretched and alike: the first is the margin",
         {piece(0, 0, 8, 8, 0, 0), piece(0, 8, 8, 16, 0, 8)},
         1,
         {0, 1},
         {0, 8, 0, 0},
         8,
         16},
        {"the stretched column is the middle",
         {piece(0, 0, 20, 8, 0, 0, 2), piece(20, 0, 28, 8, 40, 0)},
         1,
         {0, 1},
         {0, 0, 8, 0},
         48,
         8},
        {"fractional edges are not cut as made",
         {piece(0, 0, 8.5f, 8, 0, 0), piece(8.5f, 0, 20, 8, 8.5f, 0)},
         0,
         {},
         {},
         0,
         0},
    };
    for (const RecognitionCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<NineSliceSet> set = FindNineSliceSet(c.areas, c.selected);
        if (c.rows.empty()) {
            EXPECT_TRUE(!set || set->rows.size() < 9) << set->rows.size();
            if (c.areas.size() < 9) {
                EXPECT_FALSE(set);
            }
            continue;
        }
        ASSERT_TRUE(set);
        EXPECT_EQ(set->rows, c.rows);
        EXPECT_EQ(set->button.margins, c.margins);
        EXPECT_EQ(set->button.width, c.width);
        EXPECT_EQ(set->button.height, c.height);
    }
    // The nine pieces with the label beside them: one set in the resource.
    std::vector<ResourceArea> both = nine;
    both.push_back(capsAndLabel[3]);
    EXPECT_EQ(FindNineSliceSets(both).size(), 1u);
    // The top right corner cut a pixel aside leaves two sets of six, overlapping.
    EXPECT_EQ(FindNineSliceSets(withChange(nine, 2, 1, 1, 0, 0)).size(), 2u);
}

struct InputCase {
    const char* what;
    ResourceArea area;
    NineSliceEntries entries;
    std::vector<std::string> messages;  // empty: accepted
    std::vector<NineSliceField> firstFields;
    std::string note;
};

TEST(NineSliceInput, RefusesWhatCannotBeCutAndSaysWhichValueAndWhy) {
    const ResourceArea face = areaOf(0, 0, 64, 32);
    const std::vector<InputCase> cases = {
        {"the defaults", face, DefaultNineSliceEntries(face), {}, {}, ""},
        {"spaces and a plus sign", face, {" 8", "+8 ", "8", "0", "64", "32"}, {}, {}, ""},
        {"no numbers",
         face,
         {"", "abc", "1.5", "8", "64", "3O"},
         {"Rand links: keine Zahl eingegeben.", "Rand oben: \"abc\" ist keine ganze Zahl.",
          "Rand rechts: \"1.5\" ist keine ganze Zahl.", "Höhe: \"3O\" ist keine ganze Zahl."},
         {NineSliceField::Left},
         ""},
        {"negative values",
         face,
         {"-1", "8", "8", "8", "-64", "32"},
         {"Rand links: -1 ist negativ; Ränder sind 0 oder mehr Pixel breit.",
          "Breite: -64 ist negativ; ein Knopf ist mindestens 1 Pixel breit."},
         {NineSliceField::Left},
         ""},
        {"sizes of 0 and too large",
         face,
         {"8", "8", "8", "8", "0", "16385"},
         {"Breite: 0 ist zu klein; ein Knopf ist mindestens 1 Pixel breit.",
          "Höhe: 16385 ist zu groß; ein Knopf ist höchstens 16384 Pixel hoch."},
         {NineSliceField::Width},
         ""},
        {"margins leaving no middle",
         face,
         {"32", "16", "32", "16", "64", "32"},
         {"Rand links und Rand rechts lassen zusammen (64) keine Mitte übrig: der Bereich ist "
          "64 Pixel breit.",
          "Rand oben und Rand unten lassen zusammen (32) keine Mitte übrig: der Bereich ist 32 "
          "Pixel hoch."},
         {NineSliceField::Left, NineSliceField::Right},
         ""},
        {"a size smaller than the corners",
         face,
         {"8", "8", "20", "4", "27", "11"},
         {"Breite: 27 ist kleiner als Rand links und Rand rechts zusammen (28).",
          "Höhe: 11 ist kleiner als Rand oben und Rand unten zusammen (12)."},
         {NineSliceField::Width},
         ""},
        {"margins beyond any number",
         face,
         {"99999999999", "0", "0", "0", "64", "32"},
         {"Rand links: 99999999999 ist zu groß."},
         {NineSliceField::Left},
         ""},
        {"nothing left to draw",
         face,
         {"0", "0", "0", "0", "64", "32", false},
         {"Mitte zeichnen: ohne Ränder und ohne Mitte bliebe kein Teil übrig."},
         {NineSliceField::Centre},
         ""},
        {"fractional edges: cut rounded, with a note",
         areaOf(0.5f, 0.25f, 64.4f, 31.5f),
         {"8", "8", "8", "8", "64", "32"},
         {},
         {},
         "Der Bereich hat Kanten zwischen ganzen Pixeln; er wird an den gerundeten Kanten 1, 0 "
         "– 64, 32 geschnitten."},
        {"an area without a whole pixel",
         areaOf(3.6f, 0, 4.4f, 32),
         {"0", "8", "0", "8", "64", "32"},
         {"Der Bereich ist auf ganze Pixel gerundet keinen Pixel breit."},
         {NineSliceField::Area},
         "Der Bereich hat Kanten zwischen ganzen Pixeln; er wird an den gerundeten Kanten 4, 0 "
         "– 4, 32 geschnitten."},
        {"an area of no numbers",
         areaOf(0, NAN, 64, 32),
         {"8", "8", "8", "8", "64", "32"},
         {"Der Bereich hat keine gültigen Koordinaten."},
         {NineSliceField::Area},
         ""},
    };
    for (const InputCase& c : cases) {
        SCOPED_TRACE(c.what);
        const NineSliceCheck check = CheckNineSlice(c.area, c.entries);
        std::vector<std::string> messages;
        for (const NineSliceProblem& problem : check.problems) {
            messages.push_back(problem.message);
        }
        EXPECT_EQ(messages, c.messages);
        EXPECT_EQ(check.ok(), c.messages.empty());
        EXPECT_EQ(check.note, c.note);
        if (!check.problems.empty()) {
            EXPECT_EQ(check.problems.front().fields, c.firstFields);
        }
    }
    const NineSliceCheck defaults = CheckNineSlice(face, DefaultNineSliceEntries(face));
    ASSERT_TRUE(defaults.ok());
    EXPECT_EQ(defaults.button->margins, (NineSliceMargins{8, 8, 8, 8}));
    EXPECT_EQ(defaults.button->width, 64);

    // A new size for a set is held to the set's own margins.
    const NineSliceSet set = *FindNineSliceSet(nineAreas(), 0);
    EXPECT_EQ(CheckNineSliceResize(set, "15", "x").problems.size(), 2u);
    EXPECT_EQ(CheckNineSliceResize(set, "15", "16").problems.front().message,
              "Breite: 15 ist kleiner als Rand links und Rand rechts zusammen (16).");
    const NineSliceCheck resized = CheckNineSliceResize(set, "16", "16");
    ASSERT_TRUE(resized.ok());
    EXPECT_EQ(resized.button->width, 16);
    EXPECT_EQ(resized.button->margins, set.button.margins);
}

TEST(NineSliceChange, ReplacesTheAreaAtItsPlaceAndTakesItBack) {
    ResourceLibrary library;
    addResource(library, 1000, "Erster");
    addResource(library, 1001, "Knopf");
    std::vector<ResourceArea>& areas = library.resources[1]->areas;
    ResourceArea face = areaOf(0, 0, 64, 32);
    face.offsetX = 4;
    face.stretchX = 2;  // the pieces set their own
    areas = {areaOf(100, 0, 110, 10), face, areaOf(0, 64, 10, 74)};
    const std::vector<ResourceArea> before = areas;
    NineSliceCheck check = CheckNineSlice(face, {"8", "8", "8", "0", "300", "48", false});
    ASSERT_TRUE(check.ok());

    const std::unique_ptr<LibraryChange> change = MakeNineSliceButton(1, 1, face, *check.button);
    change->apply(library);
    const std::vector<NineSlicePiece> pieces = NineSlicePieces(*check.button);
    ASSERT_EQ(pieces.size(), 5u);  // no bottom row, no centre
    ASSERT_EQ(areas.size(), 7u);
    EXPECT_EQ(areas.front(), before[0]);
    EXPECT_EQ(areas.back(), before[2]);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        EXPECT_EQ(areas[1 + i], pieces[i].area);
    }
    EXPECT_EQ(areas[1].offsetX, 4.f);
    EXPECT_EQ(areas[3].offsetX, 4.f + 300 - 8);  // top right
    EXPECT_TRUE(library.resources[0]->areas.empty());

    change->revert(library);
    EXPECT_EQ(areas, before);
    change->apply(library);
    EXPECT_EQ(areas.size(), 7u);
}

}  // namespace
