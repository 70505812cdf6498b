#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "logdata/ChannelLimits.h"
#include "logdata/LogStore.h"

// The one analysis of a log against its limits and alarm rules: every
// excursion and gap, the time outside, the statistics with the standard
// deviation and the MKT, and the verdict. The Limits pane, the command line
// and the report take their figures from here, so they never disagree.

enum class Verdict { None, Pass, Fail };

struct ChannelAnalysis {
    bool present = false;  // one of the log's channels
    float max = 0;
    float min = 0;
    double average = 0;
    double standardDeviation = 0;  // of all its records (population)
    std::optional<double> mkt;     // temperature channels only
    ChannelLimit limit;
    ExcursionSummary summary;
    Verdict verdict = Verdict::None;  // None without a limit
    // The side whose rule failed first (high before low); Inside when it passed.
    LimitSide failedSide = LimitSide::Inside;
};

struct LogAnalysis {
    std::array<ChannelAnalysis, kChannels> channels;
    std::vector<Excursion> excursions;  // by channel, then in time order
    std::vector<Gap> gaps;              // in time order
    std::optional<int64_t> logInterval;
    // Pass when every channel with a limit passes; None when no channel has one.
    Verdict verdict = Verdict::None;
};

LogAnalysis analyzeLog(const LogStore& store, const ChannelLimits& limits, double activationEnergy);

// "pass", "fail" or "none": the verdict's name in files and on the command line.
const char* verdictName(Verdict verdict);
