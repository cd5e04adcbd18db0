// Ellipse: the pen's band along the inside of the outline, the brush inside it.
#include "platform/raster/raster_dc.h"
#include "platform/raster/shapes.h"

#include <algorithm>

namespace plainquill::raster {

using contracts::Rect;

namespace {

// The pixels of `outer` not in `inner`, per row; both hold at most one span per row.
std::vector<Span> minus(const Span& outer, const Span* inner)
{
    if (!inner || inner->right <= outer.left || inner->left >= outer.right)
        return {outer};
    std::vector<Span> out;
    if (inner->left > outer.left)
        out.push_back({outer.left, inner->left});
    if (inner->right < outer.right)
        out.push_back({inner->right, outer.right});
    return out;
}

const Span* rowSpan(const std::vector<RowSpans>& rows, int y)
{
    for (const RowSpans& r : rows)
        if (r.y == y && !r.spans.empty())
            return &r.spans.front();
    return nullptr;
}

} // namespace

void RasterDc::ellipse(const Rect& rect)
{
    syncScale();
    const Rect box = rect.normalized();
    const BrushPattern inside(m_brush, patternContext());
    if (m_pen.isNull()) {
        const Rect smaller{box.left, box.top, box.right - 1, box.bottom - 1};
        for (const RowSpans& row : roundRectRows(smaller, smaller.width(), smaller.height()))
            fillSpan(row.y, row.spans.front().left, row.spans.front().right, inside);
        return;
    }
    const int w = std::max(1, m_pen.width);
    const Rect innerBox = box.inflatedBy(-w, -w);
    const auto outerRows = roundRectRows(box, box.width(), box.height());
    const auto innerRows = roundRectRows(innerBox, innerBox.width(), innerBox.height());
    const BrushPattern outline(contracts::Brush::solid(m_pen.colour), patternContext());
    for (const RowSpans& row : outerRows) {
        const Span* inner = rowSpan(innerRows, row.y);
        for (const Span& s : minus(row.spans.front(), inner))
            fillSpan(row.y, s.left, s.right, outline);
        if (inner)
            fillSpan(row.y, inner->left, inner->right, inside);
    }
}

} // namespace plainquill::raster
