#include "LoggerSession.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "link/SerialDevices.h"

namespace {

// Identify gives up after ten resends a second apart; this only guards the loop.
constexpr double kIdentifySeconds = 60;

void traceLine(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace

LoggerSession::LoggerSession(const CliOptions& options)
    : options_(options),
      data_(std::make_unique<AppData>()),
      ui_(*data_, isatty(STDERR_FILENO) != 0),
      engine_(*data_, loop_, port_, ui_, clock_) {
    data_->programDir = executableDir();
    data_->settings = readSettingsFile(data_->programDir);
    loop_.attach(port_, engine_);
    if (options_.trace) engine_.setTrace(traceLine);
}

bool LoggerSession::connect() {
    const int baud = options_.baud != 0 ? options_.baud : data_->settings.baudRate;
    const std::string path = options_.device.empty()
                                 ? devicePathForCom(kDefaultDeviceDir, options_.port)
                                 : options_.device;
    ui_.beginOperation();
    if (!port_.OpenDevice(&loop_, path, baud, data_->link.rxBuffer.data())) {
        char text[160];
        if (options_.device.empty()) {
            std::snprintf(text, sizeof text, "Connect failed: COM%d can not be opened.",
                          options_.port);
            ui_.print(text);
        } else {
            ui_.print("Connect failed: " + path + " can not be opened.");
        }
        return false;
    }
    // A line that cannot be set up has already raised the port error.
    if (ui_.ended()) return false;
    port_.StartThread();
    return run([this] { engine_.startIdentify(); }, kIdentifySeconds);
}

bool LoggerSession::run(const std::function<void()>& start, double maxSeconds) {
    ui_.beginOperation();
    start();
    const bool ended = loop_.runUntil([this] { return ui_.ended(); }, maxSeconds);
    if (ended && ui_.succeeded()) return true;
    // A delete that times out ends without a word of its own.
    if (!ui_.reported()) ui_.print("Timeout!");
    return false;
}

bool LoggerSession::prepareLogFolder() {
    if (options_.dir.empty()) {
        makeLogFilesDir(*data_);
        return true;
    }
    std::error_code error;
    if (!std::filesystem::is_directory(options_.dir, error)) {
        ui_.print("Cannot save into " + options_.dir + ": no such folder.");
        return false;
    }
    data_->logDirOverride = options_.dir;
    return true;
}
