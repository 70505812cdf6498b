#include "archive/SqliteArchive.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string_view>

#include "archive/Trail.h"
#include "base/Texts.h"

namespace {

constexpr const char* kUnusable =
    txNoop("The archive cannot be used: %s Logs are saved, but not recorded.");

// Each step of the schema, from the version before it to its own.
constexpr const char* kMigrations[] = {
    // 1: the index, the trail and its head (the last seq and hash, so that
    // an entry cut off the end shows).
    "CREATE TABLE logs(path TEXT PRIMARY KEY, size INTEGER NOT NULL, mtime_ns INTEGER NOT NULL,"
    " sha256 TEXT NOT NULL, serial TEXT NOT NULL, name TEXT NOT NULL, records INTEGER NOT NULL,"
    " channels INTEGER NOT NULL, first_time TEXT NOT NULL, last_time TEXT NOT NULL,"
    " provenance TEXT NOT NULL, complete INTEGER NOT NULL, cut_reason TEXT NOT NULL,"
    " seq INTEGER NOT NULL);"
    "CREATE TABLE trail(seq INTEGER PRIMARY KEY, time TEXT NOT NULL, utc_offset TEXT NOT NULL,"
    " login TEXT NOT NULL, host TEXT NOT NULL, program TEXT NOT NULL, event TEXT NOT NULL,"
    " file TEXT NOT NULL, new_file TEXT NOT NULL, sha256 TEXT NOT NULL, details TEXT NOT NULL,"
    " prev TEXT NOT NULL, hash TEXT NOT NULL);"
    "CREATE TABLE head(id INTEGER PRIMARY KEY CHECK (id = 1), seq INTEGER NOT NULL,"
    " hash TEXT NOT NULL);",
    // 2: the lookups by file, by a rename's new name and by logger.
    "CREATE INDEX trail_file ON trail(file);"
    "CREATE INDEX trail_new_file ON trail(new_file);"
    "CREATE INDEX logs_serial ON logs(serial);",
};
static_assert(std::size(kMigrations) == SqliteArchive::kSchemaVersion);

constexpr const char* kLogColumns =
    "path, size, mtime_ns, sha256, serial, name, records, channels, first_time, last_time,"
    " provenance, complete, cut_reason, seq";
constexpr const char* kTrailColumns =
    "seq, time, utc_offset, login, host, program, event, file, new_file, sha256, details, prev,"
    " hash";

}  // namespace

// One prepared statement; a failed step or bind leaves its error in the archive.
class SqliteStatement {
public:
    SqliteStatement(SqliteArchive& archive, const char* sql) : archive_(archive) {
        if (sqlite3_prepare_v2(archive.db_, sql, -1, &statement_, nullptr) != SQLITE_OK)
            fail(sqlite3_errcode(archive.db_));
    }
    ~SqliteStatement() { sqlite3_finalize(statement_); }
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    SqliteStatement& bind(std::string_view text) {
        if (ok_ && sqlite3_bind_text(statement_, ++bound_, text.data(),
                                     static_cast<int>(text.size()), SQLITE_TRANSIENT) != SQLITE_OK)
            fail(sqlite3_errcode(archive_.db_));
        return *this;
    }
    SqliteStatement& bind(int64_t value) {
        if (ok_ && sqlite3_bind_int64(statement_, ++bound_, value) != SQLITE_OK)
            fail(sqlite3_errcode(archive_.db_));
        return *this;
    }
    // True while there is a row; false at the end or on an error (see ok()).
    bool row() {
        if (!ok_) return false;
        const int result = sqlite3_step(statement_);
        if (result == SQLITE_ROW) return true;
        if (result != SQLITE_DONE) fail(result);
        return false;
    }
    // Runs a statement that returns no row.
    bool run() {
        row();
        return ok_;
    }
    bool ok() const { return ok_; }
    std::string text(int column) const {
        const auto* bytes = sqlite3_column_text(statement_, column);
        return bytes == nullptr
                   ? std::string()
                   : std::string(reinterpret_cast<const char*>(bytes),
                                 static_cast<size_t>(sqlite3_column_bytes(statement_, column)));
    }
    int64_t integer(int column) const { return sqlite3_column_int64(statement_, column); }

private:
    void fail(int code) {
        ok_ = false;
        archive_.lastError_ = code;
        archive_.lastMessage_ = sqlite3_errmsg(archive_.db_);
    }

    SqliteArchive& archive_;
    sqlite3_stmt* statement_ = nullptr;
    int bound_ = 0;
    bool ok_ = true;
};

