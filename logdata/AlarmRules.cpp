#include "logdata/AlarmRules.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr int64_t kSecondsPerMinute = 60;
constexpr int32_t kMostMinutes = 366 * 24 * 60;
constexpr std::string_view kAnyName = "any";
constexpr std::string_view kSingleName = "single:";
constexpr std::string_view kTotalName = "total:";

}  // namespace

bool ruleBroken(const AlarmRule& rule, int32_t excursions, int64_t longestSeconds,
                int64_t totalSeconds) {
    const int64_t allowed = std::max<int64_t>(rule.minutes, 0) * kSecondsPerMinute;
    switch (rule.kind) {
        case AlarmRuleKind::SingleLonger:
            return longestSeconds > allowed;
        case AlarmRuleKind::TotalLonger:
            return totalSeconds > allowed;
        default:
            return excursions > 0;
    }
}

std::string alarmRuleText(const AlarmRule& rule) {
    switch (rule.kind) {
        case AlarmRuleKind::SingleLonger:
            return std::string(kSingleName) + std::to_string(rule.minutes);
        case AlarmRuleKind::TotalLonger:
            return std::string(kTotalName) + std::to_string(rule.minutes);
        default:
            return std::string(kAnyName);
    }
}

std::optional<AlarmRule> parseAlarmRule(std::string_view text) {
    if (text == kAnyName) return AlarmRule{};
    AlarmRule rule;
    if (text.starts_with(kSingleName)) {
        rule.kind = AlarmRuleKind::SingleLonger;
        text.remove_prefix(kSingleName.size());
    } else if (text.starts_with(kTotalName)) {
        rule.kind = AlarmRuleKind::TotalLonger;
        text.remove_prefix(kTotalName.size());
    } else {
        return std::nullopt;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), rule.minutes);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        rule.minutes < 0 || rule.minutes > kMostMinutes)
        return std::nullopt;
    return rule;
}
