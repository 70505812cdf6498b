// The archive: SHA-256, the index and the trail in SQLite, the chain's
// check, the failures that make it unusable, and the recorder at the door.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "archive/ArchiveRecorder.h"
#include "archive/ArchiveScan.h"
#include "archive/LogFacts.h"
#include "archive/Sha256.h"
#include "archive/SqliteArchive.h"
#include "archive/Trail.h"
#include "logdata/LogFile.h"
#include "logdata/UserFiles.h"
#include "record/AppData.h"
#include "support/SyntheticLog.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

// The bytes of a log of `count` records from logger "1234567890".
std::string logBytes(uint32_t count, const char* name = "Cold room") {
    auto data = std::make_unique<AppData>();
    fillSyntheticLog(data->log.store, count, 2);
    std::memcpy(data->log.setup.serialNo, "1234567890", 10);
    std::strncpy(data->log.setup.name, name, sizeof data->log.setup.name - 1);
    std::ostringstream out;
    writeLogFile(out, data->log.store, data->log.setup);
    return out.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Runs one statement on the database as another program would.
void runSql(const std::string& file, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    char* message = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message), SQLITE_OK)
        << (message != nullptr ? message : "");
    sqlite3_free(message);
    sqlite3_close(db);
}

class ArchiveTest : public ::testing::Test {
protected:
    std::unique_ptr<SqliteArchive> open() {
        Outcome outcome;
        auto archive = SqliteArchive::open(file(), outcome);
        EXPECT_TRUE(outcome.ok()) << outcome.detail;
        return archive;
    }
    std::string file() const { return temp_.dir() + "archive.sqlite"; }

    TempDir temp_;
};

TEST(Sha256, KnownVectors) {
    EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
}

