// The Limits pane in the main frame, offscreen: the figures of a log against
// its limits, limits typed in °F, the limits each logger keeps across a
// restart, the logger's own limits, the °C / °F choice over the data list,
// and the CSV export.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/CommandIds.h"
#include "app/widgets/CMainFrame.h"
#include "app/widgets/PaneManager.h"
#include "app/widgets/Profile.h"
#include "gui/support/FrameWithLog.h"
#include "gui/support/ModalAnswerer.h"
#include "logdata/ProfileFile.h"
#include "logdata/StampSeconds.h"
#include "record/AppData.h"
#include "support/CommaLocale.h"
#include "support/FileBytes.h"
#include "views/widgets/CDataListPane.h"
#include "views/widgets/CLimitsPane.h"

using ::testing::HasSubstr;

namespace {

constexpr char kSerial[] = "1234567890";

class LimitsPaneTest : public FrameWithLogTest {
protected:
    void SetUp() override {
        FrameWithLogTest::SetUp();
        loadLog();
    }

    // Channel 1 ("oC") is 20.0 but 30.0 for records 10 to 19 and 10.0 for
    // records 40 to 44; channel 2 ("%RH") 50.0; 61 records a minute apart from
    // 2024-01-05 09:00:00, of logger kSerial.
    void loadLog() {
        LogStore& store = data().log.store;
        fillMinuteLog(store, 2, 61);
        for (uint32_t i = 0; i < 61; ++i) {
            store.values[0][i] = (i >= 10 && i < 20) ? 30.0f : (i >= 40 && i < 45) ? 10.0f : 20.0f;
            store.values[1][i] = 50.0f;
        }
        saveAndLoadLog();
    }

    CLimitsPane& openPane() {
        frame().onCommand(ID_LIMITS);
        settleEvents();
        auto* pane = qobject_cast<CLimitsPane*>(frame().paneContent(kPaneLimits));
        EXPECT_NE(pane, nullptr);
        return *pane;
    }
    // Runs Save to CSV with `chosen` typed into its save dialog; `replace`
    // answers the question about an existing file.
    std::unique_ptr<ModalAnswerer> exportCsvTo(const std::string& chosen, bool replace = false) {
        auto answerer = std::make_unique<ModalAnswerer>();
        answerer->onDialog = [this, chosen, replace](QDialog& dialog) {
            if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
                filters_ = files->nameFilters();
                files->selectFile(QString::fromStdString(chosen));
                QMetaObject::invokeMethod(files, "accept");
            } else if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
                questions_.push_back(box->text().toStdString());
                box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
            }
        };
        frame().onCommand(ID_SAVE_CSV);
        return answerer;
    }
    CDataListPane* dataList() const {
        return qobject_cast<CDataListPane*>(frame_->paneContent(kPaneDataList));
    }
    static void setLimit(QCheckBox* set, QDoubleSpinBox* field, double value) {
        set->setChecked(true);
        field->setValue(value);
    }
    // A frame as the next start of the program makes it, over the same folder
    // and profile, with the same log loaded.
    void restart() {
        frame_.reset();
        data_ = std::make_unique<AppData>();
        data_->settings = defaultSettings();
        data_->programDir = root() + "/";
        for (int& visible : data_->display.channelVisible) visible = 1;
        frame_ = std::make_unique<CMainFrame>(*data_,
                                              MainFrameOptions{root() + "/dev", data_->programDir});
        frame_->show();
        settleEvents();
        loadLog();
    }

    QStringList filters_;
    std::vector<std::string> questions_;
};

}  // namespace

