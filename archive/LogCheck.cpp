#include "archive/LogCheck.h"

#include "archive/Sha256.h"
#include "archive/Trail.h"

LogCheck checkLog(Archive& archive, const std::string& path, Outcome& outcome) {
    LogCheck check;
    outcome = archive.findLog(archivePath(path), check.recorded);
    if (!outcome.ok() || !check.recorded) return check;
    if (!archive.findEntry(check.recorded->seq, check.since).ok()) check.since.reset();
    check.sha256 = sha256HexOfFile(path, &check.error);
    if (check.sha256.empty()) {
        check.state = LogState::Unreadable;
    } else {
        check.state =
            check.sha256 == check.recorded->sha256 ? LogState::Unchanged : LogState::Changed;
    }
    return check;
}

std::string recordedByText(const std::optional<TrailEntry>& entry) {
    if (!entry) return "it was recorded";
    return entry->event + " on " + localTimeText(*entry) + " by " + entry->user + "@" + entry->host;
}
