#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "logdata/ChannelLimits.h"
#include "logdata/KineticTemperature.h"
#include "logdata/LogStore.h"
#include "logdata/RecordTimes.h"
#include "logdata/Units.h"
#include "support/CommaLocale.h"
#include "views/LimitTexts.h"

// Failures show the summary's fields by name rather than its bytes.
void PrintTo(const ExcursionSummary& s, std::ostream* out) {
    *out << "{above " << s.secondsAbove << " s, below " << s.secondsBelow << " s, excursions "
         << s.excursions << ", longest " << s.longestSeconds << " s from record " << s.longestStart
         << "; gaps " << s.gaps.count << ", " << s.gaps.seconds << " s, longest "
         << s.gaps.longestSeconds << " s from " << s.gaps.longestStart.value_or(-1) << "}";
}

namespace {

constexpr uint8_t kCelsiusCode = 0;
constexpr uint8_t kHumidityCode = 1;
constexpr uint8_t kFahrenheitCode = 5;

struct Record {
    const char* stamp;
    float value;
};

Timestamp stampOf(const char* text) {
    Timestamp stamp;
    std::copy_n(text, kTimestampLength, stamp.begin());
    return stamp;
}

// A one-channel log of the given unit; every other channel is "%RH".
std::unique_ptr<LogStore> makeLog(uint8_t unitCode, const std::vector<Record>& records) {
    auto store = std::make_unique<LogStore>();
    store->channelCount = 1;
    for (int c = 0; c < kChannels; ++c) store->setChannelUnit(c, c == 0 ? unitCode : kHumidityCode);
    for (uint32_t i = 0; i < records.size(); ++i) {
        store->timestamps[i] = stampOf(records[i].stamp);
        for (int c = 0; c < kChannels; ++c) store->values[c][i] = records[i].value;
    }
    store->recordCount = static_cast<uint32_t>(records.size());
    return store;
}

// One record a minute from 2024-01-05 08:00:00 (within the hour).
std::vector<Record> minutes(const std::vector<float>& values) {
    static const char* const kStamps[] = {
        "20240105080000", "20240105080100", "20240105080200", "20240105080300",
        "20240105080400", "20240105080500", "20240105080600", "20240105080700",
        "20240105080800", "20240105080900", "20240105081000", "20240105081100",
    };
    std::vector<Record> records;
    for (std::size_t i = 0; i < values.size() && i < std::size(kStamps); ++i)
        records.push_back({kStamps[i], values[i]});
    return records;
}

// Above, below, above straight to below, a gap of an hour and above at the end.
std::vector<Record> excursionPattern() {
    return {
        {"20240105080000", 5.0f},                             // inside
        {"20240105080100", 9.0f},                             // above from here, two minutes
        {"20240105080200", 9.5f},  {"20240105080300", 5.0f},  // inside
        {"20240105080400", 1.0f},                             // below, one minute
        {"20240105080500", 8.0f},                             // on the high limit: inside
        {"20240105080600", 2.0f},                             // on the low limit: inside
        {"20240105080700", 10.0f},                            // above, one minute
        {"20240105080800", 1.5f},   // below straight after above: a new run
        {"20240105080900", 1.0f},   // still below for a minute, then 59 minutes without data
        {"20240105090900", 5.0f},   // inside
        {"20240105091000", 12.0f},  // above; the last record counts one log interval
    };
}

// The gap of excursionPattern(): its records stand for a minute each.
GapSummary anHoursGap() {
    return {.count = 1,
            .seconds = 3540,
            .longestSeconds = 3540,
            .longestStart = stampSeconds(stampOf("20240105081000"))};
}

ChannelLimit between(float low, float high) {
    return {high, low};
}

double celsiusMkt(const std::vector<double>& celsius, double energy) {
    double sum = 0.0;
    for (const double c : celsius) sum += std::exp(-energy / (kGasConstant * (c + 273.15)));
    return (energy / kGasConstant) / -std::log(sum / static_cast<double>(celsius.size())) - 273.15;
}

}  // namespace

