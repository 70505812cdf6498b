#include "CliOptions.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

#include "setup/CodePage.h"

const char* const kUsage =
    "usage:\n"
    "  dravin-cli ports                                   list serial devices with their COM "
    "numbers\n"
    "  dravin-cli identify    (--device PATH | --port N) [--baud B]\n"
    "  dravin-cli read-setup  (--device PATH | --port N) [--baud B] [--json]\n"
    "  dravin-cli sync-setup  (--device PATH | --port N) [--baud B] [--name T] [--sampling S]\n"
    "                         [--log-interval L] [--ch1-high V] [--ch1-low V] ... [--ch4-low V]\n"
    "                         [--offset1 V] ... [--offset4 V]\n"
    "  dravin-cli download    (--device PATH | --port N) [--baud B] --logs auto|manu [--dir DIR]\n"
    "  dravin-cli delete      (--device PATH | --port N) [--baud B] --logs auto|manu\n"
    "  dravin-cli realtime    (--device PATH | --port N) [--baud B] --samples N [--dir DIR]\n"
    "  dravin-cli info FILE [--json] [--ch1-high V] [--ch1-low V] ... [--ch4-low V]\n"
    "                       [--ch1-rule R] ... [--ch4-rule R] [--activation-energy KJ]\n"
    "  dravin-cli export (--txt | --xls) FILE OUT          the log as a text or spreadsheet file\n"
    "  dravin-cli export --csv FILE OUT [--fahrenheit]     the log as CSV, oC channels in F if "
    "asked\n"
    "  dravin-cli export --bmp FILE OUT [--size WxH]       the chart as a bitmap, 1000x600 if no "
    "--size\n"
    "  dravin-cli export --pdf FILE OUT                    the printed report as a PDF page\n"
    "  dravin-cli recover [--dir DIR]                      saves the realtime samples a run left\n"
    "                                                      unsaved; prints each log saved\n"
    "  dravin-cli verify (FILE... | --all) [--json]        each log against the archive, then the\n"
    "                                                      audit trail's chain\n"
    "  dravin-cli audit [FILE] [--json]                    the audit trail, or a log's entries\n"
    "  dravin-cli sign FILE --meaning reviewed|approved|rejected --name \"FULL NAME\"\n"
    "                  [--comment TEXT]                    signs an unchanged log in the trail\n"
    "  dravin-cli archive list [--serial S] [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--json]\n"
    "  dravin-cli archive add DIR                          records the logs of a folder: new,\n"
    "                                                      changed and vanished ones\n"
    "  dravin-cli archive rebuild                          reads every log of the index again\n"
    "Every command takes --data-dir DIR: the folder of Dravin.ini, Logfiles/ and\n"
    "archive.sqlite (else the program's data folder). download, realtime, recover and export\n"
    "record what they write in its archive: an index of the logs and an audit trail, each\n"
    "entry chained to the one before by its SHA-256. It guards against accidents and casual\n"
    "edits, not against whoever may write archive.sqlite; who did a step is the login.\n"
    "verify exits with 0 only when every log is unchanged and the trail is intact.\n"
    "Every logger command also takes --trace: the traffic as hex on stderr.\n"
    "Ctrl+C during a download saves what has arrived, prints its path and exits with 1.\n"
    "--bmp and --pdf draw with Qt: a build without the Qt program has neither.\n"
    "info's --chN-high and --chN-low are alarm limits in channel N's unit (a decimal number;\n"
    "either may be left out): the time above and below them, the excursions and the longest\n"
    "one; limits of a channel the log does not have are left out. --activation-energy is the\n"
    "MKT's in kJ/mol, 83.144 unless given; the MKT is given for every oC and F channel.\n"
    "Without them info takes the limits and the activation energy the window keeps for the\n"
    "log's logger (not in a build without the Qt program).\n"
    "--chN-rule says when channel N's limits count as broken: any (any reading outside, the\n"
    "default), single:MIN (one excursion longer than MIN minutes) or total:MIN (longer than\n"
    "MIN minutes outside in all). info then gives each channel's verdict and the log's:\n"
    "pass, fail, or none for a log without limits or records.\n"
    "info also gives the log interval (the median interval between records, in seconds) and\n"
    "the gaps: intervals over one and a half log intervals, time without data.\n"
    "Realtime samples are kept in a hidden journal in the log folder until their log is saved;\n"
    "a run that was killed or lost its power leaves them there. recover saves them as the log\n"
    "Stop would have saved, and download and realtime do so before they begin (told on stderr).\n"
    "Messages are in English whatever the locale (the logger's and the log's words, a\n"
    "name, stay as they are).\n";

