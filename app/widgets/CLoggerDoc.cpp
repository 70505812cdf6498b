#include "app/widgets/CLoggerDoc.h"

#include <filesystem>
#include <ostream>

#include "app/widgets/Profile.h"
#include "base/AppData.h"
#include "base/FrameUi.h"
#include "logdata/AtomicFile.h"
#include "logdata/LogFile.h"

namespace {

constexpr const char* kUntitled = " ";

}  // namespace

CLoggerDoc::CLoggerDoc(AppData& data, FrameUi& ui, QObject* parent)
    : QObject(parent), data_(data), ui_(ui) {}

void CLoggerDoc::newDocument() {
    data_.store.clear();
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
    const int error = writeFileAtomically(
        path, [this](std::ostream& out) { return writeLogFile(out, data_.store, data_.setup); });
    if (error != 0) {
        ui_.showMessage(documentSaveMessage(error, path));
        return false;
    }
    takePath(path);
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
