#include "gui/support/FrameWithLog.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/widgets/Profile.h"
#include "logdata/LogFile.h"

void fillMinuteLog(LogStore& store, uint32_t channels, uint32_t records) {
    store.channelCount = channels;
    for (int c = 0; c < kChannels; ++c) {
        store.unitCodes[c] = c % 2;
        store.setChannelUnit(c, store.unitCodes[c]);
    }
    for (uint32_t i = 0; i < records; ++i) {
        char stamp[15];
        std::snprintf(stamp, sizeof stamp, "20240105%02u%02u00", (9 + i / 60) % 24, i % 60);
        std::memcpy(store.timestamps[i].data(), stamp, kTimestampLength);
    }
    store.recordCount = records;
}

void FrameWithLogTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    Profile().settings().clear();
    data_ = std::make_unique<AppData>();
    data_->settings = defaultSettings();
    data_->programDir = root() + "/";
    for (int& visible : data_->display.channelVisible) visible = 1;
    std::filesystem::create_directory(deviceDir());
    beforeFrame();
    frame_ = std::make_unique<CMainFrame>(
        *data_, MainFrameOptions{deviceDir().string(), data_->programDir});
    frame_->resize(1200, 800);
    frame_->show();
    settleEvents();
}

void FrameWithLogTest::saveAndLoadLog() {
    LogStore& store = data().log.store;
    std::memcpy(data().log.setup.serialNo, "1234567890", 10);
    const std::string path = root() + "/log.drav";
    std::ofstream out(path, std::ios::binary);
    ASSERT_TRUE(writeLogFile(out, store, data().log.setup));
    out.close();
    store.currentFilePath = path;
    store.currentFileName = "log.drav";
    ASSERT_TRUE(loadLogFile(data(), frame_->frameUi()));
    settleEvents();
}
