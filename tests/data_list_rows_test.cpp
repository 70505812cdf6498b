// The data list's rows without a window: the snapshot of the store and the
// text of every cell.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "record/AppData.h"
#include "support/CommaLocale.h"
#include "views/DataListRows.h"

using ::testing::ElementsAre;

namespace {

// A store of `channels` channels with one record per stamp; channel c of
// record i holds values[i] + c.
std::unique_ptr<AppData> makeLog(uint32_t channels, std::initializer_list<const char*> stamps,
                                 std::initializer_list<float> values) {
    auto data = std::make_unique<AppData>();
    data->log.store.channelCount = channels;
    uint32_t i = 0;
    for (const char* stamp : stamps) std::memcpy(data->log.store.timestamps[i++].data(), stamp, 14);
    i = 0;
    for (float value : values) {
        for (int c = 0; c < kChannels; ++c) data->log.store.values[c][i] = value + c;
        ++i;
    }
    data->log.store.recordCount = static_cast<uint32_t>(stamps.size());
    return data;
}

std::vector<std::string> row(const DataListRows& rows, std::size_t r) {
    std::vector<std::string> cells;
    for (int c = 0; c < kDataListColumns; ++c) cells.push_back(rows.cellText(r, c));
    return cells;
}

}  // namespace

TEST(DataListRows, SevenColumnsWithTheirTitlesAndWidths) {
    EXPECT_THAT(
        kDataListTitles,
        ElementsAre(std::string("SN"), std::string("DATE"), std::string("TIME"), std::string("1st"),
                    std::string("2nd"), std::string("3rd"), std::string("4th")));
    EXPECT_THAT(kDataListWidths, ElementsAre(50, 80, 70, 60, 60, 60, 60));
}

TEST(DataListRows, AnEmptyStoreGivesNoRows) {
    auto data = makeLog(2, {}, {});
    DataListRows rows;
    rows.append(data->log.store);
    EXPECT_EQ(rows.size(), 0u);
    EXPECT_EQ(rows.cellText(0, 0), "");
}

TEST(DataListRows, AOneChannelLogFillsFourColumns) {
    auto data = makeLog(1, {"20240105083005", "20240105083105"}, {23.45f, -5.0f});
    DataListRows rows;
    rows.append(data->log.store);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_THAT(row(rows, 0), ElementsAre("1", "2024-01-05", "08:30:05", "  23.5", "", "", ""));
    EXPECT_THAT(row(rows, 1), ElementsAre("2", "2024-01-05", "08:31:05", "  -5.0", "", "", ""));
}

TEST(DataListRows, EachChannelOfTheCountHasItsColumn) {
    const std::pair<uint32_t, std::vector<std::string>> cases[] = {
        {2, {"1", "2010-03-05", "14:22:01", "  10.0", "  11.0", "", ""}},
        {3, {"1", "2010-03-05", "14:22:01", "  10.0", "  11.0", "  12.0", ""}},
        {4, {"1", "2010-03-05", "14:22:01", "  10.0", "  11.0", "  12.0", "  13.0"}},
    };
    for (const auto& [channels, expected] : cases) {
        SCOPED_TRACE(channels);
        auto data = makeLog(channels, {"20100305142201"}, {10.0f});
        DataListRows rows;
        rows.append(data->log.store);
        EXPECT_EQ(row(rows, 0), expected);
    }
}

TEST(DataListRows, AnyOtherChannelCountGivesNoRows) {
    for (uint32_t channels : {0u, 5u, 0xffffffffu}) {
        auto data = makeLog(channels, {"20100305142201"}, {10.0f});
        DataListRows rows;
        rows.append(data->log.store);
        EXPECT_EQ(rows.size(), 0u) << channels;
    }
}

TEST(DataListRows, ValuesArePrintedSixWideWithOneDecimal) {
    auto data = makeLog(
        1,
        {"20100305142201", "20100305142202", "20100305142203", "20100305142204", "20100305142205"},
        {0.04f, -0.05f, 1234.56f, 123456.7f, -FLT_MAX});
    DataListRows rows;
    rows.append(data->log.store);
    EXPECT_EQ(rows.cellText(0, 3), "   0.0");
    EXPECT_EQ(rows.cellText(1, 3), "  -0.1");
    EXPECT_EQ(rows.cellText(2, 3), "1234.6");
    EXPECT_EQ(rows.cellText(3, 3), "123456.7");
    EXPECT_EQ(rows.cellText(4, 3).size(), 42u) << "the longest a float prints";
}

TEST(DataListRows, ValuesKeepTheirPointUnderACommaLocale) {
    auto data = makeLog(2, {"20100305142201", "20100305142202"}, {24.9f, -0.05f});
    data->log.store.setChannelUnit(0, 0);
    DataListRows rows;
    rows.append(data->log.store);
    CommaLocale comma;
    ASSERT_TRUE(comma.active()) << kCommaLocaleMissing;
    EXPECT_THAT(row(rows, 0),
                ElementsAre("1", "2010-03-05", "14:22:01", "  24.9", "  25.9", "", ""));
    EXPECT_EQ(rows.shownText(1, 3, true), "  31.9");
}

TEST(DataListRows, TheRowsAreASnapshot) {
    auto data =
        makeLog(1, {"20100305142201", "20100305142202", "20100305142203"}, {1.0f, 2.0f, 3.0f});
    DataListRows rows;
    rows.append(data->log.store);
    data->log.store.keepRange(1, 2);
    data->log.store.values[0][0] = 99.0f;
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_THAT(row(rows, 0), ElementsAre("1", "2010-03-05", "14:22:01", "   1.0", "", "", ""));
    EXPECT_THAT(row(rows, 2), ElementsAre("3", "2010-03-05", "14:22:03", "   3.0", "", "", ""));
}

