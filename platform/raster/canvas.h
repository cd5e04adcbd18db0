#pragma once
// The pixels a DC draws on, seen through its clip: the selected bitmap's bounds, narrowed by the
// clip region when one is selected. Every primitive writes through here, so clipping lives in
// exactly one place.
#include "controls/contracts/bitmap.h"
#include "controls/contracts/geometry.h"
#include "controls/contracts/region.h"

#include <optional>
#include <vector>

namespace plainquill::raster {

class Canvas {
public:
    Canvas() = default;
    Canvas(contracts::Bitmap target, const std::optional<contracts::Region>& clip);

    const contracts::Bitmap& bitmap() const { return m_target; }
    bool isMonochrome() const { return m_target.isMonochrome(); }
    bool isVisible(int x, int y) const;

    contracts::Colour pixel(int x, int y) const { return m_target.pixel(x, y); }
    std::uint32_t* row(int y) { return m_target.row(y); }
    // Precondition: isVisible(x, y). Monochrome targets keep only black or white.
    void setPixel(int x, int y, contracts::Colour c) { m_target.setPixel(x, y, c); }

    // Calls f(y, x0, x1) for every visible run of `area`, x1 exclusive.
    template <typename F>
    void forEachSpan(const contracts::Rect& area, F&& f)
    {
        for (const contracts::Rect& clip : m_visible) {
            const contracts::Rect r = area.intersectedWith(clip);
            if (r.isEmpty())
                continue;
            for (int y = r.top; y < r.bottom; ++y)
                f(y, r.left, r.right);
        }
    }

    // Calls f(x, y, pixelRef) for every visible pixel of `area`.
    template <typename F>
    void forEachPixel(const contracts::Rect& area, F&& f)
    {
        const bool mono = isMonochrome();
        forEachSpan(area, [&](int y, int x0, int x1) {
            std::uint32_t* row = m_target.row(y);
            for (int x = x0; x < x1; ++x) {
                std::uint32_t value = row[x];
                f(x, y, value);
                row[x] = mono ? contracts::Bitmap::nearestMonochrome(value) : (value & 0xFFFFFFu);
            }
        });
    }

private:
    contracts::Bitmap m_target;
    std::vector<contracts::Rect> m_visible; // disjoint
};

} // namespace plainquill::raster
