// The Setup pane: its grid of seven categories and 22 items, its
// Read and Sync buttons, its layout, the edits that reach LoggerSetup and
// those refused, and, in the main window against the logger simulator, the
// setup read into the grid and the grid's values synchronised to the logger.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDockWidget>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/CommandIds.h"
#include "app/widgets/CCommProgressDlg.h"
#include "app/widgets/CMainFrame.h"
#include "gui/support/ModalAnswerer.h"
#include "gui/support/RunUntil.h"
#include "link/Protocol.h"
#include "logdata/LogFile.h"
#include "record/AppData.h"
#include "setup/CodePage.h"
#include "setup/SetupItems.h"
#include "setup/widgets/CPropertiesPane.h"
#include "sim/LoggerSim.h"
#include "ui/widgets/CPropertyGrid.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

// Twenty Chinese characters; the first twelve fill the 24 bytes of a name.
const QString kChineseName = QStringLiteral("冷库一号温度记录仪东区二号仓库三层北侧门");
const QString kChineseNameCut = QStringLiteral("冷库一号温度记录仪东区二");

// Every item id in display order.
std::vector<int> allItems() {
    std::vector<int> ids;
    for (const SetupCategorySpec& category : setupCategories()) {
        for (const SetupItemSpec& item : category.items) ids.push_back(item.id);
    }
    return ids;
}

// Types `text` into item `id` as the user does: a click on the value, the
// text over what it held, Enter.
void typeInto(CPropertyGrid* grid, int id, const QString& text) {
    QLineEdit* editor = grid->editItem(id);
    ASSERT_NE(editor, nullptr) << id;
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    // Chinese comes through the input method, as from a Pinyin editor.
    bool ascii = true;
    for (QChar c : text) ascii = ascii && c.unicode() < 0x80;
    if (ascii) {
        QTest::keyClicks(editor, text);
    } else {
        QInputMethodEvent typed;
        typed.setCommitString(text);
        QApplication::sendEvent(editor, &typed);
    }
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
}

// ---- the pane on its own ----------------------------------------------------

// The values every item shows of the setup both the tests and the simulator
// use, but for the name and the serial number.
void expectTheTestSetup(const CPropertyGrid& grid, const QString& name, const QString& serial) {
    const auto text = [&](int id) { return grid.itemText(id); };
    EXPECT_EQ(text(106), name);
    EXPECT_EQ(text(109), serial);
    EXPECT_EQ(text(107), "Instruments");
    EXPECT_EQ(text(108), "KM520A");
    EXPECT_EQ(text(110), "V2.10");
    EXPECT_EQ(text(113), "10");
    EXPECT_EQ(text(114), "300");
    EXPECT_EQ(text(121), "12345");
    EXPECT_EQ(text(155), "-2");
    EXPECT_EQ(text(122), "10000");
    EXPECT_EQ(text(126), "350");
    EXPECT_EQ(text(127), "-100");
    EXPECT_EQ(text(151), "5");
    EXPECT_EQ(text(129), "1000");
    EXPECT_EQ(text(130), "-1000");
    EXPECT_EQ(text(152), "-5");
    EXPECT_EQ(text(148), "2");
    EXPECT_EQ(text(147), "-2");
    EXPECT_EQ(text(153), "0");
    EXPECT_EQ(text(149), "32767");
    EXPECT_EQ(text(150), "-32768");
    EXPECT_EQ(text(154), "257");
}

class PropertiesPaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        data_ = std::make_unique<AppData>();
        pane_ = std::make_unique<CPropertiesPane>(data_->log.setup);
        pane_->resize(300, 500);
        pane_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(pane_.get()));
    }

    CPropertyGrid* grid() const { return pane_->grid(); }
    QString text(int id) const { return grid()->itemText(id); }
    LoggerSetup& setup() { return data_->log.setup; }

    std::unique_ptr<AppData> data_;
    std::unique_ptr<CPropertiesPane> pane_;
};

