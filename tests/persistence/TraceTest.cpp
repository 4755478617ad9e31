#include <gtest/gtest.h>

#include <cstring>

#include "persistence/trace.h"
#include "support/TraceCapture.h"

namespace {

TEST(Trace, ErrorLineNamesBaseNameLineAndFilledMessage) {
    TraceCapture trace;
    TRACE_ERROR("commonCode\\streams\\tsStream.cpp", 82, "Error: Open file '%s' failed.\n",
                "C:\\x\\%s%n.gui");
    ASSERT_HRESULT(E_FAIL, "lib\\uiresourcecontrol.cpp", 99);
    ASSERT_HRESULT(S_OK, "lib\\uiresourcecontrol.cpp", 100);
    ASSERT_HRESULT(1, "lib\\uiresourcecontrol.cpp", 101);
    TRACE_ERROR("mod\\noNewline.cpp", 7, "no line feed");

    const std::vector<std::string> expected = {
        "tsStream.cpp(82) : TRACE_ERROR: Error: Open file 'C:\\x\\%s%n.gui' failed.",
        "uiresourcecontrol.cpp(99) : TRACE_ERROR: Error: ASSERT_HRESULT(0x80004005)",
        "noNewline.cpp(7) : TRACE_ERROR: no line feed",
    };
    EXPECT_EQ(trace.lines(), expected);
}

TEST(Trace, BaseNameFollowsTheLastBackslashOnly) {
    EXPECT_STREQ(traceBaseName("a\\b\\c.cpp"), "c.cpp");
    EXPECT_STREQ(traceBaseName("a/b/c.cpp"), "");
    EXPECT_STREQ(traceBaseName("folder\\"), "");
    EXPECT_STREQ(traceBaseName(""), "");
}

TEST(Trace, RingReusesItsBufferAfterTenTexts) {
    char* first = traceFormat("%d", 1);
    for (int i = 2; i <= kTraceRingSize; ++i) {
        EXPECT_NE(traceFormat("%d", i), first);
    }
    EXPECT_STREQ(first, "1");  // intact through ten calls
    char* eleventh = traceFormat("%d", 11);
    EXPECT_EQ(eleventh, first);
    EXPECT_STREQ(first, "11");
}

TEST(Trace, LongTextsStayInsideTheirBuffers) {
    TraceCapture trace;
    const std::string huge(3 * kTraceBufferSize, 'n');
    EXPECT_EQ(std::strlen(traceFormat("%s", huge.c_str())), kTraceBufferSize - 1u);
    EXPECT_EQ(std::strlen(traceBaseName(("a\\" + huge).c_str())), kTraceBufferSize - 1u);

    TRACE_ERROR("m\\tsStream.cpp", 82, "Error: Open file '%s' failed.\n", huge.c_str());
    const std::vector<std::string> lines = trace.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].size(), kTraceBufferSize - 2u);  // the cut text keeps its line feed
    EXPECT_EQ(lines[0].rfind("tsStream.cpp(82) : TRACE_ERROR: Error: Open file 'nnn", 0), 0u);
}

TEST(Trace, SwitchedOffFlagsTraceNothing) {
    TraceCapture trace;
    traceFlags = 6;
    ASSERT_HRESULT(E_FAIL, "m\\x.cpp", 1);
    traceFlags = 7;
    EXPECT_TRUE(trace.lines().empty());
}

}  // namespace
