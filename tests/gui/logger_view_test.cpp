// The chart view in the main frame, offscreen: what it draws, the zoom box,
// the reset, the cursor read-out in the status bar, the Display menu and how
// realtime sampling turns them off.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTimer>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "app/CommandIds.h"
#include "app/widgets/CMainFrame.h"
#include "gui/support/FrameWithLog.h"
#include "gui/support/ModalAnswerer.h"
#include "record/AppData.h"
#include "views/ChartGeometry.h"
#include "views/widgets/CLoggerView.h"

namespace {

// Channel c of record i holds 20 + c + (i % 7) / 2.
void fillStore(LogStore& store, uint32_t channels, uint32_t records) {
    fillMinuteLog(store, channels, records);
    for (uint32_t i = 0; i < records; ++i) {
        for (int c = 0; c < kChannels; ++c) {
            store.values[c][i] = 20.0f + static_cast<float>(c) + static_cast<float>(i % 7) / 2;
        }
    }
}

class LoggerViewTest : public FrameWithLogTest {
protected:
    CLoggerView& view() { return *frame_->view(); }

    // Writes a log file and loads it as the file list does.
    void loadLog(uint32_t channels, uint32_t records) {
        fillStore(data().log.store, channels, records);
        saveAndLoadLog();
    }

    ChartRect plot() { return view().plotRect; }
    int midY() { return (plot().top + plot().bottom) / 2; }

    void mouse(QEvent::Type type, Qt::MouseButton button, QPoint pos,
               Qt::MouseButtons held = Qt::NoButton) {
        QMouseEvent event(type, QPointF(pos), QPointF(view().mapToGlobal(pos)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(&view(), &event);
    }
    void drag(int fromX, int toX) {
        mouse(QEvent::MouseButtonPress, Qt::LeftButton, {fromX, midY()}, Qt::LeftButton);
        mouse(QEvent::MouseMove, Qt::NoButton, {(fromX + toX) / 2, midY()}, Qt::LeftButton);
        mouse(QEvent::MouseMove, Qt::NoButton, {toX, midY()}, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, Qt::LeftButton, {toX, midY()});
    }
    void moveTo(int x) { mouse(QEvent::MouseMove, Qt::NoButton, {x, midY()}); }
    // A right click; `inMenu` runs while the Display menu is open, if it opens.
    void rightClick(QPoint pos, std::function<void(QMenu&)> inMenu = {}) {
        bool opened = false;
        QTimer::singleShot(0, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                opened = true;
                if (inMenu) inMenu(*menu);
                menu->close();
            }
        });
        mouse(QEvent::MouseButtonPress, Qt::RightButton, pos, Qt::RightButton);
        mouse(QEvent::MouseButtonRelease, Qt::RightButton, pos);
        menuOpened_ = opened;
        settleEvents();
    }
    QString pane(int id) {
        return frame_->statusBar()->findChild<QLabel*>(QString("pane%1").arg(id))->text();
    }
    std::string firstStamp() { return std::string(data().log.store.timestamp(0)); }

    bool menuOpened_ = false;
};

}  // namespace

TEST_F(LoggerViewTest, AnEmptyStoreShowsOnlyTheViewBackground) {
    const QImage shot = view().grab().toImage();
    EXPECT_EQ(shot.pixelColor(shot.width() / 2, shot.height() / 2), QColor(0, 192, 192));
    EXPECT_EQ(plot(), ChartRect{});
}

TEST_F(LoggerViewTest, ALoadedLogIsDrawnAndItsPlotRectangleKept) {
    loadLog(1, 241);
    std::optional<ChartGeometry> geometry =
        ChartGeometry::compute(ChartRect{0, 0, view().width(), view().height()}, data().log.store);
    ASSERT_TRUE(geometry);
    EXPECT_EQ(plot(), geometry->plot);
    const QImage shot = view().grab().toImage();
    EXPECT_EQ(shot.pixelColor(plot().left + 5, plot().top + 5), QColor(245, 255, 245));
}

TEST_F(LoggerViewTest, DraggingAcrossThePlotKeepsEveryRecordEitherWayRound) {
    loadLog(1, 241);
    drag(plot().left, plot().right);
    EXPECT_EQ(data().log.store.recordCount, 241u);

    const int a = plot().left + (plot().right - plot().left) / 4;
    const int b = plot().left + (plot().right - plot().left) / 2;
    drag(a, b);
    const uint32_t kept = data().log.store.recordCount;
    const std::string first = firstStamp();
    EXPECT_GT(kept, 50u);
    EXPECT_LT(kept, 70u);

    rightClick({b, midY()});  // the whole file again
    ASSERT_EQ(data().log.store.recordCount, 241u);
    drag(b, a);
    EXPECT_EQ(data().log.store.recordCount, kept);
    EXPECT_EQ(firstStamp(), first);
    EXPECT_TRUE(view().cursorStale);
}

