#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "logdata/LogStore.h"
#include "support/ByteDiff.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"
#include "support/TestPaths.h"
#include "views/CsvExport.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;

namespace {

const std::string kGoldenDir = testDataDir() + "/export/";
const std::string kOld = "the export that was there before\r\n";

constexpr uint8_t kCelsius = 0, kHumidity = 1, kPpm = 2, kFahrenheit = 5;

void writeText(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The text split at "\r\n"; what follows the last one is a line of its own.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        lines.push_back(text.substr(from, end - from));
    if (from < text.size()) lines.push_back(text.substr(from) + "  (no line end)");
    return lines;
}

struct Record {
    const char* stamp;
    float values[kChannels];
};

// The channels' units and records as a load leaves them; values of channels
// past the count are stale and must not show.
std::unique_ptr<LogStore> makeLog(uint32_t channelCount, const std::vector<uint8_t>& units,
                                  const std::vector<Record>& records) {
    auto store = std::make_unique<LogStore>();
    store->channelCount = channelCount;
    for (int c = 0; c < kChannels; ++c) {
        store->unitCodes[c] = c < static_cast<int>(units.size()) ? units[c] : kHumidity;
        store->setChannelUnit(c, store->unitCodes[c]);
    }
    for (uint32_t i = 0; i < records.size(); ++i) {
        std::copy_n(records[i].stamp, kTimestampLength, store->timestamps[i].begin());
        for (int c = 0; c < kChannels; ++c) store->values[c][i] = records[i].values[c];
    }
    store->recordCount = static_cast<uint32_t>(records.size());
    return store;
}

std::unique_ptr<LogStore> oneChannelLog() {
    return makeLog(1, {kCelsius},
                   {{"20240105083005", {21.5f, 99.9f, 99.9f, 99.9f}},
                    {"20240105083505", {-3.25f, 99.9f, 99.9f, 99.9f}},
                    {"20240105084005", {0.05f, 99.9f, 99.9f, 99.9f}}});
}

std::unique_ptr<LogStore> twoChannelLog() {
    return makeLog(2, {kCelsius, kHumidity},
                   {{"20241231235959", {21.5f, 48.26f, 7.5f, 7.5f}},
                    {"20250101000000", {-0.04f, 100.0f, 7.5f, 7.5f}}});
}

std::unique_ptr<LogStore> fourChannelLog() {
    return makeLog(4, {kCelsius, kHumidity, kFahrenheit, kPpm},
                   {{"20240229120000", {0.0f, 50.0f, 32.0f, 400.0f}},
                    {"20240229120100", {36.6f, 55.55f, 212.0f, 1234.56f}},
                    {"20240229120200", {-40.0f, 0.05f, -40.0f, 65535.0f}}});
}

// Record i at second i of the day, its values showing its number.
std::unique_ptr<LogStore> numberedLog(uint32_t count) {
    auto store = makeLog(4, {kCelsius, kHumidity, kCelsius, kHumidity}, {});
    for (uint32_t i = 0; i < count; ++i) {
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "20240105%02u%02u%02u", i / 3600 % 24, i / 60 % 60,
                      i % 60);
        std::copy_n(stamp, kTimestampLength, store->timestamps[i].begin());
        for (int c = 0; c < kChannels; ++c) store->values[c][i] = static_cast<float>(i) + c / 10.0f;
    }
    store->recordCount = count;
    return store;
}

std::string csvOf(const LogStore& store, bool fahrenheit) {
    std::ostringstream out;
    EXPECT_TRUE(writeCsvExport(out, store, fahrenheit));
    return out.str();
}

}  // namespace

TEST(CsvExport, FilesEqualTheirGoldenCopies) {
    const struct {
        const char* golden;
        std::unique_ptr<LogStore> (*log)();
        bool fahrenheit;
    } cases[] = {
        {"csv_one_channel.csv", oneChannelLog, false},
        {"csv_two_channels.csv", twoChannelLog, false},
        {"csv_four_channels.csv", fourChannelLog, false},
        {"csv_four_channels_fahrenheit.csv", fourChannelLog, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.golden);
        TempDir temp;
        const std::string path = temp.dir() + c.golden;
        ASSERT_EQ(exportCsvFile(path, *c.log(), c.fahrenheit).error, 0);
        EXPECT_TRUE(sameLines(readFileBytes(path), readFileBytes(kGoldenDir + c.golden)))
            << c.golden;
        EXPECT_THAT(temp.names(), ElementsAre(c.golden));
    }
}