TEST(Sha256, FileInBlocksMatchesTheBytes) {
    TempDir temp;
    // A million 'a's, more than one block: the digest FIPS 180-2 gives.
    const std::string million(1'000'000, 'a');
    writeFile(temp.dir() + "a", million);
    EXPECT_EQ(sha256HexOfFile(temp.dir() + "a"),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
    EXPECT_EQ(sha256HexOfFile(temp.dir() + "a"), sha256Hex(million));
    int error = 0;
    EXPECT_EQ(sha256HexOfFile(temp.dir() + "missing", &error), "");
    EXPECT_EQ(error, ENOENT);
}

TEST_F(ArchiveTest, LogsAndEntriesComeBackAsRecorded) {
    auto archive = open();
    ASSERT_TRUE(archive);
    LogRecord log;
    log.path = "/logs/1234567890_20240105_0930.drav";
    log.size = 5151;
    log.mtimeNs = 1704443400123456789;
    log.sha256 = sha256Hex("x");
    log.facts = {"1234567890", "冷库", 170, 2, "2024-01-04T09:30:00", "2024-01-05T09:30:00"};
    log.provenance = "download";
    log.complete = false;
    log.cutReason = "cut short by the user";
    TrailEntry entry = newTrailEntry("download", log.path, log.sha256, "{\"records\":170}");
    ASSERT_TRUE(archive->recordLog(log, &entry).ok());
    EXPECT_EQ(entry.seq, 1);
    EXPECT_EQ(entry.prev, "");
    EXPECT_EQ(entry.hash, trailHash(entry));

    std::optional<LogRecord> found;
    ASSERT_TRUE(archive->findLog(log.path, found).ok());
    ASSERT_TRUE(found);
    EXPECT_EQ(found->size, 5151);
    EXPECT_EQ(found->mtimeNs, 1704443400123456789);
    EXPECT_EQ(found->sha256, log.sha256);
    EXPECT_EQ(found->facts.name, "冷库");
    EXPECT_EQ(found->facts.records, 170u);
    EXPECT_EQ(found->facts.lastTime, "2024-01-05T09:30:00");
    EXPECT_FALSE(found->complete);
    EXPECT_EQ(found->cutReason, "cut short by the user");
    EXPECT_EQ(found->seq, 1);

    TrailEntry rename = newTrailEntry("rename", log.path, log.sha256, "{}");
    rename.newFile = "/logs/freezer.drav";
    ASSERT_TRUE(archive->moveLog(log.path, rename.newFile, rename).ok());
    TrailEntry sign = newTrailEntry("sign", "/logs/freezer.drav", log.sha256, "{}");
    ASSERT_TRUE(archive->append(sign).ok());
    EXPECT_EQ(sign.seq, 3);
    EXPECT_EQ(sign.prev, rename.hash);

    std::vector<TrailEntry> history;
    ASSERT_TRUE(archive->entries("/logs/freezer.drav", history).ok());
    ASSERT_EQ(history.size(), 3u) << "the entries under its former name too";
    EXPECT_EQ(history[0].event, "download");
    EXPECT_EQ(history[0].user, loginName());
    EXPECT_EQ(history[0].details, "{\"records\":170}");
    std::vector<TrailEntry> signatures;
    ASSERT_TRUE(archive->signatures("/logs/freezer.drav", signatures).ok());
    EXPECT_EQ(signatures.size(), 1u);

    std::vector<LogRecord> logs;
    ASSERT_TRUE(archive->listLogs({"1234567890", "2024-01-05", ""}, logs).ok());
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(logs[0].path, "/logs/freezer.drav");
    ASSERT_TRUE(archive->listLogs({"", "2024-01-06", ""}, logs).ok());
    EXPECT_TRUE(logs.empty());
    ASSERT_TRUE(archive->listLogs({"", "", "2024-01-03"}, logs).ok());
    EXPECT_TRUE(logs.empty());
    ASSERT_TRUE(archive->listLogs({"999", "", ""}, logs).ok());
    EXPECT_TRUE(logs.empty());

    ChainCheck check;
    ASSERT_TRUE(archive->verifyChain(check).ok());
    EXPECT_TRUE(check.intact);
    EXPECT_EQ(check.entries, 3);

    // Reopened, the next entry follows on.
    archive.reset();
    archive = open();
    TrailEntry more = newTrailEntry("verify", "", "", "{}");
    ASSERT_TRUE(archive->append(more).ok());
    EXPECT_EQ(more.seq, 4);
}

TEST_F(ArchiveTest, TheChainBreaksAtAnEntryChangedOrTaken) {
    {
        auto archive = open();
        for (int i = 0; i < 5; ++i) {
            TrailEntry entry = newTrailEntry("export", "/x/" + std::to_string(i), "", "{}");
            ASSERT_TRUE(archive->append(entry).ok());
        }
    }
    runSql(file(), "UPDATE trail SET login = 'mallory' WHERE seq = 3");
    ChainCheck check;
    ASSERT_TRUE(open()->verifyChain(check).ok());
    EXPECT_FALSE(check.intact);
    EXPECT_EQ(check.brokenAt, 3);
}

TEST_F(ArchiveTest, AMissingEntryBreaksTheChainThere) {
    {
        auto archive = open();
        for (int i = 0; i < 5; ++i) {
            TrailEntry entry = newTrailEntry("export", "/x/" + std::to_string(i), "", "{}");
            ASSERT_TRUE(archive->append(entry).ok());
        }
    }
    runSql(file(), "DELETE FROM trail WHERE seq = 2");
    ChainCheck check;
    ASSERT_TRUE(open()->verifyChain(check).ok());
    EXPECT_FALSE(check.intact);
    EXPECT_EQ(check.brokenAt, 2);
    // The last one taken shows as well.
    runSql(file(),
           "INSERT INTO trail SELECT 2, time, utc_offset, login, host, program, event,"
           " file, new_file, sha256, details, prev, hash FROM trail WHERE seq = 1");
    runSql(file(), "DELETE FROM trail WHERE seq >= 2");
    ASSERT_TRUE(open()->verifyChain(check).ok());
    EXPECT_FALSE(check.intact);
    EXPECT_EQ(check.brokenAt, 2);
}

TEST_F(ArchiveTest, ACorruptDatabaseIsUnusable) {
    writeFile(file(), std::string(8192, 'x'));
    Outcome outcome;
    EXPECT_FALSE(SqliteArchive::open(file(), outcome));
    EXPECT_EQ(outcome.kind, OutcomeKind::ArchiveUnusable);
    EXPECT_THAT(outcome.detail, HasSubstr("is damaged"));
    EXPECT_EQ(archiveUnusableText(outcome), "The archive cannot be used: " + file() +
                                                " is damaged (file is not a database). Logs are "
                                                "saved, but not recorded.");
}

TEST_F(ArchiveTest, AReadOnlyDatabaseIsUnusable) {
    open().reset();
    fs::permissions(file(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    Outcome outcome;
    EXPECT_FALSE(SqliteArchive::open(file(), outcome));
    EXPECT_EQ(outcome.kind, OutcomeKind::ArchiveUnusable);
    EXPECT_EQ(outcome.detail, file() + " is read-only.");
}

TEST_F(ArchiveTest, ANewerSchemaIsLeftAlone) {
    open().reset();
    runSql(file(), "PRAGMA user_version = 99");
    Outcome outcome;
    EXPECT_FALSE(SqliteArchive::open(file(), outcome));
    EXPECT_EQ(outcome.kind, OutcomeKind::ArchiveUnusable);
    EXPECT_THAT(outcome.detail, HasSubstr("newer Dravin (schema version 99"));
}

TEST_F(ArchiveTest, AnOlderSchemaIsBroughtUpToDateInPlace) {
    // The first schema, as the first archives were made, with an entry.
    runSql(file(),
           "CREATE TABLE logs(path TEXT PRIMARY KEY, size INTEGER NOT NULL, mtime_ns INTEGER NOT "
           "NULL, sha256 TEXT NOT NULL, serial TEXT NOT NULL, name TEXT NOT NULL, records INTEGER "
           "NOT NULL, channels INTEGER NOT NULL, first_time TEXT NOT NULL, last_time TEXT NOT "
           "NULL, provenance TEXT NOT NULL, complete INTEGER NOT NULL, cut_reason TEXT NOT NULL, "
           "seq INTEGER NOT NULL);"
           "CREATE TABLE trail(seq INTEGER PRIMARY KEY, time TEXT NOT NULL, utc_offset TEXT NOT "
           "NULL, login TEXT NOT NULL, host TEXT NOT NULL, program TEXT NOT NULL, event TEXT NOT "
           "NULL, file TEXT NOT NULL, new_file TEXT NOT NULL, sha256 TEXT NOT NULL, details TEXT "
           "NOT NULL, prev TEXT NOT NULL, hash TEXT NOT NULL);"
           "CREATE TABLE head(id INTEGER PRIMARY KEY CHECK (id = 1), seq INTEGER NOT NULL, hash "
           "TEXT NOT NULL);"
           "PRAGMA user_version = 1;");
    {
        TrailEntry first = newTrailEntry("imported", "/a.drav", "", "{}");
        first.seq = 1;
        first.hash = trailHash(first);
        runSql(file(), "INSERT INTO trail VALUES(1, '" + first.time + "', '" + first.offset +
                           "', '" + first.user + "', '" + first.host + "', '" + first.program +
                           "', 'imported', '/a.drav', '', '', '{}', '', '" + first.hash +
                           "'); INSERT INTO head VALUES(1, 1, '" + first.hash + "');");
    }
    auto archive = open();
    ASSERT_TRUE(archive);
    TrailEntry next = newTrailEntry("print", "/a.drav", "", "{}");
    ASSERT_TRUE(archive->append(next).ok());
    EXPECT_EQ(next.seq, 2);
    ChainCheck check;
    ASSERT_TRUE(archive->verifyChain(check).ok());
    EXPECT_TRUE(check.intact);
    EXPECT_EQ(check.entries, 2);
    archive.reset();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file().c_str(), &db), SQLITE_OK);
    sqlite3_stmt* version = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &version, nullptr);
    ASSERT_EQ(sqlite3_step(version), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(version, 0), SqliteArchive::kSchemaVersion);
    sqlite3_finalize(version);
    sqlite3_close(db);
}

