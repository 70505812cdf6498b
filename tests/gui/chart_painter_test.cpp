#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <cstring>
#include <memory>

#include "record/AppData.h"
#include "support/SyntheticLog.h"
#include "views/widgets/ChartPainter.h"

namespace {

const QColor kWindowBackground(0, 192, 192);
const QColor kChartBackground(245, 255, 245);
const QColor kGridColour(208, 208, 208);
const QColor kFrameColour(0, 64, 128);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kYellow(255, 201, 14);

std::unique_ptr<AppData> chartData(uint32_t records, uint32_t channels, float noise = 0.5f) {
    auto data = std::make_unique<AppData>();
    std::strcpy(data->log.setup.name, "Cellar");
    std::memcpy(data->log.setup.serialNo, "A123456789", sizeof data->log.setup.serialNo);
    for (int& visible : data->display.channelVisible) visible = 1;
    fillSyntheticLog(data->log.store, records, channels, noise);
    return data;
}

QImage blankImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kWindowBackground);
    return image;
}

std::optional<ChartGeometry> paint(QImage& image, const AppData& data,
                                   const ChartPaintOptions& options = {}) {
    QPainter painter(&image);
    return paintChart(painter, image.rect(), data, options);
}

QRect toQRect(const ChartRect& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Pixels of exactly this colour within `area`.
int countColour(const QImage& image, const QColor& colour, const QRect& area) {
    const QRect inside = area & image.rect();
    int count = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (image.pixelColor(x, y) == colour) ++count;
        }
    }
    return count;
}

int countColour(const QImage& image, const QColor& colour) {
    return countColour(image, colour, image.rect());
}

int countDark(const QImage& image, const QRect& area) {
    const QRect inside = area & image.rect();
    int count = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) ++count;
        }
    }
    return count;
}

// Rows from the first to the last that hold a dark pixel within `area`.
int inkHeight(const QImage& image, const QRect& area) {
    int first = -1;
    int last = -1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        if (countDark(image, QRect(area.left(), y, area.width(), 1)) == 0) continue;
        if (first < 0) first = y;
        last = y;
    }
    return first < 0 ? 0 : last - first + 1;
}

int lineHeight(const QFont& font) {
    const QFontMetrics metrics(font);
    return metrics.ascent() + metrics.descent();
}

// The font's line (ascent plus descent) is `height` or less, and one pixel
// size more would make it taller.
::testing::AssertionResult fillsLineHeight(const QFont& font, int height) {
    QFont larger = font;
    larger.setPixelSize(font.pixelSize() + 1);
    if (lineHeight(font) <= height && lineHeight(larger) > height)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "pixel size " << font.pixelSize() << " makes a line of " << lineHeight(font)
           << ", one more " << lineHeight(larger) << ", for a height of " << height;
}

// The plot less its frame.
QRect plotInside(const ChartGeometry& g) {
    return toQRect(g.plot).adjusted(2, 2, -2, -2);
}

TEST(ChartPainter, NothingToDrawLeavesTheSurfaceAsItWas) {
    struct Case {
        const char* what;
        uint32_t records;
        int32_t axisStep;
        uint32_t channels;
    };
    const Case cases[] = {
        {"no record", 0, 5, 1}, {"no statistics yet", 100, 0, 1}, {"five channels", 100, 5, 5}};
    for (const Case& c : cases) {
        auto data = chartData(100, 1);
        data->log.store.recordCount = c.records;
        data->log.store.axisStep = c.axisStep;
        data->log.store.channelCount = c.channels;
        QImage image = blankImage(400, 300);
        EXPECT_FALSE(paint(image, *data).has_value()) << c.what;
        EXPECT_EQ(image, blankImage(400, 300)) << c.what;
    }
}

TEST(ChartPainter, ReturnsTheLayoutOfTheRectangleDrawn) {
    auto data = chartData(500, 2);
    QImage image = blankImage(1100, 700);
    QPainter painter(&image);
    const auto g = paintChart(painter, QRect(50, 40, 1000, 600), *data);
    painter.end();
    ASSERT_TRUE(g.has_value());
    const auto expected = ChartGeometry::compute({50, 40, 1050, 640}, data->log.store);
    EXPECT_EQ(g->plot, expected->plot);
    EXPECT_EQ(g->title, expected->title);
    EXPECT_EQ(image.pixelColor(20, 20), kWindowBackground);  // outside the rectangle
    EXPECT_EQ(image.pixelColor(52, 42), kChartBackground);
    EXPECT_EQ(image.pixelColor(50, 40), QColor(Qt::black));  // the outline
}

