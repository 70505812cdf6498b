#include "app/widgets/Profile.h"

#include <QDir>

#include "app/widgets/CommandTable.h"

namespace {

constexpr const char* kRecentFilesKey = "Recent File List";

}  // namespace

Profile::Profile() : settings_(kProfileKey, kApplicationName) {}

QStringList Profile::recentFiles() const {
    QStringList files = settings_.value(kRecentFilesKey).toStringList();
    return files.mid(0, kRecentFileCount);
}

void Profile::addRecentFile(const QString& path) {
    QString absolute = QDir::cleanPath(QDir().absoluteFilePath(path));
    QStringList files = recentFiles();
    files.removeAll(absolute);
    files.prepend(absolute);
    writeRecentFiles(files.mid(0, kRecentFileCount));
}

void Profile::removeRecentFile(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    writeRecentFiles(files);
}

void Profile::writeRecentFiles(const QStringList& files) {
    settings_.setValue(kRecentFilesKey, files);
    settings_.sync();
}