TEST(LogFacts, TheHeaderAndTheFirstAndLastRecord) {
    TempDir temp;
    const std::string path = temp.dir() + "a.drav";
    writeFile(path, logBytes(3));
    const std::optional<LogFacts> facts = readLogFacts(path);
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->serial, "1234567890");
    EXPECT_EQ(facts->name, "Cold room");
    EXPECT_EQ(facts->records, 3u);
    EXPECT_EQ(facts->channels, 2u);
    EXPECT_EQ(facts->firstTime.size(), 19u);
    EXPECT_LE(facts->firstTime, facts->lastTime);
    writeFile(path, logBytes(3).substr(0, 60));
    EXPECT_FALSE(readLogFacts(path));
}

// Every kind of write through the door reaches the archive.
TEST_F(ArchiveTest, EveryStepAtTheDoorIsRecorded) {
    Outcome opened;
    ArchiveRecorder recorder(openArchive(temp_.dir(), opened), opened);
    ASSERT_TRUE(recorder.problem().ok()) << recorder.problem().detail;
    const std::string dir = temp_.dir();
    const std::string log = dir + "1234567890_20240105_0930.drav";
    const std::string bytes = logBytes(5);

    DownloadSummary summary;
    summary.packagesAnnounced = 4;
    summary.packagesReceived = 2;
    summary.records = 5;
    summary.cut = DownloadCut::ByUser;
    recorder.downloadSummarized(summary);
    ASSERT_TRUE(userFiles().writeBytes({UserFileKind::DownloadSaved, log, log}, bytes).ok());
    ASSERT_TRUE(
        userFiles()
            .writeBytes({UserFileKind::RealtimeSaved, dir + "rt.drav", dir + "rt.drav"}, bytes)
            .ok());
    ASSERT_TRUE(
        userFiles()
            .writeBytes({UserFileKind::RecoveredSaved, dir + "rec.drav", dir + ".1.realtime"},
                        bytes)
            .ok());
    ASSERT_TRUE(
        userFiles().writeBytes({UserFileKind::SavedAs, dir + "copy.drav", log}, bytes).ok());
    const UserFileKind exports[] = {UserFileKind::TextExport, UserFileKind::SpreadsheetExport,
                                    UserFileKind::CsvExport, UserFileKind::BitmapExport,
                                    UserFileKind::PdfExport};
    int n = 0;
    for (const UserFileKind kind : exports)
        ASSERT_TRUE(
            userFiles().writeBytes({kind, dir + "out" + std::to_string(n++), log}, "out").ok());
    userFiles().tell({UserFileKind::Printed, "Office printer", {}, log, Outcome{}});
    ASSERT_TRUE(userFiles().rename(dir, "copy.drav", "copy2.drav").ok());
    ASSERT_TRUE(userFiles().remove(dir, "rt.drav").ok());
    ASSERT_TRUE(
        userFiles().writeBytes({UserFileKind::Settings, dir + "Dravin.ini", {}}, "ini").ok());
    // A failed step records nothing.
    userFiles().refuse({UserFileKind::TextExport, dir + "nothing.txt", log}, EINVAL);
    EXPECT_TRUE(recorder.problem().ok()) << recorder.problem().detail;

    std::vector<TrailEntry> all;
    ASSERT_TRUE(recorder.archive()->entries("", all).ok());
    std::vector<std::string> events;
    for (const TrailEntry& e : all) events.push_back(e.event);
    EXPECT_THAT(events, ::testing::ElementsAre("download", "realtime", "realtime", "save-as",
                                               "export", "export", "export", "export", "export",
                                               "print", "rename", "delete"));
    EXPECT_EQ(all[0].sha256, sha256Hex(bytes));
    EXPECT_THAT(all[0].details, HasSubstr("\"packages_announced\":4"));
    EXPECT_THAT(all[0].details, HasSubstr("\"complete\":false"));
    EXPECT_EQ(all[4].sha256, sha256Hex("out")) << "an export carries its output's hash";
    EXPECT_THAT(all[4].details, HasSubstr("\"format\":\"txt\""));
    EXPECT_THAT(all[4].details, HasSubstr("\"log_sha256\":\"" + sha256Hex(bytes) + "\""));
    EXPECT_THAT(all[9].details, HasSubstr("Office printer"));
    EXPECT_EQ(all[10].newFile, dir + "copy2.drav");

    std::optional<LogRecord> downloaded;
    ASSERT_TRUE(recorder.archive()->findLog(log, downloaded).ok());
    ASSERT_TRUE(downloaded);
    EXPECT_EQ(downloaded->provenance, "download");
    EXPECT_FALSE(downloaded->complete);
    EXPECT_EQ(downloaded->cutReason, "cut short by the user");
    EXPECT_EQ(downloaded->facts.records, 5u);
    std::vector<LogRecord> logs;
    ASSERT_TRUE(recorder.archive()->listLogs({}, logs).ok());
    std::vector<std::string> paths;
    for (const LogRecord& l : logs) paths.push_back(l.path);
    EXPECT_THAT(paths, ::testing::ElementsAre(log, dir + "copy2.drav", dir + "rec.drav"));
    ChainCheck check;
    ASSERT_TRUE(recorder.archive()->verifyChain(check).ok());
    EXPECT_TRUE(check.intact);
}

