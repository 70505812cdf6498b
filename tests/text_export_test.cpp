#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "record/AppData.h"
#include "support/ByteDiff.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"
#include "support/TestPaths.h"
#include "views/TextExport.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;

namespace {

const std::string kGoldenDir = testDataDir() + "/export/";
const std::string kOld = "the export that was there before\r\n";

void writeText(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A literal with its zero bytes.
template <std::size_t N>
std::string bytesOf(const char (&text)[N]) {
    return std::string(text, N - 1);
}

struct Record {
    const char* stamp;
    float values[kChannels];
};

// A log as the store holds it after a load: the channel count, the unit
// codes with their texts, the records, and the name and serial number.
std::unique_ptr<AppData> makeLog(uint32_t channelCount, const std::vector<Record>& records) {
    auto data = std::make_unique<AppData>();
    LogStore& store = data->log.store;
    store.channelCount = channelCount;
    const uint8_t units[kChannels] = {0, 1, 2, 3};
    for (int c = 0; c < kChannels; ++c) {
        store.unitCodes[c] = units[c];
        store.setChannelUnit(c, units[c]);
    }
    for (uint32_t i = 0; i < records.size(); ++i) {
        std::copy_n(records[i].stamp, kTimestampLength, store.timestamps[i].begin());
        for (int c = 0; c < kChannels; ++c) store.values[c][i] = records[i].values[c];
    }
    store.recordCount = static_cast<uint32_t>(records.size());
    std::memcpy(data->log.setup.serialNo, "KM30012345", 10);
    return data;
}

// Channels 3 and 4 of the two-channel log hold stale values the text export
// shows all the same.
std::unique_ptr<AppData> twoChannelLog() {
    auto data = makeLog(2, {{"20240105083005", {21.5f, 48.26f, 7.5f, -0.04f}},
                            {"20240105083505", {-3.25f, 100.0f, 0.05f, 1234.56f}}});
    std::strcpy(data->log.setup.name, "Cold room");
    return data;
}

// The first record of the worked example: 21.5, 48.26, 0 and 0.
std::unique_ptr<AppData> oneRecordLog() {
    auto data = makeLog(1, {{"20240105083005", {21.5f, 48.26f, 0.0f, 0.0f}}});
    // A name in the local code page, with what an older name left after its end.
    std::memcpy(data->log.setup.name, "\xc0\xe4\xb2\xd8\xbf\xe2 A\0old", 12);
    return data;
}

// Records whose number shows in their stamp and values: record i at minute i.
std::unique_ptr<AppData> numberedLog(uint32_t count) {
    auto data = makeLog(4, {});
    LogStore& store = data->log.store;
    for (uint32_t i = 0; i < count; ++i) {
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "20240105%02u%02u%02u", i / 3600 % 24, i / 60 % 60,
                      i % 60);
        std::copy_n(stamp, kTimestampLength, store.timestamps[i].begin());
        for (int c = 0; c < kChannels; ++c) store.values[c][i] = static_cast<float>(i) + c / 10.0f;
    }
    store.recordCount = count;
    return data;
}

std::string textExportOf(const AppData& data) {
    std::ostringstream out;
    EXPECT_TRUE(writeTextExport(out, data.log.store));
    return out.str();
}

std::string spreadsheetExportOf(const AppData& data) {
    std::ostringstream out;
    EXPECT_TRUE(writeSpreadsheetExport(out, data.log.store, data.log.setup));
    return out.str();
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        lines.push_back(text.substr(from, end - from));
    return lines;
}

std::string printfOneDecimal(float value) {
    char text[kOneDecimalMaxChars + 1];
    std::snprintf(text, sizeof text, "%3.1f", static_cast<double>(value));
    return text;
}

std::string oneDecimal(float value) {
    char text[kOneDecimalMaxChars];
    return std::string(text, putOneDecimal(text, value));
}

}  // namespace

TEST(TextExport, TheWorkedExampleIsTheHeaderAndItsLine) {
    auto data = oneRecordLog();
    EXPECT_TRUE(sameLines(textExportOf(*data),
                          "SN\tDATE\t\tTIME\t\tCH1\tCH2\tCH3\tCH4\r\n"
                          "1\t2024-01-05\t08:30:05\t21.5\t48.3\t0.0\t0.0\r\n"));
}

TEST(TextExport, FilesEqualTheirGoldenCopies) {
    const struct {
        const char* golden;
        std::unique_ptr<AppData> (*log)();
        bool spreadsheet;
    } cases[] = {
        {"one_record.txt", oneRecordLog, false},
        {"one_record.xls", oneRecordLog, true},
        {"two_channels.txt", twoChannelLog, false},
        {"two_channels.xls", twoChannelLog, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.golden);
        TempDir temp;
        const std::string path = temp.dir() + c.golden;
        auto data = c.log();
        const int error = c.spreadsheet
                              ? exportSpreadsheetFile(path, data->log.store, data->log.setup).error
                              : exportTextFile(path, data->log.store).error;
        ASSERT_EQ(error, 0);
        EXPECT_TRUE(sameLines(readFileBytes(path), readFileBytes(kGoldenDir + c.golden)))
            << c.golden;
        EXPECT_THAT(temp.names(), ElementsAre(c.golden));
    }
}

