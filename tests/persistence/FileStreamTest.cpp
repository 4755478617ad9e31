#include <gtest/gtest.h>

#include <cerrno>

#include "persistence/tsStream.h"
#include "support/FailingSystemCall.h"
#include "support/TemporaryFolder.h"
#include "support/TraceCapture.h"

namespace {

constexpr HRESULT kFileNotFound = static_cast<HRESULT>(0x80070002u);
constexpr HRESULT kAccessDenied = static_cast<HRESULT>(0x80070005u);
constexpr HRESULT kSharingViolation = static_cast<HRESULT>(0x80070020u);
constexpr std::uint32_t kLoadFlags = TS_OPEN_READ;
constexpr std::uint32_t kSaveFlags = TS_OPEN_CREATE | TS_OPEN_WRITE;

class FileStreamTest : public ::testing::Test {
protected:
    std::string fileWith(const std::string& bytes, const std::string& name = "data.bin") {
        const std::string path = folder.file(name);
        writeFileBytes(path, bytes);
        return path;
    }

    TemporaryFolder folder;
};

TEST_F(FileStreamTest, ReadsWholeAndShortTransfers) {
    tsFileStream stream;
    ASSERT_EQ(stream.open(fileWith("abcdefg").c_str(), kLoadFlags), S_OK);

    char buffer[4] = {'x', 'x', 'x', 'x'};
    std::uint32_t count = 99;
    EXPECT_EQ(stream.read(buffer, 0, &count), S_OK);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(stream.read(buffer, 4, &count), S_OK);
    EXPECT_EQ(count, 4u);
    EXPECT_EQ(std::string(buffer, 4), "abcd");

    // Three bytes remain: they arrive, the rest of the buffer stays, the read fails.
    char tail[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(stream.read(tail, 4, &count), E_FAIL);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(std::string(tail, 4), "efgx");
    EXPECT_EQ(stream.read(tail, 1), E_FAIL);  // at the end, without a count target
}

TEST_F(FileStreamTest, MissingFileGivesFileNotFoundWithBothTraceLines) {
    TraceCapture trace;
    tsFileStream stream;
    const std::string missing = folder.file("missing.gui");
    EXPECT_EQ(stream.open(missing.c_str(), kLoadFlags), kFileNotFound);
    EXPECT_FALSE(stream.isOpen());

    char byte = 0;
    std::uint32_t count = 7;
    EXPECT_EQ(stream.read(&byte, 1, &count), E_UNEXPECTED);
    EXPECT_EQ(count, 7u);  // untouched without a file

    const std::vector<std::string> expected = {
        "tsStream.cpp(82) : TRACE_ERROR: Error: Open file '" + missing + "' failed.",
        "tsStream.cpp(85) : TRACE_ERROR: Error: ASSERT_HRESULT(0x80070002)",
        "tsStream.cpp(130) : TRACE_ERROR: Error: ASSERT_HRESULT(0x8000FFFF)",
    };
    EXPECT_EQ(trace.lines(), expected);
}

TEST_F(FileStreamTest, ClosedStreamRefusesTransfers) {
    TraceCapture trace;
    tsFileStream stream;
    char byte = 'a';
    EXPECT_EQ(stream.read(&byte, 1), E_UNEXPECTED);
    EXPECT_EQ(stream.write(&byte, 1), E_UNEXPECTED);
    EXPECT_EQ(stream.close(), S_OK);
    EXPECT_LT(stream.seek(TS_SEEK_BEGIN, 0), 0);
    const std::vector<std::string> expected = {
        "tsStream.cpp(130) : TRACE_ERROR: Error: ASSERT_HRESULT(0x8000FFFF)",
        "tsStream.cpp(159) : TRACE_ERROR: Error: ASSERT_HRESULT(0x8000FFFF)",
        "tsStream.cpp(221) : TRACE_ERROR: Error: ASSERT_HRESULT(0x80070006)",
    };
    EXPECT_EQ(trace.lines(), expected);
}

TEST_F(FileStreamTest, WriteOnReadingStreamIsDenied) {
    TraceCapture trace;
    tsFileStream stream;
    const std::string path = fileWith("keep");
    ASSERT_EQ(stream.open(path.c_str(), kLoadFlags), S_OK);
    EXPECT_EQ(stream.write("x", 1), kAccessDenied);
    EXPECT_EQ(trace.lines(),
              std::vector<std::string>{
                  "tsStream.cpp(159) : TRACE_ERROR: Error: ASSERT_HRESULT(0x80070005)"});
    stream.close();
    EXPECT_EQ(readFileBytes(path), "keep");
}

// Only the end of the file is a short transfer; a read the system refuses keeps its reason.
TEST_F(FileStreamTest, FailedSystemReadsAreNoEndOfFile) {
    TraceCapture trace;
    tsFileStream writeOnly;
    ASSERT_EQ(writeOnly.open(fileWith("data").c_str(), TS_OPEN_WRITE), S_OK);
    char buffer[4] = {};
    EXPECT_EQ(writeOnly.read(buffer, 1), kAccessDenied);

    tsFileStream stream;
    ASSERT_EQ(stream.open(fileWith("abcdefg", "other").c_str(), kLoadFlags), S_OK);
    std::uint32_t count = 99;
    {
        const FailingSystemCall failure(SystemCall::Read, 1, kInputOutputError);
        EXPECT_EQ(stream.read(buffer, 4, &count), static_cast<HRESULT>(0x8007001Fu));
    }
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(stream.read(buffer, 4, &count), S_OK);  // the file is still there, whole
    EXPECT_EQ(std::string(buffer, 4), "abcd");
    EXPECT_EQ(trace.lines(),
              (std::vector<std::string>{
                  "tsStream.cpp(130) : TRACE_ERROR: Error: ASSERT_HRESULT(0x80070005)",
                  "tsStream.cpp(130) : TRACE_ERROR: Error: ASSERT_HRESULT(0x8007001F)",
              }));
}

TEST_F(FileStreamTest, CreateTruncatesAndWrites) {
    const std::string path = fileWith("old contents");
    {
        tsFileStream stream;
        ASSERT_EQ(stream.open(path.c_str(), kSaveFlags), S_OK);
        EXPECT_EQ(readFileBytes(path), "");
        EXPECT_EQ(stream.write("new", 3), S_OK);
        EXPECT_EQ(stream.write("", 0), S_OK);
    }
    EXPECT_EQ(readFileBytes(path), "new");
}

TEST_F(FileStreamTest, OpenWithoutCreateNeedsAnExistingFile) {
    tsFileStream stream;
    EXPECT_EQ(stream.open(folder.file("absent").c_str(), TS_OPEN_WRITE), kFileNotFound);
    EXPECT_EQ(stream.open(folder.file("no/such/folder").c_str(), kSaveFlags),
              static_cast<HRESULT>(0x80070002u));
}

TEST_F(FileStreamTest, FolderCannotBeOpenedAsFile) {
    tsFileStream stream;
    EXPECT_EQ(stream.open(folder.path().c_str(), kLoadFlags), kAccessDenied);
    EXPECT_FALSE(stream.isOpen());
}

#ifndef _WIN32  // POSIX permission bits; on Windows WriterSharesWithNobody is the denied open
TEST_F(FileStreamTest, UnreadableFileIsDenied) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not hold the superuser back";
    }
    const std::string path = fileWith("secret");
    ::chmod(path.c_str(), 0);
    tsFileStream stream;
    EXPECT_EQ(stream.open(path.c_str(), kLoadFlags), kAccessDenied);
}
#endif

