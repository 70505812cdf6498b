// How a download ended, told to the log events before its log is saved:
// what keeps the log's provenance learns whether it is the whole log.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/LogEvents.h"
#include "link/ProtocolEngine.h"
#include "support/EngineFixture.h"
#include "support/LogPackages.h"

namespace {

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Keeps each summary and whether the log was saved when it came.
class SummaryWatch : public LogEvents {
public:
    void downloadSummarized(const DownloadSummary& summary) override {
        summaries.push_back(summary);
        savedBefore = saved;
    }
    void logSaved(std::string_view, SaveReason) override { saved = true; }

    std::vector<DownloadSummary> summaries;
    bool saved = false;
    std::optional<bool> savedBefore;
};

class DownloadSummaryTest : public EngineFixture<> {
protected:
    DownloadSummaryTest() {
        useLogFolder("download_summary_");
        data->events.subscribe(watch);
    }
    ~DownloadSummaryTest() override { data->events.unsubscribe(watch); }

    SummaryWatch watch;
};

TEST_F(DownloadSummaryTest, AWholeDownloadIsToldWholeBeforeItsLogIsSaved) {
    engine.startAutoDownload();
    receive(autoPackage(2, 1, 0, 10) + autoPackage(2, 2, 10, 5));
    ASSERT_EQ(watch.summaries.size(), 1u);
    const DownloadSummary& s = watch.summaries[0];
    EXPECT_FALSE(s.manu);
    EXPECT_EQ(s.packagesAnnounced, 2u);
    EXPECT_EQ(s.packagesReceived, 2u);
    EXPECT_EQ(s.records, 15u);
    EXPECT_EQ(s.cut, DownloadCut::None);
    EXPECT_EQ(watch.savedBefore, false);
    EXPECT_TRUE(watch.saved);
}

TEST_F(DownloadSummaryTest, ACancelledDownloadIsCutShortByTheUser) {
    engine.startAutoDownload();
    receive(autoPackage(5, 1, 0, 10) + autoPackage(5, 2, 10, 10));
    engine.cancelDownload();
    ASSERT_EQ(watch.summaries.size(), 1u);
    EXPECT_EQ(watch.summaries[0].packagesAnnounced, 5u);
    EXPECT_EQ(watch.summaries[0].packagesReceived, 2u);
    EXPECT_EQ(watch.summaries[0].records, 20u);
    EXPECT_EQ(watch.summaries[0].cut, DownloadCut::ByUser);
}

TEST_F(DownloadSummaryTest, ASkippedPackageLosesRecords) {
    engine.startAutoDownload();
    // The last package ends the download, one short.
    receive(autoPackage(3, 1, 0, 4) + autoPackage(3, 3, 8, 4));
    ASSERT_EQ(watch.summaries.size(), 1u);
    EXPECT_EQ(watch.summaries[0].cut, DownloadCut::RecordsLost);
    EXPECT_EQ(watch.summaries[0].packagesAnnounced, 3u);
    EXPECT_LT(watch.summaries[0].packagesReceived, 3u);
}

TEST_F(DownloadSummaryTest, NothingStoredIsNoLogToTell) {
    engine.startAutoDownload();
    engine.cancelDownload();
    EXPECT_TRUE(watch.summaries.empty());
}

}  // namespace