TEST(TextExport, SpreadsheetColumnsFollowTheChannelCount) {
    // One value column for one channel, two for two, all four for any other count.
    const struct {
        uint32_t channelCount;
        const char* header;
        const char* line;
    } cases[] = {
        {1, "SN\tDATE\tTIME\toC", "1\t2024-01-05\t08:30:05\t1.0"},
        {2, "SN\tDATE\tTIME\toC\t%RH", "1\t2024-01-05\t08:30:05\t1.0\t2.0"},
        {3, "SN\tDATE\tTIME\toC\t%RH\tPPM\tmBar", "1\t2024-01-05\t08:30:05\t1.0\t2.0\t3.0\t4.0"},
        {4, "SN\tDATE\tTIME\toC\t%RH\tPPM\tmBar", "1\t2024-01-05\t08:30:05\t1.0\t2.0\t3.0\t4.0"},
        {0, "SN\tDATE\tTIME\toC\t%RH\tPPM\tmBar", "1\t2024-01-05\t08:30:05\t1.0\t2.0\t3.0\t4.0"},
        {7, "SN\tDATE\tTIME\toC\t%RH\tPPM\tmBar", "1\t2024-01-05\t08:30:05\t1.0\t2.0\t3.0\t4.0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("channel count " + std::to_string(c.channelCount));
        auto data = makeLog(c.channelCount, {{"20240105083005", {1.0f, 2.0f, 3.0f, 4.0f}}});
        const std::vector<std::string> lines = linesOf(spreadsheetExportOf(*data));
        ASSERT_EQ(lines.size(), 5u);
        EXPECT_EQ(lines[3], c.header);
        EXPECT_EQ(lines[4], c.line);
        // The text export has all four values whatever the count.
        EXPECT_EQ(linesOf(textExportOf(*data))[1], "1\t2024-01-05\t08:30:05\t1.0\t2.0\t3.0\t4.0");
    }
}

TEST(TextExport, IdentityBytesAreWrittenAsHeld) {
    // A name that fills all its room without a zero byte goes out with its 24
    // characters; a serial number and a timestamp with bytes no logger should
    // send go out as they are, nothing cut or escaped.
    auto data = makeLog(1, {{"2024\0\x01"
                             "0105\xff\t30",
                             {0.0f, 0.0f, 0.0f, 0.0f}}});
    std::memcpy(data->log.setup.name, "ABCDEFGHIJKLMNOPQRSTUVWXY", 25);
    std::memcpy(data->log.setup.serialNo, "KM\0\r\n\xa1\xa2 9%", 10);
    const std::string expected = bytesOf(
        "Name:\tABCDEFGHIJKLMNOPQRSTUVWX\r\n"
        "SN:\tKM\0\r\n\xa1\xa2 9%\r\n"
        "Total:\t1\r\nSN\tDATE\tTIME\toC\r\n"
        "1\t2024-\0\x01-01\t05:\xff\t:30\t0.0\r\n");
    EXPECT_TRUE(sameLines(spreadsheetExportOf(*data), expected));
}

TEST(TextExport, AfterKeepingRecords100To199TheLinesAreNumbered1To100) {
    auto data = numberedLog(300);
    const std::vector<std::string> whole = linesOf(textExportOf(*data));
    data->log.store.keepRange(100, 200);
    const std::vector<std::string> kept = linesOf(textExportOf(*data));
    ASSERT_EQ(kept.size(), 101u);
    for (std::size_t n = 1; n <= 100; ++n) {
        SCOPED_TRACE("line " + std::to_string(n));
        // The same line as record 100 + n - 1 had, under its new number.
        const std::string& before = whole[100 + n];
        EXPECT_EQ(kept[n], std::to_string(n) + before.substr(before.find('\t')));
    }
}

TEST(TextExport, ValuesAreFormattedAsPrintfDoes) {
    const float cases[] = {
        0.0f,      -0.0f, 0.04f, -0.04f, 0.05f,    0.25f,    -0.25f,
        0.35f,     0.75f, 2.5f,  99.95f, 999.95f,  -200.0f,  1e-40f,
        -1e-45f,   1e17f, 1e18f, -1e19f, 3.4e38f,  -3.4e38f, INFINITY,
        -INFINITY, NAN,   -NAN,  48.26f, 1234.56f, 65535.0f, 16777215.0f,
    };
    for (const float value : cases) {
        EXPECT_EQ(oneDecimal(value), printfOneDecimal(value))
            << "bits 0x" << std::hex << std::bit_cast<uint32_t>(value);
    }
}

TEST(TextExport, AnyFloatIsFormattedAsPrintfDoes) {
    // Bit patterns across the whole range, and values of tenths as loggers send.
    std::mt19937 random(11);
    for (int n = 0; n < 300000; ++n) {
        const auto bits = static_cast<uint32_t>(random());
        const float values[] = {
            std::bit_cast<float>(bits),
            static_cast<float>(static_cast<int32_t>(bits % 2000000) - 1000000) / 10.0f};
        for (const float value : values) {
            ASSERT_EQ(oneDecimal(value), printfOneDecimal(value))
                << "bits 0x" << std::hex << std::bit_cast<uint32_t>(value);
        }
    }
}

TEST(TextExport, AFullStoreIsExportedWhole) {
    auto data = numberedLog(kLogCapacity);
    const std::vector<std::string> lines = linesOf(textExportOf(*data));
    ASSERT_EQ(lines.size(), kLogCapacity + 1);
    EXPECT_EQ(lines[1], "1\t2024-01-05\t00:00:00\t0.0\t0.1\t0.2\t0.3");
    EXPECT_EQ(lines.back(), "140000\t2024-01-05\t14:53:19\t139999.0\t139999.1\t139999.2\t139999.3");
}

TEST(TextExport, ATargetThatCannotBeWrittenIsReportedAndNothingIsLeft) {
    TempDir temp;
    writeText(temp.dir() + "plain", "x");
    fs::create_directory(temp.dir() + "taken.txt");
    const struct {
        std::string path;
        int error;
    } cases[] = {
        {temp.dir() + "missing/report.txt", ENOENT},
        {temp.dir() + "plain/report.txt", ENOTDIR},
        {temp.dir() + "taken.txt", EISDIR},
    };
    auto data = twoChannelLog();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(exportTextFile(c.path, data->log.store).error, c.error);
        EXPECT_EQ(exportSpreadsheetFile(c.path, data->log.store, data->log.setup).error, c.error);
    }
    EXPECT_THAT(temp.names(), ElementsAre("plain", "taken.txt"));
    EXPECT_TRUE(fs::is_empty(temp.dir() + "taken.txt"));
    EXPECT_EQ(readFileBytes(temp.dir() + "plain"), "x");
}

