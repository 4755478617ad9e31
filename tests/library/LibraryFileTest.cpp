#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "library/LibraryFile.h"
#include "support/LibraryBytes.h"
#include "support/TemporaryFolder.h"

namespace {

std::size_t entriesIn(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}

TEST(LibraryFile, LoadsAndSavesThroughFiles) {
    TemporaryFolder folder;
    const std::string in = folder.file("Menu.gui");
    writeFileBytes(in, menuExampleBytes());

    ResourceLibrary library;
    ASSERT_EQ(loadLibraryFile(in, library), S_OK);
    EXPECT_EQ(library.name, "Menu");
    EXPECT_EQ(loadLibraryFile(folder.file("missing.gui"), library),
              static_cast<HRESULT>(0x80070002u));

    const std::string out = folder.file("copy.gui");
    ASSERT_EQ(saveLibraryFile(out, library), S_OK);
    EXPECT_EQ(readFileBytes(out), menuExampleBytes());
    EXPECT_EQ(entriesIn(folder.path()), 2u);  // no temporary file left behind
}

TEST(LibraryFile, ReplacesTheTargetKeepingItsPermissions) {
    TemporaryFolder folder;
    const std::string target = folder.file("lib.gui");
    writeFileBytes(target, "old contents");
    ::chmod(target.c_str(), 0640);

    ResourceLibrary library;
    library.name = "Neu";
    ASSERT_EQ(saveLibraryFile(target, library), S_OK);
    EXPECT_EQ(readFileBytes(target).size(), 37u);
    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
}

TEST(LibraryFile, SavingThroughALinkReplacesTheLinkedFile) {
    TemporaryFolder folder;
    const std::string real = folder.file("real.gui");
    const std::string link = folder.file("link.gui");
    writeFileBytes(real, "old");
    std::filesystem::create_symlink(real, link);

    const ResourceLibrary library;
    ASSERT_EQ(saveLibraryFile(link, library), S_OK);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readFileBytes(real).size(), 34u);
}

TEST(LibraryFile, FailedSaveLeavesTheTargetUntouched) {
    TemporaryFolder folder;
    const ResourceLibrary library;
    // A folder in the way of the target: everything is written, the replacement fails.
    const std::string blocked = folder.file("blocked.gui");
    std::filesystem::create_directory(blocked);
    writeFileBytes(blocked + "/inside", "x");
    EXPECT_LT(saveLibraryFile(blocked, library), 0);
    EXPECT_TRUE(std::filesystem::is_directory(blocked));
    EXPECT_EQ(entriesIn(folder.path()), 1u);

    EXPECT_LT(saveLibraryFile(folder.file("no/such/folder.gui"), library), 0);
}

TEST(LibraryFile, FailedWriteKeepsTheOldFile) {
    TemporaryFolder folder;
    const std::string target = folder.file("lib.gui");
    writeFileBytes(target, "precious");
    ResourceLibrary library;
    library.name = std::string(100, 'n');

    // A file size limit below the library's size makes a write fail part-way, as a full
    // disk would.
    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const HRESULT result = saveLibraryFile(target, library);
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_LT(result, 0);
    EXPECT_EQ(readFileBytes(target), "precious");
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

}  // namespace
