#pragma once

#include <QMainWindow>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "app/CommandRules.h"
#include "app/widgets/CFrameUi.h"
#include "app/widgets/CLoggerDoc.h"
#include "app/widgets/CommandTable.h"
#include "app/widgets/QtTimerHost.h"
#include "link/CSerialPort.h"
#include "link/Clock.h"
#include "link/ProtocolEngine.h"
#include "link/SerialDevices.h"
#include "ui/widgets/PaneWidget.h"

struct AppData;
class CCommProgressDlg;
class CLoggerView;
class PaneManager;
class QDockWidget;
class QLabel;
class QMenu;
class ArchiveRecorder;
class QPrinter;
class QToolBar;

struct MainFrameOptions {
    // Where the serial adapters are looked for; tests use a folder of links.
    std::string deviceDir = kDefaultDeviceDir;
    // Where Dravin.ini is written when the frame goes; empty: dataDir().
    std::string programDir;
    // The status bar's last pane instead of the maker's name: the built-in
    // demo logger says there that it runs.
    std::string lastPaneText = {};
    // The built-in demo logger serves: the first step the message pane
    // names while no log is shown is to use it.
    bool demoLogger = false;
    // Keeps the archive the program records into; the status bar says what
    // it knows of the log on show. It outlives the frame.
    ArchiveRecorder* archive = nullptr;
};

// The one main window: menu bar, toolbar, status bar, the four docking panes
// around the chart view, the serial port and the protocol engine that drives
// it. The engine reaches the user through the frame's CFrameUi. Every command
// goes through onCommand(), which runs the row of the command's route table.
class CMainFrame : public QMainWindow, public SerialPortOwner, public PaneHost {
    Q_OBJECT

public:
    static constexpr const char* kAppTitle = "Dravin V1.21";

