#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "logdata/AlarmRules.h"
#include "logdata/LogStore.h"
#include "logdata/StampSeconds.h"

// A channel's alarm limits as the user set them, in the unit the channel's
// values are stored in. Either may be unset. Each has its rule of when it
// counts as broken, kept with it; a rule without its limit decides nothing.
struct ChannelLimit {
    std::optional<float> high;
    std::optional<float> low;
    AlarmRule highRule{};
    AlarmRule lowRule{};

    bool any() const { return high.has_value() || low.has_value(); }
    bool operator==(const ChannelLimit&) const = default;
};
using ChannelLimits = std::array<ChannelLimit, kChannels>;

// Some channel has a limit set.
bool anyLimit(const ChannelLimits& limits);

enum class LimitSide { Inside, Above, Below };

// Above when value > high, below when value < low; a value on a limit is inside.
LimitSide limitSide(const ChannelLimit& limit, float value);

// Where a log has no data (see RecordTimes.h).
struct GapSummary {
    int32_t count = 0;
    int64_t seconds = 0;                  // all gaps together
    int64_t longestSeconds = 0;           // the first of equals wins
    std::optional<int64_t> longestStart;  // seconds since 1970 (civil); nothing without a gap

    bool operator==(const GapSummary&) const = default;
};

// What a channel's records did against its limits, and where it has no data.
struct ExcursionSummary {
    int64_t secondsAbove = 0;
    int64_t secondsBelow = 0;
    int32_t excursions = 0;      // runs of consecutive records on one side outside
    int64_t longestSeconds = 0;  // the longest run's time; the first of equals wins
    int32_t longestStart = -1;   // the record that starts it; -1 when there is none
    GapSummary gaps{};

    bool operator==(const ExcursionSummary&) const = default;
};

// A run of records outside one limit of one channel.
struct Excursion {
    int32_t channel = 0;
    LimitSide side = LimitSide::Above;
    uint32_t start = 0;  // the first record outside
    // The first record after the run (back inside, or after a gap or on the
    // other side, where the next run begins), or the log's last record when
    // the run lasts to its end.
    uint32_t end = 0;
    int64_t seconds = 0;  // the time its records stand for
    float peak = 0;       // the value furthest outside
    // The area outside the limit: the channel's unit times minutes.
    double degreeMinutes = 0;

    bool operator==(const Excursion&) const = default;
};

// A time without data: longer than one and a half log intervals between two records.
struct Gap {
    int64_t start = 0;  // seconds since 1970 (civil)
    int64_t seconds = 0;

    bool operator==(const Gap&) const = default;
};

// The analysis of a channel that the window, the report and the command
// line share. Each record counts the time it stands for by the log's own
// interval (RecordTimes.h), so that the time outside never exceeds the log's
// span; a gap ends a run, as nothing says where the values went meanwhile.
// A run that goes from above straight to below ends there and the next
// begins. Without a limit set the summary has the gaps only; a channel that
// is none of the store's four has none.
ExcursionSummary summarizeExcursions(const LogStore& store, int channel, const ChannelLimit& limit);

// The same, for a log interval found before (RecordTimes.h), adding each
// excursion and each gap to the lists given.
ExcursionSummary scanExcursions(const LogStore& store, int channel, const ChannelLimit& limit,
                                std::optional<int64_t> logInterval,
                                std::vector<Excursion>* excursions, std::vector<Gap>* gaps);
