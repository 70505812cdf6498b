// Start-up as the application runs it: the main frame, a log file named on the
// command line, then the program directory, Dravin.ini, Logfiles and the
// channel flags.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/widgets/CLoggerApp.h"
#include "app/widgets/CMainFrame.h"
#include "app/widgets/Profile.h"
#include "gui/support/ModalAnswerer.h"
#include "logdata/LogFile.h"
#include "logdata/RealtimeJournal.h"
#include "record/AppData.h"
#include "support/FileBytes.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;

namespace {

void writeBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A log of three records of logger 0123456789, written by the program's writer.
void writeLog(const fs::path& path) {
    auto data = std::make_unique<AppData>();
    std::memcpy(data->log.setup.serialNo, "0123456789", sizeof data->log.setup.serialNo);
    data->log.store.channelCount = 1;
    data->log.store.recordCount = 3;
    for (uint32_t i = 0; i < 3; ++i) {
        std::memcpy(data->log.store.timestamps[i].data(), "20240309070502", kTimestampLength);
    }
    std::ofstream out(path, std::ios::binary);
    ASSERT_TRUE(writeLogFile(out, data->log.store, data->log.setup));
}

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        Profile().settings().clear();
        fs::create_directory(root() / "dev");
        data_ = std::make_unique<AppData>();
    }
    void TearDown() override { frame_.reset(); }

    fs::path root() const { return fs::path(dir_.path().toStdString()); }
    std::string programDir() const { return root().string() + "/"; }
    void start(const QStringList& arguments) {
        frame_ = startMainFrame(*data_, arguments,
                                MainFrameOptions{(root() / "dev").string(), programDir()});
    }

    QTemporaryDir dir_;
    std::unique_ptr<AppData> data_;
    std::unique_ptr<CMainFrame> frame_;
};

TEST_F(StartupTest, ReadsTheSettingsMakesLogfilesAndShowsEveryChannel) {
    // Port 7, 9600 baud, spare byte 0x2A.
    std::vector<uint8_t> settings(kSettingsFileSize, 0);
    const uint8_t head[] = {0x07, 0x80, 0x25, 0x00, 0x00, 0x2A};
    std::copy(std::begin(head), std::end(head), settings.begin());
    writeBytes(root() / "Dravin.ini", settings);

    start({"dravin"});
    ASSERT_NE(frame_, nullptr);
    EXPECT_EQ(data_->programDir, programDir());
    EXPECT_EQ(data_->settings.comPort, 7);
    EXPECT_EQ(data_->settings.baudRate, 9600);
    EXPECT_EQ(data_->settings.spareByte, 0x2A);
    EXPECT_TRUE(fs::is_directory(root() / "Logfiles"));
    EXPECT_THAT(data_->display.channelVisible, ElementsAre(1, 1, 1, 1));
    EXPECT_TRUE(frame_->isVisible());
    EXPECT_EQ(frame_->windowTitle(), "Untitled - Dravin V1.21");

    // Written back when the frame goes, as read.
    frame_.reset();
    EXPECT_EQ(readFileByteVector(root() / "Dravin.ini"), settings);
}

TEST_F(StartupTest, AFileThatDoesNotOpenEndsStartUpAndLeavesTheSettingsFileAlone) {
    writeBytes(root() / "empty.drav", {});
    const std::vector<uint8_t> settings(kSettingsFileSize, 0x05);
    const char* const files[] = {"missing.drav", "empty.drav"};
    for (const char* file : files) {
        SCOPED_TRACE(file);
        writeBytes(root() / "Dravin.ini", settings);
        ModalAnswerer answerer;
        start({"dravin", QString::fromStdString((root() / file).string())});
        EXPECT_EQ(frame_, nullptr);
        EXPECT_EQ(answerer.messages.size(), 1u);
        EXPECT_EQ(readFileByteVector(root() / "Dravin.ini"), settings);
        EXPECT_FALSE(fs::exists(root() / "Logfiles"));
    }
}

TEST_F(StartupTest, AFileNamedByARelativePathIsKeptByItsAbsolutePath) {
    fs::create_directory(root() / "logs");
    const fs::path log = root() / "logs" / "named.drav";
    writeLog(log);
    const QString workingDir = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString((root() / "logs").string())));
    start({"dravin", "named.drav"});
    QDir::setCurrent(workingDir);
    ASSERT_NE(frame_, nullptr);

    EXPECT_EQ(data_->log.store.currentFilePath, log.string());
    EXPECT_EQ(data_->log.store.currentFileName, "named.drav");
    EXPECT_THAT(Profile().recentFiles(), ElementsAre(QString::fromStdString(log.string())));
    EXPECT_EQ(frame_->windowTitle(), "named.drav - Dravin V1.21");
    // "100%" still finds the file from another working directory.
    data_->log.store.recordCount = 1;
    frame_->onCommand(ID_ORIGINAL);
    EXPECT_EQ(data_->log.store.recordCount, 3u);
}

TEST_F(StartupTest, RealtimeSamplesThatARunLeftUnsavedAreSavedAndTold) {
    const fs::path logs = root() / "Logfiles";
    fs::create_directory(logs);
    auto crashed = std::make_unique<AppData>();
    std::memcpy(crashed->log.setup.serialNo, "0123456789", sizeof crashed->log.setup.serialNo);
    std::memcpy(crashed->log.setup.name, "Cold room", 9);
    crashed->log.store.channelCount = 2;
    crashed->log.store.recordCount = 2;
    std::string journalPath;
    {
        RealtimeJournal journal;
        ASSERT_EQ(journal.open(logs.string() + "/", crashed->log.store, crashed->log.setup), 0);
        journalPath = journal.path();
        for (uint32_t i = 0; i < 2; ++i) {
            std::memcpy(crashed->log.store.timestamps[i].data(),
                        i == 0 ? "20240309235958" : "20240310000001", kTimestampLength);
            crashed->log.store.values[0][i] = 20.5f + static_cast<float>(i);
            crashed->log.store.values[1][i] = 55.0f;
            ASSERT_EQ(journal.append(crashed->log.store, i), 0);
        }
    }  // closed as the end of its process leaves it

    ModalAnswerer answerer;
    start({"dravin"});
    ASSERT_NE(frame_, nullptr);
    const fs::path saved = logs / "0123456789_20240310_0000.drav";
    EXPECT_THAT(answerer.messages,
                ElementsAre("\r\nRealtime samples that were never saved are now saved as " +
                            saved.string()));
    std::ostringstream expected;
    ASSERT_TRUE(writeLogFile(expected, crashed->log.store, crashed->log.setup));
    EXPECT_EQ(readFileBytes(saved), expected.str());
    EXPECT_FALSE(fs::exists(journalPath));
    // The log shown is not touched: none was.
    EXPECT_EQ(frame_->windowTitle(), "Untitled - Dravin V1.21");

    // Told once: the next start finds nothing.
    frame_.reset();
    answerer.messages.clear();
    start({"dravin"});
    ASSERT_NE(frame_, nullptr);
    EXPECT_THAT(answerer.messages, ::testing::IsEmpty());
}

}  // namespace
