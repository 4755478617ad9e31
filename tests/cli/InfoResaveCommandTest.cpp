#include <gtest/gtest.h>

#include "CliRun.h"
#include "support/LibraryBytes.h"
#include "support/TemporaryFolder.h"

namespace {

class InfoResaveCommand : public ::testing::Test {
protected:
    std::string library(const std::string& name, const std::string& bytes) {
        const std::string path = folder.file(name);
        writeFileBytes(path, bytes);
        return path;
    }

    TemporaryFolder folder;
};

TEST_F(InfoResaveCommand, ResaveTurnsOldVersionsIntoVersionThree) {
    const std::string v1 = versionOneExampleBytes();
    const std::string v3 = versionOneExampleAsVersionThree();
    const std::string out = folder.file("out.gui");
    const CliResult result = runCli({"resave", library("v1.gui", v1), out});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(readFileBytes(out), v3);
}

TEST_F(InfoResaveCommand, ResaveReportsUnreadableAndUnwritableFiles) {
    const std::string out = folder.file("out.gui");
    writeFileBytes(out, "keep");

    const std::string bad = library("bad.gui", "not a library");
    CliResult result = runCli({"resave", bad, out});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.err, cliFailure(bad, "keine GUI-Bibliothek"));
    EXPECT_EQ(readFileBytes(out), "keep");

    const std::string unwritable = folder.file("no/out.gui");
    result = runCli({"resave", library("menu.gui", menuExampleBytes()), unwritable});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.err, cliFailure(unwritable, "Datei nicht gefunden"));
}

TEST_F(InfoResaveCommand, InfoListsEverythingInUtf8) {
    const std::string bytes = LibraryBytes()
                                  .header(3, 1000, "Men\xFC", "gfx\\")
                                  .u32(1)
                                  .i32(5)
                                  .text("kn\xF6pfe.tga")
                                  .i32(3)
                                  .i32(9)
                                  .i32(1)
                                  .i32(2)
                                  .u32(1)
                                  .i32(0)
                                  .i32(1000)
                                  .text("Start")
                                  .u32(1)
                                  .f32(0.5f)
                                  .f32(0)
                                  .f32(64)
                                  .f32(32)
                                  .f32(-2)
                                  .f32(0)
                                  .f32(1)
                                  .f32(1.5f)
                                  .i32(5)
                                  .str();
    const CliResult result = runCli({"info", library("lib.gui", bytes)});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out,
              "Name der GUI-Biliothek: \"Menü\"\n"
              "Id Startzahl: 1000\n"
              "lokaler Ressourcepfad: \"gfx\\\"\n"
              "Texturen: 1\n"
              "  Textur 5: Pfad \"knöpfe.tga\", 128 x ? (Index 9) Pixel, Format TGA, "
              "Typ Transparent Additive\n"
              "Ressourcen: 1\n"
              "  Ressource 1000: Art 0, Bezeichner \"Start\", 1 Bereich(e)\n"
              "    Bereich: X1 0.5, Y1 0, X2 64, Y2 32, X Offset -2, Y Offset 0, "
              "Streckung X 1, Streckung Y 1.5, Textur 5\n");
}

TEST_F(InfoResaveCommand, UsageErrorsAndHelp) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{}, {"info"}, {"resave", "a"}, {"bogus", "a"}}) {
        const CliResult result = runCli(arguments);
        EXPECT_EQ(result.exitStatus, 64);
        EXPECT_NE(result.err.find("Aufruf: tolvane-cli"), std::string::npos);
    }
    const CliResult help = runCli({"--help"});
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_NE(help.out.find("resave IN OUT"), std::string::npos);
    EXPECT_NE(help.out.find("info IN"), std::string::npos);
}

TEST_F(InfoResaveCommand, MissingFileIsALoadFailure) {
    const CliResult result = runCli({"info", folder.file("missing.gui")});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.err, cliFailure(folder.file("missing.gui"), "Datei nicht gefunden"));
}

TEST(Examples, MenuIsTheWorkedExampleAndEveryExampleResavesUnchanged) {
    const std::string examples = TOLVANE_EXAMPLES_DIR;
    EXPECT_EQ(readFileBytes(examples + "/Menu.gui"), menuExampleBytes());
    TemporaryFolder folder;
    for (const char* name : {"Menu.gui", "Showcase.gui"}) {
        const std::string out = folder.file(name);
        EXPECT_EQ(runCli({"resave", examples + "/" + name, out}).exitStatus, 0);
        EXPECT_EQ(readFileBytes(out), readFileBytes(examples + "/" + name)) << name;
    }
}

}  // namespace