TEST_F(LoggerViewTest, AClickWithoutMoveChangesNothingAndSuppressesTheNextCursorLine) {
    loadLog(1, 241);
    const int x = plot().left + 100;
    mouse(QEvent::MouseButtonPress, Qt::LeftButton, {x, midY()}, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, Qt::LeftButton, {x, midY()});
    EXPECT_EQ(data().log.store.recordCount, 241u);
    EXPECT_TRUE(view().cursorStale);

    moveTo(x + 1);
    EXPECT_EQ(view().cursorLineX, 0);
    EXPECT_FALSE(view().cursorStale);
    moveTo(x + 2);
    EXPECT_EQ(view().cursorLineX, x + 2);
}

// A click that wobbles makes a box with no record drawn between its edges.
TEST_F(LoggerViewTest, AZoomBoxWithNoRecordBetweenItsEdgesChangesNothing) {
    loadLog(2, 20000);
    const qint64 picture = view().picture().cacheKey();
    const int x = plot().left + 200;
    const struct {
        const char* what;
        int toX;
        int dy;
    } cases[] = {{"up", x, -6}, {"down", x, 9}, {"one pixel aside", x + 1, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        mouse(QEvent::MouseButtonPress, Qt::LeftButton, {x, midY()}, Qt::LeftButton);
        mouse(QEvent::MouseMove, Qt::NoButton, {c.toX, midY() + c.dy}, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, Qt::LeftButton, {c.toX, midY() + c.dy});
        settleEvents();
        EXPECT_FALSE(view().dragging);
        EXPECT_EQ(data().log.store.recordCount, 20000u);
        EXPECT_EQ(view().picture().cacheKey(), picture);
    }
}

TEST_F(LoggerViewTest, TheCursorReadOutNamesTheRecordUnderThePointer) {
    loadLog(2, 241);
    moveTo(plot().right);
    EXPECT_EQ(pane(136), "2024-01-05 13:00:00") << "the last record";
    EXPECT_EQ(pane(137), "  21.0 oC");
    EXPECT_EQ(pane(138), "  22.0 %RH");
    EXPECT_EQ(pane(145), "") << "a two-channel log empties panes 5 and 6";
    EXPECT_EQ(pane(157), "");
    moveTo(plot().left);
    EXPECT_EQ(pane(136), "2024-01-05 09:00:00");

    moveTo(plot().left - 5);  // outside the plot: the line goes
    EXPECT_EQ(view().cursorLineX, 0);
}

// The line and the read-out describe one picture: whatever replaces it
// takes them away, and the status bar shows its panes as they start.
TEST_F(LoggerViewTest, TheCursorLineAndReadOutGoWhenThePictureIsReplaced) {
    makeLogFilesDir(data());
    const struct {
        const char* what;
        std::function<void()> replace;
    } cases[] = {
        {"a zoom", [&] { drag(plot().left + 10, plot().left + 300); }},
        {"the reset", [&] { frame_->onCommand(ID_ORIGINAL); }},
        {"a new document", [&] { frame_->onCommand(ID_FILE_NEW); }},
        {"another log", [&] { loadLog(1, 50); }},
        {"realtime start",
         [&] {
             ModalAnswerer answerer;
             frame_->engine().startRealtime();
             settleEvents();
             EXPECT_EQ(view().cursorLineX, 0);
             frame_->engine().stopRealtime();
         }},
        {"print preview",
         [&] {
             ModalAnswerer answerer;
             frame_->onCommand(ID_FILE_PRINT_PREVIEW);
             EXPECT_THAT(answerer.dialogs, ::testing::ElementsAre("QPrintPreviewDialog"));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        loadLog(2, 241);
        moveTo(plot().left + 5);  // the move after a redraw draws no line
        moveTo(plot().left + 40);
        ASSERT_NE(view().cursorLineX, 0);
        ASSERT_EQ(pane(136).left(10), "2024-01-05");
        c.replace();
        settleEvents();
        EXPECT_EQ(view().cursorLineX, 0);
        EXPECT_EQ(pane(136), " 0000-00-00 00:00:00");
        EXPECT_EQ(pane(137), " --");
        EXPECT_EQ(pane(138), " --");
        EXPECT_EQ(pane(145), " --");
        EXPECT_EQ(pane(157), "--");
    }
}

// Channel 1 runs 20 .. 23 oC, channel 2 21 .. 24 %RH; the last record holds
// 21.0 and 22.0. The view lays out, draws and reads out as the limits and
// the °F choice say.
TEST_F(LoggerViewTest, LimitsAndFahrenheitReachThePictureTheMouseAndTheReadOut) {
    loadLog(2, 241);
    data().display.limits[0] = {20.5f, 19.0f};
    data().display.limits[1].low = 22.5f;
    data().display.fahrenheit = true;
    view().drawChart();
    const auto g = ChartGeometry::compute(ChartRect{0, 0, view().width(), view().height()},
                                          data().log.store, ChartShown::of(data()));
    ASSERT_TRUE(g);
    EXPECT_EQ(plot(), g->plot);
    moveTo(plot().right);
    EXPECT_EQ(pane(137), "  69.8 F high");
    EXPECT_EQ(pane(138), "  22.0 %RH low");
    // The low limit of channel 1, under every value, is a red dashed row.
    const int y = g->yOfStored(0, 19.0f);
    int red = 0;
    for (int x = plot().left + 2; x < plot().right - 2; ++x) {
        red += view().picture().pixelColor(x, y) == QColor(255, 0, 0);
    }
    EXPECT_GT(red, g->plotW / 2);
    EXPECT_LT(red, g->plotW - 4);
}

TEST_F(LoggerViewTest, MovingTheMouseNeverPaintsThePictureAgain) {
    loadLog(4, 241);
    const qint64 picture = view().picture().cacheKey();
    for (int x = plot().left; x < plot().right; x += 37) moveTo(x);
    drag(plot().left + 10, plot().left + 300);  // the box is an overlay too, until released
    settleEvents();
    EXPECT_NE(view().picture().cacheKey(), picture) << "the zoom painted the kept records";
    const qint64 zoomed = view().picture().cacheKey();
    moveTo(plot().left + 50);
    settleEvents();
    EXPECT_EQ(view().picture().cacheKey(), zoomed);
}

TEST_F(LoggerViewTest, RightClickInThePlotOrTheOriginalCommandReloadsTheWholeFile) {
    loadLog(1, 241);
    drag(plot().left + 10, plot().left + 100);
    ASSERT_LT(data().log.store.recordCount, 241u);
    rightClick({plot().left + 20, midY()});
    EXPECT_FALSE(menuOpened_);
    EXPECT_EQ(data().log.store.recordCount, 241u);

    drag(plot().left + 10, plot().left + 100);
    frame_->onCommand(ID_ORIGINAL);
    EXPECT_EQ(data().log.store.recordCount, 241u);
}

TEST_F(LoggerViewTest, TheDisplayMenuShowsAndHidesChannels) {
    loadLog(2, 241);
    QStringList texts;
    std::vector<bool> checked;
    std::vector<bool> enabled;
    rightClick({plot().left - 20, midY()}, [&](QMenu& menu) {
        for (QAction* action : menu.actions()) {
            texts << action->text();
            checked.push_back(action->isChecked());
            enabled.push_back(action->isEnabled());
        }
        menu.actions().at(2)->trigger();  // "Show 3rd CH" on a two-channel log
    });
    ASSERT_TRUE(menuOpened_);
    EXPECT_EQ(texts, QStringList({"Show 1st CH", "Show 2nd CH", "Show 3rd CH", "Show 4th CH"}));
    EXPECT_THAT(checked, ::testing::ElementsAre(true, true, false, false));
    // The channels the log does not have are offered disabled: choosing one does nothing.
    EXPECT_THAT(enabled, ::testing::ElementsAre(true, true, false, false));
    EXPECT_EQ(data().display.channelVisible[2], 1);

    rightClick({plot().left - 20, midY()}, [](QMenu& menu) { menu.actions().at(0)->trigger(); });
    EXPECT_EQ(data().display.channelVisible[0], 0);
    EXPECT_EQ(frame_->document().title(), "log.drav");
}

TEST_F(LoggerViewTest, RealtimeSamplingTurnsZoomAndReadOutOffAndRightClickOpensTheMenu) {
    loadLog(1, 241);
    data().link.realtimeActive = true;
    const QString before = pane(136);
    drag(plot().left + 10, plot().left + 200);
    EXPECT_EQ(data().log.store.recordCount, 241u);
    moveTo(plot().left + 50);
    EXPECT_EQ(view().cursorLineX, 0);
    EXPECT_EQ(pane(136), before);

    data().log.store.recordCount = 100;  // a reload would bring the file's 241 back
    rightClick({plot().left + 20, midY()});
    EXPECT_TRUE(menuOpened_);
    EXPECT_EQ(data().log.store.recordCount, 100u);
    data().link.realtimeActive = false;
}

TEST_F(LoggerViewTest, ARealtimeSampleRedrawsAndTitlesTheDocumentRealtime) {
    loadLog(1, 10);
    const qint64 picture = view().picture().cacheKey();
    data().log.store.recordCount = 11;
    data().log.store.computeStatistics();
    frame_->frameUi().realtimeSampleArrived();
    EXPECT_NE(view().picture().cacheKey(), picture);
    EXPECT_EQ(frame_->document().title(), "Realtime");
}

TEST_F(LoggerViewTest, WithOneRecordNoDragStartsAndWithNoneTheRightButtonOnlyForgetsTheLine) {
    loadLog(1, 1);
    drag(plot().left, plot().right);
    EXPECT_FALSE(view().dragging);
    EXPECT_EQ(data().log.store.recordCount, 1u);

    data().log.store.recordCount = 0;
    view().cursorLineX = plot().left + 3;
    rightClick({plot().left + 3, midY()});
    EXPECT_FALSE(menuOpened_);
    EXPECT_EQ(view().cursorLineX, 0);
}
