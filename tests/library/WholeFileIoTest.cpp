#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "document/FileFailureText.h"
#include "library/LibraryFile.h"
#include "support/LibraryBytes.h"
#include "support/LibraryDump.h"
#include "support/TemporaryFolder.h"
#include "support/TraceCapture.h"

namespace {

// What a load gave: its result, every field of the library, and the trace texts.
struct LoadOutcome {
    HRESULT result;
    std::string library;
    std::vector<std::string> trace;
    bool operator==(const LoadOutcome&) const = default;
};

// load reading the file field by field, one stream call each.
LoadOutcome loadFieldByField(const std::string& path) {
    TraceCapture trace;
    tsFileStream stream;
    EXPECT_EQ(stream.open(path.c_str(), TS_OPEN_READ), S_OK);
    ResourceLibrary library;
    const HRESULT result = library.load(stream);
    return {result, dumpLibrary(library), trace.texts()};
}

LoadOutcome loadWhole(const std::string& path, LibraryReadReport& report) {
    TraceCapture trace;
    ResourceLibrary library;
    const HRESULT result = loadLibraryFile(path, library, &report);
    return {result, dumpLibrary(library), trace.texts()};
}

std::vector<std::string> exampleLibraries() {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(TOLVANE_EXAMPLES_DIR)) {
        if (entry.path().extension() == ".gui") {
            paths.push_back(entry.path().string());
        }
    }
    EXPECT_FALSE(paths.empty());
    return paths;
}

// A file read whole and loaded from memory gives what reading it field by field gives, for
// every example and for the worked example cut at every length, and a cut file tells where.
TEST(WholeFileIo, LoadsWhatAFieldByFieldLoadGives) {
    LibraryReadReport report;
    for (const std::string& path : exampleLibraries()) {
        EXPECT_EQ(loadWhole(path, report), loadFieldByField(path)) << path;
        EXPECT_EQ(report.outcome, LibraryReadOutcome::Complete) << path;
    }
    TemporaryFolder folder;
    const std::string path = folder.file("cut.gui");
    for (const std::string& whole : {menuExampleBytes(), versionOneExampleBytes()}) {
        for (std::size_t length = 0; length <= whole.size(); ++length) {
            SCOPED_TRACE(length);
            writeFileBytes(path, whole.substr(0, length));
            EXPECT_EQ(loadWhole(path, report), loadFieldByField(path));
            if (length >= 20 && length < whole.size()) {
                EXPECT_EQ(report.outcome, LibraryReadOutcome::EndsEarly);
                EXPECT_EQ(report.bytesRead, length);
            }
        }
    }
}

