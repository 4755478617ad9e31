#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CliRun.h"
#include "support/LibraryBytes.h"
#include "support/TemporaryFolder.h"

namespace {

#ifndef _WIN32  // a POSIX shell and git's textconv: on Windows the dash is tried below
// Runs a shell command line in folder; its standard output.
std::string shell(const std::string& folder, const std::string& command) {
    std::string output;
    FILE* pipe = ::popen(("cd '" + folder + "' && " + command + " 2>&1").c_str(), "r");
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, n);
    }
    EXPECT_EQ(::pclose(pipe), 0) << command << "\n" << output;
    return output;
}
#endif

class DumpBuildCommand : public ::testing::Test {
protected:
    std::string file(const std::string& name, const std::string& bytes) {
        const std::string path = folder.file(name);
        writeFileBytes(path, bytes);
        return path;
    }

    // Resaves and dumps then builds library; both must succeed and give the same bytes.
    void expectBuildEqualsResave(const std::string& library) {
        const std::string resaved = folder.file("resaved.gui");
        const std::string json = folder.file("library.json");
        const std::string built = folder.file("built.gui");
        ASSERT_EQ(runCli({"resave", library, resaved}).exitStatus, 0);
        const CliResult dump = runCli({"dump", library, json});
        ASSERT_EQ(dump.exitStatus, 0) << dump.err;
        const CliResult build = runCli({"build", json, built});
        ASSERT_EQ(build.exitStatus, 0) << build.err;
        EXPECT_EQ(readFileBytes(built), readFileBytes(resaved)) << library;
    }

    TemporaryFolder folder;
};

TEST_F(DumpBuildCommand, RoundTripGivesWhatResaveGives) {
    expectBuildEqualsResave(TOLVANE_EXAMPLES_DIR "/Menu.gui");
    expectBuildEqualsResave(TOLVANE_EXAMPLES_DIR "/Showcase.gui");
    expectBuildEqualsResave(file("v1.gui", versionOneExampleBytes()));
}

TEST_F(DumpBuildCommand, DumpWritesToStandardOutputWithoutOutOrWithDash) {
    const std::string library = file("menu.gui", menuExampleBytes());
    const std::string json = folder.file("menu.json");
    ASSERT_EQ(runCli({"dump", library, json}).exitStatus, 0);
    const CliResult plain = runCli({"dump", library});
    const CliResult dash = runCli({"dump", library, "-"});
    EXPECT_EQ(plain.exitStatus, 0);
    EXPECT_EQ(plain.out, readFileBytes(json));
    EXPECT_EQ(dash.out, plain.out);
    EXPECT_NE(plain.out.find(R"("name": "Menu",)"), std::string::npos);
    EXPECT_EQ(runCli({"dump", library, json, "more"}).exitStatus, 64);
}

TEST_F(DumpBuildCommand, DumpReportsUnreadableLibrariesAndUnwritableFiles) {
    const std::string out = file("out.json", "keep");
    const std::string bad = file("bad.gui", "not a library");
    CliResult result = runCli({"dump", bad, out});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.err, "tolvane-cli: " + bad + ": keine GUI-Bibliothek\n");
    EXPECT_EQ(readFileBytes(out), "keep");

    const std::string menu = file("menu.gui", menuExampleBytes());
    const std::string missing = folder.file("no/out.json");
    result = runCli({"dump", menu, missing});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.err, "tolvane-cli: " + missing + ": Datei nicht gefunden\n");

    // A library cut short is no library to write as text.
    const std::string cut = file("cut.gui", menuExampleBytes().substr(0, 100));
    result = runCli({"dump", cut, out});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.err, "tolvane-cli: " + cut + ": die Datei endet vorzeitig nach 100 Bytes\n");
    EXPECT_EQ(readFileBytes(out), "keep");
}

TEST_F(DumpBuildCommand, NeitherOverwritesItsInput) {
    const std::string menu = file("menu.gui", menuExampleBytes());
    EXPECT_EQ(runCli({"dump", menu, menu}).exitStatus, 2);
    EXPECT_EQ(readFileBytes(menu), menuExampleBytes());

    const std::string json = file("menu.json", runCli({"dump", menu}).out);
    EXPECT_EQ(runCli({"build", json, json}).exitStatus, 2);
    EXPECT_EQ(readFileBytes(json), runCli({"dump", menu}).out);
}