namespace {

enum : unsigned {
    kPorts = 1u << static_cast<int>(Command::Ports),
    kIdentify = 1u << static_cast<int>(Command::Identify),
    kReadSetup = 1u << static_cast<int>(Command::ReadSetup),
    kSyncSetup = 1u << static_cast<int>(Command::SyncSetup),
    kDownload = 1u << static_cast<int>(Command::Download),
    kDelete = 1u << static_cast<int>(Command::Delete),
    kRealtime = 1u << static_cast<int>(Command::Realtime),
    kInfo = 1u << static_cast<int>(Command::Info),
    kExport = 1u << static_cast<int>(Command::Export),
    kRecover = 1u << static_cast<int>(Command::Recover),
    kVerify = 1u << static_cast<int>(Command::Verify),
    kAudit = 1u << static_cast<int>(Command::Audit),
    kSign = 1u << static_cast<int>(Command::Sign),
    kArchive = 1u << static_cast<int>(Command::Archive),
    kEvery = ~0u,
    kLogger = kIdentify | kReadSetup | kSyncSetup | kDownload | kDelete | kRealtime,
};

constexpr int kHighestCom = 32;
// The largest coordinate Qt's raster painter draws to; a bitmap of this size
// still fits the 32-bit size field of its file.
constexpr int kLargestPictureSide = 32767;

#ifdef DRAVIN_CLI_CHART_FILES
constexpr bool kChartOutput = true;
#else
constexpr bool kChartOutput = false;
#endif

struct CommandName {
    std::string_view name;
    Command command;
};

constexpr CommandName kCommands[] = {
    {"ports", Command::Ports},
    {"identify", Command::Identify},
    {"read-setup", Command::ReadSetup},
    {"sync-setup", Command::SyncSetup},
    {"download", Command::Download},
    {"delete", Command::Delete},
    {"realtime", Command::Realtime},
    {"info", Command::Info},
    {"export", Command::Export},
    {"recover", Command::Recover},
    {"verify", Command::Verify},
    {"audit", Command::Audit},
    {"sign", Command::Sign},
    {"archive", Command::Archive},
};

// "YYYY-MM-DD", a day that a calendar has.
bool parseDay(std::string_view text, std::string& out) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    int year = 0;
    int month = 0;
    int day = 0;
    auto number = [&](size_t at, size_t length, int& value) {
        const auto [end, error] =
            std::from_chars(text.data() + at, text.data() + at + length, value);
        return error == std::errc() && end == text.data() + at + length;
    };
    if (!number(0, 4, year) || !number(5, 2, month) || !number(8, 2, day)) return false;
    if (month < 1 || month > 12 || day < 1 || day > 31) return false;
    out = text;
    return true;
}

template <class T>
bool parseInteger(std::string_view text, T& out) {
    int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return false;
    if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max())
        return false;
    out = static_cast<T>(value);
    return true;
}

template <class T>
bool parseInto(std::string_view text, std::optional<T>& out) {
    T value{};
    if (!parseInteger(text, value)) return false;
    out = value;
    return true;
}

// A decimal number that is finite as a float.
bool parseReal(std::string_view text, float& out) {
    float value = 0.0f;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return false;
    out = value;
    return true;
}

