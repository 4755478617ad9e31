#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <future>
#include <string>
#include <vector>

#include "CliRun.h"
#include "support/LibraryBytes.h"
#include "support/TemporaryFolder.h"

namespace {

#ifndef _WIN32  // popen and /dev/stdout are POSIX's; runCli's "-" below covers Windows
// Runs tolvane-cli with its standard output a pipe, and returns what came through it.
std::string throughPipe(const std::string& arguments) {
    const std::string command = std::string(TOLVANE_CLI_PATH) + " " + arguments;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    std::string bytes;
    char buffer[256];
    for (std::size_t count; (count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        bytes.append(buffer, count);
    }
    EXPECT_EQ(::pclose(pipe), 0) << arguments;
    return bytes;
}
#endif

class OutputTarget : public ::testing::Test {
protected:
    void SetUp() override { writeFileBytes(input, menuExampleBytes()); }

    TemporaryFolder folder;
    const std::string input = folder.file("Menu.gui");
    const std::string header =
        "#ifndef _MENU_H\r\n#define _MENU_H\r\n\r\nenum Menu {\r\n"
        "\tunbenannt\t = 1000,\r\n};\r\n#endif\r\n";
};

TEST_F(OutputTarget, ResaveAndHeaderWriteIntoAPipeAndToTheDash) {
#ifndef _WIN32
    for (const char* target : {"-", "/dev/stdout"}) {
        EXPECT_EQ(throughPipe("resave " + input + " " + target), menuExampleBytes()) << target;
        EXPECT_EQ(throughPipe("header " + input + " " + target), header) << target;
    }
#endif
    const CliResult dash = runCli({"resave", input, "-"});
    EXPECT_EQ(dash.exitStatus, 0);
    EXPECT_EQ(dash.out, menuExampleBytes());
}

#ifndef _WIN32  // Windows has no named pipes in its file system
TEST_F(OutputTarget, ANamedPipeIsWrittenIntoNotReplaced) {
    const std::string fifo = folder.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const auto& [command, expected] :
         {std::pair{"resave", menuExampleBytes()}, std::pair{"header", header}}) {
        auto reader = std::async(std::launch::async, [&] { return readFileBytes(fifo); });
        EXPECT_EQ(runCli({command, input, fifo}).exitStatus, 0) << command;
        EXPECT_EQ(reader.get(), expected) << command;
        EXPECT_TRUE(std::filesystem::is_fifo(fifo)) << command;
    }
}
#endif

TEST_F(OutputTarget, TheInputIsNeverOverwrittenThroughAnotherPath) {
    std::filesystem::create_directory(folder.file("sub"));
    std::filesystem::create_hard_link(input, folder.file("hard.gui"));
    std::vector<std::string> outputs = {folder.file("sub/../Menu.gui"), folder.file("hard.gui"),
                                        input};
#ifndef _WIN32  // Wine makes no symbolic links
    std::filesystem::create_symlink(input, folder.file("link.gui"));
    outputs.push_back(folder.file("link.gui"));
#endif
    for (const std::string& output : outputs) {
        const CliResult result = runCli({"header", input, output});
        EXPECT_EQ(result.exitStatus, 2) << output;
        EXPECT_EQ(result.err, cliFailure(output, "ist die Eingabedatei " + input +
                                                     " und wird nicht überschrieben"));
        EXPECT_EQ(readFileBytes(input), menuExampleBytes()) << output;
    }
#ifndef _WIN32
    // resave onto itself stays a safe rewrite in place; through the link it keeps the link.
    writeFileBytes(input, versionOneExampleBytes());
    EXPECT_EQ(runCli({"resave", folder.file("link.gui"), folder.file("link.gui")}).exitStatus, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("link.gui")));
    EXPECT_EQ(readFileBytes(input), versionOneExampleAsVersionThree());
#endif
}

TEST_F(OutputTarget, AFileNameOfTheLongestLengthIsSaved) {
    const std::string longest = folder.file(std::string(251, 'n') + ".gui");  // 255 bytes
    const CliResult result = runCli({"resave", input, longest});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(readFileBytes(longest), menuExampleBytes());
    EXPECT_EQ(runCli({"header", longest, longest.substr(0, longest.size() - 3) + "h"}).exitStatus,
              0);
}

}  // namespace
