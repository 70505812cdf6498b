#include "app/PaneReactions.h"

#include "record/AppData.h"

PaneReactions::PaneReactions(AppData& data, PaneMoves& moves) : data_(data), moves_(moves) {
    data_.events.subscribe(*this);
}

PaneReactions::~PaneReactions() {
    data_.events.unsubscribe(*this);
}

void PaneReactions::showTitle() {
    moves_.setDocumentTitle(data_.log.store.currentFileName);
}

void PaneReactions::logLoaded(std::string_view) {
    moves_.redrawChart();
    showTitle();
    // The file brought its logger's name, serial number and hardware version.
    moves_.fillSetupGrid();
}

// A saved log is the newest entry of the file list. A copy saved elsewhere
// leaves the window as it was.
void PaneReactions::logSaved(std::string_view, SaveReason why) {
    if (why == SaveReason::SavedAs) return;
    moves_.showPaneAlone(kPaneFileList);
    moves_.fillFileList();
    moves_.redrawChart();
    showTitle();
}

void PaneReactions::logRenamed(std::string_view) {
    showTitle();
}

void PaneReactions::logCleared(ClearReason why) {
    switch (why) {
        case ClearReason::NewDocument:
            moves_.redrawChart();
            return;
        case ClearReason::RealtimeStart:
        case ClearReason::RealtimeSplit:
            moves_.clearDataList();
            return;
        case ClearReason::Download:
            return;
    }
}

void PaneReactions::rangeCut(CutBy by) {
    if (by == CutBy::Zoom) return;
    moves_.redrawChart();
    showTitle();
}

void PaneReactions::sampleAppended() {
    moves_.realtimeSampleArrived();
}

// The run's logs are the newest entries of the file list.
void PaneReactions::realtimeEnded() {
    moves_.showPaneAlone(kPaneFileList);
    moves_.fillFileList();
}

void PaneReactions::setupRead() {
    moves_.fillSetupGrid();
    moves_.loggerSetupRead();
}

void PaneReactions::linkChanged(bool connected) {
    if (connected) moves_.showPaneAlone(kPaneSetup);
}

void PaneReactions::displayChanged() {
    showTitle();
}