TEST_F(LimitsPaneTest, TheLimitsCommandShowsTheFiguresOfTheLogAgainstTheLimits) {
    EXPECT_EQ(frame().commandAction(ID_LIMITS)->text(), "Limits");
    EXPECT_FALSE(frame().pane(kPaneLimits)->isVisible()) << "closed at start";
    CLimitsPane& pane = openPane();
    EXPECT_TRUE(frame().pane(kPaneLimits)->isVisible());
    EXPECT_FALSE(frame().pane(kPaneFileList)->isVisible());
    EXPECT_EQ(pane.firstRecordText()->text(), "2024-01-05 09:00:00");
    EXPECT_EQ(pane.lastRecordText()->text(), "2024-01-05 10:00:00");
    EXPECT_FALSE(pane.channelBox(1)->isHidden());
    EXPECT_TRUE(pane.channelBox(2)->isHidden()) << "a two-channel log";
    EXPECT_EQ(pane.channelBox(0)->title(), "1st channel (oC)");
    EXPECT_EQ(pane.excursionsText(0)->text(), "0") << "no limit set";
    EXPECT_EQ(pane.longestText(0)->text(), CLimitsPane::kNoValueText);

    setLimit(pane.highSet(0), pane.highField(0), 25.0);
    setLimit(pane.lowSet(0), pane.lowField(0), 15.0);
    EXPECT_EQ(data().display.limits[0], (ChannelLimit{25.0f, 15.0f}));
    EXPECT_EQ(pane.aboveText(0)->text(), "0:10");
    EXPECT_EQ(pane.belowText(0)->text(), "0:05");
    EXPECT_EQ(pane.excursionsText(0)->text(), "2");
    EXPECT_EQ(pane.longestText(0)->text(), "0:10 from 2024-01-05 09:10:00");
    // The mean kinetic temperature only for the temperature channel.
    EXPECT_FALSE(pane.kineticText(0)->isHidden());
    EXPECT_THAT(pane.kineticText(0)->text().toStdString(), ::testing::EndsWith(" oC"));
    EXPECT_TRUE(pane.kineticText(1)->isHidden());

    // Cleared, the limit is gone and so are its figures.
    pane.highSet(0)->setChecked(false);
    EXPECT_EQ(data().display.limits[0], (ChannelLimit{std::nullopt, 15.0f}));
    EXPECT_EQ(pane.aboveText(0)->text(), "0:00");
    EXPECT_EQ(pane.excursionsText(0)->text(), "1");
}

// The minute log is above 25.0 for ten minutes in one run and below 15.0
// for five: each limit's rule decides, and the rules stay with the logger.
TEST_F(LimitsPaneTest, EachLimitsRuleGivesTheVerdictAndIsKeptWithTheLimit) {
    CLimitsPane& pane = openPane();
    EXPECT_EQ(pane.logVerdictText()->text(), "No limits set");
    EXPECT_EQ(pane.verdictText(0)->text(), CLimitsPane::kNoValueText);
    EXPECT_FALSE(pane.ruleMinutes(0, true)->isEnabled()) << "any reading outside takes no time";

    setLimit(pane.highSet(0), pane.highField(0), 25.0);
    EXPECT_EQ(pane.verdictText(0)->text(), "FAIL: the high limit's rule");
    EXPECT_EQ(pane.logVerdictText()->text(), "FAIL");

    pane.ruleChoice(0, true)->setCurrentIndex(static_cast<int>(AlarmRuleKind::SingleLonger));
    pane.ruleMinutes(0, true)->setValue(10);
    EXPECT_EQ(data().display.limits[0].highRule, (AlarmRule{AlarmRuleKind::SingleLonger, 10}));
    EXPECT_EQ(pane.verdictText(0)->text(), "PASS") << "ten minutes are not longer than ten";
    EXPECT_EQ(pane.logVerdictText()->text(), "PASS");

    setLimit(pane.lowSet(0), pane.lowField(0), 15.0);
    EXPECT_EQ(pane.verdictText(0)->text(), "FAIL: the low limit's rule");
    pane.ruleChoice(0, false)->setCurrentIndex(static_cast<int>(AlarmRuleKind::TotalLonger));
    pane.ruleMinutes(0, false)->setValue(4);
    EXPECT_EQ(pane.verdictText(0)->text(), "FAIL: the low limit's rule");
    pane.ruleMinutes(0, false)->setValue(5);
    EXPECT_EQ(pane.verdictText(0)->text(), "PASS");

    const ChannelLimits set = data().display.limits;
    EXPECT_EQ(Profile().limits(kSerial), set);
    EXPECT_EQ(ProfileFile(Profile().settings().fileName().toStdString()).limits(kSerial), set)
        << "as the command line reads";
    restart();
    EXPECT_EQ(data().display.limits, set);
    CLimitsPane& again = openPane();
    EXPECT_EQ(again.ruleChoice(0, true)->currentIndex(),
              static_cast<int>(AlarmRuleKind::SingleLonger));
    EXPECT_EQ(again.ruleMinutes(0, false)->value(), 5);
    EXPECT_EQ(again.logVerdictText()->text(), "PASS");
}

