// The Data List pane offscreen: its seven columns, the rows the Data List
// command copies from the store, what empties them, and a full store.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QDockWidget>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/widgets/CMainFrame.h"
#include "gui/support/FrameWithLog.h"
#include "logdata/LogFile.h"
#include "record/AppData.h"
#include "views/widgets/CDataListPane.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;

namespace {

// `records` records of `channels` channels a second apart from 08:30:05;
// channel c of record i holds 23.45 + i + 10 c.
void fillStore(LogStore& store, uint32_t channels, uint32_t records) {
    store.channelCount = channels;
    for (uint32_t i = 0; i < records; ++i) {
        char stamp[15];
        const uint32_t second = 5 + i;
        std::snprintf(stamp, sizeof stamp, "20240105%02u%02u%02u", (8 + second / 3600) % 100,
                      (30 + second / 60) % 60, second % 60);
        std::memcpy(store.timestamps[i].data(), stamp, kTimestampLength);
        for (int c = 0; c < kChannels; ++c) {
            store.values[c][i] = 23.45f + static_cast<float>(i) + 10.0f * static_cast<float>(c);
        }
    }
    store.recordCount = records;
}

std::vector<std::string> rowTexts(const QAbstractItemModel& model, int row) {
    std::vector<std::string> cells;
    for (int column = 0; column < model.columnCount(); ++column) {
        cells.push_back(model.index(row, column).data().toString().toStdString());
    }
    return cells;
}

std::vector<std::string> headerTexts(const QAbstractItemModel& model) {
    std::vector<std::string> titles;
    for (int column = 0; column < model.columnCount(); ++column) {
        titles.push_back(model.headerData(column, Qt::Horizontal).toString().toStdString());
    }
    return titles;
}

class DataListPaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        data_ = std::make_unique<AppData>();
        pane_.resize(450, 300);
        pane_.show();
        settleEvents();
    }

    QTableView& list() { return *pane_.list(); }
    QAbstractItemModel& model() { return *list().model(); }

    std::unique_ptr<AppData> data_;
    CDataListPane pane_;
};

}  // namespace

