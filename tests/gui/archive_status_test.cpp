// The archive in the main frame, offscreen: the status bar says whether the
// log on show is what the archive recorded, and an archive that cannot be
// used is told once, the log saved all the same.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/CommandIds.h"
#include "app/widgets/ArchiveStatus.h"
#include "app/widgets/CMainFrame.h"
#include "app/widgets/Profile.h"
#include "archive/ArchiveRecorder.h"
#include "archive/SqliteArchive.h"
#include "gui/support/FrameWithLog.h"
#include "gui/support/ModalAnswerer.h"
#include "logdata/LogFile.h"
#include "logdata/LogSaver.h"
#include "record/AppData.h"

namespace {

class ArchiveStatusTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        Profile().settings().clear();
        data_ = std::make_unique<AppData>();
        data_->settings = defaultSettings();
        data_->programDir = root() + "/";
        for (int& visible : data_->display.channelVisible) visible = 1;
        std::filesystem::create_directories(root() + "/dev");
        std::filesystem::create_directories(root() + "/Logfiles");
    }
    void TearDown() override {
        frame_.reset();
        if (recorder_) data_->events.unsubscribe(*recorder_);
    }
    // The frame over the program folder, recording as the program does (the
    // recorder listens at the door while it lives).
    void start(std::unique_ptr<ArchiveRecorder> recorder) {
        recorder_ = std::move(recorder);
        data_->events.subscribe(*recorder_);
        MainFrameOptions options{root() + "/dev", data_->programDir};
        options.archive = recorder_.get();
        frame_ = std::make_unique<CMainFrame>(*data_, options);
        frame_->show();
        settleEvents();
    }
    void startWithArchive() {
        start(std::make_unique<ArchiveRecorder>(
            [this](Outcome& opened) { return openArchive(data_->programDir, opened); }));
    }
    std::string status() const {
        return frame_->findChild<QLabel*>("archiveStatus")->text().toStdString();
    }
    // A download of three records saved as the program saves it.
    std::string saveDownload() {
        fillMinuteLog(data_->log.store, 1, 3);
        std::memcpy(data_->log.setup.serialNo, "1234567890", 10);
        EXPECT_TRUE(saveDownloadedLog(*data_, frame_->frameUi()).ok());
        settleEvents();
        return data_->log.store.currentFilePath;
    }
    std::string root() const { return dir_.path().toStdString(); }

    QTemporaryDir dir_;
    std::unique_ptr<AppData> data_;
    std::unique_ptr<ArchiveRecorder> recorder_;
    std::unique_ptr<CMainFrame> frame_;
};

}  // namespace

TEST_F(ArchiveStatusTest, TheStatusBarSaysWhetherTheLogIsWhatWasRecorded) {
    startWithArchive();
    const std::string path = saveDownload();
    EXPECT_THAT(status(), ::testing::StartsWith("Archive: unchanged since download on "));

    // A byte changed outside the program, then the log opened again.
    {
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(-1, std::ios::end);
        file.put('\x7f');
    }
    ASSERT_TRUE(loadLogFile(*data_, frame_->frameUi()));
    EXPECT_THAT(status(), ::testing::StartsWith("Archive: CHANGED since download on "));

    // A log the archive never saw.
    const std::string stranger = root() + "/stranger.drav";
    std::filesystem::copy_file(path, stranger);
    data_->log.store.currentFilePath = stranger;
    ASSERT_TRUE(loadLogFile(*data_, frame_->frameUi()));
    EXPECT_EQ(status(), "Archive: not in the archive");
}

TEST_F(ArchiveStatusTest, AnArchiveThatCannotBeUsedIsToldOnceAndTheLogIsSaved) {
    // Garbage where the database should be.
    std::ofstream(root() + "/archive.sqlite") << std::string(4096, 'x');
    startWithArchive();
    ModalAnswerer answerer;
    const std::string first = saveDownload();
    EXPECT_TRUE(std::filesystem::exists(first));
    data_->log.store.timestamps[2][12] = '5';  // another name: 0905 -> a later minute
    saveDownload();
    settleEvents();
    ASSERT_EQ(answerer.messages.size(), 1u);
    EXPECT_THAT(answerer.messages[0], ::testing::StartsWith("The archive cannot be used: "));
    EXPECT_THAT(answerer.messages[0], ::testing::EndsWith("Logs are saved, but not recorded."));
    EXPECT_EQ(status(), "Archive: cannot be used");
}

TEST_F(ArchiveStatusTest, ALogIsSignedAndItsHistoryShowsTheTrailUnlessItChanged) {
    startWithArchive();
    const std::string path = saveDownload();
    std::vector<std::vector<std::string>> history;
    ModalAnswerer answerer;
    answerer.onDialog = [&](QDialog& dialog) {
        if (dialog.objectName() == "signDialog") {
            dialog.findChild<QLineEdit*>("signName")->setText("Jane Doe");
            dialog.findChild<QComboBox*>("signMeaning")->setCurrentIndex(1);
            dialog.findChild<QLineEdit*>("signComment")->setText("fridge 3, week 2");
            dialog.accept();
        } else if (auto* table = dialog.findChild<QTableWidget*>()) {
            for (int row = 0; row < table->rowCount(); ++row)
                history.push_back({table->item(row, 0)->text().toStdString(),
                                   table->item(row, 2)->text().toStdString(),
                                   table->item(row, 5)->text().toStdString()});
            dialog.reject();
        }
    };
    frame_->onCommand(ID_SIGN);
    settleEvents();
    ASSERT_EQ(answerer.messages.size(), 1u);
    EXPECT_EQ(answerer.messages[0], "Signed as Approved by Jane Doe, entry 2.");

    frame_->onCommand(ID_HISTORY);
    ASSERT_EQ(history.size(), 2u);
    EXPECT_EQ(history[0][1], "download");
    EXPECT_EQ(history[1][1], "sign");
    EXPECT_THAT(history[1][2], ::testing::HasSubstr(R"("meaning":"approved","name":"Jane Doe")"));
    EXPECT_THAT(history[1][2], ::testing::HasSubstr(R"("comment":"fridge 3, week 2")"));

    {
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(-1, std::ios::end);
        file.put('\x7f');
    }
    frame_->onCommand(ID_SIGN);
    settleEvents();
    ASSERT_EQ(answerer.messages.size(), 2u);
    EXPECT_EQ(answerer.messages[1], "Only a log unchanged since it was recorded can be signed: " +
                                        path + " is changed since it was recorded.");
}
