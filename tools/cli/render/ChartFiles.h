#pragma once

// The window's own chart drawing for the command line. Each call makes a Qt
// GUI application for its run when the process has none, on the "offscreen"
// platform unless QT_QPA_PLATFORM names another, so that it works without a
// display.

#include <string>

#include "base/Outcome.h"
#include "cli/CliOptions.h"

struct AppData;

// The chart picture of `size` as the view paints it, saved as the window's
// bitmap export saves it; on a failure the file that was at `path` stays as
// it was.
Outcome exportChartBitmap(const std::string& path, const AppData& data, PictureSize size);

// The printed report as a one-page landscape PDF on the locale's paper,
// written whole or not at all.
Outcome exportReportPdf(const std::string& path, const AppData& data);