TEST_F(DataListPaneTest, AnEmptyListShowsTheSevenColumns) {
    EXPECT_EQ(list().objectName(), "list255");
    EXPECT_EQ(model().rowCount(), 0);
    EXPECT_THAT(headerTexts(model()),
                ElementsAre("SN", "DATE", "TIME", "1st", "2nd", "3rd", "4th"));
    std::vector<int> widths;
    for (int column = 0; column < 7; ++column) widths.push_back(list().columnWidth(column));
    EXPECT_THAT(widths, ElementsAre(50, 80, 70, 60, 60, 60, 60));
    EXPECT_TRUE(list().horizontalHeader()->isVisible());
    EXPECT_FALSE(list().verticalHeader()->isVisible());
    EXPECT_FALSE(list().horizontalHeader()->sectionsClickable()) << "no sorting";
    EXPECT_TRUE(list().showGrid());
    EXPECT_EQ(list().selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(list().editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(model().headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignCenter);
    // Fills the pane.
    EXPECT_EQ(list().geometry(), pane_.rect());
}

TEST_F(DataListPaneTest, AnEmptyStoreFillsNoRow) {
    fillStore(data_->log.store, 1, 0);
    pane_.fillDataList(data_->log.store);
    EXPECT_EQ(model().rowCount(), 0);
}

TEST_F(DataListPaneTest, AOneChannelLogFillsFourColumns) {
    fillStore(data_->log.store, 1, 2);
    pane_.fillDataList(data_->log.store);
    ASSERT_EQ(model().rowCount(), 2);
    // 23.45 as a float is slightly above 23.45: "%6.1f" gives two blanks and 23.5.
    EXPECT_THAT(rowTexts(model(), 0),
                ElementsAre("1", "2024-01-05", "08:30:05", "  23.5", "", "", ""));
    EXPECT_THAT(rowTexts(model(), 1),
                ElementsAre("2", "2024-01-05", "08:30:06", "  24.5", "", "", ""));
    EXPECT_EQ(model().index(1, 3).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignCenter);
}

TEST_F(DataListPaneTest, FourChannelsFillEveryColumn) {
    fillStore(data_->log.store, 4, 1);
    pane_.fillDataList(data_->log.store);
    EXPECT_THAT(rowTexts(model(), 0),
                ElementsAre("1", "2024-01-05", "08:30:05", "  23.5", "  33.5", "  43.5", "  53.5"));
}

TEST_F(DataListPaneTest, FillAppendsAndClearEmpties) {
    fillStore(data_->log.store, 2, 3);
    pane_.fillDataList(data_->log.store);
    pane_.fillDataList(data_->log.store);
    EXPECT_EQ(model().rowCount(), 6);
    EXPECT_EQ(model().index(3, 0).data().toString(), "1");
    pane_.clearDataList();
    EXPECT_EQ(model().rowCount(), 0);
    pane_.clearDataList();
    EXPECT_EQ(model().rowCount(), 0);
}

TEST_F(DataListPaneTest, TheRowsStayAsFilledWhenTheStoreChanges) {
    fillStore(data_->log.store, 1, 5);
    pane_.fillDataList(data_->log.store);
    data_->log.store.keepRange(1, 3);
    data_->log.store.values[0][0] = -99.0f;
    ASSERT_EQ(model().rowCount(), 5);
    EXPECT_THAT(rowTexts(model(), 0),
                ElementsAre("1", "2024-01-05", "08:30:05", "  23.5", "", "", ""));
}

TEST_F(DataListPaneTest, FahrenheitAndTheLimitsChangeHowTheRowsShow) {
    fillStore(data_->log.store, 2, 3);  // channel 1: 23.45, 24.45, 25.45
    data_->log.store.unitTexts[0] = "oC";
    data_->log.store.unitTexts[1] = "%RH";
    pane_.fillDataList(data_->log.store);
    QSignalSpy cellsChanged(&model(), &QAbstractItemModel::dataChanged);
    QSignalSpy titlesChanged(&model(), &QAbstractItemModel::headerDataChanged);
    ChannelLimits limits{};
    limits[0] = {25.0f, 24.0f};
    pane_.showAs(limits, true);
    EXPECT_EQ(cellsChanged.count(), 1) << "the rows stay, every cell shows anew";
    EXPECT_EQ(titlesChanged.count(), 1);
    EXPECT_THAT(rowTexts(model(), 0),
                ElementsAre("1", "2024-01-05", "08:30:05", "  74.2", "  33.5", "", ""));
    EXPECT_THAT(headerTexts(model()),
                ElementsAre("SN", "DATE", "TIME", "1st (F)", "2nd", "3rd", "4th"));
    // Below the low limit, inside, above the high one; the limits are stored °C.
    const QVariant colours[] = {QColor(Qt::blue), QVariant(), QColor(Qt::red)};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(model().index(row, 3).data(Qt::ForegroundRole), colours[row]) << row;
        EXPECT_EQ(model().index(row, 4).data(Qt::ForegroundRole), QVariant()) << "no limits";
        EXPECT_EQ(model().index(row, 2).data(Qt::ForegroundRole), QVariant());
    }
    pane_.showAs({}, false);
    EXPECT_EQ(model().index(0, 3).data().toString(), "  23.5");
    EXPECT_EQ(model().index(2, 3).data(Qt::ForegroundRole), QVariant());
    EXPECT_EQ(model().headerData(3, Qt::Horizontal).toString(), "1st");
}

// A title is read whole: the column of a title that names °F widens for it,
// and goes back to its own width when the title is plain again.
TEST_F(DataListPaneTest, AColumnShownInFahrenheitIsWideEnoughForItsTitle) {
    fillStore(data_->log.store, 2, 3);
    for (std::string& unit : data_->log.store.unitTexts) unit = "oC";
    pane_.fillDataList(data_->log.store);
    QHeaderView& header = *list().horizontalHeader();
    auto widths = [&] {
        std::vector<int> columns;
        for (int column = 3; column < 7; ++column) columns.push_back(header.sectionSize(column));
        return columns;
    };
    EXPECT_THAT(widths(), ElementsAre(60, 60, 60, 60));

    pane_.showAs({}, true);
    EXPECT_THAT(headerTexts(model()),
                ElementsAre("SN", "DATE", "TIME", "1st (F)", "2nd (F)", "3rd", "4th"));
    for (int column : {3, 4}) {
        EXPECT_GE(header.sectionSize(column), header.sectionSizeHint(column)) << column;
        EXPECT_GT(header.sectionSize(column),
                  header.fontMetrics().horizontalAdvance(QStringLiteral("1st (F)")))
            << column;
    }
    EXPECT_EQ(header.sectionSize(5), 60) << "a channel the log does not have";

    pane_.showAs({}, false);
    EXPECT_THAT(widths(), ElementsAre(60, 60, 60, 60));
}

// How fast it opens and scrolls is measured in bench/gui/data_list_pane_bench.cpp.
TEST_F(DataListPaneTest, AFullStoreOpensAndScrollsToEitherEnd) {
    fillStore(data_->log.store, 4, kLogCapacity);
    pane_.fillDataList(data_->log.store);
    settleEvents();
    list().scrollToBottom();
    settleEvents();
    list().verticalScrollBar()->setValue(list().verticalScrollBar()->maximum() / 2);
    settleEvents();
    list().scrollToTop();
    settleEvents();
    ASSERT_EQ(model().rowCount(), static_cast<int>(kLogCapacity));
    EXPECT_EQ(model().index(kLogCapacity - 1, 0).data().toString(), "140000");
    EXPECT_EQ(list().indexAt(QPoint(5, 5)).row(), 0);
}

// ---- in the main frame --------------------------------------------------

namespace {

class DataListInFrameTest : public FrameWithLogTest {
protected:
    CDataListPane* pane() const {
        return qobject_cast<CDataListPane*>(frame_->paneContent(kPaneDataList));
    }
    int rows() const { return pane()->list()->model()->rowCount(); }
    void command(int id) {
        frame_->onCommand(id);
        settleEvents();
    }
};

}  // namespace

TEST_F(DataListInFrameTest, TheCommandShowsThePaneAloneWithTheStore) {
    fillStore(data_->log.store, 1, 3);
    command(ID_DATA_LIST);
    EXPECT_TRUE(frame_->pane(kPaneDataList)->isVisible());
    EXPECT_FALSE(frame_->pane(kPaneFileList)->isVisible());
    ASSERT_NE(pane(), nullptr);
    EXPECT_EQ(rows(), 3);
    EXPECT_THAT(rowTexts(*pane()->list()->model(), 2),
                ElementsAre("3", "2024-01-05", "08:30:07", "  25.5", "", "", ""));
}

TEST_F(DataListInFrameTest, TheCommandTwiceShowsTheRowsOnce) {
    fillStore(data_->log.store, 2, 4);
    command(ID_DATA_LIST);
    command(ID_DATA_LIST);
    EXPECT_EQ(rows(), 4);
}

TEST_F(DataListInFrameTest, AZoomLeavesTheListAsItWas) {
    fillStore(data_->log.store, 1, 10);
    command(ID_DATA_LIST);
    // What the chart's zoom does to the store.
    data_->log.store.keepRange(2, 5);
    frame_->frameUi().redrawChart();
    settleEvents();
    EXPECT_EQ(rows(), 10);
    command(ID_DATA_LIST);
    EXPECT_EQ(rows(), 3);
    EXPECT_EQ(pane()->list()->model()->index(0, 2).data().toString(), "08:30:07");
}

TEST_F(DataListInFrameTest, ALoadedLogDoesNotRefillTheList) {
    fillStore(data_->log.store, 1, 2);
    command(ID_DATA_LIST);
    const fs::path log = rootPath() / "a_b.drav";
    {
        auto other = std::make_unique<AppData>();
        fillStore(other->log.store, 1, 7);
        std::ofstream out(log, std::ios::binary);
        ASSERT_TRUE(writeLogFile(out, other->log.store, other->log.setup));
    }
    ASSERT_TRUE(frame_->openDocumentFile(QString::fromStdString(log.string())));
    settleEvents();
    EXPECT_EQ(rows(), 2);
}

// What the user sees of a two-channel log: the titles as they stand and no
// unit over the columns the log does not have.
TEST_F(DataListInFrameTest, ATwoChannelLogShowsThePlainTitles) {
    fillStore(data_->log.store, 2, 3);
    for (std::string& unit : data_->log.store.unitTexts) unit = "oC";
    data_->log.store.unitTexts[1] = "%RH";
    command(ID_DATA_LIST);
    ASSERT_NE(pane(), nullptr);
    EXPECT_THAT(headerTexts(*pane()->list()->model()),
                ElementsAre("SN", "DATE", "TIME", "1st", "2nd", "3rd", "4th"));
    command(ID_FAHRENHEIT);
    EXPECT_THAT(headerTexts(*pane()->list()->model()),
                ElementsAre("SN", "DATE", "TIME", "1st (F)", "2nd", "3rd", "4th"));
}

TEST_F(DataListInFrameTest, ANewDocumentEmptiesAndShowsTheList) {
    fillStore(data_->log.store, 1, 3);
    command(ID_DATA_LIST);
    command(ID_FILE_LIST);
    command(ID_FILE_NEW);
    EXPECT_TRUE(frame_->pane(kPaneDataList)->isVisible());
    EXPECT_EQ(rows(), 0);
}

TEST_F(DataListInFrameTest, RealtimeStartAndTheMidnightSplitEmptyTheList) {
    fillStore(data_->log.store, 1, 3);
    command(ID_DATA_LIST);
    // What realtime sampling asks of the frame when it starts and at midnight.
    frame_->frameUi().clearDataList();
    EXPECT_EQ(rows(), 0);
    EXPECT_TRUE(frame_->pane(kPaneDataList)->isVisible());
}

TEST_F(DataListInFrameTest, ClearingBeforeThePaneExistsDoesNothing) {
    ASSERT_EQ(pane(), nullptr);
    frame_->frameUi().clearDataList();
    EXPECT_EQ(pane(), nullptr);
}
