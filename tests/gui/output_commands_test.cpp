// The exports, the PDF report and printing through the main frame, offscreen:
// the extension and the overwrite question, what a full disk leaves behind,
// the bitmap against the view, and the landscape page read back as text.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDockWidget>
#include <QFileDialog>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/CommandIds.h"
#include "app/widgets/CMainFrame.h"
#include "gui/support/FrameWithLog.h"
#include "gui/support/ModalAnswerer.h"
#include "logdata/StampSeconds.h"
#include "record/AppData.h"
#include "support/CommaLocale.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "views/BitmapFile.h"
#include "views/TextExport.h"
#include "views/widgets/CLoggerView.h"
#include "views/widgets/ChartReport.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

// The output of a command line, or "" when it could not run.
std::string run(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char chunk[4096];
        size_t n;
        while ((n = fread(chunk, 1, sizeof chunk, pipe)) > 0) output.append(chunk, n);
        pclose(pipe);
    }
    return output;
}

class OutputCommandsTest : public FrameWithLogTest {
protected:
    void SetUp() override {
        FrameWithLogTest::SetUp();
        loadLog();
    }

    // Two channels, 241 records a minute apart from 2024-01-05 09:00:00.
    void loadLog() {
        LogStore& store = data().log.store;
        fillMinuteLog(store, 2, 241);
        for (uint32_t i = 0; i < 241; ++i) {
            store.values[0][i] = 21.5f + static_cast<float>(i % 10) / 10;
            store.values[1][i] = 48.0f - static_cast<float>(i % 20) / 10;
        }
        std::memcpy(data().log.setup.name, "Cold room", 9);
        saveAndLoadLog();
    }

    // Runs `command` with `chosen` typed into its save dialog; `replace`
    // answers the question about an existing file.
    std::unique_ptr<ModalAnswerer> exportTo(int command, const std::string& chosen,
                                            bool replace = false) {
        auto answerer = std::make_unique<ModalAnswerer>();
        answerer->onDialog = [&, replace](QDialog& dialog) {
            if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
                files->selectFile(QString::fromStdString(chosen));
                QMetaObject::invokeMethod(files, "accept");
            } else if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
                questions_.push_back(box->text().toStdString());
                box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
            }
        };
        frame_->onCommand(command);
        return answerer;
    }
    std::vector<int> visiblePanes() const {
        std::vector<int> visible;
        for (int id : {kPaneQuery, kPaneDataList, kPaneFileList, kPaneSetup}) {
            if (frame_->pane(id)->isVisible()) visible.push_back(id);
        }
        return visible;
    }
    // The text of a PDF and its page size line ("Page size: ... pts").
    std::string pdfText(const std::string& path) {
        return run("pdftotext -layout '" + path + "' - 2>/dev/null");
    }
    std::pair<double, double> pdfPageSize(const std::string& path) {
        const std::string info = run("pdfinfo '" + path + "' 2>/dev/null");
        double width = 0, height = 0;
        const size_t at = info.find("Page size:");
        if (at != std::string::npos) {
            std::sscanf(info.c_str() + at, "Page size: %lf x %lf", &width, &height);
        }
        return {width, height};
    }

    std::vector<std::string> questions_;
};

}  // namespace

TEST_F(OutputCommandsTest, AnExportGetsItsExtensionAndAsksBeforeReplacingTheFinalFile) {
    const std::string chosen = root() + "/report";
    exportTo(ID_SAVE_TXT, chosen);
    const std::string text = readFileBytes(chosen + ".txt");
    EXPECT_THAT(text,
                ::testing::StartsWith("SN\tDATE\t\tTIME\t\tCH1\tCH2\tCH3\tCH4\r\n1\t2024-01-05\t"
                                      "09:00:00\t21.5\t48.0\t"));
    EXPECT_TRUE(questions_.empty());

    data().log.store.keepRange(0, 10);
    exportTo(ID_SAVE_TXT, chosen, /*replace=*/false);
    ASSERT_EQ(questions_.size(), 1u);
    EXPECT_THAT(questions_[0], HasSubstr(chosen + ".txt already exists."));
    EXPECT_EQ(readFileBytes(chosen + ".txt"), text) << "kept when the user says no";

    exportTo(ID_SAVE_TXT, chosen, /*replace=*/true);
    EXPECT_NE(readFileBytes(chosen + ".txt"), text);
}

