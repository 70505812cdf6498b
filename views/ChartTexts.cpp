#include "views/ChartTexts.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "base/NumberFormat.h"
#include "link/LoggerSetup.h"
#include "logdata/LogStore.h"
#include "setup/CodePage.h"
#include "views/TemperatureUnit.h"

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
    const char* b = recordTime(store, 0).data();
    const char* e = recordTime(store, store.recordCount - 1).data();
    char text[kTextBuffer];
    std::snprintf(text, sizeof text,
                  "TOTAL LOGS:%d, CHANNELS:%d, BEGIN:%c%c%c%c-%c%c-%c%c %c%c:%c%c:%c%c, "
                  "END:%c%c%c%c-%c%c-%c%c %c%c:%c%c:%c%c.",
                  static_cast<int>(store.recordCount), static_cast<int>(store.channelCount), b[0],
                  b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], b[13],
                  e[0], e[1], e[2], e[3], e[4], e[5], e[6], e[7], e[8], e[9], e[10], e[11], e[12],
                  e[13]);
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
    const char* t = recordTime(store, i).data();
    char text[kTextBuffer];
    std::snprintf(text, sizeof text, "%c%c:%c%c", t[8], t[9], t[10], t[11]);
    return text;
}

std::string chartDateLabelText(const LogStore& store, uint32_t i) {
    const char* t = recordTime(store, i).data();
    char text[kTextBuffer];
    std::snprintf(text, sizeof text, "%c%c%c%c/%c%c/%c%c", t[0], t[1], t[2], t[3], t[4], t[5], t[6],
                  t[7]);
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
