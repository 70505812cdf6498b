#include "logdata/ProfileFile.h"

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <system_error>

#include "logdata/KineticTemperature.h"

namespace {

// The INI section of keys without a group.
constexpr std::string_view kGeneralSection = "General";
constexpr std::string_view kBlanks = " \t\r";
// A profile is a few kilobytes; a file far larger is no profile.
constexpr std::size_t kMostProfileBytes = 16 * 1024 * 1024;

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

// A key as the file writes it, its groups apart by '\'; as the settings name
// it, apart by '/'.
std::string settingsKey(std::string_view section, std::string_view key) {
    std::string full;
    if (!section.empty() && section != kGeneralSection) full.append(section).append("/");
    for (const char c : key) full += c == '\\' ? '/' : c;
    return full;
}

// A value in double quotes stands for the text between them.
std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

template <class Number>
std::optional<Number> numberOf(const std::string* text) {
    if (!text) return std::nullopt;
    const std::string_view digits = trimmed(*text);
    Number number{};
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return number;
}

// A rule that is missing or reads as none is "any reading outside", the strictest.
AlarmRule ruleOf(const std::string* text) {
    if (!text) return {};
    return parseAlarmRule(trimmed(*text)).value_or(AlarmRule{});
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

std::string limitKeyName(int channel, bool high) {
    return "Channel" + std::to_string(channel + 1) + (high ? "High" : "Low");
}

std::string limitRuleKeyName(int channel, bool high) {
    return limitKeyName(channel, high) + "Rule";
}

std::string userProfilePath() {
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the standard says.
    std::string folder = environment("XDG_CONFIG_HOME");
    if (folder.empty() || folder.front() != '/') {
        const std::string home = environment("HOME");
        if (home.empty()) return {};
        folder = home + "/.config";
    }
    return folder + "/" + kProfileOrganization + "/" + kProfileApplication + ".conf";
}

ProfileFile::ProfileFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return;
    std::string text;
    char block[4096];
    while (in.read(block, sizeof block) || in.gcount() > 0) {
        text.append(block, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMostProfileBytes) return;
    }
    read(text);
}

ProfileFile ProfileFile::fromText(std::string_view text) {
    ProfileFile file;
    file.read(text);
    return file;
}

void ProfileFile::read(std::string_view text) {
    std::string_view section;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            section = trimmed(line.substr(1, line.size() - 2));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        values_[settingsKey(section, trimmed(line.substr(0, equals)))] =
            std::string(unquoted(trimmed(line.substr(equals + 1))));
    }
}

const std::string* ProfileFile::value(const std::string& key) const {
    const auto found = values_.find(key);
    return found == values_.end() ? nullptr : &found->second;
}

ChannelLimits ProfileFile::limits(std::string_view serialNo) const {
    ChannelLimits limits{};
    const std::string name = limitsKeeperName(serialNo);
    if (name.empty()) return limits;
    const std::string group = std::string(kLimitsGroupName) + "/" + name + "/";
    for (int c = 0; c < kChannels; ++c) {
        auto& limit = limits[static_cast<std::size_t>(c)];
        limit.high = numberOf<float>(value(group + limitKeyName(c, true)));
        limit.low = numberOf<float>(value(group + limitKeyName(c, false)));
        limit.highRule = ruleOf(value(group + limitRuleKeyName(c, true)));
        limit.lowRule = ruleOf(value(group + limitRuleKeyName(c, false)));
    }
    return limits;
}

double ProfileFile::activationEnergy() const {
    const std::optional<double> energy = numberOf<double>(value(kActivationEnergyKeyName));
    return energy && *energy > 0 ? *energy : kDefaultActivationEnergy;
}