// An hour missing after 09:30 of the minute log: the pane gives the gap of
// each channel, and the time outside stays what the records stand for.
TEST_F(LimitsPaneTest, TheGapsOfTheLogShowPerChannel) {
    CLimitsPane& pane = openPane();
    EXPECT_EQ(pane.logIntervalText()->text(), "60 s");
    EXPECT_EQ(pane.gapsText(0)->text(), "0");
    EXPECT_EQ(pane.longestGapText(0)->text(), CLimitsPane::kNoValueText);

    LogStore& store = data().log.store;
    for (uint32_t i = 31; i < store.recordCount; ++i)
        store.timestamps[i] = *stampOfSeconds(*stampSeconds(store.timestamps[i]) + 3600);
    saveAndLoadLog();
    settleEvents();
    setLimit(pane.highSet(0), pane.highField(0), 25.0);
    setLimit(pane.lowSet(0), pane.lowField(0), 15.0);
    EXPECT_EQ(pane.lastRecordText()->text(), "2024-01-05 11:00:00");
    EXPECT_EQ(pane.logIntervalText()->text(), "60 s");
    for (int c = 0; c < 2; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(pane.gapsText(c)->text(), "1, no data 1:00");
        EXPECT_EQ(pane.longestGapText(c)->text(), "1:00 from 2024-01-05 09:31:00");
    }
    EXPECT_EQ(pane.aboveText(0)->text(), "0:10");
    EXPECT_EQ(pane.belowText(0)->text(), "0:05");
    EXPECT_EQ(pane.excursionsText(0)->text(), "2");
}

TEST_F(LimitsPaneTest, AZoomAndARealtimeSampleRefreshThePane) {
    CLimitsPane& pane = openPane();
    setLimit(pane.highSet(0), pane.highField(0), 25.0);
    // What the chart's zoom does to the store.
    data().log.store.keepRange(0, 15);
    frame().frameUi().redrawChart();
    data().events.rangeCut(CutBy::Zoom);
    settleEvents();
    EXPECT_EQ(pane.lastRecordText()->text(), "2024-01-05 09:14:00");
    EXPECT_EQ(pane.aboveText(0)->text(), "0:05");

    // What a realtime sample does: one more record, the statistics folded in.
    LogStore& store = data().log.store;
    std::memcpy(store.timestamps[15].data(), "20240105091500", kTimestampLength);
    store.values[0][15] = 31.0f;
    store.values[1][15] = 50.0f;
    store.recordCount = 16;
    store.appendStatistics();
    data().events.sampleAppended();
    settleEvents();
    EXPECT_EQ(pane.lastRecordText()->text(), "2024-01-05 09:15:00");
    EXPECT_EQ(pane.aboveText(0)->text(), "0:06");
}

