#include "ArchiveCommands.h"

#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <set>
#include <string_view>
#include <system_error>
#include <vector>

#include "Commands.h"
#include "Json.h"
#include "Printable.h"
#include "archive/ArchiveScan.h"
#include "archive/LogCheck.h"
#include "archive/Sha256.h"
#include "archive/Signing.h"
#include "archive/SqliteArchive.h"
#include "archive/Trail.h"
#include "base/LogEvents.h"
#include "record/AppData.h"

namespace {

void printOut(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

void printError(const std::string& text) {
    std::fprintf(stderr, "%s\n", printable(text).c_str());
}

// The archive of the data folder, or nothing and a line on stderr.
std::unique_ptr<Archive> openOrSay(const CliOptions& options) {
    Outcome outcome;
    std::unique_ptr<Archive> archive = openArchive(cliDataDir(options), outcome);
    if (!archive) printError("The archive cannot be used: " + outcome.detail);
    return archive;
}

int archiveFailed(const Outcome& outcome) {
    printError("The archive cannot be used: " + outcome.detail);
    return kExitFailed;
}

using FileState = LogState;

struct FileCheck {
    std::string shown;  // the path as given
    FileState state = FileState::Unknown;
    std::string sha256;
    std::optional<LogRecord> recorded;
    std::string since;
    std::string reason;
};

FileCheck checkFile(Archive& archive, const std::string& shown, Outcome& outcome) {
    const LogCheck check = checkLog(archive, shown, outcome);
    FileCheck file{shown, check.state, check.sha256, check.recorded, {}, {}};
    if (check.recorded) file.since = recordedByText(check.since);
    if (check.state == FileState::Unreadable)
        file.reason = std::generic_category().message(check.error);
    return file;
}

std::string checkLine(const FileCheck& c) {
    switch (c.state) {
        case FileState::Unchanged:
            return c.shown + ": unchanged since " + c.since;
        case FileState::Changed:
            return c.shown + ": CHANGED since " + c.since;
        case FileState::Unreadable:
            return c.shown + ": cannot be read (" + c.reason + "), recorded at " + c.since;
        case FileState::Unknown:
            break;
    }
    return c.shown + ": not in the archive";
}

const char* stateName(FileState state) {
    switch (state) {
        case FileState::Unchanged:
            return "unchanged";
        case FileState::Changed:
            return "changed";
        case FileState::Unreadable:
            return "unreadable";
        case FileState::Unknown:
            break;
    }
    return "unknown";
}

std::string chainLine(const ChainCheck& check) {
    if (check.intact) return "audit trail: intact, " + std::to_string(check.entries) + " entries";
    return "audit trail: BROKEN at entry " + std::to_string(check.brokenAt);
}

std::string entryJson(const TrailEntry& e) {
    return JsonObject()
        .integer("seq", e.seq)
        .text("time", e.time)
        .text("offset", e.offset)
        .text("user", e.user)
        .text("host", e.host)
        .text("program", e.program)
        .text("event", e.event)
        .text("file", e.file)
        .text("sha256", e.sha256)
        .raw("details", e.details.empty() ? "{}" : e.details)
        .text("prev", e.prev)
        .text("hash", e.hash)
        .str();
}

std::string logJson(const LogRecord& log) {
    return JsonObject()
        .text("path", log.path)
        .integer("size", log.size)
        .text("sha256", log.sha256)
        .text("serial", log.facts.serial)
        .text("name", log.facts.name)
        .integer("records", log.facts.records)
        .integer("channels", log.facts.channels)
        .text("first", log.facts.firstTime)
        .text("last", log.facts.lastTime)
        .text("provenance", log.provenance)
        .raw("complete", log.complete ? "true" : "false")
        .text("cut", log.cutReason)
        .str();
}

std::string jsonArray(const std::vector<std::string>& items) {
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i) {
        out += i == 0 ? "\n" : ",\n";
        out += items[i];
    }
    return out + (items.empty() ? "]\n" : "\n]\n");
}

// One line of fields between tabs, each with its control characters escaped.
std::string tabbed(std::initializer_list<std::string> fields) {
    std::string line;
    for (const std::string& field : fields) {
        if (!line.empty()) line += '\t';
        line += printable(field);
    }
    line += '\n';
    return line;
}

void printScan(const ScanResult& result) {
    for (const std::string& path : result.imported) printOut("imported: " + printable(path) + "\n");
    for (const std::string& path : result.changed) printOut("CHANGED: " + printable(path) + "\n");
    for (const std::string& path : result.vanished) printOut("vanished: " + printable(path) + "\n");
}

}  // namespace

