#include "archive/ArchiveScan.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>

#include "archive/LogFacts.h"
#include "archive/Trail.h"

namespace fs = std::filesystem;

namespace {

bool isLogName(const fs::path& path) {
    return path.extension() == ".drav";
}

// One file found: recorded if new or changed; false when the archive failed.
bool scanFile(Archive& archive, const std::string& path, const LogRecord* known, bool rehash,
              ScanResult& result) {
    const std::optional<FileStamp> stamp = fileStamp(path);
    if (!stamp) return true;
    if (known != nullptr && !rehash && stamp->size == known->size &&
        stamp->mtimeNs == known->mtimeNs) {
        ++result.unchanged;
        return true;
    }
    std::optional<LogRecord> now = describeLogFile(path);
    if (!now) return true;  // unreadable now: looked at again by the next scan
    if (known == nullptr) {
        now->provenance = "imported";
        Details details;
        details.number("records", now->facts.records).text("serial", now->facts.serial);
        TrailEntry entry = newTrailEntry("imported", now->path, now->sha256, details.str());
        result.outcome = archive.recordLog(*now, &entry);
        if (result.outcome.ok()) result.imported.push_back(now->path);
        return result.outcome.ok();
    }
    now->provenance = known->provenance;
    now->complete = known->complete;
    now->cutReason = known->cutReason;
    if (now->sha256 == known->sha256) {
        // Touched, not changed: the row learns its new time.
        now->seq = known->seq;
        ++result.unchanged;
        result.outcome = archive.recordLog(*now, nullptr);
        return result.outcome.ok();
    }
    Details details;
    details.text("was", known->sha256)
        .number("size_was", known->size)
        .number("records", now->facts.records);
    TrailEntry entry = newTrailEntry("changed", now->path, now->sha256, details.str());
    result.outcome = archive.recordLog(*now, &entry);
    if (result.outcome.ok()) result.changed.push_back(now->path);
    return result.outcome.ok();
}

}  // namespace

ScanResult scanLogFolder(Archive& archive, const std::string& folder, bool rehash) {
    ScanResult result;
    fs::path dir = fs::path(archivePath(folder));
    if (!dir.has_filename()) dir = dir.parent_path();  // "/logs/" is "/logs"
    std::vector<LogRecord> all;
    result.outcome = archive.listLogs({}, all);
    if (!result.outcome.ok()) return result;
    std::map<std::string, LogRecord> known;
    for (LogRecord& log : all)
        if (fs::path(log.path).parent_path() == dir) known.emplace(log.path, std::move(log));

    std::vector<std::string> found;
    std::error_code error;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        if (isLogName(it->path()) && it->is_regular_file(error))
            found.push_back(archivePath(it->path().string()));
    }
    std::sort(found.begin(), found.end());
    for (const std::string& path : found) {
        const auto at = known.find(path);
        if (!scanFile(archive, path, at == known.end() ? nullptr : &at->second, rehash, result))
            return result;
    }
    for (const auto& [path, log] : known) {
        if (std::binary_search(found.begin(), found.end(), path)) continue;
        if (fileStamp(path)) continue;  // there, but not as a .drav of the folder's listing
        TrailEntry entry = newTrailEntry("vanished", path, log.sha256);
        result.outcome = archive.dropLog(path, entry);
        if (!result.outcome.ok()) return result;
        result.vanished.push_back(path);
    }
    return result;
}
