#include "Reports.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "Json.h"
#include "Printable.h"
#include "base/NumberFormat.h"
#include "logdata/LogAnalysis.h"
#include "logdata/RecordTimes.h"
#include "logdata/StampText.h"
#include "record/AppData.h"
#include "setup/CodePage.h"
#include "views/LimitTexts.h"

namespace {

// A fixed text field up to its first zero byte.
template <size_t N>
std::string_view fieldText(const char (&field)[N]) {
    return {field, strnlen(field, N)};
}

// The logger's name, kept in its own code page, as UTF-8.
std::string nameText(const LoggerSetup& setup) {
    return decodeLoggerText(fieldText(setup.name));
}

// Values come from a logger or a file: their control characters are shown, not obeyed.
std::string line(std::string_view key, std::string_view value) {
    return std::string(key) + ": " + printable(value) + "\n";
}

std::string line(std::string_view key, int64_t value) {
    return line(key, std::to_string(value));
}

std::string joined(const auto& values, auto&& format) {
    std::string text;
    for (const auto& v : values) {
        if (!text.empty()) text += ' ';
        text += format(v);
    }
    return text;
}

// The channels a log uses, at most four.
int usedChannels(const LogStore& store) {
    return static_cast<int>(std::min<uint32_t>(store.channelCount, kChannels));
}

std::span<const std::string> usedUnits(const LogStore& store) {
    return std::span(store.unitTexts, static_cast<size_t>(usedChannels(store)));
}

std::span<const float> usedValues(const LogStore& store, const float (&values)[kChannels]) {
    return std::span(values, static_cast<size_t>(usedChannels(store)));
}

std::string unitsText(const LogStore& store) {
    return joined(usedUnits(store), [](const std::string& unit) { return unit; });
}

std::string valuesText(const LogStore& store, const float (&values)[kChannels]) {
    return joined(usedValues(store, values), jsonNumber);
}

// The report lines of the MKTs and the limits of the log's channels.
std::string channelFigureLines(const AppData& data) {
    std::string text;
    for (int c = 0; c < usedChannels(data.log.store); ++c) {
        const std::string mkt =
            mktReportLine(data.log.store, c, data.display.activationEnergy, false);
        if (!mkt.empty()) text += printable(mkt) + "\n";
    }
    for (int c = 0; c < usedChannels(data.log.store); ++c) {
        const std::string limits =
            limitsReportLine(data.log.store, c, data.display.limits[static_cast<size_t>(c)], false);
        if (!limits.empty()) text += printable(limits) + "\n";
    }
    return text;
}

std::vector<std::string> mktJson(const AppData& data) {
    std::vector<std::string> values;
    for (int c = 0; c < usedChannels(data.log.store); ++c) {
        const auto mkt = meanKineticTemperature(data.log.store, c, data.display.activationEnergy);
        values.push_back(mkt && std::isfinite(*mkt) ? fixedText(*mkt, 1) : "null");
    }
    return values;
}

std::string optionalNumber(const std::optional<float>& value) {
    return value ? jsonNumber(*value) : "null";
}

const char* failedRuleJson(const ChannelAnalysis& channel) {
    if (channel.failedSide == LimitSide::Above) return "\"high\"";
    if (channel.failedSide == LimitSide::Below) return "\"low\"";
    return "null";
}

std::string limitJson(const LogStore& store, const ChannelAnalysis& channel) {
    const ChannelLimit& limit = channel.limit;
    if (!limit.any()) return "null";
    const ExcursionSummary& s = channel.summary;
    JsonObject rules;
    rules.text("high", alarmRuleText(channel.limit.highRule))
        .text("low", alarmRuleText(channel.limit.lowRule));
    JsonObject json;
    json.raw("high", optionalNumber(limit.high))
        .raw("low", optionalNumber(limit.low))
        .integer("secondsAbove", s.secondsAbove)
        .integer("secondsBelow", s.secondsBelow)
        .text("timeAbove", hoursMinutes(s.secondsAbove))
        .text("timeBelow", hoursMinutes(s.secondsBelow))
        .integer("excursions", s.excursions)
        .integer("longestSeconds", s.longestSeconds);
    if (s.longestStart >= 0)
        json.text("longestStart", store.timestamp(static_cast<uint32_t>(s.longestStart)));
    else
        json.raw("longestStart", "null");
    json.raw("rules", rules.str())
        .text("verdict", verdictName(channel.verdict))
        .raw("failedRule", failedRuleJson(channel));
    return json.str();
}

// Nothing when no channel of the log has a limit.
std::vector<std::string> limitsJson(const LogStore& store, const LogAnalysis& analysis) {
    std::vector<std::string> values;
    bool any = false;
    for (int c = 0; c < usedChannels(store); ++c) {
        const ChannelAnalysis& channel = analysis.channels[static_cast<size_t>(c)];
        any = any || channel.limit.any();
        values.push_back(limitJson(store, channel));
    }
    if (!any) values.clear();
    return values;
}

std::string logIntervalText(const LogStore& store) {
    const auto interval = logIntervalSeconds(store);
    return interval ? std::to_string(*interval) : "-";
}

std::string logIntervalJson(const LogStore& store) {
    const auto interval = logIntervalSeconds(store);
    return interval ? std::to_string(*interval) : "null";
}

// The gaps are found by the channels' one analysis, which needs no limit for them.
GapSummary channelGaps(const LogStore& store, int channel) {
    return summarizeExcursions(store, channel, ChannelLimit{}).gaps;
}

std::string gapJson(const GapSummary& gaps) {
    JsonObject json;
    json.integer("count", gaps.count)
        .integer("seconds", gaps.seconds)
        .integer("longestSeconds", gaps.longestSeconds);
    const auto start = gaps.longestStart ? stampOfSeconds(*gaps.longestStart) : std::nullopt;
    if (start)
        json.text("longestStart", std::string_view(start->data(), start->size()));
    else
        json.raw("longestStart", "null");
    return json.str();
}

std::vector<std::string> gapsJson(const LogStore& store) {
    std::vector<std::string> values;
    for (int c = 0; c < usedChannels(store); ++c) values.push_back(gapJson(channelGaps(store, c)));
    return values;
}

// The time stamps are the same for every channel, and so are their gaps: one line.
std::string gapsLine(const LogStore& store) {
    return line("gaps", usedChannels(store) > 0 ? gapsText(channelGaps(store, 0)) : "0");
}

LogAnalysis analysisOf(const AppData& data) {
    return analyzeLog(data.log.store, data.display.limits, data.display.activationEnergy);
}

std::vector<double> standardDeviations(const LogStore& store, const LogAnalysis& analysis) {
    std::vector<double> values;
    for (int c = 0; c < usedChannels(store); ++c)
        values.push_back(analysis.channels[static_cast<size_t>(c)].standardDeviation);
    return values;
}

// "verdict: fail", then per channel with a limit "ch1: fail (high, single:30)";
// nothing for a log without limits.
std::string verdictLines(const LogStore& store, const LogAnalysis& analysis) {
    if (limitsJson(store, analysis).empty()) return {};
    std::string text = line("verdict", verdictName(analysis.verdict));
    for (int c = 0; c < usedChannels(store); ++c) {
        const ChannelAnalysis& channel = analysis.channels[static_cast<size_t>(c)];
        if (channel.verdict == Verdict::None) continue;
        std::string value = verdictName(channel.verdict);
        if (channel.failedSide == LimitSide::Above)
            value += " (high, " + alarmRuleText(channel.limit.highRule) + ")";
        else if (channel.failedSide == LimitSide::Below)
            value += " (low, " + alarmRuleText(channel.limit.lowRule) + ")";
        text += line("ch" + std::to_string(c + 1), value);
    }
    return text;
}

std::vector<std::string> stddevJson(const LogStore& store, const LogAnalysis& analysis) {
    std::vector<std::string> values;
    for (double v : standardDeviations(store, analysis)) values.push_back(fixedText(v, 2));
    return values;
}

struct SetupLimit {
    const char* key;
    int64_t value;
};

std::vector<SetupLimit> limits(const LoggerSetup& s) {
    return {{"ch1High", s.ch1High}, {"ch1Low", s.ch1Low},   {"ch2High", s.ch2High},
            {"ch2Low", s.ch2Low},   {"ch3High", s.ch3High}, {"ch3Low", s.ch3Low},
            {"ch4High", s.ch4High}, {"ch4Low", s.ch4Low}};
}

std::vector<int64_t> offsets(const LoggerSetup& s) {
    return {s.offsets[0], s.offsets[1], s.offsets[2], s.offsets[3]};
}

}  // namespace

