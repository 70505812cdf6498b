#pragma once

#include <QObject>
#include <array>

#include "base/FrameUi.h"

class QDockWidget;
class QMainWindow;
class QWidget;

// The five docking panes around the chart view: all docked at the left edge,
// File List the only one open at first, each given its content the first time
// it shows. A coming pane is a row of the pane table and a class of its own.
class PaneManager : public QObject {
public:
    explicit PaneManager(QMainWindow& window);

    QDockWidget* pane(int paneId) const;
    // The pane's content, nullptr until the pane has shown once.
    QWidget* content(int paneId) const;
    // Closes every pane, then shows `paneId` with the keyboard focus in it.
    void showAlone(int paneId);

private:
    struct Slot {
        int id;
        QDockWidget* dock;
        int width;  // its initial width, then its width when last closed by showAlone
    };

    void createContent(size_t index);

    QMainWindow& window_;
    std::array<Slot, 5> panes_{};
};