TEST_F(ArchiveTest, AnUnusableArchiveLeavesTheLogSaved) {
    writeFile(file(), std::string(8192, 'x'));
    Outcome opened;
    ArchiveRecorder recorder(openArchive(temp_.dir(), opened), opened);
    EXPECT_EQ(recorder.problem().kind, OutcomeKind::ArchiveUnusable);
    const std::string log = temp_.dir() + "a.drav";
    EXPECT_TRUE(userFiles().writeBytes({UserFileKind::DownloadSaved, log, log}, logBytes(2)).ok());
    EXPECT_TRUE(fs::exists(log));
    EXPECT_EQ(recorder.problem().kind, OutcomeKind::ArchiveUnusable);
}

TEST_F(ArchiveTest, AScanFindsNewChangedAndVanishedLogs) {
    const std::string logs = temp_.dir() + "Logfiles/";
    fs::create_directory(logs);
    writeFile(logs + "a.drav", logBytes(3));
    writeFile(logs + "b.drav", logBytes(4));
    writeFile(logs + "notes.txt", "not a log");
    auto archive = open();
    ScanResult first = scanLogFolder(*archive, logs);
    ASSERT_TRUE(first.outcome.ok()) << first.outcome.detail;
    EXPECT_EQ(first.imported.size(), 2u);

    ScanResult again = scanLogFolder(*archive, logs);
    EXPECT_TRUE(again.imported.empty());
    EXPECT_EQ(again.unchanged, 2);

    writeFile(logs + "a.drav", logBytes(5));
    fs::remove(logs + "b.drav");
    ScanResult later = scanLogFolder(*archive, logs);
    EXPECT_THAT(later.changed, ::testing::ElementsAre(archivePath(logs + "a.drav")));
    EXPECT_THAT(later.vanished, ::testing::ElementsAre(archivePath(logs + "b.drav")));
    std::vector<TrailEntry> all;
    ASSERT_TRUE(archive->entries("", all).ok());
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[2].event, "changed");
    EXPECT_EQ(all[3].event, "vanished");
    std::optional<LogRecord> a;
    ASSERT_TRUE(archive->findLog(archivePath(logs + "a.drav"), a).ok());
    EXPECT_EQ(a->facts.records, 5u);
    EXPECT_EQ(a->provenance, "imported");
}

}  // namespace

