#include "app/widgets/CMainFrame.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <algorithm>
#include <array>

#include "app/widgets/ArchiveStatus.h"
#include "app/widgets/CommandTable.h"
#include "app/widgets/LanguageMenu.h"
#include "app/widgets/PaneManager.h"
#include "app/widgets/PaneTable.h"
#include "app/widgets/Profile.h"
#include "logdata/LimitsBook.h"
#include "logdata/LogFile.h"
#include "logdata/SettingsFile.h"
#include "record/AppData.h"
#include "ui/widgets/ResourceImages.h"
#include "ui/widgets/WindowTexts.h"
#include "views/widgets/CLoggerView.h"

namespace {

constexpr const char* kRealtimeCloseText = QT_TRANSLATE_NOOP(
    "Dravin", "Dravin is reading date in realtiem mode, please stop it, then exit the program.");
constexpr const char* kReadyText = QT_TRANSLATE_NOOP("Dravin", "Ready");
constexpr const char* kUntitled = QT_TRANSLATE_NOOP("Dravin", "Untitled");

constexpr int kLastPaneId = 131;

struct StatusPaneSpec {
    int id;
    int width;  // 0: stretches
    const char* text;
    bool icon;  // shows icon 190 instead
};

// Panes 1 to 7 of the status bar; pane 0 is the message pane.
constexpr StatusPaneSpec kStatusPanes[] = {
    {139, 16, "", true},
    {136, 130, " 0000-00-00 00:00:00", false},
    {137, 70, " --", false},
    {138, 70, " --", false},
    {145, 70, " --", false},
    {157, 70, "--", false},
    {kLastPaneId, 0, "ZERIN ELECTRIC CO., LTD.", false},
};
// The panes of the cursor read-out: the time, then one per channel.
constexpr int kTimePaneId = 136;
constexpr std::array<int, kChannels> kValuePaneIds = {137, 138, 145, 157};

bool isReadoutPane(int id) {
    return id == kTimePaneId ||
           std::find(kValuePaneIds.begin(), kValuePaneIds.end(), id) != kValuePaneIds.end();
}

constexpr int kMessagePaneWidth = 60;
constexpr int kNoPane = 0;  // shown alone, it closes every pane
constexpr int kStatusIconSize = 16;

constexpr int kToolbarIconSize = 32;

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CMainFrame::CMainFrame(AppData& data, MainFrameOptions options, QWidget* parent)
    : QMainWindow(parent),
      data_(data),
      options_(std::move(options)),
      timers_(this,
              [this](int id) {
                  engine_.onTimer(id);
                  updateCommandStates();
              }),
      port_(options_.deviceDir),
      ui_(*this, data_),
      engine_(data_, timers_, port_, ui_, clock_),
      doc_(data_, ui_) {
    setWindowIcon(resourceIcon(kAppIcon));
    setAcceptDrops(true);
    {
        const Profile profile;
        data_.display.fahrenheit = profile.fahrenheit();
        data_.display.activationEnergy = profile.activationEnergy();
    }
    view_ = new CLoggerView(data_, ui_, this);
    // Made smaller, the chart's texts would run into each other; the frame
    // takes its least size from the view's.
    view_->setMinimumSize(view_->smallestReadableSize());
    setCentralWidget(view_);
    connect(view_, &CLoggerView::readoutChanged, this, &CMainFrame::showCursorReadout);
    connect(view_, &CLoggerView::readoutCleared, this, &CMainFrame::clearCursorReadout);
    createActions();
    actions_.at(ID_FAHRENHEIT)->setCheckable(true);
    actions_.at(ID_FAHRENHEIT)->setChecked(data_.display.fahrenheit);
    createMenus();
    createToolBar();
    bindAccelerators();
    createStatusBar();
    panes_ = std::make_unique<PaneManager>(*this, *this, paneTable(), kPaneFileList);
    ui_.createProgressWindow();
    ui_.setBusyCancel([this] {
        engine_.cancelDownload();
        updateCommandStates();
    });

    connect(&doc_, &CLoggerDoc::titleChanged, this, &CMainFrame::updateWindowTitle);
    connect(&doc_, &CLoggerDoc::recentFilesChanged, this, &CMainFrame::rebuildRecentFiles);
    // The rules are asked whenever the event loop wakes or goes idle, so any
    // change of the link or the store shows at once.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        connect(dispatcher, &QAbstractEventDispatcher::awake, this,
                &CMainFrame::updateCommandStates);
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                &CMainFrame::updateCommandStates);
    }
    // The start-up document shows the File List alone; every later new
    // document shows the Data List, empty.
    doc_.newDocument();
    connect(&doc_, &CLoggerDoc::newDocumentStarted, this, &CMainFrame::resetDataList);
    rebuildRecentFiles();
    data_.events.subscribe(follower_);
    followLog();
    updateCommandStates();
}