std::string cliDataDir(const CliOptions& options) {
    if (options.dataDir.empty()) return dataDir();
    return options.dataDir.back() == '/' ? options.dataDir : options.dataDir + "/";
}

ArchiveSession::ArchiveSession(const std::string& dataDir, LogEventHub* events) : events_(events) {
    // Opened at the first file written: a command that fails before writes nothing there.
    recorder_ = std::make_unique<ArchiveRecorder>(
        [dataDir](Outcome& opened) { return openArchive(dataDir, opened); });
    if (events_ != nullptr) events_->subscribe(*recorder_);
}

ArchiveSession::~ArchiveSession() {
    if (events_ != nullptr) events_->unsubscribe(*recorder_);
    const Outcome problem = recorder_->problem();
    if (!problem.ok()) printError(archiveUnusableText(problem));
}

int verifyLogs(const CliOptions& options) {
    const std::unique_ptr<Archive> archive = openOrSay(options);
    if (!archive) return kExitFailed;
    std::vector<std::string> files = options.files;
    if (options.all) {
        std::vector<LogRecord> logs;
        if (const Outcome listed = archive->listLogs({}, logs); !listed.ok())
            return archiveFailed(listed);
        for (const LogRecord& log : logs) files.push_back(log.path);
    }
    std::vector<FileCheck> checks;
    bool allUnchanged = true;
    for (const std::string& file : files) {
        Outcome outcome;
        checks.push_back(checkFile(*archive, file, outcome));
        if (!outcome.ok()) return archiveFailed(outcome);
        allUnchanged = allUnchanged && checks.back().state == FileState::Unchanged;
    }
    ChainCheck chain;
    if (const Outcome verified = archive->verifyChain(chain); !verified.ok())
        return archiveFailed(verified);
    if (options.json) {
        std::vector<std::string> items;
        for (const FileCheck& c : checks) {
            JsonObject item;
            item.text("path", c.shown).text("status", stateName(c.state));
            if (!c.sha256.empty()) item.text("sha256", c.sha256);
            if (c.recorded) item.text("recorded_sha256", c.recorded->sha256).text("since", c.since);
            items.push_back(item.str());
        }
        std::string files_json = "[";
        for (size_t i = 0; i < items.size(); ++i) {
            if (i > 0) files_json += ',';
            files_json += items[i];
        }
        files_json += "]";
        JsonObject trail;
        trail.raw("intact", chain.intact ? "true" : "false").integer("entries", chain.entries);
        if (!chain.intact) trail.integer("broken_at", chain.brokenAt);
        printOut(JsonObject().raw("files", files_json).raw("trail", trail.str()).str() + "\n");
    } else {
        for (const FileCheck& c : checks) printOut(printable(checkLine(c)) + "\n");
        printOut(chainLine(chain) + "\n");
    }
    // The check itself goes into the trail.
    Details details;
    details.number("files", static_cast<int64_t>(checks.size()))
        .flag("unchanged", allUnchanged)
        .flag("intact", chain.intact);
    if (!chain.intact) details.number("broken_at", chain.brokenAt);
    const std::string one = checks.size() == 1 ? archivePath(checks[0].shown) : std::string();
    const std::string oneHash = checks.size() == 1 ? checks[0].sha256 : std::string();
    TrailEntry entry = newTrailEntry("verify", one, oneHash, details.str());
    if (const Outcome appended = archive->append(entry); !appended.ok())
        return archiveFailed(appended);
    return allUnchanged && chain.intact ? kExitOk : kExitFailed;
}

