#pragma once

#include <string>
#include <string_view>

// The report as a PDF file, rendered in memory by the window's report code
// and written here like every other export.

// Writes `pdf` to `path` through the user-file door, whole or not at all: 0,
// or the system's error number, in which case the file that was at `path`
// stays as it was. No bytes (a rendering that failed) write nothing and give
// ECANCELED. `log`: the log the report shows, for the door's observers.
int exportPdfFile(const std::string& path, std::string_view pdf, const std::string& log);
