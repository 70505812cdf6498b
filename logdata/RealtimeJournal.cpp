#include "logdata/RealtimeJournal.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <vector>

#include "base/Texts.h"
#include "link/LoggerSetup.h"
#include "logdata/LogNames.h"
#include "logdata/LogStore.h"

namespace {

constexpr std::string_view kMagic = "dravin-realtime-journal";
constexpr std::string_view kVersion = "1";
constexpr int kSerialLength = 10;
constexpr int kNameLength = 24;
constexpr int kHardwareLength = 5;
constexpr int kLastOrdinal = 100;
constexpr char kEscape = '%';
// A timestamp and four floats of at most 16 characters each, with their blanks.
constexpr std::size_t kSampleLineSize = kTimestampLength + kChannels * 17 + 2;
constexpr char kHexDigits[] = "0123456789ABCDEF";

bool isPlainByte(unsigned char ch) {
    return ch >= '!' && ch <= '~' && ch != kEscape;
}

void appendEscaped(std::string& out, const char* bytes, int length) {
    for (int i = 0; i < length; ++i) {
        const auto ch = static_cast<unsigned char>(bytes[i]);
        if (isPlainByte(ch)) {
            out += static_cast<char>(ch);
        } else {
            out += kEscape;
            out += kHexDigits[ch >> 4];
            out += kHexDigits[ch & 0x0F];
        }
    }
}

std::string headerLine(const LogStore& store, const LoggerSetup& setup) {
    std::string line(kMagic);
    line += ' ';
    line += kVersion;
    line += " serial=";
    appendEscaped(line, setup.serialNo, kSerialLength);
    line += " name=";
    appendEscaped(line, setup.name, kNameLength);
    line += " hardware=";
    appendEscaped(line, setup.hardwareVersion, kHardwareLength);
    line += " channels=" + std::to_string(store.channelCount) + " units=";
    for (int c = 0; c < kChannels; ++c) {
        if (c > 0) line += ',';
        line += std::to_string(store.unitCodes[c]);
    }
    line += '\n';
    return line;
}

// Writes all of it, however the system splits the write; 0 or the error number.
int writeAll(int fd, const char* bytes, std::size_t length) {
    while (length > 0) {
        const ssize_t done = ::write(fd, bytes, length);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return done < 0 ? errno : EIO;
        bytes += done;
        length -= static_cast<std::size_t>(done);
    }
    return 0;
}

// A hidden file beside the journal-to-be that its scan never takes (it does
// not end in ".realtime"), locked, holding the first line; -1 and errno set
// when it could not be made.
int makeHeaderFile(const std::string& folder, const std::string& header, std::string& name) {
    std::string pattern = folder + ".journal.XXXXXX";
    std::vector<char> path(pattern.begin(), pattern.end());
    path.push_back('\0');
    const int fd = ::mkostemp(path.data(), O_APPEND | O_CLOEXEC);
    if (fd < 0) return -1;
    name.assign(path.data() + folder.size());
    const int error =
        ::flock(fd, LOCK_EX) == 0 ? writeAll(fd, header.data(), header.size()) : errno;
    if (error == 0) return fd;
    ::unlink(path.data());
    ::close(fd);
    errno = error;
    return -1;
}

// "%XX" and plain bytes back into exactly `length` bytes.
bool unescape(std::string_view text, char* out, int length) {
    int n = 0;
    for (std::size_t i = 0; i < text.size(); ++i, ++n) {
        if (n >= length) return false;
        if (text[i] != kEscape) {
            out[n] = text[i];
            continue;
        }
        unsigned value = 0;
        if (i + 2 >= text.size()) return false;
        const auto [end, error] =
            std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
        if (error != std::errc() || end != text.data() + i + 3) return false;
        out[n] = static_cast<char>(value);
        i += 2;
    }
    return n == length;
}

// The next blank-separated field of `line`, taken off its front.
std::string_view takeField(std::string_view& line) {
    const std::size_t blank = line.find(' ');
    const std::string_view field = line.substr(0, blank);
    line = blank == std::string_view::npos ? std::string_view{} : line.substr(blank + 1);
    return field;
}

// The value of "key=value" when the field has that key.
bool takeValue(std::string_view& line, std::string_view key, std::string_view& value) {
    const std::string_view field = takeField(line);
    if (field.size() <= key.size() || !field.starts_with(key) || field[key.size()] != '=')
        return false;
    value = field.substr(key.size() + 1);
    return true;
}

template <class T>
bool parseNumber(std::string_view text, T& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool readUnits(std::string_view text, LogStore& store) {
    for (int c = 0; c < kChannels; ++c) {
        const std::size_t comma = text.find(',');
        const bool last = c == kChannels - 1;
        if (last != (comma == std::string_view::npos)) return false;
        uint8_t code = 0;
        if (!parseNumber(text.substr(0, comma), code)) return false;
        store.unitCodes[c] = code;
        store.setChannelUnit(c, code);
        if (!last) text = text.substr(comma + 1);
    }
    return true;
}

bool readHeader(std::string_view line, LogStore& store, LoggerSetup& setup) {
    if (takeField(line) != kMagic || takeField(line) != kVersion) return false;
    std::string_view serial, name, hardware, channels, units;
    if (!takeValue(line, "serial", serial) || !unescape(serial, setup.serialNo, kSerialLength))
        return false;
    if (!takeValue(line, "name", name) || !unescape(name, setup.name, kNameLength)) return false;
    setup.name[kNameLength] = '\0';
    if (!takeValue(line, "hardware", hardware) ||
        !unescape(hardware, setup.hardwareVersion, kHardwareLength))
        return false;
    if (!takeValue(line, "channels", channels) || !parseNumber(channels, store.channelCount))
        return false;
    if (!takeValue(line, "units", units) || !readUnits(units, store)) return false;
    return line.empty();
}

bool isTimestamp(std::string_view text) {
    return text.size() == static_cast<std::size_t>(kTimestampLength) &&
           std::all_of(text.begin(), text.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

bool readSample(std::string_view line, LogStore& store, uint32_t at) {
    const std::string_view time = takeField(line);
    if (!isTimestamp(time)) return false;
    std::copy(time.begin(), time.end(), store.timestamps[at].begin());
    for (int c = 0; c < kChannels; ++c) {
        if (!parseNumber(takeField(line), store.values[c][at])) return false;
    }
    return line.empty();
}

std::string lineProblem(const char* text, uint32_t line) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, tx(text), static_cast<unsigned>(line));
    return buffer;
}

}  // namespace

int RealtimeJournal::open(const std::string& folder, const LogStore& store,
                          const LoggerSetup& setup) {
    close();
    header_ = headerLine(store, setup);
    std::string tempName;
    const int fd = makeHeaderFile(folder, header_, tempName);
    if (fd < 0) return errno;
    // Placed under its name only now, whole and locked: a scan never finds
    // a journal without its first line, nor one that is still written.
    int error = EEXIST;
    for (int ordinal = 1; ordinal <= kLastOrdinal && error == EEXIST; ++ordinal) {
        const std::string name = journalName(setup.serialNo, ordinal);
        error = renameLogFile(folder, tempName, name).error;
        if (error == 0) path_ = folder + name;
    }
    if (error != 0) {
        ::unlink((folder + tempName).c_str());
        ::close(fd);
        return error;
    }
    fd_ = fd;
    return 0;
}

int RealtimeJournal::append(const LogStore& store, uint32_t index) {
    if (fd_ < 0) return EBADF;
    std::array<char, kSampleLineSize> line{};
    char* at =
        std::copy(store.timestamps[index].begin(), store.timestamps[index].end(), line.data());
    char* const end = line.data() + line.size() - 1;  // room for the line end
    for (int c = 0; c < kChannels; ++c) {
        *at++ = ' ';
        at = std::to_chars(at, end, store.values[c][index]).ptr;
    }
    *at++ = '\n';
    // One write a line: a crash cuts at most the last line.
    return writeAll(fd_, line.data(), static_cast<std::size_t>(at - line.data()));
}

int RealtimeJournal::restart() {
    if (fd_ < 0) return EBADF;
    if (::ftruncate(fd_, 0) != 0) return errno;
    return writeAll(fd_, header_.data(), header_.size());
}

void RealtimeJournal::discard() {
    if (fd_ < 0) return;
    ::unlink(path_.c_str());
    close();
}

void RealtimeJournal::close() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
    path_.clear();
}

