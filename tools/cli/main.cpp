// dravin-cli: the logger operations and log file facts of Dravin on the
// command line, with the program's own protocol engine and log files.

#include <cstdio>
#include <string>
#include <string_view>

#include "CliOptions.h"
#include "Commands.h"
#include "EnglishTexts.h"
#include "base/Texts.h"

int main(int argc, char** argv) {
    // A tool for scripts and terminals: its messages are English whatever
    // the locale.
    installTextCatalog(englishText);
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    std::string error;
    const std::optional<CliOptions> options = parseCommandLine(argc, argv, error);
    if (!options) {
        std::fprintf(stderr, "dravin-cli: %s\n%s", error.c_str(), kUsage);
        return kExitUsage;
    }
    return runCommand(*options);
}
