#pragma once
// The pixels a DC draws on, seen through its clip: the selected bitmap's bounds, narrowed by the
// clip region when one is selected. Every primitive writes through here, so clipping lives in
// exactly one place.
//
// On a high-density screen a canvas also carries a device layer: the same picture `scale` times
// larger in each direction. Primitives draw in logical pixels, and every logical pixel written is
// copied into its scale x scale block of the layer, so lines, fills and shapes come out exactly
// as the 1x picture enlarged. Text alone is drawn into the layer a second time at the layer's own
// resolution (see text.cpp), which is why writes can ask not to be mirrored.
#include "controls/contracts/bitmap.h"
#include "controls/contracts/geometry.h"
#include "controls/contracts/region.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace plainquill::raster {

// A bitmap's pixels at `scale` device pixels per logical pixel; no pixels at scale 1.
struct DeviceLayer {
    contracts::Bitmap pixels;
    int scale = 1;

    bool isPresent() const { return !pixels.isNull() && scale > 1; }
};

// Whether a write reaches the device layer as the enlarged logical pixel.
enum class Mirror { Yes, No };

class Canvas {
public:
    Canvas() = default;
    Canvas(contracts::Bitmap target, const std::optional<contracts::Region>& clip, DeviceLayer layer = {});

    const contracts::Bitmap& bitmap() const { return m_target; }
    const DeviceLayer& layer() const { return m_layer; }
    bool isMonochrome() const { return m_target.isMonochrome(); }
    bool isVisible(int x, int y) const;

    contracts::Colour pixel(int x, int y) const { return m_target.pixel(x, y); }
    std::uint32_t* row(int y) { return m_target.row(y); }
    // Precondition: isVisible(x, y). Monochrome targets keep only black or white.
    void setPixel(int x, int y, contracts::Colour c)
    {
        m_target.setPixel(x, y, c);
        mirror(y, x, x + 1);
    }

    // Calls f(y, x0, x1) for every visible run of `area`, x1 exclusive; what f writes to row(y)
    // in [x0, x1) is then mirrored.
    template <typename F>
    void forEachSpan(const contracts::Rect& area, F&& f, Mirror m = Mirror::Yes)
    {
        for (const contracts::Rect& clip : m_visible) {
            const contracts::Rect r = area.intersectedWith(clip);
            if (r.isEmpty())
                continue;
            for (int y = r.top; y < r.bottom; ++y) {
                f(y, r.left, r.right);
                if (m == Mirror::Yes)
                    mirror(y, r.left, r.right);
            }
        }
    }

    // Calls f(x, y, pixelRef) for every visible pixel of `area`.
    template <typename F>
    void forEachPixel(const contracts::Rect& area, F&& f, Mirror m = Mirror::Yes)
    {
        forEachSpan(area, [&](int y, int x0, int x1) { writeRun(m_target.row(y), y, x0, x1, f); }, m);
    }

    // The device layer's counterpart of forEachPixel: `deviceArea` and the coordinates passed to
    // f are device pixels, clipped to the enlarged clip. Nothing happens without a layer.
    template <typename F>
    void forEachDevicePixel(const contracts::Rect& deviceArea, F&& f)
    {
        if (!m_layer.isPresent())
            return;
        const int s = m_layer.scale;
        for (const contracts::Rect& clip : m_visible) {
            const contracts::Rect scaled{clip.left * s, clip.top * s, clip.right * s, clip.bottom * s};
            const contracts::Rect r = deviceArea.intersectedWith(scaled);
            for (int y = r.top; y < r.bottom; ++y)
                writeRun(m_layer.pixels.row(y), y, r.left, r.right, f);
        }
    }

private:
    template <typename F>
    void writeRun(std::uint32_t* row, int y, int x0, int x1, F& f)
    {
        const bool mono = isMonochrome();
        for (int x = x0; x < x1; ++x) {
            std::uint32_t value = row[x];
            f(x, y, value);
            row[x] = mono ? contracts::Bitmap::nearestMonochrome(value) : (value & 0xFFFFFFu);
        }
    }

    // Copies logical pixels [x0, x1) of row y into their blocks of the device layer.
    void mirror(int y, int x0, int x1)
    {
        if (!m_layer.isPresent())
            return;
        const int s = m_layer.scale;
        const std::uint32_t* from = m_target.row(y);
        for (int dy = 0; dy < s; ++dy) {
            std::uint32_t* to = m_layer.pixels.row(y * s + dy);
            for (int x = x0; x < x1; ++x)
                std::fill_n(to + x * s, s, from[x]);
        }
    }

    contracts::Bitmap m_target;
    DeviceLayer m_layer;
    std::vector<contracts::Rect> m_visible; // disjoint
};

// A new layer showing `bitmap` enlarged `scale` times (each pixel a scale x scale block).
contracts::Bitmap enlarged(const contracts::Bitmap& bitmap, int scale);

} // namespace plainquill::raster
