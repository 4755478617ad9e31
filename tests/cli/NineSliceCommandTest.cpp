// tolvane-cli nineslice gives the library the editor's steps would give it, and refuses, with
// the reason and without touching the file, what the editor's panel would not accept.
#include <gtest/gtest.h>

#include "CliRun.h"
#include "document/LibraryBuilding.h"
#include "document/NineSliceChanges.h"
#include "document/NineSliceInput.h"
#include "document/NineSliceRecognition.h"
#include "library/LibraryFile.h"
#include "support/TemporaryFolder.h"

namespace {

ResourceArea placed(ResourceArea area, float offsetX, float stretchX = 1.f) {
    area.offsetX = offsetX;
    area.stretchX = stretchX;
    return area;
}

// Resource 1000 holds a face between two others, 1001 two sets of caps and a middle.
void fill(ResourceLibrary& library) {
    addTexture(library, "knoepfe.png");
    addResource(library, 1000, "Start");
    library.resources[0]->areas = {areaOf(100, 0, 110, 10), placed(areaOf(0, 0, 64, 32), 4),
                                   areaOf(0, 64, 10, 74)};
    addResource(library, 1001, "Zwei");
    for (const float y : {0.f, 32.f}) {
        for (const ResourceArea& area :
             {placed(areaOf(0, y, 16, y + 32), 0), placed(areaOf(16, y, 48, y + 32), 16, 3),
              placed(areaOf(48, y, 64, y + 32), 112)}) {
            library.resources[1]->areas.push_back(area);
            library.resources[1]->areas.back().offsetY = y * 2;
        }
    }
}

std::vector<ResourceArea> areasIn(const std::string& path, std::size_t resource) {
    ResourceLibrary library;
    EXPECT_EQ(loadLibraryFile(path, library), S_OK);
    return library.resources.at(resource)->areas;
}

class NineSliceCommand : public ::testing::Test {
protected:
    void SetUp() override {
        ResourceLibrary library;
        fill(library);
        ASSERT_EQ(saveLibraryFile(input, library), S_OK);
        inputBytes = readFileBytes(input);
    }

    TemporaryFolder folder;
    const std::string input = folder.file("Knoepfe.gui");
    std::string inputBytes;
};

TEST_F(NineSliceCommand, MakesAndResizesAsTheEditorsStepsDo) {
    ResourceLibrary expected;
    fill(expected);
    const ResourceArea face = expected.resources[0]->areas[1];
    const NineSliceCheck check = CheckNineSlice(face, {"8", "8", "8", "0", "300", "48", false});
    ASSERT_TRUE(check.ok());
    MakeNineSliceButton(0, 1, face, *check.button)->apply(expected);

    const std::string out = folder.file("out.gui");
    CliResult result = runCli({"nineslice", input, "--resource", "1000", "--area", "1", "--margins",
                               "8,8,8,0", "--size", "300x48", "--no-centre", "-o", out});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(readFileBytes(input), inputBytes);
    EXPECT_EQ(areasIn(out, 0), expected.resources[0]->areas);
    EXPECT_EQ(areasIn(out, 1), expected.resources[1]->areas);

    // In place, the resource's only set found without --area.
    const std::vector<ResourceArea>& areas = expected.resources[0]->areas;
    ResizeNineSliceButton(0, areas, *FindNineSliceSet(areas, 1), 180, 40)->apply(expected);
    result = runCli({"nineslice", out, "--resource", "1000", "--resize", "180x40"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(areasIn(out, 0), expected.resources[0]->areas);

    // A set chosen by one of its areas, written to standard output.
    result = runCli(
        {"nineslice", input, "--resource", "1001", "--area", "4", "--resize", "200x32", "-o", "-"});
    EXPECT_EQ(result.exitStatus, 0);
    writeFileBytes(out, result.out);
    const std::vector<ResourceArea> resized = areasIn(out, 1);
    EXPECT_EQ(resized[4].stretchX, 5.25f);
    EXPECT_EQ(resized[5].offsetX, 184.f);
    EXPECT_EQ(resized[1], expected.resources[1]->areas[1]);  // the other set stays
    EXPECT_EQ(readFileBytes(input), inputBytes);
}

TEST_F(NineSliceCommand, RefusesWithTheReasonAndLeavesTheLibrary) {
    const std::string prefix = "tolvane-cli: nineslice: ";
    const std::string usage = " (tolvane-cli --help zeigt den Aufruf)\n";
    struct Refusal {
        std::vector<std::string> options;
        int exitStatus;
        std::string err;
    };
    const std::vector<Refusal> refusals = {
        {{"--resource", "1000", "--area", "1", "--margins", "40,8,30,8", "--size", "60x4"},
         64,
         prefix +
             "Rand links und Rand rechts lassen zusammen (70) keine Mitte übrig: der Bereich "
             "ist 64 Pixel breit.\n" +
             prefix + "Breite: 60 ist kleiner als Rand links und Rand rechts zusammen (70).\n" +
             prefix + "Höhe: 4 ist kleiner als Rand oben und Rand unten zusammen (16).\n"},
        {{"--resource", "1000", "--area", "1", "--margins", "8,8,8", "--size", "60x40"},
         64,
         prefix + "--margins erwartet vier Ränder L,T,R,B" + usage},
        {{"--resource", "1000", "--area", "1", "--margins", "8,8,8,8"},
         64,
         prefix + "ohne --resize braucht es --area, --margins und --size" + usage},
        {{"--resource", "1000", "--resize", "60x40", "--size", "60x40"},
         64,
         prefix + "--resize steht ohne --margins, --size und --no-centre" + usage},
        {{"--resource", "1000", "--resource", "1001", "--resize", "60x40"},
         64,
         prefix + "--resource ist doppelt angegeben" + usage},
        {{"--resource", "1009", "--area", "1", "--margins", "8,8,8,8", "--size", "60x40"},
         64,
         cliFailure(input, "keine Ressource hat die Id 1009")},
        {{"--resource", "1000", "--area", "3", "--margins", "8,8,8,8", "--size", "60x40"},
         64,
         cliFailure(input, "Ressource 1000 hat keinen Bereich 3, nur 0 bis 2")},
        {{"--resource", "1000", "--resize", "60x40"},
         64,
         cliFailure(input, "Ressource 1000 hat keinen neunteiligen Knopf")},
        {{"--resource", "1001", "--resize", "60x40"},
         64,
         cliFailure(input, "Ressource 1001 hat 2 neunteilige Knöpfe; --area wählt einen")},
        {{"--resource", "1001", "--area", "2", "--resize", "31x"},
         64,
         prefix + "Höhe: keine Zahl eingegeben.\n" + prefix +
             "Breite: 31 ist kleiner als Rand links und Rand rechts zusammen (32).\n"},
    };
    for (const Refusal& refusal : refusals) {
        std::vector<std::string> arguments = {"nineslice", input};
        arguments.insert(arguments.end(), refusal.options.begin(), refusal.options.end());
        SCOPED_TRACE(testing::PrintToString(arguments));
        const CliResult result = runCli(arguments);
        EXPECT_EQ(result.exitStatus, refusal.exitStatus);
        EXPECT_EQ(result.err, refusal.err);
        EXPECT_EQ(readFileBytes(input), inputBytes);
    }
    const std::string missing = folder.file("fehlt.gui");
    const CliResult result =
        runCli({"nineslice", missing, "--resource", "1000", "--resize", "1x1"});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.err, cliFailure(missing, "Datei nicht gefunden"));
}

}  // namespace
