#include "logdata/LogSaver.h"

#include <cerrno>
#include <cstdio>
#include <ostream>
#include <system_error>

#include "base/FrameUi.h"
#include "base/Texts.h"
#include "logdata/LogFile.h"
#include "record/AppData.h"

namespace {

constexpr int kSerialLength = 10;
constexpr int kDateLength = 8;    // YYYYMMDD
constexpr int kMinuteOffset = 8;  // hhmm follows the date
constexpr int kMinuteLength = 4;
// The saving text holds a log's name (serial number, date and time).
constexpr int kSavingTextSize = 256;
const char kLogExtension[] = ".drav";
constexpr const char* kSaveFailed = txNoop("\r\n Failed.");
constexpr const char* kSaving = txNoop("正在将数据保存到文件：%s，请稍候！");

// The serial number comes from the logger as it is: a separator in it would
// make the file land in another folder, and a zero byte, a line break or an
// escape would give a name that no list shows as it is. Only printable ASCII
// other than '/' makes a file name.
bool isPlainFileName(const std::string& name) {
    for (const char ch : name) {
        if (ch < ' ' || ch > '~' || ch == '/') return false;
    }
    return true;
}

std::string savingText(const std::string& name) {
    char text[kSavingTextSize];
    std::snprintf(text, sizeof text, tx(kSaving), name.c_str());
    return text;
}

Outcome failSave(FrameUi& ui, const Outcome& outcome) {
    ui.showMessage(tx(kSaveFailed));
    return outcome;
}

}  // namespace

std::string downloadedLogName(const AppData& data) {
    if (data.log.store.recordCount == 0) return {};
    const std::string_view last = data.log.store.timestamp(data.log.store.recordCount - 1);
    std::string name(data.log.setup.serialNo, kSerialLength);
    name += '_';
    name += last.substr(0, kDateLength);
    name += '_';
    name += last.substr(kMinuteOffset, kMinuteLength);
    name += kLogExtension;
    return name;
}

namespace {

// What the events say of a saved log: downloaded, sampled, or sampled and
// recovered after a crash.
SaveReason saveReason(UserFileKind why) {
    switch (why) {
        case UserFileKind::RealtimeSaved:
            return SaveReason::Realtime;
        case UserFileKind::RecoveredSaved:
            return SaveReason::Recovered;
        default:
            return SaveReason::Download;
    }
}

}  // namespace

Outcome saveDownloadedLog(AppData& data, FrameUi& ui, UserFileKind why, const std::string& log) {
    if (data.log.store.recordCount == 0) return {};
    const std::string name = downloadedLogName(data);
    data.log.store.currentFileName = name;
    const std::string path = logFilesDir(data) + name;
    const std::string source = log.empty() ? path : log;
    if (!isPlainFileName(name)) {
        const Outcome refused{OutcomeKind::SaveFailed,
                              path + tx(": the serial number makes no file name"), EINVAL};
        userFiles().tell({why, path, {}, source, refused});
        return failSave(ui, refused);
    }
    // A log of the same name stays as it was unless this one is written whole.
    const Outcome saved = userFiles().write({why, path, source}, [&](std::ostream& out) {
        ui.setProgressText(savingText(name));
        return writeLogFile(out, data.log.store, data.log.setup);
    });
    if (!saved.ok()) return failSave(ui, saved);
    data.log.store.currentFilePath = path;
    data.events.logSaved(path, saveReason(why));
    return saved;
}

std::string logFolderProblem(const AppData& data) {
    const std::string folder = logFilesDir(data);
    const int error = folderWriteError(folder);
    if (error == 0) return {};
    return folder + ": " + std::generic_category().message(error);
}

std::string logFolderMessage(const std::string& problem) {
    return tx("\r\nCannot save logs in ") + problem;
}
