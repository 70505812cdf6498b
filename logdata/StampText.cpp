#include "logdata/StampText.h"

#include <algorithm>

namespace {

// The most digits an int32_t holds whatever they are.
constexpr std::size_t kMostDigits = 9;

char* putPart(char* out, const char* stamp, std::size_t at, std::size_t count) {
    return std::copy_n(stamp + at, count, out);
}

}  // namespace

char* putStampDate(char* out, const char* stamp, char separator) {
    out = putPart(out, stamp, kYearAt, kYearDigits);
    *out++ = separator;
    out = putPart(out, stamp, kMonthAt, kPartDigits);
    *out++ = separator;
    return putPart(out, stamp, kDayAt, kPartDigits);
}

char* putStampHoursMinutes(char* out, const char* stamp) {
    out = putPart(out, stamp, kHourAt, kPartDigits);
    *out++ = ':';
    return putPart(out, stamp, kMinuteAt, kPartDigits);
}

char* putStampClock(char* out, const char* stamp) {
    out = putStampHoursMinutes(out, stamp);
    *out++ = ':';
    return putPart(out, stamp, kSecondAt, kPartDigits);
}

char* putStampText(char* out, const char* stamp, char between) {
    out = putStampDate(out, stamp);
    *out++ = between;
    return putStampClock(out, stamp);
}

std::string stampText(std::string_view stamp) {
    if (stamp.size() < static_cast<std::size_t>(kTimestampLength)) return {};
    char text[kStampTextLength];
    return std::string(text, putStampText(text, stamp.data()));
}

std::string stampText(const Timestamp& stamp) {
    return stampText(std::string_view(stamp.data(), stamp.size()));
}

int32_t stampDigits(std::string_view stamp, std::size_t at, std::size_t count) {
    if (count > kMostDigits || at > stamp.size() || count > stamp.size() - at) return -1;
    int32_t value = 0;
    for (const char c : stamp.substr(at, count)) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}
