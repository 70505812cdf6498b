#include "logdata/StampSeconds.h"

#include <cstddef>
#include <string_view>

#include "logdata/StampText.h"

namespace {

constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kDaysPerEra = 146097;  // 400 Gregorian years
// 0000-01-01 00:00:00 and 9999-12-31 23:59:59, the first and last time a
// stamp's four year digits hold.
constexpr int64_t kFirstStampSeconds = -62167219200;
constexpr int64_t kLastStampSeconds = 253402300799;

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
int64_t daysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2 ? 1 : 0;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * kDaysPerEra + doe - 719468;
}

struct CivilDate {
    int64_t year, month, day;
};

// The civil date `days` after 1970-01-01, the inverse of daysFromCivil.
CivilDate civilFromDays(int64_t days) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - (kDaysPerEra - 1)) / kDaysPerEra;
    const int64_t doe = days - era * kDaysPerEra;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / (kDaysPerEra - 1)) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp < 10 ? mp + 3 : mp - 9;
    return {yoe + era * 400 + (m <= 2 ? 1 : 0), m, d};
}

bool leapYear(int64_t y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int64_t daysInMonth(int64_t y, int64_t m) {
    constexpr int64_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leapYear(y) ? 29 : kDays[m - 1];
}

// The stamp's digits from `at`, `count` of them; -1 when one is no digit.
int64_t digits(const Timestamp& stamp, std::size_t at, std::size_t count) {
    return stampDigits(std::string_view(stamp.data(), stamp.size()), at, count);
}

// Writes `value` as `count` digits from `at`, leading zeros included.
void putDigits(Timestamp& stamp, std::size_t at, std::size_t count, int64_t value) {
    for (std::size_t i = at + count; i-- > at;) {
        stamp[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

}  // namespace

std::optional<int64_t> stampSeconds(const Timestamp& stamp) {
    const int64_t y = digits(stamp, kYearAt, kYearDigits);
    const int64_t mo = digits(stamp, kMonthAt, kPartDigits);
    const int64_t d = digits(stamp, kDayAt, kPartDigits);
    const int64_t h = digits(stamp, kHourAt, kPartDigits);
    const int64_t mi = digits(stamp, kMinuteAt, kPartDigits);
    const int64_t s = digits(stamp, kSecondAt, kPartDigits);
    if (y < 0 || mo < 1 || mo > 12 || d < 1 || d > daysInMonth(y, mo)) return std::nullopt;
    if (h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59) return std::nullopt;
    return ((daysFromCivil(y, mo, d) * 24 + h) * 60 + mi) * 60 + s;
}

std::optional<Timestamp> stampOfSeconds(int64_t seconds) {
    if (seconds < kFirstStampSeconds || seconds > kLastStampSeconds) return std::nullopt;
    const int64_t days = (seconds >= 0 ? seconds : seconds - (kSecondsPerDay - 1)) / kSecondsPerDay;
    const int64_t ofDay = seconds - days * kSecondsPerDay;
    const CivilDate date = civilFromDays(days);
    Timestamp stamp;
    putDigits(stamp, kYearAt, kYearDigits, date.year);
    putDigits(stamp, kMonthAt, kPartDigits, date.month);
    putDigits(stamp, kDayAt, kPartDigits, date.day);
    putDigits(stamp, kHourAt, kPartDigits, ofDay / 3600);
    putDigits(stamp, kMinuteAt, kPartDigits, ofDay / 60 % 60);
    putDigits(stamp, kSecondAt, kPartDigits, ofDay % 60);
    return stamp;
}
