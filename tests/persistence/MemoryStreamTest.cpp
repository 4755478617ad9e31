#include <gtest/gtest.h>

#include "persistence/MemoryStreams.h"
#include "persistence/tsStream.h"
#include "support/TemporaryFolder.h"
#include "support/TraceCapture.h"

namespace {

// One read of a sequence: what it answered, the count it stored, and the buffer after it.
struct ReadOutcome {
    HRESULT result;
    std::uint32_t count;
    std::string buffer;
    bool operator==(const ReadOutcome&) const = default;
};

std::vector<ReadOutcome> readInSteps(tsInputStream& stream,
                                     const std::vector<std::uint32_t>& sizes) {
    std::vector<ReadOutcome> outcomes;
    for (const std::uint32_t size : sizes) {
        std::string buffer(size, 'x');
        std::uint32_t count = 99;
        const HRESULT result = stream.read(buffer.data(), size, &count);
        outcomes.push_back({result, count, buffer});
    }
    return outcomes;
}

// The memory streams answer as the file stream does over a file with the same bytes: the same
// results, counts, bytes and trace texts.
TEST(MemoryStreams, ReadLikeTheFileStream) {
    struct Case {
        std::string bytes;
        std::vector<std::uint32_t> reads;
    };
    const Case cases[] = {
        {"abcdefg", {0, 4, 4, 1, 0}},  // whole, short (3 of 4), at the end, empty at the end
        {"", {0, 1}},
        {"abc", {3, 2}},
        {std::string(70000, 'z'), {65536, 8192}},
    };
    TemporaryFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.substr(0, 8));
        const std::string path = folder.file("bytes");
        writeFileBytes(path, c.bytes);
        std::vector<ReadOutcome> fromFile;
        std::vector<std::string> fileTrace;
        {
            TraceCapture trace;
            tsFileStream file;
            ASSERT_EQ(file.open(path.c_str(), TS_OPEN_READ), S_OK);
            fromFile = readInSteps(file, c.reads);
            fileTrace = trace.texts();
        }
        TraceCapture trace;
        MemoryInputStream memory(c.bytes);
        EXPECT_EQ(readInSteps(memory, c.reads), fromFile);
        EXPECT_EQ(trace.texts(), fileTrace);
    }
}

TEST(MemoryStreams, WriteLikeTheFileStream) {
    TemporaryFolder folder;
    const std::string path = folder.file("written");
    const std::string pieces[] = {"abc", "", std::string(5000, 'q'), "d"};
    TraceCapture trace;
    tsFileStream file;
    ASSERT_EQ(file.open(path.c_str(), TS_OPEN_CREATE | TS_OPEN_WRITE), S_OK);
    MemoryOutputStream memory;
    for (const std::string& piece : pieces) {
        const auto size = static_cast<std::uint32_t>(piece.size());
        EXPECT_EQ(memory.write(piece.data(), size), file.write(piece.data(), size));
    }
    file.close();
    EXPECT_EQ(memory.data(), readFileBytes(path));
    EXPECT_TRUE(trace.lines().empty());
}

}  // namespace
