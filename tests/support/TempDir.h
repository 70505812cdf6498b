#pragma once

// A fresh folder under the system's temporary directory, removed with its
// contents when the test ends.

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

class TempDir {
public:
    TempDir() {
        static std::atomic<int> serial{0};
        path_ = std::filesystem::temp_directory_path() /
                ("dravin_test_" + std::to_string(::getpid()) + "_" + std::to_string(serial++));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder with a trailing '/', ready to have a file name appended.
    std::string dir() const { return path_.string() + "/"; }

    // The names in the folder (or in its subfolder `sub`), sorted: what a
    // test sees there, hidden files included.
    std::vector<std::string> names(const std::string& sub = "") const {
        std::vector<std::string> result;
        for (const auto& entry : std::filesystem::directory_iterator(path_ / sub)) {
            result.push_back(entry.path().filename().string());
        }
        std::sort(result.begin(), result.end());
        return result;
    }

private:
    std::filesystem::path path_;
};