std::string journalName(const char (&serialNo)[10], int ordinal) {
    std::string name = ".";
    for (const char ch : serialNo) name += ch > ' ' && ch <= '~' && ch != '/' ? ch : '_';
    if (ordinal > 1) {
        name += '.';
        name += std::to_string(ordinal);
    }
    name += kJournalExtension;
    return name;
}

bool isJournalName(std::string_view name) {
    return name.size() > kJournalExtension.size() + 1 && name.front() == '.' &&
           name.ends_with(kJournalExtension);
}

bool readRealtimeJournal(std::string_view text, LogStore& store, LoggerSetup& setup,
                         std::string& problem) {
    store.recordCount = 0;
    std::size_t lineEnd = text.find('\n');
    if (lineEnd == std::string_view::npos) return true;
    if (!readHeader(text.substr(0, lineEnd), store, setup)) {
        problem = tx("its first line is not a journal's");
        return false;
    }
    uint32_t line = 2;
    for (std::size_t at = lineEnd + 1; (lineEnd = text.find('\n', at)) != std::string_view::npos;
         at = lineEnd + 1, ++line) {
        if (store.recordCount >= kLogCapacity) {
            problem = lineProblem("line %u is one sample more than a log holds", line);
            return false;
        }
        if (!readSample(text.substr(at, lineEnd - at), store, store.recordCount)) {
            problem = lineProblem("line %u is not a sample", line);
            return false;
        }
        ++store.recordCount;
    }
    return true;
}
