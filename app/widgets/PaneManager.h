#pragma once

#include <QObject>
#include <span>
#include <vector>

#include "ui/widgets/PaneWidget.h"

class QDockWidget;
class QMainWindow;
class QWidget;

// The docking panes around the chart view, one per row of the table: all
// docked at the left edge, the first-shown one the only one open at first,
// each given its content the first time it shows.
class PaneManager : public QObject {
public:
    PaneManager(QMainWindow& window, PaneHost& host, std::span<const PaneRow> rows, int firstShown);

    QDockWidget* pane(int paneId) const;
    // The pane's content, nullptr until the pane has shown once.
    QWidget* content(int paneId) const;
    // Closes every pane, then shows `paneId` with the keyboard focus in it.
    void showAlone(int paneId);
    // The pane takes the move now; one not made yet makes it when it is made
    // if its row keeps the move, else never.
    void tell(int paneId, PaneMove move);

private:
    struct Slot {
        const PaneRow* row;
        QDockWidget* dock;
        int width;  // its initial width, then its width when last closed by showAlone
        PaneWidget* content = nullptr;
        uint32_t keptMoves = 0;
    };

    Slot* find(int paneId);
    const Slot* find(int paneId) const;
    void createContent(Slot& slot);

    QMainWindow& window_;
    PaneHost& host_;
    std::vector<Slot> panes_;
};