TEST_F(PropertiesPaneTest, SevenCategoriesOf22ItemsAllExpanded) {
    ASSERT_EQ(grid()->categoryCount(), 7);
    std::vector<std::string> captions;
    for (int c = 0; c < 7; ++c) {
        captions.push_back(grid()->categoryCaption(c).toStdString());
        EXPECT_TRUE(grid()->categoryExpanded(c)) << c;
    }
    EXPECT_THAT(captions, ElementsAre("A.System", "B.Sampling", "C.Storage", "D1.CH1", "D2.CH2",
                                      "D3.CH3", "D4.CH4"));
    EXPECT_THAT(grid()->categoryItems(0), ElementsAre(106, 109, 107, 108, 110));
    EXPECT_THAT(grid()->categoryItems(1), ElementsAre(113, 114));
    EXPECT_THAT(grid()->categoryItems(2), ElementsAre(121, 155, 122));
    EXPECT_THAT(grid()->categoryItems(3), ElementsAre(126, 127, 151));
    EXPECT_THAT(grid()->categoryItems(4), ElementsAre(129, 130, 152));
    EXPECT_THAT(grid()->categoryItems(5), ElementsAre(148, 147, 153));
    EXPECT_THAT(grid()->categoryItems(6), ElementsAre(149, 150, 154));
}

TEST_F(PropertiesPaneTest, CaptionsDescriptionsKindsAndReadOnlyItems) {
    // Limits and offsets are tenths of their channel's unit; before the
    // first read every channel counts as a temperature.
    const char* const kZeroTenths = "Tenths of the channel's unit: 0 is 0.0 oC.";
    struct Expected {
        int id;
        const char* caption;
        const char* description;
        bool number;
        bool readOnly;
    };
    const Expected expected[] = {
        {106, "1. Name", "", false, false},
        {109, "2. SN ", "", false, false},
        {107, "3. Catalogue", "", false, true},
        {108, "4. Model", "", false, true},
        {110, "5. Hardware", "", false, true},
        {113, "1. Sampling Interval", " 1-240 seconds.", true, false},
        {114, "2. Log Interval", " 2 - 86400 seconds", true, false},
        {121, "1. Logs Count", "", false, true},
        {155, "2. MANU Logs", "", false, true},
        {122, "3. Capacity", "", false, true},
        {126, "1. CH1 High Limit", kZeroTenths, true, false},
        {127, "2. CH1 Low Limit", kZeroTenths, true, false},
        {151, "3. Offset", kZeroTenths, true, false},
        {129, "1. Upper Limit", kZeroTenths, true, false},
        {130, "2. Low Limit", kZeroTenths, true, false},
        {152, "3. Offset", kZeroTenths, true, false},
        {148, "1. CH3 High", kZeroTenths, true, false},
        {147, "2. CH3 Low", kZeroTenths, true, false},
        {153, "3. Offset", kZeroTenths, true, false},
        {149, "1. CH4 High", kZeroTenths, true, false},
        {150, "2. CH4 Low", kZeroTenths, true, false},
        {154, "3. Offset", kZeroTenths, true, false},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.id);
        EXPECT_EQ(grid()->itemCaption(e.id), e.caption);
        EXPECT_EQ(grid()->itemDescription(e.id), e.description);
        EXPECT_EQ(grid()->itemKind(e.id) == CPropertyGrid::ItemKind::Number, e.number);
        EXPECT_EQ(grid()->itemReadOnly(e.id), e.readOnly);
    }
    grid()->selectItem(kItemSamplingInterval);
    EXPECT_EQ(grid()->descriptionCaption(), "1. Sampling Interval");
    EXPECT_EQ(grid()->descriptionText(), " 1-240 seconds.");
}

TEST_F(PropertiesPaneTest, BeforeTheFirstReadItShowsEmptyTextsAndZeros) {
    // Text items, the counts among them, are empty; number items hold 0.
    const int texts[] = {106, 109, 108, 110};
    for (int id : texts) EXPECT_EQ(text(id), "") << id;
    for (int id : {kItemCatalogue, kItemLogsCount, kItemManuLogs, kItemCapacity}) {
        EXPECT_EQ(text(id), "") << id;
    }
    for (int id : {113, 114, 126, 127, 151, 129, 130, 152, 148, 147, 153, 149, 150, 154}) {
        EXPECT_EQ(text(id), "0") << id;
    }
    // A fill of the zero-filled setup shows the same, and the catalogue.
    pane_->fillSetupGrid();
    for (int id : texts) EXPECT_EQ(text(id), "") << id;
    EXPECT_EQ(text(kItemCatalogue), "Instruments");
    EXPECT_EQ(text(kItemCapacity), "0");
    EXPECT_EQ(text(kItemCh4Offset), "0");
}

