#pragma once

#include <string_view>

#include "base/Outcome.h"

// What the core asks of the user interface: the main frame implements it with
// Qt, the command-line tool on a console, and tests with fakes.

// Pane ids of the main frame.
inline constexpr int kPaneQuery = 144;
inline constexpr int kPaneDataList = 4000;
inline constexpr int kPaneFileList = 132;
inline constexpr int kPaneSetup = 4001;
inline constexpr int kPaneLimits = 4002;

class FrameUi {
public:
    virtual ~FrameUi() = default;
    // The progress window: set its text and show it / set its text only / hide it.
    virtual void showProgress(std::string_view text) = 0;
    virtual void setProgressText(std::string_view text) = 0;
    virtual void hideProgress() = 0;
    // The message dialog, modal; true when the user left it with OK.
    virtual bool showMessage(std::string_view text) = 0;
    // The question before a change on the logger; true to go on. On a console,
    // running the command was the yes.
    virtual bool confirm(std::string_view question) { return showMessage(question); }
    // The busy box: opened modally with its buttons disabled; returns when the
    // user closes it (a console or a test may return at once).
    virtual void openBusyBox(std::string_view text) = 0;
    // The busy box shows AppData::busyText; `over` enables its buttons.
    virtual void updateBusyBox(bool over) = 0;
    // An Auto log download took a package: `packagesDone` of the
    // `packagesTotal` the logger announced have arrived. Only the window
    // draws it.
    virtual void downloadProgress(int packagesDone, int packagesTotal) {
        (void)packagesDone;
        (void)packagesTotal;
    }
    virtual void showPaneAlone(int paneId) = 0;
    virtual void fillFileList() = 0;
    virtual void redrawChart() = 0;
    virtual void setDocumentTitle(std::string_view title) = 0;
    virtual void clearDataList() = 0;
    // A realtime sample was stored (the active view draws the new state).
    virtual void realtimeSampleArrived() = 0;
    // A setup reply was decoded, or a log file brought its setup: the setup
    // grid shows LoggerSetup.
    virtual void fillSetupGrid() = 0;
    // The logger's own setup was read, its alarm limits with it (a log file
    // holds none).
    virtual void loggerSetupRead() {}
    // An operation on the logger has ended, well or not: identify, setup read,
    // sync, download, delete, or a realtime run that the line ended. The
    // window has shown its texts by then; the command-line tool waits for
    // this and words its own message from it.
    virtual void operationEnded(const Outcome& outcome) { (void)outcome; }
};
