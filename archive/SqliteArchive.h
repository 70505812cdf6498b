#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "archive/Archive.h"

struct sqlite3;

// The archive in an SQLite database, `archive.sqlite` in the data folder.
// Write-ahead log, a busy wait of a few seconds for another process holding
// it, every write one IMMEDIATE transaction, every value a bound parameter.
// The schema's version is PRAGMA user_version; an older one is brought up
// to date in place as the database opens, a newer one is left alone.
class SqliteArchive final : public Archive {
public:
    static constexpr int kSchemaVersion = 2;
    static constexpr int kBusyMilliseconds = 5000;

    // Opens (or makes) the database at `file`: the archive, or nothing and
    // ArchiveUnusable in `outcome`. A file without any write permission is
    // taken as read-only, for every user alike.
    static std::unique_ptr<SqliteArchive> open(const std::string& file, Outcome& outcome);
    ~SqliteArchive() override;
    SqliteArchive(const SqliteArchive&) = delete;
    SqliteArchive& operator=(const SqliteArchive&) = delete;

    Outcome recordLog(LogRecord& log, TrailEntry* entry) override;
    Outcome moveLog(const std::string& from, const std::string& to, TrailEntry& entry) override;
    Outcome dropLog(const std::string& path, TrailEntry& entry) override;
    Outcome append(TrailEntry& entry) override;
    Outcome findLog(const std::string& path, std::optional<LogRecord>& log) override;
    Outcome listLogs(const LogFilter& filter, std::vector<LogRecord>& logs) override;
    Outcome findEntry(int64_t seq, std::optional<TrailEntry>& entry) override;
    Outcome entries(const std::string& path, std::vector<TrailEntry>& found) override;
    Outcome signatures(const std::string& path, std::vector<TrailEntry>& found) override;
    Outcome verifyChain(ChainCheck& check) override;

    const std::string& file() const { return file_; }

private:
    SqliteArchive(sqlite3* db, std::string file);
    Outcome migrate();
    // Runs `work` in one IMMEDIATE transaction: committed when it returns
    // true, rolled back otherwise.
    template <class Work>
    Outcome transaction(Work work);
    bool appendEntry(TrailEntry& entry);
    Outcome failure() const;

    std::recursive_mutex mutex_;
    sqlite3* db_;
    std::string file_;
    bool readOnly_ = false;
    int lastError_ = 0;
    std::string lastMessage_;

    friend class SqliteStatement;
};

// archive.sqlite in the data folder `dir` (ending in '/' or not).
std::string archiveFileIn(const std::string& dir);
std::unique_ptr<Archive> openArchive(const std::string& dataDir, Outcome& outcome);
