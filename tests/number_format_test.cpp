#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "base/NumberFormat.h"
#include "support/CommaLocale.h"

namespace {

std::string printed(const char* format, double value) {
    char text[512];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string oneDecimal(float value) {
    char text[kOneDecimalMaxChars];
    return std::string(text, putOneDecimal(text, value));
}

std::string formatted(const char* format, double value) {
    char text[512];
    const std::size_t length = formatC(text, format, value);
    EXPECT_EQ(length, std::string(text).size()) << format;
    return text;
}

const float kInfinity = std::numeric_limits<float>::infinity();
const float kNaN = std::numeric_limits<float>::quiet_NaN();

// Ties, negative zero, the largest float, values no logger sends.
const float kValues[] = {0.0f,
                         -0.0f,
                         24.9f,
                         -24.95f,
                         0.05f,
                         0.25f,
                         -0.04f,
                         1234.56f,
                         -199.9f,
                         1e17f,
                         1e18f,
                         -3e30f,
                         std::numeric_limits<float>::max(),
                         kInfinity,
                         -kInfinity,
                         kNaN,
                         -kNaN};

}  // namespace

TEST(NumberFormat, EachFormIsWhatPrintfWritesInTheCLocale) {
    for (const float v : kValues) {
        const double d = v;
        SCOPED_TRACE(printed("%.9g", d));
        EXPECT_EQ(oneDecimal(v), printed("%3.1f", d));
        EXPECT_EQ(fixedText(d, 1), printed("%.1f", d));
        EXPECT_EQ(fixedText(d, 3), printed("%.3f", d));
        EXPECT_EQ(fixedText(d, 1, 6), printed("%6.1f", d));
        EXPECT_EQ(fixedText(d, 0, 4), printed("%4.0f", d));
        EXPECT_EQ(formatted("MAX:%3.1f,", d), printed("MAX:%3.1f,", d));
        EXPECT_EQ(formatted("%6.1f oC", d), printed("%6.1f oC", d));
    }
}

TEST(NumberFormat, ACommaLocaleLeavesThePointInEveryForm) {
    const std::string huge = oneDecimal(3e30f);
    CommaLocale comma;
    ASSERT_TRUE(comma.active()) << kCommaLocaleMissing;
    // The locale is one that the process's own printf obeys.
    ASSERT_EQ(printed("%3.1f", 24.9), "24,9");

    EXPECT_EQ(oneDecimal(24.9f), "24.9");
    EXPECT_EQ(oneDecimal(3e30f), huge);
    EXPECT_EQ(fixedText(83.144, 3), "83.144");
    EXPECT_EQ(fixedText(-5.0, 1, 6), "  -5.0");
    EXPECT_EQ(formatted("MAX:%3.1f,", 24.9), "MAX:24.9,");
    EXPECT_EQ(formatted("%6.1f %%RH", 48.25), "  48.2 %RH");
    // The process keeps its own locale outside the formatting.
    EXPECT_EQ(printed("%.1f", 0.5), "0,5");
}

TEST(NumberFormat, TheShortestTextReadsBackAsTheValue) {
    const struct {
        float value;
        const char* text;
    } cases[] = {{24.9f, "24.9"},
                 {-0.05f, "-0.05"},
                 {20.0f, "20"},
                 {1e20f, "1e+20"},
                 {-3.4028235e38f, "-3.4028235e+38"},
                 {kInfinity, "inf"}};
    for (const auto& c : cases) EXPECT_EQ(shortestText(c.value), c.text);
    CommaLocale comma;
    ASSERT_TRUE(comma.active()) << kCommaLocaleMissing;
    EXPECT_EQ(shortestText(12.45f), "12.45");
}

TEST(NumberFormat, FormatCKeepsToTheRoomItIsGiven) {
    char text[6] = "xxxxx";
    EXPECT_EQ(formatC(text, "%6.1f", 1234.56), 5u);
    EXPECT_STREQ(text, "1234.");
    EXPECT_EQ(formatC(std::span<char>(text, 0), "%d", 1), 0u);
    EXPECT_STREQ(text, "1234.");
}
