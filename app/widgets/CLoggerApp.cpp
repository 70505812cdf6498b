#include "app/widgets/CLoggerApp.h"

#include <QFileInfo>
#include <QScreen>
#include <cstdio>

#include "app/widgets/DemoLogger.h"
#include "app/widgets/Language.h"
#include "app/widgets/Profile.h"
#include "archive/ArchiveRecorder.h"
#include "archive/SqliteArchive.h"
#include "logdata/JournalRecovery.h"
#include "logdata/SettingsFile.h"
#include "record/AppData.h"
#include "ui/widgets/ResourceImages.h"

CLoggerApp::CLoggerApp(int& argc, char** argv)
    : QApplication(argc, argv), data_(std::make_unique<AppData>()) {}

CLoggerApp::~CLoggerApp() {
    if (archive_) data_->events.unsubscribe(*archive_);
    // Before the frame goes and writes the settings.
    if (demo_) DemoLogger::keepPortOutOfSettings(data_->settings, portAtStart_);
}

bool CLoggerApp::InitInstance() {
    setOrganizationName(kProfileKey);
    setApplicationName(kApplicationName);
    setWindowIcon(resourceIcon(kAppIcon));
    // Before the first window text; a test never comes here, so it sees the
    // source texts whatever the locale.
    installCatalog(catalogFor(Profile().language(), systemUiLanguages()));
    QStringList commandLine = arguments();
    MainFrameOptions options;
    if (takeDemoOption(commandLine)) {
        demo_ = std::make_unique<DemoLogger>();
        if (demo_->running()) {
            options.lastPaneText = DemoLogger::kPaneText;
            options.demoLogger = true;
        } else {
            std::fputs(qPrintable(tr("The demo logger cannot start: no pseudo-terminal.") + "\n"),
                       stderr);
        }
    }
    // Opened at the first file to record (the logs recovered at start-up
    // included), in the data folder the start-up has settled on by then.
    archive_ = std::make_unique<ArchiveRecorder>([data = data_.get()](Outcome& opened) {
        return openArchive(data->programDir.empty() ? dataDir() : data->programDir, opened);
    });
    data_->events.subscribe(*archive_);
    options.archive = archive_.get();
    frame_ = startMainFrame(*data_, commandLine, options);
    if (frame_) portAtStart_ = data_->settings.comPort;
    return frame_ != nullptr;
}

std::unique_ptr<CMainFrame> startMainFrame(AppData& data, const QStringList& arguments,
                                           const MainFrameOptions& options) {
    auto frame = std::make_unique<CMainFrame>(data, options);
    // The full screen also where no window manager maximises it.
    frame->resize(frame->screen()->availableGeometry().size());
    frame->showMaximized();
    // A log file named on the command line opens through the document. Its
    // path is kept absolute: "100%" and the recent-file list use it later,
    // whatever the working directory is then.
    if (arguments.size() >= 2 &&
        !frame->openDocumentFile(QFileInfo(arguments.at(1)).absoluteFilePath())) {
        // The settings were never read: leave the file as it is.
        frame->keepSettingsFile();
        return nullptr;
    }

    // Only now, after the frame and a file named on the command line.
    data.programDir = options.programDir.empty() ? dataDir() : options.programDir;
    data.settings = readSettingsFile(data.programDir);
    makeLogFilesDir(data);
    for (int& visible : data.display.channelVisible) visible = 1;
    recoverUnsavedSamples(*frame, data);
    return frame;
}

// Realtime samples that a crash, a kill or a power cut kept from their log
// are saved now, as Stop would have saved them, and the user is told.
void recoverUnsavedSamples(CMainFrame& frame, AppData& data) {
    const std::string message = journalRecoveryMessage(recoverRealtimeJournals(logFilesDir(data)));
    if (message.empty()) return;
    frame.frameUi().fillFileList();
    frame.frameUi().showMessage(message);
}
