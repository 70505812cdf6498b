// The Query pane offscreen: its fields, the calendar behind each date field,
// the Query button with its two messages, and the query through the main
// frame.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QDate>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimeEdit>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/widgets/CMainFrame.h"
#include "app/widgets/Profile.h"
#include "gui/support/FrameWithLog.h"
#include "gui/support/ModalAnswerer.h"
#include "logdata/LogFile.h"
#include "record/AppData.h"
#include "support/FakeHosts.h"
#include "support/TempDir.h"
#include "views/widgets/CDatePickerCombo.h"
#include "views/widgets/CDatePickerDlg.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace fs = std::filesystem;

namespace {

constexpr uint32_t kMinuteRecords = 241;  // 09:00:00 .. 13:00:00 on 20240105
constexpr const char* kLogName = "1234567890_20240105_0900.drav";

// Writes the one-minute log to `path`, channel 1 counting the minutes.
void writeMinuteLog(const std::string& path) {
    auto source = std::make_unique<AppData>();
    LogStore& store = source->log.store;
    store.channelCount = 1;
    store.recordCount = kMinuteRecords;
    for (uint32_t i = 0; i < kMinuteRecords; ++i) {
        char stamp[kTimestampLength + 1];
        std::snprintf(stamp, sizeof stamp, "20240105%02u%02u00", (9 + i / 60) % 24, i % 60);
        std::memcpy(store.timestamps[i].data(), stamp, kTimestampLength);
        store.values[0][i] = static_cast<float>(i);
    }
    std::ofstream out(path, std::ios::binary);
    ASSERT_TRUE(writeLogFile(out, store, source->log.setup));
}

// Makes the log current and loads it, as a double-click in the file list does.
void openLog(AppData& data, FrameUi& ui, const std::string& dir) {
    writeMinuteLog(dir + kLogName);
    data.log.store.currentFilePath = dir + kLogName;
    data.log.store.currentFileName = kLogName;
    ASSERT_TRUE(loadLogFile(data, ui));
}

// A message box the pane showed.
struct Box {
    std::string text;
    QMessageBox::Icon icon;
    std::string title;
};

// Clicks Query as the user does and answers each message box with OK.
std::vector<Box> clickQuery(CDatePickerDlg& pane) {
    std::vector<Box> boxes;
    ModalAnswerer answerer;
    answerer.onDialog = [&boxes](QDialog& dialog) {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        ASSERT_NE(box, nullptr);
        boxes.push_back({box->text().toStdString(), box->icon(), box->windowTitle().toStdString()});
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        box->button(QMessageBox::Ok)->click();
    };
    QTest::mouseClick(pane.queryButton(), Qt::LeftButton);
    settleEvents();
    EXPECT_THAT(answerer.messages, IsEmpty());
    return boxes;
}

void setRange(CDatePickerDlg& pane, const char* from, QTime fromTime, const char* to,
              QTime toTime) {
    pane.fromDateField()->setEditText(from);
    pane.fromTimeField()->setTime(fromTime);
    pane.toDateField()->setEditText(to);
    pane.toTimeField()->setTime(toTime);
}

// Drops `field` down with F4 and lets `act` work in the calendar popup.
void dropDown(CDatePickerCombo& field, std::function<void(QDialog&)> act) {
    ModalAnswerer answerer;
    answerer.onDialog = [&act](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), "calendarPopup");
        act(dialog);
    };
    QTest::keyClick(&field, Qt::Key_F4);
    settleEvents();
    EXPECT_THAT(answerer.dialogs, ElementsAre("QDialog"));
}

QCalendarWidget& calendarOf(QDialog& popup) {
    auto* calendar = popup.findChild<QCalendarWidget*>("calendar");
    EXPECT_NE(calendar, nullptr);
    return *calendar;
}

// The cell of `day` in the calendar's month view.
QRect dayCell(QCalendarWidget& calendar, QDate day) {
    auto* view = calendar.findChild<QAbstractItemView*>();
    const QAbstractItemModel& model = *view->model();
    for (int row = 0; row < model.rowCount(); ++row) {
        for (int column = 0; column < model.columnCount(); ++column) {
            const QModelIndex index = model.index(row, column);
            if (index.data().toInt() == day.day()) return view->visualRect(index);
        }
    }
    ADD_FAILURE() << "no cell for the day";
    return {};
}

class QueryPaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        openLog(*data_, ui_, dir_.dir());
        ui_.redraws = 0;
        ui_.titles.clear();
        pane_.resize(330, 400);
        pane_.show();
        settleEvents();
    }

    TempDir dir_;
    std::unique_ptr<AppData> data_ = std::make_unique<AppData>();
    FakeUi ui_{*data_};
    CDatePickerDlg pane_{*data_, ui_};
};

}  // namespace

TEST_F(QueryPaneTest, TheFormHoldsFromToAndQuery) {
    EXPECT_EQ(pane_.objectName(), "queryPane");
    std::vector<std::string> labels;
    for (const QLabel* label : pane_.findChildren<QLabel*>()) {
        labels.push_back(label->text().toStdString());
    }
    EXPECT_THAT(labels, ElementsAre("From:", "To:"));
    for (CDatePickerCombo* field : {pane_.fromDateField(), pane_.toDateField()}) {
        EXPECT_TRUE(field->isEditable());
        EXPECT_EQ(field->count(), 0);
    }
    EXPECT_EQ(pane_.findChild<CDatePickerCombo*>("fromDate"), pane_.fromDateField());
    EXPECT_EQ(pane_.findChild<CDatePickerCombo*>("toDate"), pane_.toDateField());
    EXPECT_EQ(pane_.findChild<QTimeEdit*>("fromTime")->displayFormat(), "HH:mm:ss");
    EXPECT_EQ(pane_.findChild<QTimeEdit*>("toTime")->displayFormat(), "HH:mm:ss");
    QPushButton* query = pane_.findChild<QPushButton*>("queryButton");
    ASSERT_NE(query, nullptr);
    EXPECT_EQ(query->text(), "Query");
    EXPECT_TRUE(query->isDefault());
    EXPECT_EQ(query->iconSize(), QSize(24, 24));
    // From above To, dates left of times, the button below both.
    EXPECT_LT(pane_.fromDateField()->y(), pane_.toDateField()->y());
    EXPECT_LT(pane_.fromDateField()->x(), pane_.fromTimeField()->x());
    EXPECT_GT(query->y(), pane_.toTimeField()->geometry().bottom());
    EXPECT_EQ(pane_.focusProxy(), pane_.fromDateField());
}

TEST_F(QueryPaneTest, TheMembersStartAtZeroAndFollowTheHandlers) {
    CDatePickerDlg fresh(*data_, ui_);
    EXPECT_EQ(fresh.fromDate, 0);
    EXPECT_EQ(fresh.toDate, 0);
    EXPECT_EQ(fresh.fromTime, 0);
    EXPECT_EQ(fresh.toTime, 0);
    fresh.fromDateField()->setEditText("20240105");
    fresh.toDateField()->setEditText("2024-1-5");
    EXPECT_EQ(fresh.fromDate, 20240105);
    EXPECT_EQ(fresh.toDate, 2024);
    // A picker's text has eight characters, not six: its handler gives 0.
    fresh.fromTimeField()->setTime(QTime(10, 0, 0));
    EXPECT_EQ(fresh.fromTime, 0);
}

TEST_F(QueryPaneTest, ATenToTwelveQueryCutsTheLogAndRedraws) {
    setRange(pane_, "20240105", QTime(10, 0, 0), "20240105", QTime(12, 0, 0));
    EXPECT_THAT(clickQuery(pane_), IsEmpty());
    EXPECT_EQ(pane_.fromTime, 100000);
    EXPECT_EQ(pane_.toTime, 120000);
    ASSERT_EQ(data_->log.store.recordCount, 120u);
    EXPECT_EQ(data_->log.store.timestamp(0), "20240105100000");
    EXPECT_EQ(data_->log.store.timestamp(119), "20240105115900");
    // Once for the reload, once for the cut store.
    EXPECT_EQ(ui_.redraws, 2);
    EXPECT_THAT(ui_.titles, ElementsAre(kLogName, kLogName));
}

