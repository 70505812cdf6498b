#include "app/widgets/CLoggerApp.h"

#include <QScreen>

#include "app/AppData.h"
#include "app/widgets/CMainFrame.h"
#include "app/widgets/Profile.h"
#include "ui/widgets/ResourceImages.h"

CLoggerApp::CLoggerApp(int& argc, char** argv)
    : QApplication(argc, argv), data_(std::make_unique<AppData>()) {}

CLoggerApp::~CLoggerApp() = default;

bool CLoggerApp::InitInstance() {
    setOrganizationName(kProfileKey);
    setApplicationName(kApplicationName);
    setWindowIcon(resourceIcon(kAppIcon));

    frame_ = std::make_unique<CMainFrame>(*data_);
    // The full screen also where no window manager maximises it.
    frame_->resize(frame_->screen()->availableGeometry().size());
    frame_->showMaximized();
    if (!processCommandLine()) {
        // The settings were never read: leave the file as it is.
        frame_->keepSettingsFile();
        return false;
    }

    // Only now, after the frame and a file named on the command line.
    data_->programDir = executableDir();
    data_->settings = readSettingsFile(data_->programDir);
    makeLogFilesDir(*data_);
    for (int& visible : data_->channelVisible) visible = 1;
    return true;
}

// A log file named on the command line opens through the document.
bool CLoggerApp::processCommandLine() {
    const QStringList args = arguments();
    if (args.size() < 2) return true;
    return frame_->document().openDocument(args.at(1).toStdString());
}