TEST_F(OutputCommandsTest, TheSpreadsheetExportHeadsItsColumnsWithTheUnits) {
    exportTo(ID_SAVE_EXCEL, root() + "/sheet");
    EXPECT_EQ(readFileBytes(root() + "/sheet.xls").substr(0, 99),
              std::string("Name:\tCold room\r\nSN:\t1234567890\r\nTotal:\t241\r\n"
                          "SN\tDATE\tTIME\toC\t%RH\r\n1\t2024-01-05\t09:00:00\t21.5\t48.0\r\n"));
}

TEST_F(OutputCommandsTest, AFullDiskIsToldAndLeavesTheEarlierFileAndNoTemporaryFile) {
    const fs::path target = root() + "/full.txt";
    std::ofstream(target) << "earlier";
    std::unique_ptr<ModalAnswerer> answerer;
    {
        FileSizeLimit limit(4096);
        answerer = exportTo(ID_SAVE_TXT, target.string(), /*replace=*/true);
    }
    EXPECT_THAT(answerer->messages,
                ElementsAre("Disk full while accessing " + target.string() + "."));
    EXPECT_EQ(readFileBytes(target), "earlier");
    for (const auto& entry : fs::directory_iterator(root())) {
        EXPECT_NE(entry.path().filename().string()[0], '.') << "left behind: " << entry.path();
    }
}

TEST_F(OutputCommandsTest, TheBitmapIsTheViewsPictureInFiveBitsAColour) {
    CLoggerView& view = *frame_->view();
    exportTo(ID_SAVE_BMP, root() + "/chart");
    const std::string bytes = readFileBytes(root() + "/chart.bmp");
    const int w = view.width(), h = view.height();
    ASSERT_EQ(bytes.size(), bitmapFileSize(w, h));
    const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const uint64_t rowBytes = bitmapRowBytes(w);
    int differing = 0;
    for (int y = 0; y < h; ++y) {
        const char* row = bytes.data() + kBitmapHeaderSize + (h - 1 - y) * rowBytes;
        for (int x = 0; x < w; ++x) {
            uint16_t stored;
            std::memcpy(&stored, row + 2 * x, 2);
            if (stored != toRgb555(shown.pixel(x, y))) ++differing;
        }
    }
    EXPECT_EQ(differing, 0);
}

TEST_F(OutputCommandsTest, SaveToPdfWritesTheReportOnOneLandscapePageWithRealText) {
    exportTo(ID_SAVE_PDF, root() + "/report");
    const std::string path = root() + "/report.pdf";
    ASSERT_THAT(readFileBytes(path), ::testing::StartsWith("%PDF"));
    const auto [width, height] = pdfPageSize(path);
    EXPECT_GT(width, height) << "landscape";
    const std::string text = pdfText(path);
    EXPECT_THAT(text, HasSubstr("Cold room Records Report (1234567890)"));
    EXPECT_THAT(text, HasSubstr("TOTAL LOGS:241, CHANNELS:2"));
    EXPECT_THAT(text, HasSubstr("CHANNEL 02"));
}

// Channel 1 runs 21.5 .. 22.4 oC, channel 2 46.1 .. 48.0 %RH. Without limits
// the report is as it always was. Each channel with limits adds a line below
// the chart, which gives up that room, and the MKT of the temperature channel
// then stands in its statistics row, moving nothing.
TEST_F(OutputCommandsTest, TheReportGivesTheMktAndALineForEachChannelWithLimits) {
    const auto pageOf = [&](const std::string& name) {
        QPdfWriter writer(QString::fromStdString(root() + "/" + name));
        writer.setResolution(600);
        writer.setPageSize(QPageSize(QPageSize::A4));
        const std::optional<ChartGeometry> g = paintReportPage(writer, data());
        const QRect page = writer.pageLayout().paintRectPixels(writer.logicalDpiX());
        return std::make_pair(g, ChartRect{0, 0, page.width(), page.height()});
    };
    const auto [plain, page] = pageOf("plain.pdf");
    ASSERT_TRUE(plain.has_value());
    EXPECT_EQ(plain, ChartGeometry::compute(page, data().log.store)) << "the page as it always was";
    exportTo(ID_SAVE_PDF, root() + "/report");
    const std::string text = pdfText(root() + "/report.pdf");
    EXPECT_THAT(text, Not(HasSubstr("MKT")));
    EXPECT_THAT(text, Not(HasSubstr("limits")));

    data().display.limits[0] = {22.0f, 21.6f};
    data().display.limits[1].low = 47.0f;
    const auto [limited, samePage] = pageOf("limited.pdf");
    ASSERT_TRUE(limited.has_value());
    EXPECT_LT(limited->area.bottom, page.bottom);
    EXPECT_GT(limited->area.bottom, page.bottom * 9 / 10);
    exportTo(ID_SAVE_PDF, root() + "/limits");
    const std::string limits = pdfText(root() + "/limits.pdf");
    EXPECT_THAT(limits, HasSubstr("CH1 limits 21.6 .. 22.0 oC: above "));
    EXPECT_THAT(limits, HasSubstr("CH2 limits 47.0 .. - %RH: above "));
    EXPECT_THAT(limits, HasSubstr("TOTAL LOGS:241, CHANNELS:2"));
    EXPECT_THAT(limits, HasSubstr("CH1 MKT "));
    EXPECT_THAT(limits, HasSubstr(" oC (83.144 kJ/mol)"));
    EXPECT_THAT(limits, Not(HasSubstr("CH2 MKT")));

    data().display.fahrenheit = true;
    exportTo(ID_SAVE_PDF, root() + "/fahrenheit");
    const std::string fahrenheit = pdfText(root() + "/fahrenheit.pdf");
    EXPECT_THAT(fahrenheit, HasSubstr("CH1 limits 70.9 .. 71.6 F: above "));
    EXPECT_THAT(fahrenheit, HasSubstr(" F (83.144 kJ/mol)"));
    EXPECT_THAT(fahrenheit, HasSubstr("CH2 limits 47.0 .. - %RH"));
}