TEST_F(DumpBuildCommand, BuildRefusesBadTextNamingPlaceAndReasonAndKeepsOut) {
    const std::string valid = runCli({"dump", file("menu.gui", menuExampleBytes())}).out;
    struct Case {
        std::string from, to, message;
    };
    const Case cases[] = {
        {"\"kind\": 0,", "\"kind\": 0", "13:7: kein gültiges JSON: hier muss ',' oder '}' stehen"},
        {"\"resourcePath\": \"\",\n", "", "19:1: das Feld \"resourcePath\" fehlt"},
        {"\"kind\": 0,", "\"kind\": 0, \"rank\": 1,", "12:18: unbekanntes Feld \"rank\""},
        {"\"kind\": 0,", "\"kind\": [],", "12:15: \"kind\" muss eine ganze Zahl sein"},
        {"\"kind\": 0,", "\"kind\": 2147483648,",
         "12:15: \"kind\" liegt außerhalb von -2147483648 bis 2147483647"},
        {"\"name\": \"Menu\"", "\"name\": \"Menu ✓\"",
         "5:11: \"name\" enthält ein Zeichen, das Windows-1252 nicht kennt"},
    };
    const std::string out = file("out.gui", "keep");
    for (const Case& c : cases) {
        std::string json = valid;
        json.replace(json.find(c.from), c.from.size(), c.to);
        const std::string input = file("bad.json", json);
        const CliResult result = runCli({"build", input, out});
        EXPECT_EQ(result.exitStatus, 2);
        EXPECT_EQ(result.err, "tolvane-cli: " + input + ":" + c.message + "\n");
        EXPECT_EQ(readFileBytes(out), "keep");
    }

    const CliResult missing = runCli({"build", folder.file("missing.json"), out});
    EXPECT_EQ(missing.exitStatus, 2);
    EXPECT_EQ(missing.err,
              "tolvane-cli: " + folder.file("missing.json") + ": Datei nicht gefunden\n");
    EXPECT_EQ(readFileBytes(out), "keep");
}

#ifdef _WIN32
// Standard input and output carry bytes: no line ends made CR LF, no end at a Ctrl-Z.
TEST_F(DumpBuildCommand, BuildReadsStandardInputForDash) {
    file("menu.gui", menuExampleBytes());
    const CliResult dump = runCli({"dump", "menu.gui"}, folder.path());
    ASSERT_EQ(dump.exitStatus, 0);
    EXPECT_EQ(dump.out.find('\r'), std::string::npos);
    file("menu.json", dump.out);
    EXPECT_EQ(
        runCli({"build", "-", "built.gui"}, folder.path(), folder.file("menu.json")).exitStatus, 0);
    EXPECT_EQ(readFileBytes(folder.file("built.gui")), menuExampleBytes());

    file("refused.json", "[]");
    const CliResult refusal =
        runCli({"build", "-", "refused.gui"}, folder.path(), folder.file("refused.json"));
    EXPECT_EQ(refusal.exitStatus, 2);
    EXPECT_EQ(refusal.err, "tolvane-cli: <stdin>:1:1: eine Bibliothek muss ein JSON-Objekt sein\n");
}
#else
TEST_F(DumpBuildCommand, BuildReadsStandardInputForDash) {
    const std::string cli = "'" TOLVANE_CLI_PATH "'";
    file("menu.gui", menuExampleBytes());
    shell(folder.path(), cli + " dump menu.gui | " + cli + " build - built.gui");
    EXPECT_EQ(readFileBytes(folder.file("built.gui")), menuExampleBytes());

    const std::string refusal =
        shell(folder.path(), "! echo '[]' | " + cli + " build - refused.gui");
    EXPECT_EQ(refusal, "tolvane-cli: <stdin>:1:1: eine Bibliothek muss ein JSON-Objekt sein\n");
    EXPECT_FALSE(std::ifstream(folder.file("refused.gui")).good());
}

TEST_F(DumpBuildCommand, GitDiffShowsAChangedCoordinateAsOneLine) {
    const std::string git =
        "env -u GIT_DIR -u GIT_WORK_TREE GIT_CONFIG_NOSYSTEM=1 GIT_CONFIG_GLOBAL=/dev/null git "
        "-c user.name=Test -c user.email=test@example.org";
    shell(folder.path(), git + " init -q .");
    shell(folder.path(), git + " config diff.tolvane.textconv '" TOLVANE_CLI_PATH " dump'");
    writeFileBytes(folder.file(".gitattributes"), "*.gui diff=tolvane\n");
    writeFileBytes(folder.file("Menu.gui"), menuExampleBytes());
    shell(folder.path(), git + " add . && " + git + " commit -qm library");

    std::string changed = menuExampleBytes();
    const std::string x2 = LibraryBytes().f32(64).str();
    changed.replace(changed.find(x2), x2.size(), LibraryBytes().f32(96).str());
    writeFileBytes(folder.file("Menu.gui"), changed);

    const std::string diff = shell(folder.path(), git + " diff --no-color -U0");
    std::vector<std::string> changedLines;
    std::istringstream lines(diff);
    for (std::string line; std::getline(lines, line);) {
        if ((line.starts_with('-') && !line.starts_with("---")) ||
            (line.starts_with('+') && !line.starts_with("+++"))) {
            changedLines.push_back(line);
        }
    }
    const std::string area = R"({"x1": 0, "y1": 0, "x2": @, "y2": 32, "offsetX": 0, "offsetY": 0, )"
                             R"("stretchX": 1, "stretchY": 1, "textureId": 0})";
    const auto withX2 = [&area](const std::string& x2) {
        return std::string(area).replace(area.find('@'), 1, x2);
    };
    const std::vector<std::string> expected = {"-        " + withX2("64"),
                                               "+        " + withX2("96")};
    EXPECT_EQ(changedLines, expected) << diff;
}
#endif

}  // namespace
