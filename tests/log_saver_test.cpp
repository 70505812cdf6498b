#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "logdata/LogFile.h"
#include "logdata/LogSaver.h"
#include "record/AppData.h"
#include "support/FakeHosts.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;

namespace {

const char kName[] = "1234567890_20100305_1422.drav";

std::unique_ptr<AppData> makeData() {
    return std::make_unique<AppData>();
}

// Records one per stamp; the serial number is given with its ten characters.
void fill(AppData& data, const char (&serial)[11], std::initializer_list<const char*> stamps) {
    std::memcpy(data.log.setup.serialNo, serial, 10);
    std::memcpy(data.log.setup.name, "Store room", 10);
    data.log.store.channelCount = 1;
    uint32_t i = 0;
    for (const char* stamp : stamps) {
        std::copy_n(stamp, kTimestampLength, data.log.store.timestamps[i].begin());
        for (int c = 0; c < kChannels; ++c) data.log.store.values[c][i] = 20.0f + i + c;
        ++i;
    }
    data.log.store.recordCount = i;
}

std::string expectedFile(const AppData& data) {
    std::ostringstream out;
    writeLogFile(out, data.log.store, data.log.setup);
    return out.str();
}

int filesIn(const std::string& dir) {
    return static_cast<int>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

}  // namespace

TEST(LogSaver, NameIsSerialDateAndMinuteOfTheLastRecord) {
    auto data = makeData();
    fill(*data, "1234567890", {"20100304235959", "20100305000001", "20100305142201"});
    EXPECT_EQ(downloadedLogName(*data), kName);
    EXPECT_EQ(downloadedLogName(*data).size(), 29u);
}

TEST(LogSaver, SavesIntoTheLogFolderAndMakesItCurrent) {
    TempDir temp;
    auto data = makeData();
    FakeUi ui(*data);
    data->logDirOverride = temp.dir() + "logs";
    fs::create_directory(data->logDirOverride);
    fill(*data, "1234567890", {"20100304235959", "20100305142201"});

    ASSERT_TRUE(saveDownloadedLog(*data, ui).ok());
    const std::string path = temp.dir() + "logs/" + kName;
    EXPECT_EQ(readFileBytes(path), expectedFile(*data));
    EXPECT_EQ(data->log.store.currentFilePath, path);
    EXPECT_EQ(data->log.store.currentFileName, kName);
    EXPECT_EQ(ui.progressText, std::string("正在将数据保存到文件：") + kName + "，请稍候！");
    EXPECT_FALSE(ui.progressVisible);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_THAT(ui.panes, ElementsAre(kPaneFileList));
    EXPECT_EQ(ui.fileListFills, 1);
    EXPECT_EQ(ui.redraws, 1);
    EXPECT_THAT(ui.titles, ElementsAre(kName));
    EXPECT_EQ(data->log.store.recordCount, 2u);
}

TEST(LogSaver, DefaultFolderIsLogfilesBesideTheProgram) {
    TempDir temp;
    auto data = makeData();
    FakeUi ui(*data);
    data->programDir = temp.dir();
    makeLogFilesDir(*data);
    fill(*data, "1234567890", {"20100305142201"});
    ASSERT_TRUE(saveDownloadedLog(*data, ui).ok());
    EXPECT_EQ(data->log.store.currentFilePath, temp.dir() + "Logfiles/" + kName);
    EXPECT_TRUE(fs::is_regular_file(data->log.store.currentFilePath));
}

TEST(LogSaver, ASecondLogOfTheSameMinuteReplacesTheFirst) {
    TempDir temp;
    auto data = makeData();
    FakeUi ui(*data);
    data->logDirOverride = temp.dir();
    fill(*data, "1234567890", {"20100305140000", "20100305141000", "20100305142201"});
    ASSERT_TRUE(saveDownloadedLog(*data, ui).ok());
    fill(*data, "1234567890", {"20100305142210", "20100305142259"});
    ASSERT_TRUE(saveDownloadedLog(*data, ui).ok());
    EXPECT_EQ(filesIn(temp.dir()), 1);
    EXPECT_EQ(readFileBytes(temp.dir() + kName), expectedFile(*data));
    EXPECT_EQ(readFileBytes(temp.dir() + kName).size(), 51u + 2 * 30);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(LogSaver, EmptyStoreSavesNothingAndSaysNothing) {
    TempDir temp;
    auto data = makeData();
    FakeUi ui(*data);
    data->logDirOverride = temp.dir();
    fill(*data, "1234567890", {});
    data->log.store.currentFileName = "kept.drav";
    EXPECT_TRUE(saveDownloadedLog(*data, ui).ok());
    EXPECT_EQ(filesIn(temp.dir()), 0);
    EXPECT_EQ(data->log.store.currentFileName, "kept.drav");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.progressText.empty());
    EXPECT_TRUE(ui.panes.empty());
    EXPECT_EQ(ui.redraws, 0);
    EXPECT_EQ(downloadedLogName(*data), "");
}

TEST(LogSaver, AFileThatCannotBeCreatedFailsAndKeepsTheCurrentPath) {
    TempDir temp;
    std::ofstream(temp.dir() + "plain") << "x";
    fs::create_directories(temp.dir() + "taken/" + kName);
    const struct {
        std::string folder;
        std::string reason;  // what the failure names after the path
    } cases[] = {{temp.dir() + "plain/", "Not a directory"},
                 {temp.dir() + "missing/", "No such file or directory"},
                 {temp.dir() + "taken/", "Is a directory"}};
    for (const auto& [folder, reason] : cases) {
        auto data = makeData();
        FakeUi ui(*data);
        data->logDirOverride = folder;
        data->log.store.currentFilePath = "/logs/old.drav";
        fill(*data, "1234567890", {"20100305142201"});
        const Outcome saved = saveDownloadedLog(*data, ui);
        EXPECT_FALSE(saved.ok()) << folder;
        EXPECT_EQ(saved.detail, folder + kName + ": " + reason);
        EXPECT_THAT(ui.messages, ElementsAre("\r\n Failed.")) << folder;
        EXPECT_EQ(data->log.store.currentFilePath, "/logs/old.drav");
        EXPECT_EQ(data->log.store.currentFileName, kName);
        EXPECT_TRUE(ui.panes.empty());
        EXPECT_EQ(ui.fileListFills, 0);
        EXPECT_EQ(ui.redraws, 0);
        EXPECT_TRUE(ui.titles.empty());
        EXPECT_EQ(data->log.store.recordCount, 1u);
    }
    EXPECT_TRUE(fs::is_directory(temp.dir() + "taken/" + kName));
}

TEST(LogSaver, AFailedWriteLeavesNoPartialFile) {
    TempDir temp;
    auto data = makeData();
    FakeUi ui(*data);
    data->logDirOverride = temp.dir();
    data->log.store.currentFilePath = "/logs/old.drav";
    fill(*data, "1234567890", {"20100305142000", "20100305142100", "20100305142201"});
    bool saved = true;
    {
        FileSizeLimit disk(100);
        saved = saveDownloadedLog(*data, ui).ok();
    }
    EXPECT_FALSE(saved);
    EXPECT_FALSE(ui.progressText.empty()) << "the file was never created";
    EXPECT_THAT(ui.messages, ElementsAre("\r\n Failed."));
    EXPECT_EQ(filesIn(temp.dir()), 0);
    EXPECT_EQ(data->log.store.currentFilePath, "/logs/old.drav");
    EXPECT_TRUE(ui.panes.empty());
    EXPECT_TRUE(ui.titles.empty());
}

TEST(LogSaver, ASerialNumberThatIsNoPlainFileNameIsRefused) {
    TempDir temp;
    fs::create_directory(temp.dir() + "logs");
    const struct {
        const char* what;
        char serial[11];
    } cases[] = {
        {"parent folders", "../../evil"},        {"zero bytes", "12345\0\0\0\0\0"},
        {"a separator", "ab/cdefghi"},           {"a line break", "12345\n7890"},
        {"a carriage return", "1234\r67890"},    {"a tab", "1234\t67890"},
        {"an escape sequence", "\x1b[31m12345"}, {"a control character first", "\001234567890"},
        {"a delete", "123456789\x7f"},           {"bytes beyond ASCII", "12345\300\257890"},
        {"a byte 0xff", "\377234567890"},
    };
    for (const auto& c : cases) {
        auto data = makeData();
        FakeUi ui(*data);
        data->logDirOverride = temp.dir() + "logs/";
        fill(*data, c.serial, {"20100305142201"});
        EXPECT_FALSE(saveDownloadedLog(*data, ui).ok()) << c.what;
        EXPECT_THAT(ui.messages, ElementsAre("\r\n Failed.")) << c.what;
        EXPECT_EQ(data->log.store.currentFilePath, "") << c.what;
        EXPECT_TRUE(ui.titles.empty()) << c.what;
        EXPECT_TRUE(temp.names("logs").empty()) << c.what;
    }
    EXPECT_THAT(temp.names(), ElementsAre("logs"));
}

TEST(LogSaver, PrintableSerialNumbersMakeFileNames) {
    TempDir temp;
    const char serials[][11] = {"AB-12 x.yz", "~!@#$%^&*(", ".........."};
    for (const auto& serial : serials) {
        auto data = makeData();
        FakeUi ui(*data);
        data->logDirOverride = temp.dir();
        fill(*data, serial, {"20100305142201"});
        EXPECT_TRUE(saveDownloadedLog(*data, ui).ok()) << serial;
        EXPECT_TRUE(ui.messages.empty()) << serial;
        EXPECT_TRUE(
            fs::is_regular_file(temp.dir() + std::string(serial, 10) + "_20100305_1422.drav"))
            << serial;
    }
}

TEST(LogSaver, AFailedSaveKeepsTheGoodLogOfTheSameNameByteForByte) {
    TempDir temp;
    auto data = makeData();
    FakeUi ui(*data);
    data->logDirOverride = temp.dir();
    fill(*data, "1234567890", {"20100305141000", "20100305142201"});
    ASSERT_TRUE(saveDownloadedLog(*data, ui).ok());
    const std::string good = readFileBytes(temp.dir() + kName);
    const std::string goodPath = data->log.store.currentFilePath;

    // A later log of the same minute, one record longer, fails after any byte.
    fill(*data, "1234567890", {"20100305142200", "20100305142230", "20100305142259"});
    const std::size_t size = expectedFile(*data).size();
    for (rlim_t n = 0; n < size; ++n) {
        FakeUi failing(*data);
        bool saved = true;
        {
            FileSizeLimit disk(n);
            saved = saveDownloadedLog(*data, failing).ok();
        }
        EXPECT_FALSE(saved) << n;
        EXPECT_THAT(failing.messages, ElementsAre("\r\n Failed.")) << n;
        EXPECT_EQ(readFileBytes(temp.dir() + kName), good) << n;
        EXPECT_THAT(temp.names(), ElementsAre(kName)) << n;
        EXPECT_EQ(data->log.store.currentFilePath, goodPath) << n;
        EXPECT_TRUE(failing.titles.empty()) << n;
    }
    ASSERT_TRUE(saveDownloadedLog(*data, ui).ok());
    EXPECT_EQ(readFileBytes(temp.dir() + kName), expectedFile(*data));
}

TEST(LogSaver, TheLogFolderIsCheckedBeforehandAndItsProblemNamed) {
    TempDir temp;
    std::ofstream(temp.dir() + "plain") << "x";
    fs::create_directory(temp.dir() + "logs");
    const struct {
        std::string folder;
        std::string problem;
    } cases[] = {
        {temp.dir() + "logs/", ""},
        {temp.dir() + "logs", ""},
        {temp.dir() + "missing/", temp.dir() + "missing/: No such file or directory"},
        {temp.dir() + "plain/", temp.dir() + "plain/: Not a directory"},
    };
    for (const auto& c : cases) {
        auto data = makeData();
        data->logDirOverride = c.folder;
        EXPECT_EQ(logFolderProblem(*data), c.problem) << c.folder;
    }
    // The probe leaves nothing behind.
    EXPECT_TRUE(temp.names("logs").empty());
    EXPECT_THAT(temp.names(), ElementsAre("logs", "plain"));
}

TEST(LogSaver, AMissingLogfilesBesideTheProgramIsNamed) {
    TempDir temp;
    auto data = makeData();
    data->programDir = temp.dir();
    const std::string problem = logFolderProblem(*data);
    EXPECT_EQ(problem, temp.dir() + "Logfiles/: No such file or directory");
    EXPECT_EQ(logFolderMessage(problem), "\r\nCannot save logs in " + problem);
    makeLogFilesDir(*data);
    EXPECT_EQ(logFolderProblem(*data), "");
}
