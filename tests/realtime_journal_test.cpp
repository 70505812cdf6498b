// The realtime journal: each sample on disk as it is stored, and what a run
// that never reached Stop left there saved as the log Stop would have saved.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "link/ProtocolEngine.h"
#include "logdata/JournalRecovery.h"
#include "logdata/LogFile.h"
#include "logdata/RealtimeJournal.h"
#include "record/AppData.h"
#include "support/EngineFixture.h"
#include "support/FakeHosts.h"
#include "support/FileBytes.h"
#include "support/LoggerReplies.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

const std::string kJournal = ".1234567890.realtime";

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string logBytes(const AppData& data) {
    std::ostringstream out;
    writeLogFile(out, data.log.store, data.log.setup);
    return out.str();
}

// A logger whose identity holds every kind of byte: a name in the logger's
// code page with a blank, '%' and zero bytes, a serial number with a blank.
void setIdentity(AppData& data) {
    const char name[24] = {'K', 0xC0 - 256, 0xE4 - 256, ' ', '%', '2', '0', '\n'};
    std::memcpy(data.log.setup.name, name, sizeof name);
    std::memcpy(data.log.setup.serialNo, "KM 0000017", 10);
    std::memcpy(data.log.setup.hardwareVersion, "V2.1", 4);
    data.log.store.channelCount = 3;
    const uint8_t units[] = {0, 1, 5, 7};
    for (int c = 0; c < kChannels; ++c) {
        data.log.store.unitCodes[c] = units[c];
        data.log.store.setChannelUnit(c, units[c]);
    }
}

// Values as realtime samples give them, and a few a float holds beyond them.
void setRecords(AppData& data) {
    const float values[][kChannels] = {
        {23.5f, 25.3f, -20.0f, 0.0f},
        {-3276.7f, 0.1f, 99.9f, -0.0f},
        {1e-7f, std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest(),
         std::numeric_limits<float>::denorm_min()},
    };
    const char* stamps[] = {"20240309235958", "20240309235959", "20240310000000"};
    for (uint32_t i = 0; i < 3; ++i) {
        std::copy_n(stamps[i], kTimestampLength, data.log.store.timestamps[i].begin());
        for (int c = 0; c < kChannels; ++c) data.log.store.values[c][i] = values[i][c];
    }
    data.log.store.recordCount = 3;
}

// The journal of `data`'s records, written as sampling writes it.
std::string journalOf(const AppData& data, const TempDir& dir) {
    RealtimeJournal journal;
    EXPECT_EQ(journal.open(dir.dir(), data.log.store, data.log.setup), 0);
    for (uint32_t i = 0; i < data.log.store.recordCount; ++i)
        EXPECT_EQ(journal.append(data.log.store, i), 0);
    const std::string text = readFileBytes(journal.path());
    journal.discard();
    return text;
}

TEST(RealtimeJournal, ReadsBackTheLogItsSamplesMake) {
    TempDir dir;
    auto written = std::make_unique<AppData>();
    setIdentity(*written);
    setRecords(*written);
    const std::string text = journalOf(*written, dir);
    EXPECT_THAT(text, HasSubstr("\n20240309235958 23.5 25.3 -20 0\n"));

    auto read = std::make_unique<AppData>();
    std::string problem;
    ASSERT_TRUE(readRealtimeJournal(text, read->log.store, read->log.setup, problem)) << problem;
    EXPECT_EQ(logBytes(*read), logBytes(*written));
    EXPECT_EQ(read->log.store.unitTexts[2], "F");
    EXPECT_TRUE(std::signbit(read->log.store.values[3][1]));
}