TEST_F(QueryPaneTest, RangesThatAreNoDatesAskForThemFirst) {
    const struct {
        const char* what;
        const char* from;
        const char* to;
    } cases[] = {
        {"a date typed as 2024-1-5", "2024-1-5", "20240105"},
        {"From after To", "20240106", "20240105"},
        {"no date picked", "", ""},
        {"a dismissed calendar", "20240105", CDatePickerCombo::kNoDateText},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        setRange(pane_, c.from, QTime(10, 0, 0), c.to, QTime(12, 0, 0));
        const std::vector<Box> boxes = clickQuery(pane_);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "Please select date and time first.");
        EXPECT_EQ(boxes[0].icon, QMessageBox::Critical);
        EXPECT_EQ(boxes[0].title, kApplicationName);
        EXPECT_EQ(data_->log.store.recordCount, kMinuteRecords);
        EXPECT_EQ(ui_.redraws, 0);
    }
}

TEST_F(QueryPaneTest, ARangeWithoutARecordSaysNoMatchedLogs) {
    setRange(pane_, "20240106", QTime(0, 0, 0), "20240107", QTime(0, 0, 0));
    const std::vector<Box> boxes = clickQuery(pane_);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "No matched logs.");
    EXPECT_EQ(boxes[0].icon, QMessageBox::Warning);
    EXPECT_EQ(boxes[0].title, kApplicationName);
    // The whole file, reloaded and drawn.
    EXPECT_EQ(data_->log.store.recordCount, kMinuteRecords);
    EXPECT_EQ(ui_.redraws, 1);
}

