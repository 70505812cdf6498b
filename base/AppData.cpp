#include "base/AppData.h"

#include <unistd.h>

#include <array>
#include <filesystem>
#include <system_error>

namespace {

const char kLogFilesFolder[] = "Logfiles";

}  // namespace

std::string executableDir() {
    std::array<char, 4096> buffer{};
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) return "./";
    std::string path(buffer.data(), static_cast<std::size_t>(length));
    return path.substr(0, path.rfind('/') + 1);
}

void ensureProgramDir(AppData& data) {
    if (data.programDir.empty()) data.programDir = executableDir();
}

std::string logFilesDir(const AppData& data) {
    if (data.logDirOverride.empty()) return data.programDir + kLogFilesFolder + "/";
    if (data.logDirOverride.back() == '/') return data.logDirOverride;
    return data.logDirOverride + "/";
}

void makeLogFilesDir(const AppData& data) {
    // A failure shows later, when a save into the folder fails.
    std::error_code ignored;
    std::filesystem::create_directory(data.programDir + kLogFilesFolder, ignored);
}
