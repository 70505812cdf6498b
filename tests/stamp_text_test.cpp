#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>

#include "logdata/StampText.h"

namespace {

constexpr const char* kStamp = "20240105081000";

std::string written(char* begin, const char* end) {
    return std::string(begin, static_cast<std::size_t>(end - begin));
}

}  // namespace

TEST(StampText, EachWriterGivesItsPartOfTheStamp) {
    char out[64];
    EXPECT_EQ(written(out, putStampDate(out, kStamp)), "2024-01-05");
    EXPECT_EQ(written(out, putStampDate(out, kStamp, '/')), "2024/01/05");
    EXPECT_EQ(written(out, putStampClock(out, kStamp)), "08:10:00");
    EXPECT_EQ(written(out, putStampHoursMinutes(out, kStamp)), "08:10");
    EXPECT_EQ(written(out, putStampText(out, kStamp)), "2024-01-05 08:10:00");
    EXPECT_EQ(written(out, putStampText(out, kStamp, 'T')), "2024-01-05T08:10:00");
}

TEST(StampText, TheLengthsAreThoseWritten) {
    char out[64];
    EXPECT_EQ(putStampDate(out, kStamp) - out, static_cast<std::ptrdiff_t>(kStampDateTextLength));
    EXPECT_EQ(putStampClock(out, kStamp) - out, static_cast<std::ptrdiff_t>(kStampClockTextLength));
    EXPECT_EQ(putStampHoursMinutes(out, kStamp) - out,
              static_cast<std::ptrdiff_t>(kStampHoursMinutesLength));
    EXPECT_EQ(putStampText(out, kStamp) - out, static_cast<std::ptrdiff_t>(kStampTextLength));
}

TEST(StampText, AStampReadsAsItsCharactersWhateverTheyAre) {
    const struct {
        std::string_view stamp;
        std::string text;
    } cases[] = {
        {"20240105081000", "2024-01-05 08:10:00"},
        {"99991231235959", "9999-12-31 23:59:59"},
        {"20241345996199", "2024-13-45 99:61:99"},  // no valid date, shown as sent
        {"ABCDEFGHIJKLMN", "ABCD-EF-GH IJ:KL:MN"},
        {"2024010508100099", "2024-01-05 08:10:00"},  // only the first fourteen count
        {"2024010508100", ""},                        // too short to be a stamp
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.stamp));
        EXPECT_EQ(stampText(c.stamp), c.text);
    }
    Timestamp stamp{};
    std::memcpy(stamp.data(), kStamp, stamp.size());
    EXPECT_EQ(stampText(stamp), "2024-01-05 08:10:00");
}

TEST(StampText, DigitsReadBackAsNumbersOrMinusOne) {
    const struct {
        std::string_view stamp;
        std::size_t at;
        std::size_t count;
        int32_t value;
    } cases[] = {
        {kStamp, kYearAt, kYearDigits, 2024},
        {kStamp, kMonthAt, kPartDigits, 1},
        {kStamp, kDayAt, kPartDigits, 5},
        {kStamp, kHourAt, kPartDigits, 8},
        {kStamp, kMinuteAt, kPartDigits, 10},
        {kStamp, kSecondAt, kPartDigits, 0},
        {"2024A105081000", kMonthAt, kPartDigits, -1},  // a letter
        {"2024 105081000", kMonthAt, kPartDigits, -1},  // a blank
        {"2024-105081000", kMonthAt, kPartDigits, -1},  // a sign
        {"20240105", kHourAt, kPartDigits, -1},         // the stamp ends before
        {"202401050810", kSecondAt, kPartDigits, -1},   // past its end
        {kStamp, 0, 0, 0},                              // no digits
        {"12345678901", 0, 10, -1},                     // more than an int32_t holds
        {"123456789", 0, 9, 123456789},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.stamp) + " at " + std::to_string(c.at));
        EXPECT_EQ(stampDigits(c.stamp, c.at, c.count), c.value);
    }
}