TEST_F(PropertiesPaneTest, AFillShowsEveryField) {
    LoggerSetup& s = setup();
    const std::string name = encodeLoggerText("温度 Cold room", 24);
    std::memcpy(s.name, name.data(), name.size());
    std::memcpy(s.serialNo, "KM52000017", 10);
    std::memcpy(s.model, "KM520A", 6);
    std::memcpy(s.hardwareVersion, "V2.10", 5);
    s.samplingInterval = 10;
    s.logInterval = 300;
    s.logsCount = 12345;
    s.manuLogsCount = -2;
    s.capacity = 10000;
    s.ch1High = 350;
    s.ch1Low = -100;
    s.ch2High = 1000;
    s.ch2Low = -1000;
    s.ch3High = 2;
    s.ch3Low = -2;
    s.ch4High = 32767;
    s.ch4Low = -32768;
    s.offsets[0] = 5;
    s.offsets[1] = -5;
    s.offsets[2] = 0;
    s.offsets[3] = 257;
    QSignalSpy changed(grid(), &CPropertyGrid::itemValueChanged);
    pane_->fillSetupGrid();
    EXPECT_EQ(changed.count(), 0);
    expectTheTestSetup(*grid(), QStringLiteral("温度 Cold room"), "KM52000017");
}

// The logger keeps limits and offsets in tenths of the channel's unit: the
// description says what the value shown means, and follows each fill and edit.
TEST_F(PropertiesPaneTest, LimitsAndOffsetsDescribeTheirValueInTheChannelsUnit) {
    setup().channelConfig = 6;  // two pairs of a temperature and a humidity channel
    setup().ch1High = 300;
    setup().ch4Low = -32768;
    setup().offsets[1] = -5;
    pane_->fillSetupGrid();
    EXPECT_EQ(grid()->itemDescription(kItemCh1High),
              "Tenths of the channel's unit: 300 is 30.0 oC.");
    EXPECT_EQ(grid()->itemDescription(kItemCh4Low),
              "Tenths of the channel's unit: -32768 is -3276.8 %RH.");
    EXPECT_EQ(grid()->itemDescription(kItemCh2Offset),
              "Tenths of the channel's unit: -5 is -0.5 %RH.");
    EXPECT_EQ(grid()->itemDescription(kItemLogInterval), " 2 - 86400 seconds");

    typeInto(grid(), kItemCh1High, "245");
    EXPECT_EQ(grid()->selectedItem(), kItemCh1High);
    EXPECT_EQ(grid()->descriptionText(), "Tenths of the channel's unit: 245 is 24.5 oC.");
    // A refused edit leaves the value, and so its description, as they were.
    typeInto(grid(), kItemCh2High, "70000");
    EXPECT_EQ(grid()->descriptionText(), "Tenths of the channel's unit: 0 is 0.0 %RH.");
    EXPECT_EQ(text(kItemCh1High), "245");
}

TEST_F(PropertiesPaneTest, ThirtyCharactersOfNameAreStoredAs24) {
    typeInto(grid(), kItemName, "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234");
    EXPECT_EQ(std::string(setup().name, 25), std::string("ABCDEFGHIJKLMNOPQRSTUVWX\0", 25));
    EXPECT_EQ(text(kItemName), "ABCDEFGHIJKLMNOPQRSTUVWX");
    EXPECT_THAT(grid()->descriptionNote().toStdString(), HasSubstr("Cut to"));
}

TEST_F(PropertiesPaneTest, TwentyChineseCharactersAreCutAt24BytesOnACharacterBoundary) {
    typeInto(grid(), kItemName, kChineseName);
    const std::string stored(setup().name, strnlen(setup().name, sizeof setup().name));
    EXPECT_EQ(stored.size(), 24u);
    EXPECT_EQ(stored, encodeLoggerText(kChineseNameCut.toStdString(), 24));
    EXPECT_EQ(text(kItemName), kChineseNameCut);
    // One more byte in front: the twelfth character no longer fits whole.
    typeInto(grid(), kItemName, "A" + kChineseName);
    EXPECT_EQ(strnlen(setup().name, sizeof setup().name), 23u);
    EXPECT_EQ(text(kItemName), "A" + kChineseNameCut.left(11));
}

