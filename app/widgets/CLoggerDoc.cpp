#include "app/widgets/CLoggerDoc.h"

#include <filesystem>
#include <ostream>

#include "app/widgets/Profile.h"
#include "base/FrameUi.h"
#include "logdata/LogFile.h"
#include "logdata/UserFiles.h"
#include "record/AppData.h"

namespace {

constexpr const char* kUntitled = " ";

}  // namespace

CLoggerDoc::CLoggerDoc(AppData& data, FrameUi& ui, QObject* parent)
    : QObject(parent), data_(data), ui_(ui) {}

void CLoggerDoc::newDocument() {
    data_.log.store.clear();
    setTitle(kUntitled);
    data_.events.logCleared(ClearReason::NewDocument);
    emit newDocumentStarted();
}

bool CLoggerDoc::openDocument(const std::string& path) {
    LogReadResult result = loadDocumentFile(path, data_);
    if (result != LogReadResult::Ok) {
        ui_.showMessage(documentLoadMessage(result, path));
        return false;
    }
    takePath(path);
    data_.events.logLoaded(path);
    return true;
}

bool CLoggerDoc::saveAs(const std::string& path) {
    // A file the user saves over stays as it was unless the new one is written whole.
    const Outcome saved = userFiles().write(
        {UserFileKind::SavedAs, path, data_.log.store.currentFilePath},
        [this](std::ostream& out) { return writeLogFile(out, data_.log.store, data_.log.setup); });
    if (!saved.ok()) {
        ui_.showMessage(documentSaveMessage(saved.error, path));
        return false;
    }
    takePath(path);
    data_.events.logSaved(path, SaveReason::SavedAs);
    return true;
}

void CLoggerDoc::setTitle(std::string_view title) {
    title_ = title;
    emit titleChanged();
}

void CLoggerDoc::takePath(const std::string& path) {
    setTitle(std::filesystem::path(path).filename().string());
    Profile().addRecentFile(QString::fromStdString(path));
    emit recentFilesChanged();
}
