#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>

// The program's profile: the recent-file list and the layout saved at closing.
inline constexpr const char* kProfileKey = "Local AppWizard-Generated Applications";
inline constexpr const char* kApplicationName = "Dravin Software for Data Logger";
inline constexpr const char* kCommandBarsKey = "CommandBars";
inline constexpr const char* kNormalLayoutKey = "NormalLayout";

class Profile {
public:
    Profile();

    QSettings& settings() { return settings_; }

    // Most recent first, at most kRecentFileCount entries.
    QStringList recentFiles() const;
    // Puts `path` at the top of the list, dropping an older entry of it.
    void addRecentFile(const QString& path);
    void removeRecentFile(const QString& path);

private:
    void writeRecentFiles(const QStringList& files);

    QSettings settings_;
};
