#include "platform/raster/canvas.h"

namespace plainquill::raster {

using contracts::Rect;

Canvas::Canvas(contracts::Bitmap target, const std::optional<contracts::Region>& clip)
    : m_target(std::move(target))
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

} // namespace plainquill::raster
