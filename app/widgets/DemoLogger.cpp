#include "app/widgets/DemoLogger.h"

#include <ctime>

namespace {

// The last record falls on the log interval just before now.
SimTime lastRecordTime() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const int seconds = local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
    const int last = seconds - seconds % kDemoLogInterval;
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            last / 3600,          last / 60 % 60,   last % 60};
}

}  // namespace

DemoLogger::DemoLogger() : DemoLogger(lastRecordTime()) {}

DemoLogger::DemoLogger(const SimTime& last) : sim_(demoLoggerConfig(last)) {
    if (sim_.running()) device_ = std::make_unique<VirtualSerialDevice>(sim_.devicePath());
}

void DemoLogger::keepPortOutOfSettings(AppSettings& settings, int portAtStart) {
    if (settings.comPort == kVirtualComNumber) settings.comPort = portAtStart;
}

bool takeDemoOption(QStringList& arguments) {
    return arguments.removeAll(QString::fromLatin1(DemoLogger::kOption)) > 0;
}