#ifndef _WIN32  // Windows has no named pipes in its file system
// A pipe has no size: it is read to its end, also past the first read's length.
TEST(WholeFileIo, LoadsFromAPipe) {
    ResourceLibrary big;
    for (int i = 0; i < 3000; ++i) {
        auto resource = std::make_unique<UiResource>();
        resource->id = i;
        resource->areas.resize(2);
        big.resources.push_back(std::move(resource));
    }
    TemporaryFolder folder;
    const std::string file = folder.file("big.gui");
    ASSERT_EQ(saveLibraryFile(file, big), S_OK);
    const std::string bytes = readFileBytes(file);
    ASSERT_GT(bytes.size(), 1u << 17);

    const std::string pipe = folder.file("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::thread writer([&] { writeFileBytes(pipe, bytes); });
    ResourceLibrary loaded;
    LibraryReadReport report;
    EXPECT_EQ(loadLibraryFile(pipe, loaded, &report), S_OK);
    writer.join();
    EXPECT_EQ(report.outcome, LibraryReadOutcome::Complete);
    EXPECT_EQ(dumpLibrary(loaded), dumpLibrary(big));
}
#endif

#ifndef _WIN32
// An input without a size is read no further than its first bytes show that it is no library
// the reader takes, however much more it would give.
TEST(WholeFileIo, AnInputWithoutASizeEndsWhereItCannotBeALibrary) {
    TemporaryFolder folder;
    const std::string pipe = folder.file("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const struct {
        std::string path;
        std::string head;  // written into the pipe, followed by zeros without end
        LibraryReadOutcome outcome;
    } rows[] = {
        {"/dev/zero", "", LibraryReadOutcome::NotALibrary},
        {pipe, LibraryBytes().header(4, 0, "Neu").str(), LibraryReadOutcome::UnsupportedVersion},
    };
    for (const auto& row : rows) {
        // In a child that ends after a few seconds: reading on would take far longer.
        const auto readsAtOnce = [&row] {
            ::alarm(5);
            std::signal(SIGPIPE, SIG_IGN);
            std::thread writer;
            if (!row.head.empty()) {
                writer = std::thread([&row] {
                    const int fd = ::open(row.path.c_str(), O_WRONLY);
                    std::string bytes = row.head;
                    while (::write(fd, bytes.data(), bytes.size()) > 0) {
                        bytes.assign(1 << 16, '\0');
                    }
                    ::close(fd);
                });
            }
            ResourceLibrary library;
            LibraryReadReport report;
            loadLibraryFile(row.path, library, &report);
            if (writer.joinable()) {
                writer.join();
            }
            std::exit(report.outcome == row.outcome && report.bytesRead < (1u << 20) ? 0 : 1);
        };
        EXPECT_EXIT(readsAtOnce(), ::testing::ExitedWithCode(0), "") << row.path;
    }
}
#endif

// save into memory and one write give the bytes of a save field by field.
TEST(WholeFileIo, SavesWhatAFieldByFieldSaveWrites) {
    TemporaryFolder folder;
    for (const std::string& path : exampleLibraries()) {
        ResourceLibrary library;
        ASSERT_EQ(loadLibraryFile(path, library), S_OK);
        const std::string fieldByField = folder.file("fields.gui");
        {
            tsFileStream stream;
            ASSERT_EQ(stream.open(fieldByField.c_str(), TS_OPEN_CREATE | TS_OPEN_WRITE), S_OK);
            ASSERT_EQ(library.save(stream), S_OK);
        }
        const std::string whole = folder.file("whole.gui");
        ASSERT_EQ(saveLibraryFile(whole, library), S_OK);
        EXPECT_EQ(readFileBytes(whole), readFileBytes(fieldByField)) << path;
    }
}

// The stream reads at most 4 GiB at once, and the file's content must fit in memory; beyond
// either the file is refused with a reason, before anything is read.
TEST(WholeFileIo, RefusesFilesTooLargeToHold) {
    TemporaryFolder folder;
    const std::string path = folder.file("huge.gui");
    writeFileBytes(path, menuExampleBytes());
    std::filesystem::resize_file(path, std::uint64_t{4} << 30);  // sparse: no disk used
    ResourceLibrary library;
    LibraryReadReport report;
    const HRESULT tooLarge = hresultFromWin32(ERROR_FILE_TOO_LARGE);
    EXPECT_EQ(loadLibraryFile(path, library, &report), tooLarge);
    EXPECT_EQ(libraryReadText(tooLarge, report), "Datei zu groß");
    EXPECT_EQ(library.name, "");

#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory does not fit under an address-space limit";
#elif defined(_WIN32)
    GTEST_SKIP() << "Windows has no address-space limit to set";
#else
    std::filesystem::resize_file(path, std::uint64_t{1} << 30);
    const auto loadUnderALimit = [&path, tooLarge] {
        rlimit limit{};
        limit.rlim_cur = limit.rlim_max = std::uint64_t{512} << 20;
        ::setrlimit(RLIMIT_AS, &limit);
        ResourceLibrary inChild;
        std::exit(loadLibraryFile(path, inChild) == tooLarge ? 0 : 1);
    };
    EXPECT_EXIT(loadUnderALimit(), ::testing::ExitedWithCode(0), "");
#endif
}

}  // namespace