namespace {

LogRecord logOf(const SqliteStatement& s) {
    LogRecord log;
    log.path = s.text(0);
    log.size = s.integer(1);
    log.mtimeNs = s.integer(2);
    log.sha256 = s.text(3);
    log.facts.serial = s.text(4);
    log.facts.name = s.text(5);
    log.facts.records = static_cast<uint32_t>(s.integer(6));
    log.facts.channels = static_cast<uint32_t>(s.integer(7));
    log.facts.firstTime = s.text(8);
    log.facts.lastTime = s.text(9);
    log.provenance = s.text(10);
    log.complete = s.integer(11) != 0;
    log.cutReason = s.text(12);
    log.seq = s.integer(13);
    return log;
}

TrailEntry entryOf(const SqliteStatement& s) {
    TrailEntry e;
    e.seq = s.integer(0);
    std::string* fields[] = {&e.time, &e.offset,  &e.user,   &e.host,    &e.program, &e.event,
                             &e.file, &e.newFile, &e.sha256, &e.details, &e.prev,    &e.hash};
    int column = 1;
    for (std::string* field : fields) *field = s.text(column++);
    return e;
}

bool readOnlyByMode(const std::string& file) {
    struct stat st {};
    return ::stat(file.c_str(), &st) == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

std::string archiveUnusableText(const Outcome& outcome) {
    char text[2048];
    std::snprintf(text, sizeof text, tx(kUnusable), outcome.detail.c_str());
    return text;
}

SqliteArchive::SqliteArchive(sqlite3* db, std::string file) : db_(db), file_(std::move(file)) {}

SqliteArchive::~SqliteArchive() {
    sqlite3_close_v2(db_);
}

std::unique_ptr<SqliteArchive> SqliteArchive::open(const std::string& file, Outcome& outcome) {
    const bool readOnly = readOnlyByMode(file);
    sqlite3* db = nullptr;
    const int flags =
        (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) |
        SQLITE_OPEN_FULLMUTEX;
    const int opened = sqlite3_open_v2(file.c_str(), &db, flags, nullptr);
    std::unique_ptr<SqliteArchive> archive(new SqliteArchive(db, file));
    if (opened != SQLITE_OK) {
        archive->lastError_ = opened;
        archive->lastMessage_ = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(opened);
        outcome = archive->failure();
        return nullptr;
    }
    archive->readOnly_ = readOnly || sqlite3_db_readonly(db, "main") == 1;
    if (archive->readOnly_) {
        archive->lastError_ = SQLITE_READONLY;
        outcome = archive->failure();
        return nullptr;
    }
    sqlite3_busy_timeout(db, kBusyMilliseconds);
    sqlite3_extended_result_codes(db, 0);
    outcome = archive->migrate();
    if (!outcome.ok()) return nullptr;
    return archive;
}

Outcome SqliteArchive::failure() const {
    std::string why;
    switch (lastError_) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            why = file_ + " stayed locked by another program for more than " +
                  std::to_string(kBusyMilliseconds / 1000) + " seconds.";
            break;
        case SQLITE_READONLY:
            why = file_ + " is read-only.";
            break;
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            why = file_ + " is damaged (" + lastMessage_ + ").";
            break;
        case SQLITE_FULL:
            why = file_ + ": the disk is full.";
            break;
        case SQLITE_CANTOPEN:
            why = file_ + " cannot be opened (" + lastMessage_ + ").";
            break;
        default:
            why = file_ + ": " + (lastMessage_.empty() ? "error" : lastMessage_) + ".";
    }
    return {OutcomeKind::ArchiveUnusable, why};
}

template <class Work>
Outcome SqliteArchive::transaction(Work work) {
    const std::lock_guard lock(mutex_);
    if (!SqliteStatement(*this, "BEGIN IMMEDIATE").run()) return failure();
    if (work() && SqliteStatement(*this, "COMMIT").run()) return {};
    const Outcome failed = failure();
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    return failed;
}

Outcome SqliteArchive::migrate() {
    {
        // Write-ahead: readers never wait for a writer, and a writer killed
        // midway leaves the database as its last commit.
        SqliteStatement wal(*this, "PRAGMA journal_mode=WAL");
        if (!wal.row() && !wal.ok()) return failure();
    }
    if (!SqliteStatement(*this, "PRAGMA synchronous=FULL").run()) return failure();
    int found = 0;
    Outcome outcome = transaction([&] {
        SqliteStatement version(*this, "PRAGMA user_version");
        if (!version.row()) return false;
        found = static_cast<int>(version.integer(0));
        if (found > kSchemaVersion) return false;
        for (int step = found; step < kSchemaVersion; ++step) {
            if (sqlite3_exec(db_, kMigrations[step], nullptr, nullptr, nullptr) != SQLITE_OK) {
                lastError_ = sqlite3_errcode(db_);
                lastMessage_ = sqlite3_errmsg(db_);
                return false;
            }
        }
        // A pragma takes no parameter; the number is the program's own.
        const std::string set = "PRAGMA user_version=" + std::to_string(kSchemaVersion);
        return found == kSchemaVersion || SqliteStatement(*this, set.c_str()).run();
    });
    if (found > kSchemaVersion)
        return {OutcomeKind::ArchiveUnusable,
                file_ + " was made by a newer Dravin (schema version " + std::to_string(found) +
                    ", this one knows up to " + std::to_string(kSchemaVersion) + ")."};
    return outcome;
}

bool SqliteArchive::appendEntry(TrailEntry& entry) {
    int64_t seq = 0;
    std::string prev;
    {
        SqliteStatement head(*this, "SELECT seq, hash FROM head WHERE id = 1");
        if (head.row()) {
            seq = head.integer(0);
            prev = head.text(1);
        } else if (!head.ok()) {
            return false;
        } else {
            SqliteStatement last(*this, "SELECT seq, hash FROM trail ORDER BY seq DESC LIMIT 1");
            if (last.row()) {
                seq = last.integer(0);
                prev = last.text(1);
            } else if (!last.ok()) {
                return false;
            }
        }
    }
    entry.seq = seq + 1;
    entry.prev = prev;
    entry.hash = trailHash(entry);
    SqliteStatement insert(*this,
                           "INSERT INTO trail(seq, time, utc_offset, login, host, program, event,"
                           " file, new_file, sha256, details, prev, hash)"
                           " VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insert.bind(entry.seq);
    for (const std::string* field :
         {&entry.time, &entry.offset, &entry.user, &entry.host, &entry.program, &entry.event,
          &entry.file, &entry.newFile, &entry.sha256, &entry.details, &entry.prev, &entry.hash})
        insert.bind(*field);
    if (!insert.run()) return false;
    return SqliteStatement(
               *this,
               "INSERT INTO head(id, seq, hash) VALUES(1, ?, ?)"
               " ON CONFLICT(id) DO UPDATE SET seq = excluded.seq, hash = excluded.hash")
        .bind(entry.seq)
        .bind(entry.hash)
        .run();
}

Outcome SqliteArchive::recordLog(LogRecord& log, TrailEntry* entry) {
    return transaction([&] {
        if (entry != nullptr) {
            if (!appendEntry(*entry)) return false;
            log.seq = entry->seq;
        }
        SqliteStatement put(
            *this,
            "INSERT OR REPLACE INTO logs(path, size, mtime_ns, sha256, serial, name,"
            " records, channels, first_time, last_time, provenance, complete,"
            " cut_reason, seq) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        put.bind(log.path).bind(log.size).bind(log.mtimeNs).bind(log.sha256);
        put.bind(log.facts.serial).bind(log.facts.name);
        put.bind(static_cast<int64_t>(log.facts.records))
            .bind(static_cast<int64_t>(log.facts.channels));
        put.bind(log.facts.firstTime).bind(log.facts.lastTime).bind(log.provenance);
        put.bind(int64_t{log.complete ? 1 : 0}).bind(log.cutReason).bind(log.seq);
        return put.run();
    });
}

Outcome SqliteArchive::moveLog(const std::string& from, const std::string& to, TrailEntry& entry) {
    return transaction([&] {
        if (!appendEntry(entry)) return false;
        if (!SqliteStatement(*this, "DELETE FROM logs WHERE path = ?").bind(to).run()) return false;
        return SqliteStatement(*this, "UPDATE logs SET path = ? WHERE path = ?")
            .bind(to)
            .bind(from)
            .run();
    });
}

Outcome SqliteArchive::dropLog(const std::string& path, TrailEntry& entry) {
    return transaction([&] {
        return appendEntry(entry) &&
               SqliteStatement(*this, "DELETE FROM logs WHERE path = ?").bind(path).run();
    });
}

Outcome SqliteArchive::append(TrailEntry& entry) {
    return transaction([&] { return appendEntry(entry); });
}

Outcome SqliteArchive::findLog(const std::string& path, std::optional<LogRecord>& log) {
    const std::lock_guard lock(mutex_);
    log.reset();
    const std::string sql = std::string("SELECT ") + kLogColumns + " FROM logs WHERE path = ?";
    SqliteStatement select(*this, sql.c_str());
    select.bind(path);
    if (select.row()) log = logOf(select);
    return select.ok() ? Outcome{} : failure();
}

Outcome SqliteArchive::listLogs(const LogFilter& filter, std::vector<LogRecord>& logs) {
    const std::lock_guard lock(mutex_);
    logs.clear();
    const std::string sql = std::string("SELECT ") + kLogColumns +
                            " FROM logs WHERE (?1 = '' OR serial = ?1)"
                            " AND (?2 = '' OR last_time >= ?2) AND (?3 = '' OR first_time <= ?3)"
                            " ORDER BY path";
    SqliteStatement select(*this, sql.c_str());
    select.bind(filter.serial);
    select.bind(filter.from.empty() ? std::string() : filter.from + "T00:00:00");
    select.bind(filter.to.empty() ? std::string() : filter.to + "T23:59:59");
    while (select.row()) logs.push_back(logOf(select));
    return select.ok() ? Outcome{} : failure();
}

Outcome SqliteArchive::findEntry(int64_t seq, std::optional<TrailEntry>& entry) {
    const std::lock_guard lock(mutex_);
    entry.reset();
    const std::string sql = std::string("SELECT ") + kTrailColumns + " FROM trail WHERE seq = ?";
    SqliteStatement select(*this, sql.c_str());
    select.bind(seq);
    if (select.row()) entry = entryOf(select);
    return select.ok() ? Outcome{} : failure();
}

Outcome SqliteArchive::entries(const std::string& path, std::vector<TrailEntry>& found) {
    const std::lock_guard lock(mutex_);
    found.clear();
    if (path.empty()) {
        const std::string sql = std::string("SELECT ") + kTrailColumns + " FROM trail ORDER BY seq";
        SqliteStatement select(*this, sql.c_str());
        while (select.row()) found.push_back(entryOf(select));
        return select.ok() ? Outcome{} : failure();
    }
    // The names the file had: each rename to a name known leads to the one before.
    std::set<std::string> names{path};
    std::vector<std::string> open{path};
    while (!open.empty()) {
        const std::string name = open.back();
        open.pop_back();
        SqliteStatement renamed(*this,
                                "SELECT file FROM trail WHERE event = 'rename' AND new_file = ?");
        renamed.bind(name);
        while (renamed.row()) {
            const std::string before = renamed.text(0);
            if (names.insert(before).second) open.push_back(before);
        }
        if (!renamed.ok()) return failure();
    }
    std::set<int64_t> seen;
    const std::string sql = std::string("SELECT ") + kTrailColumns +
                            " FROM trail WHERE file = ?1 OR new_file = ?1 ORDER BY seq";
    for (const std::string& name : names) {
        SqliteStatement select(*this, sql.c_str());
        select.bind(name);
        while (select.row()) {
            TrailEntry entry = entryOf(select);
            if (seen.insert(entry.seq).second) found.push_back(std::move(entry));
        }
        if (!select.ok()) return failure();
    }
    std::sort(found.begin(), found.end(),
              [](const TrailEntry& a, const TrailEntry& b) { return a.seq < b.seq; });
    return {};
}

Outcome SqliteArchive::signatures(const std::string& path, std::vector<TrailEntry>& found) {
    std::vector<TrailEntry> all;
    const Outcome outcome = entries(path, all);
    found.clear();
    for (TrailEntry& entry : all)
        if (entry.event == "sign") found.push_back(std::move(entry));
    return outcome;
}

Outcome SqliteArchive::verifyChain(ChainCheck& check) {
    const std::lock_guard lock(mutex_);
    std::vector<TrailEntry> all;
    int64_t lastSeq = 0;
    std::string lastHash;
    // One read transaction: the trail and its head as one moment saw them.
    if (!SqliteStatement(*this, "BEGIN").run()) return failure();
    {
        const std::string sql = std::string("SELECT ") + kTrailColumns + " FROM trail ORDER BY seq";
        SqliteStatement select(*this, sql.c_str());
        while (select.row()) all.push_back(entryOf(select));
        SqliteStatement head(*this, "SELECT seq, hash FROM head WHERE id = 1");
        if (head.row()) {
            lastSeq = head.integer(0);
            lastHash = head.text(1);
        }
        if (!select.ok() || !head.ok()) {
            const Outcome failed = failure();
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
            return failed;
        }
    }
    sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    check = checkChain(all, lastSeq, lastHash);
    return {};
}

std::string archiveFileIn(const std::string& dir) {
    if (dir.empty()) return "archive.sqlite";
    return dir.back() == '/' ? dir + "archive.sqlite" : dir + "/archive.sqlite";
}

std::unique_ptr<Archive> openArchive(const std::string& dataDir, Outcome& outcome) {
    return SqliteArchive::open(archiveFileIn(dataDir), outcome);
}
