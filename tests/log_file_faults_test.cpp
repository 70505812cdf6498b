// A log file cut short anywhere: every proper prefix of the three-record
// golden file is refused, by the stream reader and by both loads from a path,
// and whatever the program held before stays exactly as it was.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "logdata/LogFile.h"
#include "record/AppData.h"
#include "support/FakeHosts.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"
#include "support/TestPaths.h"

namespace {

const std::string kGoldenPath = testDataDir() + "/three_records.drav";
const char kLoadError[] = "\r\n打开数据文件失败：格式错误！";

// A loaded log other than the golden one, with its statistics and file.
std::unique_ptr<AppData> heldLog() {
    auto data = std::make_unique<AppData>();
    std::memcpy(data->log.setup.name, "Freezer", 8);
    std::memcpy(data->log.setup.hardwareVersion, "H0.99", 5);
    std::memcpy(data->log.setup.serialNo, "9876543210", 10);
    data->log.store.channelCount = 3;
    for (int c = 0; c < kChannels; ++c)
        data->log.store.setChannelUnit(c, static_cast<uint8_t>(c + 2));
    for (uint32_t i = 0; i < 5; ++i) {
        std::memcpy(data->log.store.timestamps[i].data(), "20240101000000", kTimestampLength);
        for (int c = 0; c < kChannels; ++c) data->log.store.values[c][i] = 10.0f * c + i;
    }
    data->log.store.recordCount = 5;
    data->log.store.computeStatistics();
    data->log.store.currentFilePath = "/logs/held.drav";
    data->log.store.currentFileName = "held.drav";
    return data;
}

// Everything a load may change, as one comparable text: the file's content,
// the unit texts, the statistics and the current file.
std::string snapshot(const AppData& data) {
    std::ostringstream out;
    EXPECT_TRUE(writeLogFile(out, data.log.store, data.log.setup));
    const LogStore& s = data.log.store;
    for (const auto& text : s.unitTexts) out << '|' << text;
    for (int c = 0; c < kChannels; ++c) {
        out << '|' << s.maxValue[c] << ' ' << s.minValue[c] << ' ' << s.avgValue[c];
    }
    out << '|' << s.axisMax << ' ' << s.axisMin << ' ' << s.axisStep;
    out << '|' << s.currentFilePath << '|' << s.currentFileName;
    return out.str();
}

class TruncatedLogFile : public ::testing::Test {
protected:
    const std::string golden = readFileBytes(kGoldenPath);
    std::unique_ptr<AppData> data = heldLog();
    const std::string before = snapshot(*data);
};

TEST_F(TruncatedLogFile, TheGoldenFileIsThreeWholeRecords) {
    ASSERT_EQ(golden.size(), static_cast<std::size_t>(kLogHeaderSize + 3 * kLogRecordSize));
    std::istringstream in(golden);
    EXPECT_EQ(readLogFile(in, data->log.store, data->log.setup), LogReadResult::Ok);
    EXPECT_EQ(data->log.store.recordCount, 3u);
}

TEST_F(TruncatedLogFile, EveryCutIsRefusedByTheReaderAndChangesNothing) {
    for (std::size_t size = 0; size < golden.size(); ++size) {
        SCOPED_TRACE("cut after " + std::to_string(size) + " bytes");
        std::istringstream in(golden.substr(0, size));
        const LogReadResult expected = size == 0 ? LogReadResult::Empty : LogReadResult::Truncated;
        EXPECT_EQ(readLogFile(in, data->log.store, data->log.setup), expected);
        EXPECT_EQ(snapshot(*data), before);
    }
}

TEST_F(TruncatedLogFile, EveryCutFileIsRefusedByBothLoadsAndChangesNothing) {
    TempDir temp;
    for (std::size_t size = 0; size < golden.size(); ++size) {
        SCOPED_TRACE("cut after " + std::to_string(size) + " bytes");
        const std::string path = temp.dir() + "cut_" + std::to_string(size) + ".drav";
        std::ofstream(path, std::ios::binary) << golden.substr(0, size);

        EXPECT_NE(loadDocumentFile(path, *data), LogReadResult::Ok);
        EXPECT_EQ(snapshot(*data), before);

        // The file list's load reads the current file and tells its failure.
        FakeUi ui(*data);
        data->log.store.currentFilePath = path;
        EXPECT_FALSE(loadLogFile(*data, ui));
        EXPECT_THAT(ui.messages, ::testing::ElementsAre(kLoadError));
        EXPECT_EQ(ui.redraws, 0);
        EXPECT_TRUE(ui.titles.empty());
        EXPECT_EQ(ui.setupGridFills, 0);
        data->log.store.currentFilePath = "/logs/held.drav";
        EXPECT_EQ(snapshot(*data), before);
    }
}

}  // namespace
