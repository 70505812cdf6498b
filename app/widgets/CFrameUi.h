#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "app/PaneReactions.h"
#include "base/FrameUi.h"

struct AppData;
class CCommProgressDlg;
class CMainFrame;
class QString;

// The message pane while realtime sampling runs, e.g.
// "125 samples, 0:02:05".
std::string realtimeStatusText(int samples, std::chrono::seconds elapsed);

// How the core reaches the user in the main window: the progress window, the
// message dialog and the busy box over the frame; and the moves of the frame's
// panes, chart view and document that the events of the log ask for.
class CFrameUi : public FrameUi, public PaneMoves {
public:
    // Keeps the references only: the frame is still being built.
    CFrameUi(CMainFrame& frame, AppData& data);

    // The progress window is the last part of the frame to be made; it stays
    // hidden until an operation shows it.
    void createProgressWindow();
    CCommProgressDlg* progressWindow() const { return progress_; }

    void showProgress(std::string_view text) override;
    void setProgressText(std::string_view text) override;
    void hideProgress() override;
    bool showMessage(std::string_view text) override;
    bool confirmReplace(std::string_view path) override;
    void openBusyBox(std::string_view text) override;
    void updateBusyBox(bool over) override;
    void downloadProgress(int packagesDone, int packagesTotal) override;
    void showPaneAlone(int paneId) override;
    void fillFileList() override;
    void redrawChart() override;
    void setDocumentTitle(std::string_view title) override;
    void clearDataList() override;
    void realtimeSampleArrived() override;
    void fillSetupGrid() override;
    void loggerSetupRead() override;

    // What the busy box's Cancel does (the frame: cancel the download); the
    // busy box offers no Cancel without it.
    void setBusyCancel(std::function<void()> cancel) { busyCancel_ = std::move(cancel); }

    // Where the realtime status takes the time from; tests set their own.
    using SteadyNow = std::function<std::chrono::steady_clock::time_point()>;
    void setClock(SteadyNow now) { now_ = std::move(now); }

private:
    void setMessagePane(const QString& text);
    void endRealtimeStatus();

    CMainFrame& frame_;
    AppData& data_;
    CCommProgressDlg* progress_ = nullptr;
    std::function<void()> busyCancel_;
    bool busyBoxOpen_ = false;
    // What the progress window is to show once the busy box has closed.
    std::optional<std::string> progressAfterBusyBox_;
    SteadyNow now_ = [] { return std::chrono::steady_clock::now(); };
    // Sampling shows the progress window from its start until the first
    // sample: the run is timed from there.
    std::optional<std::chrono::steady_clock::time_point> progressShownAt_;
    bool realtimeCounting_ = false;
    int realtimeSamples_ = 0;
    std::chrono::steady_clock::time_point realtimeStart_;
    PaneReactions reactions_;
};
