#pragma once

#include <QApplication>
#include <memory>

struct AppData;
class CMainFrame;

// The application object: owns the process-wide record and the main frame,
// and starts the program.
class CLoggerApp : public QApplication {
    Q_OBJECT

public:
    CLoggerApp(int& argc, char** argv);
    ~CLoggerApp() override;

    // Start-up; false ends the program.
    bool InitInstance();

    AppData& data() { return *data_; }

private:
    bool processCommandLine();

    std::unique_ptr<AppData> data_;  // outlives the frame
    std::unique_ptr<CMainFrame> frame_;
};
