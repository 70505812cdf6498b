#pragma once

#include <QMainWindow>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "app/widgets/CLoggerDoc.h"
#include "app/widgets/QtTimerHost.h"
#include "link/CSerialPort.h"
#include "link/Clock.h"
#include "link/ProtocolEngine.h"
#include "link/SerialDevices.h"

struct AppData;
class CCommProgressDlg;
class CDataListPane;
class CDatePickerDlg;
class CFileListPane;
class CLoggerView;
class CPropertiesPane;
class QDockWidget;
class QLabel;
class QMenu;
class QPrinter;
class QToolBar;

struct MainFrameOptions {
    // Where the serial adapters are looked for; tests use a folder of links.
    std::string deviceDir = kDefaultDeviceDir;
    // Where Dravin.ini is written when the frame goes; empty: beside the program.
    std::string programDir;
};

// The one main window: menu bar, toolbar, status bar, the four docking panes
// around the chart view, the serial port and the protocol engine that drives
// it. Every command goes through onCommand(); every rule of which command is
// available comes from the engine.
class CMainFrame : public QMainWindow, public FrameUi, public SerialPortOwner {
    Q_OBJECT

public:
    static constexpr const char* kAppTitle = "Dravin V1.21";

    explicit CMainFrame(AppData& data, MainFrameOptions options = {}, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CLoggerDoc& document() { return doc_; }
    ProtocolEngine& engine() { return engine_; }
    CSerialPort& port() { return port_; }
    CLoggerView* view() const { return view_; }
    CCommProgressDlg* progressWindow() const { return progress_; }
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
    // Runs command `id` as the menu, the toolbar or a key would.
    void onCommand(int id);
    // Opens a log through the document, as Open, a dropped file and the
    // command line do; refused, like Open, while realtime sampling runs.
    // False when refused or when the file did not open.
    bool openDocumentFile(const QString& path);

    // FrameUi
    void showProgress(std::string_view text) override;
    void setProgressText(std::string_view text) override;
    void hideProgress() override;
    bool showMessage(std::string_view text) override;
    void openBusyBox(std::string_view text) override;
    void updateBusyBox(bool over) override;
    void showPaneAlone(int paneId) override;
    void fillFileList() override;
    void redrawChart() override;
    void setDocumentTitle(std::string_view title) override;
    void clearDataList() override;
    void realtimeSampleArrived() override;
    void fillSetupGrid() override;

    // SerialPortOwner
    void requestDelivery() override;
    void onRxChunk(int n) override;
    void onPortError(const PortFailure& failure) override;

public slots:
    // The Setup pane's Read and Sync buttons.
    void readSetup();
    void syncSetup();
    // Enables every command by its rule.
    void updateCommandStates();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct PaneSlot {
        int id;
        QDockWidget* dock;
        int width;  // its initial width, then its width when last closed by a pane command
    };

    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createPanes();
    void bindAccelerators();
    void onConnect();
    void onDownload();
    void onDelete();
    void onFileOpen();
    void onFileSaveAs();
    void openRecentFile(int id, const QString& path);
    QString logFilesFolder();
    void rebuildRecentFiles();
    void createPaneContent(PaneSlot& slot);
    void resetDataList();
    void updateWindowTitle();
    void saveLayout();
    std::string settingsDir() const;

    AppData& data_;
    MainFrameOptions options_;
    SystemClock clock_;
    QtTimerHost timers_;
    CSerialPort port_;
    ProtocolEngine engine_;
    CLoggerDoc doc_;
    CLoggerView* view_ = nullptr;
    CCommProgressDlg* progress_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* recentAnchor_ = nullptr;  // where the recent files go in the File menu
    QList<QAction*> recentActions_;
    QLabel* messagePane_ = nullptr;
    std::map<int, QAction*> actions_;
    std::array<PaneSlot, 4> panes_{};
    CDatePickerDlg* queryPane_ = nullptr;
    CDataListPane* dataListPane_ = nullptr;
    CFileListPane* fileListPane_ = nullptr;
    CPropertiesPane* setupPane_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    bool writeSettings_ = true;
};