bool parseLimit(std::string_view text, std::optional<float>& out) {
    float value = 0.0f;
    if (!parseReal(text, value)) return false;
    out = value;
    return true;
}

// kJ/mol, stored in J/mol: above zero.
bool parseActivationEnergy(std::string_view text, double& joules) {
    double value = 0.0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return false;
    if (!(value > 0.0) || !std::isfinite(value * 1000.0)) return false;
    joules = value * 1000.0;
    return true;
}

// One rule for both limits of the channel.
bool parseRule(CliOptions& o, int channel, std::string_view text) {
    const std::optional<AlarmRule> rule = parseAlarmRule(text);
    if (!rule) return false;
    ChannelLimit& limit = o.limits[static_cast<size_t>(channel)];
    limit.highRule = limit.lowRule = *rule;
    o.rulesGiven = true;
    return true;
}

bool parseLogs(std::string_view text, LogKind& logs) {
    if (text == "auto") logs = LogKind::Auto;
    if (text == "manu") logs = LogKind::Manu;
    return text == "auto" || text == "manu";
}

bool chooseFormat(CliOptions& o, ExportFormat format) {
    o.exportFormat = format;
    ++o.exportFormatsGiven;
    return true;
}

// "WxH": a width and a height in pixels, each 1 .. kLargestPictureSide.
bool parsePictureSize(std::string_view text, PictureSize& size) {
    const size_t x = text.find('x');
    if (x == std::string_view::npos) return false;
    PictureSize parsed{};
    if (!parseInteger(text.substr(0, x), parsed.width) ||
        !parseInteger(text.substr(x + 1), parsed.height))
        return false;
    auto fits = [](int side) { return side >= 1 && side <= kLargestPictureSide; };
    if (!fits(parsed.width) || !fits(parsed.height)) return false;
    size = parsed;
    return true;
}

struct OptionSpec {
    std::string_view name;
    unsigned commands;
    bool takesValue;
    bool (*apply)(CliOptions& o, std::string_view value);
};