TEST_F(QueryPaneTest, QueryDoesNothingWhileRealtimeRunsOrTheLogIsEmpty) {
    const struct {
        const char* what;
        bool realtime;
        uint32_t records;
    } cases[] = {
        {"realtime sampling", true, kMinuteRecords},
        {"no record", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        data_->link.realtimeActive = c.realtime;
        data_->log.store.recordCount = c.records;
        for (const char* to : {"20240105", "2024-1-5"}) {
            setRange(pane_, "20240105", QTime(10, 0, 0), to, QTime(12, 0, 0));
            EXPECT_THAT(clickQuery(pane_), IsEmpty());
        }
        EXPECT_EQ(data_->log.store.recordCount, c.records);
        EXPECT_EQ(ui_.redraws, 0);
        EXPECT_THAT(ui_.titles, IsEmpty());
    }
    data_->link.realtimeActive = false;
}

// The Query button is the pane's default: Enter in any field runs the query.
TEST_F(QueryPaneTest, EnterInAnyFieldRunsTheQuery) {
    const struct {
        const char* what;
        QWidget* field;
        Qt::Key key;
    } cases[] = {
        {"From date", pane_.fromDateField(), Qt::Key_Return},
        {"From time", pane_.fromTimeField(), Qt::Key_Enter},
        {"To date", pane_.toDateField(), Qt::Key_Enter},
        {"To time", pane_.toTimeField(), Qt::Key_Return},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        openLog(*data_, ui_, dir_.dir());
        setRange(pane_, "20240105", QTime(10, 0, 0), "20240105", QTime(12, 0, 0));
        ModalAnswerer answerer;
        QTest::keyClick(c.field, c.key);
        settleEvents();
        EXPECT_THAT(answerer.dialogs, IsEmpty());
        EXPECT_EQ(data_->log.store.recordCount, 120u);
        EXPECT_EQ(pane_.fromDateField()->count(), 0) << "no date is added to the list";
    }
}

// A query is one change away: From and To start at the first and last record.
TEST_F(QueryPaneTest, TheFieldsStartAtTheFirstAndLastRecordOfALog) {
    pane_.startAtLog(data_->log.store);
    EXPECT_EQ(pane_.fromDateField()->currentText(), "20240105");
    EXPECT_EQ(pane_.fromTimeField()->time(), QTime(9, 0, 0));
    EXPECT_EQ(pane_.toDateField()->currentText(), "20240105");
    EXPECT_EQ(pane_.toTimeField()->time(), QTime(13, 0, 0));
    // The To moment is not in the range: all but the last record stay.
    EXPECT_THAT(clickQuery(pane_), IsEmpty());
    EXPECT_EQ(data_->log.store.recordCount, kMinuteRecords - 1);

    // An empty store leaves the fields as they are.
    pane_.toDateField()->setEditText("20240106");
    data_->log.store.recordCount = 0;
    pane_.startAtLog(data_->log.store);
    EXPECT_EQ(pane_.toDateField()->currentText(), "20240106");
}

TEST_F(QueryPaneTest, DismissingTheCalendarAsksForADate) {
    CDatePickerCombo& field = *pane_.fromDateField();
    field.setEditText("20240105");
    dropDown(field, [](QDialog& popup) { QTest::keyClick(&popup, Qt::Key_Escape); });
    EXPECT_EQ(field.currentText(), "Please select date");
    EXPECT_EQ(field.lineEdit()->selectedText(), "Please select date");
    EXPECT_EQ(pane_.fromDate, 0);
}

TEST_F(QueryPaneTest, AConfirmedDayBecomesItsEightDigits) {
    const QDate day(2024, 1, 15);
    const struct {
        const char* what;
        std::function<void(QDialog&)> act;
        QDate expected;
    } cases[] = {
        {"a click on the day",
         [day](QDialog& popup) {
             QCalendarWidget& calendar = calendarOf(popup);
             calendar.setCurrentPage(day.year(), day.month());
             auto* view = calendar.findChild<QAbstractItemView*>();
             QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                               dayCell(calendar, day).center());
         },
         day},
        {"Enter on the day",
         [day](QDialog& popup) {
             QCalendarWidget& calendar = calendarOf(popup);
             calendar.setSelectedDate(day);
             QTest::keyClick(calendar.findChild<QAbstractItemView*>(), Qt::Key_Return);
         },
         day},
        {"Today",
         [](QDialog& popup) {
             QTest::mouseClick(popup.findChild<QPushButton*>("todayButton"), Qt::LeftButton);
         },
         QDate::currentDate()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CDatePickerCombo& field = *pane_.toDateField();
        field.setEditText("");
        dropDown(field, c.act);
        const QString digits = c.expected.toString("yyyyMMdd");
        EXPECT_EQ(field.currentText(), digits);
        EXPECT_EQ(field.lineEdit()->selectedText(), digits);
        EXPECT_EQ(pane_.toDate, digits.toInt());
    }
}

TEST_F(QueryPaneTest, TheCalendarOpensUnderTheFieldRightAligned) {
    CDatePickerCombo& field = *pane_.fromDateField();
    // Room on the left for the calendar that hangs out past the field.
    const QRect screen = field.screen()->availableGeometry();
    pane_.window()->move(screen.left() + 400, screen.top() + 100);
    QRect popupRect;
    QSize calendarSize;
    bool hasClearButton = true;
    dropDown(field, [&](QDialog& popup) {
        popupRect = popup.geometry();
        calendarSize = calendarOf(popup).parentWidget()->minimumSizeHint();
        hasClearButton = false;
        for (const QPushButton* button : popup.findChildren<QPushButton*>()) {
            if (button->text() != "Today") hasClearButton = true;
        }
        QTest::keyClick(&popup, Qt::Key_Escape);
    });
    const QRect fieldRect(field.mapToGlobal(QPoint(0, 0)), field.size());
    EXPECT_EQ(popupRect.right(), fieldRect.right());
    EXPECT_EQ(popupRect.top(), fieldRect.bottom() + 1);
    EXPECT_EQ(popupRect.size(), calendarSize + QSize(4, 4));
    EXPECT_FALSE(hasClearButton);
}

// A pane at the screen's left edge would put a right-aligned calendar past
// it: the calendar moves right, onto the screen.
TEST_F(QueryPaneTest, TheCalendarStaysOnTheScreen) {
    CDatePickerCombo& field = *pane_.fromDateField();
    const QRect screen = field.screen()->availableGeometry();
    pane_.window()->move(screen.left(), screen.top());
    QRect popupRect;
    dropDown(field, [&](QDialog& popup) {
        popupRect = popup.geometry();
        QTest::keyClick(&popup, Qt::Key_Escape);
    });
    EXPECT_GE(popupRect.left(), screen.left());
    EXPECT_EQ(popupRect.top(), field.mapToGlobal(QPoint(0, field.height())).y());
}

// ---- in the main frame --------------------------------------------------

namespace {

class QueryInFrameTest : public FrameWithLogTest {
protected:
    void SetUp() override {
        FrameWithLogTest::SetUp();
        openLog(*data_, frame_->frameUi(), root() + "/");
        settleEvents();
    }

    CDatePickerDlg* pane() const {
        return qobject_cast<CDatePickerDlg*>(frame_->paneContent(kPaneQuery));
    }
};

}  // namespace

TEST_F(QueryInFrameTest, TheQueryCommandShowsThePaneAloneWithTheFocus) {
    frame_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame_.get()));
    frame_->onCommand(ID_QUERY);
    settleEvents();
    EXPECT_TRUE(frame_->pane(kPaneQuery)->isVisible());
    EXPECT_FALSE(frame_->pane(kPaneFileList)->isVisible());
    ASSERT_NE(pane(), nullptr);
    EXPECT_TRUE(pane()->fromDateField()->hasFocus());
}

