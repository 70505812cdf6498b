#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "logdata/LogStore.h"

// A time stamp's fourteen characters YYYYMMDDhhmmss as every text of the
// program shows them, and read back. The characters are written as they are:
// a stamp that is no valid date still reads as what the logger sent.

// Where each part of the date and the time of day starts in a stamp, and
// how many digits it has.
inline constexpr std::size_t kYearAt = 0;
inline constexpr std::size_t kMonthAt = 4;
inline constexpr std::size_t kDayAt = 6;
inline constexpr std::size_t kHourAt = 8;
inline constexpr std::size_t kMinuteAt = 10;
inline constexpr std::size_t kSecondAt = 12;
inline constexpr std::size_t kYearDigits = 4;
inline constexpr std::size_t kPartDigits = 2;

inline constexpr std::size_t kStampDateTextLength = 10;     // YYYY-MM-DD
inline constexpr std::size_t kStampClockTextLength = 8;     // hh:mm:ss
inline constexpr std::size_t kStampHoursMinutesLength = 5;  // hh:mm
inline constexpr std::size_t kStampTextLength = 19;         // YYYY-MM-DD hh:mm:ss

// The writers below read kTimestampLength characters at `stamp`, write at
// `out` without a terminating zero and return the end.

// "YYYY-MM-DD", or with another character between the parts ("YYYY/MM/DD").
char* putStampDate(char* out, const char* stamp, char separator = '-');
// "hh:mm:ss".
char* putStampClock(char* out, const char* stamp);
// "hh:mm".
char* putStampHoursMinutes(char* out, const char* stamp);
// "YYYY-MM-DD hh:mm:ss", or another character between date and time ('T').
char* putStampText(char* out, const char* stamp, char between = ' ');

// "YYYY-MM-DD hh:mm:ss" of a stamp; a text shorter than a stamp gives "".
std::string stampText(std::string_view stamp);
std::string stampText(const Timestamp& stamp);

// The number of `count` digits (at most nine) of the stamp from `at`
// (kYearAt, kYearDigits; kMonthAt, kPartDigits; ...); -1 when one of them is no
// digit or the stamp ends before them.
int32_t stampDigits(std::string_view stamp, std::size_t at, std::size_t count);
