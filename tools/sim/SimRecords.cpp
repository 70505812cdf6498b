#include "sim/SimRecords.h"

#include <ctime>

namespace {

// A triangle wave of period 40 and amplitude 20: smooth enough to look like a
// sensor, varied enough to catch a swapped channel or a shifted record.
int wander(int i) {
    int phase = i % 40;
    return phase < 20 ? phase : 40 - phase;
}

}  // namespace

std::vector<SimRecord> makeSimRecords(int count, const SimRecord& first, int intervalSeconds) {
    std::vector<SimRecord> records;
    if (count <= 0) return records;
    records.reserve(static_cast<size_t>(count));
    std::tm start{};
    start.tm_year = first.year - 1900;
    start.tm_mon = first.month - 1;
    start.tm_mday = first.day;
    start.tm_hour = first.hour;
    start.tm_min = first.minute;
    start.tm_sec = first.second;
    // Calendar arithmetic in UTC, so that no daylight-saving step moves a record.
    const std::time_t base = timegm(&start);
    for (int i = 0; i < count; ++i) {
        std::time_t t = base + static_cast<std::time_t>(i) * intervalSeconds;
        std::tm tm{};
        gmtime_r(&t, &tm);
        int w = wander(i);
        records.push_back({tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                           tm.tm_sec, first.ch1 + w, static_cast<int16_t>(first.ch2 - w),
                           static_cast<int16_t>(first.ch3 + 2 * w),
                           static_cast<int16_t>(first.ch4 - 2 * w)});
    }
    return records;
}
