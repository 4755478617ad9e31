#include <gtest/gtest.h>

#include "persistence/tstring.h"
#include "support/TraceCapture.h"
#include "testing/MemoryStreams.h"

namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string result;
    for (const int value : values) {
        result += static_cast<char>(value);
    }
    return result;
}

std::string written(const std::string& text) {
    MemoryOutputStream out;
    EXPECT_EQ(tsWriteString(text, out), S_OK);
    return out.data();
}

struct PrefixCase {
    std::size_t length;
    std::string prefix;
};

class CountedStringPrefix : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(CountedStringPrefix, WritesPrefixThenTextAndReadsItBack) {
    const std::string text(GetParam().length, 'q');
    const std::string stored = written(text);
    EXPECT_EQ(stored, GetParam().prefix + text);

    MemoryInputStream in(stored);
    std::string back = "previous";
    EXPECT_EQ(tsReadString(back, in), S_OK);
    EXPECT_EQ(back, text);
    EXPECT_EQ(in.consumed(), stored.size());
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, CountedStringPrefix,
    ::testing::Values(PrefixCase{0, bytes({0x00})}, PrefixCase{254, bytes({0xFE})},
                      PrefixCase{255, bytes({0xFF, 0xFF, 0x00})},
                      PrefixCase{65533, bytes({0xFF, 0xFD, 0xFF})},
                      PrefixCase{65534, bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
                      PrefixCase{70000, bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})}));

TEST(CountedString, WritesEachPrefixPieceAndTheTextWithOwnCalls) {
    FailingOutputStream out;
    ASSERT_EQ(tsWriteString(std::string(70000, 'q'), out), S_OK);
    EXPECT_EQ(out.callCount(), 4u);

    FailingOutputStream empty;
    ASSERT_EQ(tsWriteString("", empty), S_OK);
    EXPECT_EQ(empty.callCount(), 2u);  // the prefix and a write of no bytes
}

TEST(CountedString, WriteFailureIsPassedUpAndTraced) {
    TraceCapture trace;
    FailingOutputStream out(1);  // the prefix goes through, the text does not
    EXPECT_EQ(tsWriteString("abc", out), E_FAIL);
    EXPECT_EQ(trace.lines(),
              std::vector<std::string>{
                  "tstring.cpp(430) : TRACE_ERROR: Error: ASSERT_HRESULT(0x80004005)"});
}

TEST(CountedString, ReservedLengthFailsAfterThreeBytes) {
    TraceCapture trace;
    MemoryInputStream in(bytes({0xFF, 0xFE, 0xFF, 'a', 'b'}));
    std::string target = "kept";
    EXPECT_EQ(tsReadString(target, in), E_FAIL);
    EXPECT_EQ(in.consumed(), 3u);
    EXPECT_EQ(target, "kept");
    EXPECT_EQ(trace.lines(),
              std::vector<std::string>{
                  "tstring.cpp(365) : TRACE_ERROR: Error: ASSERT_HRESULT(0x80004005)"});
}

TEST(CountedString, ShortTextLeavesTargetUnchanged) {
    for (const std::string& stored :
         {bytes({5, 'a', 'b', 'c'}), bytes({}), bytes({0xFF, 0x00}),
          bytes({0xFF, 0xFF, 0xFF, 0x00, 0x00}), bytes({0xFF, 0x00, 0x01, 'x'})}) {
        MemoryInputStream in(stored);
        std::string target = "kept";
        EXPECT_EQ(tsReadString(target, in), E_FAIL);
        EXPECT_EQ(target, "kept");
    }
}

TEST(CountedString, StoredZeroByteCutsTheText) {
    MemoryInputStream in(bytes({4, 'a', 'b', 0, 'c', 'z'}));
    std::string target;
    EXPECT_EQ(tsReadString(target, in), S_OK);
    EXPECT_EQ(target, "ab");
    EXPECT_EQ(in.consumed(), 5u);  // the whole stored text is consumed
}

TEST(CountedString, DamagedHugeLengthAllocatesNoMoreThanArrives) {
    // Claims four gigabytes minus two, holds three bytes.
    MemoryInputStream in(bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 'a', 'b', 'c'}));
    std::string target = "kept";
    EXPECT_EQ(tsReadString(target, in), E_FAIL);
    EXPECT_EQ(target, "kept");
}

TEST(CountedString, LargestLengthCannotBeAllocated) {
    MemoryInputStream in(bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}));
    std::string target = "kept";
    EXPECT_EQ(tsReadString(target, in), E_OUTOFMEMORY);
    EXPECT_EQ(in.consumed(), 7u);
    EXPECT_EQ(target, "kept");
}

TEST(CountedString, TextsAreBytesUnchanged) {
    const std::string umlauts =
        "Gr\xF6\xDF"
        "e\x80";  // Windows-1252
    MemoryInputStream in(written(umlauts));
    std::string back;
    ASSERT_EQ(tsReadString(back, in), S_OK);
    EXPECT_EQ(back, umlauts);
}

TEST(MakeUpper, UpperCasesOnlyAsciiLetters) {
    std::string text = "Mein_Menu1 \xE4\xF6\xFC\xDF{}";
    EXPECT_EQ(tsMakeUpper(text), S_OK);
    EXPECT_EQ(text, "MEIN_MENU1 \xE4\xF6\xFC\xDF{}");

    std::string empty;
    EXPECT_EQ(tsMakeUpper(empty), S_OK);
    EXPECT_EQ(empty, "");
}

}  // namespace
