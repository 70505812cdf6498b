#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "logdata/LogStore.h"

// A channel's alarm limits as the user set them, in the unit the channel's
// values are stored in. Either may be unset.
struct ChannelLimit {
    std::optional<float> high;
    std::optional<float> low;

    bool any() const { return high.has_value() || low.has_value(); }
    bool operator==(const ChannelLimit&) const = default;
};
using ChannelLimits = std::array<ChannelLimit, kChannels>;

enum class LimitSide { Inside, Above, Below };

// Above when value > high, below when value < low; a value on a limit is inside.
LimitSide limitSide(const ChannelLimit& limit, float value);

// What a channel's records did against its limits.
struct ExcursionSummary {
    int64_t secondsAbove = 0;
    int64_t secondsBelow = 0;
    int32_t excursions = 0;      // runs of consecutive records on one side outside
    int64_t longestSeconds = 0;  // the longest run's time; the first of equals wins
    int32_t longestStart = -1;   // the record that starts it; -1 when there is none

    bool operator==(const ExcursionSummary&) const = default;
};

// The seconds a record stands for: from its time to the next record's; the
// last record stands for as long as the one before it, a lone record for
// none. A time stamp that does not read as a date, or a next record that is
// not later, gives zero. A run that goes from above straight to below ends
// there and the next begins.
ExcursionSummary summarizeExcursions(const LogStore& store, int channel, const ChannelLimit& limit);

// Seconds since 1970-01-01 00:00:00 of a time stamp read as a civil time
// (no time zone), or nothing when it is no valid date and time.
std::optional<int64_t> stampSeconds(const Timestamp& stamp);