TEST_F(LimitsPaneTest, FahrenheitShowsTheListAndTheFieldsInFahrenheitAndKeepsCelsius) {
    frame().onCommand(ID_DATA_LIST);
    settleEvents();
    CLimitsPane& pane = openPane();
    QAction* choice = frame().commandAction(ID_FAHRENHEIT);
    ASSERT_TRUE(choice->isCheckable());
    EXPECT_FALSE(choice->isChecked());
    choice->trigger();
    settleEvents();
    EXPECT_TRUE(choice->isChecked());
    EXPECT_TRUE(data().display.fahrenheit);
    EXPECT_TRUE(Profile().fahrenheit());
    EXPECT_EQ(pane.channelBox(0)->title(), "1st channel (F)");
    EXPECT_EQ(pane.channelBox(1)->title(), "2nd channel (%RH)");

    // 77 °F is 25 °C; the humidity is as typed.
    setLimit(pane.highSet(0), pane.highField(0), 77.0);
    setLimit(pane.lowSet(1), pane.lowField(1), 55.0);
    ASSERT_TRUE(data().display.limits[0].high.has_value());
    EXPECT_NEAR(*data().display.limits[0].high, 25.0f, 1e-4f);
    EXPECT_EQ(data().display.limits[1].low, 55.0f);

    // The data list shows °F and marks the records outside.
    const QAbstractItemModel& list = *dataList()->list()->model();
    EXPECT_EQ(list.headerData(3, Qt::Horizontal).toString(), "1st (F)");
    EXPECT_EQ(list.index(10, 3).data().toString(), "  86.0");
    EXPECT_EQ(list.index(10, 3).data(Qt::ForegroundRole), QVariant(QColor(Qt::red)));
    EXPECT_EQ(list.index(0, 3).data(Qt::ForegroundRole), QVariant());
    EXPECT_EQ(list.index(0, 4).data(Qt::ForegroundRole), QVariant(QColor(Qt::blue)));

    // Back in °C the field shows the stored limit.
    frame().onCommand(ID_FAHRENHEIT);
    settleEvents();
    EXPECT_FALSE(choice->isChecked());
    EXPECT_FALSE(data().display.fahrenheit);
    EXPECT_DOUBLE_EQ(pane.highField(0)->value(), 25.0);
    EXPECT_EQ(list.index(10, 3).data().toString(), "  30.0");
}

TEST_F(LimitsPaneTest, EachLoggerKeepsItsLimitsTheUnitAndTheEnergyAcrossARestart) {
    CLimitsPane& pane = openPane();
    setLimit(pane.highSet(0), pane.highField(0), 26.5);
    setLimit(pane.lowSet(1), pane.lowField(1), 40.0);
    pane.activationEnergyField()->setValue(100.0);
    EXPECT_DOUBLE_EQ(data().display.activationEnergy, 100000.0);
    frame().onCommand(ID_FAHRENHEIT);
    const ChannelLimits set = data().display.limits;
    EXPECT_EQ(Profile().limits(kSerial), set);
    EXPECT_EQ(Profile::limitsGroup(kSerial), "Limits/1234567890");

    restart();
    EXPECT_EQ(data().display.limits, set);
    EXPECT_TRUE(data().display.fahrenheit);
    EXPECT_TRUE(frame().commandAction(ID_FAHRENHEIT)->isChecked());
    EXPECT_DOUBLE_EQ(data().display.activationEnergy, 100000.0);
    CLimitsPane& again = openPane();
    EXPECT_TRUE(again.highSet(0)->isChecked());
    EXPECT_FALSE(again.lowSet(0)->isChecked());
    EXPECT_DOUBLE_EQ(again.activationEnergyField()->value(), 100.0);

    // Another logger's log has its own limits: none yet.
    std::memcpy(data().log.setup.serialNo, "ZX00000001", 10);
    data().events.logLoaded(data().log.store.currentFilePath);
    EXPECT_EQ(data().display.limits, ChannelLimits{});
    EXPECT_FALSE(again.highSet(0)->isChecked());
    EXPECT_EQ(Profile().limits(kSerial), set) << "the first logger's stay";
}