TEST(ChartPainter, OneRecordDrawsTheSheetAndTheMarkersButNoCurve) {
    auto data = chartData(1, 4);
    QImage image = blankImage(1000, 600);
    const auto g = paint(image, *data);
    ASSERT_TRUE(g.has_value());
    EXPECT_GT(countDark(image, toQRect(g->title)), 100);
    for (int row = 0; row <= 4; ++row) {
        EXPECT_GT(countDark(image, toQRect(g->rowRect(row))), 50) << "row " << row;
    }
    EXPECT_GT(countColour(image, kGridColour, toQRect(g->plot)), 1000);
    EXPECT_GT(countColour(image, kFrameColour), 2 * 2 * g->plotW);
    // Value labels left of the plot, time and date labels below it.
    EXPECT_GT(countDark(image, QRect(0, g->plot.top, g->plot.left - 2, g->plotH)), 50);
    EXPECT_GT(countDark(image, QRect(0, g->plot.bottom + 2, 1000, 600 - g->plot.bottom - 2)), 100);
    for (const QColor& colour : {kRed, kBlue, kYellow}) {
        EXPECT_EQ(countColour(image, colour, plotInside(*g)), 0) << colour.name().toStdString();
    }
    EXPECT_EQ(countColour(image, kRed, toQRect(g->legendBox(1))),
              toQRect(g->legendBox(1)).width() * toQRect(g->legendBox(1)).height());
    EXPECT_GT(countColour(image, kBlue, toQRect(g->legendBox(2))), 0);
    EXPECT_GT(countColour(image, kYellow, toQRect(g->legendBox(4))), 0);
}

TEST(ChartPainter, AHiddenChannelKeepsItsRowButHasNoCurveAndNoMarker) {
    auto data = chartData(2000, 2);
    data->display.channelVisible[1] = 0;
    QImage image = blankImage(1000, 600);
    const auto g = paint(image, *data);
    ASSERT_TRUE(g.has_value());
    EXPECT_EQ(countColour(image, kBlue), 0);
    EXPECT_GT(countDark(image, toQRect(g->rowRect(2))), 50);
    EXPECT_GT(countColour(image, kRed, plotInside(*g)), g->plotW);
    EXPECT_GT(countColour(image, kRed, toQRect(g->legendBox(1))), 0);
}

TEST(ChartPainter, ValuesOffTheAxisAreDrawnAboveAndBelowTheFrame) {
    // Channel 1 runs a whole wave over 20 +- 5.5; the axis shows 18 .. 22 only.
    auto data = chartData(5000, 1);
    data->log.store.axisMax = 22;
    data->log.store.axisMin = 18;
    data->log.store.axisStep = 1;
    QImage image = blankImage(1000, 600);
    const auto g = paint(image, *data);
    ASSERT_TRUE(g.has_value());
    // Right of the legend marker, so only the curve can be red there.
    const int left = g->plot.left + g->plotW / 4;
    const QRect above(left, 0, g->plot.right - left, g->plot.top - 1);
    const QRect below(left, g->plot.bottom + 2, g->plot.right - left, 600 - g->plot.bottom - 2);
    EXPECT_GT(countColour(image, kRed, above), 100);
    EXPECT_GT(countColour(image, kRed, below), 100);
}

TEST(ChartPainter, ColumnsDrawTheSamePictureAsEverySegment) {
    auto data = chartData(kLogCapacity, 4, 3.0f);
    QImage columns = blankImage(1920, 1080);
    QImage segments = blankImage(1920, 1080);
    ASSERT_TRUE(paint(columns, *data, {.curves = CurveDrawing::PerColumn}).has_value());
    ASSERT_TRUE(paint(segments, *data, {.curves = CurveDrawing::EverySegment}).has_value());
    int differing = 0;
    for (int y = 0; y < 1080; ++y) {
        for (int x = 0; x < 1920; ++x) {
            if (columns.pixel(x, y) != segments.pixel(x, y)) ++differing;
        }
    }
    EXPECT_LT(differing, 1920 * 1080 / 1000) << differing << " pixels differ";
    EXPECT_GT(countColour(columns, kYellow), 10000);  // the curves are there at all
}

