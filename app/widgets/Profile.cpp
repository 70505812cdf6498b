#include "app/widgets/Profile.h"

#include <QDir>
#include <cstddef>
#include <string>

#include "app/widgets/CommandTable.h"
#include "logdata/KineticTemperature.h"

namespace {

constexpr const char* kRecentFilesKey = "Recent File List";
constexpr const char* kFahrenheitKey = "View/Fahrenheit";
constexpr const char* kLanguageKey = "View/Language";

struct LanguageName {
    LanguageChoice choice;
    const char* name;
};

constexpr LanguageName kLanguageNames[] = {
    {LanguageChoice::System, "System"},
    {LanguageChoice::English, "English"},
    {LanguageChoice::Chinese, "Chinese"},
};

QString limitKey(int channel, bool high) {
    return QString::fromStdString(limitKeyName(channel, high));
}

QString ruleKey(int channel, bool high) {
    return QString::fromStdString(limitRuleKeyName(channel, high));
}

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

// The serial number as the logger sends it: padded with zero bytes or blanks,
// and in theory any byte; its keeper name names the group.
QString Profile::limitsGroup(std::string_view serialNo) {
    const std::string name = limitsKeeperName(serialNo);
    if (name.empty()) return {};
    return QString(kLimitsGroupName) + "/" + QString::fromStdString(name);
}

ChannelLimits Profile::limits(std::string_view serialNo) const {
    ChannelLimits limits{};
    const QString group = limitsGroup(serialNo);
    if (group.isEmpty()) return limits;
    auto read = [&](int channel, bool high) -> std::optional<float> {
        const QVariant value = settings_.value(group + "/" + limitKey(channel, high));
        bool ok = false;
        const float number = value.toFloat(&ok);
        if (!value.isValid() || !ok) return std::nullopt;
        return number;
    };
    // A rule that is missing or unreadable is "any reading outside", the strictest.
    auto readRule = [&](int channel, bool high) {
        const QString text = settings_.value(group + "/" + ruleKey(channel, high)).toString();
        return parseAlarmRule(text.toStdString()).value_or(AlarmRule{});
    };
    for (int c = 0; c < kChannels; ++c) {
        auto& limit = limits[static_cast<std::size_t>(c)];
        limit.high = read(c, true);
        limit.low = read(c, false);
        limit.highRule = readRule(c, true);
        limit.lowRule = readRule(c, false);
    }
    return limits;
}

void Profile::setLimits(std::string_view serialNo, const ChannelLimits& limits) {
    const QString group = limitsGroup(serialNo);
    if (group.isEmpty()) return;
    settings_.remove(group);
    for (int c = 0; c < kChannels; ++c) {
        const auto& limit = limits[static_cast<std::size_t>(c)];
        if (limit.high) settings_.setValue(group + "/" + limitKey(c, true), *limit.high);
        if (limit.low) settings_.setValue(group + "/" + limitKey(c, false), *limit.low);
        // "any" is what a missing rule reads as: only the others are written.
        if (limit.highRule != AlarmRule{})
            settings_.setValue(group + "/" + ruleKey(c, true),
                               QString::fromStdString(alarmRuleText(limit.highRule)));
        if (limit.lowRule != AlarmRule{})
            settings_.setValue(group + "/" + ruleKey(c, false),
                               QString::fromStdString(alarmRuleText(limit.lowRule)));
    }
    settings_.sync();
}

bool Profile::fahrenheit() const {
    return settings_.value(kFahrenheitKey, false).toBool();
}

void Profile::setFahrenheit(bool fahrenheit) {
    settings_.setValue(kFahrenheitKey, fahrenheit);
    settings_.sync();
}

double Profile::activationEnergy() const {
    bool ok = false;
    const double value = settings_.value(kActivationEnergyKeyName).toDouble(&ok);
    return ok && value > 0 ? value : kDefaultActivationEnergy;
}

void Profile::setActivationEnergy(double joulesPerMole) {
    settings_.setValue(kActivationEnergyKeyName, joulesPerMole);
    settings_.sync();
}

LanguageChoice Profile::language() const {
    const QString saved = settings_.value(kLanguageKey).toString();
    for (const LanguageName& language : kLanguageNames) {
        if (saved == QLatin1String(language.name)) return language.choice;
    }
    return LanguageChoice::System;
}

void Profile::setLanguage(LanguageChoice language) {
    for (const LanguageName& known : kLanguageNames) {
        if (known.choice == language) settings_.setValue(kLanguageKey, known.name);
    }
    settings_.sync();
}