TEST_F(LimitsPaneTest, TheLoggersOwnLimitsAreOfferedAfterASetupRead) {
    LoggerSetup& setup = data().log.setup;
    setup.ch1High = 300;
    setup.ch1Low = -55;
    setup.ch2High = 800;
    setup.ch2Low = 200;
    CLimitsPane& pane = openPane();
    EXPECT_EQ(pane.loggerLimitsButton()->text(), "Use the logger's limits");
    EXPECT_FALSE(pane.loggerLimitsButton()->isEnabled()) << "nothing read yet";

    frame().frameUi().loggerSetupRead();
    ASSERT_TRUE(pane.loggerLimitsButton()->isEnabled());
    EXPECT_THAT(pane.loggerLimitsText()->text().toStdString(),
                HasSubstr("1st: high 30.0, low -5.5\n2nd: high 80.0, low 20.0"));
    pane.loggerLimitsButton()->click();
    EXPECT_EQ(data().display.limits[0], (ChannelLimit{30.0f, -5.5f}));
    EXPECT_EQ(data().display.limits[1], (ChannelLimit{80.0f, 20.0f}));
    EXPECT_TRUE(pane.highSet(0)->isChecked());
    EXPECT_DOUBLE_EQ(pane.highField(0)->value(), 30.0);
    EXPECT_EQ(Profile().limits(kSerial), data().display.limits);
}

namespace {

// The default locale for a scope's life: widgets made meanwhile take it.
class DefaultLocale {
public:
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(previous_); }
    DefaultLocale(const DefaultLocale&) = delete;
    DefaultLocale& operator=(const DefaultLocale&) = delete;

private:
    QLocale previous_;
};

}  // namespace

// A German user's locale writes "25,5"; the pane's figures and fields read
// with a point as every other figure of the program does.
TEST_F(LimitsPaneTest, FiguresAndFieldsReadWithAPointUnderAGermanLocale) {
    const DefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
    CommaLocale comma;
    ASSERT_TRUE(comma.active()) << kCommaLocaleMissing;
    restart();
    data().log.setup.ch1Low = -55;
    CLimitsPane& pane = openPane();
    frame().frameUi().loggerSetupRead();
    setLimit(pane.highSet(0), pane.highField(0), 25.5);
    EXPECT_EQ(pane.highField(0)->text(), "25.5 oC");
    EXPECT_EQ(pane.activationEnergyField()->text(), "83.144 kJ/mol");
    EXPECT_THAT(pane.kineticText(0)->text().toStdString(),
                ::testing::MatchesRegex("[0-9]+\\.[0-9] oC"));
    EXPECT_THAT(pane.loggerLimitsText()->text().toStdString(),
                HasSubstr("1st: high 0.0, low -5.5"));
}

TEST_F(LimitsPaneTest, AnOfferBeforeThePaneExistsShowsWhenItOpens) {
    data().log.setup.ch1High = 120;
    frame().frameUi().loggerSetupRead();
    ASSERT_EQ(frame().paneContent(kPaneLimits), nullptr);
    CLimitsPane& pane = openPane();
    EXPECT_TRUE(pane.loggerLimitsButton()->isEnabled());
    EXPECT_THAT(pane.loggerLimitsText()->text().toStdString(), HasSubstr("1st: high 12.0"));
}