// Every option, the commands that take it, and what its value sets.
const OptionSpec kOptions[] = {
    {"--device", kLogger, true,
     [](CliOptions& o, std::string_view v) { return !(o.device = v).empty(); }},
    {"--port", kLogger, true,
     [](CliOptions& o, std::string_view v) {
         return parseInteger(v, o.port) && o.port >= 1 && o.port <= kHighestCom;
     }},
    {"--baud", kLogger, true,
     [](CliOptions& o, std::string_view v) { return parseInteger(v, o.baud) && o.baud > 0; }},
    {"--trace", kLogger, false, [](CliOptions& o, std::string_view) { return o.trace = true; }},
    {"--data-dir", kEvery, true,
     [](CliOptions& o, std::string_view v) { return !(o.dataDir = v).empty(); }},
    {"--all", kVerify, false, [](CliOptions& o, std::string_view) { return o.all = true; }},
    {"--meaning", kSign, true,
     [](CliOptions& o, std::string_view v) {
         o.meaning = v;
         return v == "reviewed" || v == "approved" || v == "rejected";
     }},
    {"--name", kSign, true,
     [](CliOptions& o, std::string_view v) { return !(o.signer = v).empty(); }},
    {"--comment", kSign, true,
     [](CliOptions& o, std::string_view v) {
         o.comment = v;
         return true;
     }},
    {"--serial", kArchive, true,
     [](CliOptions& o, std::string_view v) { return !(o.serial = v).empty(); }},
    {"--from", kArchive, true, [](CliOptions& o, std::string_view v) { return parseDay(v, o.from); }},
    {"--to", kArchive, true, [](CliOptions& o, std::string_view v) { return parseDay(v, o.to); }},
    {"--json", kReadSetup | kInfo | kVerify | kAudit | kArchive, false,
     [](CliOptions& o, std::string_view) { return o.json = true; }},
    {"--logs", kDownload | kDelete, true,
     [](CliOptions& o, std::string_view v) { return parseLogs(v, o.logs); }},
    {"--txt", kExport, false,
     [](CliOptions& o, std::string_view) { return chooseFormat(o, ExportFormat::Text); }},
    {"--xls", kExport, false,
     [](CliOptions& o, std::string_view) { return chooseFormat(o, ExportFormat::Spreadsheet); }},
    {"--bmp", kExport, false,
     [](CliOptions& o, std::string_view) { return chooseFormat(o, ExportFormat::Bitmap); }},
    {"--csv", kExport, false,
     [](CliOptions& o, std::string_view) { return chooseFormat(o, ExportFormat::Csv); }},
    {"--fahrenheit", kExport, false,
     [](CliOptions& o, std::string_view) { return o.fahrenheit = true; }},
    {"--pdf", kExport, false,
     [](CliOptions& o, std::string_view) { return chooseFormat(o, ExportFormat::Pdf); }},
    {"--size", kExport, true,
     [](CliOptions& o, std::string_view v) {
         return o.bitmapSizeGiven = parsePictureSize(v, o.bitmapSize);
     }},
    {"--dir", kDownload | kRealtime | kRecover, true,
     [](CliOptions& o, std::string_view v) { return !(o.dir = v).empty(); }},
    {"--samples", kRealtime, true,
     [](CliOptions& o, std::string_view v) { return parseInteger(v, o.samples) && o.samples > 0; }},
    {"--name", kSyncSetup, true,
     [](CliOptions& o, std::string_view v) {
         o.edits.name = std::string(v);
         // The logger keeps 24 bytes of its own code page, where a Chinese
         // character takes two; a byte that is no UTF-8 has no place there.
         const std::string encoded = encodeLoggerText(v, std::string_view::npos);
         return encoded.size() <= kNameLength && decodeLoggerText(encoded) == v;
     }},
    {"--sampling", kSyncSetup, true,
     [](CliOptions& o, std::string_view v) { return parseInto(v, o.edits.samplingInterval); }},
    {"--log-interval", kSyncSetup, true,
     [](CliOptions& o, std::string_view v) { return parseInto(v, o.edits.logInterval); }},
    {"--ch1-high", kSyncSetup, true,
     [](CliOptions& o, std::string_view v) { return parseInto(v, o.edits.ch1High); }},
    {"--ch1-low", kSyncSetup, true,
     [](CliOptions& o, std::string_view v) { return parseInto(v, o.edits.ch1Low); }},
    {"--ch2-high", kSyncSetup, true,
     [](CliOptions& o, std::string_view v) { return parseInto(v, o.edits.ch2High); }},
    {"--ch2-low", kSyncSetup, true,
     [](CliOptions& o, std::string_view v) { return parseInto(v, o.edits.ch2Low); }},
    {"--ch3-high", kSyncSetup, true,
     [](CliOptions& o, std::string_view v) { return parseInto(v, o.edits.ch3High); }},
    {"--ch3-low", kSyncSetup, true,
     [](CliOptions& o, std::string_view v) { return parseInto(v, o.edits.ch3Low); }},
    {"--ch4-high", kSyncSetup, true,
     [](CliOptions& o, std::string_view v) { return parseInto(v, o.edits.ch4High); }},
    {"--ch4-low", kSyncSetup, true,
     [](CliOptions& o, std::string_view v) { return parseInto(v, o.edits.ch4Low); }},
    // info's limits share the names of the setup's, as values in the channel's unit.
    {"--ch1-high", kInfo, true,
     [](CliOptions& o, std::string_view v) { return parseLimit(v, o.limits[0].high); }},
    {"--ch1-low", kInfo, true,
     [](CliOptions& o, std::string_view v) { return parseLimit(v, o.limits[0].low); }},
    {"--ch2-high", kInfo, true,
     [](CliOptions& o, std::string_view v) { return parseLimit(v, o.limits[1].high); }},
    {"--ch2-low", kInfo, true,
     [](CliOptions& o, std::string_view v) { return parseLimit(v, o.limits[1].low); }},
    {"--ch3-high", kInfo, true,
     [](CliOptions& o, std::string_view v) { return parseLimit(v, o.limits[2].high); }},
    {"--ch3-low", kInfo, true,
     [](CliOptions& o, std::string_view v) { return parseLimit(v, o.limits[2].low); }},
    {"--ch4-high", kInfo, true,
     [](CliOptions& o, std::string_view v) { return parseLimit(v, o.limits[3].high); }},
    {"--ch4-low", kInfo, true,
     [](CliOptions& o, std::string_view v) { return parseLimit(v, o.limits[3].low); }},
    {"--ch1-rule", kInfo, true,
     [](CliOptions& o, std::string_view v) { return parseRule(o, 0, v); }},
    {"--ch2-rule", kInfo, true,
     [](CliOptions& o, std::string_view v) { return parseRule(o, 1, v); }},
    {"--ch3-rule", kInfo, true,
     [](CliOptions& o, std::string_view v) { return parseRule(o, 2, v); }},
    {"--ch4-rule", kInfo, true,
     [](CliOptions& o, std::string_view v) { return parseRule(o, 3, v); }},
    {"--activation-energy", kInfo, true,
     [](CliOptions& o, std::string_view v) {
         o.activationEnergyGiven = true;
         return parseActivationEnergy(v, o.activationEnergy);
     }},
    {"--offset1", kSyncSetup, true,
     [](CliOptions& o, std::string_view v) { return parseInto(v, o.edits.offsets[0]); }},
    {"--offset2", kSyncSetup, true,
     [](CliOptions& o, std::string_view v) { return parseInto(v, o.edits.offsets[1]); }},
    {"--offset3", kSyncSetup, true,
     [](CliOptions& o, std::string_view v) { return parseInto(v, o.edits.offsets[2]); }},
    {"--offset4", kSyncSetup, true,
     [](CliOptions& o, std::string_view v) { return parseInto(v, o.edits.offsets[3]); }},
};

