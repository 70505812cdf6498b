#include "views/BitmapFile.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <limits>
#include <ostream>
#include <span>
#include <vector>

#include "base/ByteOrder.h"
#include "logdata/UserFiles.h"

namespace {

using Header = std::array<uint8_t, kBitmapHeaderSize>;

constexpr uint16_t kPlanes = 1;
constexpr uint16_t kBitsPerPixel = 16;
constexpr uint32_t kUncompressed = 0;
constexpr std::size_t kBytesPerPixel = 2;
constexpr std::size_t kSourceBytesPerPixel = 4;

// Image size, resolutions and colour counts stay 0, as for any uncompressed picture.
Header headerOf(const PixelRows& picture) {
    Header header{};
    header[0] = 'B';
    header[1] = 'M';
    writeU32le(header, 2, static_cast<uint32_t>(bitmapFileSize(picture.width, picture.height)));
    writeU32le(header, 10, kBitmapHeaderSize);
    const std::span<uint8_t> info = std::span(header).subspan(kBitmapFileHeaderSize);
    writeU32le(info, 0, kBitmapInfoHeaderSize);
    writeI32le(info, 4, picture.width);
    writeI32le(info, 8, picture.height);  // positive: the bottom row comes first
    writeU16le(info, 12, kPlanes);
    writeU16le(info, 14, kBitsPerPixel);
    writeU32le(info, 16, kUncompressed);
    return header;
}

// Source row `y` (0 at the top) as stored: two bytes a pixel, the padding
// after them left as it is (zero).
void encodeRow(const PixelRows& picture, int y, std::vector<uint8_t>& row) {
    const auto* source = static_cast<const uint8_t*>(picture.bits) +
                         static_cast<std::size_t>(y) * picture.bytesPerLine;
    for (int x = 0; x < picture.width; ++x) {
        uint32_t pixel;
        std::memcpy(&pixel, source + static_cast<std::size_t>(x) * kSourceBytesPerPixel,
                    sizeof pixel);
        writeU16le(row, static_cast<std::size_t>(x) * kBytesPerPixel, toRgb555(pixel));
    }
}

}  // namespace

uint64_t bitmapRowBytes(int width) {
    return (static_cast<uint64_t>(width) * kBytesPerPixel + 3) / 4 * 4;
}

uint64_t bitmapImageBytes(int width, int height) {
    return static_cast<uint64_t>(height) * bitmapRowBytes(width);
}

uint64_t bitmapFileSize(int width, int height) {
    return kBitmapHeaderSize + bitmapImageBytes(width, height);
}

uint16_t toRgb555(uint32_t argb) {
    const uint32_t red = (argb >> 19) & 0x1F;
    const uint32_t green = (argb >> 11) & 0x1F;
    const uint32_t blue = (argb >> 3) & 0x1F;
    return static_cast<uint16_t>(red << 10 | green << 5 | blue);
}

bool isSavableBitmap(const PixelRows& picture) {
    if (picture.width < 0 || picture.height < 0) return false;
    if (bitmapFileSize(picture.width, picture.height) > std::numeric_limits<uint32_t>::max())
        return false;
    if (picture.width == 0 || picture.height == 0) return true;
    return picture.bits != nullptr &&
           picture.bytesPerLine >= static_cast<std::size_t>(picture.width) * kSourceBytesPerPixel;
}

bool writeBitmap(std::ostream& out, const PixelRows& picture) {
    if (!isSavableBitmap(picture)) return false;
    const Header header = headerOf(picture);
    out.write(reinterpret_cast<const char*>(header.data()), header.size());
    std::vector<uint8_t> row(bitmapRowBytes(picture.width), 0);
    for (int y = picture.height - 1; y >= 0 && out; --y) {
        encodeRow(picture, y, row);
        out.write(reinterpret_cast<const char*>(row.data()),
                  static_cast<std::streamsize>(row.size()));
    }
    return static_cast<bool>(out);
}

Outcome exportBitmapFile(const std::string& path, const PixelRows& picture,
                         const std::string& log) {
    const UserFileTarget target{UserFileKind::BitmapExport, path, log};
    if (!isSavableBitmap(picture)) return userFiles().refuse(target, EINVAL);
    return userFiles().write(target, [&](std::ostream& out) { return writeBitmap(out, picture); });
}