TEST(CsvExport, OnlyTheLogsChannelsAreColumns) {
    const struct {
        uint32_t channelCount;
        const char* header;
        const char* line;
    } cases[] = {
        {0, "index,time", "1,2024-01-05T08:30:05"},
        {1, "index,time,CH1 [oC]", "1,2024-01-05T08:30:05,1.0"},
        {3, "index,time,CH1 [oC],CH2 [%RH],CH3 [PPM]", "1,2024-01-05T08:30:05,1.0,2.0,3.0"},
        {7, "index,time,CH1 [oC],CH2 [%RH],CH3 [PPM],CH4 [F]",
         "1,2024-01-05T08:30:05,1.0,2.0,3.0,4.0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("channel count " + std::to_string(c.channelCount));
        const auto store = makeLog(c.channelCount, {kCelsius, kHumidity, kPpm, kFahrenheit},
                                   {{"20240105083005", {1.0f, 2.0f, 3.0f, 4.0f}}});
        EXPECT_TRUE(
            sameLines(csvOf(*store, false), std::string(c.header) + "\r\n" + c.line + "\r\n"));
    }
}

TEST(CsvExport, FieldsWithCommasQuotesOrLineBreaksAreQuoted) {
    // Time stamps are written with their bytes as held, so one that is no
    // date may bring any of them; a unit text the table does not have alike.
    auto store = makeLog(2, {kCelsius, kHumidity},
                         {{"2024,10508\"005", {1.0f, 2.0f, 0.0f, 0.0f}},
                          {"2024\r\n01083005", {3.0f, 4.0f, 0.0f, 0.0f}},
                          {"2024 105;83005", {5.0f, 6.0f, 0.0f, 0.0f}}});
    store->unitTexts[1] = "g/m\"3, dry";
    EXPECT_TRUE(sameLines(csvOf(*store, false),
                          "index,time,CH1 [oC],\"CH2 [g/m\"\"3, dry]\"\r\n"
                          "1,\"2024-,1-05T08:\"\"0:05\",1.0,2.0\r\n"
                          "2,\"2024-\r\n-01T08:30:05\",3.0,4.0\r\n"
                          "3,2024- 1-05T;8:30:05,5.0,6.0\r\n"));
}

TEST(CsvExport, AfterKeepingRecordsTheLinesAreNumberedFromOne) {
    auto store = numberedLog(300);
    store->keepRange(100, 200);
    const std::vector<std::string> lines = linesOf(csvOf(*store, false));
    ASSERT_EQ(lines.size(), 101u);
    EXPECT_EQ(lines[1], "1,2024-01-05T00:01:40,100.0,100.1,100.2,100.3");
    EXPECT_EQ(lines[100], "100,2024-01-05T00:03:19,199.0,199.1,199.2,199.3");
}

TEST(CsvExport, AFullStoreIsExportedWhole) {
    auto store = numberedLog(kLogCapacity);
    const std::vector<std::string> lines = linesOf(csvOf(*store, true));
    ASSERT_EQ(lines.size(), kLogCapacity + 1);
    EXPECT_EQ(lines[0], "index,time,CH1 [F],CH2 [%RH],CH3 [F],CH4 [%RH]");
    EXPECT_EQ(lines[1], "1,2024-01-05T00:00:00,32.0,0.1,32.4,0.3");
    EXPECT_EQ(lines.back(), "140000,2024-01-05T14:53:19,252030.2,139999.1,252030.6,139999.3");
}

TEST(CsvExport, ATargetThatCannotBeWrittenIsReportedAndNothingIsLeft) {
    TempDir temp;
    fs::create_directory(temp.dir() + "taken.csv");
    auto store = twoChannelLog();
    EXPECT_EQ(exportCsvFile(temp.dir() + "missing/log.csv", *store, false).error, ENOENT);
    EXPECT_EQ(exportCsvFile(temp.dir() + "taken.csv", *store, false).error, EISDIR);
    EXPECT_THAT(temp.names(), ElementsAre("taken.csv"));
    EXPECT_TRUE(fs::is_empty(temp.dir() + "taken.csv"));
}

TEST(CsvExport, ADiskThatFillsKeepsTheEarlierFileAndLeavesNoTemporaryFile) {
    // Several blocks of lines, so that the disk fills before, within and after the first.
    auto store = numberedLog(5000);
    const std::size_t size = csvOf(*store, false).size();
    ASSERT_GT(size, 3u * 64 * 1024);
    for (const std::size_t limit : {std::size_t{0}, std::size_t{20}, std::size_t{65535},
                                    std::size_t{65536}, std::size_t{100000}, size - 1}) {
        SCOPED_TRACE("cut at " + std::to_string(limit));
        TempDir temp;
        const std::string path = temp.dir() + "log.csv";
        writeText(path, kOld);
        int error = 0;
        {
            FileSizeLimit disk(limit);
            error = exportCsvFile(path, *store, false).error;
        }
        EXPECT_EQ(error, EFBIG);
        EXPECT_EQ(readFileBytes(path), kOld);
        EXPECT_THAT(temp.names(), ElementsAre("log.csv"));
    }
    // Room for exactly the whole file is enough.
    TempDir temp;
    const std::string path = temp.dir() + "log.csv";
    writeText(path, kOld);
    int error = 0;
    {
        FileSizeLimit disk(size);
        error = exportCsvFile(path, *store, false).error;
    }
    EXPECT_EQ(error, 0);
    EXPECT_EQ(readFileBytes(path), csvOf(*store, false));
}

TEST(CsvExport, FailureMessageIsTheWindowsText) {
    EXPECT_STREQ(kCsvExportFailed, "Failed to save to CSV file.");
}
