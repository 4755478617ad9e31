#include <gtest/gtest.h>
#ifndef _WIN32
#include <dirent.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "LibraryBuilding.h"
#include "document/LibraryCheck.h"
#include "document/TextureFiles.h"
#include "platform/LibraryFileNames.h"
#include "platform/RuntimeFiles.h"
#include "platform/SystemCalls.h"
#include "support/TemporaryFolder.h"

namespace {

using Lines = std::vector<std::string>;

// Runs a test body with the current directory set to folder, and restores it afterwards.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& folder) : previous(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~CurrentFolder() { std::filesystem::current_path(previous); }

private:
    std::filesystem::path previous;
};

#ifndef _WIN32
// For its life, folders are listed through the calls a test put in; the system's come back
// with the object.
class ListingCalls {
public:
    ListingCalls() : saved(systemCalls) {}
    ~ListingCalls() { systemCalls = saved; }

private:
    SystemCalls saved;
};

// The folder that cannot be listed while refuseListing is in place.
std::string unlistableFolder;

DIR* refuseListing(const char* name) {
    if (name == unlistableFolder) {
        errno = EACCES;
        return nullptr;
    }
    return ::opendir(name);
}

// A file system that tells no entry's type (as some network and FUSE file systems do).
dirent* withoutEntryTypes(DIR* folder) {
    dirent* entry = ::readdir(folder);
    if (entry != nullptr) {
        entry->d_type = DT_UNKNOWN;
    }
    return entry;
}
#endif

TEST(TextureFileCandidates, TheCurrentFolderFirstThenTheLibrarysFolder) {
    EXPECT_EQ(TextureFileCandidates("gfx\\a.png", "/data/gui/Menu.gui"),
              (Lines{"gfx/a.png", "/data/gui/gfx/a.png"}));
    EXPECT_EQ(TextureFileCandidates("gfx\\a.png", "gui/Menu.gui"),
              (Lines{"gfx/a.png", "gui/gfx/a.png"}));
    // No second place: an absolute name, a library without a file, one in the current folder.
    EXPECT_EQ(TextureFileCandidates("/tex/a.png", "/data/gui/Menu.gui"), (Lines{"/tex/a.png"}));
    EXPECT_EQ(TextureFileCandidates("a.png", ""), (Lines{"a.png"}));
    EXPECT_EQ(TextureFileCandidates("a.png", "Menu.gui"), (Lines{"a.png"}));
}

// A library opened from elsewhere: its textures lie beside it, not in the current folder.
class TexturesBesideTheLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(libraryFolder.file("gfx"));
        std::filesystem::create_directories(libraryFolder.file("sub"));
        writeFileBytes(libraryFolder.file("gfx/knopf.png"), "x");
        library.name = "Menu";
        library.resourcePath = "gfx\\";
        addTexture(library, "knopf.png");
        addTexture(library, "fehlt.png");
    }

    std::string libraryFile() const { return libraryFolder.file("Menu.gui"); }

    // The check's lines when only fehlt.png is missing.
    const Lines missingOnly{"*** Objektdaten prüfen ***", "",
                            "Fehler: Texturedatei konnte nicht geöffnet werden! Dateiname: "
                            "fehlt.png",
                            "", "Menu - 1 Fehler, 0 Warnung(en)"};

    TemporaryFolder libraryFolder;
    TemporaryFolder elsewhere;
    ResourceLibrary library;
};

TEST_F(TexturesBesideTheLibrary, TheCheckFindsThemAndKeepsItsLines) {
    const CurrentFolder current(elsewhere.path());

    EXPECT_EQ(CheckLibrary(library, libraryFile()).lines, missingOnly);
    EXPECT_EQ(LocateTextureFile("gfx\\knopf.png", libraryFile()),
              libraryFolder.file("gfx/knopf.png"));
    // Without the library's path only the current folder counts, as before.
    EXPECT_EQ(CheckLibrary(library).errorCount, 2);
}

TEST_F(TexturesBesideTheLibrary, TheCurrentFolderComesFirst) {
    std::filesystem::create_directories(elsewhere.file("gfx"));
    writeFileBytes(elsewhere.file("gfx/fehlt.png"), "x");
    const CurrentFolder current(elsewhere.path());

    EXPECT_EQ(LocateTextureFile("gfx/knopf.png", libraryFile()),
              libraryFolder.file("gfx/knopf.png"));
    EXPECT_EQ(LocateTextureFile("gfx/fehlt.png", libraryFile()), "gfx/fehlt.png");
    EXPECT_EQ(CheckLibrary(library, libraryFile()).errorCount, 0);
}