TEST(RealtimeJournal, ALastLineCutShortIsLeftOutAndNothingBeforeIt) {
    TempDir dir;
    auto written = std::make_unique<AppData>();
    setIdentity(*written);
    setRecords(*written);
    const std::string text = journalOf(*written, dir);
    const std::size_t lastLine = text.rfind('\n', text.size() - 2) + 1;
    // Every cut inside the last line, down to none of it, and a cut that
    // leaves only its line end off.
    for (std::size_t end = lastLine; end < text.size(); ++end) {
        SCOPED_TRACE(end);
        auto read = std::make_unique<AppData>();
        std::string problem;
        ASSERT_TRUE(readRealtimeJournal(std::string_view(text).substr(0, end), read->log.store,
                                        read->log.setup, problem))
            << problem;
        written->log.store.recordCount = 2;
        EXPECT_EQ(logBytes(*read), logBytes(*written));
        written->log.store.recordCount = 3;
    }
}

TEST(RealtimeJournal, TextThatIsNoJournalIsRefused) {
    const std::string header =
        "dravin-realtime-journal 1 serial=1234567890 name=" + std::string(24 * 3, '0') +
        " hardware=V2.10 channels=2 units=0,1,0,1\n";
    std::string zeros;
    for (int i = 0; i < 24; ++i) zeros += "%00";
    const std::string good = "dravin-realtime-journal 1 serial=1234567890 name=" + zeros +
                             " hardware=V2.10 channels=2 units=0,1,0,1\n";
    const std::string sample = "20240309070502 23.5 25.3 -20 0\n";
    struct Case {
        std::string text;
        const char* problem;
    } cases[] = {
        {header + sample, "its first line is not a journal's"},  // a name of 72 bytes
        {"dravin-realtime-journal 2" + good.substr(25), "its first line is not a journal's"},
        {"a log\n" + sample, "its first line is not a journal's"},
        {good.substr(0, good.size() - 1) + ",0\n", "its first line is not a journal's"},
        {good.substr(0, good.size() - 1) + " more\n", "its first line is not a journal's"},
        {good + sample + "2024030907050 23.5 25.3 -20 0\n" + sample, "line 3 is not a sample"},
        {good + "20240309070502 23.5 25.3 -20\n", "line 2 is not a sample"},
        {good + "20240309070502 23.5 25.3 -20 0 1\n", "line 2 is not a sample"},
        {good + "20240309070502 23,5 25.3 -20 0\n", "line 2 is not a sample"},
        {good + "\n" + sample, "line 2 is not a sample"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto read = std::make_unique<AppData>();
        std::string problem;
        EXPECT_FALSE(readRealtimeJournal(c.text, read->log.store, read->log.setup, problem));
        EXPECT_EQ(problem, c.problem);
    }
    auto read = std::make_unique<AppData>();
    std::string problem;
    ASSERT_TRUE(readRealtimeJournal(good + sample, read->log.store, read->log.setup, problem))
        << problem;
    EXPECT_EQ(read->log.store.recordCount, 1u);
}

TEST(RealtimeJournal, NeverWritesToAJournalLeftBefore) {
    TempDir dir;
    auto data = std::make_unique<AppData>();
    std::memcpy(data->log.setup.serialNo, "1234567890", 10);
    writeText(dir.dir() + kJournal, "left from before\n");
    RealtimeJournal first, second;
    ASSERT_EQ(first.open(dir.dir(), data->log.store, data->log.setup), 0);
    ASSERT_EQ(second.open(dir.dir(), data->log.store, data->log.setup), 0);
    EXPECT_EQ(first.path(), dir.dir() + ".1234567890.2.realtime");
    EXPECT_EQ(second.path(), dir.dir() + ".1234567890.3.realtime");
    EXPECT_EQ(readFileBytes(dir.dir() + kJournal), "left from before\n");
    // Nothing but the three journals: the file that held the first line is gone.
    EXPECT_THAT(dir.names(),
                ElementsAre(".1234567890.2.realtime", ".1234567890.3.realtime", kJournal));
}

TEST(RealtimeJournal, RestartKeepsOnlyTheFirstLine) {
    TempDir dir;
    auto data = std::make_unique<AppData>();
    setIdentity(*data);
    setRecords(*data);
    RealtimeJournal journal;
    ASSERT_EQ(journal.open(dir.dir(), data->log.store, data->log.setup), 0);
    const std::string header = readFileBytes(journal.path());
    ASSERT_EQ(journal.append(data->log.store, 0), 0);
    ASSERT_EQ(journal.restart(), 0);
    EXPECT_EQ(readFileBytes(journal.path()), header);
    ASSERT_EQ(journal.append(data->log.store, 2), 0);
    EXPECT_EQ(readFileBytes(journal.path()), header +
                                                 "20240310000000 1e-07 3.4028235e+38 "
                                                 "-3.4028235e+38 1e-45\n");
}

TEST(RealtimeJournal, NameHoldsTheSerialNumberAsAFileNameCan) {
    struct Case {
        char serial[10];
        int ordinal;
        const char* name;
    } cases[] = {
        {{'1', '2', '3', '4', '5', '6', '7', '8', '9', '0'}, 1, ".1234567890.realtime"},
        {{'1', '2', '3', '4', '5', '6', '7', '8', '9', '0'}, 4, ".1234567890.4.realtime"},
        {{'K', 'M', '/', '.', '.', ' ', 'x', '\0', '\n', '\xC0'}, 1, ".KM_.._x___.realtime"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(journalName(c.serial, c.ordinal), c.name);
        EXPECT_TRUE(isJournalName(c.name));
    }
    for (const char* other : {"1234567890.realtime", ".realtime", ".x.realtime.Ab12Cd", ".x.drav"})
        EXPECT_FALSE(isJournalName(other)) << other;
}

// Sampling through the engine, the journal beside the logs it makes.
class JournalRecoveryTest : public EngineFixture<> {
protected:
    JournalRecoveryTest() {
        useLogFolder("journal_");
        data->log.store.channelCount = 2;
        data->log.store.unitCodes[1] = 1;
        std::memcpy(data->log.setup.name, "Cold room", 9);
        std::memcpy(data->log.setup.hardwareVersion, "V2.10", 5);
    }

    void sampleAt(const LocalTime& t, int32_t ch1 = 235) {
        clock.time = t;
        receive(sample(ch1));
    }
    static Bytes sample(int32_t ch1) {
        Bytes payload{0x00};
        for (int i = 0; i < 4; ++i) payload.push_back(static_cast<uint8_t>(ch1 >> (8 * i)));
        for (int16_t v : {253, -200, -32768}) {
            payload.push_back(static_cast<uint8_t>(v));
            payload.push_back(static_cast<uint8_t>(v >> 8));
        }
        return loggerReply(REPLY_REALTIME, payload);
    }
    std::string journal() const { return (dir / kJournal).string(); }
    std::string folder() const { return dir.string() + "/"; }
};

TEST_F(JournalRecoveryTest, EverySampleIsOnDiskAsItIsStored) {
    engine.startRealtime();
    EXPECT_TRUE(fs::exists(journal()));
    sampleAt({2024, 3, 9, 7, 5, 2});
    sampleAt({2024, 3, 9, 7, 5, 3}, -12);
    const std::string text = readFileBytes(journal());
    EXPECT_THAT(text, HasSubstr("\n20240309070502 23.5 25.3 -20 0\n"
                                "20240309070503 -1.2 25.3 -20 0\n"));
    EXPECT_TRUE(text.ends_with("\n"));
    EXPECT_THAT(ui.messages, IsEmpty());
}

TEST_F(JournalRecoveryTest, RecoveryGivesTheLogStopWouldHaveSaved) {
    engine.startRealtime();
    sampleAt({2024, 3, 9, 7, 5, 2});
    sampleAt({2024, 3, 9, 7, 5, 59}, 300);
    sampleAt({2024, 3, 9, 7, 6, 0}, -2100);
    const std::string left = readFileBytes(journal());
    engine.stopRealtime();
    const fs::path stopped = dir / "1234567890_20240309_0706.drav";
    const std::string saved = readFileBytes(stopped);
    // Saved at Stop, the journal goes.
    EXPECT_FALSE(fs::exists(journal()));

    // Had the program died before Stop:
    fs::remove(stopped);
    writeText(journal(), left);
    const std::vector<JournalRecovery> recoveries = recoverRealtimeJournals(folder());
    ASSERT_EQ(recoveries.size(), 1u);
    EXPECT_EQ(recoveries[0].outcome, JournalOutcome::Saved);
    EXPECT_EQ(recoveries[0].journal, journal());
    EXPECT_EQ(recoveries[0].detail, stopped.string());
    EXPECT_EQ(readFileBytes(stopped), saved);
    EXPECT_FALSE(fs::exists(journal()));
    EXPECT_EQ(journalRecoveryText(recoveries[0]),
              "\r\nRealtime samples that were never saved are now saved as " + stopped.string());
}

TEST_F(JournalRecoveryTest, ATornLastSampleIsLeftOutOfTheLog) {
    engine.startRealtime();
    sampleAt({2024, 3, 9, 7, 5, 2});
    sampleAt({2024, 3, 9, 7, 5, 3});
    // What the program left when it died in the middle of the third line
    // (the journal itself is still held by the sampling that runs).
    TempDir crashed;
    writeText(crashed.dir() + kJournal, readFileBytes(journal()) + "20240309070504 23.");

    const std::vector<JournalRecovery> recoveries = recoverRealtimeJournals(crashed.dir());
    ASSERT_EQ(recoveries.size(), 1u);
    ASSERT_EQ(recoveries[0].outcome, JournalOutcome::Saved);
    auto reread = std::make_unique<AppData>();
    ASSERT_EQ(loadDocumentFile(recoveries[0].detail, *reread), LogReadResult::Ok);
    ASSERT_EQ(reread->log.store.recordCount, 2u);
    EXPECT_EQ(reread->log.store.timestamp(1), "20240309070503");
}

TEST_F(JournalRecoveryTest, AfterMidnightTheJournalHoldsOnlyTheNewDay) {
    engine.startRealtime();
    sampleAt({2024, 3, 9, 23, 59, 59});
    sampleAt({2024, 3, 10, 0, 0, 0}, 30);
    ASSERT_TRUE(fs::exists(dir / "1234567890_20240309_2359.drav"));
    const std::string text = readFileBytes(journal());
    EXPECT_EQ(text.substr(text.find('\n') + 1), "20240310000000 3 25.3 -20 0\n");
}

TEST_F(JournalRecoveryTest, SamplesWhoseSaveFailedStayInTheJournal) {
    engine.startRealtime();
    sampleAt({2024, 3, 9, 7, 5, 2});
    const std::string folderBefore = folder();
    blockSaving();
    EXPECT_EQ(engine.stopRealtime().kind, OutcomeKind::SaveFailed);
    ASSERT_TRUE(fs::exists(journal()));

    const std::vector<JournalRecovery> recoveries = recoverRealtimeJournals(folderBefore);
    ASSERT_EQ(recoveries.size(), 1u);
    EXPECT_EQ(recoveries[0].outcome, JournalOutcome::Saved);
    EXPECT_TRUE(fs::exists(dir / "1234567890_20240309_0705.drav"));
}

TEST_F(JournalRecoveryTest, AJournalStillWrittenIsLeftAlone) {
    engine.startRealtime();
    sampleAt({2024, 3, 9, 7, 5, 2});
    EXPECT_THAT(recoverRealtimeJournals(folder()), IsEmpty());
    EXPECT_TRUE(fs::exists(journal()));
    sampleAt({2024, 3, 9, 7, 5, 3});
    engine.stopRealtime();
    EXPECT_EQ(readFileBytes(dir / "1234567890_20240309_0705.drav").size(), 51u + 2 * 30u);
}

TEST_F(JournalRecoveryTest, JournalsThatCannotBecomeALogAreKeptAndTold) {
    std::string zeros;
    for (int i = 0; i < 24; ++i) zeros += "%00";
    const std::string header = "dravin-realtime-journal 1 serial=12/4567890 name=" + zeros +
                               " hardware=%00%00%00%00%00 channels=1 units=0,0,0,0\n";
    writeText(dir / ".a.realtime", "not a journal\n20240309070502 1 2 3 4\n");
    writeText(dir / ".b.realtime", header + "20240309070502 1 2 3 4\n");
    const std::vector<JournalRecovery> recoveries = recoverRealtimeJournals(folder());
    ASSERT_EQ(recoveries.size(), 2u);
    EXPECT_EQ(recoveries[0].outcome, JournalOutcome::Unreadable);
    EXPECT_EQ(journalRecoveryText(recoveries[0]),
              "\r\nThe realtime journal " + folder() +
                  ".a.realtime cannot be read (its first line is not a journal's); it is kept.");
    // A serial number that makes no file name.
    EXPECT_EQ(recoveries[1].outcome, JournalOutcome::SaveFailed);
    EXPECT_EQ(journalRecoveryText(recoveries[1]),
              "\r\nRealtime samples in " + folder() + ".b.realtime could not be saved (" +
                  folder() +
                  "12/4567890_20240309_0705.drav: the serial number makes no file "
                  "name); they are kept.");
    EXPECT_TRUE(fs::exists(dir / ".a.realtime"));
    EXPECT_TRUE(fs::exists(dir / ".b.realtime"));
    EXPECT_EQ(journalRecoveryMessage(recoveries),
              journalRecoveryText(recoveries[0]) + journalRecoveryText(recoveries[1]));
}

TEST_F(JournalRecoveryTest, WhatIsNoJournalFileIsKeptAndTold) {
    fs::create_directory(dir / ".a.realtime");
    writeText(dir / ".b.realtime", journalName(data->log.setup.serialNo));
    fs::resize_file(dir / ".b.realtime", 64 << 20);  // sparse: no disk is spent
    fs::create_symlink(dir / ".b.realtime", dir / ".c.realtime");
    const std::vector<JournalRecovery> recoveries = recoverRealtimeJournals(folder());
    ASSERT_EQ(recoveries.size(), 3u);
    const char* problems[] = {"it is not a file", "it is larger than any journal",
                              "Too many levels of symbolic links"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(recoveries[i].outcome, JournalOutcome::Unreadable) << i;
        EXPECT_EQ(recoveries[i].detail, problems[i]);
        EXPECT_TRUE(fs::exists(fs::symlink_status(recoveries[i].journal)));
    }
}

TEST_F(JournalRecoveryTest, AJournalWithoutSamplesGoesWithoutAWord) {
    engine.startRealtime();
    const std::string header = readFileBytes(journal());
    engine.stopRealtime();
    EXPECT_FALSE(fs::exists(journal()));
    writeText(dir / ".a.realtime", header);
    writeText(dir / ".b.realtime", "");
    writeText(dir / ".c.realtime", header.substr(0, 20));
    const std::vector<JournalRecovery> recoveries = recoverRealtimeJournals(folder());
    ASSERT_EQ(recoveries.size(), 3u);
    for (const JournalRecovery& recovery : recoveries) {
        EXPECT_EQ(recovery.outcome, JournalOutcome::Empty) << recovery.journal;
        EXPECT_EQ(journalRecoveryText(recovery), "");
    }
    EXPECT_TRUE(fs::is_empty(dir));
    EXPECT_EQ(journalRecoveryMessage(recoveries), "");
}

TEST_F(JournalRecoveryTest, AJournalThatCannotBeMadeIsToldOnceAndSamplingGoesOn) {
    // Every name the logger's journal may take is taken.
    writeText(journal(), "");
    for (int ordinal = 2; ordinal <= 100; ++ordinal)
        writeText(dir / journalName(data->log.setup.serialNo, ordinal), "");
    engine.startRealtime();
    sampleAt({2024, 3, 9, 7, 5, 2});
    sampleAt({2024, 3, 9, 7, 5, 3});
    EXPECT_THAT(ui.messages, ElementsAre("\r\nRealtime samples cannot be journaled (" + folder() +
                                         ": File exists); a crash would lose them."));
    EXPECT_EQ(data->log.store.recordCount, 2u);
    EXPECT_EQ(engine.stopRealtime().kind, OutcomeKind::Ok);
    EXPECT_EQ(readFileBytes(journal()), "");
}

}  // namespace
