// FillRect, FrameRect, PatBlt and Rectangle: rectangle fills with brushes and raster operations.
#include "platform/raster/raster_dc.h"
#include "platform/raster/rop.h"

#include <algorithm>

namespace plainquill::raster {

using contracts::Brush;
using contracts::Rect;

void RasterDc::patternFill(const Rect& area, const BrushPattern& pattern, std::uint8_t rop)
{
    if (pattern.isSolid() && rop == 0xF0) { // the hot path: a solid PATCOPY
        const std::uint32_t colour = *pattern.at(0, 0);
        m_canvas.forEachSpan(area, [&](int y, int x0, int x1) {
            std::fill(m_canvas.row(y) + x0, m_canvas.row(y) + x1, colour);
        });
        return;
    }
    const bool needsPattern = ropUsesPattern(rop);
    if (needsPattern && pattern.isNull())
        return;
    m_canvas.forEachPixel(area, [&](int x, int y, std::uint32_t& d) {
        std::uint32_t p = 0;
        if (needsPattern) {
            const auto at = pattern.at(x, y);
            if (!at)
                return; // a transparent hatch gap
            p = *at;
        }
        d = applyRop(rop, p, 0, d);
    });
}

void RasterDc::fillSpan(int y, int x0, int x1, const BrushPattern& pattern)
{
    if (x1 > x0)
        patternFill({x0, y, x1, y + 1}, pattern, 0xF0);
}

Rect extentArea(int x, int y, int width, int height)
{
    Rect area{x, y, x + width, y + height};
    if (width < 0)
        area = {x + width + 1, area.top, x + 1, area.bottom};
    if (height < 0)
        area = {area.left, y + height + 1, area.right, y + 1};
    return area;
}

// FillRect is PatBlt(PATCOPY) with the given brush and the rectangle's width and height, so edges
// given the wrong way round reach back from the left (top) edge as a negative extent does.
void RasterDc::fillRect(const Rect& rect, const Brush& brush)
{
    syncScale();
    patternFill(extentArea(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top),
                BrushPattern(brush, patternContext()), 0xF0);
}

void RasterDc::frameRect(const Rect& r, const Brush& brush)
{
    syncScale();
    if (r.isEmpty())
        return;
    const BrushPattern pattern(brush, patternContext());
    patternFill({r.left, r.top, r.left + 1, r.bottom}, pattern, 0xF0);
    patternFill({r.right - 1, r.top, r.right, r.bottom}, pattern, 0xF0);
    patternFill({r.left, r.top, r.right, r.top + 1}, pattern, 0xF0);
    patternFill({r.left, r.bottom - 1, r.right, r.bottom}, pattern, 0xF0);
}

void RasterDc::patBlt(int x, int y, int width, int height, contracts::RasterOp rop)
{
    syncScale();
    const std::uint8_t code = ropIndex(rop);
    if (ropUsesSource(code))
        return; // PatBlt has no source
    patternFill(extentArea(x, y, width, height), BrushPattern(m_brush, patternContext()), code);
}

void RasterDc::rectangle(const Rect& rect)
{
    syncScale();
    const Rect r = rect.normalized();
    const BrushPattern inside(m_brush, patternContext());
    if (m_pen.isNull()) {
        patternFill({r.left, r.top, r.right - 1, r.bottom - 1}, inside, 0xF0);
        return;
    }
    const int w = std::max(1, m_pen.width);
    const BrushPattern outline(Brush::solid(m_pen.colour), patternContext());
    patternFill({r.left, r.top, r.right, std::min(r.bottom, r.top + w)}, outline, 0xF0);
    patternFill({r.left, std::max(r.top, r.bottom - w), r.right, r.bottom}, outline, 0xF0);
    patternFill({r.left, r.top, std::min(r.right, r.left + w), r.bottom}, outline, 0xF0);
    patternFill({std::max(r.left, r.right - w), r.top, r.right, r.bottom}, outline, 0xF0);
    patternFill(r.inflatedBy(-w, -w), inside, 0xF0);
}

} // namespace plainquill::raster