std::string identityText(const LoggerSetup& setup, const LogStore& store) {
    return line("serialNo", fieldText(setup.serialNo)) +
           line("channelConfig", setup.channelConfig) + line("channels", store.channelCount) +
           line("units", unitsText(store));
}

std::string setupText(const LoggerSetup& s) {
    std::string text =
        line("name", nameText(s)) + line("serialNo", fieldText(s.serialNo)) +
        line("model", fieldText(s.model)) + line("hardwareVersion", fieldText(s.hardwareVersion)) +
        line("channelConfig", s.channelConfig) + line("samplingInterval", s.samplingInterval) +
        line("logInterval", s.logInterval) + line("logsCount", s.logsCount) +
        line("capacity", s.capacity) + line("manuLogsCount", s.manuLogsCount);
    for (const SetupLimit& limit : limits(s)) text += line(limit.key, limit.value);
    return text + line("offsets", joined(offsets(s), [](int64_t v) { return std::to_string(v); }));
}

std::string setupJson(const LoggerSetup& s) {
    JsonObject json;
    json.text("name", nameText(s))
        .text("serialNo", fieldText(s.serialNo))
        .text("model", fieldText(s.model))
        .text("hardwareVersion", fieldText(s.hardwareVersion))
        .integer("channelConfig", s.channelConfig)
        .integer("samplingInterval", s.samplingInterval)
        .integer("logInterval", s.logInterval)
        .integer("logsCount", s.logsCount)
        .integer("capacity", s.capacity)
        .integer("manuLogsCount", s.manuLogsCount);
    for (const SetupLimit& limit : limits(s)) json.integer(limit.key, limit.value);
    return json.integers("offsets", offsets(s)).str() + "\n";
}

