#include "platform/raster/canvas.h"

namespace plainquill::raster {

using contracts::Rect;

Canvas::Canvas(contracts::Bitmap target, const std::optional<contracts::Region>& clip, DeviceLayer layer)
    : m_target(std::move(target)), m_layer(std::move(layer))
{
    const Rect bounds = m_target.bounds();
    if (bounds.isEmpty())
        return;
    if (!clip) {
        m_visible.push_back(bounds);
        return;
    }
    for (const Rect& r : clip->rects()) {
        const Rect inside = r.intersectedWith(bounds);
        if (!inside.isEmpty())
            m_visible.push_back(inside);
    }
}

bool Canvas::isVisible(int x, int y) const
{
    for (const Rect& r : m_visible)
        if (r.contains({x, y}))
            return true;
    return false;
}

contracts::Bitmap enlarged(const contracts::Bitmap& bitmap, int scale)
{
    if (bitmap.isNull() || scale <= 1)
        return {};
    const contracts::Size size{bitmap.width() * scale, bitmap.height() * scale};
    contracts::Bitmap layer = contracts::Bitmap::create(size, bitmap.format());
    for (int y = 0; y < size.height; ++y) {
        const std::uint32_t* from = bitmap.row(y / scale);
        std::uint32_t* to = layer.row(y);
        for (int x = 0; x < size.width; ++x)
            to[x] = from[x / scale];
    }
    return layer;
}

} // namespace plainquill::raster
