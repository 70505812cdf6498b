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
    ExcursionSummary summary;
    if (channel < 0 || channel >= kChannels) return summary;
    const auto& values = store.values[static_cast<std::size_t>(channel)];
    RecordClock clock(store, logIntervalSeconds(store));
    LimitSide runSide = LimitSide::Inside;
    int32_t runStart = -1;
    int64_t runSeconds = 0;
    bool afterGap = false;
    for (uint32_t i = 0; i < clock.count(); ++i) {
        const RecordTime time = clock.next();
        const LimitSide side = limitSide(limit, values[i]);
        if (side != runSide || afterGap) {
            endRun(summary, runSide, runStart, runSeconds);
            runSide = side;
            runStart = static_cast<int32_t>(i);
            runSeconds = 0;
            if (side != LimitSide::Inside) ++summary.excursions;
        }
        afterGap = time.gapSeconds > 0;
        if (afterGap) addGap(summary.gaps, time);
        if (side == LimitSide::Inside) continue;
        runSeconds += time.seconds;
        (side == LimitSide::Above ? summary.secondsAbove : summary.secondsBelow) += time.seconds;
    }
    endRun(summary, runSide, runStart, runSeconds);
    return summary;
}