TEST(ChartPainter, PaperFontsFollowTheTitleBand) {
    auto data = chartData(100, 2);
    QImage small = blankImage(200, 150);
    QPainter painter(&small);
    const auto page = paintChart(painter, QRect(0, 0, 6600, 4800), *data, {.paper = true});
    painter.end();
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(page->plot, (ChartRect{560, 979, 6039, 4408}));
    EXPECT_TRUE(fillsLineHeight(chartTitleFont(*page, {.paper = true}), 153));
    EXPECT_TRUE(fillsLineHeight(chartTextFont(*page, {.paper = true}), 76));
    EXPECT_TRUE(fillsLineHeight(chartTitleFont(*page, {}), 24));
    EXPECT_TRUE(fillsLineHeight(chartTextFont(*page, {.baseFontHeight = 20}), 20));
    EXPECT_TRUE(chartTitleFont(*page, {}).bold());

    // A 2200 x 1600 page: title band 128 high, so a 51 pixel title, where the
    // screen's is 24 pixels.
    QImage paper = blankImage(2200, 1600);
    QImage screen = blankImage(2200, 1600);
    const auto g = paint(paper, *data, {.paper = true});
    paint(screen, *data);
    ASSERT_TRUE(g.has_value());
    const int paperInk = inkHeight(paper, toQRect(g->title));
    const int screenInk = inkHeight(screen, toQRect(g->title));
    EXPECT_GE(paperInk, 51 * 6 / 10);
    EXPECT_LE(paperInk, 51 * 12 / 10);
    EXPECT_GE(paperInk, 2 * screenInk * 9 / 10) << paperInk << " against " << screenInk;
}

// The layout's font heights are the heights of text lines: each font is as
// large as a line of that height allows, on the screen and on paper alike.
TEST(ChartPainter, EachFontsLineIsTheHeightTheLayoutGivesIt) {
    const auto data = chartData(100, 2);
    for (const QSize size : {QSize(400, 300), QSize(1000, 600), QSize(6600, 4800)}) {
        const auto g = ChartGeometry::compute({0, 0, size.width(), size.height()}, data->log.store);
        ASSERT_TRUE(g.has_value());
        for (const bool paper : {false, true}) {
            for (const int base : {8, 13, 16, 20, 31}) {
                SCOPED_TRACE(::testing::Message()
                             << size.width() << " x " << size.height()
                             << (paper ? " paper" : " screen") << ", base " << base);
                const ChartPaintOptions options{.paper = paper, .baseFontHeight = base};
                const ChartFontHeights heights = g->fontHeights(paper, base);
                EXPECT_TRUE(fillsLineHeight(chartTitleFont(*g, options), heights.title));
                EXPECT_TRUE(fillsLineHeight(chartTextFont(*g, options), heights.text));
                EXPECT_LT(chartTextFont(*g, options).pixelSize(), heights.text)
                    << "a pixel size is less than its line";
            }
        }
    }
}

// A printer pixel is a fraction of a screen pixel: on paper the lines grow
// with the page, so the frame of a 4800-row page is six times as thick.
TEST(ChartPainter, PaperLinesGrowWithThePage) {
    const auto data = chartData(100, 1);
    auto frameThickness = [&](int width, int height, bool paper) {
        QImage image = blankImage(width, height);
        const auto g = paint(image, *data, {.paper = paper});
        const int y = (g->plot.top + g->plot.bottom) / 2;
        int thickness = 0;
        for (int x = g->plot.left - 20; x < g->plot.left + 20; ++x) {
            if (image.pixelColor(x, y) == QColor(0, 64, 128)) ++thickness;
        }
        return thickness;
    };
    EXPECT_EQ(frameThickness(1000, 600, false), 2);
    EXPECT_EQ(frameThickness(6600, 4800, true), 12);
}

TEST(ChartPainter, LeavesNoStateBehind) {
    auto data = chartData(3000, 4);
    QImage first = blankImage(800, 500);
    QImage paper = blankImage(800, 500);
    QImage again = blankImage(800, 500);
    paint(first, *data);
    QPainter painter(&paper);
    const QPen pen(Qt::green, 3);
    const QFont font(QStringLiteral("Courier"), 30);
    painter.setPen(pen);
    painter.setFont(font);
    painter.setBrush(Qt::cyan);
    paintChart(painter, paper.rect(), *data, {.paper = true});
    EXPECT_EQ(painter.pen(), pen);
    EXPECT_EQ(painter.font(), font);
    EXPECT_EQ(painter.brush(), QBrush(Qt::cyan));
    painter.end();
    paint(again, *data);
    EXPECT_EQ(first, again);
    EXPECT_NE(first, paper);
}

