// A disk that fills after any byte of a small log, for every file the program
// writes from the store: the downloaded log and the text and spreadsheet
// exports. Each failure is reported, the store stays as it was, the earlier
// file of that name keeps its bytes and no temporary file is left; with room
// for exactly the whole file the write succeeds.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "logdata/LogFile.h"
#include "logdata/LogSaver.h"
#include "record/AppData.h"
#include "support/FakeHosts.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"
#include "views/TextExport.h"

namespace {

using ::testing::ElementsAre;

const std::string kEarlier = "the file that had the name before\r\n";

// Three records of two channels from logger 1234567890.
std::unique_ptr<AppData> smallLog() {
    auto data = std::make_unique<AppData>();
    std::memcpy(data->log.setup.serialNo, "1234567890", 10);
    std::memcpy(data->log.setup.name, "Store room", 10);
    LogStore& store = data->log.store;
    store.channelCount = 2;
    for (int c = 0; c < kChannels; ++c) store.setChannelUnit(c, static_cast<uint8_t>(c % 2));
    const char* stamps[] = {"20100305142000", "20100305142100", "20100305142201"};
    for (uint32_t i = 0; i < 3; ++i) {
        std::memcpy(store.timestamps[i].data(), stamps[i], kTimestampLength);
        for (int c = 0; c < kChannels; ++c) store.values[c][i] = 20.5f + i - 3.25f * c;
    }
    store.recordCount = 3;
    store.computeStatistics();
    store.currentFilePath = "/logs/shown.drav";
    store.currentFileName = "shown.drav";
    return data;
}

// The store and the file it shows, as one comparable text. The file name is
// left out: a failed save of a download leaves its new name there, while the
// path still names the file shown.
std::string snapshot(const AppData& data) {
    std::ostringstream out;
    EXPECT_TRUE(writeLogFile(out, data.log.store, data.log.setup));
    const LogStore& s = data.log.store;
    for (int c = 0; c < kChannels; ++c) {
        out << '|' << s.maxValue[c] << ' ' << s.minValue[c] << ' ' << s.avgValue[c];
    }
    out << '|' << s.currentFilePath;
    return out.str();
}

// One file the program writes: its name in the folder, the bytes it holds
// when written whole, and the save itself, which gives 0 or the reason
// reported for a failure.
struct Output {
    const char* what;
    const char* name;
    std::string (*bytes)(const AppData&);
    int (*save)(AppData&, FakeUi&, const std::string& folder, const char* name);
};

std::string logBytes(const AppData& data) {
    std::ostringstream out;
    writeLogFile(out, data.log.store, data.log.setup);
    return out.str();
}

std::string textBytes(const AppData& data) {
    std::ostringstream out;
    writeTextExport(out, data.log.store);
    return out.str();
}

std::string sheetBytes(const AppData& data) {
    std::ostringstream out;
    writeSpreadsheetExport(out, data.log.store, data.log.setup);
    return out.str();
}

// The downloaded log tells the user and names the path and the system's reason.
int saveLog(AppData& data, FakeUi& ui, const std::string& folder, const char*) {
    data.logDirOverride = folder;
    const Outcome saved = saveDownloadedLog(data, ui);
    if (saved.ok()) return 0;
    EXPECT_THAT(ui.messages, ElementsAre("\r\n Failed."));
    EXPECT_THAT(saved.detail, ::testing::HasSubstr(folder));
    const std::string& failure = saved.detail;
    return failure.find(std::strerror(EFBIG)) != std::string::npos ? EFBIG : ECANCELED;
}

int saveText(AppData& data, FakeUi&, const std::string& folder, const char* name) {
    return exportTextFile(folder + name, data.log.store).error;
}

int saveSheet(AppData& data, FakeUi&, const std::string& folder, const char* name) {
    return exportSpreadsheetFile(folder + name, data.log.store, data.log.setup).error;
}

const Output kOutputs[] = {
    {"downloaded log", "1234567890_20100305_1422.drav", logBytes, saveLog},
    {"text export", "report.txt", textBytes, saveText},
    {"spreadsheet export", "report.xls", sheetBytes, saveSheet},
};

TEST(SaveFaults, ADiskFullAfterAnyByteIsReportedAndKeepsStoreAndEarlierFile) {
    for (const Output& output : kOutputs) {
        auto data = smallLog();
        const std::string before = snapshot(*data);
        const std::size_t size = output.bytes(*data).size();
        for (std::size_t room = 0; room < size; ++room) {
            SCOPED_TRACE(std::string(output.what) + ", room for " + std::to_string(room) + " of " +
                         std::to_string(size) + " bytes");
            TempDir temp;
            std::ofstream(temp.dir() + output.name, std::ios::binary) << kEarlier;
            FakeUi ui(*data);
            int result = 0;
            {
                FileSizeLimit disk(room);
                result = output.save(*data, ui, temp.dir(), output.name);
            }
            EXPECT_EQ(result, EFBIG);
            EXPECT_EQ(snapshot(*data), before);
            EXPECT_EQ(readFileBytes(temp.dir() + output.name), kEarlier);
            EXPECT_THAT(temp.names(), ElementsAre(output.name));
            EXPECT_TRUE(ui.titles.empty());
            EXPECT_TRUE(ui.panes.empty());
        }
    }
}

TEST(SaveFaults, RoomForExactlyTheWholeFileIsEnough) {
    for (const Output& output : kOutputs) {
        SCOPED_TRACE(output.what);
        auto data = smallLog();
        const std::string whole = output.bytes(*data);
        TempDir temp;
        std::ofstream(temp.dir() + output.name, std::ios::binary) << kEarlier;
        FakeUi ui(*data);
        int result = -1;
        {
            FileSizeLimit disk(whole.size());
            result = output.save(*data, ui, temp.dir(), output.name);
        }
        EXPECT_EQ(result, 0);
        EXPECT_EQ(readFileBytes(temp.dir() + output.name), whole);
        EXPECT_THAT(temp.names(), ElementsAre(output.name));
        EXPECT_TRUE(ui.messages.empty());
    }
}

}  // namespace
