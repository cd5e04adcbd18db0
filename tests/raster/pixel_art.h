#pragma once
// Helpers for pixel tests: a small window surface filled with a sentinel colour, and comparison
// of its pixels with a picture drawn in characters ("." sentinel, "#" ink, ...). Expected
// pictures are worked out by hand from the drawing rules, never produced by the renderer.
#include "controls/contracts/drawing_surface.h"
#include "platform/raster/raster_graphics.h"
#include "platform/raster/raster_surface.h"
#include "platform/raster/xp_system_colours.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace plainquill::raster::testing {

using namespace contracts;

inline constexpr Colour kSentinel = 0x00C0FFEE;

using Legend = std::map<char, Colour>;

// The surface's pixels as characters; a colour missing from the legend shows as '?'.
inline std::vector<std::string> pixelArt(const Bitmap& bitmap, const Legend& legend)
{
    std::vector<std::string> rows;
    for (int y = 0; y < bitmap.height(); ++y) {
        std::string row;
        for (int x = 0; x < bitmap.width(); ++x) {
            char shown = '?';
            for (const auto& [c, colour] : legend)
                if (colour == bitmap.pixel(x, y))
                    shown = c;
            row += shown;
        }
        rows.push_back(row);
    }
    return rows;
}

inline std::string joined(const std::vector<std::string>& rows)
{
    std::ostringstream out;
    for (const auto& r : rows)
        out << "\n  " << r;
    return out.str();
}

inline ::testing::AssertionResult matchesArt(const Bitmap& bitmap, const Legend& legend,
                                             const std::vector<std::string>& expected)
{
    const auto actual = pixelArt(bitmap, legend);
    if (actual == expected)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected:" << joined(expected) << "\nactual:" << joined(actual);
}

// One graphics and one window surface of the given size, every pixel the sentinel.
class PixelFixture {
public:
    explicit PixelFixture(Size size = {8, 6}) : graphics(xpSystemColours()), surface(graphics, size)
    {
        reset();
    }

    void reset()
    {
        Rect all{0, 0, surface.size().width, surface.size().height};
        dc().fillRect(all, Brush::solid(kSentinel));
    }
    Dc& dc() { return surface.dc(); }
    const Bitmap& pixels() const { return surface.bitmap(); }
    Colour at(int x, int y) const { return surface.bitmap().pixel(x, y); }

    RasterGraphics graphics;
    RasterSurface surface;
};

// The art for "every pixel in `ink` is '#', the rest '.'".
inline std::vector<std::string> artOfRect(Size size, const Rect& ink)
{
    std::vector<std::string> rows(static_cast<std::size_t>(size.height), std::string(static_cast<std::size_t>(size.width), '.'));
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x)
            if (ink.contains({x, y}))
                rows[y][x] = '#';
    return rows;
}

} // namespace plainquill::raster::testing
