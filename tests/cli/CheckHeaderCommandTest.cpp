#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CliRun.h"
#include "support/LibraryBytes.h"
#include "support/TemporaryFolder.h"

namespace {

// The libraries are written one record to a line.
// clang-format off

// Library Menu: textures fehlt.tga (missing) and da.tga, resources 2Start and Ende, both id 5.
std::string faultyMenuBytes() {
    return LibraryBytes()
        .header(3, 5, "Menu")
        .u32(2)
        .i32(0).text("fehlt.tga").i32(4).i32(4).i32(1).i32(1)
        .i32(1).text("da.tga").i32(4).i32(4).i32(1).i32(1)
        .u32(2)
        .i32(0).i32(5).text("2Start").u32(0)
        .i32(0).i32(5).text("Ende").u32(0)
        .str();
}

// Library Menu: no textures, resources StartButton 1000 and Ende 1001.
std::string cleanMenuBytes() {
    return LibraryBytes()
        .header(3, 1000, "Menu")
        .u32(0)
        .u32(2)
        .i32(0).i32(1000).text("StartButton").u32(0)
        .i32(0).i32(1001).text("Ende").u32(0)
        .str();
}

// clang-format on

TEST(CheckCommand, PrintsTheLinesAndFailsWhenTheLibraryHasErrors) {
    const TemporaryFolder folder;
    writeFileBytes(folder.file("menu.gui"), faultyMenuBytes());
    writeFileBytes(folder.file("da.tga"), "x");  // found relative to the working directory

    const CliResult result = runCli({"check", "menu.gui"}, folder.path());

    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out,
              "*** Objektdaten prüfen ***\n"
              "\n"
              "Fehler: Ungültiger Bezeichner! 2Start\n"
              "Fehler: Mehrfach verwendete Resource-ID! Ressource: 2Start, RessourceId: 5\n"
              "Fehler: Mehrfach verwendete Resource-ID! Ressource: Ende, RessourceId: 5\n"
              "Fehler: Texturedatei konnte nicht geöffnet werden! Dateiname: fehlt.tga\n"
              "\n"
              "Menu - 4 Fehler, 0 Warnung(en)\n");
    EXPECT_EQ(result.err, "");
}

// Run from another folder, the check still finds da.tga beside the library, in the same words.
TEST(CheckCommand, FindsTexturesBesideTheLibraryFromAnotherFolder) {
    const TemporaryFolder folder;
    const TemporaryFolder elsewhere;
    writeFileBytes(folder.file("menu.gui"), faultyMenuBytes());
    writeFileBytes(folder.file("da.tga"), "x");

    const CliResult result = runCli({"check", folder.file("menu.gui")}, elsewhere.path());

    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_NE(result.out.find("Dateiname: fehlt.tga\n"), std::string::npos);
    EXPECT_EQ(result.out.find("da.tga"), std::string::npos);
    EXPECT_NE(result.out.find("Menu - 4 Fehler, 0 Warnung(en)\n"), std::string::npos);
}

// The showcase's textures lie beside it in gfx/, wherever the check is run from.
TEST(CheckCommand, TheShowcaseFindsAllItsTextures) {
    const TemporaryFolder elsewhere;
    std::vector<std::string> libraries = {std::string(TOLVANE_EXAMPLES_DIR) + "/Showcase.gui"};
#ifdef _WIN32
    libraries.push_back(std::string(TOLVANE_EXAMPLES_DIR) + "\\Showcase.gui");  // its separator
#endif
    for (const std::string& library : libraries) {
        const CliResult result = runCli({"check", library}, elsewhere.path());
        EXPECT_EQ(result.exitStatus, 0) << library;
        EXPECT_EQ(result.out,
                  "*** Objektdaten prüfen ***\n\n\nHauptmenü - 0 Fehler, 0 Warnung(en)\n");
    }
}

TEST(CheckCommand, SucceedsOnACleanLibrary) {
    const TemporaryFolder folder;
    writeFileBytes(folder.file("menu.gui"), cleanMenuBytes());

    const CliResult result = runCli({"check", folder.file("menu.gui")});

    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "*** Objektdaten prüfen ***\n\n\nMenu - 0 Fehler, 0 Warnung(en)\n");
}

TEST(CheckCommand, AnUnloadableLibraryIsAFileError) {
    const TemporaryFolder folder;
    writeFileBytes(folder.file("kaputt.gui"), "keine Bibliothek");

    for (const auto& [name, reason] : {std::pair{"kaputt.gui", "keine GUI-Bibliothek"},
                                       std::pair{"fehlt.gui", "Datei nicht gefunden"}}) {
        const CliResult result = runCli({"check", folder.file(name)});
        EXPECT_EQ(result.exitStatus, 2) << name;
        EXPECT_EQ(result.out, "") << name;
        EXPECT_EQ(result.err, cliFailure(folder.file(name), reason)) << name;
    }
}

TEST(HeaderCommand, WritesTheHeaderOfTheLibrary) {
    const TemporaryFolder folder;
    writeFileBytes(folder.file("menu.gui"), cleanMenuBytes());

    const CliResult result = runCli({"header", folder.file("menu.gui"), folder.file("menu.h")});

    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out + result.err, "");
    EXPECT_EQ(readFileBytes(folder.file("menu.h")),
              "#ifndef _MENU_H\r\n#define _MENU_H\r\n\r\nenum Menu {\r\n"
              "\tStartButton\t = 1000,\r\n\tEnde\t = 1001,\r\n};\r\n#endif\r\n");
}

TEST(HeaderCommand, ALibraryWithoutResourcesGivesAnEmptyEnum) {
    const TemporaryFolder folder;
    writeFileBytes(folder.file("leer.gui"),
                   LibraryBytes().header(3, 0, "Leer").u32(0).u32(0).str());

    const CliResult result = runCli({"header", folder.file("leer.gui"), folder.file("leer.h")});

    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(readFileBytes(folder.file("leer.h")),
              "#ifndef _LEER_H\r\n#define _LEER_H\r\n\r\nenum Leer {\r\n};\r\n#endif\r\n");
}

TEST(HeaderCommand, FailuresAreFileErrorsWithTheirMessage) {
    const TemporaryFolder folder;
    writeFileBytes(folder.file("menu.gui"), cleanMenuBytes());

    const CliResult unwritable =
        runCli({"header", folder.file("menu.gui"), folder.file("fehlt/menu.h")});
    EXPECT_EQ(unwritable.exitStatus, 2);
    EXPECT_EQ(unwritable.err, cliFailure(folder.file("fehlt/menu.h"), "Datei nicht gefunden"));

    const CliResult unloadable =
        runCli({"header", folder.file("fehlt.gui"), folder.file("menu.h")});
    EXPECT_EQ(unloadable.exitStatus, 2);
    EXPECT_EQ(unloadable.err, cliFailure(folder.file("fehlt.gui"), "Datei nicht gefunden"));
    EXPECT_FALSE(std::filesystem::exists(folder.file("menu.h")));
}

TEST(CommandLineHelp, ListsCheckAndHeader) {
    const CliResult result = runCli({"--help"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_NE(result.out.find("  check IN...  "), std::string::npos);
    EXPECT_NE(result.out.find("  header IN OUT  "), std::string::npos);
}

}  // namespace
