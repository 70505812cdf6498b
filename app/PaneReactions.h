#pragma once

#include <string_view>

#include "app/PaneIds.h"
#include "base/LogEvents.h"

struct AppData;

// What the window's panes, chart and document do; the main frame implements
// it with Qt, tests with fakes.
class PaneMoves {
public:
    virtual ~PaneMoves() = default;
    virtual void showPaneAlone(int paneId) = 0;
    virtual void fillFileList() = 0;
    virtual void redrawChart() = 0;
    virtual void setDocumentTitle(std::string_view title) = 0;
    virtual void clearDataList() = 0;
    // A realtime sample was stored (the active view draws the new state).
    virtual void realtimeSampleArrived() = 0;
    // The setup grid shows LoggerSetup.
    virtual void fillSetupGrid() = 0;
    // The logger's own setup was read, its alarm limits with it (a log file
    // holds none).
    virtual void loggerSetupRead() = 0;
};

// Which pane moves each event of the log and the link asks for: subscribes
// to data.events while it lives.
class PaneReactions final : public LogEvents {
public:
    PaneReactions(AppData& data, PaneMoves& moves);
    ~PaneReactions() override;
    PaneReactions(const PaneReactions&) = delete;
    PaneReactions& operator=(const PaneReactions&) = delete;

    void logLoaded(std::string_view path) override;
    void logSaved(std::string_view path, SaveReason why) override;
    void logRenamed(std::string_view path) override;
    void logCleared(ClearReason why) override;
    void rangeCut(CutBy by) override;
    void sampleAppended() override;
    void realtimeEnded() override;
    void setupRead() override;
    void linkChanged(bool connected) override;
    void displayChanged() override;

private:
    void showTitle();

    AppData& data_;
    PaneMoves& moves_;
};