TEST(TextExport, ADiskThatFillsKeepsTheEarlierFileAndLeavesNoTemporaryFile) {
    // Several blocks of lines, so the disk fills before, within and after the first.
    auto data = numberedLog(5000);
    const std::size_t textSize = textExportOf(*data).size();
    const std::size_t sheetSize = spreadsheetExportOf(*data).size();
    ASSERT_GT(textSize, 3u * 64 * 1024);
    const struct {
        const char* what;
        std::size_t size;
        int (*exportFile)(const std::string&, const AppData&);
    } formats[] = {
        {"text", textSize,
         [](const std::string& path, const AppData& d) {
             return exportTextFile(path, d.log.store).error;
         }},
        {"spreadsheet", sheetSize,
         [](const std::string& path, const AppData& d) {
             return exportSpreadsheetFile(path, d.log.store, d.log.setup).error;
         }},
    };
    for (const auto& format : formats) {
        for (const std::size_t limit : {std::size_t{0}, std::size_t{20}, std::size_t{65535},
                                        std::size_t{65536}, std::size_t{100000}, format.size - 1}) {
            SCOPED_TRACE(std::string(format.what) + " cut at " + std::to_string(limit));
            TempDir temp;
            const std::string path = temp.dir() + "report";
            writeText(path, kOld);
            int error = 0;
            {
                FileSizeLimit disk(limit);
                error = format.exportFile(path, *data);
            }
            EXPECT_EQ(error, EFBIG);
            EXPECT_EQ(readFileBytes(path), kOld);
            EXPECT_THAT(temp.names(), ElementsAre("report"));
        }
    }
}

TEST(TextExport, AnExportReplacesTheEarlierFileWhole) {
    TempDir temp;
    const std::string path = temp.dir() + "report.txt";
    writeText(path, std::string(100000, 'x'));
    auto data = oneRecordLog();
    ASSERT_EQ(exportTextFile(path, data->log.store).error, 0);
    EXPECT_TRUE(sameLines(readFileBytes(path), readFileBytes(kGoldenDir + "one_record.txt")))
        << "one_record.txt";
    EXPECT_THAT(temp.names(), ElementsAre("report.txt"));
}

TEST(TextExport, FailureMessagesAreTheWindowsTexts) {
    EXPECT_STREQ(kTextExportFailed, "保存数据到TXT文件失败！");
    EXPECT_STREQ(kSpreadsheetExportFailed, "Failed to save to excel file.");
}