TEST_F(FileStreamTest, WriterSharesWithNobody) {
    const std::string path = fileWith("precious");
    tsFileStream writer;
    ASSERT_EQ(writer.open(path.c_str(), TS_OPEN_WRITE), S_OK);

    tsFileStream second;
    EXPECT_EQ(second.open(path.c_str(), kSaveFlags), kSharingViolation);
    EXPECT_EQ(second.open(path.c_str(), kLoadFlags), kSharingViolation);

    writer.close();                              // on Windows no one else reads it before
    EXPECT_EQ(readFileBytes(path), "precious");  // the refused create truncated nothing
    EXPECT_EQ(second.open(path.c_str(), kLoadFlags), S_OK);
}

TEST_F(FileStreamTest, ReadersShareWithReadersOnly) {
    const std::string path = fileWith("shared");
    tsFileStream first;
    tsFileStream second;
    ASSERT_EQ(first.open(path.c_str(), kLoadFlags), S_OK);
    EXPECT_EQ(second.open(path.c_str(), kLoadFlags), S_OK);

    tsFileStream writer;
    EXPECT_EQ(writer.open(path.c_str(), kSaveFlags), kSharingViolation);
    EXPECT_EQ(readFileBytes(path), "shared");
}

TEST_F(FileStreamTest, SecondOpenClosesTheFirstFile) {
    const std::string first = fileWith("one", "first");
    const std::string second = fileWith("two", "second");
    tsFileStream stream;
    ASSERT_EQ(stream.open(first.c_str(), TS_OPEN_WRITE), S_OK);
    ASSERT_EQ(stream.open(second.c_str(), kLoadFlags), S_OK);

    tsFileStream other;  // the first file's exclusive hold is gone
    EXPECT_EQ(other.open(first.c_str(), kSaveFlags), S_OK);
    char buffer[3];
    EXPECT_EQ(stream.read(buffer, 3), S_OK);
    EXPECT_EQ(std::string(buffer, 3), "two");
}

