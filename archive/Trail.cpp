#include "archive/Trail.h"

#include <pwd.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "archive/Sha256.h"

#ifndef DRAVIN_VERSION
#define DRAVIN_VERSION "0"
#endif

namespace {

constexpr int kSecondsPerMinute = 60;
constexpr int kMinutesPerHour = 60;

std::string offsetText(long seconds) {
    const char sign = seconds < 0 ? '-' : '+';
    const int minutes = static_cast<int>(std::labs(seconds) / kSecondsPerMinute) % (24 * 60);
    char text[16];
    std::snprintf(text, sizeof text, "%c%02d:%02d", sign, minutes / kMinutesPerHour,
                  minutes % kMinutesPerHour);
    return text;
}

// "+01:00" as seconds; 0 for anything else.
long offsetSeconds(std::string_view text) {
    int hours = 0;
    int minutes = 0;
    if (text.size() != 6 || (text[0] != '+' && text[0] != '-')) return 0;
    if (std::sscanf(std::string(text.substr(1)).c_str(), "%2d:%2d", &hours, &minutes) != 2)
        return 0;
    const long seconds = (hours * kMinutesPerHour + minutes) * kSecondsPerMinute;
    return text[0] == '-' ? -seconds : seconds;
}

void addField(std::string& out, std::string_view field) {
    out += std::to_string(field.size());
    out += ':';
    out += field;
    out += '\n';
}

}  // namespace

TrailEntry newTrailEntry(std::string event, std::string file, std::string sha256,
                         std::string details) {
    TrailEntry entry;
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    std::tm local{};
    gmtime_r(&now, &utc);
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ", &utc);
    entry.time = stamp;
    entry.offset = offsetText(local.tm_gmtoff);
    entry.user = loginName();
    entry.host = hostName();
    entry.program = programName();
    entry.event = std::move(event);
    entry.file = std::move(file);
    entry.sha256 = std::move(sha256);
    entry.details = details.empty() ? "{}" : std::move(details);
    return entry;
}

std::string trailHash(const TrailEntry& entry) {
    std::string fields;
    addField(fields, std::to_string(entry.seq));
    for (const std::string* field :
         {&entry.time, &entry.offset, &entry.user, &entry.host, &entry.program, &entry.event,
          &entry.file, &entry.newFile, &entry.sha256, &entry.details, &entry.prev})
        addField(fields, *field);
    return sha256Hex(fields);
}

ChainCheck checkChain(std::span<const TrailEntry> entries, int64_t lastSeq,
                      std::string_view lastHash) {
    ChainCheck check;
    int64_t expected = 1;
    std::string prev;
    for (const TrailEntry& entry : entries) {
        if (entry.seq != expected || entry.prev != prev || trailHash(entry) != entry.hash) {
            check.intact = false;
            check.brokenAt = expected;
            return check;
        }
        prev = entry.hash;
        ++expected;
        ++check.entries;
    }
    // Entries missing at the end: the archive knows how far the trail went.
    if (lastSeq >= expected) {
        check.intact = false;
        check.brokenAt = expected;
    } else if (lastSeq > 0 && lastSeq == expected - 1 && lastHash != prev) {
        check.intact = false;
        check.brokenAt = lastSeq;
    }
    return check;
}

std::string localTimeText(const TrailEntry& entry) {
    std::tm utc{};
    if (strptime(entry.time.c_str(), "%Y-%m-%dT%H:%M:%SZ", &utc) == nullptr) return entry.time;
    const std::time_t local = timegm(&utc) + offsetSeconds(entry.offset);
    std::tm shown{};
    gmtime_r(&local, &shown);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &shown);
    return std::string(text) + " (" + entry.offset + ")";
}

std::string loginName() {
    std::array<char, 4096> buffer{};
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_name != nullptr)
        return found->pw_name;
    const char* user = std::getenv("USER");
    return user != nullptr ? user : std::to_string(geteuid());
}

std::string userFullName() {
    std::array<char, 4096> buffer{};
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_gecos != nullptr) {
        const std::string gecos = found->pw_gecos;
        const std::string name = gecos.substr(0, gecos.find(','));
        if (!name.empty()) return name;
    }
    return loginName();
}

std::string hostName() {
    std::array<char, 256> name{};
    if (gethostname(name.data(), name.size() - 1) != 0) return "localhost";
    return name.data();
}

std::string programName() {
    return std::string("Dravin ") + DRAVIN_VERSION;
}

std::string archivePath(std::string_view path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(std::filesystem::path(path), error);
    if (error) absolute = std::filesystem::path(path);
    return absolute.lexically_normal().string();
}

namespace {

// Length of the well-formed UTF-8 sequence at text[i], or 0.
size_t utf8Length(std::string_view text, size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = 0;
    if (lead >= 0xc2 && lead <= 0xdf) length = 2;
    if (lead >= 0xe0 && lead <= 0xef) length = 3;
    if (lead >= 0xf0 && lead <= 0xf4) length = 4;
    if (length == 0 || i + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[i + k]) & 0xc0) != 0x80) return 0;
    return length;
}

}  // namespace

std::string jsonQuoted(std::string_view text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        const auto byte = static_cast<unsigned char>(ch);
        if (byte >= 0x80) {
            // UTF-8 as it is; a byte that is none as the code point of its value.
            const size_t length = utf8Length(text, i);
            if (length > 0) {
                out.append(text.substr(i, length));
                i += length - 1;
                continue;
            }
        }
        switch (ch) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (byte < 0x20 || byte >= 0x7f) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
                    out += escaped;
                } else {
                    out += ch;
                }
        }
    }
    return out + "\"";
}

void Details::key(std::string_view key) {
    if (!body_.empty()) body_ += ',';
    body_ += jsonQuoted(key);
    body_ += ':';
}

Details& Details::text(std::string_view name, std::string_view value) {
    key(name);
    body_ += jsonQuoted(value);
    return *this;
}

Details& Details::number(std::string_view name, int64_t value) {
    key(name);
    body_ += std::to_string(value);
    return *this;
}

Details& Details::flag(std::string_view name, bool value) {
    key(name);
    body_ += value ? "true" : "false";
    return *this;
}