// The option of that name that the command takes; a name may mean different
// things to different commands.
const OptionSpec* findOption(std::string_view name, unsigned command) {
    for (const OptionSpec& spec : kOptions) {
        if (spec.name == name && (spec.commands & command) != 0) return &spec;
    }
    return nullptr;
}

// The file names a command takes: info the log, export the log and the file to write.
bool takeFileName(CliOptions& o, std::string_view arg) {
    if (arg.starts_with("--")) return false;
    if (o.command == Command::Verify) {
        o.files.emplace_back(arg);
        return true;
    }
    if ((o.command == Command::Audit || o.command == Command::Sign) && o.file.empty()) {
        o.file = arg;
        return true;
    }
    if (o.command == Command::Archive && o.archiveAction == ArchiveAction::None) {
        if (arg == "list") o.archiveAction = ArchiveAction::List;
        if (arg == "add") o.archiveAction = ArchiveAction::Add;
        if (arg == "rebuild") o.archiveAction = ArchiveAction::Rebuild;
        return o.archiveAction != ArchiveAction::None;
    }
    if (o.command == Command::Archive && o.archiveAction == ArchiveAction::Add && o.file.empty()) {
        o.file = arg;
        return true;
    }
    if ((o.command == Command::Info || o.command == Command::Export) && o.file.empty()) {
        o.file = arg;
        return true;
    }
    if (o.command == Command::Export && o.out.empty()) {
        o.out = arg;
        return true;
    }
    return false;
}

std::optional<Command> findCommand(std::string_view name) {
    for (const CommandName& entry : kCommands) {
        if (entry.name == name) return entry.command;
    }
    return std::nullopt;
}

