#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "LibraryBuilding.h"
#include "document/LibraryCheck.h"
#include "document/TextureFiles.h"
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

    TemporaryFolder libraryFolder;
    TemporaryFolder elsewhere;
    ResourceLibrary library;
};

TEST_F(TexturesBesideTheLibrary, TheCheckFindsThemAndKeepsItsLines) {
    const CurrentFolder current(elsewhere.path());
    const Lines missingOnly{"*** Objektdaten prüfen ***", "",
                            "Fehler: Texturedatei konnte nicht geöffnet werden! Dateiname: "
                            "fehlt.png",
                            "", "Menu - 1 Fehler, 0 Warnung(en)"};

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

TEST_F(TexturesBesideTheLibrary, AFolderBesideTheLibraryIsNoTextureFile) {
    const CurrentFolder current(elsewhere.path());
    EXPECT_FALSE(LocateTextureFile("sub", libraryFile()));
    EXPECT_FALSE(LocateTextureFile("", libraryFile()));
}

}  // namespace
