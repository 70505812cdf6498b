#include "logdata/LogAnalysis.h"

#include <algorithm>
#include <cmath>

#include "logdata/KineticTemperature.h"
#include "logdata/RecordTimes.h"

namespace {

// Max, min and average as the store figures them (the same float sum, so
// the same bits), and the standard deviation.
void addStatistics(ChannelAnalysis& channel, const std::array<float, kLogCapacity>& values,
                   uint32_t count) {
    if (count == 0) return;
    float max = values[0];
    float min = values[0];
    float sum = values[0];
    for (uint32_t i = 1; i < count; ++i) {
        max = std::max(max, values[i]);
        min = std::min(min, values[i]);
        sum += values[i];
    }
    channel.max = max;
    channel.min = min;
    channel.average = static_cast<double>(sum / static_cast<float>(count));
    double mean = 0;
    for (uint32_t i = 0; i < count; ++i) mean += values[i];
    mean /= count;
    double squares = 0;
    for (uint32_t i = 0; i < count; ++i) squares += (values[i] - mean) * (values[i] - mean);
    channel.standardDeviation = std::sqrt(squares / count);
}

// The longest excursion on one side of the channel, from the list.
int64_t longestOn(const std::vector<Excursion>& excursions, size_t from, LimitSide side) {
    int64_t longest = 0;
    for (size_t i = from; i < excursions.size(); ++i)
        if (excursions[i].side == side) longest = std::max(longest, excursions[i].seconds);
    return longest;
}

int32_t countOn(const std::vector<Excursion>& excursions, size_t from, LimitSide side) {
    return static_cast<int32_t>(
        std::count_if(excursions.begin() + static_cast<ptrdiff_t>(from), excursions.end(),
                      [side](const Excursion& e) { return e.side == side; }));
}

void judge(ChannelAnalysis& channel, const std::vector<Excursion>& excursions, size_t from,
           uint32_t records) {
    // Without records nothing shows the goods stayed inside: no verdict.
    if (!channel.limit.any() || records == 0) return;
    const struct {
        bool limited;
        LimitSide side;
        const AlarmRule& rule;
        int64_t total;
    } sides[] = {
        {channel.limit.high.has_value(), LimitSide::Above, channel.limit.highRule,
         channel.summary.secondsAbove},
        {channel.limit.low.has_value(), LimitSide::Below, channel.limit.lowRule,
         channel.summary.secondsBelow},
    };
    channel.verdict = Verdict::Pass;
    for (const auto& s : sides) {
        if (!s.limited) continue;
        if (ruleBroken(s.rule, countOn(excursions, from, s.side),
                       longestOn(excursions, from, s.side), s.total)) {
            channel.verdict = Verdict::Fail;
            channel.failedSide = s.side;
            return;
        }
    }
}

}  // namespace

const char* verdictName(Verdict verdict) {
    switch (verdict) {
        case Verdict::Pass:
            return "pass";
        case Verdict::Fail:
            return "fail";
        default:
            return "none";
    }
}

LogAnalysis analyzeLog(const LogStore& store, const ChannelLimits& limits,
                       double activationEnergy) {
    LogAnalysis analysis;
    analysis.logInterval = logIntervalSeconds(store);
    const uint32_t count = std::min(store.recordCount, kLogCapacity);
    const int present = static_cast<int>(std::min<uint32_t>(store.channelCount, kChannels));
    bool anyJudged = false;
    bool anyFailed = false;
    for (int c = 0; c < present; ++c) {
        ChannelAnalysis& channel = analysis.channels[static_cast<size_t>(c)];
        channel.present = true;
        channel.limit = limits[static_cast<size_t>(c)];
        addStatistics(channel, store.values[static_cast<size_t>(c)], count);
        channel.mkt = meanKineticTemperature(store, c, activationEnergy);
        const size_t from = analysis.excursions.size();
        // The gaps are the log's, the same for every channel: listed once.
        channel.summary = scanExcursions(store, c, channel.limit, analysis.logInterval,
                                         &analysis.excursions, c == 0 ? &analysis.gaps : nullptr);
        judge(channel, analysis.excursions, from, count);
        anyJudged = anyJudged || channel.verdict != Verdict::None;
        anyFailed = anyFailed || channel.verdict == Verdict::Fail;
    }
    if (anyJudged) analysis.verdict = anyFailed ? Verdict::Fail : Verdict::Pass;
    return analysis;
}
