#include <gtest/gtest.h>

#include "library/Windows1252.h"

namespace {

TEST(Windows1252, DecodesEveryByte) {
    EXPECT_EQ(utf8FromWindows1252("Men\xFC Gr\xF6\xDF"
                                  "e"),
              "Menü Größe");
    EXPECT_EQ(utf8FromWindows1252("\x80\x9F\x8A"), "€ŸŠ");
    EXPECT_EQ(utf8FromWindows1252("\x81"), "\xC2\x81");  // unassigned: the C1 control
    EXPECT_EQ(utf8FromWindows1252(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Windows1252, EncodesWhatItCanHoldAndMarksTheRest) {
    EXPECT_EQ(windows1252FromUtf8("Menü Größe €"),
              "Men\xFC Gr\xF6\xDF"
              "e \x80");
    EXPECT_EQ(windows1252FromUtf8("日本"), "??");
    EXPECT_EQ(windows1252FromUtf8("😀"), "?");
    EXPECT_EQ(windows1252FromUtf8("a\xC3"), "a?");    // cut sequence
    EXPECT_EQ(windows1252FromUtf8("\xC0\xAF"), "?");  // overlong
    EXPECT_EQ(windows1252FromUtf8("\xFF"
                                  "b"),
              "?b");  // not UTF-8 at all
}

TEST(Windows1252, ExactEncodingRefusesWhatItCannotHold) {
    EXPECT_EQ(windows1252FromUtf8Exactly("Menü €?\xC2\x81"), "Men\xFC \x80?\x81");
    for (const char* utf8 : {"日", "\xC2\x80", "\xC2\x9E", "a\xC3", "\xC0\xAF", "\xED\xA0\x80"}) {
        EXPECT_FALSE(windows1252FromUtf8Exactly(utf8)) << utf8;
    }
}

TEST(Windows1252, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    EXPECT_EQ(windows1252FromUtf8(utf8FromWindows1252(all)), all);
    EXPECT_EQ(windows1252FromUtf8Exactly(utf8FromWindows1252(all)), all);
}

}  // namespace
