// dravin-logger-sim: a data logger on a pseudo-terminal, for trying the
// program and the command-line tool without hardware. Prints the terminal's
// path and serves until SIGINT or SIGTERM.

#include <iconv.h>
#include <pthread.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "sim/LoggerSim.h"

namespace {

constexpr const char* kUsage =
    "usage: dravin-logger-sim [options]\n"
    "  --serial S               serial number, 10 characters (1234567890)\n"
    "  --config C               channel configuration code (5: temperature and humidity)\n"
    "  --name T                 logger name, up to 24 bytes in the logger's code page\n"
    "                           (GB18030; Chinese names take two bytes a character)\n"
    "  --auto-records N         Auto log records stored (250)\n"
    "  --manu-records N         Manu log records stored (0)\n"
    "  --records-per-package R  records in one Auto package, 1..255 (100)\n"
    "  --packages-per-write K   Auto packages written at once (1)\n"
    "  --pause-ms M             pause between writes of a download (500)\n"
    "  --baud B                 send no faster than a line of B baud, 10 bits a byte\n"
    "                           (0: as fast as the terminal takes them)\n"
    "  --split-package P        send Auto package P in two writes\n"
    "  --split-at B             bytes of package P in the first write (half of it)\n"
    "  --stall-after K          stop a download after package K\n"
    "  --skip-package P         never send Auto package P (the total still counts it)\n"
    "  --over-declare P         package P's record count says one record more\n"
    "  --silent                 read requests, answer none\n"
    "  --bad-check              answer with a wrong check byte\n"
    "  --status-zero            answer with status 0\n"
    "  --wrong-length           answer one byte short\n"
    "  --hang-up-at N           close the line when request N arrives\n"
    "  --help                   print this help\n"
    "Prints the terminal's path, then serves until interrupted (Ctrl+C).\n";

// The first stored record; the others follow at the log interval.
constexpr SimRecord kFirstRecord{2024, 3, 1, 8, 0, 0, 235, 553, 198, 601};

struct Options {
    LoggerSim::Config config;
    int autoRecords = 250;
    int manuRecords = 0;
    bool help = false;
};

// The name as the logger stores it: GB18030, as many whole characters as fit
// in 24 bytes. False when the text is no UTF-8 or has no GB18030 form.
bool loggerName(std::string_view utf8, std::array<char, 24>& name) {
    iconv_t convert = iconv_open("GB18030", "UTF-8");
    if (convert == reinterpret_cast<iconv_t>(-1)) return false;
    name = {};
    size_t used = 0;
    bool ok = true;
    for (size_t at = 0; at < utf8.size();) {
        // One character: a lead byte and its continuation bytes.
        size_t length = 1;
        while (at + length < utf8.size() && (utf8[at + length] & 0xC0) == 0x80) ++length;
        char out[8];
        char* in = const_cast<char*>(utf8.data() + at);  // iconv never writes through it
        size_t inLeft = length;
        char* outPtr = out;
        size_t outLeft = sizeof out;
        if (iconv(convert, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
            ok = false;
            break;
        }
        const size_t bytes = sizeof out - outLeft;
        if (used + bytes > name.size()) break;
        std::memcpy(name.data() + used, out, bytes);
        used += bytes;
        at += length;
    }
    iconv_close(convert);
    return ok;
}

bool parseInt(const char* text, int& value) {
    char* end = nullptr;
    long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed < 0 || parsed > 1000000) return false;
    value = static_cast<int>(parsed);
    return true;
}

// The options that take a number, and where the number goes.
int* numberOption(std::string_view name, Options& o) {
    LoggerSim::Pacing& p = o.config.pacing;
    LoggerSim::Faults& f = o.config.faults;
    if (name == "--auto-records") return &o.autoRecords;
    if (name == "--manu-records") return &o.manuRecords;
    if (name == "--records-per-package") return &p.recordsPerPackage;
    if (name == "--packages-per-write") return &p.packagesPerWrite;
    if (name == "--pause-ms") return &p.pauseMs;
    if (name == "--baud") return &p.baud;
    if (name == "--split-package") return &p.splitPackage;
    if (name == "--split-at") return &p.splitAt;
    if (name == "--stall-after") return &f.stallAfterPackage;
    if (name == "--skip-package") return &f.skipPackage;
    if (name == "--over-declare") return &f.overDeclarePackage;
    if (name == "--hang-up-at") return &f.hangUpAtRequest;
    return nullptr;
}

bool* flagOption(std::string_view name, LoggerSim::Faults& f) {
    if (name == "--silent") return &f.silent;
    if (name == "--bad-check") return &f.badCheck;
    if (name == "--status-zero") return &f.statusZero;
    if (name == "--wrong-length") return &f.wrongLength;
    return nullptr;
}

bool parseArgs(int argc, char** argv, Options& o) {
    int config = o.config.setup.channelConfig;
    for (int i = 1; i < argc; ++i) {
        std::string_view name = argv[i];
        if (name == "--help" || name == "-h") {
            o.help = true;
            return true;
        }
        if (bool* flag = flagOption(name, o.config.faults)) {
            *flag = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const char* value = argv[++i];
        if (int* number = numberOption(name, o)) {
            if (!parseInt(value, *number)) return false;
        } else if (name == "--serial") {
            o.config.serialNo = value;
        } else if (name == "--name") {
            if (!loggerName(value, o.config.setup.name)) return false;
        } else if (name == "--config") {
            if (!parseInt(value, config) || config > 255) return false;
        } else {
            return false;
        }
    }
    o.config.setup.channelConfig = static_cast<uint8_t>(config);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    options.config.setup.name = fixedText<24>("Simulated logger");
    options.config.setup.model = fixedText<6>("SIM-4C");
    options.config.setup.hardwareVersion = fixedText<5>("V1.00");
    if (!parseArgs(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    const int interval = static_cast<int>(options.config.setup.logInterval);
    options.config.autoRecords = makeSimRecords(options.autoRecords, kFirstRecord, interval);
    options.config.manuRecords = makeSimRecords(options.manuRecords, kFirstRecord, interval);
    options.config.setup.logsCount = static_cast<uint32_t>(options.autoRecords);
    options.config.setup.manuLogsCount = static_cast<int8_t>(options.manuRecords);

    // Blocked before the serving thread starts, so that only sigwait sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    LoggerSim sim(std::move(options.config));
    if (!sim.running()) {
        std::fprintf(stderr, "Cannot open a pseudo-terminal: %s\n", std::strerror(errno));
        return 1;
    }
    std::printf("%s\n", sim.devicePath().c_str());
    std::fflush(stdout);
    int signal = 0;
    sigwait(&stopSignals, &signal);
    sim.stop();
    return 0;
}
