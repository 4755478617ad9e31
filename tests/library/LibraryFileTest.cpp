#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "library/LibraryFile.h"
#include "support/LibraryBytes.h"
#include "support/TemporaryFolder.h"

#ifdef _WIN32
#include "support/FailingSystemCall.h"
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

namespace {

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
    EXPECT_EQ(folder.names().size(), 2u);  // no temporary file left behind
}

#ifndef _WIN32  // mode bits and links that the save follows are POSIX's (see FileReplacement.h)
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
#endif

// A backup is written by no one's request, so it never goes through a link or into anything
// but a regular file; whatever else stands at its path stays as it was.
TEST(LibraryFile, BackupLeavesAnythingButARegularFileAlone) {
    TemporaryFolder folder;
    ResourceLibrary library;
    library.name = "Neu";
    const std::string precious = folder.file("precious.txt");
    writeFileBytes(precious, "precious");
    const std::string backup = folder.file("lib.gui_save");

    const std::pair<BackupObstacle, std::function<void()>> obstacles[] = {
#ifndef _WIN32  // Wine makes no symbolic links
        {BackupObstacle::Link, [&] { std::filesystem::create_symlink(precious, backup); }},
        {BackupObstacle::Link,
         [&] { std::filesystem::create_symlink(folder.file("nowhere"), backup); }},
#endif
        {BackupObstacle::Folder, [&] { std::filesystem::create_directory(backup); }},
#ifndef _WIN32  // Windows has no named pipes in its file system
        {BackupObstacle::SpecialFile, [&] { ASSERT_EQ(::mkfifo(backup.c_str(), 0600), 0); }},
#endif
    };
    for (const auto& [expected, plant] : obstacles) {
        plant();
        const std::vector<std::string> names = folder.names();
        BackupObstacle obstacle = BackupObstacle::None;
        EXPECT_EQ(saveLibraryBackup(backup, library, &obstacle),
                  hresultFromWin32(ERROR_ACCESS_DENIED));
        EXPECT_EQ(obstacle, expected);
        EXPECT_EQ(folder.names(), names);
        EXPECT_EQ(readFileBytes(precious), "precious");
        std::filesystem::remove(backup);
    }

    // A regular file, or none, takes the backup.
    BackupObstacle obstacle = BackupObstacle::Link;
    ASSERT_EQ(saveLibraryBackup(backup, library, &obstacle), S_OK);
    EXPECT_EQ(obstacle, BackupObstacle::None);
    writeFileBytes(backup, "old backup");
    ASSERT_EQ(saveLibraryBackup(backup, library), S_OK);
    EXPECT_EQ(readFileBytes(backup).size(), 37u);
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"lib.gui_save", "precious.txt"}));
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
    EXPECT_EQ(folder.names().size(), 1u);

    EXPECT_LT(saveLibraryFile(folder.file("no/such/folder.gui"), library), 0);
}

TEST(LibraryFile, FailedWriteKeepsTheOldFile) {
    TemporaryFolder folder;
    const std::string target = folder.file("lib.gui");
    writeFileBytes(target, "precious");
    ResourceLibrary library;
    library.name = std::string(100, 'n');

#ifdef _WIN32
    // Windows has no file size limit to set: the write fails as on a full disk.
    HRESULT result = S_OK;
    {
        const FailingSystemCall full(SystemCall::Write, 1, ERROR_DISK_FULL);
        result = saveLibraryFile(target, library);
    }
#else
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
#endif

    EXPECT_LT(result, 0);
    EXPECT_EQ(readFileBytes(target), "precious");
    EXPECT_EQ(folder.names().size(), 1u);
}

TEST(LibraryFile, ReportsWhereAFileCutShortEnded) {
    TemporaryFolder folder;
    const std::string bytes = menuExampleBytes();
    const std::string path = folder.file("cut.gui");
    LibraryReadReport report;

    writeFileBytes(path, bytes);
    ResourceLibrary whole;
    ASSERT_EQ(loadLibraryFile(path, whole, &report), S_OK);
    EXPECT_EQ(report.outcome, LibraryReadOutcome::Complete);

    // Cut after the header: load still succeeds, as its callers rely on.
    writeFileBytes(path, bytes.substr(0, 40));
    ResourceLibrary partial;
    EXPECT_EQ(loadLibraryFile(path, partial, &report), S_OK);
    EXPECT_EQ(report.outcome, LibraryReadOutcome::EndsEarly);
    EXPECT_EQ(report.bytesRead, 40u);
    EXPECT_EQ(partial.name, "Menu");

    // Cut inside the magic or the version: load fails, the report still says why.
    for (const std::size_t length : {0u, 9u, 18u}) {
        writeFileBytes(path, bytes.substr(0, length));
        ResourceLibrary none;
        EXPECT_EQ(loadLibraryFile(path, none, &report), E_FAIL) << length;
        EXPECT_EQ(report.outcome, LibraryReadOutcome::EndsEarly) << length;
        EXPECT_EQ(report.bytesRead, length);
    }
}

TEST(LibraryFile, ReportsFilesThatAreNoLibraryOrOfAnotherVersion) {
    TemporaryFolder folder;
    const std::string path = folder.file("lib.gui");
    ResourceLibrary library;
    LibraryReadReport report;

    writeFileBytes(path, "\x39\xF9 short and wrong");
    EXPECT_EQ(loadLibraryFile(path, library, &report), E_FAIL);
    EXPECT_EQ(report.outcome, LibraryReadOutcome::NotALibrary);

    writeFileBytes(path, LibraryBytes().header(7, 0, "x").str());
    EXPECT_EQ(loadLibraryFile(path, library, &report), E_FAIL);
    EXPECT_EQ(report.outcome, LibraryReadOutcome::UnsupportedVersion);
    EXPECT_EQ(report.version, 7u);

    EXPECT_EQ(loadLibraryFile(folder.path(), library, &report),
              hresultFromWin32(ERROR_DIRECTORY_NOT_SUPPORTED));
}

TEST(LibraryFile, SavesUnderTheLongestFileNameAndIntoDevices) {
    TemporaryFolder folder;
    const ResourceLibrary library;
    const std::string longest = folder.file(std::string(251, 'n') + ".gui");
    ASSERT_EQ(saveLibraryFile(longest, library), S_OK);
    EXPECT_EQ(readFileBytes(longest).size(), 34u);
    EXPECT_EQ(folder.names().size(), 1u);

    // A device is written into, never replaced.
#ifdef _WIN32
    EXPECT_EQ(saveLibraryFile("NUL", library), S_OK);
    EXPECT_EQ(folder.names().size(), 1u);
#else
    EXPECT_EQ(saveLibraryFile("/dev/null", library), S_OK);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    EXPECT_EQ(saveLibraryFile("/dev/full", library), hresultFromWin32(ERROR_DISK_FULL));
#endif
}

}  // namespace