TEST(ChannelLimits, ExcursionsAreSummarizedFromTheRecordsTimes) {
    const ChannelLimit coldChain = between(2.0f, 8.0f);
    const struct {
        const char* name;
        ChannelLimit limit;
        std::vector<Record> records;
        ExcursionSummary expected;
    } cases[] = {
        {"above, below, above straight to below, a gap of an hour, above at the end",
         coldChain,
         excursionPattern(),
         {.secondsAbove = 240,
          .secondsBelow = 180,
          .excursions = 5,
          .longestSeconds = 120,
          .longestStart = 1,
          .gaps = anHoursGap()}},
        {"no limits", ChannelLimit{}, minutes({1.0f, 50.0f, -50.0f}), ExcursionSummary{}},
        {"values on the limits are inside", coldChain, minutes({8.0f, 2.0f, 8.0f, 2.0f}),
         ExcursionSummary{}},
        {"only a high limit",
         ChannelLimit{8.0f, std::nullopt},
         minutes({9.0f, 1.0f, -100.0f}),
         {.secondsAbove = 60, .excursions = 1, .longestSeconds = 60, .longestStart = 0}},
        {"only a low limit",
         ChannelLimit{std::nullopt, 2.0f},
         minutes({100.0f, 1.0f, 1.0f}),
         {.secondsBelow = 120, .excursions = 1, .longestSeconds = 120, .longestStart = 1}},
        {"the first of equally long runs is the longest",
         coldChain,
         minutes({9.0f, 9.0f, 5.0f, 1.0f, 1.0f, 5.0f}),
         {.secondsAbove = 120,
          .secondsBelow = 120,
          .excursions = 2,
          .longestSeconds = 120,
          .longestStart = 0}},
        {"a lone record stands for no time",
         coldChain,
         minutes({9.0f}),
         {.excursions = 1, .longestStart = 0}},
        {"times that go back or are no date count nothing",
         coldChain,
         {
             {"20240105080000", 9.0f},  // the next is earlier
             {"20240105075900", 9.0f},  // the next is no date
             {"20241305080000", 9.0f},  // no date itself
             {"20240105081000", 9.0f},  // one minute
             {"20240105081100", 5.0f},
         },
         {.secondsAbove = 60, .excursions = 1, .longestSeconds = 60, .longestStart = 0}},
        {"a gap at the end counts once, as no data",
         coldChain,
         {{"20240105080000", 9.0f},
          {"20240105080100", 9.0f},
          {"20240105080200", 9.0f},
          {"20240105090200", 9.0f}},
         {.secondsAbove = 240,
          .excursions = 2,
          .longestSeconds = 180,
          .longestStart = 0,
          .gaps = {.count = 1,
                   .seconds = 3540,
                   .longestSeconds = 3540,
                   .longestStart = stampSeconds(stampOf("20240105080300"))}}},
        {"a gap in the middle ends a run; the longer of two gaps is the longest",
         coldChain,
         {{"20240105080000", 1.0f},
          {"20240105080100", 1.0f},
          {"20240105083100", 1.0f},
          {"20240105083200", 5.0f},
          {"20240105093200", 5.0f},
          {"20240105093300", 5.0f}},
         {.secondsBelow = 180,
          .excursions = 2,
          .longestSeconds = 120,
          .longestStart = 0,
          .gaps = {.count = 2,
                   .seconds = 1740 + 3540,
                   .longestSeconds = 3540,
                   .longestStart = stampSeconds(stampOf("20240105083300"))}}},
        {"records of equal stamps stand for the one step after them",
         coldChain,
         {{"20240105080000", 9.0f},
          {"20240105080000", 9.0f},
          {"20240105080100", 9.0f},
          {"20240105080200", 5.0f}},
         {.secondsAbove = 120, .excursions = 1, .longestSeconds = 120, .longestStart = 0}},
        {"without limits only the gaps",
         ChannelLimit{},
         excursionPattern(),
         {.gaps = anHoursGap()}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto store = makeLog(kCelsiusCode, c.records);
        EXPECT_EQ(summarizeExcursions(*store, 0, c.limit), c.expected);
    }
}

// Whatever the values, limits and stamps, the time outside and the gaps fit
// in the log's span, where counting each step in full gave more than it.
TEST(ChannelLimits, TheTimeOutsideNeverExceedsTheSpan) {
    std::mt19937 random(13);
    std::uniform_int_distribution<int> step(0, 9);
    std::uniform_real_distribution<float> value(-5.0f, 15.0f);
    const int64_t start = *stampSeconds(stampOf("20240105080000"));
    for (int log = 0; log < 100; ++log) {
        SCOPED_TRACE("log " + std::to_string(log));
        auto store = std::make_unique<LogStore>();
        store->channelCount = 1;
        store->recordCount = static_cast<uint32_t>(1 + log % 40);
        int64_t at = start;
        for (uint32_t i = 0; i < store->recordCount; ++i) {
            const int s = step(random);
            at += s == 0 ? 7200 : s == 1 ? 0 : s == 2 ? -120 : 60;
            store->timestamps[i] = *stampOfSeconds(at);
            store->values[0][i] = value(random);
        }
        const ExcursionSummary summary = summarizeExcursions(*store, 0, between(2.0f, 8.0f));
        const int64_t span = logSpanSeconds(*store, logIntervalSeconds(*store));
        EXPECT_LE(summary.secondsAbove + summary.secondsBelow + summary.gaps.seconds, span);
        EXPECT_LE(summary.longestSeconds, span);
        EXPECT_LE(summary.gaps.longestSeconds, summary.gaps.seconds);
    }
}

TEST(ChannelLimits, OnlyTheStoresRecordsOfAnExistingChannelCount) {
    auto store = makeLog(kCelsiusCode, minutes({9.0f, 5.0f, 9.0f, 9.0f}));
    store->recordCount = 2;  // records 2 and 3 are stale
    const ExcursionSummary firstOnly{
        .secondsAbove = 60, .excursions = 1, .longestSeconds = 60, .longestStart = 0};
    EXPECT_EQ(summarizeExcursions(*store, 0, between(2.0f, 8.0f)), firstOnly);
    EXPECT_EQ(summarizeExcursions(*store, 3, between(2.0f, 8.0f)), firstOnly);
    EXPECT_EQ(summarizeExcursions(*store, -1, between(2.0f, 8.0f)), ExcursionSummary{});
    EXPECT_EQ(summarizeExcursions(*store, kChannels, between(2.0f, 8.0f)), ExcursionSummary{});
    store->recordCount = 0;
    EXPECT_EQ(summarizeExcursions(*store, 0, between(2.0f, 8.0f)), ExcursionSummary{});
}

TEST(ChannelLimits, ASideIsOnlyOutsideBeyondItsLimit) {
    const ChannelLimit limit = between(-2.5f, 8.0f);
    EXPECT_EQ(limitSide(limit, 8.0f), LimitSide::Inside);
    EXPECT_EQ(limitSide(limit, -2.5f), LimitSide::Inside);
    EXPECT_EQ(limitSide(limit, 8.05f), LimitSide::Above);
    EXPECT_EQ(limitSide(limit, -2.55f), LimitSide::Below);
    EXPECT_EQ(limitSide(ChannelLimit{}, 1e30f), LimitSide::Inside);
    EXPECT_FALSE(ChannelLimit{}.any());
    EXPECT_TRUE((ChannelLimit{std::nullopt, 0.0f}.any()));
}

TEST(ChannelLimits, StampsReadAsCivilSeconds) {
    const struct {
        const char* stamp;
        std::optional<int64_t> seconds;
    } cases[] = {
        {"19700101000000", 0},
        {"20240105083005", 1704443405},
        {"19691231235959", -1},
        {"20240229235959", 1709251199},  // leap day
        {"20000229120000", 951825600},   // leap day of a 400th year
        {"99991231235959", 253402300799},
        {"20230229000000", std::nullopt},  // no leap year
        {"19000229000000", std::nullopt},  // a 100th year is none
        {"20241301000000", std::nullopt},
        {"20240001000000", std::nullopt},
        {"20240100000000", std::nullopt},
        {"20240431000000", std::nullopt},
        {"20240105240000", std::nullopt},
        {"20240105086000", std::nullopt},
        {"20240105083060", std::nullopt},
        {"2024010508300a", std::nullopt},
        {"2024-1-5 08:30", std::nullopt},
        {" 2024010508300", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stamp);
        EXPECT_EQ(stampSeconds(stampOf(c.stamp)), c.seconds);
    }
}

TEST(KineticTemperature, AConstantTemperatureIsItsOwnMkt) {
    for (const double energy : {20000.0, kDefaultActivationEnergy, 1e7}) {
        for (const float celsius : {-30.0f, 0.0f, 25.0f, 60.5f}) {
            SCOPED_TRACE(std::to_string(energy) + " J/mol at " + std::to_string(celsius));
            const auto store = makeLog(kCelsiusCode, minutes({celsius, celsius, celsius}));
            const auto mkt = meanKineticTemperature(*store, 0, energy);
            ASSERT_TRUE(mkt.has_value());
            EXPECT_NEAR(*mkt, celsius, 1e-9);
        }
    }
}

TEST(KineticTemperature, TwoTemperaturesGiveTheClosedForm) {
    const struct {
        float t1, t2;
        double energy;
    } cases[] = {
        {20.0f, 30.0f, kDefaultActivationEnergy},
        {2.0f, 8.0f, kDefaultActivationEnergy},
        {-20.0f, 40.0f, kDefaultActivationEnergy},
        {-20.0f, 40.0f, 60000.0},
        {25.5f, 25.0f, 120000.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.t1) + " and " + std::to_string(c.t2) + " at " +
                     std::to_string(c.energy) + " J/mol");
        const double k1 = c.t1 + 273.15, k2 = c.t2 + 273.15;
        const double r = kGasConstant;
        const double expected =
            (c.energy / r) /
                -std::log((std::exp(-c.energy / (r * k1)) + std::exp(-c.energy / (r * k2))) / 2) -
            273.15;
        const auto store = makeLog(kCelsiusCode, minutes({c.t1, c.t2}));
        const auto mkt = meanKineticTemperature(*store, 0, c.energy);
        ASSERT_TRUE(mkt.has_value());
        EXPECT_NEAR(*mkt, expected, 1e-9);
        // Above the plain mean, as the warmer hours weigh more, and below the warmest.
        EXPECT_GE(*mkt, (c.t1 + c.t2) / 2.0 - 1e-9);
        EXPECT_LE(*mkt, std::max(c.t1, c.t2) + 1e-9);
    }
}