#ifndef _WIN32  // Windows ignores letter case itself and holds one spelling a folder
// Made on Windows: the paths in the library spelt in another letter case than the files.
TEST_F(TexturesBesideTheLibrary, FoundInAnyLetterCaseInTheSameOrderOfPlaces) {
    library.resourcePath = "GFX\\";
    library.textures[0]->path = "Knopf.PNG";
    std::filesystem::create_directories(elsewhere.file("Tex"));
    std::filesystem::create_directories(libraryFolder.file("tex"));
    writeFileBytes(elsewhere.file("Tex/Bild.tga"), "x");
    writeFileBytes(libraryFolder.file("tex/bild.tga"), "x");
    writeFileBytes(libraryFolder.file("tex/Rahmen.tga"), "x");
    writeFileBytes(elsewhere.file("TEX"), "x");  // a file where a folder is wanted
    const CurrentFolder current(elsewhere.path());

    // The lines name the paths as written; what is missing in every spelling stays reported.
    EXPECT_EQ(CheckLibrary(library, libraryFile()).lines, missingOnly);
    EXPECT_EQ(LocateTextureFile("GFX\\Knopf.PNG", libraryFile()),
              libraryFolder.file("gfx/knopf.png"));
    // The current folder's match comes before the one beside the library ...
    EXPECT_EQ(LocateTextureFile("TEX\\BILD.TGA", libraryFile()), "Tex/Bild.tga");
    EXPECT_EQ(LocateTextureFile("TEX\\RAHMEN.TGA", libraryFile()),
              libraryFolder.file("tex/Rahmen.tga"));
    // ... and the exact spelling beside the library before either.
    EXPECT_EQ(LocateTextureFile("tex/bild.tga", libraryFile()), libraryFolder.file("tex/bild.tga"));

    // What the preview tries: the places as written, then the matches found.
    TextureFileFinder finder;
    EXPECT_EQ(finder.places("TEX/BILD.TGA", libraryFile()),
              (Lines{"TEX/BILD.TGA", libraryFolder.file("TEX/BILD.TGA"), "Tex/Bild.tga",
                     libraryFolder.file("tex/bild.tga")}));
    EXPECT_EQ(finder.places("tex/bild.tga", libraryFile()),
              (Lines{"tex/bild.tga", libraryFolder.file("tex/bild.tga")}));
    EXPECT_EQ(finder.places("gfx/fehlt.png", libraryFile()),
              (Lines{"gfx/fehlt.png", libraryFolder.file("gfx/fehlt.png")}));

    // Where the folders on the way are listed already, the exact spelling still comes first.
    ASSERT_EQ(::symlink(libraryFolder.file("gfx").c_str(), elsewhere.file("Verweis").c_str()), 0);
    const auto listed = [this](const std::string& name) {
        TextureFileFinder finder;
        EXPECT_FALSE(finder.locate("TEX\\FEHLT.TGA", libraryFile()));  // lists both places
        return finder.locate(name, libraryFile());
    };
    const struct {
        const char* what;
        std::string name;
        std::optional<std::string> found;
        std::function<void()> prepare;
    } rows[] = {
        {"a '.' part names no entry", "tex/./bild.tga", libraryFolder.file("tex/./bild.tga"), {}},
        {"a path ending in '/' names a folder, never the file TEX", "tex/", std::nullopt, {}},
        {"a link to a folder is a folder", "VERWEIS/KNOPF.PNG", "Verweis/knopf.png", {}},
        {"a folder on the way that cannot be listed", "tex/bild.tga",
         libraryFolder.file("tex/bild.tga"),
         [this] {
             unlistableFolder = libraryFolder.file("tex/");
             systemCalls.opendir = refuseListing;
         }},
        {"a file system without entry types: the file TEX is no folder", "TEX\\BILD.TGA",
         "Tex/Bild.tga", [] { systemCalls.readdir = withoutEntryTypes; }},
    };
    for (const auto& row : rows) {
        const ListingCalls calls;
        if (row.prepare) {
            row.prepare();
        }
        EXPECT_EQ(listed(row.name), row.found) << row.what;
    }
}
#endif

#ifndef _WIN32  // Windows ignores letter case itself and holds one spelling a folder
// Folder parts that climb and absolute paths are matched from where they lead.
TEST_F(TexturesBesideTheLibrary, MatchesPathsThatClimbAndAbsolutePaths) {
    std::filesystem::create_directories(libraryFolder.file("gui"));
    const std::string libraryInSubfolder = libraryFolder.file("gui/Menu.gui");
    const CurrentFolder current(elsewhere.path());

    EXPECT_EQ(LocateTextureFile("..\\GFX\\.\\Knopf.png", libraryInSubfolder),
              libraryFolder.file("gui/../gfx/./knopf.png"));
    EXPECT_EQ(LocateTextureFile(libraryFolder.file("GFX/KNOPF.PNG"), ""),
              libraryFolder.file("gfx/knopf.png"));
    EXPECT_FALSE(LocateTextureFile("..\\GFX\\..", libraryInSubfolder));
    EXPECT_FALSE(LocateTextureFile("GFX\\", libraryFile()));
}
#endif

