#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "LibraryBuilding.h"
#include "document/LibraryCheck.h"
#include "support/TemporaryFolder.h"

namespace {

using Lines = std::vector<std::string>;

const std::string kHeading = "*** Objektdaten prüfen ***";

TEST(IdentifierRule, AcceptsCIdentifiersOfAsciiLettersDigitsAndUnderscores) {
    EXPECT_TRUE(IsValidIdentifier("_"));
    EXPECT_TRUE(IsValidIdentifier("a1"));
    EXPECT_TRUE(IsValidIdentifier("StartButton_2"));
    EXPECT_TRUE(IsValidIdentifier("zZ09_"));
}

TEST(IdentifierRule, RejectsEmptyLeadingDigitAndForeignBytes) {
    EXPECT_FALSE(IsValidIdentifier(""));
    EXPECT_FALSE(IsValidIdentifier("1a"));
    EXPECT_FALSE(IsValidIdentifier("Start Button"));
    EXPECT_FALSE(
        IsValidIdentifier("Gr\xF6\xDF"
                          "e"));
    EXPECT_FALSE(IsValidIdentifier("a-b"));
    EXPECT_FALSE(IsValidIdentifier(std::string("a\0b", 3)));
}

TEST(CountResourcesWithId, CountsEveryResourceWithTheIdItselfIncluded) {
    ResourceLibrary library;
    addResource(library, 5, "A");
    addResource(library, 7, "B");
    addResource(library, 5, "C");
    EXPECT_EQ(CountResourcesWithId(library, 5), 2u);
    EXPECT_EQ(CountResourcesWithId(library, 7), 1u);
    EXPECT_EQ(CountResourcesWithId(library, 6), 0u);
}

TEST(FileExists, FindsReadableFilesOnly) {
    const TemporaryFolder folder;
    writeFileBytes(folder.file("a.tga"), "x");
    std::filesystem::create_directory(folder.file("sub"));

    EXPECT_TRUE(FileExists(folder.file("a.tga")));
    EXPECT_FALSE(FileExists(folder.file("b.tga")));
    EXPECT_FALSE(FileExists(folder.file("sub")));
    EXPECT_FALSE(FileExists(""));
}

TEST(FileExists, TakesBackslashesAsSeparators) {
    const TemporaryFolder folder;
    std::filesystem::create_directory(folder.file("tex"));
    writeFileBytes(folder.file("tex/a.tga"), "x");
    EXPECT_TRUE(FileExists(folder.path() + "\\tex\\a.tga"));
}

#ifndef _WIN32  // Windows has no named pipes in its file system
TEST(FileExists, DoesNotWaitOnANamedPipe) {
    const TemporaryFolder folder;
    ASSERT_EQ(::mkfifo(folder.file("pipe").c_str(), 0600), 0);
    EXPECT_TRUE(FileExists(folder.file("pipe")));
}
#endif

TEST(LibraryCheck, ReportsEveryFaultOfTheMenuExample) {
    ResourceLibrary library;
    library.name = "Menu";
    addResource(library, 5, "2Start");
    addResource(library, 5, "Ende");
    addTexture(library, "fehlt\\nirgends.tga");

    const LibraryCheckResult result = CheckLibrary(library);

    EXPECT_EQ(result.lines,
              (Lines{kHeading, "", "Fehler: Ungültiger Bezeichner! 2Start",
                     "Fehler: Mehrfach verwendete Resource-ID! Ressource: 2Start, RessourceId: 5",
                     "Fehler: Mehrfach verwendete Resource-ID! Ressource: Ende, RessourceId: 5",
                     "Fehler: Texturedatei konnte nicht geöffnet werden! Dateiname: "
                     "fehlt\\nirgends.tga",
                     "", "Menu - 4 Fehler, 0 Warnung(en)"}));
    EXPECT_EQ(result.errorCount, 4);
    EXPECT_EQ(result.warningCount, 0);
}

TEST(LibraryCheck, ACleanLibraryGivesFourLines) {
    ResourceLibrary library;
    library.name = "Menu";
    addResource(library, 1000, "StartButton");
    addResource(library, 1001, "Ende");

    const LibraryCheckResult result = CheckLibrary(library);

    EXPECT_EQ(result.lines, (Lines{kHeading, "", "", "Menu - 0 Fehler, 0 Warnung(en)"}));
    EXPECT_EQ(result.errorCount, 0);
}

TEST(LibraryCheck, SummaryOfANamelessLibraryBeginsWithTheSeparator) {
    const ResourceLibrary library;
    EXPECT_EQ(CheckLibrary(library).lines.back(), " - 0 Fehler, 0 Warnung(en)");
}

TEST(LibraryCheck, EveryResourceSharingAnIdGetsALineInListOrder) {
    ResourceLibrary library;
    addResource(library, 3, "A");
    addResource(library, 9, "Alone");
    addResource(library, 3, "B");
    addResource(library, -1, "X");
    addResource(library, 3, "C");
    addResource(library, -1, "Y");

    const LibraryCheckResult result = CheckLibrary(library);

    const std::string prefix = "Fehler: Mehrfach verwendete Resource-ID! Ressource: ";
    EXPECT_EQ(result.lines,
              (Lines{kHeading, "", prefix + "A, RessourceId: 3", prefix + "B, RessourceId: 3",
                     prefix + "X, RessourceId: -1", prefix + "C, RessourceId: 3",
                     prefix + "Y, RessourceId: -1", "", " - 5 Fehler, 0 Warnung(en)"}));
    EXPECT_EQ(result.errorCount, 5);
}

TEST(LibraryCheck, LibraryTextsAreDecodedFromWindows1252) {
    ResourceLibrary library;
    library.name = "M\xFC";
    addResource(library, 1,
                "Gr\xF6\xDF"
                "e");
    addTexture(library, "\xC4rger.tga");

    const LibraryCheckResult result = CheckLibrary(library);

    ASSERT_EQ(result.lines.size(), 6u);
    EXPECT_EQ(result.lines[2], "Fehler: Ungültiger Bezeichner! Größe");
    EXPECT_EQ(result.lines[3],
              "Fehler: Texturedatei konnte nicht geöffnet werden! Dateiname: Ärger.tga");
    EXPECT_EQ(result.lines[5], "Mü - 2 Fehler, 0 Warnung(en)");
}

TEST(LibraryCheckTextures, ResourcePathIsPrefixedWithoutASeparator) {
    const TemporaryFolder folder;
    std::filesystem::create_directories(folder.file("data/tex"));
    writeFileBytes(folder.file("data/tex/a.tga"), "x");
    ResourceLibrary library;
    library.resourcePath = folder.path() + "\\data";
    addTexture(library, "tex\\a.tga");

    EXPECT_EQ(CheckLibrary(library).errorCount, 1);  // data/tex/a.tga is not the file tried

    std::filesystem::create_directory(folder.file("datatex"));
    writeFileBytes(folder.file("datatex/a.tga"), "x");
    EXPECT_EQ(CheckLibrary(library).errorCount, 0);
}

TEST(LibraryCheckTextures, RelativeResourcePathStartsAtTheCurrentDirectory) {
#ifdef _WIN32
    GTEST_SKIP() << "under Wine the temporary folder lies on another drive than the current one";
#endif
    const TemporaryFolder folder;
    writeFileBytes(folder.file("da.png"), "x");
    ResourceLibrary library;
    library.resourcePath =
        std::filesystem::relative(folder.path(), std::filesystem::current_path()).string() + "/";
    addTexture(library, "da.png");
    addTexture(library, "fehlt.png");

    const LibraryCheckResult result = CheckLibrary(library);

    EXPECT_EQ(result.lines, (Lines{kHeading, "",
                                   "Fehler: Texturedatei konnte nicht geöffnet werden! Dateiname: "
                                   "fehlt.png",
                                   "", " - 1 Fehler, 0 Warnung(en)"}));
}

}  // namespace
