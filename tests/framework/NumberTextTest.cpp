#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "framework/NumberText.h"
#include "support/QtPrinters.h"

namespace {

using framework::floatText;
using framework::parseFloatText;
using framework::parseUnsignedText;

struct UnsignedCase {
    const char* text;
    std::optional<std::uint32_t> value;
};

TEST(NumberText, ReadsUnsignedDecimalsWithBlanksAround) {
    const UnsignedCase cases[] = {
        {" 12 ", 12u},
        {"\t7\t", 7u},
        {"0", 0u},
        {"007", 7u},
        {"4294967295", 4294967295u},
        {"", std::nullopt},
        {"  \t", std::nullopt},
        {"-1", std::nullopt},
        {"+1", std::nullopt},
        {"-0", std::nullopt},
        {"12a", std::nullopt},
        {"0x10", std::nullopt},
        {"1 2", std::nullopt},
        {"1.0", std::nullopt},
        {"4294967296", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"\xc2\xb2", std::nullopt},  // a superscript two is no digit
    };
    for (const UnsignedCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseUnsignedText(QString::fromUtf8(c.text)), c.value);
    }
}

struct FloatCase {
    const char* text;
    std::optional<float> value;
};

TEST(NumberText, ReadsOneDecimalNumberAndZeroOnlyFromALeadingZero) {
    const FloatCase cases[] = {
        {"12.", 12.0f},
        {"1e3", 1000.0f},
        {"1E+3", 1000.0f},
        {"0", 0.0f},
        {"0.0", 0.0f},
        {"00", 0.0f},
        {"0e5", 0.0f},
        {".5", 0.5f},
        {"-.5", -0.5f},
        {"+2", 2.0f},
        {"  3.25\t", 3.25f},
        {"-1.5e-3", -1.5e-3f},
        {"1e+06", 1.0e6f},
        {"3.4e38", 3.4e38f},
        // Zero from anything but a leading zero digit, and no number at all.
        {"-0", std::nullopt},
        {"+0", std::nullopt},
        {"-0.0", std::nullopt},
        {".0", std::nullopt},
        {"", std::nullopt},
        {" \t ", std::nullopt},
        {"-", std::nullopt},
        {"+", std::nullopt},
        {".", std::nullopt},
        // Nothing may follow the number but blanks.
        {"1e", std::nullopt},
        {"1e+", std::nullopt},
        {"12a", std::nullopt},
        {"1 2", std::nullopt},
        {"1,5", std::nullopt},
        {"1.2.3", std::nullopt},
        {"--1", std::nullopt},
        {"0x10", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        // Beyond float, and too small for a double.
        {"1e39", std::nullopt},
        {"-1e39", std::nullopt},
        {"1e400", std::nullopt},
        {"1e-400", std::nullopt},
    };
    for (const FloatCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseFloatText(QString::fromUtf8(c.text)), c.value);
    }
}

TEST(NumberText, ShowsFloatsInTheShortestFormWithSixDigits) {
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {0.0f, "0"},
        {12.5f, "12.5"},
        {1.0f / 3.0f, "0.333333"},
        {0.1f, "0.1"},
        {-2.5f, "-2.5"},
        {100000.0f, "100000"},
        {999999.0f, "999999"},
        {1.0e6f, "1e+06"},
        {1234567.0f, "1.23457e+06"},
        {0.0001f, "0.0001"},
        {0.00001f, "1e-05"},
        {std::numeric_limits<float>::max(), "3.40282e+38"},
        {std::numeric_limits<float>::denorm_min(), "1.4013e-45"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QString text = floatText(c.value);
        EXPECT_EQ(text, QString::fromLatin1(c.text));
        // What an edit shows must read back as the value to six digits.
        const std::optional<float> back = parseFloatText(text);
        ASSERT_TRUE(back.has_value());
        EXPECT_NEAR(*back, c.value, std::fabs(c.value) * 5e-6f);
    }
}

}  // namespace