    explicit CMainFrame(AppData& data, MainFrameOptions options = {}, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CLoggerDoc& document() { return doc_; }
    // The archive the program records into; nothing in a frame without one.
    ArchiveRecorder* archiveRecorder() const { return options_.archive; }
    // What the panes work on: the process-wide record and the frame's way to the user.
    AppData& appData() override { return data_; }
    CFrameUi& frameUi() override { return ui_; }
    ProtocolEngine& engine() { return engine_; }
    CSerialPort& port() { return port_; }
    CLoggerView* view() const { return view_; }
    CCommProgressDlg* progressWindow() const { return ui_.progressWindow(); }
    QDockWidget* pane(int paneId) const;
    // The pane's content, nullptr until the pane has shown once.
    QWidget* paneContent(int paneId) const;
    QAction* commandAction(int id) const;
    QToolBar* standardToolBar() const { return toolBar_; }
    QMenu* fileMenu() const { return fileMenu_; }
    bool timerRunning(int id) const { return timers_.isRunning(id); }
    // The printer that printing and print preview use; Printer Setup edits it.
    QPrinter& printer();

    // Start-up failed before the settings were read: do not overwrite them.
    void keepSettingsFile() { writeSettings_ = false; }

    // One row per command: its texts, button and key, the rule that enables
    // it and what runs it.
    using CommandRoute = CommandSpec;
    static std::span<const CommandRoute> commandRoutes();
    // The rule of command `id`; a command without a row is always enabled.
    static CommandRule commandRule(int id);
    // Runs command `id` as the menu, the toolbar or a key would: nothing
    // happens while its rule disables it.
    void onCommand(int id);
    // Opens a log through the document, as Open, a dropped file and the
    // command line do; refused, like Open, while realtime sampling runs.
    // False when refused or when the file did not open.
    bool openDocumentFile(const QString& path);

    // Closes every docking pane, then shows `paneId` with the keyboard focus in it.
    void showPaneAlone(int paneId);
    // Closes every docking pane (after printing: the user reopens them).
    void closeAllPanes();
    // The pane takes the move (see PaneManager::tell).
    void tellPane(int paneId, PaneMove move);
    // Where the file dialogs start: the folder the program keeps its logs in.
    QString logFilesFolder();

    // Temperatures of "oC" channels in °F or not: the chart, the data list
    // and the Limits pane show them so, and the profile keeps the choice.
    void setFahrenheit(bool fahrenheit);
    // A setup read brought the logger's own alarm limits: the Limits pane
    // offers them, now or when it is first made.
    void offerLoggerLimits();

    // SerialPortOwner
    void requestDelivery() override;
    void onRxChunk(int n) override;
    void onPortError(const PortFailure& failure) override;

public slots:
    // The Setup pane's Read and Sync buttons.
    void readSetup() override;
    void syncSetup() override;
    // Enables every command by its rule.
    void updateCommandStates();
    // The message pane shows `text` until the next command prompt.
    void showInMessagePane(const QString& text);
    // What the message pane shows when no command is pointed at: the first
    // step while no log is shown and no logger is connected, else "Ready".
    QString idleMessage() const;
    // Status bar panes 2 to 6: the time and the channel values under the chart cursor.
    void showCursorReadout(const QString& time, const QStringList& values);
    // Status bar panes 2 to 6 as they start: no record under the cursor.
    void clearCursorReadout();
    // The Limits pane changed AppData::limits: kept for the logger of the log
    // shown, drawn on the chart and the data list.
    void limitsEdited() override;
    // The Limits pane changed AppData::activationEnergy: kept in the profile.
    void activationEnergyEdited() override;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void bindAccelerators();
    bool commandEnabled(int id) const;
    void onConnect();
    void onDownload();
    void onDelete();
    void onFileOpen();
    void onFileSaveAs();
    // Shows the pane alone, showing the record as it is now.
    void showPaneFilled(int paneId);
    void openRecentFile(int id, const QString& path);
    void rebuildRecentFiles();
    void resetDataList();
    void setStatusPane(int id, const QString& text);
    QString firstStepText() const;
    void setMessagePane(const QString& text, bool idle);
    void updateWindowTitle();
    void saveLayout();
    void followLog();
    void followLoggerLimits();
    void startQueryAtLog();
    void redrawShownValues();
    std::string settingsDir() const;

    AppData& data_;
    MainFrameOptions options_;
    SystemClock clock_;
    QtTimerHost timers_;
    CSerialPort port_;
    CFrameUi ui_;
    ProtocolEngine engine_;
    CLoggerDoc doc_;
    CLoggerView* view_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* recentAnchor_ = nullptr;  // where the recent files go in the File menu
    QList<QAction*> recentActions_;
    QLabel* messagePane_ = nullptr;
    QString messageText_;      // what the message pane shows, before any ellipsis
    bool messageIdle_ = true;  // the pane shows idleMessage(), which follows the log
    std::map<int, QAction*> actions_;
    std::unique_ptr<PaneManager> panes_;
    std::unique_ptr<QPrinter> printer_;
    bool writeSettings_ = true;
    // The file whose first and last record the query fields were set to.
    std::string queryLog_;
    QString limitsGroup_;  // the profile group of the limits in AppData::limits

    // A change of the log refreshes the Limits pane and the query; a change
    // of its logger brings that logger's limits.
    class LogFollower final : public LogEvents {
    public:
        explicit LogFollower(CMainFrame& frame) : frame_(frame) {}
        void logLoaded(std::string_view) override { frame_.followLog(); }
        void logSaved(std::string_view, SaveReason why) override {
            if (why != SaveReason::SavedAs) frame_.followLog();
        }
        void logRenamed(std::string_view) override { frame_.followLog(); }
        void logCleared(ClearReason) override { frame_.followLog(); }
        void logDownloaded() override { frame_.followLog(); }
        void rangeCut(CutBy) override { frame_.followLog(); }
        void sampleAppended() override { frame_.followLog(); }
        void setupRead() override { frame_.followLoggerLimits(); }
        void linkChanged(bool) override { frame_.followLoggerLimits(); }

    private:
        CMainFrame& frame_;
    };
    LogFollower follower_{*this};
};
