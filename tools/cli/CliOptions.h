#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "logdata/ChannelLimits.h"
#include "logdata/KineticTemperature.h"

enum class Command {
    Ports,
    Identify,
    ReadSetup,
    SyncSetup,
    Download,
    Delete,
    Realtime,
    Info,
    Export,
    Recover,
    Verify,
    Audit,
    Sign,
    Archive,
};
enum class LogKind { None, Auto, Manu };
enum class ArchiveAction { None, List, Add, Rebuild };
enum class ExportFormat { None, Text, Spreadsheet, Csv, Bitmap, Pdf };

// The picture a bitmap export paints, in pixels.
struct PictureSize {
    int width;
    int height;
};

// The bitmap's size when --size is not given.
inline constexpr PictureSize kDefaultBitmapSize{1000, 600};

// The setup fields that sync-setup changes; the others keep what the logger sent.
struct SetupEdits {
    std::optional<std::string> name;
    std::optional<uint8_t> samplingInterval;
    std::optional<uint32_t> logInterval;
    std::optional<int32_t> ch1High;
    std::optional<int32_t> ch1Low;
    std::optional<int16_t> ch2High;
    std::optional<int16_t> ch2Low;
    std::optional<int16_t> ch3High;
    std::optional<int16_t> ch3Low;
    std::optional<int16_t> ch4High;
    std::optional<int16_t> ch4Low;
    std::array<std::optional<int16_t>, 4> offsets;
};

struct CliOptions {
    Command command = Command::Ports;
    std::string device;  // --device
    int port = 0;        // --port; 0 when --device is given
    int baud = 0;        // 0: the rate kept in Dravin.ini
    bool json = false;
    bool trace = false;
    LogKind logs = LogKind::None;
    // Where saved logs and realtime journals are; empty: Logfiles beside the program.
    std::string dir;
    int samples = 0;
    std::string file;  // info, export: the log file
    std::string out;   // export: the file written
    ExportFormat exportFormat = ExportFormat::None;
    int exportFormatsGiven = 0;  // more than one is a usage error
    PictureSize bitmapSize = kDefaultBitmapSize;
    bool bitmapSizeGiven = false;  // export --size
    bool fahrenheit = false;       // export --csv --fahrenheit: "oC" channels in °F
    // info: the alarm limits (--chN-high, --chN-low) in each channel's unit,
    // and the MKT's activation energy (--activation-energy, given in kJ/mol).
    ChannelLimits limits;
    // --chN-rule set the rules of the limits of channel N.
    bool rulesGiven = false;
    double activationEnergy = kDefaultActivationEnergy;  // J/mol
    bool activationEnergyGiven = false;
    SetupEdits edits;
    // The folder of Dravin.ini, Logfiles/ and archive.sqlite; empty: the
    // program's data folder (dataDir()).
    std::string dataDir;
    // verify: the files, or every log of the archive (--all).
    std::vector<std::string> files;
    bool all = false;
    // sign: what the signature means, who gives it, and why.
    std::string meaning;
    std::string signer;
    std::string comment;
    // archive: what to do; list's filter; add's folder (in `file`).
    ArchiveAction archiveAction = ArchiveAction::None;
    std::string serial;
    std::string from;
    std::string to;
};

inline constexpr int kNameLength = 24;

// The options of the command line, or nothing and a one-line `error`.
std::optional<CliOptions> parseCommandLine(int argc, char** argv, std::string& error);

extern const char* const kUsage;
