#include "logdata/JournalRecovery.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

#include "base/FrameUi.h"
#include "base/Texts.h"
#include "logdata/LogSaver.h"
#include "logdata/RealtimeJournal.h"
#include "record/AppData.h"

namespace {

// A full store of samples in lines longer than the journal writes (a
// timestamp and four floats of at most 16 characters), and its first line.
constexpr off_t kLongestSampleLine = 96;
constexpr off_t kLongestFirstLine = 1024;
constexpr off_t kLargestJournal = off_t{kLogCapacity} * kLongestSampleLine + kLongestFirstLine;

// The saver tells the window's user of what it does; a recovery tells its
// own caller instead.
class SilentUi : public FrameUi {
public:
    void showProgress(std::string_view) override {}
    void setProgressText(std::string_view) override {}
    void hideProgress() override {}
    bool showMessage(std::string_view) override { return true; }
    void openBusyBox(std::string_view) override {}
    void updateBusyBox(bool) override {}
};

std::string reasonOf(int error) {
    return std::generic_category().message(error);
}

// The whole file, or the reason it cannot be read.
bool readWhole(int fd, std::string& text, std::string& problem) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        problem = reasonOf(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        problem = tx("it is not a file");
        return false;
    }
    if (info.st_size > kLargestJournal) {
        problem = tx("it is larger than any journal");
        return false;
    }
    text.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::read(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            problem = reasonOf(errno);
            return false;
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    text.resize(done);
    return true;
}

// Saves what the journal read into `data` holds and removes the journal once
// the log is written whole, never before.
JournalRecovery saveJournal(const std::string& path, const std::string& folder, AppData& data) {
    if (data.log.store.recordCount == 0) {
        ::unlink(path.c_str());
        return {path, JournalOutcome::Empty, {}};
    }
    data.logDirOverride = folder;
    SilentUi silent;
    const Outcome saved = saveDownloadedLog(data, silent, UserFileKind::RecoveredSaved, path);
    if (!saved.ok()) return {path, JournalOutcome::SaveFailed, saved.detail};
    ::unlink(path.c_str());
    return {path, JournalOutcome::Saved, data.log.store.currentFilePath};
}

// The format's placeholders take the first one or both texts.
std::string formatted(const char* format, const std::string& first,
                      const std::string& second = {}) {
    const int length = std::snprintf(nullptr, 0, format, first.c_str(), second.c_str());
    std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, first.c_str(), second.c_str());
    text.pop_back();
    return text;
}

std::vector<std::string> journalNames(const std::string& folder) {
    std::vector<std::string> names;
    DIR* stream = ::opendir(folder.c_str());
    if (stream == nullptr) return names;
    while (const dirent* entry = ::readdir(stream)) {
        if (isJournalName(entry->d_name)) names.emplace_back(entry->d_name);
    }
    ::closedir(stream);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

bool recoverRealtimeJournal(const std::string& path, const std::string& folder,
                            JournalRecovery& result) {
    // A link is not followed: a journal is always a file of its own.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) {
        result = {path, JournalOutcome::Unreadable, reasonOf(errno)};
        return true;
    }
    // Held while it is read, saved and removed: nobody else takes it meanwhile.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) return false;
        result = {path, JournalOutcome::Unreadable, reasonOf(error)};
        return true;
    }
    std::string text, problem;
    auto data = std::make_unique<AppData>();
    if (!readWhole(fd, text, problem) ||
        !readRealtimeJournal(text, data->log.store, data->log.setup, problem)) {
        result = {path, JournalOutcome::Unreadable, problem};
    } else {
        result = saveJournal(path, folder, *data);
    }
    ::close(fd);
    return true;
}

std::vector<JournalRecovery> recoverRealtimeJournals(const std::string& folder) {
    std::vector<JournalRecovery> recoveries;
    for (const std::string& name : journalNames(folder)) {
        JournalRecovery recovery;
        if (recoverRealtimeJournal(folder + name, folder, recovery))
            recoveries.push_back(std::move(recovery));
    }
    return recoveries;
}

std::string journalRecoveryText(const JournalRecovery& recovery) {
    switch (recovery.outcome) {
        case JournalOutcome::Saved:
            return formatted(tx("\r\nRealtime samples that were never saved are now saved as %s"),
                             recovery.detail);
        case JournalOutcome::SaveFailed:
            return formatted(
                tx("\r\nRealtime samples in %s could not be saved (%s); they are kept."),
                recovery.journal, recovery.detail);
        case JournalOutcome::Unreadable:
            return formatted(tx("\r\nThe realtime journal %s cannot be read (%s); it is kept."),
                             recovery.journal, recovery.detail);
        case JournalOutcome::Empty:
            break;
    }
    return {};
}

std::string journalRecoveryMessage(const std::vector<JournalRecovery>& recoveries) {
    std::string message;
    for (const JournalRecovery& recovery : recoveries) message += journalRecoveryText(recovery);
    return message;
}
