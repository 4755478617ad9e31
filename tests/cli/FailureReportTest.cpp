#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CliRun.h"
#include "support/LibraryBytes.h"
#include "support/TemporaryFolder.h"

namespace {

std::string endsEarly(std::size_t bytes) {
    return "die Datei endet vorzeitig nach " + std::to_string(bytes) + " Bytes";
}

// Every length an example library can be cut to fails check with the byte count, all of
// them in one run.
TEST(DamagedLibrary, EveryTruncationPointOfTheExamplesIsReported) {
    TemporaryFolder folder;
    for (const char* example : {"Menu.gui", "Showcase.gui"}) {
        const std::string bytes = readFileBytes(std::string(TOLVANE_EXAMPLES_DIR) + "/" + example);
        std::vector<std::string> arguments = {"check"};
        std::string expected;
        // Names relative to the folder keep the command line within Windows' 32767 characters.
        for (std::size_t length = 0; length < bytes.size(); ++length) {
            const std::string cut = std::to_string(length) + example;
            writeFileBytes(folder.file(cut), bytes.substr(0, length));
            arguments.push_back(cut);
            expected += cliFailure(cut, endsEarly(length));
        }
        const CliResult result = runCli(arguments, folder.path());
        EXPECT_EQ(result.exitStatus, 2) << example;
        EXPECT_EQ(result.out, "") << example;
        EXPECT_EQ(result.err, expected) << example;
    }
}

TEST(DamagedLibrary, EveryCommandFailsAndInfoStillShowsWhatWasRead) {
    TemporaryFolder folder;
    const std::string bytes = menuExampleBytes();
    const std::string cut = folder.file("cut.gui");
    writeFileBytes(cut, bytes.substr(0, bytes.size() - 1));  // in the last area's texture id
    const std::string reported = cliFailure(cut, endsEarly(bytes.size() - 1));

    const CliResult info = runCli({"info", cut});
    EXPECT_EQ(info.exitStatus, 2);
    EXPECT_EQ(info.err, reported);
    EXPECT_NE(info.out.find("Ressource 1000: Art 0, Bezeichner \"unbenannt\", 1 Bereich(e)"),
              std::string::npos);
    for (const std::vector<std::string>& command : {std::vector<std::string>{"check", cut},
                                                    {"resave", cut, folder.file("out.gui")},
                                                    {"header", cut, folder.file("out.h")}}) {
        const CliResult result = runCli(command);
        EXPECT_EQ(result.exitStatus, 2) << command[0];
        EXPECT_EQ(result.out + result.err, reported) << command[0];
    }
    EXPECT_FALSE(std::filesystem::exists(folder.file("out.gui")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("out.h")));
}

TEST(FailureReport, EachReasonNamesTheFile) {
    TemporaryFolder folder;
    const std::string menu = folder.file("Menu.gui");
    writeFileBytes(menu, menuExampleBytes());
    const std::string text = folder.file("text.gui");
    writeFileBytes(text, "keine Bibliothek, nur Text");
    const std::string version = folder.file("v4.gui");
    writeFileBytes(version, LibraryBytes().header(4, 0, "Neu").u32(0).u32(0).str());

    const struct {
        std::vector<std::string> arguments;
        std::string file;
        std::string reason;
    } cases[] = {
        {{"info", folder.file("fehlt.gui")}, folder.file("fehlt.gui"), "Datei nicht gefunden"},
        {{"info", folder.path()}, folder.path(), "ist ein Ordner"},
        {{"info", text}, text, "keine GUI-Bibliothek"},
        {{"info", version}, version, "Version 4 wird nicht unterstützt"},
        {{"resave", menu, folder.path()}, folder.path(), "ist ein Ordner"},
#ifndef _WIN32  // no full device on Windows; LibraryFile's tests fail a write there instead
        {{"resave", menu, "/dev/full"}, "/dev/full", "Datenträger voll"},
        {{"header", menu, "/dev/full"}, "/dev/full", "Datenträger voll"},
#endif
    };
    for (const auto& each : cases) {
        const CliResult result = runCli(each.arguments);
        EXPECT_EQ(result.exitStatus, 2) << each.reason;
        EXPECT_EQ(result.err, cliFailure(each.file, each.reason));
    }
}

TEST(CheckSeveral, PrefixesEveryLineWithItsLibraryAndExitsWithTheWorst) {
    TemporaryFolder folder;
    const std::string clean = folder.file("clean.gui");
    writeFileBytes(clean, LibraryBytes().header(3, 1, "Sauber").u32(0).u32(0).str());
    const std::string faulty = folder.file("faulty.gui");
    writeFileBytes(
        faulty,
        LibraryBytes().header(3, 1, "Kaputt").u32(0).u32(1).i32(0).i32(1).text("1x").u32(0).str());

    const CliResult single = runCli({"check", clean});
    EXPECT_EQ(single.out, "*** Objektdaten prüfen ***\n\n\nSauber - 0 Fehler, 0 Warnung(en)\n");

    CliResult result = runCli({"check", clean, faulty});
    EXPECT_EQ(result.exitStatus, 1);
    const std::string cleanLines = clean + ":*** Objektdaten prüfen ***\n" + clean + ":\n" + clean +
                                   ":\n" + clean + ":Sauber - 0 Fehler, 0 Warnung(en)\n";
    EXPECT_EQ(result.out.substr(0, cleanLines.size()), cleanLines);
    EXPECT_NE(result.out.find(faulty + ":Kaputt - 1 Fehler, 0 Warnung(en)\n"), std::string::npos);

    result = runCli({"check", folder.file("fehlt.gui"), faulty, clean});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.err, cliFailure(folder.file("fehlt.gui"), "Datei nicht gefunden"));
    EXPECT_NE(result.out.find(clean + ":Sauber - 0 Fehler"), std::string::npos);
}

TEST(CommandLineVersion, IsTheProjectVersion) {
    const CliResult result = runCli({"--version"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, std::string("tolvane-cli ") + TOLVANE_PROJECT_VERSION + "\n");
}

}  // namespace