// With no limits and °C, every picture is the one the store alone gives, as
// the chart drew before limits and °F existed: screen and paper, one record
// or many; so is °F for a log without an "oC" channel, and any limits when
// the values are asked for as stored.
TEST(ChartPainter, NoLimitsAndCelsiusMoveNoPixel) {
    struct Case {
        uint32_t records, channels;
        int width, height;
        bool paper;
    };
    const Case cases[] = {
        {3000, 2, 1000, 600, false}, {1, 4, 1000, 600, false}, {500, 3, 2200, 1600, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.channels << " channels, " << c.width << " wide");
        auto data = chartData(c.records, c.channels);
        const ChartPaintOptions shown{.paper = c.paper};
        const ChartPaintOptions stored{.paper = c.paper, .asStored = true};
        QImage storeAlone = blankImage(c.width, c.height);
        QImage drawn = blankImage(c.width, c.height);
        ASSERT_TRUE(paint(storeAlone, *data, stored).has_value());
        paint(drawn, *data, shown);
        EXPECT_EQ(drawn, storeAlone);

        data->display.limits[0] = {60.0f, -20.0f};
        QImage limitsIgnored = blankImage(c.width, c.height);
        paint(limitsIgnored, *data, stored);
        EXPECT_EQ(limitsIgnored, storeAlone);

        data->display.limits = {};
        for (int channel = 0; channel < kChannels; ++channel)
            data->log.store.unitTexts[channel] = "%RH";
        QImage humidityAlone = blankImage(c.width, c.height);
        paint(humidityAlone, *data, stored);
        data->display.fahrenheit = true;
        QImage noTemperature = blankImage(c.width, c.height);
        paint(noTemperature, *data, shown);
        EXPECT_EQ(noTemperature, humidityAlone);
    }
}

bool reddish(QRgb pixel) {
    return qRed(pixel) > 160 && qGreen(pixel) < 100 && qBlue(pixel) < 100;
}

int countReddish(const QImage& image, const QRect& area) {
    const QRect inside = area & image.rect();
    int count = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) count += reddish(image.pixel(x, y));
    }
    return count;
}

// Channel 1 (20 +- 5.5 oC) with limits 45 and 5, both off its axis: the
// axis widens to show them, each a red dashed row across the plot with its
// value right of the plot. A hidden channel's limit draws nothing.
TEST(ChartPainter, LimitLinesAreDashedInTheChannelColourWithTheirValuesBesideThePlot) {
    auto data = chartData(3000, 2);
    data->display.limits[0] = {45.0f, 5.0f};
    data->display.limits[1].high = 80.0f;
    data->display.channelVisible[1] = 0;
    QImage image = blankImage(1000, 600);
    const auto g = paint(image, *data, {.paper = false});
    ASSERT_TRUE(g.has_value());
    EXPECT_GT(g->axisMax, 45);
    EXPECT_LT(g->axisMin, 5);
    EXPECT_LT(g->axisMax, 80) << "the hidden channel's limit widens nothing";
    for (const float limit : {45.0f, 5.0f}) {
        SCOPED_TRACE(limit);
        const int y = g->yOfValue(limit);
        ASSERT_GT(y, g->plot.top + 2);
        ASSERT_LT(y, g->plot.bottom - 2);
        const QRect row(g->plot.left + 2, y, g->plotW - 4, 1);
        const int red = countColour(image, kRed, row);
        EXPECT_GT(red, g->plotW / 2) << "a line across the plot";
        EXPECT_LT(red, g->plotW * 9 / 10) << "with gaps between its dashes";
        EXPECT_EQ(countColour(image, kRed, row.translated(0, -3)), 0);
        EXPECT_EQ(countColour(image, kRed, row.translated(0, 3)), 0);
        const ChartRect label = g->limitLabelRect(y);
        EXPECT_GT(label.left, g->plot.right);
        EXPECT_GT(countReddish(image, toQRect(label)), 20) << "its value beside the plot";
    }
    EXPECT_EQ(countColour(image, kBlue), 0);
    // Nothing red right of the plot but the two values.
    const QRect margin(g->plot.right + 2, g->plot.top, 1000 - g->plot.right - 2, g->plotH);
    const int labelled = countReddish(image, toQRect(g->limitLabelRect(g->yOfValue(45.0f)))) +
                         countReddish(image, toQRect(g->limitLabelRect(g->yOfValue(5.0f))));
    EXPECT_EQ(countReddish(image, margin), labelled);
}

// A log of 0 .. 100 oC in °F: the axis covers 32 .. 212 and the curve lies
// where its °F values are.
TEST(ChartPainter, FahrenheitDrawsTheCurveOnItsFahrenheitAxis) {
    auto data = chartData(101, 1);
    for (uint32_t i = 0; i <= 100; ++i) data->log.store.values[0][i] = static_cast<float>(i);
    data->log.store.computeStatistics();
    data->display.fahrenheit = true;
    QImage image = blankImage(1000, 600);
    const auto g = paint(image, *data);
    ASSERT_TRUE(g.has_value());
    EXPECT_LE(g->axisMin, 32);
    EXPECT_GE(g->axisMax, 212);
    EXPECT_EQ(data->log.store.maxValue[0], 100.0f) << "the store keeps °C";
    for (const uint32_t record : {25u, 50u, 75u}) {
        const int x = g->xOfRecord(record);
        const float fahrenheit = static_cast<float>(record) * 9 / 5 + 32;
        EXPECT_EQ(image.pixelColor(x, g->yOfValue(fahrenheit)), kRed) << record;
    }
}

}  // namespace