namespace {

TEST(Trail, DetailsAreJsonWhateverTheBytes) {
    EXPECT_EQ(Details().text("a", "x\"\\\n\x1b").number("n", -3).flag("f", true).str(),
              "{\"a\":\"x\\\"\\\\\\n\\u001b\",\"n\":-3,\"f\":true}");
    EXPECT_EQ(jsonQuoted("冷库"), "\"冷库\"");
    EXPECT_EQ(jsonQuoted("\xc0\xe4"), "\"\\u00c0\\u00e4\"") << "a code page's bytes";
}

TEST(Trail, TheLocalTimeOfAnEntry) {
    TrailEntry entry;
    entry.time = "2024-01-05T08:24:13Z";
    entry.offset = "+01:00";
    EXPECT_EQ(localTimeText(entry), "2024-01-05 09:24 (+01:00)");
    entry.offset = "-05:30";
    EXPECT_EQ(localTimeText(entry), "2024-01-05 02:54 (-05:30)");
}

TEST(Trail, EveryFieldIsInTheHash) {
    TrailEntry entry = newTrailEntry("export", "/a", "ab", "{}");
    entry.seq = 1;
    const std::string hash = trailHash(entry);
    for (std::string TrailEntry::*field :
         {&TrailEntry::time, &TrailEntry::offset, &TrailEntry::user, &TrailEntry::host,
          &TrailEntry::program, &TrailEntry::event, &TrailEntry::file, &TrailEntry::newFile,
          &TrailEntry::sha256, &TrailEntry::details, &TrailEntry::prev}) {
        TrailEntry changed = entry;
        (changed.*field) += "x";
        EXPECT_NE(trailHash(changed), hash);
    }
    TrailEntry moved = entry;
    moved.seq = 2;
    EXPECT_NE(trailHash(moved), hash);
    // Bytes moved from one field to the next make another hash.
    TrailEntry shifted = entry;
    shifted.file = "/";
    shifted.newFile = "a";
    EXPECT_NE(trailHash(shifted), hash);
}

}  // namespace

namespace {

TEST(ArchiveRecorderOpening, TheArchiveOpensAtTheFirstStepToRecord) {
    TempDir temp;
    int opened = 0;
    ArchiveRecorder recorder([&](Outcome& outcome) {
        ++opened;
        return openArchive(temp.dir(), outcome);
    });
    const std::string out = temp.dir() + "out.txt";
    userFiles().refuse({UserFileKind::TextExport, out, {}}, ENOSPC);
    EXPECT_EQ(opened, 0) << "a failed step records nothing";
    EXPECT_FALSE(fs::exists(temp.dir() + "archive.sqlite"));
    ASSERT_TRUE(userFiles().writeBytes({UserFileKind::TextExport, out, {}}, "text").ok());
    ASSERT_TRUE(userFiles().writeBytes({UserFileKind::CsvExport, out, {}}, "csv").ok());
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(recorder.problem().ok());
    std::vector<TrailEntry> all;
    ASSERT_TRUE(recorder.archive()->entries(out, all).ok());
    EXPECT_EQ(all.size(), 2u);
}

}  // namespace
