#pragma once

#include <QApplication>
#include <QStringList>
#include <memory>

#include "app/widgets/CMainFrame.h"

struct AppData;
class ArchiveRecorder;
class DemoLogger;

// The application object: owns the process-wide record, the main frame and,
// with --demo, the built-in demo logger, and starts the program.
class CLoggerApp : public QApplication {
    Q_OBJECT

public:
    CLoggerApp(int& argc, char** argv);
    ~CLoggerApp() override;

    // Start-up; false ends the program.
    bool InitInstance();

    AppData& data() { return *data_; }

private:
    std::unique_ptr<AppData> data_;     // outlives the frame
    std::unique_ptr<DemoLogger> demo_;  // outlives the frame, whose port reads it
    // Records every file the program writes for the user in the data
    // folder's archive; goes after the frame, whose last write it records.
    std::unique_ptr<ArchiveRecorder> archive_;
    std::unique_ptr<CMainFrame> frame_;
    int portAtStart_ = 0;
};

// Start-up once the application exists: the main frame, a log file named on
// the command line (`arguments` as QCoreApplication::arguments() gives them),
// and only then the program directory (options.programDir, or dataDir()
// when empty), the settings, Logfiles, the channel flags and the logs of
// realtime samples a run left unsaved (recoverUnsavedSamples). nullptr
// when the file does not open; Dravin.ini is then left as it is.
std::unique_ptr<CMainFrame> startMainFrame(AppData& data, const QStringList& arguments,
                                           const MainFrameOptions& options = {});
// Saves what the realtime journals in the log folder hold, each as the log
// Stop would have saved, and tells the user in one message what was saved
// and which journal had to stay.
void recoverUnsavedSamples(CMainFrame& frame, AppData& data);
