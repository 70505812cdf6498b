#include "views/ExportPaths.h"

#include <sys/stat.h>

#include "base/FrameUi.h"

std::string exportFinalPath(std::string_view chosen, std::string_view extension) {
    const std::size_t slash = chosen.rfind('/');
    const std::string_view name =
        slash == std::string_view::npos ? chosen : chosen.substr(slash + 1);
    std::string path(chosen);
    if (name.find('.') == std::string_view::npos) path += extension;
    return path;
}

bool exportReplacesFile(const std::string& finalPath) {
    // lstat: a link that points nowhere is replaced too, so it is asked about.
    struct stat info {};
    return ::lstat(finalPath.c_str(), &info) == 0;
}

std::optional<std::string> exportTarget(std::string_view chosen, std::string_view extension,
                                        FrameUi& ui) {
    std::string path = exportFinalPath(chosen, extension);
    if (exportReplacesFile(path) && !ui.confirmReplace(path)) return std::nullopt;
    return path;
}