CMainFrame::~CMainFrame() {
    data_.events.unsubscribe(follower_);
    if (writeSettings_) writeSettingsFile(settingsDir(), data_.settings);
}

QPrinter& CMainFrame::printer() {
    // Made when first asked for: looking up the system's printers takes time.
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

std::string CMainFrame::settingsDir() const {
    return options_.programDir.empty() ? dataDir() : options_.programDir;
}

// ---- construction -------------------------------------------------------

void CMainFrame::createActions() {
    for (const CommandSpec& command : commandTable()) {
        if (command.id == ID_FILE_MRU_FIRST) continue;
        QString caption = command.caption ? windowText(command.caption) : shortNameText(command);
        auto* action = new QAction(this);
        action->setData(command.id);
        action->setText(caption);
        action->setIconText(shortNameText(command));
        action->setToolTip(shortNameText(command));
        action->setStatusTip(statusPromptText(command));
        if (command.icon) action->setIcon(pictureIcon(command.icon));
        connect(action, &QAction::triggered, this, [this, id = command.id] { onCommand(id); });
        actions_[command.id] = action;
    }
}

void CMainFrame::createMenus() {
    menuBar()->setObjectName("Menu Bar");
    for (const MenuSpec& spec : menuTable()) {
        QMenu* menu = menuBar()->addMenu(windowText(spec.caption));
        for (int id : spec.items) {
            if (id == kSeparator) {
                menu->addSeparator();
            } else if (id == ID_FILE_MRU_FIRST) {
                fileMenu_ = menu;
                const CommandSpec* recent = findCommand(ID_FILE_MRU_FIRST);
                recentAnchor_ = menu->addAction(windowText(recent->caption));
                recentAnchor_->setData(ID_FILE_MRU_FIRST);
                recentAnchor_->setStatusTip(windowText(recent->resource));
                recentAnchor_->setEnabled(false);
            } else {
                menu->addAction(actions_.at(id));
            }
        }
        if (std::ranges::find(spec.items, ID_FAHRENHEIT) != spec.items.end()) {
            addLanguageMenu(*menu, ui_);
        }
    }
}

void CMainFrame::createToolBar() {
    toolBar_ = addToolBar(tr("Standard"));
    toolBar_->setObjectName("Standard");
    toolBar_->setIconSize(QSize(kToolbarIconSize, kToolbarIconSize));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    std::map<int, QAction*> byPosition;
    for (const CommandSpec& command : commandTable()) {
        if (command.toolbarPosition > 0)
            byPosition[command.toolbarPosition] = actions_.at(command.id);
    }
    std::span<const int> separators = toolbarSeparators();
    for (const auto& [position, action] : byPosition) {
        toolBar_->addAction(action);
        if (std::find(separators.begin(), separators.end(), position) != separators.end()) {
            toolBar_->addSeparator();
        }
    }
}

void CMainFrame::bindAccelerators() {
    for (const AcceleratorSpec& accelerator : acceleratorTable()) {
        auto found = actions_.find(accelerator.id);
        QAction* action = nullptr;
        if (found != actions_.end()) {
            action = found->second;
        } else {
            // A key of its own: its rule applies as to any other command.
            action = new QAction(this);
            action->setData(accelerator.id);
            connect(action, &QAction::triggered, this,
                    [this, id = accelerator.id] { onCommand(id); });
            addAction(action);
            actions_[accelerator.id] = action;
        }
        action->setShortcut(QKeySequence(accelerator.keys));
    }
}

// Each pane repaints at once, so the read-out keeps up with the pointer.
void CMainFrame::showCursorReadout(const QString& time, const QStringList& values) {
    setStatusPane(kTimePaneId, time);
    for (int c = 0; c < values.size() && c < kChannels; ++c) {
        setStatusPane(kValuePaneIds[static_cast<std::size_t>(c)], values[c]);
    }
}

void CMainFrame::clearCursorReadout() {
    for (const StatusPaneSpec& spec : kStatusPanes) {
        if (isReadoutPane(spec.id)) setStatusPane(spec.id, spec.text);
    }
}

void CMainFrame::setStatusPane(int id, const QString& text) {
    if (auto* pane = statusBar()->findChild<QLabel*>(QString("pane%1").arg(id))) {
        pane->setText(text);
        pane->repaint();
    }
}

void CMainFrame::createStatusBar() {
    QStatusBar* bar = statusBar();
    messagePane_ = new QLabel(windowText(kReadyText), bar);
    messagePane_->setObjectName("pane0");
    // A fixed width, so that a long message cannot push the other panes; wide
    // enough for every command prompt and the first step in this font.
    int width = std::max(kMessagePaneWidth, messagePane_->sizeHint().width());
    QStringList texts{firstStepText()};
    for (const CommandSpec& command : commandTable()) texts << statusPromptText(command);
    for (const QString& text : texts) {
        messagePane_->setText(text);
        width = std::max(width, messagePane_->sizeHint().width());
    }
    messagePane_->setFixedWidth(width);
    setMessagePane(idleMessage(), true);
    bar->addWidget(messagePane_);
    for (const StatusPaneSpec& spec : kStatusPanes) {
        const bool replaced = spec.id == kLastPaneId && !options_.lastPaneText.empty();
        auto* pane = new QLabel(replaced ? fromUtf8(options_.lastPaneText) : spec.text, bar);
        pane->setObjectName(QString("pane%1").arg(spec.id));
        pane->setAlignment(Qt::AlignCenter);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (spec.icon) {
            pane->setPixmap(resourcePixmap(kStatusIcon, QSize(kStatusIconSize, kStatusIconSize)));
        }
        // Never narrower than its content in this font.
        if (spec.width > 0) pane->setFixedWidth(std::max(spec.width, pane->sizeHint().width()));
        bar->addWidget(pane, spec.width > 0 ? 0 : 1);
    }
    if (options_.archive) new ArchiveStatus(*this, data_, *options_.archive);
}

// A newcomer facing an empty window learns what to do first.
QString CMainFrame::firstStepText() const {
    return options_.demoLogger ? tr("Demo logger ready: Connect, then Download")
                               : tr("Connect a logger, or open a log");
}

QString CMainFrame::idleMessage() const {
    if (data_.log.store.recordCount > 0 || data_.link.connected) return windowText(kReadyText);
    return firstStepText();
}

void CMainFrame::showInMessagePane(const QString& text) {
    setMessagePane(text, false);
}

// What does not fit ends in an ellipsis; the whole text is the tooltip.
void CMainFrame::setMessagePane(const QString& text, bool idle) {
    messageIdle_ = idle;
    messageText_ = text;
    const QString shown = messagePane_->fontMetrics().elidedText(
        text, Qt::ElideRight, messagePane_->contentsRect().width());
    messagePane_->setText(shown);
    messagePane_->setToolTip(shown == text ? QString() : text);
}

// ---- lookups ------------------------------------------------------------

QDockWidget* CMainFrame::pane(int paneId) const {
    return panes_->pane(paneId);
}

QWidget* CMainFrame::paneContent(int paneId) const {
    return panes_->content(paneId);
}

QAction* CMainFrame::commandAction(int id) const {
    auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

// ---- the document -------------------------------------------------------

void CMainFrame::onFileOpen() {
    QFileDialog dialog(this, tr("Open"), logFilesFolder(), windowText(CLoggerDoc::kFileFilter));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        openDocumentFile(dialog.selectedFiles().first());
    }
}

void CMainFrame::onFileSaveAs() {
    QFileDialog dialog(this, tr("Save As"), logFilesFolder(), windowText(CLoggerDoc::kFileFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(CLoggerDoc::kDefaultSuffix);
    dialog.selectFile(QString::fromStdString(doc_.title()).trimmed());
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        doc_.saveAs(dialog.selectedFiles().first().toStdString());
    }
}

// The file dialogs start where the program keeps its logs.
QString CMainFrame::logFilesFolder() {
    ensureProgramDir(data_);
    return QString::fromStdString(logFilesDir(data_));
}

bool CMainFrame::openDocumentFile(const QString& path) {
    if (!commandEnabled(ID_FILE_OPEN)) return false;
    const bool opened = doc_.openDocument(path.toStdString());
    updateCommandStates();
    return opened;
}

void CMainFrame::openRecentFile(int id, const QString& path) {
    if (!commandEnabled(id)) return;
    // A file that no longer opens leaves the list, as it fails.
    if (!doc_.openDocument(path.toStdString())) {
        Profile().removeRecentFile(path);
        rebuildRecentFiles();
    }
    updateCommandStates();
}

void CMainFrame::rebuildRecentFiles() {
    for (QAction* action : recentActions_) {
        fileMenu_->removeAction(action);
        delete action;
    }
    recentActions_.clear();
    QStringList files = Profile().recentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        // An "&" of the path is shown, not taken as the entry's key.
        QString shown = path;
        shown.replace('&', "&&");
        auto* action = new QAction(QString("&%1 %2").arg(i + 1).arg(shown), this);
        const int id = ID_FILE_MRU_FIRST + i;
        action->setData(id);
        action->setStatusTip(recentAnchor_->statusTip());
        action->setEnabled(commandEnabled(id));
        connect(action, &QAction::triggered, this, [this, id, path] { openRecentFile(id, path); });
        fileMenu_->insertAction(recentAnchor_, action);
        recentActions_.append(action);
    }
    recentAnchor_->setVisible(files.isEmpty());
}

// A document without a file is shown as the framework names it.
void CMainFrame::updateWindowTitle() {
    QString title = QString::fromStdString(doc_.title());
    if (title.trimmed().isEmpty()) title = windowText(kUntitled);
    setWindowTitle(title + " - " + kAppTitle);
}

// ---- panes --------------------------------------------------------------

void CMainFrame::showPaneAlone(int paneId) {
    panes_->showAlone(paneId);
}

void CMainFrame::closeAllPanes() {
    panes_->showAlone(kNoPane);
}

void CMainFrame::tellPane(int paneId, PaneMove move) {
    panes_->tell(paneId, move);
}

void CMainFrame::showPaneFilled(int paneId) {
    panes_->showAlone(paneId);
    panes_->tell(paneId, PaneMove::Fill);
}

// ---- limits and units ---------------------------------------------------

void CMainFrame::setFahrenheit(bool fahrenheit) {
    data_.display.fahrenheit = fahrenheit;
    actions_.at(ID_FAHRENHEIT)->setChecked(fahrenheit);
    Profile().setFahrenheit(fahrenheit);
    redrawShownValues();
}

void CMainFrame::offerLoggerLimits() {
    panes_->tell(kPaneLimits, PaneMove::OfferLoggerLimits);
}

void CMainFrame::limitsEdited() {
    if (!limitsGroup_.isEmpty())
        Profile().setLimits(loggerSerial(data_.log.setup), data_.display.limits);
    redrawShownValues();
}

void CMainFrame::activationEnergyEdited() {
    Profile().setActivationEnergy(data_.display.activationEnergy);
}

// Everything that shows values in a unit or against the limits.
void CMainFrame::redrawShownValues() {
    view_->drawChart();
    panes_->tell(kPaneDataList, PaneMove::ShowChoices);
    panes_->tell(kPaneLimits, PaneMove::Fill);
}

// The store changed: loaded, saved, renamed, emptied, downloaded, cut or
// sampled.
void CMainFrame::followLog() {
    // Not every change redraws (realtime start only empties the store): no
    // read-out may stay of a log that is no longer there.
    view_->forgetCursor();
    startQueryAtLog();
    followLoggerLimits();
}

// A log of another logger shows that logger's limits. Limits set while no
// logger was known stay with the first one's log, unless it has its own.
void CMainFrame::followLoggerLimits() {
    const QString group = Profile::limitsGroup(loggerSerial(data_.log.setup));
    if (group != limitsGroup_) {
        Profile profile;
        data_.display.limits = limitsForLog(profile, loggerSerial(data_.log.setup),
                                            !limitsGroup_.isEmpty(), data_.display.limits);
        limitsGroup_ = group;
        redrawShownValues();
        return;
    }
    panes_->tell(kPaneLimits, PaneMove::Fill);
}

// Another log loaded: the query's fields start at its first and last record.
// A zoom, a query or a reset of the same file leaves what the user typed.
void CMainFrame::startQueryAtLog() {
    const LogStore& store = data_.log.store;
    if (store.recordCount == 0) {
        queryLog_.clear();
        return;
    }
    if (data_.link.realtimeActive || store.currentFilePath == queryLog_) return;
    queryLog_ = store.currentFilePath;
    panes_->tell(kPaneQuery, PaneMove::StartAtLog);
}

// A new document shows the data list empty; the pane is made if it never showed.
void CMainFrame::resetDataList() {
    showPaneAlone(kPaneDataList);
    ui_.clearDataList();
}

// ---- the serial port ----------------------------------------------------

void CMainFrame::requestDelivery() {
    QMetaObject::invokeMethod(
        this, [this] { port_.deliverPending(); }, Qt::QueuedConnection);
}

void CMainFrame::onRxChunk(int n) {
    engine_.onReceive(n);
    updateCommandStates();
}

void CMainFrame::onPortError(const PortFailure& failure) {
    engine_.onPortError(describePortFailure(failure));
    updateCommandStates();
}

// ---- window events ------------------------------------------------------

bool CMainFrame::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        if (tip.isEmpty()) {
            setMessagePane(idleMessage(), true);
        } else {
            setMessagePane(tip, false);
        }
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (data_.link.realtimeActive) {
        event->ignore();
        ui_.showMessage(windowText(kRealtimeCloseText).toStdString());
        return;
    }
    saveLayout();
    event->accept();
}

// Saved for the record only: every start shows the layout built above.
void CMainFrame::saveLayout() {
    Profile profile;
    QSettings& settings = profile.settings();
    settings.beginGroup(kCommandBarsKey);
    settings.setValue("StandardArea", static_cast<int>(toolBarArea(toolBar_)));
    settings.setValue("StandardVisible", toolBar_->isVisible());
    QStringList shortcuts;
    for (const AcceleratorSpec& accelerator : acceleratorTable()) {
        shortcuts << QString("%1=%2").arg(accelerator.id).arg(accelerator.keys);
    }
    settings.setValue("Shortcuts", shortcuts);
    settings.endGroup();
    settings.setValue(kNormalLayoutKey, saveState());
    settings.sync();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!commandEnabled(ID_FILE_OPEN)) return;
    const QMimeData* mime = event->mimeData();
    if (mime->hasUrls() && !mime->urls().isEmpty() && mime->urls().first().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) return;
    if (!commandEnabled(ID_FILE_OPEN)) return;
    event->acceptProposedAction();
    activateWindow();
    openDocumentFile(urls.first().toLocalFile());
}
