#include "record/AppData.h"

#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

const char kLogFilesFolder[] = "Logfiles";
const char kUserFolder[] = "Dravin/";

std::string withSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

std::string executableDir() {
    std::array<char, 4096> buffer{};
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) return "./";
    std::string path(buffer.data(), static_cast<std::size_t>(length));
    return path.substr(0, path.rfind('/') + 1);
}

std::string userDataDir() {
    // A relative XDG_DATA_HOME is invalid and ignored, as the standard says.
    const std::string xdg = environment("XDG_DATA_HOME");
    if (!xdg.empty() && xdg.front() == '/') return withSlash(xdg) + kUserFolder;
    const std::string home = environment("HOME");
    if (home.empty()) return "";
    return withSlash(home) + ".local/share/" + kUserFolder;
}

std::string chooseDataDir(const std::string& programFolder, bool programFolderWritable,
                          const std::string& userFolder) {
    if (programFolderWritable || userFolder.empty()) return withSlash(programFolder);
    return withSlash(userFolder);
}

std::string dataDir() {
    const std::string program = executableDir();
    const std::string chosen =
        chooseDataDir(program, access(program.c_str(), W_OK) == 0, userDataDir());
    if (chosen != program) {
        // A failure shows later, when a save into the folder fails.
        std::error_code ignored;
        std::filesystem::create_directories(chosen, ignored);
    }
    return chosen;
}

void ensureProgramDir(AppData& data) {
    if (data.programDir.empty()) data.programDir = dataDir();
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
