#pragma once

#include <QTimer>

#include "ui/widgets/PaneWidget.h"

struct LoggerSetup;
class CPropertyGrid;
class QToolButton;

// Content of the Setup pane: the logger's setup in a property grid of seven
// categories and 22 items, with the Read and Sync buttons above it. An edit
// goes straight into the process-wide LoggerSetup by the rules of
// setup/SetupEdits.h, and the item then shows what the field holds: an edit
// the field cannot take is refused, the item keeps its value and the
// description area says what is allowed. The main frame creates the pane the
// first time it shows and wires the buttons to its readSetup and syncSetup.
class CPropertiesPane : public PaneWidget {
    Q_OBJECT

public:
    static constexpr int kReadButtonId = 158;
    static constexpr int kSyncButtonId = 159;
    static constexpr int kGridId = 0;
    static constexpr const char* kReadTip =
        QT_TRANSLATE_NOOP("Dravin", "Get setup information from logger.");
    static constexpr const char* kSyncTip =
        QT_TRANSLATE_NOOP("Dravin", "Synchronize setup information and PC time to logger.");
    static constexpr int kTipDelayMs = 200;

    // Builds the grid with empty texts and zeros; `setup` outlives the pane.
    explicit CPropertiesPane(LoggerSetup& setup, QWidget* parent = nullptr);

    // Creates the categories and items; run once, by the constructor.
    void buildSetupGrid();
    // Sets every item from LoggerSetup.
    void fillSetupGrid();
    // Fill: fillSetupGrid().
    void takeMove(PaneMove move) override;

    CPropertyGrid* grid() const { return grid_; }
    QToolButton* readButton() const { return read_; }
    QToolButton* syncButton() const { return sync_; }

signals:
    // The Read and Sync buttons were pressed.
    void readRequested();
    void syncRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* makeButton(int id, int picture, const char* tip);
    void onItemValueChanged(int id, const QString& text);
    void showItem(int id);

    LoggerSetup& setup_;
    CPropertyGrid* grid_;
    QToolButton* read_;
    QToolButton* sync_;
    QTimer tipTimer_;  // the buttons' tooltips wake up sooner than the system's
    QToolButton* tipButton_ = nullptr;
};
