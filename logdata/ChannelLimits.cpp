#include "logdata/ChannelLimits.h"

#include <algorithm>

#include "logdata/RecordTimes.h"

namespace {

// Adds a run outside that just ended, if it is the longest so far.
void endRun(ExcursionSummary& summary, LimitSide side, int32_t start, int64_t seconds) {
    if (side != LimitSide::Inside &&
        (summary.longestStart < 0 || seconds > summary.longestSeconds)) {
        summary.longestSeconds = seconds;
        summary.longestStart = start;
    }
}

void addGap(GapSummary& gaps, const RecordTime& time) {
    ++gaps.count;
    gaps.seconds += time.gapSeconds;
    if (!gaps.longestStart || time.gapSeconds > gaps.longestSeconds) {
        gaps.longestSeconds = time.gapSeconds;
        gaps.longestStart = time.gapStart;
    }
}

}  // namespace

bool anyLimit(const ChannelLimits& limits) {
    return std::any_of(limits.begin(), limits.end(), [](const ChannelLimit& l) { return l.any(); });
}

LimitSide limitSide(const ChannelLimit& limit, float value) {
    if (limit.high && value > *limit.high) return LimitSide::Above;
    if (limit.low && value < *limit.low) return LimitSide::Below;
    return LimitSide::Inside;
}

ExcursionSummary summarizeExcursions(const LogStore& store, int channel,
                                     const ChannelLimit& limit) {
    return scanExcursions(store, channel, limit, logIntervalSeconds(store), nullptr, nullptr);
}

namespace {

// How far outside its limit a value on `side` lies; positive.
float beyond(const ChannelLimit& limit, LimitSide side, float value) {
    return side == LimitSide::Above ? value - *limit.high : *limit.low - value;
}

// The run outside being followed, told when it ends.
struct Run {
    LimitSide side = LimitSide::Inside;
    Excursion excursion;
};

void endRun(ExcursionSummary& summary, std::vector<Excursion>* excursions, const Run& run,
            uint32_t end) {
    if (run.side == LimitSide::Inside) return;
    endRun(summary, run.side, static_cast<int32_t>(run.excursion.start), run.excursion.seconds);
    if (excursions == nullptr) return;
    excursions->push_back(run.excursion);
    excursions->back().end = end;
}

}  // namespace

ExcursionSummary scanExcursions(const LogStore& store, int channel, const ChannelLimit& limit,
                                std::optional<int64_t> logInterval,
                                std::vector<Excursion>* excursions, std::vector<Gap>* gaps) {
    ExcursionSummary summary;
    if (channel < 0 || channel >= kChannels) return summary;
    const auto& values = store.values[static_cast<std::size_t>(channel)];
    RecordClock clock(store, logInterval);
    Run run;
    bool afterGap = false;
    for (uint32_t i = 0; i < clock.count(); ++i) {
        const RecordTime time = clock.next();
        const float value = values[i];
        const LimitSide side = limitSide(limit, value);
        if (side != run.side || afterGap) {
            endRun(summary, excursions, run, i);
            run.side = side;
            run.excursion = {channel, side, i, i, 0, value, 0};
            if (side != LimitSide::Inside) ++summary.excursions;
        }
        afterGap = time.gapSeconds > 0;
        if (afterGap) {
            addGap(summary.gaps, time);
            if (gaps != nullptr) gaps->push_back({time.gapStart, time.gapSeconds});
        }
        if (side == LimitSide::Inside) continue;
        Excursion& excursion = run.excursion;
        excursion.seconds += time.seconds;
        if (beyond(limit, side, value) > beyond(limit, side, excursion.peak))
            excursion.peak = value;
        excursion.degreeMinutes += static_cast<double>(beyond(limit, side, value)) *
                                   static_cast<double>(time.seconds) / 60.0;
        (side == LimitSide::Above ? summary.secondsAbove : summary.secondsBelow) += time.seconds;
    }
    endRun(summary, excursions, run, clock.count() > 0 ? clock.count() - 1 : 0);
    return summary;
}
