#include "views/ChartTexts.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "base/NumberFormat.h"
#include "link/LoggerSetup.h"
#include "logdata/LogStore.h"
#include "logdata/StampText.h"
#include "logdata/Units.h"
#include "setup/CodePage.h"

namespace {

constexpr size_t kNameBytes = 24;
constexpr size_t kTextBuffer = 512;

const Timestamp& recordTime(const LogStore& store, uint32_t i) {
    return store.timestamps[std::min(i, kLogCapacity - 1)];
}

}  // namespace

std::string chartTitleText(const LoggerSetup& setup) {
    const std::string name =
        decodeLoggerText(std::string_view(setup.name, strnlen(setup.name, kNameBytes)));
    const char* s = setup.serialNo;
    char text[kTextBuffer];
    std::snprintf(text, sizeof text, "%s Records Report (%c%c%c%c%c%c%c%c%c%c)", name.c_str(), s[0],
                  s[1], s[2], s[3], s[4], s[5], s[6], s[7], s[8], s[9]);
    return text;
}

std::string chartSummaryText(const LogStore& store) {
    char begin[kStampTextLength + 1] = {};
    char end[kStampTextLength + 1] = {};
    putStampText(begin, recordTime(store, 0).data());
    putStampText(end, recordTime(store, store.recordCount - 1).data());
    char text[kTextBuffer];
    std::snprintf(text, sizeof text, "TOTAL LOGS:%d, CHANNELS:%d, BEGIN:%s, END:%s.",
                  static_cast<int>(store.recordCount), static_cast<int>(store.channelCount), begin,
                  end);
    return text;
}

std::string chartChannelRowText(const LogStore& store, int channel, bool fahrenheit) {
    const int c = std::clamp(channel, 1, kChannels) - 1;
    const auto shown = [&](float v) {
        return static_cast<double>(shownValue(store, c, v, fahrenheit));
    };
    const std::string unit(shownUnitText(store, c, fahrenheit));
    char text[kTextBuffer];
    formatC(text, "CHANNEL %02d,    %s,    MAX:%3.1f,    MIN:%3.1f,    AVE:%3.1f", c + 1,
            unit.c_str(), shown(store.maxValue[c]), shown(store.minValue[c]),
            shown(store.avgValue[c]));
    return text;
}

std::string chartValueLabelText(int value) {
    return std::to_string(value);
}

std::string chartTimeLabelText(const LogStore& store, uint32_t i) {
    char text[kStampHoursMinutesLength + 1] = {};
    putStampHoursMinutes(text, recordTime(store, i).data());
    return text;
}

std::string chartDateLabelText(const LogStore& store, uint32_t i) {
    char text[kStampDateTextLength + 1] = {};
    putStampDate(text, recordTime(store, i).data(), '/');
    return text;
}

// Two channels show both units; three show all three, in the same way.
std::string chartValueAxisTitle(const LogStore& store, bool fahrenheit) {
    const int shown = store.channelCount == 2 || store.channelCount == 3
                          ? static_cast<int>(store.channelCount)
                          : 1;
    std::string title(shownUnitText(store, 0, fahrenheit));
    for (int c = 1; c < shown; ++c) {
        title += ", ";
        title += shownUnitText(store, c, fahrenheit);
    }
    return title;
}

std::string chartLimitLabelText(float value) {
    char text[kTextBuffer];
    formatC(text, "%.1f", static_cast<double>(value));
    return text;
}