TEST_F(FileStreamTest, SeekAndSkipMoveThePosition) {
    TraceCapture trace;
    tsFileStream stream;
    ASSERT_EQ(stream.open(fileWith("0123456789").c_str(), kLoadFlags), S_OK);
    char byte = 0;

    EXPECT_EQ(stream.seek(3, 0), E_INVALIDARG);  // no such origin: the position stays
    ASSERT_EQ(stream.read(&byte, 1), S_OK);
    EXPECT_EQ(byte, '0');

    EXPECT_EQ(stream.skip(4, 0), S_OK);
    ASSERT_EQ(stream.read(&byte, 1), S_OK);
    EXPECT_EQ(byte, '5');

    EXPECT_EQ(stream.skip(-3, 1), E_NOTIMPL);  // moves all the same
    ASSERT_EQ(stream.read(&byte, 1), S_OK);
    EXPECT_EQ(byte, '3');

    EXPECT_EQ(stream.seek(TS_SEEK_END, -1), S_OK);
    ASSERT_EQ(stream.read(&byte, 1), S_OK);
    EXPECT_EQ(byte, '9');
    EXPECT_EQ(stream.seek(TS_SEEK_BEGIN, 2), S_OK);
    ASSERT_EQ(stream.read(&byte, 1), S_OK);
    EXPECT_EQ(byte, '2');

    EXPECT_EQ(stream.seek(TS_SEEK_CURRENT, -100), static_cast<HRESULT>(0x80070083u));

    const std::vector<std::string> expected = {
        "tsStream.cpp(221) : TRACE_ERROR: Error: ASSERT_HRESULT(0x80070057)",
        "tsStream.cpp(238) : TRACE_ERROR: Error: ASSERT_HRESULT(0x80004001)",
        "tsStream.cpp(221) : TRACE_ERROR: Error: ASSERT_HRESULT(0x80070083)",
    };
    EXPECT_EQ(trace.lines(), expected);
}

TEST_F(FileStreamTest, FullDiskIsReported) {
    tsFileStream stream;
    if (FAILED(stream.open("/dev/full", TS_OPEN_WRITE))) {
        GTEST_SKIP() << "no /dev/full here";
    }
    EXPECT_EQ(stream.write("x", 1), static_cast<HRESULT>(0x80070070u));
}

}  // namespace