TEST_F(LimitsPaneTest, SaveToCsvWritesTheValuesAsShownAndAsksBeforeReplacing) {
    QAction* command = frame().commandAction(ID_SAVE_CSV);
    EXPECT_EQ(command->text(), "Save to CSV...");
    EXPECT_TRUE(frame().fileMenu()->actions().contains(command));
    const std::string chosen = root() + "/values";
    exportCsvTo(chosen);
    EXPECT_EQ(filters_, QStringList{"CSV File(*.csv)"});
    const std::string celsius = readFileBytes(chosen + ".csv");
    EXPECT_THAT(celsius, ::testing::StartsWith("index,time,CH1 [oC],CH2 [%RH]\r\n"
                                               "1,2024-01-05T09:00:00,20.0,50.0\r\n"));
    EXPECT_TRUE(questions_.empty());

    frame().onCommand(ID_FAHRENHEIT);
    exportCsvTo(chosen, /*replace=*/false);
    ASSERT_EQ(questions_.size(), 1u);
    EXPECT_THAT(questions_[0], HasSubstr(chosen + ".csv already exists."));
    EXPECT_EQ(readFileBytes(chosen + ".csv"), celsius) << "kept when the user says no";
    exportCsvTo(chosen, /*replace=*/true);
    EXPECT_THAT(readFileBytes(chosen + ".csv"), HasSubstr("1,2024-01-05T09:00:00,68.0,50.0\r\n"));
}

TEST_F(LimitsPaneTest, ACsvFileThatCannotBeWrittenSaysSo) {
    const std::string chosen = root() + "/no such folder/values.csv";
    auto answerer = exportCsvTo(chosen);
    ASSERT_EQ(answerer->messages.size(), 1u);
    EXPECT_EQ(answerer->messages[0], "Failed to save to CSV file.");
    EXPECT_FALSE(std::filesystem::exists(chosen));
}

TEST(LimitsProfile, TheSerialNumberNamesTheGroupOfALoggersLimits) {
    using namespace std::string_view_literals;
    Profile().settings().clear();
    const std::pair<std::string_view, QString> cases[] = {
        {"1234567890"sv, "Limits/1234567890"}, {"AB12\0\0\0\0\0\0"sv, "Limits/AB12"},
        {"AB12      "sv, "Limits/AB12"},       {"A/B\\C=D 12"sv, "Limits/A_B_C_D_12"},
        {"\0\0\0\0\0\0\0\0\0\0"sv, ""},        {"          "sv, ""},
    };
    for (const auto& [serial, group] : cases) {
        EXPECT_EQ(Profile::limitsGroup(serial), group) << serial.size();
    }
    // Nothing is kept for a logger without a serial number.
    ChannelLimits limits{};
    limits[2].low = -3.5f;
    Profile().setLimits("\0\0\0\0\0\0\0\0\0\0"sv, limits);
    EXPECT_EQ(Profile().limits("\0\0\0\0\0\0\0\0\0\0"sv), ChannelLimits{});
    Profile().setLimits("AB12\0\0\0\0\0\0"sv, limits);
    EXPECT_EQ(Profile().limits("AB12      "sv), limits);
}

// The command line reads the profile's file without Qt: what the window kept
// reads back the same, whatever the figures.
TEST(LimitsProfile, TheProfileFileReadsWhatTheWindowKept) {
    Profile profile;
    profile.settings().clear();
    const struct {
        const char* serial;
        ChannelLimits limits;
    } cases[] = {
        {"KM30012345", {{{30.0f, 10.0f}, {}, {8.5f, -5.5f}, {std::nullopt, 0.1f}}}},
        {"AB 12", {{{1e-3f, -1e6f}, {3276.7f, std::nullopt}, {}, {0.0f, -0.0f}}}},
        {"X", {{{}, {123.456f, 2.0f / 3.0f}, {}, {}}}},
    };
    for (const auto& c : cases) profile.setLimits(c.serial, c.limits);
    profile.setActivationEnergy(100123.5);
    profile.settings().sync();

    const ProfileFile file(profile.settings().fileName().toStdString());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.serial);
        EXPECT_EQ(file.limits(c.serial), c.limits);
        EXPECT_EQ(file.limits(c.serial), profile.limits(c.serial));
    }
    EXPECT_FALSE(anyLimit(file.limits("NONE")));
    EXPECT_DOUBLE_EQ(file.activationEnergy(), 100123.5);
}
