#include "views/LimitTexts.h"

#include <optional>
#include <string>

#include "base/NumberFormat.h"
#include "logdata/KineticTemperature.h"
#include "logdata/LogStore.h"
#include "views/TemperatureUnit.h"

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

}  // namespace

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
           ", excursions " + std::to_string(summary.excursions);
}

std::string mktReportLine(const LogStore& store, int channel, double activationEnergy,
                          bool fahrenheit) {
    const auto mkt = meanKineticTemperature(store, channel, activationEnergy);
    if (!mkt) return {};
    // The MKT comes in the channel's own unit; an "oC" channel shown in °F
    // converts it as its values are.
    const double shown =
        showsFahrenheit(store, channel, fahrenheit) ? *mkt * 9.0 / 5.0 + 32.0 : *mkt;
    return channelName(channel) + " MKT " + fixedText(shown, 1) + " " +
           std::string(shownUnitText(store, channel, fahrenheit)) + " (" +
           fixedText(activationEnergy / 1000.0, 3) + " kJ/mol)";
}
