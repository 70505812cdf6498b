#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// When a limit counts as broken.
enum class AlarmRuleKind {
    AnyReading,    // any reading outside
    SingleLonger,  // one excursion longer than the rule's minutes
    TotalLonger,   // the time outside, all excursions together, longer than the minutes
};

struct AlarmRule {
    AlarmRuleKind kind = AlarmRuleKind::AnyReading;
    // For the two "longer than" rules; a value below zero counts as zero, the
    // strictest reading, so that a slip never lets a log pass.
    int32_t minutes = 0;

    bool operator==(const AlarmRule&) const = default;
};

// Whether `rule` is broken on one side by the excursions of that side:
// their count, the longest and the total time, in seconds.
bool ruleBroken(const AlarmRule& rule, int32_t excursions, int64_t longestSeconds,
                int64_t totalSeconds);

// The rule as the command line and the kept settings write it: "any",
// "single:30", "total:120" (minutes).
std::string alarmRuleText(const AlarmRule& rule);
// The rule of such a text; nothing for any other text, minutes below zero
// or above a year among them.
std::optional<AlarmRule> parseAlarmRule(std::string_view text);