TEST(KineticTemperature, AFahrenheitChannelGivesTheCelsiusResultInFahrenheit) {
    // 20, 30, -40 and 10 °C as stored by a channel in °F.
    const auto store = makeLog(kFahrenheitCode, minutes({68.0f, 86.0f, -40.0f, 50.0f}));
    const auto mkt = meanKineticTemperature(*store, 0);
    ASSERT_TRUE(mkt.has_value());
    const double celsius = celsiusMkt({20.0, 30.0, -40.0, 10.0}, kDefaultActivationEnergy);
    EXPECT_NEAR(*mkt, celsius * 9.0 / 5.0 + 32.0, 1e-9);
}

TEST(KineticTemperature, ChannelsWithoutATemperatureGiveNothing) {
    const auto celsius = makeLog(kCelsiusCode, minutes({20.0f, 30.0f}));
    const auto humidity = makeLog(kHumidityCode, minutes({20.0f, 30.0f}));
    const auto empty = makeLog(kCelsiusCode, {});
    const auto belowAbsoluteZero = makeLog(kCelsiusCode, minutes({20.0f, -300.0f}));
    const auto notANumber = makeLog(kCelsiusCode, minutes({20.0f, NAN}));
    const struct {
        const char* name;
        const LogStore& store;
        int channel;
        double energy;
    } cases[] = {
        {"a %RH channel", *humidity, 0, kDefaultActivationEnergy},
        {"a %RH channel beside a oC channel", *celsius, 1, kDefaultActivationEnergy},
        {"an empty store", *empty, 0, kDefaultActivationEnergy},
        {"no such channel", *celsius, kChannels, kDefaultActivationEnergy},
        {"a negative channel", *celsius, -1, kDefaultActivationEnergy},
        {"no activation energy", *celsius, 0, 0.0},
        {"a negative activation energy", *celsius, 0, -83144.0},
        {"a value below absolute zero", *belowAbsoluteZero, 0, kDefaultActivationEnergy},
        {"a value that is no number", *notANumber, 0, kDefaultActivationEnergy},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(meanKineticTemperature(c.store, c.channel, c.energy), std::nullopt);
    }
    EXPECT_TRUE(isTemperatureUnit("oC"));
    EXPECT_TRUE(isTemperatureUnit("F"));
    EXPECT_FALSE(isTemperatureUnit("%RH"));
}

