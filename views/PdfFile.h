#pragma once

#include <string>
#include <string_view>

#include "base/Outcome.h"

// The report as a PDF file, rendered in memory by the window's report code
// and written here like every other export.

// Writes `pdf` to `path` through the user-file door, whole or not at all
// (UserFiles::write): on a failure the file that was at `path` stays as it
// was. No bytes (a rendering that failed) write nothing and fail with
// ECANCELED. `log`: the log the report shows, for the door's observers.
Outcome exportPdfFile(const std::string& path, std::string_view pdf, const std::string& log);