// Two hours missing after 11:00: the limit line of the report says so, and
// counts the record before the gap for one minute, not for the gap.
TEST_F(OutputCommandsTest, TheReportsLimitLineGivesTheGaps) {
    LogStore& store = data().log.store;
    for (uint32_t i = 121; i < store.recordCount; ++i)
        store.timestamps[i] = *stampOfSeconds(*stampSeconds(store.timestamps[i]) + 7200);
    for (uint32_t i = 0; i < store.recordCount; ++i) store.values[0][i] = i == 120 ? 30.0f : 22.0f;
    saveAndLoadLog();
    data().display.limits[0].high = 25.0f;
    exportTo(ID_SAVE_PDF, root() + "/gaps");
    EXPECT_THAT(pdfText(root() + "/gaps.pdf"),
                HasSubstr("CH1 limits - .. 25.0 oC: above 0:01, below 0:00, excursions 1, gaps 1, "
                          "no data 2:00, longest 2:00 from 2024-01-05 11:01:00"));
}

// The window runs under the user's locale, which may write "24,9": the
// report's figures still read with a point.
TEST_F(OutputCommandsTest, TheReportsFiguresReadWithAPointUnderACommaLocale) {
    data().display.limits[0] = {22.0f, 21.6f};
    CommaLocale comma;
    ASSERT_TRUE(comma.active()) << kCommaLocaleMissing;
    exportTo(ID_SAVE_PDF, root() + "/report");
    const std::string text = pdfText(root() + "/report.pdf");
    EXPECT_THAT(text, HasSubstr("MAX:22.4,"));
    EXPECT_THAT(text, HasSubstr("MIN:46.1,"));
    EXPECT_THAT(text, HasSubstr("CH1 limits 21.6 .. 22.0 oC: above "));
    EXPECT_THAT(text, HasSubstr(" oC (83.144 kJ/mol)"));
    EXPECT_THAT(text, ::testing::ContainsRegex("CH1 MKT [0-9]+\\.[0-9] oC"));
    EXPECT_THAT(text, Not(::testing::ContainsRegex("[0-9],[0-9]")));
}

TEST_F(OutputCommandsTest, PrintingGivesOneLandscapePageEvenOnAPortraitPrinterAndClosesThePanes) {
    QPrinter& printer = frame_->printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(root() + "/printed.pdf"));
    printer.setPageOrientation(QPageLayout::Portrait);
    frame_->onCommand(ID_FILE_LIST);
    ASSERT_FALSE(visiblePanes().empty());

    frame_->onCommand(ID_FILE_PRINT_DIRECT);
    EXPECT_TRUE(visiblePanes().empty());
    const auto [width, height] = pdfPageSize(root() + "/printed.pdf");
    EXPECT_GT(width, height);
    EXPECT_THAT(pdfText(root() + "/printed.pdf"), HasSubstr("Records Report (1234567890)"));
    EXPECT_EQ(run("pdfinfo '" + root() + "/printed.pdf' | grep -c '^Pages: *1$'"), "1\n");
}

TEST_F(OutputCommandsTest, PreviewShowsThePageAndClosesThePanes) {
    frame_->onCommand(ID_DATA_LIST);
    ModalAnswerer answerer;
    frame_->onCommand(ID_FILE_PRINT_PREVIEW);
    EXPECT_THAT(answerer.dialogs, ElementsAre("QPrintPreviewDialog"));
    EXPECT_TRUE(visiblePanes().empty());
}