TEST(DataListRows, AppendKeepsTheRowsThereAndClearEmpties) {
    auto one = makeLog(1, {"20100305142201", "20100305142202"}, {1.0f, 2.0f});
    auto two = makeLog(2, {"20240105083005"}, {7.0f});
    DataListRows rows;
    rows.append(one->log.store);
    rows.append(two->log.store);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_THAT(row(rows, 1), ElementsAre("2", "2010-03-05", "14:22:02", "   2.0", "", "", ""));
    EXPECT_THAT(row(rows, 2),
                ElementsAre("1", "2024-01-05", "08:30:05", "   7.0", "   8.0", "", ""));
    rows.clear();
    EXPECT_EQ(rows.size(), 0u);
}

TEST(DataListRows, CellsOutsideTheRowsAreEmpty) {
    auto data = makeLog(4, {"20100305142201"}, {1.0f});
    DataListRows rows;
    rows.append(data->log.store);
    EXPECT_EQ(rows.cellText(1, 0), "");
    EXPECT_EQ(rows.cellText(0, -1), "");
    EXPECT_EQ(rows.cellText(0, kDataListColumns), "");
    char small[4];
    EXPECT_EQ(rows.cellText(0, 1, small), 3u) << "cut to the buffer";
    EXPECT_STREQ(small, "201");
}

TEST(DataListRows, AFullStoreIsCopiedWhole) {
    auto data = std::make_unique<AppData>();
    data->log.store.channelCount = 4;
    for (uint32_t i = 0; i < kLogCapacity; ++i) {
        std::memcpy(data->log.store.timestamps[i].data(), "20100305142201", 14);
        data->log.store.values[3][i] = static_cast<float>(i % 1000) / 10.0f;
    }
    data->log.store.recordCount = kLogCapacity;
    DataListRows rows;
    rows.append(data->log.store);
    ASSERT_EQ(rows.size(), kLogCapacity);
    EXPECT_EQ(rows.cellText(kLogCapacity - 1, 0), "140000");
    EXPECT_EQ(rows.cellText(kLogCapacity - 1, 6), "  99.9");
}

TEST(DataListRows, CelsiusChannelsShowInFahrenheitWhenChosen) {
    auto data = makeLog(2, {"20100305142201"}, {25.0f});
    data->log.store.unitTexts[0] = "oC";
    data->log.store.unitTexts[1] = "%RH";
    DataListRows rows;
    rows.append(data->log.store);
    EXPECT_THAT(row(rows, 0),
                ElementsAre("1", "2010-03-05", "14:22:01", "  25.0", "  26.0", "", ""))
        << "the stored values without the choice";
    EXPECT_EQ(rows.shownText(0, 3, true), "  77.0");
    EXPECT_EQ(rows.shownText(0, 4, true), "  26.0") << "a humidity stays as it is";
    // Only a column shown in °F names its unit.
    EXPECT_EQ(rows.columnTitle(3), "1st");
    EXPECT_EQ(rows.columnTitle(3, true), "1st (F)");
    EXPECT_EQ(rows.columnTitle(4, true), "2nd");
    EXPECT_EQ(rows.columnTitle(5, true), "3rd");
    EXPECT_EQ(rows.columnTitle(1, true), "DATE");
    EXPECT_EQ(DataListRows().columnTitle(3, true), "1st") << "no rows, no unit";
}

// A log's unit texts may name channels it does not have: their columns stay
// empty and their titles plain, whatever the °F choice.
TEST(DataListRows, TitlesAreTheirOwnWordsUnlessAColumnShowsInFahrenheit) {
    auto data = makeLog(2, {"20100305142201"}, {25.0f});
    for (std::string& unit : data->log.store.unitTexts) unit = "oC";
    data->log.store.unitTexts[1] = "%RH";
    DataListRows rows;
    rows.append(data->log.store);
    const struct {
        bool fahrenheit;
        std::vector<std::string> titles;
    } cases[] = {
        {false, {"SN", "DATE", "TIME", "1st", "2nd", "3rd", "4th"}},
        {true, {"SN", "DATE", "TIME", "1st (F)", "2nd", "3rd", "4th"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fahrenheit);
        std::vector<std::string> titles;
        for (int column = 0; column < kDataListColumns; ++column) {
            titles.push_back(rows.columnTitle(column, c.fahrenheit));
        }
        EXPECT_EQ(titles, c.titles);
    }
}

TEST(DataListRows, EachValueLiesOnASideOfItsChannelsLimits) {
    auto data =
        makeLog(2, {"20100305142201", "20100305142202", "20100305142203"}, {1.0f, 5.0f, 9.0f});
    DataListRows rows;
    rows.append(data->log.store);
    ChannelLimits limits{};
    limits[0] = {8.0f, 2.0f};
    limits[1] = {std::nullopt, 6.0f};  // channel 2 holds 2, 6 and 10
    struct Case {
        std::size_t row;
        int column;
        LimitSide side;
    };
    const Case cases[] = {
        {0, 3, LimitSide::Below},  {1, 3, LimitSide::Inside}, {2, 3, LimitSide::Above},
        {0, 4, LimitSide::Below},  {1, 4, LimitSide::Inside}, {2, 4, LimitSide::Inside},
        {2, 5, LimitSide::Inside}, {2, 2, LimitSide::Inside}, {3, 3, LimitSide::Inside},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rows.cellSide(c.row, c.column, limits), c.side) << c.row << " " << c.column;
    }
}
