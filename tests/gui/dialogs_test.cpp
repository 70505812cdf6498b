#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/widgets/CAboutDlg.h"
#include "app/widgets/CCommProgressDlg.h"
#include "app/widgets/CFrameUi.h"
#include "app/widgets/CMainFrame.h"
#include "app/widgets/CMsgDlg.h"
#include "app/widgets/CommandTable.h"
#include "gui/support/FrameWithLog.h"
#include "gui/support/ModalAnswerer.h"
#include "gui/support/UserInput.h"
#include "link/SerialDevices.h"
#include "link/widgets/CDSLCom.h"
#include "link/widgets/CDeleModeDlg.h"
#include "link/widgets/CDownModeDlg.h"
#include "support/LogPackages.h"
#include "support/LoggerReplies.h"
#include "ui/widgets/ResourceImages.h"

namespace {

QPushButton* button(const QWidget& dialog, const char* name) {
    return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
}

// ---- message dialog and busy box ----

struct CloseWay {
    const char* name;
    std::function<void(CMsgDlg&)> act;
    int result;
};

void PrintTo(const CloseWay& way, std::ostream* os) {
    *os << way.name;
}

class BusyBoxClosing : public ::testing::TestWithParam<CloseWay> {};

TEST_P(BusyBoxClosing, IsRefusedUntilTheOperationIsOver) {
    CMsgDlg box;
    box.SetMessage("Downloading data, please wait...");
    box.setButtonsEnabled(false);
    box.show();

    GetParam().act(box);
    EXPECT_TRUE(box.isVisible());
    EXPECT_FALSE(button(box, "button1")->isEnabled());
    EXPECT_FALSE(button(box, "button2")->isEnabled());

    box.busyUpdate("\r\nSuccess.", true);
    GetParam().act(box);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, BusyBoxClosing,
    ::testing::Values(
        CloseWay{"Escape", [](CMsgDlg& d) { QTest::keyClick(&d, Qt::Key_Escape); },
                 QDialog::Rejected},
        CloseWay{"CloseBox", [](CMsgDlg& d) { d.close(); }, QDialog::Rejected},
        CloseWay{"Ok", [](CMsgDlg& d) { QTest::mouseClick(button(d, "button1"), Qt::LeftButton); },
                 QDialog::Accepted},
        CloseWay{"Exit",
                 [](CMsgDlg& d) { QTest::mouseClick(button(d, "button2"), Qt::LeftButton); },
                 QDialog::Rejected}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BusyBox, ProgressThenEndShowsTheLastTextAndEnablesBothButtons) {
    CMsgDlg box;
    box.SetMessage("Downloading data, please wait...");
    box.setButtonsEnabled(false);
    box.show();

    box.busyUpdate("\r\nDownloading 1 pacakges, total 3 pacakges...", false);
    EXPECT_EQ(box.text(), QString::fromUtf8("\r\nDownloading 1 pacakges, total 3 pacakges..."));
    EXPECT_FALSE(box.buttonsEnabled());
    EXPECT_FALSE(button(box, "button1")->isEnabled());

    box.busyUpdate("\r\nSuccess.", true);
    EXPECT_EQ(box.text(), QString::fromUtf8("\r\nSuccess."));
    EXPECT_TRUE(box.buttonsEnabled());
    EXPECT_TRUE(button(box, "button1")->isEnabled());
    EXPECT_TRUE(button(box, "button2")->isEnabled());
}

TEST(BusyBox, UpdatesStillReachItAfterAMessageDialogCameAndWent) {
    EXPECT_EQ(CMsgDlg::busyWindow(), nullptr);
    CMsgDlg box;
    box.setButtonsEnabled(false);
    box.show();
    EXPECT_EQ(CMsgDlg::busyWindow(), &box);

    {
        CMsgDlg message;
        message.SetMessage("Connect failed: COM3 can not be opened.");
        message.show();
        EXPECT_EQ(CMsgDlg::busyWindow(), &box);
        message.accept();
    }
    EXPECT_EQ(CMsgDlg::busyWindow(), &box);

    ASSERT_NE(CMsgDlg::busyWindow(), nullptr);
    CMsgDlg::busyWindow()->busyUpdate("\r\nNo logs.", true);
    EXPECT_EQ(box.text(), QString::fromUtf8("\r\nNo logs."));
    box.accept();
    EXPECT_EQ(CMsgDlg::busyWindow(), nullptr);
}

TEST(BusyBox, ModalRunEndsOnlyAfterTheEndUpdate) {
    CMsgDlg box;
    box.SetMessage("Downloading data, please wait...");
    box.setButtonsEnabled(false);
    bool stillOpenAfterEscape = false;
    QTimer::singleShot(0, &box, [&box, &stillOpenAfterEscape] {
        QTest::keyClick(&box, Qt::Key_Escape);
        stillOpenAfterEscape = box.isVisible();
        if (CMsgDlg* busy = CMsgDlg::busyWindow()) busy->busyUpdate("\r\nSuccess.", true);
        button(box, "button1")->click();
    });
    EXPECT_EQ(box.exec(), QDialog::Accepted);
    EXPECT_TRUE(stillOpenAfterEscape);
}

TEST(MessageDialog, OkAcceptsAndExitRejects) {
    for (const auto& [name, result] : {std::pair{"button1", int{QDialog::Accepted}},
                                       std::pair{"button2", int{QDialog::Rejected}}}) {
        CMsgDlg dialog;
        dialog.SetMessage("Sync to the logger?");
        QTimer::singleShot(0, &dialog, [&dialog, name = name] { button(dialog, name)->click(); });
        EXPECT_EQ(dialog.exec(), result) << name;
    }
}

TEST(MessageDialog, ShowsCarriageReturnLineFeedAsALineBreakAndKeepsUtf8) {
    CMsgDlg dialog;
    dialog.SetMessage("\r\nSuccess.\r\n数据");
    const auto* edit = dialog.findChild<QPlainTextEdit*>(QStringLiteral("edit1001"));
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_EQ(edit->toPlainText(), QString::fromUtf8("\nSuccess.\n数据"));
    EXPECT_EQ(dialog.text(), QString::fromUtf8("\r\nSuccess.\r\n数据"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Messages"));
}

TEST(MessageDialog, LongTextScrollsVertically) {
    std::string text;
    for (int line = 0; line < 60; ++line) text += "Line " + std::to_string(line) + "\r\n";
    CMsgDlg dialog;
    dialog.SetMessage(text);
    dialog.show();
    QCoreApplication::processEvents();
    const auto* edit = dialog.findChild<QPlainTextEdit*>(QStringLiteral("edit1001"));
    EXPECT_GT(edit->verticalScrollBar()->maximum(), 0);
}

TEST(MessageDialog, GrowsToShowItsTextWithoutScrolling) {
    CMsgDlg dialog;
    const QSize opened = dialog.size();
    dialog.SetMessage(
        "Did not find any devices connected to a USB port. \r\nPlease check all the connections "
        "and cables, and try again. \r\nIf a logger is connected, you may have to restart "
        "Corvane software or your computer for the device to be recognized.");
    dialog.show();
    QCoreApplication::processEvents();
    const auto* edit = dialog.findChild<QPlainTextEdit*>(QStringLiteral("edit1001"));
    EXPECT_EQ(edit->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(dialog.width(), opened.width());
    EXPECT_GE(dialog.height(), opened.height());

    // A short text keeps the dialog at its own size.
    CMsgDlg small;
    small.SetMessage("\r\nSuccess.");
    small.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(small.size(), opened);
}

TEST(MessageDialog, ABusyBoxGrowsForALongerText) {
    CMsgDlg box;
    box.SetMessage("Downloading data, please wait...");
    box.setButtonsEnabled(false);
    box.show();
    QCoreApplication::processEvents();
    std::string text = "\r\nSuccess.";
    for (int i = 0; i < 6; ++i) text += "\r\nRecords lost in package " + std::to_string(i) + ".";
    box.busyUpdate(text, true);
    QCoreApplication::processEvents();
    const auto* edit = box.findChild<QPlainTextEdit*>(QStringLiteral("edit1001"));
    EXPECT_EQ(edit->verticalScrollBar()->maximum(), 0);
}

// ---- the frame's busy box and status bar during logger operations ----

class FrameOperations : public FrameWithLogTest {
protected:
    // Where the program keeps its logs, as at start-up.
    void SetUp() override {
        FrameWithLogTest::SetUp();
        makeLogFilesDir(data());
        // The logs are named after the logger.
        std::copy(kSerial.begin(), kSerial.end(), data().log.setup.serialNo);
    }
    CFrameUi& ui() { return dynamic_cast<CFrameUi&>(frame().frameUi()); }
    void receive(const Bytes& chunk) { frame().onRxChunk(intoRxBuffer(data().link, chunk)); }
    QString messagePane() {
        return frame().statusBar()->findChild<QLabel*>(QStringLiteral("pane0"))->text();
    }
    std::chrono::steady_clock::time_point now_;  // the realtime status's clock

    // A realtime reply: status byte, channel 1 as int32, 2..4 as int16.
    static Bytes sample() {
        Bytes payload{0x00};
        putLe(payload, 235, 4);
        for (int c = 0; c < 3; ++c) putLe(payload, 500, 2);
        return loggerReply(REPLY_REALTIME, payload);
    }
};

struct BarState {
    bool shown = false;
    int value = -1;
    int maximum = -1;
};

BarState barOf(const CMsgDlg& box) {
    const auto* bar = box.findChild<QProgressBar*>(QStringLiteral("progress1"));
    if (bar == nullptr) return {};
    return {bar->isVisible(), bar->value(), bar->maximum()};
}

TEST_F(FrameOperations, TheDownloadBusyBoxCountsThePackagesOnItsBar) {
    ModalAnswerer answerer;
    BarState atOpen, afterTwo;
    QString textAfterTwo;
    QTimer::singleShot(0, &frame(), [&] {
        CMsgDlg* box = CMsgDlg::busyWindow();
        if (box == nullptr) return;  // the answerer's watchdog ends the test
        atOpen = barOf(*box);
        receive(autoPackage(5, 1, 0, 5));
        receive(autoPackage(5, 2, 5, 5));
        afterTwo = barOf(*box);
        textAfterTwo = box->text();
        Bytes rest;
        for (uint16_t p = 3; p <= 5; ++p) {
            const Bytes one = autoPackage(5, p, (p - 1) * 5, 5);
            rest.insert(rest.end(), one.begin(), one.end());
        }
        receive(rest);
    });
    // Returns when the answerer has closed the busy box.
    frame().engine().startAutoDownload();

    EXPECT_FALSE(answerer.watchdogFired);
    EXPECT_FALSE(atOpen.shown);
    EXPECT_TRUE(afterTwo.shown);
    EXPECT_EQ(afterTwo.value, 2);
    EXPECT_EQ(afterTwo.maximum, 5);
    EXPECT_EQ(textAfterTwo, QStringLiteral("\r\nDownloading 2 pacakges, total 5 pacakges..."));
    EXPECT_THAT(answerer.busyTexts, ::testing::ElementsAre("\r\nSuccess."));
    EXPECT_EQ(data().log.store.recordCount, 25u);
}

TEST(BusyBox, TheBarShowsOnlyWithATotalAndStopsAtItsEnd) {
    CMsgDlg box;
    box.setButtonsEnabled(false);
    box.show();
    EXPECT_FALSE(barOf(box).shown);

    struct Case {
        int done, total;
        bool shown;
        int value, maximum;
    } cases[] = {{0, 3, true, 0, 3}, {3, 3, true, 3, 3}, {7, 3, true, 3, 3}, {1, 0, false, 3, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.done << " of " << c.total);
        box.setProgress(c.done, c.total);
        const BarState bar = barOf(box);
        EXPECT_EQ(bar.shown, c.shown);
        EXPECT_EQ(bar.value, c.value);
        EXPECT_EQ(bar.maximum, c.maximum);
    }
    box.busyUpdate("\r\nSuccess.", true);
}

bool cancelShown(const CMsgDlg& box) {
    const QPushButton* cancel = button(box, "buttonCancel");
    return cancel != nullptr && cancel->isVisible() && cancel->isEnabled();
}

TEST(BusyBox, OffersCancelOnlyWhileBusyAndOnlyWhenAsked) {
    CMsgDlg message;
    message.SetMessage("Sync to the logger?");
    message.show();
    EXPECT_FALSE(cancelShown(message));

    CMsgDlg plainBusy;
    plainBusy.setButtonsEnabled(false);
    plainBusy.show();
    EXPECT_FALSE(cancelShown(plainBusy));
    plainBusy.busyUpdate("\r\nSuccess.", true);

    CMsgDlg box;
    box.setButtonsEnabled(false);
    box.offerCancel();
    box.show();
    int requests = 0;
    QObject::connect(&box, &CMsgDlg::cancelRequested, [&] { ++requests; });
    ASSERT_TRUE(cancelShown(box));
    button(box, "buttonCancel")->click();
    EXPECT_EQ(requests, 1);
    // The click only asks: the box stays busy until the operation is over.
    EXPECT_TRUE(box.isVisible());
    EXPECT_FALSE(box.buttonsEnabled());

    box.busyUpdate("\r\nThe download was cut short by the user.", true);
    EXPECT_FALSE(cancelShown(box));
    EXPECT_TRUE(button(box, "button1")->isEnabled());
    EXPECT_TRUE(button(box, "button2")->isEnabled());
}

// Its buttons stay under the pointer: neither the bar's coming nor the
// Cancel's going moves them.
TEST(BusyBox, KeepsOneSizeWhenItsBarAppearsAndTheDownloadEnds) {
    CMsgDlg box;
    box.SetMessage("Downloading data, please wait...");
    box.setButtonsEnabled(false);
    box.offerCancel();
    box.show();
    QCoreApplication::processEvents();
    const QSize opened = box.size();
    const QPoint ok = button(box, "button1")->mapTo(&box, QPoint(0, 0));

    box.busyUpdate("\r\nDownloading 1 pacakges, total 25 pacakges...", false);
    box.setProgress(1, 25);
    QCoreApplication::processEvents();
    EXPECT_TRUE(barOf(box).shown);
    EXPECT_EQ(box.size(), opened);
    EXPECT_EQ(button(box, "button1")->mapTo(&box, QPoint(0, 0)).y(), ok.y());

    box.setProgress(25, 25);
    box.busyUpdate("\r\nSuccess.", true);
    QCoreApplication::processEvents();
    EXPECT_EQ(box.size(), opened);
    EXPECT_EQ(button(box, "button1")->mapTo(&box, QPoint(0, 0)).y(), ok.y());
}

// The frame's busy box cancels the download it shows.
TEST_F(FrameOperations, TheBusyBoxsCancelCutsTheDownloadShort) {
    ModalAnswerer answerer;
    bool offered = false;
    bool progressOverTheBox = true;
    QTimer::singleShot(0, &frame(), [&] {
        CMsgDlg* box = CMsgDlg::busyWindow();
        if (box == nullptr) return;  // the answerer's watchdog ends the test
        receive(autoPackage(3, 1, 0, 5));
        offered = cancelShown(*box);
        if (offered) button(*box, "buttonCancel")->click();
        progressOverTheBox = frame().progressWindow()->isVisible();
    });
    // Returns when the answerer has closed the busy box.
    frame().engine().startAutoDownload();

    EXPECT_FALSE(answerer.watchdogFired);
    EXPECT_TRUE(offered);
    EXPECT_THAT(answerer.busyTexts,
                ::testing::ElementsAre("\r\nThe download was cut short by the user."));
    EXPECT_EQ(data().log.store.recordCount, 5u);
    EXPECT_FALSE(frame().engine().downloadActive());
    EXPECT_TRUE(data().link.discarding);
    // The wait for a quiet line shows once the box is gone, not over its buttons.
    EXPECT_FALSE(progressOverTheBox);
    EXPECT_TRUE(frame().progressWindow()->isVisible());
    EXPECT_EQ(frame().progressWindow()->text(), QStringLiteral("The logger is still sending..."));
    // The rest is dropped until the line is quiet.
    receive(autoPackage(3, 2, 5, 5));
    EXPECT_EQ(data().log.store.recordCount, 5u);
    EXPECT_TRUE(frame().timerRunning(kTimerDownloadStall));
    frame().engine().onTimer(kTimerDownloadStall);
    EXPECT_FALSE(data().link.discarding);
    EXPECT_FALSE(frame().progressWindow()->isVisible());
    EXPECT_TRUE(answerer.messages.empty());
}

TEST_F(FrameOperations, RealtimeCountsSamplesAndTimeInTheMessagePane) {
    using std::chrono::seconds;
    const auto t0 = std::chrono::steady_clock::time_point{} + std::chrono::hours(5);
    // A member, not a local: the frame keeps the clock until TearDown.
    now_ = t0;
    ui().setClock([this] { return now_; });
    data().log.store.channelCount = 4;
    ModalAnswerer answerer;

    frame().engine().startRealtime();
    ASSERT_TRUE(data().link.realtimeActive);
    for (int i = 1; i <= 125; ++i) {
        now_ = t0 + seconds(i);
        receive(sample());
    }
    EXPECT_EQ(messagePane(), QStringLiteral("125 samples, 0:02:05"));
    EXPECT_EQ(data().log.store.recordCount, 125u);

    // Stopped, the pane is the frame's again; the next run counts from nothing.
    frame().engine().stopRealtime();
    EXPECT_EQ(messagePane(), QStringLiteral("Ready"));
    now_ = t0 + std::chrono::hours(1);
    frame().engine().startRealtime();
    now_ += seconds(3);
    receive(sample());
    EXPECT_EQ(messagePane(), QStringLiteral("1 sample, 0:00:03"));
    frame().engine().stopRealtime();
    EXPECT_TRUE(answerer.messages.empty());
}

TEST(RealtimeStatus, TextCountsSamplesAndHoursMinutesSeconds) {
    using std::chrono::seconds;
    const struct {
        int samples;
        seconds elapsed;
        const char* text;
    } cases[] = {
        {1, seconds(0), "1 sample, 0:00:00"},
        {125, seconds(125), "125 samples, 0:02:05"},
        {3600, seconds(3599), "3600 samples, 0:59:59"},
        {90000, seconds(90061), "90000 samples, 25:01:01"},
    };
    for (const auto& c : cases) EXPECT_EQ(realtimeStatusText(c.samples, c.elapsed), c.text);
}

// ---- progress window ----

TEST(ProgressWindow, BarStepsThroughOddPositionsAndWrapsToOne) {
    CCommProgressDlg progress;
    const auto* bar = progress.findChild<QProgressBar*>(QStringLiteral("progress1006"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 32);
    EXPECT_EQ(progress.position(), 1);
    EXPECT_EQ(bar->value(), 1);

    const int expected[] = {3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31, 1, 3};
    for (int position : expected) {
        progress.step();
        EXPECT_EQ(progress.position(), position);
        EXPECT_EQ(bar->value(), position);
    }
}

TEST(ProgressWindow, KeepsMovingWhileHiddenAndGoesOnFromThereWhenShownAgain) {
    QWidget frame;
    frame.setGeometry(100, 100, 600, 400);
    CCommProgressDlg progress(&frame);
    const auto* timer = progress.findChild<QTimer*>();
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), CCommProgressDlg::kStepPeriodMs);

    progress.showWithText("Connect to the logger...");
    EXPECT_TRUE(progress.isVisible());
    progress.step();
    progress.hide();
    EXPECT_TRUE(timer->isActive());
    progress.step();
    progress.step();
    EXPECT_EQ(progress.position(), 7);

    progress.showWithText("Samping in realtime...");
    EXPECT_EQ(progress.position(), 7);
    EXPECT_EQ(progress.text(), QStringLiteral("Samping in realtime..."));
    const auto* edit = progress.findChild<QLineEdit*>(QStringLiteral("edit1005"));
    EXPECT_EQ(edit->text(), QStringLiteral("Samping in realtime..."));
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_EQ(edit->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
}

TEST(ProgressWindow, TakesNoInputAndHasNoCaption) {
    CCommProgressDlg progress;
    EXPECT_TRUE(progress.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(progress.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(progress.testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(progress.windowTitle(), QStringLiteral("COMM"));
}

// ---- About box ----

TEST(AboutBox, ShowsNameVersionAndMaker) {
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Dravin"));
    QStringList lines;
    for (const QLabel* label : about.findChildren<QLabel*>()) lines << label->text();
    EXPECT_TRUE(lines.contains(QStringLiteral("Dravin for KM3xx/5xx Data Loggers. Ver 1.21 B923")));
    EXPECT_TRUE(lines.contains(QStringLiteral("ZERIN ELECTRONIC CO., LTD.")));
    QTimer::singleShot(0, &about, [&about] { button(about, "button1")->click(); });
    EXPECT_EQ(about.exec(), QDialog::Accepted);
}

// ---- COM Setup ----

class ComSetup : public ::testing::Test {
protected:
    QComboBox* portList(const CDSLCom& dialog) {
        return dialog.findChild<QComboBox*>(QStringLiteral("combo1002"));
    }
    QComboBox* baudList(const CDSLCom& dialog) {
        return dialog.findChild<QComboBox*>(QStringLiteral("combo1003"));
    }
    QString deviceHint(const CDSLCom& dialog) {
        return dialog.findChild<QLabel*>(QStringLiteral("devicePath"))->text();
    }
    QString devicePath(const char* name) const {
        return deviceDir.filePath(QString::fromLatin1(name));
    }
    void addDevice(const char* name) { std::ofstream(devicePath(name).toStdString()); }
    std::unique_ptr<CDSLCom> makeDialog() {
        auto dialog = std::make_unique<CDSLCom>(settings, deviceDir.path().toStdString());
        dialog->messageBox = [this](const QString& text) { messages << text; };
        return dialog;
    }
    QStringList entries(const CDSLCom& dialog) {
        QStringList texts;
        for (int i = 0; i < portList(dialog)->count(); ++i) texts << portList(dialog)->itemText(i);
        return texts;
    }

    QTemporaryDir deviceDir;
    AppSettings settings{3, 38400, 10};
    QStringList messages;
};

TEST_F(ComSetup, ListsNinePortsAndThreeRates) {
    auto dialog = makeDialog();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("COM Setup"));
    QStringList nine;
    for (int com = 1; com <= 9; ++com) nine << QStringLiteral("COM%1").arg(com);
    EXPECT_EQ(entries(*dialog), nine);
    // No adapter is there, so no entry names a device.
    for (int i = 0; i < 9; ++i) {
        EXPECT_TRUE(portList(*dialog)->itemData(i, Qt::ToolTipRole).toString().isEmpty()) << i;
    }
    ASSERT_EQ(baudList(*dialog)->count(), 3);
    EXPECT_EQ(baudList(*dialog)->itemText(0), QStringLiteral("9600"));
    EXPECT_EQ(baudList(*dialog)->itemText(1), QStringLiteral("19200"));
    EXPECT_EQ(baudList(*dialog)->itemText(2), QStringLiteral("38400"));
}

TEST_F(ComSetup, EveryAdapterPresentHasAnEntryNamingItsDevice) {
    addDevice("ttyUSB2");   // COM3
    addDevice("ttyUSB11");  // COM12
    addDevice("ttyACM0");   // COM17
    auto dialog = makeDialog();
    QStringList expected;
    for (int com = 1; com <= 9; ++com) expected << QStringLiteral("COM%1").arg(com);
    expected << QStringLiteral("COM12") << QStringLiteral("COM17");
    EXPECT_EQ(entries(*dialog), expected);
    const std::pair<const char*, const char*> named[] = {
        {"COM3", "ttyUSB2"}, {"COM12", "ttyUSB11"}, {"COM17", "ttyACM0"}, {"COM4", nullptr}};
    for (const auto& [entry, device] : named) {
        const int row = portList(*dialog)->findText(QString::fromLatin1(entry));
        EXPECT_EQ(portList(*dialog)->itemData(row, Qt::ToolTipRole).toString(),
                  device ? devicePath(device) : QString())
            << entry;
    }

    // Picking one sets its number, whatever its place in the list.
    pickEntry(portList(*dialog), QStringLiteral("COM17"));
    EXPECT_EQ(settings.comPort, 17);
    EXPECT_EQ(deviceHint(*dialog), devicePath("ttyACM0"));
    pickEntry(portList(*dialog), QStringLiteral("COM12"));
    EXPECT_EQ(settings.comPort, 12);
}

struct InitialChoice {
    int comPort;
    int baudRate;
    const char* device;     // the adapter present, or nullptr
    const char* shownPort;  // the entry shown; "" for none
    int baudIndex;
};

void PrintTo(const InitialChoice& choice, std::ostream* os) {
    *os << "COM" << choice.comPort << " " << choice.baudRate << " "
        << (choice.device ? choice.device : "-");
}

class ComSetupInitial : public ComSetup, public ::testing::WithParamInterface<InitialChoice> {};

TEST_P(ComSetupInitial, SelectsTheSavedChoiceWithoutChangingIt) {
    const InitialChoice& c = GetParam();
    if (c.device) addDevice(c.device);
    settings.comPort = c.comPort;
    settings.baudRate = c.baudRate;
    auto dialog = makeDialog();
    EXPECT_EQ(portList(*dialog)->currentText(), QString::fromLatin1(c.shownPort));
    EXPECT_EQ(baudList(*dialog)->currentIndex(), c.baudIndex);
    EXPECT_EQ(settings.comPort, c.comPort);
    EXPECT_EQ(settings.baudRate, c.baudRate);
    // The device beside the list is the one OK would connect to, and only
    // when it is there.
    EXPECT_EQ(deviceHint(*dialog), c.device ? devicePath(c.device) : QString());
}

INSTANTIATE_TEST_SUITE_P(Cases, ComSetupInitial,
                         ::testing::Values(InitialChoice{1, 9600, nullptr, "COM1", 0},
                                           InitialChoice{9, 19200, "ttyUSB8", "COM9", 1},
                                           InitialChoice{3, 38400, "ttyUSB2", "COM3", 2},
                                           InitialChoice{10, 19200, nullptr, "", 1},
                                           InitialChoice{16, 38400, nullptr, "", 2},
                                           InitialChoice{12, 9600, "ttyUSB11", "COM12", 0},
                                           InitialChoice{17, 9600, "ttyACM0", "COM17", 0},
                                           InitialChoice{32, 0, nullptr, "", 0},
                                           InitialChoice{0, 4800, nullptr, "COM1", 0},
                                           InitialChoice{33, 9600, nullptr, "COM1", 0},
                                           InitialChoice{-5, 115200, nullptr, "COM1", 0}));

TEST_F(ComSetup, PicksAreWrittenAtOnceAndCancelKeepsThem) {
    auto dialog = makeDialog();
    pickEntry(portList(*dialog), QStringLiteral("COM5"));
    EXPECT_EQ(settings.comPort, 5);
    pickEntry(baudList(*dialog), QStringLiteral("19200"));
    EXPECT_EQ(settings.baudRate, 19200);
    pickEntry(baudList(*dialog), QStringLiteral("9600"));
    EXPECT_EQ(settings.baudRate, 9600);
    EXPECT_TRUE(deviceHint(*dialog).isEmpty());  // no ttyUSB4

    QTimer::singleShot(0, dialog.get(), [&dialog] { button(*dialog, "button2")->click(); });
    EXPECT_EQ(dialog->exec(), QDialog::Rejected);
    EXPECT_EQ(settings.comPort, 5);
    EXPECT_EQ(settings.baudRate, 9600);
}

// The list shows COM1 and 9600 for a port and a rate it has no entry for:
// picking what is shown must take it.
TEST_F(ComSetup, PickingTheEntryAlreadyShownTakesIt) {
    settings = {40, 4800, 10};
    auto dialog = makeDialog();
    ASSERT_EQ(portList(*dialog)->currentText(), QStringLiteral("COM1"));
    ASSERT_EQ(baudList(*dialog)->currentText(), QStringLiteral("9600"));
    pickEntry(portList(*dialog), QStringLiteral("COM1"));
    pickEntry(baudList(*dialog), QStringLiteral("9600"));
    EXPECT_EQ(settings.comPort, 1);
    EXPECT_EQ(settings.baudRate, 9600);
}

TEST_F(ComSetup, OnlyTheUsersPicksAreWritten) {
    auto dialog = makeDialog();
    portList(*dialog)->setCurrentIndex(6);
    baudList(*dialog)->setCurrentIndex(0);
    EXPECT_EQ(settings.comPort, 3);
    EXPECT_EQ(settings.baudRate, 38400);
}

TEST_F(ComSetup, TheButtonsFollowTheBaudRow) {
    auto dialog = makeDialog();
    dialog->show();
    QCoreApplication::processEvents();
    const QComboBox* baud = baudList(*dialog);
    const int baudBottom = baud->mapTo(dialog.get(), QPoint(0, baud->height())).y();
    const QPushButton* ok = button(*dialog, "button1");
    const int okTop = ok->mapTo(dialog.get(), QPoint(0, 0)).y();
    EXPECT_GT(okTop, baudBottom);
    EXPECT_LT(okTop - baudBottom, baud->height());
}

TEST_F(ComSetup, AutoPicksTheFirstAdapter) {
    addDevice("ttyACM0");
    addDevice("ttyUSB3");
    addDevice("ttyUSB5");
    settings.comPort = 12;
    auto dialog = makeDialog();
    button(*dialog, "button1000")->click();
    EXPECT_EQ(portList(*dialog)->currentText(), QStringLiteral("COM4"));
    EXPECT_EQ(settings.comPort, 4);
    EXPECT_EQ(deviceHint(*dialog), devicePath("ttyUSB3"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ComSetup, AutoTakesAnAdapterPastCom9) {
    addDevice("ttyACM0");  // COM17
    auto dialog = makeDialog();
    button(*dialog, "button1000")->click();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(portList(*dialog)->currentText(), QStringLiteral("COM17"));
    EXPECT_EQ(settings.comPort, 17);
    EXPECT_EQ(deviceHint(*dialog), devicePath("ttyACM0"));
}

TEST_F(ComSetup, AutoFindsAnAdapterPluggedInWhileTheDialogIsOpen) {
    auto dialog = makeDialog();
    addDevice("ttyUSB11");  // COM12
    button(*dialog, "button1000")->click();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(portList(*dialog)->currentText(), QStringLiteral("COM12"));
    EXPECT_EQ(settings.comPort, 12);
}

TEST_F(ComSetup, AutoWithoutAdapterAsksToChooseByHand) {
    auto dialog = makeDialog();
    button(*dialog, "button1000")->click();
    EXPECT_EQ(messages,
              QStringList{QStringLiteral("Cannot find the USB port, please choose it manually.")});
    EXPECT_EQ(settings.comPort, 3);
    EXPECT_EQ(portList(*dialog)->currentIndex(), 2);
}

TEST_F(ComSetup, AutoWithoutDeviceDirectoryDoesNothing) {
    settings.comPort = 6;
    CDSLCom dialog(settings, deviceDir.filePath(QStringLiteral("missing")).toStdString());
    dialog.messageBox = [this](const QString& text) { messages << text; };
    button(dialog, "button1000")->click();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(settings.comPort, 6);
}

// ---- log kind choices ----

struct ChoiceCase {
    const char* name;
    std::function<std::unique_ptr<QDialog>()> make;
    const char* buttonName;
    int result;
};

void PrintTo(const ChoiceCase& choice, std::ostream* os) {
    *os << choice.name;
}

class LogKindChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(LogKindChoice, EachButtonEndsTheDialogWithItsOwnResult) {
    std::unique_ptr<QDialog> dialog = GetParam().make();
    QDialog* raw = dialog.get();
    const char* name = GetParam().buttonName;
    QTimer::singleShot(0, raw, [raw, name] { button(*raw, name)->click(); });
    EXPECT_EQ(dialog->exec(), GetParam().result);
}

std::unique_ptr<QDialog> makeDown() {
    return std::make_unique<CDownModeDlg>();
}
std::unique_ptr<QDialog> makeDele() {
    return std::make_unique<CDeleModeDlg>();
}

INSTANTIATE_TEST_SUITE_P(Buttons, LogKindChoice,
                         ::testing::Values(ChoiceCase{"DownAuto", makeDown, "button1036", 1036},
                                           ChoiceCase{"DownManu", makeDown, "button1037", 1037},
                                           ChoiceCase{"DownCancel", makeDown, "button2", 0},
                                           ChoiceCase{"DeleAuto", makeDele, "button1038", 1038},
                                           ChoiceCase{"DeleManu", makeDele, "button1039", 1039},
                                           ChoiceCase{"DeleCancel", makeDele, "button2", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct EnterCase {
    const char* name;
    std::function<std::unique_ptr<QDialog>()> make;
    const char* focused;  // the button with the focus; nullptr: as the dialog opens
    int result;
};

void PrintTo(const EnterCase& c, std::ostream* os) {
    *os << c.name;
}

class LogKindEnter : public ::testing::TestWithParam<EnterCase> {};

// Deleting cannot be undone: Enter cancels, wherever the focus is. Download
// takes Enter as Auto Logs.
TEST_P(LogKindEnter, PressesTheRightButton) {
    std::unique_ptr<QDialog> dialog = GetParam().make();
    QDialog* raw = dialog.get();
    const char* focused = GetParam().focused;
    QTimer::singleShot(0, raw, [raw, focused] {
        if (focused) button(*raw, focused)->setFocus();
        QWidget* target = raw->focusWidget() ? raw->focusWidget() : raw;
        QTest::keyClick(target, Qt::Key_Return);
        // Still open when Enter did nothing: end it so that the test goes on.
        if (raw->isVisible()) raw->done(-1);
    });
    EXPECT_EQ(dialog->exec(), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Keys, LogKindEnter,
                         ::testing::Values(EnterCase{"DeleOpened", makeDele, nullptr, 0},
                                           EnterCase{"DeleOnAuto", makeDele, "button1038", 0},
                                           EnterCase{"DeleOnManu", makeDele, "button1039", 0},
                                           EnterCase{"DeleOnCancel", makeDele, "button2", 0},
                                           EnterCase{"DownOpened", makeDown, nullptr, 1036}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LogKindChoiceTexts, TitlesAndExplanations) {
    const struct {
        std::unique_ptr<QDialog> dialog;
        const char* title;
        const char* text;
    } cases[] = {
        {makeDown(), "Download Logs", "There are two kinds of log in the logger : Auto and Manu. "},
        {makeDele(), "Delete Logs",
         "There are two kinds of log in the logger : Auto and Manu. The logs cannot be recovered "
         "after being deleted."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.dialog->windowTitle(), QString::fromUtf8(c.title));
        const auto* label = c.dialog->findChild<QLabel*>();
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromUtf8(c.text));
    }
}

// ---- pictures ----

bool hasVisiblePixels(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0) return true;
        }
    }
    return false;
}

TEST(Pictures, EveryResourcePictureIsDrawn) {
    for (int id : {kAppIcon, kZoomCursor, kOkBitmap, kExitBitmap, kStatusIcon, kAutoBitmap,
                   kReadBitmap, kSyncBitmap}) {
        EXPECT_FALSE(resourceIcon(id).isNull()) << id;
        const QPixmap pixmap = resourcePixmap(id, QSize(24, 24));
        EXPECT_EQ(pixmap.size(), QSize(24, 24)) << id;
        EXPECT_TRUE(hasVisiblePixels(pixmap)) << id;
        EXPECT_TRUE(hasVisiblePixels(resourceIcon(id).pixmap(16, 16))) << id;
    }
    for (int index : {kTreeRoot, kTreeGroup, kTreeFile, kTreeFileSelected}) {
        EXPECT_TRUE(hasVisiblePixels(treeIcon(index).pixmap(16, 16))) << index;
    }
}

TEST(Pictures, EveryToolbarCommandHasAPicture) {
    for (int command : {ID_FILE_OPEN, ID_FILE_SAVE_AS, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW,
                        ID_CONNECT, ID_DISCONNECT, ID_SETUP, ID_DOWNLOAD, ID_DELETE, ID_REALTIME,
                        ID_STOP, ID_FILE_LIST, ID_DATA_LIST, ID_QUERY, ID_ORIGINAL, ID_SAVE_EXCEL,
                        ID_SAVE_TXT, ID_SAVE_BMP, ID_APP_ABOUT}) {
        EXPECT_TRUE(hasVisiblePixels(toolbarIcon(command).pixmap(32, 32))) << command;
    }
}

TEST(Pictures, UnknownIdsGiveNothing) {
    EXPECT_TRUE(resourceIcon(999).isNull());
    EXPECT_TRUE(treeIcon(2).isNull());
    EXPECT_TRUE(toolbarIcon(ID_FILE_NEW).isNull());
    EXPECT_TRUE(resourcePixmap(999, QSize(16, 16)).isNull());
    EXPECT_EQ(resourceCursor(999).shape(), Qt::ArrowCursor);
}

TEST(Pictures, ChartCursorPointsWithItsTopLeftCorner) {
    const QCursor cursor = resourceCursor(kZoomCursor);
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(0, 0));
    EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
}

TEST(Pictures, ButtonsGetThePictureAtItsOwnSize) {
    QPushButton ok, read;
    setButtonPicture(&ok, kOkBitmap);
    setButtonPicture(&read, kReadBitmap);
    EXPECT_EQ(ok.iconSize(), QSize(24, 24));
    EXPECT_EQ(read.iconSize(), QSize(21, 21));
    EXPECT_FALSE(ok.icon().isNull());
}

TEST(DialogUnits, FollowTheFont) {
    QWidget widget;
    const QFontMetrics metrics = widget.fontMetrics();
    EXPECT_EQ(dialogUnits(&widget, 4, 8), QSize(metrics.averageCharWidth(), metrics.height()));
    EXPECT_EQ(dialogUnits(&widget, 239, 78),
              QSize(metrics.averageCharWidth() * 239 / 4, metrics.height() * 78 / 8));
}

}  // namespace