TEST_F(QueryInFrameTest, AQueryCutsTheFramesLogAndTitlesTheWindow) {
    frame_->onCommand(ID_QUERY);
    settleEvents();
    ASSERT_NE(pane(), nullptr);
    setRange(*pane(), "20240105", QTime(10, 0, 0), "20240105", QTime(12, 0, 0));
    // So the title the query sets shows.
    frame_->document().setTitle("other.drav");
    EXPECT_THAT(clickQuery(*pane()), IsEmpty());
    EXPECT_EQ(data_->log.store.recordCount, 120u);
    EXPECT_EQ(frame_->windowTitle(), QString(kLogName) + " - Dravin V1.21");
    // The 100% command brings the whole file back.
    frame_->onCommand(ID_ORIGINAL);
    EXPECT_EQ(data_->log.store.recordCount, kMinuteRecords);
}

// The pane made after a load starts at that log; a log loaded later moves the
// fields, a query of the same file does not.
TEST_F(QueryInFrameTest, TheFieldsFollowTheLogLoaded) {
    frame_->onCommand(ID_QUERY);
    settleEvents();
    ASSERT_NE(pane(), nullptr);
    EXPECT_EQ(pane()->fromDateField()->currentText(), "20240105");
    EXPECT_EQ(pane()->fromTimeField()->time(), QTime(9, 0, 0));
    EXPECT_EQ(pane()->toTimeField()->time(), QTime(13, 0, 0));

    setRange(*pane(), "20240105", QTime(10, 0, 0), "20240105", QTime(12, 0, 0));
    EXPECT_THAT(clickQuery(*pane()), IsEmpty());
    settleEvents();
    EXPECT_EQ(pane()->fromTimeField()->time(), QTime(10, 0, 0));
    EXPECT_EQ(pane()->toTimeField()->time(), QTime(12, 0, 0));

    // Another file: the same minutes a day later.
    auto other = std::make_unique<AppData>();
    other->log.store.channelCount = 1;
    other->log.store.recordCount = 3;
    for (uint32_t i = 0; i < 3; ++i) {
        char stamp[kTimestampLength + 1];
        std::snprintf(stamp, sizeof stamp, "202401061%u0000", i);
        std::memcpy(other->log.store.timestamps[i].data(), stamp, kTimestampLength);
    }
    const fs::path next = rootPath() / "next.drav";
    {
        std::ofstream out(next, std::ios::binary);
        ASSERT_TRUE(writeLogFile(out, other->log.store, other->log.setup));
    }
    ASSERT_TRUE(frame_->openDocumentFile(QString::fromStdString(next.string())));
    settleEvents();
    EXPECT_EQ(pane()->fromDateField()->currentText(), "20240106");
    EXPECT_EQ(pane()->fromTimeField()->time(), QTime(10, 0, 0));
    EXPECT_EQ(pane()->toDateField()->currentText(), "20240106");
    EXPECT_EQ(pane()->toTimeField()->time(), QTime(12, 0, 0));
}