int auditTrail(const CliOptions& options) {
    const std::unique_ptr<Archive> archive = openOrSay(options);
    if (!archive) return kExitFailed;
    std::vector<TrailEntry> entries;
    const std::string path = options.file.empty() ? std::string() : archivePath(options.file);
    if (const Outcome found = archive->entries(path, entries); !found.ok())
        return archiveFailed(found);
    if (options.json) {
        std::vector<std::string> items;
        for (const TrailEntry& e : entries) items.push_back(entryJson(e));
        printOut(jsonArray(items));
        return kExitOk;
    }
    for (const TrailEntry& e : entries) {
        std::string file = e.file;
        if (!e.newFile.empty()) file += " -> " + e.newFile;
        printOut(tabbed({std::to_string(e.seq), e.time, e.offset, e.user + "@" + e.host, e.event,
                         file, e.sha256, e.details}));
    }
    return kExitOk;
}

int signLog(const CliOptions& options) {
    const std::unique_ptr<Archive> archive = openOrSay(options);
    if (!archive) return kExitFailed;
    LogCheck check;
    TrailEntry entry;
    const Outcome signed_ = ::signLog(
        *archive, options.file, {options.meaning, options.signer, options.comment}, check, entry);
    if (signed_.kind == OutcomeKind::Refused) {
        FileCheck file{options.file, check.state, check.sha256, check.recorded, {}, {}};
        if (check.recorded) file.since = recordedByText(check.since);
        printError(checkLine(file) + ": only a log unchanged since it was recorded can be signed.");
        return kExitFailed;
    }
    if (!signed_.ok()) return archiveFailed(signed_);
    printOut(printable(options.file + ": signed as " + options.meaning + " by " + options.signer +
                       " (" + entry.user + "@" + entry.host + "), entry " +
                       std::to_string(entry.seq)) +
             "\n");
    return kExitOk;
}

int archiveCommand(const CliOptions& options) {
    const std::unique_ptr<Archive> archive = openOrSay(options);
    if (!archive) return kExitFailed;
    if (options.archiveAction == ArchiveAction::List) {
        std::vector<LogRecord> logs;
        const Outcome listed = archive->listLogs({options.serial, options.from, options.to}, logs);
        if (!listed.ok()) return archiveFailed(listed);
        if (options.json) {
            std::vector<std::string> items;
            for (const LogRecord& log : logs) items.push_back(logJson(log));
            printOut(jsonArray(items));
            return kExitOk;
        }
        for (const LogRecord& log : logs)
            printOut(tabbed({log.path, log.facts.serial, log.facts.name,
                             std::to_string(log.facts.records) + " records", log.facts.firstTime,
                             log.facts.lastTime, log.provenance,
                             log.complete ? "complete" : "cut short: " + log.cutReason}));
        return kExitOk;
    }
    if (options.archiveAction == ArchiveAction::Add) {
        std::error_code error;
        if (!std::filesystem::is_directory(options.file, error)) {
            printError("Cannot add " + options.file + ": no such folder.");
            return kExitFailed;
        }
        const ScanResult result = scanLogFolder(*archive, options.file);
        printScan(result);
        return result.outcome.ok() ? kExitOk : archiveFailed(result.outcome);
    }
    // Rebuild: every folder that holds a log of the index, and the data
    // folder's Logfiles, each file read again.
    std::vector<LogRecord> logs;
    if (const Outcome listed = archive->listLogs({}, logs); !listed.ok())
        return archiveFailed(listed);
    std::set<std::string> folders{archivePath(cliDataDir(options) + "Logfiles")};
    for (const LogRecord& log : logs)
        folders.insert(std::filesystem::path(log.path).parent_path().string());
    bool ok = true;
    for (const std::string& folder : folders) {
        std::error_code error;
        ScanResult result;
        if (std::filesystem::is_directory(folder, error)) {
            result = scanLogFolder(*archive, folder, true);
        } else {
            // The folder is gone: so are its logs.
            for (const LogRecord& log : logs) {
                if (std::filesystem::path(log.path).parent_path() != folder) continue;
                TrailEntry entry = newTrailEntry("vanished", log.path, log.sha256);
                result.outcome = archive->dropLog(log.path, entry);
                if (!result.outcome.ok()) break;
                result.vanished.push_back(log.path);
            }
        }
        printScan(result);
        if (!result.outcome.ok()) return archiveFailed(result.outcome);
        ok = ok && result.outcome.ok();
    }
    return ok ? kExitOk : kExitFailed;
}
