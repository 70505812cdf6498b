#include "logdata/LogNames.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "logdata/UserFiles.h"

namespace {

constexpr std::string_view kExtension = ".drav";
constexpr std::string_view kRefusedCharacters = "\\/:*?\"<>|";

char lowerAscii(char ch) {
    return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

bool endsWithExtension(std::string_view name) {
    if (name.size() < kExtension.size()) return false;
    const std::string_view tail = name.substr(name.size() - kExtension.size());
    return std::equal(tail.begin(), tail.end(), kExtension.begin(),
                      [](char a, char b) { return lowerAscii(a) == b; });
}

// True when the first occurrence of `part` is found and is not at the start.
bool foundAfterStart(std::string_view name, std::string_view part) {
    const std::size_t at = name.find(part);
    return at != std::string_view::npos && at > 0;
}

bool isRegularFile(int dirFd, const char* name) {
    struct stat info {};
    // A link counts as what it points to, as the file list opens it so.
    return ::fstatat(dirFd, name, &info, 0) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

bool isListedLogName(std::string_view name) {
    if (name.size() < kShortestLogName || !endsWithExtension(name)) return false;
    return name.substr(0, name.size() - kExtension.size()).find('_') != std::string_view::npos;
}

std::string_view logGroupText(std::string_view name) {
    return name.substr(0, name.find('_'));
}

std::vector<LogGroup> groupLogNames(std::vector<std::string> names) {
    std::erase_if(names, [](const std::string& name) { return !isListedLogName(name); });
    // Every name of a group begins with the group text and a "_", so sorting
    // the names brings each group together.
    std::sort(names.begin(), names.end());
    std::vector<LogGroup> groups;
    for (std::string& name : names) {
        const std::string_view text = logGroupText(name);
        if (groups.empty() || groups.back().text != text) groups.push_back({std::string(text), {}});
        groups.back().files.push_back(std::move(name));
    }
    return groups;
}

std::vector<std::string> listLogNames(const std::string& dir) {
    std::vector<std::string> names;
    DIR* stream = ::opendir(dir.c_str());
    if (stream == nullptr) return names;
    const int dirFd = ::dirfd(stream);
    while (const dirent* entry = ::readdir(stream)) {
        const std::string_view name = entry->d_name;
        if (!isListedLogName(name)) continue;
        if (!isRegularFile(dirFd, entry->d_name)) continue;
        names.emplace_back(name);
    }
    ::closedir(stream);
    return names;
}

NewNameCheck checkNewLogName(std::string_view name) {
    if (!foundAfterStart(name, "_") || !foundAfterStart(name, kExtension)) {
        return NewNameCheck::Invalid;
    }
    for (const char ch : name) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x20 || byte == 0x7f) return NewNameCheck::Refused;
        if (kRefusedCharacters.find(ch) != std::string_view::npos) return NewNameCheck::Refused;
    }
    return NewNameCheck::Ok;
}

namespace {

// 0, or the system's error number.
int renameWithoutReplacing(const std::string& source, const std::string& target) {
    // POSIX rename() replaces an existing target without a word; the kernel's
    // RENAME_NOREPLACE refuses it in the same step as the rename.
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    const int error = errno;
    if (error != EINVAL && error != ENOSYS && error != ENOTSUP) return error;
    // A file system without the flag: a new link refuses an existing target
    // just as well, then the old name goes.
    if (::link(source.c_str(), target.c_str()) != 0) return errno;
    if (::unlink(source.c_str()) != 0) {
        const int unlinkError = errno;
        ::unlink(target.c_str());
        return unlinkError;
    }
    return 0;
}

}  // namespace

Outcome renameLogFile(const std::string& dir, const std::string& from, const std::string& to) {
    const std::string source = dir + from;
    const std::string target = dir + to;
    const int error = renameWithoutReplacing(source, target);
    if (error != 0) return fileFailure(OutcomeKind::FileFailed, source, error);
    return {OutcomeKind::Ok, target};
}

Outcome deleteLogFile(const std::string& dir, const std::string& name) {
    const std::string path = dir + name;
    if (::unlink(path.c_str()) != 0) return fileFailure(OutcomeKind::FileFailed, path, errno);
    return {OutcomeKind::Ok, path};
}