// A crafted path of tens of thousands of folders is looked up in one pass over it.
TEST_F(TexturesBesideTheLibrary, ADeepPathIsCheckedLikeAnyOther) {
    std::string deep;
    for (int folder = 0; folder < 60'000; ++folder) {
        deep += "a/";
    }
    library.textures[1]->path = deep + "x.png";
    const CurrentFolder current(elsewhere.path());
    EXPECT_EQ(CheckLibrary(library, libraryFile()).errorCount, 1);
}

TEST_F(TexturesBesideTheLibrary, AFolderBesideTheLibraryIsNoTextureFile) {
    const CurrentFolder current(elsewhere.path());
    EXPECT_FALSE(LocateTextureFile("sub", libraryFile()));
    EXPECT_FALSE(LocateTextureFile("", libraryFile()));
}

#ifndef _WIN32  // Windows ignores letter case itself and holds one spelling a folder
// Several entries spelt alike: the exact spelling, else the first in byte order, whatever
// order the folder lists them in.
TEST(TextureFileFinder, ChoosesTheSameEntryEveryTime) {
    const std::vector<std::string> variants{"knopf.PNG", "Knopf.png", "KNOPF.png"};
    std::vector<std::string> chosen;
    for (const bool reversed : {false, true}) {
        const TemporaryFolder folder;
        std::vector<std::string> order = variants;
        if (reversed) {
            std::reverse(order.begin(), order.end());
        }
        for (const std::string& name : order) {
            writeFileBytes(folder.file(name), "x");
        }
        TextureFileFinder finder;
        EXPECT_EQ(finder.locate(folder.file("Knopf.png"), ""), folder.file("Knopf.png"));
        const std::optional<std::string> found = finder.locate(folder.file("kNOPF.pNG"), "");
        ASSERT_TRUE(found);
        EXPECT_EQ(*found, folder.file("KNOPF.png"));
        chosen.push_back(found->substr(folder.path().size()));
    }
    EXPECT_EQ(chosen[0], chosen[1]);
}
#endif

#ifdef _WIN32
// Windows-1252 letters in the library reach the system decoded; Windows ignores their case.
TEST(TextureFileFinder, MatchesWindows1252LettersInUtf8AndAsTheyStand) {
    const TemporaryFolder folder;
    std::filesystem::create_directories(
        filePath(folder.file("Gr\xC3\xBC\xC3\x9F"
                             "e")));
    writeFileBytes(folder.file("Gr\xC3\xBC\xC3\x9F"
                               "e/Kn\xC3\xB6pfe.png"),
                   "x");
    const CurrentFolder current(folder.path());

    for (const char* name : {"Gr\xFC\xDF"
                             "e\\Kn\xF6pfe.png",
                             "GR\xDC\xDF"
                             "E\\KN\xD6PFE.PNG"}) {
        EXPECT_TRUE(LocateTextureFile(fileNameFromLibraryText(name), "")) << name;
    }
    EXPECT_FALSE(LocateTextureFile("Knopfe.png", ""));
}
#else
// Windows-1252 letters in the library: found as UTF-8 names (a folder unpacked on Linux) and
// as the bytes themselves, in either letter case.
TEST(TextureFileFinder, MatchesWindows1252LettersInUtf8AndAsTheyStand) {
    const TemporaryFolder folder;
    std::filesystem::create_directories(
        folder.file("Gr\xC3\xBC\xC3\x9F"
                    "e"));  // "Grüße" in UTF-8
    writeFileBytes(folder.file("Gr\xC3\xBC\xC3\x9F"
                               "e/Kn\xC3\xB6pfe.png"),
                   "x");
    writeFileBytes(folder.file("\xC4rger.png"), "x");  // "Ärger" in Windows-1252
    writeFileBytes(folder.file("\xC5\xA0"
                               "ablona.png"),
                   "x");  // "Šablona" in UTF-8
    const CurrentFolder current(folder.path());

    EXPECT_EQ(LocateTextureFile("Gr\xFC\xDF"
                                "e\\Kn\xF6pfe.png",
                                ""),
              "Gr\xC3\xBC\xC3\x9F"
              "e/Kn\xC3\xB6pfe.png");
    EXPECT_EQ(LocateTextureFile("GR\xDC\xDF"
                                "E\\KN\xD6PFE.PNG",
                                ""),
              "Gr\xC3\xBC\xC3\x9F"
              "e/Kn\xC3\xB6pfe.png");
    EXPECT_EQ(LocateTextureFile("\xE4RGER.PNG", ""), "\xC4rger.png");
    EXPECT_EQ(LocateTextureFile("\x9A"
                                "ABLONA.png",
                                ""),
              "\xC5\xA0"
              "ablona.png");
    EXPECT_FALSE(LocateTextureFile("Knopfe.png", ""));
}
#endif

}  // namespace