TEST(TemperatureUnit, CelsiusConvertsToFahrenheit) {
    EXPECT_EQ(toFahrenheit(0.0f), 32.0f);
    EXPECT_EQ(toFahrenheit(100.0f), 212.0f);
    EXPECT_EQ(toFahrenheit(-40.0f), -40.0f);
    EXPECT_FLOAT_EQ(toFahrenheit(37.0f), 98.6f);
    EXPECT_EQ(toFahrenheitSpan(10.0f), 18.0f);
    EXPECT_EQ(toFahrenheitSpan(-5.0f), -9.0f);
}

TEST(TemperatureUnit, OnlyCelsiusChannelsAreShownInFahrenheit) {
    auto store = std::make_unique<LogStore>();
    const uint8_t codes[kChannels] = {kCelsiusCode, kHumidityCode, kFahrenheitCode, 2};
    for (int c = 0; c < kChannels; ++c) store->setChannelUnit(c, codes[c]);
    const struct {
        int channel;
        bool fahrenheit;
        bool converts;
        const char* unit;
    } cases[] = {
        {0, true, true, "F"},     {0, false, false, "oC"}, {1, true, false, "%RH"},
        {1, false, false, "%RH"}, {2, true, false, "F"},   {2, false, false, "F"},
        {3, true, false, "PPM"},  {-1, true, false, ""},   {kChannels, true, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("channel " + std::to_string(c.channel) + (c.fahrenheit ? " in F" : ""));
        EXPECT_EQ(showsFahrenheit(*store, c.channel, c.fahrenheit), c.converts);
        EXPECT_EQ(shownValue(*store, c.channel, 100.0f, c.fahrenheit),
                  c.converts ? 212.0f : 100.0f);
        EXPECT_EQ(shownUnitText(*store, c.channel, c.fahrenheit), c.unit);
    }
}

TEST(LimitTexts, HoursAndMinutesOfWholeMinutes) {
    const struct {
        int64_t seconds;
        const char* text;
    } cases[] = {
        {0, "0:00"},        {59, "0:00"},   {60, "0:01"},     {3599, "0:59"},
        {3600, "1:00"},     {5400, "1:30"}, {97500, "27:05"}, {97559, "27:05"},
        {360000, "100:00"}, {-1, "0:00"},   {-5400, "0:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        EXPECT_EQ(hoursMinutes(c.seconds), c.text);
    }
}

TEST(LimitTexts, GapsGiveTheirCountTimeAndLongestWithItsStart) {
    EXPECT_EQ(gapsText(GapSummary{}), "0");
    EXPECT_EQ(gapsText(anHoursGap()), "1, no data 0:59, longest 0:59 from 2024-01-05 08:10:00");
    const GapSummary days{.count = 3,
                          .seconds = 97500 + 5400 + 60,
                          .longestSeconds = 97500,
                          .longestStart = stampSeconds(stampOf("20231231235900"))};
    EXPECT_EQ(gapsText(days), "3, no data 28:36, longest 27:05 from 2023-12-31 23:59:00");
    EXPECT_EQ(readableTime(0), "1970-01-01 00:00:00");
    EXPECT_EQ(readableTime(-1), "1969-12-31 23:59:59");
    EXPECT_EQ(readableTime(INT64_MAX), "-");
}

TEST(LimitTexts, ALimitsLineGivesTheLimitsAndTimesAsShown) {
    // Channel 1 is "oC", channel 2 "%RH" with the same values: above for 4
    // minutes in 3 runs, below for 3 in 2, and 59 minutes without data.
    const auto store = makeLog(kCelsiusCode, excursionPattern());
    const std::optional<float> none;
    const std::string gap = ", gaps 1, no data 0:59, longest 0:59 from 2024-01-05 08:10:00";
    const struct {
        int channel;
        ChannelLimit limit;
        bool fahrenheit;
        std::string line;
    } cases[] = {
        {0, between(2.0f, 8.0f), false,
         "CH1 limits 2.0 .. 8.0 oC: above 0:04, below 0:03, excursions 5" + gap},
        {0, between(2.0f, 8.0f), true,
         "CH1 limits 35.6 .. 46.4 F: above 0:04, below 0:03, excursions 5" + gap},
        {0,
         {8.0f, none},
         false,
         "CH1 limits - .. 8.0 oC: above 0:04, below 0:00, excursions 3" + gap},
        {0,
         {none, 2.0f},
         true,
         "CH1 limits 35.6 .. - F: above 0:00, below 0:03, excursions 2" + gap},
        {1, between(2.0f, 8.0f), true,
         "CH2 limits 2.0 .. 8.0 %RH: above 0:04, below 0:03, excursions 5" + gap},
        {0, between(-100.0f, 100.0f), false,
         "CH1 limits -100.0 .. 100.0 oC: above 0:00, below 0:00, excursions 0" + gap},
        {0, {}, false, ""},
        {kChannels, between(2.0f, 8.0f), false, ""},
        {-1, between(2.0f, 8.0f), false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(limitsReportLine(*store, c.channel, c.limit, c.fahrenheit), c.line);
    }
}

TEST(LimitTexts, AnMktLineGivesTheMktAsShownAndTheEnergy) {
    const auto celsius = makeLog(kCelsiusCode, minutes({20.0f, 30.0f}));
    const auto constant = makeLog(kCelsiusCode, minutes({5.3f, 5.3f}));
    const auto fahrenheit = makeLog(kFahrenheitCode, minutes({68.0f, 68.0f}));
    const auto empty = makeLog(kCelsiusCode, {});
    const struct {
        const char* name;
        const LogStore& store;
        int channel;
        double energy;
        bool fahrenheit;
        const char* line;
    } cases[] = {
        {"20 and 30 oC", *celsius, 0, kDefaultActivationEnergy, false,
         "CH1 MKT 26.3 oC (83.144 kJ/mol)"},
        {"20 and 30 oC in F", *celsius, 0, kDefaultActivationEnergy, true,
         "CH1 MKT 79.3 F (83.144 kJ/mol)"},
        {"a constant", *constant, 0, 100000.0, false, "CH1 MKT 5.3 oC (100.000 kJ/mol)"},
        {"a constant in F", *constant, 0, 60500.0, true, "CH1 MKT 41.5 F (60.500 kJ/mol)"},
        {"a channel in F", *fahrenheit, 0, kDefaultActivationEnergy, false,
         "CH1 MKT 68.0 F (83.144 kJ/mol)"},
        {"a channel in F, shown in F", *fahrenheit, 0, kDefaultActivationEnergy, true,
         "CH1 MKT 68.0 F (83.144 kJ/mol)"},
        {"a %RH channel", *celsius, 1, kDefaultActivationEnergy, true, ""},
        {"an empty store", *empty, 0, kDefaultActivationEnergy, false, ""},
        {"no activation energy", *celsius, 0, 0.0, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(mktReportLine(c.store, c.channel, c.energy, c.fahrenheit), c.line);
    }
}

TEST(LimitTexts, TheFiguresKeepTheirPointUnderACommaLocale) {
    const auto store = makeLog(kCelsiusCode, minutes({20.0f, 30.0f}));
    CommaLocale comma;
    ASSERT_TRUE(comma.active()) << kCommaLocaleMissing;
    EXPECT_THAT(limitsReportLine(*store, 0, between(21.5f, 28.5f), false),
                ::testing::StartsWith("CH1 limits 21.5 .. 28.5 oC: above "));
    EXPECT_THAT(limitsReportLine(*store, 0, between(21.5f, 28.5f), true),
                ::testing::StartsWith("CH1 limits 70.7 .. 83.3 F: above "));
    EXPECT_EQ(mktReportLine(*store, 0, kDefaultActivationEnergy, false),
              "CH1 MKT 26.3 oC (83.144 kJ/mol)");
}