std::string logInfoText(const AppData& data) {
    const LogStore& store = data.log.store;
    const LoggerSetup& setup = data.log.setup;
    const LogAnalysis analysis = analysisOf(data);
    std::string text = line("file", store.currentFilePath) + line("name", nameText(setup)) +
                       line("hardware", fieldText(setup.hardwareVersion)) +
                       line("serialNo", fieldText(setup.serialNo)) +
                       line("recordCount", store.recordCount) +
                       line("channelCount", store.channelCount) + line("units", unitsText(store));
    if (store.recordCount > 0) {
        text += line("first", stampText(store.timestamp(0))) +
                line("last", stampText(store.timestamp(store.recordCount - 1)));
    }
    return text + line("max", valuesText(store, store.maxValue)) +
           line("min", valuesText(store, store.minValue)) +
           line("avg", valuesText(store, store.avgValue)) +
           line("axis", std::to_string(store.axisMin) + " .. " + std::to_string(store.axisMax) +
                            " step " + std::to_string(store.axisStep)) +
           line("stddev", joined(standardDeviations(store, analysis),
                                 [](double v) { return fixedText(v, 2); })) +
           line("logInterval", logIntervalText(store)) + gapsLine(store) +
           channelFigureLines(data) + verdictLines(store, analysis);
}

std::string logInfoJson(const AppData& data) {
    const LogStore& store = data.log.store;
    const LoggerSetup& setup = data.log.setup;
    const LogAnalysis analysis = analysisOf(data);
    JsonObject json;
    json.text("name", nameText(setup))
        .text("hardware", fieldText(setup.hardwareVersion))
        .text("serialNo", fieldText(setup.serialNo))
        .integer("recordCount", store.recordCount)
        .integer("channelCount", store.channelCount)
        .texts("units", usedUnits(store));
    if (store.recordCount > 0) {
        json.text("first", store.timestamp(0)).text("last", store.timestamp(store.recordCount - 1));
    }
    json.reals("max", usedValues(store, store.maxValue))
        .reals("min", usedValues(store, store.minValue))
        .reals("avg", usedValues(store, store.avgValue))
        .raws("stddev", stddevJson(store, analysis))
        .integer("axisMax", store.axisMax)
        .integer("axisMin", store.axisMin)
        .integer("axisStep", store.axisStep)
        .raw("logInterval", logIntervalJson(store))
        .raws("gaps", gapsJson(store))
        .raws("mkt", mktJson(data));
    const std::vector<std::string> limits = limitsJson(store, analysis);
    if (!limits.empty()) json.raws("limits", limits).text("verdict", verdictName(analysis.verdict));
    return json.str() + "\n";
}
