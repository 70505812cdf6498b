#include "views/LimitTexts.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "base/NumberFormat.h"
#include "base/Texts.h"
#include "logdata/KineticTemperature.h"
#include "logdata/LogStore.h"
#include "logdata/StampSeconds.h"
#include "logdata/StampText.h"
#include "logdata/Units.h"

namespace {

std::string channelName(int channel) {
    return "CH" + std::to_string(channel + 1);
}

std::string oneDecimal(float value) {
    char text[kOneDecimalMaxChars];
    return std::string(text, putOneDecimal(text, value));
}

std::string limitText(const LogStore& store, int channel, const std::optional<float>& value,
                      bool fahrenheit) {
    return value ? oneDecimal(shownValue(store, channel, *value, fahrenheit)) : "-";
}

// Room for a text's words and its longest figures: two times of up to
// eleven digits of hours and a date.
constexpr std::size_t kFormattedMaxChars = 256;

// A text of the catalog's, formatted after lookup.
template <class... Values>
std::string formatted(const char* format, Values... values) {
    char text[kFormattedMaxChars];
    const int written = std::snprintf(text, sizeof text, format, values...);
    if (written < 0) return {};
    return std::string(text, std::min(static_cast<std::size_t>(written), sizeof text - 1));
}

std::string gapsPart(const GapSummary& gaps) {
    return gaps.count > 0 ? formatted(tx(", gaps %s"), gapsText(gaps).c_str()) : std::string();
}

}  // namespace

std::string readableTime(int64_t seconds) {
    const std::optional<Timestamp> stamp = stampOfSeconds(seconds);
    return stamp ? stampText(*stamp) : "-";
}

std::string gapsText(const GapSummary& gaps) {
    if (gaps.count == 0 || !gaps.longestStart) return "0";
    return formatted(tx("%d, no data %s, longest %s from %s"), gaps.count,
                     hoursMinutes(gaps.seconds).c_str(), hoursMinutes(gaps.longestSeconds).c_str(),
                     readableTime(*gaps.longestStart).c_str());
}

std::string hoursMinutes(int64_t seconds) {
    const int64_t minutes = seconds > 0 ? seconds / 60 : 0;
    const int64_t minute = minutes % 60;
    return std::to_string(minutes / 60) + (minute < 10 ? ":0" : ":") + std::to_string(minute);
}

std::string limitsReportLine(const LogStore& store, int channel, const ChannelLimit& limit,
                             bool fahrenheit) {
    if (channel < 0 || channel >= kChannels || !limit.any()) return {};
    const ExcursionSummary summary = summarizeExcursions(store, channel, limit);
    return channelName(channel) + " limits " + limitText(store, channel, limit.low, fahrenheit) +
           " .. " + limitText(store, channel, limit.high, fahrenheit) + " " +
           std::string(shownUnitText(store, channel, fahrenheit)) + ": above " +
           hoursMinutes(summary.secondsAbove) + ", below " + hoursMinutes(summary.secondsBelow) +
           ", excursions " + std::to_string(summary.excursions) + gapsPart(summary.gaps);
}

std::string mktReportLine(const LogStore& store, int channel, double activationEnergy,
                          bool fahrenheit) {
    const auto mkt = meanKineticTemperature(store, channel, activationEnergy);
    if (!mkt) return {};
    // The MKT comes in the channel's own unit; an "oC" channel shown in °F
    // converts it as its values are.
    const double shown = shownValue(store, channel, *mkt, fahrenheit);
    return channelName(channel) + " MKT " + fixedText(shown, 1) + " " +
           std::string(shownUnitText(store, channel, fahrenheit)) + " (" +
           fixedText(activationEnergy / 1000.0, 3) + " kJ/mol)";
}
