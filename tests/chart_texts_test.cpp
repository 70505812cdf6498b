#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "link/LoggerSetup.h"
#include "logdata/LogStore.h"
#include "support/CommaLocale.h"
#include "support/SyntheticLog.h"
#include "views/ChartTexts.h"
#include "views/CursorReadout.h"

namespace {

LoggerSetup identity(const char* name, const char* serial) {
    LoggerSetup setup{};
    std::strncpy(setup.name, name, sizeof setup.name - 1);
    std::memcpy(setup.serialNo, serial, sizeof setup.serialNo);
    return setup;
}

TEST(ChartTexts, TitleHasTheDecodedNameAndTheSerialNumber) {
    struct Case {
        const char* name;
        const char* serial;
        const char* title;
    };
    const Case cases[] = {
        {"Cellar", "A123456789", "Cellar Records Report (A123456789)"},
        {"\xCE\xC2\xB6\xC8", "SN00000001", "\xE6\xB8\xA9\xE5\xBA\xA6 Records Report (SN00000001)"},
        {"", "0000000000", " Records Report (0000000000)"},
        // A name of 24 bytes fills the field to its last byte.
        {"ABCDEFGHIJKLMNOPQRSTUVWX", "Z999999999",
         "ABCDEFGHIJKLMNOPQRSTUVWX Records Report (Z999999999)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(chartTitleText(identity(c.name, c.serial)), c.title);
    }
}

TEST(ChartTexts, SummaryAndChannelRows) {
    auto store = std::make_unique<LogStore>();
    fillSyntheticLog(*store, 3662, 2);
    EXPECT_EQ(chartSummaryText(*store),
              "TOTAL LOGS:3662, CHANNELS:2, BEGIN:2024-05-06 00:00:00, END:2024-05-06 01:01:01.");
    store->maxValue[0] = 25.7f;
    store->minValue[0] = 20.3f;
    store->avgValue[0] = 23.04f;
    store->maxValue[1] = 1234.56f;
    store->minValue[1] = -5.0f;
    store->avgValue[1] = 0.0f;
    EXPECT_EQ(chartChannelRowText(*store, 1),
              "CHANNEL 01,    oC,    MAX:25.7,    MIN:20.3,    AVE:23.0");
    EXPECT_EQ(chartChannelRowText(*store, 2),
              "CHANNEL 02,    %RH,    MAX:1234.6,    MIN:-5.0,    AVE:0.0");
}

TEST(ChartTexts, OneRecordBeginsAndEndsAtTheSameTime) {
    auto store = std::make_unique<LogStore>();
    fillSyntheticLog(*store, 1, 1);
    EXPECT_EQ(chartSummaryText(*store),
              "TOTAL LOGS:1, CHANNELS:1, BEGIN:2024-05-06 00:00:00, END:2024-05-06 00:00:00.");
}

TEST(ChartTexts, AxisLabels) {
    auto store = std::make_unique<LogStore>();
    fillSyntheticLog(*store, 90000, 1);
    EXPECT_EQ(chartTimeLabelText(*store, 3661), "01:01");
    EXPECT_EQ(chartDateLabelText(*store, 3661), "2024/05/06");
    EXPECT_EQ(chartTimeLabelText(*store, 86400 + 60), "00:01");
    EXPECT_EQ(chartDateLabelText(*store, 86400 + 60), "2024/05/07");
    EXPECT_EQ(chartValueLabelText(-15), "-15");
    EXPECT_EQ(chartValueLabelText(60), "60");
}

TEST(ChartTexts, ValueAxisTitleByChannelCount) {
    auto store = std::make_unique<LogStore>();
    const char* const titles[] = {"oC", "oC, %RH", "oC, %RH, oC", "oC"};
    for (uint32_t channels = 1; channels <= 4; ++channels) {
        fillSyntheticLog(*store, 2, channels);
        EXPECT_EQ(chartValueAxisTitle(*store), titles[channels - 1]) << channels << " channels";
    }
}

// Only what is shown changes: the store keeps °C.
TEST(ChartTexts, FahrenheitRowsAndAxisTitleOfTemperatureChannels) {
    auto store = std::make_unique<LogStore>();
    fillSyntheticLog(*store, 101, 2);
    for (uint32_t i = 0; i <= 100; ++i) store->values[0][i] = static_cast<float>(i);
    store->computeStatistics();
    EXPECT_EQ(chartChannelRowText(*store, 1, true),
              "CHANNEL 01,    F,    MAX:212.0,    MIN:32.0,    AVE:122.0");
    EXPECT_EQ(chartChannelRowText(*store, 1, false),
              "CHANNEL 01,    oC,    MAX:100.0,    MIN:0.0,    AVE:50.0");
    EXPECT_EQ(chartChannelRowText(*store, 2, true), chartChannelRowText(*store, 2, false));
    EXPECT_EQ(store->maxValue[0], 100.0f);
    EXPECT_EQ(chartValueAxisTitle(*store, true), "F, %RH");
    EXPECT_EQ(chartValueAxisTitle(*store, false), "oC, %RH");
}

TEST(ChartTexts, LimitLabelsHaveOneDecimal) {
    EXPECT_EQ(chartLimitLabelText(8.0f), "8.0");
    EXPECT_EQ(chartLimitLabelText(46.44f), "46.4");
    EXPECT_EQ(chartLimitLabelText(-18.5f), "-18.5");
}

// The limits are in the stored unit; a value on a limit is inside it.
TEST(CursorReadout, ValuesOutsideTheirChannelsLimitsSayHighOrLow) {
    auto store = std::make_unique<LogStore>();
    fillSyntheticLog(*store, 4, 2);
    const float values[4][2] = {{31.5f, 50.0f}, {2.0f, 60.0f}, {1.5f, 70.0f}, {20.0f, 54.9f}};
    for (uint32_t i = 0; i < 4; ++i) {
        store->values[0][i] = values[i][0];
        store->values[1][i] = values[i][1];
    }
    ChannelLimits limits{};
    limits[0] = {30.0f, 2.0f};
    limits[1].low = 55.0f;
    limits[2] = {1.0f, 0.0f};  // beyond the log's channels
    struct Case {
        uint32_t record;
        bool fahrenheit;
        const char* channel1;
        const char* channel2;
    };
    const Case cases[] = {
        {0, false, "  31.5 oC high", "  50.0 %RH low"}, {1, false, "   2.0 oC", "  60.0 %RH"},
        {2, false, "   1.5 oC low", "  70.0 %RH"},      {3, false, "  20.0 oC", "  54.9 %RH low"},
        {0, true, "  88.7 F high", "  50.0 %RH low"},   {2, true, "  34.7 F low", "  70.0 %RH"},
    };
    for (const Case& c : cases) {
        const CursorReadout readout = cursorReadout(*store, c.record, limits, c.fahrenheit);
        EXPECT_EQ(readout.time, "2024-05-06 00:00:0" + std::to_string(c.record));
        EXPECT_EQ(readout.values[0], c.channel1) << "record " << c.record;
        EXPECT_EQ(readout.values[1], c.channel2) << "record " << c.record;
        EXPECT_EQ(readout.values[2], "");
    }
    // Without limits and in °C, as the read-out always was.
    EXPECT_EQ(cursorReadout(*store, 0).values[0], "  31.5 oC");
}

}  // namespace

// A window's toolkit sets the process locale from the user's environment;
// there the figures read as they do in the C locale.
TEST(ChartTexts, FiguresKeepTheirPointUnderACommaLocale) {
    auto store = std::make_unique<LogStore>();
    fillSyntheticLog(*store, 3, 2);
    store->values[0][1] = 24.9f;
    store->values[1][1] = -5.25f;
    store->maxValue[0] = 25.7f;
    store->minValue[0] = -20.3f;
    store->avgValue[0] = 23.04f;
    ChannelLimits limits{};
    limits[0].high = 24.5f;
    const auto texts = [&] {
        return std::vector<std::string>{
            chartChannelRowText(*store, 1),
            chartChannelRowText(*store, 1, true),
            chartChannelRowText(*store, 2),
            chartLimitLabelText(46.44f),
            cursorReadout(*store, 1, limits).values[0],
            cursorReadout(*store, 1, limits).values[1],
            cursorReadout(*store, 1, limits, true).values[0],
        };
    };
    const std::vector<std::string> inC = texts();
    EXPECT_EQ(inC[0], "CHANNEL 01,    oC,    MAX:25.7,    MIN:-20.3,    AVE:23.0");
    EXPECT_EQ(inC[4], "  24.9 oC high");
    CommaLocale comma;
    ASSERT_TRUE(comma.active()) << kCommaLocaleMissing;
    EXPECT_EQ(texts(), inC);
}