TEST_F(PropertiesPaneTest, AnEmptyNameStores25ZeroBytes) {
    std::memset(setup().name, 'x', sizeof setup().name);
    pane_->fillSetupGrid();
    typeInto(grid(), kItemName, "");
    EXPECT_EQ(std::string(setup().name, 25), std::string(25, '\0'));
}

TEST_F(PropertiesPaneTest, NineAndElevenCharacterSerialNumbersAreIgnored) {
    std::memcpy(setup().serialNo, "1234567890", 10);
    pane_->fillSetupGrid();
    for (const char* typed : {"123456789", "12345678901"}) {
        SCOPED_TRACE(typed);
        typeInto(grid(), kItemSerialNo, typed);
        EXPECT_EQ(std::string(setup().serialNo, 10), "1234567890");
        EXPECT_EQ(text(kItemSerialNo), "1234567890");
        EXPECT_THAT(grid()->descriptionNote().toStdString(),
                    HasSubstr("exactly 10 printable ASCII characters"));
    }
    typeInto(grid(), kItemSerialNo, "KM52000017");
    EXPECT_EQ(std::string(setup().serialNo, 10), "KM52000017");
    EXPECT_EQ(grid()->descriptionNote(), "");
}

TEST_F(PropertiesPaneTest, ASamplingIntervalOf300IsRefusedAndTheHeldValueKept) {
    typeInto(grid(), kItemSamplingInterval, "10");
    ASSERT_EQ(setup().samplingInterval, 10);
    typeInto(grid(), kItemSamplingInterval, "300");
    EXPECT_EQ(setup().samplingInterval, 10);
    EXPECT_EQ(text(kItemSamplingInterval), "10");
    EXPECT_EQ(grid()->selectedItem(), kItemSamplingInterval);
    EXPECT_EQ(grid()->descriptionNote(),
              "Not stored: \"300\". Allowed: a whole number from 0 to 255.");
    // The item's own description stays above the note.
    EXPECT_EQ(grid()->descriptionText(), " 1-240 seconds.");
}

TEST_F(PropertiesPaneTest, AChannel2LimitOf70000IsRefusedAndMinus50Accepted) {
    typeInto(grid(), kItemCh2High, "900");
    typeInto(grid(), kItemCh2High, "70000");
    EXPECT_EQ(setup().ch2High, 900);
    EXPECT_EQ(text(kItemCh2High), "900");
    EXPECT_EQ(grid()->descriptionNote(),
              "Not stored: \"70000\". Allowed: a whole number from -32768 to 32767.");
    typeInto(grid(), kItemCh2High, "-50");
    EXPECT_EQ(setup().ch2High, -50);
    EXPECT_EQ(text(kItemCh2High), "-50");
    EXPECT_EQ(grid()->descriptionNote(), "");
}

TEST_F(PropertiesPaneTest, EveryEditableItemReachesItsField) {
    typeInto(grid(), kItemLogInterval, "86400");
    typeInto(grid(), kItemCh1High, "-2147483648");
    typeInto(grid(), kItemCh1Low, "2147483647");
    typeInto(grid(), kItemCh3High, "3");
    typeInto(grid(), kItemCh3Low, "-3");
    typeInto(grid(), kItemCh4High, "4");
    typeInto(grid(), kItemCh4Low, "-4");
    typeInto(grid(), kItemCh1Offset, "11");
    typeInto(grid(), kItemCh2Offset, "-12");
    typeInto(grid(), kItemCh3Offset, "13");
    typeInto(grid(), kItemCh4Offset, "-14");
    typeInto(grid(), kItemCh2Low, "-100");
    EXPECT_EQ(setup().logInterval, 86400u);
    EXPECT_EQ(setup().ch1High, -2147483647 - 1);
    EXPECT_EQ(setup().ch1Low, 2147483647);
    EXPECT_EQ(setup().ch2Low, -100);
    EXPECT_EQ(setup().ch3High, 3);
    EXPECT_EQ(setup().ch3Low, -3);
    EXPECT_EQ(setup().ch4High, 4);
    EXPECT_EQ(setup().ch4Low, -4);
    EXPECT_THAT(setup().offsets, ElementsAre(11, -12, 13, -14));
}

