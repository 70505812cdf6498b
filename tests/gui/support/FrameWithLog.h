#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "app/widgets/CMainFrame.h"
#include "gui/support/RunUntil.h"
#include "record/AppData.h"

// Channel count `channels`, units "oC" and "%RH" by turns, and `records` time
// stamps a minute apart from 2024-01-05 09:00:00; the values are the caller's.
void fillMinuteLog(LogStore& store, uint32_t channels, uint32_t records);

// A main frame shown offscreen over a temporary program folder with no
// adapter, every channel visible; a log in the store can be saved there and
// loaded back as the file list loads it.
class FrameWithLogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { frame_.reset(); }
    // Called with data() made and the device folder there, before the frame
    // is: a fixture puts here what the frame is to find when it starts.
    virtual void beforeFrame() {}

    std::string root() const { return dir_.path().toStdString(); }
    std::filesystem::path rootPath() const { return root(); }
    // The frame's device folder, root()/dev: no adapter is in it at the start.
    std::filesystem::path deviceDir() const { return rootPath() / "dev"; }
    AppData& data() { return *data_; }
    CMainFrame& frame() { return *frame_; }
    // Writes the store as root()/log.drav and loads that file.
    void saveAndLoadLog();

    QTemporaryDir dir_;
    std::unique_ptr<AppData> data_;
    std::unique_ptr<CMainFrame> frame_;
};
