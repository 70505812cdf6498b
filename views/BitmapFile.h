#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>

#include "base/Outcome.h"
#include "base/Texts.h"

// A picture saved as an uncompressed 16-bit bitmap file: a 14-byte file header
// and a 40-byte info header (54 bytes before the pixels), then the rows bottom
// row first, two bytes a pixel (5 bits each of red, green and blue, the top
// bit clear), each row padded with zero bytes to a multiple of four.

// What the window says when the bitmap cannot be written.
inline constexpr const char* kBitmapExportFailed = txNoop("Failed to save to BMP file.");

inline constexpr std::size_t kBitmapFileHeaderSize = 14;
inline constexpr std::size_t kBitmapInfoHeaderSize = 40;
inline constexpr std::size_t kBitmapHeaderSize = kBitmapFileHeaderSize + kBitmapInfoHeaderSize;

// Pixels as a 32-bit image holds them, top row first: each pixel a native
// 32-bit 0xAARRGGBB (alpha ignored), rows `bytesPerLine` apart. A QImage of
// Format_RGB32 gives constBits() and bytesPerLine() as they are.
struct PixelRows {
    const void* bits;
    std::size_t bytesPerLine;
    int width;
    int height;
};

// Bytes of one stored row: width * 2 rounded up to a multiple of 4.
uint64_t bitmapRowBytes(int width);
// height * bitmapRowBytes(width).
uint64_t bitmapImageBytes(int width, int height);
// kBitmapHeaderSize + bitmapImageBytes(width, height).
uint64_t bitmapFileSize(int width, int height);

// 0xAARRGGBB reduced to 5 bits a colour (the top five of each): 0RRRRRGGGGGBBBBB.
uint16_t toRgb555(uint32_t argb);

// False for pixels that cannot make a bitmap file: a negative size, rows
// shorter than their width, no pixels for a picture that has some, or a file
// too large for its 32-bit size field.
bool isSavableBitmap(const PixelRows& picture);

// Writes the whole file; false when the picture is not savable or the stream failed.
bool writeBitmap(std::ostream& out, const PixelRows& picture);

// Writes the file to `path` through the user-file door, whole or not at all
// (UserFiles::write; EINVAL for a picture that is not savable): on a failure
// the file that was at `path` stays as it was. `log`: the log the picture
// shows, for the door's observers.
Outcome exportBitmapFile(const std::string& path, const PixelRows& picture,
                         const std::string& log = {});