TEST_F(PropertiesPaneTest, ReadOnlyItemsCannotBeEdited) {
    for (int id : {kItemCatalogue, kItemModel, kItemHardware, kItemLogsCount, kItemManuLogs,
                   kItemCapacity}) {
        EXPECT_EQ(grid()->editItem(id), nullptr) << id;
    }
}

TEST_F(PropertiesPaneTest, TheButtonsCarryTheirIdsPicturesAndTooltips) {
    QToolButton* read = pane_->findChild<QToolButton*>("button158");
    QToolButton* sync = pane_->findChild<QToolButton*>("button159");
    ASSERT_EQ(read, pane_->readButton());
    ASSERT_EQ(sync, pane_->syncButton());
    EXPECT_EQ(read->toolTip(), "Get setup information from logger.");
    EXPECT_EQ(sync->toolTip(), "Synchronize setup information and PC time to logger.");
    EXPECT_FALSE(read->icon().isNull());
    EXPECT_FALSE(sync->icon().isNull());
    EXPECT_TRUE(read->text().isEmpty());
    EXPECT_TRUE(read->isEnabled());
    EXPECT_TRUE(sync->isEnabled());

    QSignalSpy reads(pane_.get(), &CPropertiesPane::readRequested);
    QSignalSpy syncs(pane_.get(), &CPropertiesPane::syncRequested);
    QTest::mouseClick(read, Qt::LeftButton);
    EXPECT_EQ(reads.count(), 1);
    EXPECT_EQ(syncs.count(), 0);
    QTest::mouseClick(sync, Qt::LeftButton);
    EXPECT_EQ(syncs.count(), 1);
}

TEST_F(PropertiesPaneTest, TheLayoutFollowsThePanesSize) {
    struct Case {
        int w, h;
        int description;
    };
    for (const Case c : {Case{300, 500, 100}, Case{450, 803, 160}, Case{90, 40, 10}}) {
        SCOPED_TRACE(c.w);
        pane_->resize(c.w, c.h);
        QApplication::processEvents();
        EXPECT_EQ(grid()->geometry(), QRect(2, 39, c.w - 2, std::max(0, c.h - 44)));
        EXPECT_EQ(grid()->descriptionHeight(), c.description);
        EXPECT_EQ(pane_->readButton()->geometry(), QRect(c.w / 9, 5, 29, 29));
        EXPECT_EQ(pane_->syncButton()->geometry(), QRect((c.w / 9) * 3, 5, 29, 29));
    }
}

TEST_F(PropertiesPaneTest, TheFocusGoesOnToTheGrid) {
    pane_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(pane_.get()));
    pane_->setFocus();
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_TRUE(grid()->isAncestorOf(focus));
    EXPECT_TRUE(pane_->hasFocus());
}

// ---- in the main window, against the logger simulator -----------------------

class SetupPaneEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(sim_.running());
        fs::create_directory(root() / "dev");
        fs::create_symlink(sim_.devicePath(), root() / "dev" / "ttyUSB0");
        data_ = std::make_unique<AppData>();
        data_->settings = defaultSettings();
        data_->programDir = root().string() + "/";
        makeLogFilesDir(*data_);
        frame_ = std::make_unique<CMainFrame>(
            *data_, MainFrameOptions{(root() / "dev").string(), data_->programDir});
        frame_->show();
    }
    void TearDown() override { frame_.reset(); }

    static SimSetup loggerSetup() {
        SimSetup s;
        const std::string name = encodeLoggerText("温度记录仪 Cold room 3", 24);
        std::copy(name.begin(), name.end(), s.name.begin());
        s.channelConfig = 6;
        s.model = fixedText<6>("KM520A");
        s.hardwareVersion = fixedText<5>("V2.10");
        s.samplingInterval = 10;
        s.logInterval = 300;
        s.logsCount = 12345;
        s.capacity = 10000;
        s.manuLogsCount = -2;
        s.ch1High = 350;
        s.ch1Low = -100;
        s.ch2High = 1000;
        s.ch2Low = -1000;
        s.ch3High = 2;
        s.ch3Low = -2;
        s.ch4High = 32767;
        s.ch4Low = -32768;
        s.offsets = {5, -5, 0, 257};
        return s;
    }
    static LoggerSim::Config config() {
        LoggerSim::Config config;
        config.serialNo = "1234567890";
        config.setup = loggerSetup();
        return config;
    }

    fs::path root() const { return fs::path(dir_.path().toStdString()); }
    CPropertiesPane* pane() const {
        return qobject_cast<CPropertiesPane*>(frame_->paneContent(kPaneSetup));
    }
    QString text(int id) const { return pane()->grid()->itemText(id); }

    // Connect through the main window: the Setup pane shows.
    void connectLogger() {
        frame_->onCommand(ID_CONNECT);
        ASSERT_TRUE(runUntil([&] { return data_->link.connected; }, 5000));
        ASSERT_NE(pane(), nullptr);
        ASSERT_TRUE(frame_->pane(kPaneSetup)->isVisible());
    }
    // Read from the pane's button and wait for the grid to be filled.
    void readFromThePane() {
        QTest::mouseClick(pane()->readButton(), Qt::LeftButton);
        ASSERT_TRUE(frame_->progressWindow()->isVisible());
        EXPECT_EQ(frame_->progressWindow()->text(), "Read properties...");
        ASSERT_TRUE(runUntil([&] { return !frame_->progressWindow()->isVisible(); }, 5000));
    }

    QTemporaryDir dir_;
    LoggerSim sim_{config()};  // outlives the frame, whose port reads it
    std::unique_ptr<AppData> data_;
    std::unique_ptr<CMainFrame> frame_;
};

