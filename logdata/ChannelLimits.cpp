#include "logdata/ChannelLimits.h"

#include <algorithm>

namespace {

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
int64_t daysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2 ? 1 : 0;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

bool leapYear(int64_t y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int64_t daysInMonth(int64_t y, int64_t m) {
    constexpr int64_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leapYear(y) ? 29 : kDays[m - 1];
}

// The stamp's digits from `at`, `count` of them; -1 when one is no digit.
int64_t digits(const Timestamp& stamp, int at, int count) {
    int64_t value = 0;
    for (int i = at; i < at + count; ++i) {
        const char c = stamp[static_cast<std::size_t>(i)];
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

int64_t recordSeconds(const LogStore& store, uint32_t i, uint32_t count) {
    if (count < 2) return 0;
    const uint32_t from = i + 1 < count ? i : i - 1;
    const auto start = stampSeconds(store.timestamps[from]);
    const auto end = stampSeconds(store.timestamps[from + 1]);
    if (!start || !end || *end <= *start) return 0;
    return *end - *start;
}

}  // namespace

std::optional<int64_t> stampSeconds(const Timestamp& stamp) {
    const int64_t y = digits(stamp, 0, 4), mo = digits(stamp, 4, 2), d = digits(stamp, 6, 2);
    const int64_t h = digits(stamp, 8, 2), mi = digits(stamp, 10, 2), s = digits(stamp, 12, 2);
    if (y < 0 || mo < 1 || mo > 12 || d < 1 || d > daysInMonth(y, mo)) return std::nullopt;
    if (h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59) return std::nullopt;
    return ((daysFromCivil(y, mo, d) * 24 + h) * 60 + mi) * 60 + s;
}

LimitSide limitSide(const ChannelLimit& limit, float value) {
    if (limit.high && value > *limit.high) return LimitSide::Above;
    if (limit.low && value < *limit.low) return LimitSide::Below;
    return LimitSide::Inside;
}

ExcursionSummary summarizeExcursions(const LogStore& store, int channel,
                                     const ChannelLimit& limit) {
    ExcursionSummary summary;
    if (channel < 0 || channel >= kChannels || !limit.any()) return summary;
    const uint32_t count = std::min(store.recordCount, kLogCapacity);
    const auto& values = store.values[static_cast<std::size_t>(channel)];
    LimitSide runSide = LimitSide::Inside;
    int32_t runStart = -1;
    int64_t runSeconds = 0;
    auto endRun = [&] {
        if (runSide != LimitSide::Inside &&
            (summary.longestStart < 0 || runSeconds > summary.longestSeconds)) {
            summary.longestSeconds = runSeconds;
            summary.longestStart = runStart;
        }
    };
    for (uint32_t i = 0; i < count; ++i) {
        const LimitSide side = limitSide(limit, values[i]);
        if (side != runSide) {
            endRun();
            runSide = side;
            runStart = static_cast<int32_t>(i);
            runSeconds = 0;
            if (side != LimitSide::Inside) ++summary.excursions;
        }
        if (side == LimitSide::Inside) continue;
        const int64_t seconds = recordSeconds(store, i, count);
        runSeconds += seconds;
        (side == LimitSide::Above ? summary.secondsAbove : summary.secondsBelow) += seconds;
    }
    endRun();
    return summary;
}
