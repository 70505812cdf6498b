#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "app/widgets/CLoggerDoc.h"
#include "app/widgets/Profile.h"
#include "logdata/LogFile.h"
#include "record/AppData.h"
#include "support/FakeHosts.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

using ::testing::ElementsAre;

namespace {

// Save As of the document, on the recording fakes.
class LogDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        Profile().settings().clear();
        std::memcpy(data_->log.setup.serialNo, "1234567890", 10);
        data_->log.store.channelCount = 1;
    }

    void fill(uint32_t count) {
        for (uint32_t i = 0; i < count; ++i) {
            std::copy_n("20100305142201", kTimestampLength, data_->log.store.timestamps[i].begin());
            for (int c = 0; c < kChannels; ++c) data_->log.store.values[c][i] = 1.5f * i + c;
        }
        data_->log.store.recordCount = count;
    }

    std::string storeBytes() const {
        std::ostringstream out;
        writeLogFile(out, data_->log.store, data_->log.setup);
        return out.str();
    }

    TempDir temp_;
    std::unique_ptr<AppData> data_ = std::make_unique<AppData>();
    FakeUi ui_{*data_};
    CLoggerDoc doc_{*data_, ui_};
};

}  // namespace

TEST_F(LogDocumentTest, SaveAsOverALongerLogReplacesItWhole) {
    const std::string path = temp_.dir() + "log.drav";
    fill(5);
    ASSERT_TRUE(doc_.saveAs(path));
    fill(2);
    ASSERT_TRUE(doc_.saveAs(path));
    EXPECT_EQ(readFileBytes(path), storeBytes());
    EXPECT_EQ(readFileBytes(path).size(), 51u + 2 * 30);
    EXPECT_THAT(temp_.names(), ElementsAre("log.drav"));
    EXPECT_EQ(doc_.title(), "log.drav");
    EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(LogDocumentTest, AFailedSaveAsKeepsTheGoodLogOfThatNameByteForByte) {
    const std::string path = temp_.dir() + "log.drav";
    fill(2);
    const std::string good = storeBytes();
    std::ofstream(path, std::ios::binary) << good;
    doc_.setTitle("shown.drav");

    fill(3);
    const std::size_t size = storeBytes().size();
    for (rlim_t n = 0; n < size; ++n) {
        ui_.messages.clear();
        bool saved = true;
        {
            FileSizeLimit disk(n);
            saved = doc_.saveAs(path);
        }
        EXPECT_FALSE(saved) << n;
        EXPECT_THAT(ui_.messages, ElementsAre("Destination disk drive is full.")) << n;
        EXPECT_EQ(readFileBytes(path), good) << n;
        EXPECT_THAT(temp_.names(), ElementsAre("log.drav")) << n;
    }
    EXPECT_EQ(doc_.title(), "shown.drav");
    EXPECT_TRUE(Profile().recentFiles().isEmpty());
}
