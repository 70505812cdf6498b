#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "link/ProtocolEngine.h"
#include "logdata/LogFile.h"
#include "support/EngineFixture.h"
#include "support/FakeHosts.h"
#include "support/LogPackages.h"
#include "support/LoggerReplies.h"

namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class LogDownloadTest : public EngineFixture<> {
protected:
    LogDownloadTest() { useLogFolder("ops_download_"); }

    bool nothingSaved() const { return fs::is_empty(dir); }
};

TEST_F(LogDownloadTest, StartSendsTheRequestArmsItsTimerAndResetsTheDownload) {
    struct Case {
        void (ProtocolEngine::*start)();
        uint8_t command;
        int timer;
        const char* busyText;
    } cases[] = {
        {&ProtocolEngine::startAutoDownload, CMD_AUTO_LOGS, kTimerAutoDownload,
         "Downloading data, please wait..."},
        {&ProtocolEngine::startManuDownload, CMD_MANU_LOGS, kTimerManuDownload,
         "\r\nDownload Manu-logs..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.busyText);
        data->link.packagesDone = 4;
        data->link.packagesTotal = 9;
        data->link.retriesLeft = 0;
        data->log.store.recordCount = 77;
        port.writes.clear();

        (engine.*c.start)();
        ASSERT_EQ(port.writes.size(), 1u);
        EXPECT_EQ(port.writes[0], loggerReply(c.command, {}));
        EXPECT_EQ(timers.running[c.timer], kRequestPeriodMs);
        EXPECT_EQ(data->link.retriesLeft, kMaxRetries);
        EXPECT_EQ(data->link.packagesDone, 0u);
        EXPECT_EQ(data->link.packagesTotal, 0u);
        EXPECT_EQ(data->log.store.recordCount, 0u);
        EXPECT_TRUE(engine.downloadActive());
        EXPECT_TRUE(ui.busyOpen);
        EXPECT_EQ(ui.lastBusyText(), c.busyText);
        timers.running.clear();
    }
}

TEST_F(LogDownloadTest, WorkedRecordIsStoredDecoded) {
    engine.startAutoDownload();
    const Bytes record{0x5E, 0xDB, 0x32, 0x5F, 0xEB, 0x00, 0x00,
                       0x00, 0xFD, 0x00, 0x00, 0x80, 0x00, 0x00};
    receive(package(REPLY_AUTO_LOGS, 1, 1, {record}));
    ASSERT_EQ(data->log.store.recordCount, 1u);
    EXPECT_EQ(stamp(0), "20231225134530");
    EXPECT_FLOAT_EQ(data->log.store.values[0][0], 23.5f);
    EXPECT_FLOAT_EQ(data->log.store.values[1][0], 25.3f);
    EXPECT_EQ(data->log.store.values[2][0], 0.0f);
    EXPECT_EQ(data->log.store.values[3][0], 0.0f);
}

TEST_F(LogDownloadTest, TwoPackagesInOneChunkAreBothDecoded) {
    engine.startAutoDownload();
    receive(autoPackage(3, 1, 0, 10) + autoPackage(3, 2, 10, 10));
    EXPECT_EQ(data->log.store.recordCount, 20u);
    EXPECT_EQ(stamp(19), "20240506100019");
    EXPECT_FLOAT_EQ(data->log.store.values[0][19], 1.9f);
    EXPECT_FLOAT_EQ(data->log.store.values[1][19], -1.9f);
    EXPECT_EQ(ui.lastBusyText(), "\r\nDownloading 2 pacakges, total 3 pacakges...");
    EXPECT_FALSE(ui.busyOver);
    EXPECT_TRUE(engine.downloadActive());
    EXPECT_TRUE(nothingSaved());
}

TEST_F(LogDownloadTest, ThreePackagesOfAHundredAreAppendedAndSaved) {
    engine.startAutoDownload();
    for (uint16_t p = 1; p <= 3; ++p) receive(autoPackage(3, p, (p - 1) * 100, 100));

    ASSERT_EQ(data->log.store.recordCount, 300u);
    EXPECT_EQ(stamp(0), "20240506100000");
    EXPECT_EQ(stamp(299), "20240506100459");
    EXPECT_FALSE(engine.downloadActive());
    EXPECT_FALSE(timers.isRunning(kTimerDownloadStall));
    EXPECT_FALSE(timers.isRunning(kTimerAutoDownload));
    EXPECT_EQ(ui.lastBusyText(), kSuccess);
    EXPECT_TRUE(ui.busyOver);
    EXPECT_THAT(ui.outcomes, ElementsAre(true));
    EXPECT_THAT(ui.panes, Contains(kPaneFileList));
    EXPECT_GT(ui.fileListFills, 0);
    EXPECT_GT(ui.redraws, 0);
    EXPECT_EQ(data->log.store.currentFileName, "1234567890_20240506_1004.drav");
    ASSERT_FALSE(ui.titles.empty());
    EXPECT_EQ(ui.titles.back(), data->log.store.currentFileName);

    // The file holds the whole download.
    const fs::path file = dir / data->log.store.currentFileName;
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(data->log.store.currentFilePath, file.string());
    auto reread = std::make_unique<AppData>();
    std::ifstream in(file, std::ios::binary);
    ASSERT_EQ(readLogFile(in, reread->log.store, reread->log.setup), LogReadResult::Ok);
    EXPECT_EQ(reread->log.store.recordCount, 300u);
    EXPECT_FLOAT_EQ(reread->log.store.values[0][150], 15.0f);
}

TEST_F(LogDownloadTest, ProgressIsShownAfterEveryChunk) {
    engine.startAutoDownload();
    receive(autoPackage(3, 1, 0, 5));
    receive(autoPackage(3, 2, 5, 5));
    EXPECT_THAT(ui.busyTexts, ElementsAre("Downloading data, please wait...",
                                          "\r\nDownloading 1 pacakges, total 3 pacakges...",
                                          "\r\nDownloading 2 pacakges, total 3 pacakges..."));
}

TEST_F(LogDownloadTest, ThePackageCountReachesTheWindowAsPackagesArrive) {
    using Calls = std::vector<std::pair<int, int>>;
    engine.startAutoDownload();
    EXPECT_THAT(ui.progressCalls, IsEmpty());
    receive(autoPackage(5, 1, 0, 5));
    receive(autoPackage(5, 2, 5, 5));
    EXPECT_EQ(ui.progressCalls, (Calls{{1, 5}, {2, 5}}));
    EXPECT_TRUE(engine.downloadActive());

    // Three more in one chunk: the count as it stands after the chunk.
    receive(autoPackage(5, 3, 10, 5) + autoPackage(5, 4, 15, 5) + autoPackage(5, 5, 20, 5));
    EXPECT_EQ(ui.progressCalls, (Calls{{1, 5}, {2, 5}, {5, 5}}));
    EXPECT_FALSE(engine.downloadActive());
}

TEST_F(LogDownloadTest, TheManuLogIsOnePackageAndCountsNothing) {
    engine.startManuDownload();
    receive(package(REPLY_MANU_LOGS, 1, 1, records(0, 3, 15)));
    EXPECT_EQ(data->log.store.recordCount, 3u);
    EXPECT_THAT(ui.progressCalls, IsEmpty());
}

TEST_F(LogDownloadTest, RepeatedPackageChangesNothing) {
    engine.startAutoDownload();
    receive(autoPackage(3, 1, 0, 10));
    // The same number again, with other records, and a new package behind it.
    receive(autoPackage(3, 1, 500, 10) + autoPackage(3, 2, 10, 10));
    EXPECT_EQ(data->log.store.recordCount, 20u);
    EXPECT_EQ(stamp(9), "20240506100009");
    EXPECT_FLOAT_EQ(data->log.store.values[0][9], 0.9f);
    EXPECT_EQ(stamp(19), "20240506100019");
    EXPECT_EQ(data->link.packagesDone, 2u);
    EXPECT_EQ(ui.lastBusyText(), "\r\nDownloading 2 pacakges, total 3 pacakges...");
    EXPECT_TRUE(nothingSaved());
}

// The port cuts the logger's stream wherever a read ends: in a header, a
// record, the check byte or the trailer. Every record still arrives whole.
TEST_F(LogDownloadTest, APackageSplitAtAnyByteArrivesWhole) {
    struct Case {
        void (ProtocolEngine::*start)();
        Bytes stream;
        uint32_t records;
    };
    const Case cases[] = {
        {&ProtocolEngine::startAutoDownload, autoPackage(2, 1, 0, 3) + autoPackage(2, 2, 3, 2), 5},
        {&ProtocolEngine::startManuDownload, package(REPLY_MANU_LOGS, 1, 1, records(0, 3, 15)), 3},
    };
    for (const Case& c : cases) {
        for (size_t cut = 1; cut < c.stream.size(); ++cut) {
            SCOPED_TRACE("records " + std::to_string(c.records) + ", cut at " +
                         std::to_string(cut));
            fs::remove_all(dir);
            fs::create_directories(dir);
            ui.busyTexts.clear();
            (engine.*c.start)();
            // What lies beyond a chunk must never be read.
            data->link.rxBuffer.fill(0x11);
            const int first =
                intoRxBuffer(data->link, Bytes(c.stream.begin(), c.stream.begin() + cut));
            engine.onReceive(first);
            data->link.rxBuffer.fill(0x11);
            receive(Bytes(c.stream.begin() + cut, c.stream.end()));

            ASSERT_EQ(data->log.store.recordCount, c.records);
            EXPECT_EQ(stamp(c.records - 1), "2024050610000" + std::to_string(c.records - 1));
            EXPECT_FLOAT_EQ(data->log.store.values[0][c.records - 1], (c.records - 1) / 10.0f);
            EXPECT_EQ(ui.lastBusyText(), kSuccess);
            EXPECT_FALSE(engine.downloadActive());
            EXPECT_FALSE(nothingSaved());
        }
    }
}

// A logger writing eight packages of 19 records at once overruns the
// 2048-byte read: the packages on the seam arrive whole all the same.
TEST_F(LogDownloadTest, PackagesWrittenBackToBackOverRunningAReadAllArrive) {
    engine.startAutoDownload();
    Bytes stream;
    for (uint16_t p = 1; p <= 10; ++p) stream = stream + autoPackage(10, p, (p - 1) * 19, 19);
    for (size_t at = 0; at < stream.size(); at += kTxBufferSize) {
        const size_t end = std::min(stream.size(), at + kTxBufferSize);
        receive(
            Bytes(stream.begin() + static_cast<long>(at), stream.begin() + static_cast<long>(end)));
    }
    EXPECT_EQ(data->log.store.recordCount, 190u);
    EXPECT_EQ(stamp(189), "20240506100309");
    EXPECT_EQ(ui.lastBusyText(), kSuccess);
    ASSERT_EQ(ui.ended.size(), 1u);
    EXPECT_EQ(ui.ended[0].kind, OutcomeKind::Ok);
    EXPECT_EQ(ui.ended[0].detail, (dir / "1234567890_20240506_1003.drav").string());
}

// Records that never came are told with what was saved, and the outcome says so.
TEST_F(LogDownloadTest, LostRecordsAreToldAndWhatCameIsSaved) {
    const auto withBadCheck = [](Bytes b) {
        b[b.size() - 5] ^= 0xFF;
        return b;
    };
    const auto overDeclared = [](Bytes b) {
        b[20] = static_cast<uint8_t>(b[20] + 1);  // one record more than it carries
        return b;
    };
    struct Case {
        const char* name;
        Bytes stream;
        uint32_t records;
    };
    const Case cases[] = {
        {"package 2 of 3 skipped", autoPackage(3, 1, 0, 4) + autoPackage(3, 3, 8, 4), 8},
        {"package 2 of 3 with a bad check byte",
         autoPackage(3, 1, 0, 4) + withBadCheck(autoPackage(3, 2, 4, 4)) + autoPackage(3, 3, 8, 4),
         8},
        {"package 2 of 3 declares more records than it carries",
         autoPackage(3, 1, 0, 4) + overDeclared(autoPackage(3, 2, 4, 4)) + autoPackage(3, 3, 8, 4),
         8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(dir);
        fs::create_directories(dir);
        ui.ended.clear();
        engine.startAutoDownload();
        receive(c.stream);
        EXPECT_EQ(data->log.store.recordCount, c.records);
        EXPECT_EQ(ui.lastBusyText(),
                  "\r\nSuccess.\r\nSome records did not arrive whole and were lost.");
        ASSERT_EQ(ui.ended.size(), 1u);
        EXPECT_EQ(ui.ended[0].kind, OutcomeKind::RecordsLost);
        EXPECT_EQ(ui.ended[0].detail, data->log.store.currentFilePath);
        EXPECT_FALSE(engine.downloadActive());
        EXPECT_FALSE(nothingSaved());
    }
}

TEST_F(LogDownloadTest, ARepliesThatSavesNothingIsNoSuccess) {
    struct Case {
        const char* name;
        void (ProtocolEngine::*start)();
        Bytes reply;
    } cases[] = {
        {"Auto package announcing no packages", &ProtocolEngine::startAutoDownload,
         package(REPLY_AUTO_LOGS, 0, 0, records(0, 2))},
        {"Manu package numbered 0", &ProtocolEngine::startManuDownload,
         package(REPLY_MANU_LOGS, 1, 0, records(0, 2, 15))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        (engine.*c.start)();
        receive(c.reply);
        EXPECT_EQ(ui.lastBusyText(), "\r\nNo logs.");
        EXPECT_TRUE(ui.busyOver);
        EXPECT_FALSE(engine.downloadActive());
        EXPECT_TRUE(nothingSaved());
    }
}

TEST_F(LogDownloadTest, DownloadStopsAtTheStoreCapacityAndSaysSo) {
    engine.startAutoDownload();
    data->log.store.recordCount = kLogCapacity - 50;
    receive(autoPackage(1, 1, 0, 100));
    EXPECT_EQ(data->log.store.recordCount, kLogCapacity);
    EXPECT_EQ(stamp(kLogCapacity - 1), "20240506100049");
    EXPECT_EQ(ui.lastBusyText(), "\r\nSuccess.\r\nThe log was cut at 140000 records.");
    EXPECT_THAT(ui.outcomes, ElementsAre(true));
}

TEST_F(LogDownloadTest, CapacityReachedInAnEarlierPackageDropsTheLaterOnes) {
    engine.startAutoDownload();
    data->log.store.recordCount = kLogCapacity - 5;
    receive(autoPackage(2, 1, 0, 10));
    receive(autoPackage(2, 2, 10, 10));
    EXPECT_EQ(data->log.store.recordCount, kLogCapacity);
    EXPECT_EQ(stamp(kLogCapacity - 1), "20240506100004");
    EXPECT_EQ(ui.lastBusyText(), "\r\nSuccess.\r\nThe log was cut at 140000 records.");
}

TEST_F(LogDownloadTest, StalledDownloadTimesOutAndSavesWhatCame) {
    engine.startAutoDownload();
    // Package 2 begins but never ends.
    const Bytes second = autoPackage(2, 2, 10, 10);
    receive(autoPackage(2, 1, 0, 10) + Bytes(second.begin(), second.begin() + 30));
    EXPECT_EQ(timers.running[kTimerDownloadStall], kDownloadStallMs);

    engine.onTimer(kTimerDownloadStall);
    EXPECT_EQ(ui.lastBusyText(),
              "\r\nTimeout!\r\nSome records did not arrive whole and were lost.");
    EXPECT_TRUE(ui.busyOver);
    ASSERT_EQ(ui.ended.size(), 1u);
    EXPECT_EQ(ui.ended[0].kind, OutcomeKind::Timeout);
    EXPECT_FALSE(engine.downloadActive());
    EXPECT_EQ(data->log.store.recordCount, 10u);
    EXPECT_TRUE(fs::exists(dir / "1234567890_20240506_1000.drav"));

    // A package that comes after the download has ended is not taken.
    receive(autoPackage(2, 2, 10, 10));
    EXPECT_EQ(data->log.store.recordCount, 10u);
    EXPECT_THAT(ui.outcomes, ElementsAre(false));
}

TEST_F(LogDownloadTest, EveryNewPackageRestartsTheStallGuard) {
    engine.startAutoDownload();
    EXPECT_FALSE(timers.isRunning(kTimerDownloadStall));
    receive(autoPackage(3, 1, 0, 1));
    timers.stopTimer(kTimerDownloadStall);
    receive(autoPackage(3, 2, 1, 1));
    EXPECT_TRUE(timers.isRunning(kTimerDownloadStall));
    // A repeat is no sign of progress.
    timers.stopTimer(kTimerDownloadStall);
    receive(autoPackage(3, 2, 1, 1));
    EXPECT_FALSE(timers.isRunning(kTimerDownloadStall));
}

TEST_F(LogDownloadTest, AFirstReplyWithoutAPackageIsGuardedToo) {
    // Its request timer stops on any Auto reply, so the stall guard must take over.
    engine.startAutoDownload();
    receive(autoPackage(3, 0, 0, 1));
    EXPECT_FALSE(timers.isRunning(kTimerAutoDownload));
    EXPECT_TRUE(timers.isRunning(kTimerDownloadStall));
    engine.onTimer(kTimerDownloadStall);
    // The three announced packages never came.
    EXPECT_EQ(ui.lastBusyText(),
              "\r\nTimeout!\r\nSome records did not arrive whole and were lost.");
    EXPECT_TRUE(ui.busyOver);
    EXPECT_TRUE(nothingSaved());
}

TEST_F(LogDownloadTest, NoLogsRepliesEndTheDownloadWell) {
    struct Case {
        void (ProtocolEngine::*start)();
        Bytes reply;
    } cases[] = {
        {&ProtocolEngine::startAutoDownload, loggerReply(REPLY_AUTO_LOGS, {0x00})},
        {&ProtocolEngine::startManuDownload, package(REPLY_MANU_LOGS, 0, 0, {})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply.size());
        ui.outcomes.clear();
        (engine.*c.start)();
        receive(c.reply);
        EXPECT_EQ(ui.lastBusyText(), "\r\nNo logs.");
        EXPECT_TRUE(ui.busyOver);
        EXPECT_THAT(ui.outcomes, ElementsAre(true));
        EXPECT_FALSE(engine.downloadActive());
        EXPECT_TRUE(timers.running.empty());
        EXPECT_TRUE(nothingSaved());
    }
}

TEST_F(LogDownloadTest, ANoLogsReplyAmongThePackagesIsAStray) {
    engine.startAutoDownload();
    receive(autoPackage(2, 1, 0, 3) + loggerReply(REPLY_AUTO_LOGS, {0x00}));
    EXPECT_TRUE(engine.downloadActive());
    receive(autoPackage(2, 2, 3, 3));
    EXPECT_EQ(data->log.store.recordCount, 6u);
    EXPECT_EQ(ui.lastBusyText(), kSuccess);
}

TEST_F(LogDownloadTest, ManuDownloadEndsAfterItsFirstPackage) {
    engine.startManuDownload();
    receive(package(REPLY_MANU_LOGS, 5, 1, records(0, 3, 15)));
    ASSERT_EQ(data->log.store.recordCount, 3u);
    EXPECT_EQ(stamp(2), "20240506100002");
    EXPECT_FLOAT_EQ(data->log.store.values[0][2], 0.2f);
    EXPECT_FLOAT_EQ(data->log.store.values[1][2], -0.2f);
    EXPECT_EQ(ui.lastBusyText(), kSuccess);
    EXPECT_THAT(ui.outcomes, ElementsAre(true));
    EXPECT_TRUE(fs::exists(dir / "1234567890_20240506_1000.drav"));
    // No progress text for Manu logs.
    EXPECT_THAT(ui.busyTexts, ElementsAre("\r\nDownload Manu-logs...", kSuccess));

    receive(package(REPLY_MANU_LOGS, 5, 2, records(3, 3, 15)));
    EXPECT_EQ(data->log.store.recordCount, 3u);
}

TEST_F(LogDownloadTest, FailedSaveReportsFailureAndKeepsTheRecords) {
    engine.startAutoDownload();
    blockSaving();
    receive(autoPackage(1, 1, 0, 10));

    EXPECT_THAT(ui.messages, ElementsAre(kSaveFailed));
    EXPECT_EQ(ui.lastBusyText(), kSaveFailed);
    EXPECT_THAT(ui.busyTexts, Not(Contains(kSuccess)));
    EXPECT_TRUE(ui.busyOver);
    EXPECT_THAT(ui.outcomes, ElementsAre(false));
    EXPECT_EQ(data->log.store.recordCount, 10u);
    EXPECT_THAT(ui.titles, IsEmpty());
    EXPECT_EQ(ui.fileListFills, 0);
    EXPECT_FALSE(engine.downloadActive());
}

constexpr const char* kCutShort = "\r\nThe download was cut short by the user.";
constexpr const char* kStillSending = "The logger is still sending...";

// Cancel saves what arrived as a stall would, but tells it as the user's
// doing: the packages that never came are no loss of the line.
TEST_F(LogDownloadTest, CancelSavesWhatArrivedAndTellsItCutShort) {
    engine.startAutoDownload();
    const Bytes third = autoPackage(5, 3, 20, 10);
    receive(autoPackage(5, 1, 0, 10) + autoPackage(5, 2, 10, 10) +
            Bytes(third.begin(), third.begin() + 40));
    engine.cancelDownload();

    EXPECT_FALSE(engine.downloadActive());
    EXPECT_EQ(data->log.store.recordCount, 20u);
    EXPECT_EQ(ui.lastBusyText(), kCutShort);
    EXPECT_TRUE(ui.busyOver);
    ASSERT_EQ(ui.ended.size(), 1u);
    EXPECT_EQ(ui.ended[0].kind, OutcomeKind::Cancelled);
    EXPECT_FALSE(ui.ended[0].ok());
    const fs::path file = dir / "1234567890_20240506_1000.drav";
    EXPECT_EQ(ui.ended[0].detail, file.string());
    auto reread = std::make_unique<AppData>();
    std::ifstream in(file, std::ios::binary);
    ASSERT_EQ(readLogFile(in, reread->log.store, reread->log.setup), LogReadResult::Ok);
    EXPECT_EQ(reread->log.store.recordCount, 20u);
    EXPECT_THAT(ui.panes, Contains(kPaneFileList));
    EXPECT_EQ(ui.titles.back(), data->log.store.currentFileName);
}

TEST_F(LogDownloadTest, CancelTellsOnlyTheLossesBeforeIt) {
    struct Case {
        const char* name;
        void (ProtocolEngine::*start)();
        Bytes stream;
        const char* text;
        bool saved;
    };
    const Case cases[] = {
        {"before any reply", &ProtocolEngine::startAutoDownload, {}, kCutShort, false},
        {"before the Manu package", &ProtocolEngine::startManuDownload, {}, kCutShort, false},
        {"after package 2 of 4 was skipped", &ProtocolEngine::startAutoDownload,
         autoPackage(4, 1, 0, 3) + autoPackage(4, 3, 6, 3),
         "\r\nThe download was cut short by the user.\r\nSome records did not arrive whole "
         "and were lost.",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(dir);
        fs::create_directories(dir);
        ui.ended.clear();
        (engine.*c.start)();
        if (!c.stream.empty()) receive(c.stream);
        engine.cancelDownload();
        EXPECT_EQ(ui.lastBusyText(), c.text);
        EXPECT_TRUE(ui.busyOver);
        ASSERT_EQ(ui.ended.size(), 1u);
        EXPECT_EQ(ui.ended[0].kind, OutcomeKind::Cancelled);
        EXPECT_EQ(ui.ended[0].detail.empty(), !c.saved);
        EXPECT_EQ(nothingSaved(), !c.saved);
        EXPECT_THAT(timers.running,
                    ElementsAre(std::pair{int{kTimerDownloadStall}, kDownloadStallMs}));
        // Back to an idle line for the next case.
        engine.onTimer(kTimerDownloadStall);
    }
}

TEST_F(LogDownloadTest, CancelWithoutADownloadDoesNothing) {
    engine.cancelDownload();
    EXPECT_THAT(ui.ended, IsEmpty());
    EXPECT_THAT(ui.busyTexts, IsEmpty());
    EXPECT_FALSE(data->link.discarding);
    EXPECT_THAT(timers.running, IsEmpty());

    // Nor once the download has ended by itself.
    engine.startAutoDownload();
    receive(autoPackage(1, 1, 0, 3));
    ui.ended.clear();
    engine.cancelDownload();
    EXPECT_THAT(ui.ended, IsEmpty());
    EXPECT_EQ(ui.lastBusyText(), kSuccess);
    EXPECT_FALSE(data->link.discarding);
}

// The logger goes on sending what it was asked for: every chunk is dropped
// until the line has been quiet, and then the logger answers requests again.
TEST_F(LogDownloadTest, AfterACancelThePackagesStillComingAreDroppedUntilTheLineIsQuiet) {
    engine.startAutoDownload();
    receive(autoPackage(4, 1, 0, 10));
    engine.cancelDownload();
    EXPECT_TRUE(data->link.discarding);
    EXPECT_TRUE(ui.progressVisible);
    EXPECT_EQ(ui.progressText, kStillSending);
    const std::vector<std::string> textsAtCancel = ui.busyTexts;

    for (uint16_t p = 2; p <= 4; ++p) {
        SCOPED_TRACE(p);
        timers.stopTimer(kTimerDownloadStall);
        receive(autoPackage(4, p, (p - 1) * 10, 10));
        // Each chunk puts the quiet time off again.
        EXPECT_EQ(timers.running[kTimerDownloadStall], kDownloadStallMs);
    }
    // A reply that would end a setup read or a download is dropped too.
    receive(loggerReply(REPLY_AUTO_LOGS, {0x00}));
    receive(loggerReply(REPLY_SETUP, Bytes(79, 0)));
    EXPECT_EQ(data->log.store.recordCount, 10u);
    EXPECT_EQ(ui.busyTexts, textsAtCancel);
    EXPECT_EQ(ui.ended.size(), 1u);
    EXPECT_EQ(ui.setupGridFills, 0);

    // No request goes out beside them, not even from the Setup pane's buttons.
    port.writes.clear();
    engine.readSetup();
    engine.syncSetup();
    EXPECT_THAT(port.writes, IsEmpty());

    engine.onTimer(kTimerDownloadStall);
    EXPECT_FALSE(data->link.discarding);
    EXPECT_FALSE(ui.progressVisible);
    EXPECT_THAT(timers.running, IsEmpty());

    // The line is the program's again: a setup read and a new download work.
    engine.readSetup();
    EXPECT_EQ(port.writes.size(), 1u);
    receive(loggerReply(REPLY_SETUP, Bytes(79, 0)));
    EXPECT_EQ(ui.ended.back().kind, OutcomeKind::Ok);
    EXPECT_EQ(ui.setupGridFills, 1);
    engine.startAutoDownload();
    receive(autoPackage(2, 1, 0, 5) + autoPackage(2, 2, 5, 5));
    EXPECT_EQ(data->log.store.recordCount, 10u);
    EXPECT_EQ(ui.lastBusyText(), kSuccess);
    EXPECT_EQ(ui.ended.back().kind, OutcomeKind::Ok);
}

TEST_F(LogDownloadTest, ALineThatEndsWhileTheRestComesEndsTheDropping) {
    struct Case {
        const char* name;
        std::function<void()> end;
    };
    const Case cases[] = {
        {"port error", [this] { engine.onPortError("read: the line hung up"); }},
        {"disconnect", [this] { engine.disconnect(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        data->link.connected = true;
        engine.startAutoDownload();
        receive(autoPackage(4, 1, 0, 10));
        engine.cancelDownload();
        ASSERT_TRUE(data->link.discarding);
        c.end();
        EXPECT_FALSE(data->link.discarding);
        EXPECT_FALSE(data->link.connected);
        EXPECT_FALSE(ui.progressVisible);
        EXPECT_THAT(timers.running, IsEmpty());
    }
}

// A folder that cannot take the log is told before the logger is asked.
TEST_F(LogDownloadTest, NoDownloadStartsWhereItCouldNotBeSaved) {
    blockSaving();
    for (auto start : {&ProtocolEngine::startAutoDownload, &ProtocolEngine::startManuDownload,
                       &ProtocolEngine::startRealtime}) {
        ui.messages.clear();
        ui.outcomes.clear();
        (engine.*start)();
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_THAT(ui.messages[0], ::testing::StartsWith("\r\nCannot save logs in "));
        EXPECT_THAT(ui.messages[0],
                    ::testing::HasSubstr("not_a_folder/Logfiles/: Not a directory"));
        EXPECT_THAT(ui.outcomes, ElementsAre(false));
        EXPECT_THAT(port.writes, IsEmpty());
        EXPECT_THAT(timers.running, IsEmpty());
        EXPECT_FALSE(ui.busyOpen);
        EXPECT_FALSE(engine.downloadActive());
        EXPECT_FALSE(data->link.realtimeActive);
    }
}

}  // namespace