std::string exportMissingPart(const CliOptions& o) {
    if (o.out.empty()) return "the file to write is missing";
    if (o.exportFormatsGiven != 1) return "give one of --txt, --xls, --csv, --bmp and --pdf";
    if (o.bitmapSizeGiven && o.exportFormat != ExportFormat::Bitmap)
        return "--size is for --bmp only";
    if (o.fahrenheit && o.exportFormat != ExportFormat::Csv)
        return "--fahrenheit is for --csv only";
    const bool chart =
        o.exportFormat == ExportFormat::Bitmap || o.exportFormat == ExportFormat::Pdf;
    if (chart && !kChartOutput)
        return "this build has no chart output: --bmp and --pdf need a build with Qt (DRAVIN_GUI)";
    return {};
}

// What a command needs beyond the options it may take; empty when all is there.
std::string missingPart(const CliOptions& o) {
    const unsigned bit = 1u << static_cast<int>(o.command);
    if ((bit & kLogger) != 0) {
        if (o.device.empty() && o.port == 0)
            return "the logger's line is missing: --device PATH or --port N";
        if (!o.device.empty() && o.port != 0) return "--device and --port exclude each other";
    }
    if ((bit & (kDownload | kDelete)) != 0 && o.logs == LogKind::None)
        return "--logs auto|manu is missing";
    if (o.command == Command::Realtime && o.samples == 0) return "--samples N is missing";
    if ((bit & (kInfo | kExport)) != 0 && o.file.empty()) return "the log file is missing";
    if (o.command == Command::Export) return exportMissingPart(o);
    if (o.command == Command::Verify && o.files.empty() == !o.all)
        return "give the files to verify or --all, not both";
    if (o.command == Command::Sign) {
        if (o.file.empty()) return "the log file is missing";
        if (o.meaning.empty()) return "--meaning reviewed|approved|rejected is missing";
        if (o.signer.empty()) return "--name \"FULL NAME\" is missing";
    }
    if (o.command == Command::Archive) {
        if (o.archiveAction == ArchiveAction::None) return "give list, add DIR or rebuild";
        if (o.archiveAction == ArchiveAction::Add && o.file.empty()) return "the folder is missing";
        const bool filtered = !o.serial.empty() || !o.from.empty() || !o.to.empty() || o.json;
        if (filtered && o.archiveAction != ArchiveAction::List)
            return "--serial, --from, --to and --json are for archive list only";
        if (!o.from.empty() && !o.to.empty() && o.to < o.from) return "--to is before --from";
    }
    for (int c = 0; c < kChannels; ++c) {
        const ChannelLimit& limit = o.limits[static_cast<size_t>(c)];
        if (limit.high && limit.low && *limit.low > *limit.high) {
            const std::string n = std::to_string(c + 1);
            return "--ch" + n + "-low is above --ch" + n + "-high";
        }
    }
    return {};
}

}  // namespace

std::optional<CliOptions> parseCommandLine(int argc, char** argv, std::string& error) {
    if (argc < 2) {
        error = "no command given";
        return std::nullopt;
    }
    const std::optional<Command> command = findCommand(argv[1]);
    if (!command) {
        error = std::string("unknown command: ") + argv[1];
        return std::nullopt;
    }
    CliOptions o;
    o.command = *command;
    const unsigned bit = 1u << static_cast<int>(o.command);
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (takeFileName(o, arg)) continue;
        const OptionSpec* spec = findOption(arg, bit);
        if (spec == nullptr) {
            error = std::string(argv[1]) + " takes no " + std::string(arg);
            return std::nullopt;
        }
        if (spec->takesValue && i + 1 >= argc) {
            error = std::string(arg) + " needs a value";
            return std::nullopt;
        }
        const std::string_view value = spec->takesValue ? argv[++i] : "";
        if (!spec->apply(o, value)) {
            error = "invalid value for " + std::string(arg) + ": " + std::string(value);
            return std::nullopt;
        }
    }
    error = missingPart(o);
    if (!error.empty()) return std::nullopt;
    return o;
}
