#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>
#include <string_view>

#include "app/widgets/Language.h"
#include "logdata/ChannelLimits.h"
#include "logdata/LimitsBook.h"
#include "logdata/ProfileFile.h"

// The program's profile: the recent-file list, the layout saved at closing,
// the display choices and the alarm limits the user gave each logger.
inline constexpr const char* kProfileKey = kProfileOrganization;
inline constexpr const char* kApplicationName = kProfileApplication;
inline constexpr const char* kCommandBarsKey = "CommandBars";
inline constexpr const char* kNormalLayoutKey = "NormalLayout";

class Profile : public LimitsBook {
public:
    Profile();

    QSettings& settings() { return settings_; }

    // Most recent first, at most kRecentFileCount entries.
    QStringList recentFiles() const;
    // Puts `path` at the top of the list, dropping an older entry of it.
    void addRecentFile(const QString& path);
    void removeRecentFile(const QString& path);

    // The limits last set for the logger with serial number `serialNo`
    // (LoggerSetup::serialNo, up to 10 characters); none for a serial number
    // without a character to name it by.
    ChannelLimits limits(std::string_view serialNo) const override;
    void setLimits(std::string_view serialNo, const ChannelLimits& limits) override;
    // The group that keeps a logger's limits, "Limits/<serial>"; empty when the
    // serial number has no printable character.
    static QString limitsGroup(std::string_view serialNo);

    bool fahrenheit() const;
    void setFahrenheit(bool fahrenheit);
    // J/mol; the default one when none was saved or the saved one is not positive.
    double activationEnergy() const override;
    void setActivationEnergy(double joulesPerMole) override;
    // View > Language; System when none was saved or the saved one is unknown.
    LanguageChoice language() const;
    void setLanguage(LanguageChoice language);

private:
    void writeRecentFiles(const QStringList& files);

    QSettings settings_;
};