TEST_F(SetupPaneEndToEndTest, ReadWhileDisconnectedDoesNothing) {
    ModalAnswerer answerer;
    frame_->showPaneAlone(kPaneSetup);
    ASSERT_NE(pane(), nullptr);
    QTest::mouseClick(pane()->readButton(), Qt::LeftButton);
    QTest::mouseClick(pane()->syncButton(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_FALSE(frame_->progressWindow()->isVisible());
    EXPECT_FALSE(frame_->timerRunning(kTimerReadSetup));
    EXPECT_TRUE(answerer.messages.empty());
    EXPECT_FALSE(runUntil([&] { return sim_.totalRequests() > 0; }, 500));
    EXPECT_EQ(text(kItemName), "");
    EXPECT_EQ(text(kItemSamplingInterval), "0");
}

TEST_F(SetupPaneEndToEndTest, AfterASetupReplyEveryItemShowsTheLoggersValue) {
    ModalAnswerer answerer;
    connectLogger();
    // Connecting fills nothing: the grid waits for the first read.
    EXPECT_EQ(text(kItemSerialNo), "");
    EXPECT_EQ(text(kItemSamplingInterval), "0");

    readFromThePane();
    EXPECT_EQ(sim_.requestCount(CMD_READ_SETUP), 1);
    EXPECT_TRUE(answerer.messages.empty());
    expectTheTestSetup(*pane()->grid(), QStringLiteral("温度记录仪 Cold room 3"), "1234567890");
    // Every item shows what LoggerSetup holds.
    for (int id : allItems()) {
        EXPECT_EQ(text(id).toStdString(), setupItemText(data_->log.setup, id)) << id;
    }
}

TEST_F(SetupPaneEndToEndTest, SyncFromThePaneSendsWhatTheGridShows) {
    ModalAnswerer answerer;
    connectLogger();
    readFromThePane();
    CPropertyGrid* grid = pane()->grid();
    typeInto(grid, kItemName, QStringLiteral("冷库") + "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    typeInto(grid, kItemSamplingInterval, "300");  // refused: 10 stays
    typeInto(grid, kItemLogInterval, "600");
    typeInto(grid, kItemCh2High, "70000");  // refused: 1000 stays
    typeInto(grid, kItemCh3High, "-50");
    typeInto(grid, kItemCh3Low, "-100");
    typeInto(grid, kItemCh4Offset, "-7");

    QTest::mouseClick(pane()->syncButton(), Qt::LeftButton);
    ASSERT_TRUE(runUntil([&] { return answerer.messages.size() >= 2; }, 5000));
    EXPECT_THAT(answerer.messages, ElementsAre("Sync to the logger?", "\r\nSuccess."));
    EXPECT_EQ(sim_.requestCount(CMD_SYNC_SETUP), 1);
    const auto sync = sim_.lastSync();
    ASSERT_TRUE(sync.has_value());
    const SimSetup& sent = sync->setup;
    // "冷库" is four bytes, then 20 letters.
    EXPECT_EQ(std::string(sent.name.begin(), sent.name.end()),
              encodeLoggerText("冷库ABCDEFGHIJKLMNOPQRST", 24));
    EXPECT_EQ(text(kItemName), QStringLiteral("冷库ABCDEFGHIJKLMNOPQRST"));
    EXPECT_EQ(sent.samplingInterval, 10);
    EXPECT_EQ(sent.logInterval, 600u);
    EXPECT_EQ(sent.ch2High, 1000);
    EXPECT_EQ(sent.ch3High, -50);
    EXPECT_EQ(sent.ch3Low, -100);
    EXPECT_EQ(sent.offsets[3], -7);
    // What the grid shows is what went out.
    for (int id : {kItemSamplingInterval, kItemLogInterval, kItemCh2High, kItemCh3High, kItemCh3Low,
                   kItemCh4Offset}) {
        EXPECT_EQ(text(id).toStdString(), setupItemText(data_->log.setup, id)) << id;
    }
}

TEST_F(SetupPaneEndToEndTest, AnEditedSerialNumberGoesOutInTheNextFrame) {
    ModalAnswerer answerer;
    connectLogger();
    readFromThePane();
    typeInto(pane()->grid(), kItemSerialNo, "123456789");  // ignored
    EXPECT_EQ(std::string(data_->log.setup.serialNo, 10), "1234567890");
    typeInto(pane()->grid(), kItemSerialNo, "KM52000017");
    QTest::mouseClick(pane()->readButton(), Qt::LeftButton);
    ASSERT_TRUE(runUntil([&] { return sim_.requestCount(CMD_READ_SETUP) == 2; }, 5000));
    const std::vector<uint8_t> request = sim_.lastRequest();
    ASSERT_GE(request.size(), 14u);
    EXPECT_EQ(std::string(request.begin() + 4, request.begin() + 14), "KM52000017");
    // The logger answers with its own serial number, which the read takes.
    ASSERT_TRUE(runUntil([&] { return !frame_->progressWindow()->isVisible(); }, 5000));
    EXPECT_EQ(std::string(data_->log.setup.serialNo, 10), "1234567890");
    EXPECT_EQ(text(kItemSerialNo), "1234567890");
    EXPECT_TRUE(answerer.messages.empty());
}

// A log file overwrites the name, serial number and hardware version: the
// grid shows them at once, or when the pane is first made.
TEST_F(SetupPaneEndToEndTest, ALoadedLogRefillsTheGrid) {
    auto writer = std::make_unique<AppData>();
    const std::string name = encodeLoggerText("冷库 Log", 24);
    std::memcpy(writer->log.setup.name, name.data(), name.size());
    std::memcpy(writer->log.setup.serialNo, "0123456789", 10);
    std::memcpy(writer->log.setup.hardwareVersion, "V3.00", 5);
    writer->log.store.channelCount = 1;
    writer->log.store.recordCount = 2;
    for (uint32_t i = 0; i < 2; ++i) {
        std::memcpy(writer->log.store.timestamps[i].data(), "20240309070502", kTimestampLength);
    }
    const fs::path log = root() / "log.drav";
    {
        std::ofstream out(log, std::ios::binary);
        ASSERT_TRUE(writeLogFile(out, writer->log.store, writer->log.setup));
    }

    ModalAnswerer answerer;
    ASSERT_EQ(pane(), nullptr);
    ASSERT_TRUE(frame_->openDocumentFile(QString::fromStdString(log.string())));
    frame_->showPaneAlone(kPaneSetup);
    ASSERT_NE(pane(), nullptr);
    EXPECT_EQ(text(kItemName), QStringLiteral("冷库 Log"));
    EXPECT_EQ(text(kItemSerialNo), "0123456789");
    EXPECT_EQ(text(kItemHardware), "V3.00");

    std::memcpy(writer->log.setup.serialNo, "9876543210", 10);
    {
        std::ofstream out(log, std::ios::binary);
        ASSERT_TRUE(writeLogFile(out, writer->log.store, writer->log.setup));
    }
    // The 100% command reloads the current file.
    frame_->onCommand(ID_ORIGINAL);
    EXPECT_EQ(text(kItemSerialNo), "9876543210");
    EXPECT_TRUE(answerer.messages.empty());
}

}  // namespace
