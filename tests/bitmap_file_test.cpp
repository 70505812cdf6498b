#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "support/ByteDiff.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"
#include "views/BitmapFile.h"

using ::testing::ElementsAre;

namespace {

using Bytes = std::vector<uint8_t>;

void writeText(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A 32-bit picture as a window hands it over: rows of `stride` pixels, of
// which only the first `width` belong to the picture.
struct Picture {
    int width;
    int height;
    int stride;
    std::vector<uint32_t> pixels;

    Picture(int w, int h, int s, uint32_t fill)
        : width(w), height(h), stride(s), pixels(static_cast<std::size_t>(s) * h, fill) {}
    uint32_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * stride + x]; }
    PixelRows rows() const {
        return {pixels.data(), static_cast<std::size_t>(stride) * 4, width, height};
    }
};

}  // namespace

TEST(BitmapFile, SizesFollowTheWidthAndHeight) {
    const struct {
        int width, height;
        uint64_t row, image, file;
    } cases[] = {
        {801, 600, 1604, 962400, 962454},  // odd width: one padding pair a row
        {800, 600, 1600, 960000, 960054},
        {1000, 600, 2000, 1200000, 1200054},
        {1, 1, 4, 4, 58},
        {2, 1, 4, 4, 58},
        {3, 2, 8, 16, 70},
        {0, 0, 0, 0, 54},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        EXPECT_EQ(bitmapRowBytes(c.width), c.row);
        EXPECT_EQ(bitmapImageBytes(c.width, c.height), c.image);
        EXPECT_EQ(bitmapFileSize(c.width, c.height), c.file);
    }
}

TEST(BitmapFile, An801By600PictureMakesTheFileAndHeadersOfItsSize) {
    TempDir temp;
    const std::string path = temp.dir() + "chart.bmp";
    const Picture picture(801, 600, 801, 0xFFFFFFFF);
    ASSERT_EQ(exportBitmapFile(path, picture.rows()).error, 0);
    const Bytes file = readFileByteVector(path);
    ASSERT_EQ(file.size(), 962454u);
    const Bytes header = {
        'B',  'M',                           // type
        0x96, 0xAF, 0x0E, 0x00,              // file size 962454
        0,    0,    0,    0,                 // reserved
        54,   0,    0,    0,                 // pixels at 54
        40,   0,    0,    0,                 // info header size
        0x21, 0x03, 0,    0,                 // width 801
        0x58, 0x02, 0,    0,                 // height 600: bottom row first
        1,    0,                             // planes
        16,   0,                             // bits per pixel
        0,    0,    0,    0,                 // uncompressed
        0,    0,    0,    0,                 // image size
        0,    0,    0,    0,    0, 0, 0, 0,  // resolutions
        0,    0,    0,    0,    0, 0, 0, 0,  // colours used, important
    };
    EXPECT_TRUE(sameBytes(Bytes(file.begin(), file.begin() + 54), header));
    // Every row: 801 white pixels, then two zero bytes.
    Bytes row(1604, 0xFF);
    for (std::size_t i = 1; i < 1602; i += 2) row[i] = 0x7F;
    row[1602] = row[1603] = 0;
    for (int y = 0; y < 600; y += 599) {
        SCOPED_TRACE("stored row " + std::to_string(y));
        const auto from = file.begin() + 54 + y * 1604;
        EXPECT_TRUE(sameBytes(Bytes(from, from + 1604), row));
    }
    EXPECT_THAT(temp.names(), ElementsAre("chart.bmp"));
}

TEST(BitmapFile, ColoursKeepTheirTopFiveBits) {
    const struct {
        uint32_t argb;
        uint16_t stored;
    } cases[] = {
        {0xFF000000, 0x0000}, {0xFFFFFFFF, 0x7FFF}, {0x00FFFFFF, 0x7FFF},  // alpha ignored
        {0xFFFF0000, 0x7C00}, {0xFF00FF00, 0x03E0}, {0xFF0000FF, 0x001F}, {0xFF808080, 0x4210},
        {0xFF070707, 0x0000}, {0xFFF8F8F8, 0x7FFF}, {0xFFF7F7F7, 0x7BDE}, {0xFF123456, 0x08CA},
    };
    for (const auto& c : cases) {
        char name[16];
        std::snprintf(name, sizeof name, "0x%08X", c.argb);
        EXPECT_EQ(toRgb555(c.argb), c.stored) << name;
    }
}

TEST(BitmapFile, RowsGoBottomFirstFromTheirStrideAndArePadded) {
    // 3 x 2 in rows of 5 pixels; what lies beyond the width is never written.
    Picture picture(3, 2, 5, 0xFFABCDEF);
    picture.at(0, 0) = 0xFFFF0000;  // top row: red, green, blue
    picture.at(1, 0) = 0xFF00FF00;
    picture.at(2, 0) = 0xFF0000FF;
    picture.at(0, 1) = 0xFFFFFFFF;  // bottom row: white, black, grey
    picture.at(1, 1) = 0xFF000000;
    picture.at(2, 1) = 0xFF808080;
    TempDir temp;
    const std::string path = temp.dir() + "small.bmp";
    ASSERT_EQ(exportBitmapFile(path, picture.rows()).error, 0);
    const Bytes file = readFileByteVector(path);
    ASSERT_EQ(file.size(), 70u);
    const Bytes pixels = {
        0xFF, 0x7F, 0x00, 0x00, 0x10, 0x42, 0, 0,  // bottom row, then two padding bytes
        0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0, 0,  // top row
    };
    EXPECT_TRUE(sameBytes(Bytes(file.begin() + 54, file.end()), pixels));
}

TEST(BitmapFile, APictureThatMakesNoBitmapIsRefusedAndWritesNothing) {
    const uint32_t pixel = 0;
    const struct {
        const char* what;
        PixelRows rows;
    } cases[] = {
        {"a negative width", {&pixel, 4, -1, 1}},
        {"a negative height", {&pixel, 4, 1, -1}},
        {"rows shorter than the width", {&pixel, 4, 2, 1}},
        {"no pixels", {nullptr, 4, 1, 1}},
        {"a file beyond 4 GiB", {&pixel, 4 * 40000, 40000, 60000}},
    };
    for (const auto& c : cases) {
        TempDir temp;
        EXPECT_FALSE(isSavableBitmap(c.rows)) << c.what;
        EXPECT_EQ(exportBitmapFile(temp.dir() + "chart.bmp", c.rows).error, EINVAL) << c.what;
        EXPECT_TRUE(temp.names().empty()) << c.what;
    }
}

TEST(BitmapFile, ADiskThatFillsKeepsTheEarlierFileAndLeavesNoTemporaryFile) {
    const Picture picture(801, 600, 801, 0xFF336699);
    for (const rlim_t limit : {rlim_t{0}, rlim_t{53}, rlim_t{54}, rlim_t{65536}, rlim_t{962453}}) {
        SCOPED_TRACE("cut at " + std::to_string(limit));
        TempDir temp;
        const std::string path = temp.dir() + "chart.bmp";
        writeText(path, "the chart saved before");
        int error = 0;
        {
            FileSizeLimit disk(limit);
            error = exportBitmapFile(path, picture.rows()).error;
        }
        EXPECT_EQ(error, EFBIG);
        EXPECT_TRUE(sameBytes(readFileByteVector(path), std::string("the chart saved before")));
        EXPECT_THAT(temp.names(), ElementsAre("chart.bmp"));
    }
}

TEST(BitmapFile, TheFailureMessageIsTheWindowsText) {
    EXPECT_STREQ(kBitmapExportFailed, "Failed to save to BMP file.");
}
