#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "link/LoggerSetup.h"
#include "logdata/LogStore.h"
#include "support/SyntheticLog.h"
#include "views/ChartTexts.h"

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

}  // namespace
