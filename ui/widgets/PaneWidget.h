#pragma once

#include <QWidget>
#include <cstdint>

struct AppData;
class FrameUi;

// What the window asks of a docking pane; each pane takes the moves it
// knows and leaves the others.
enum class PaneMove : uint8_t {
    Fill,               // show the record as it is now
    Clear,              // show nothing
    ShowChoices,        // show the values in the unit and against the limits chosen
    StartAtLog,         // start where the log shown starts
    OfferLoggerLimits,  // the logger's own setup was just read: offer its limits
};

// The content of a docking pane. The window reaches a pane through this
// class only, never through the pane's own.
class PaneWidget : public QWidget {
public:
    using QWidget::QWidget;
    virtual void takeMove(PaneMove move) { (void)move; }
};

// What a pane may ask of the window it docks in.
class PaneHost {
public:
    virtual ~PaneHost() = default;
    virtual AppData& appData() = 0;
    virtual FrameUi& frameUi() = 0;
    // The Setup pane's Read and Sync buttons.
    virtual void readSetup() = 0;
    virtual void syncSetup() = 0;
    // The Limits pane changed AppData::limits / AppData::activationEnergy.
    virtual void limitsEdited() = 0;
    virtual void activationEnergyEdited() = 0;
};

// A pane is one row: its id, its caption, its first width, how it is made,
// and the moves that, told before it was made, it makes when it is made.
struct PaneRow {
    int id;
    const char* caption;  // in the source language, translated where shown
    int width;
    PaneWidget* (*make)(PaneHost& host, QWidget* dock);
    uint32_t keptMoves = 0;  // bits of PaneMove
};

constexpr uint32_t paneMoveBit(PaneMove move) {
    return 1u << static_cast<unsigned>(move);
}
