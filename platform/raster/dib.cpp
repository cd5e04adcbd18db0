// GetDIBits and SetDIBitsToDevice: 24- and 32-bit BI_RGB arrays, bottom-up or top-down,
// rows padded to 4 bytes, bytes blue-green-red.
#include "platform/raster/raster_dc.h"

#include <algorithm>

namespace plainquill::raster {

using contracts::Colour;
using contracts::DibInfo;

namespace {

bool supported(const DibInfo& info)
{
    return info.headerSize >= 40 && info.planes == 1 && (info.bitCount == 24 || info.bitCount == 32) &&
           info.width > 0 && info.height != 0;
}

// The array row (in memory order) that holds image row `y` counted from the top.
int arrayRowOfImageRow(const DibInfo& info, int y) { return info.isBottomUp() ? info.rows() - 1 - y : y; }

void writePixel(std::uint8_t* at, Colour c, int bytesPerPixel)
{
    at[0] = static_cast<std::uint8_t>(contracts::blueOf(c));
    at[1] = static_cast<std::uint8_t>(contracts::greenOf(c));
    at[2] = static_cast<std::uint8_t>(contracts::redOf(c));
    if (bytesPerPixel == 4)
        at[3] = 0;
}

Colour readPixel(const std::uint8_t* at) { return contracts::rgb(at[2], at[1], at[0]); }

} // namespace

// The array must describe the whole bitmap (same width and height); rows outside
// [startScan, startScan + scanLines) are not touched.
int RasterDc::getDIBits(const contracts::Bitmap& bitmap, int startScan, int scanLines, std::span<std::uint8_t> bits,
                        const DibInfo& info) const
{
    if (bitmap.isNull() || !supported(info) || info.width != bitmap.width() || info.rows() != bitmap.height())
        return 0;
    const int first = std::max(0, startScan);
    const int last = std::min(info.rows(), startScan + scanLines); // exclusive, in array rows
    if (last <= first || bits.size() < static_cast<std::size_t>(last - startScan) * info.stride())
        return 0;
    const int bytesPerPixel = info.bitCount / 8;
    for (int r = first; r < last; ++r) {
        const int y = arrayRowOfImageRow(info, r); // the mapping is its own inverse
        std::uint8_t* row = bits.data() + static_cast<std::size_t>(r - startScan) * info.stride();
        for (int x = 0; x < info.width; ++x)
            writePixel(row + x * bytesPerPixel, bitmap.pixel(x, y), bytesPerPixel);
    }
    return last - first;
}

// For a bottom-up array (srcX, srcY) is the lower-left corner of the block in the array's own
// coordinates (y counted up from the last image row), so a block is named alike both ways up.
int RasterDc::setDIBitsToDevice(int x, int y, int width, int height, int srcX, int srcY, int startScan,
                                int scanLines, std::span<const std::uint8_t> bits, const DibInfo& info)
{
    syncScale();
    if (!supported(info) || width <= 0 || height <= 0 ||
        bits.size() < static_cast<std::size_t>(std::max(0, scanLines)) * info.stride())
        return 0;
    const int bytesPerPixel = info.bitCount / 8;
    int rowsSet = 0;
    for (int j = 0; j < height; ++j) {
        const int arrayRow = info.isBottomUp() ? srcY + height - 1 - j : srcY + j;
        const int inBuffer = arrayRow - startScan;
        if (arrayRow < 0 || arrayRow >= info.rows() || inBuffer < 0 || inBuffer >= scanLines)
            continue;
        ++rowsSet;
        const std::uint8_t* row = bits.data() + static_cast<std::size_t>(inBuffer) * info.stride();
        for (int i = 0; i < width; ++i) {
            const int sx = srcX + i;
            if (sx >= 0 && sx < info.width)
                plot(x + i, y + j, readPixel(row + sx * bytesPerPixel));
        }
    }
    return rowsSet;
}

} // namespace plainquill::raster
