#pragma once
// A region (HRGN) as a value: a set of pixels kept as disjoint rectangles sorted top to bottom,
// then left to right, and grouped into bands that share their top and bottom.
// Regions are made by Graphics (graphics.h) from rectangles, rounded rectangles, ellipses and
// polygons, and combined there; this type only holds and queries them. Copying a Region copies
// the shape, so "the window owns the region from then on" needs no bookkeeping.
#include "controls/contracts/geometry.h"

#include <utility>
#include <vector>

namespace plainquill::contracts {

class Region {
public:
    Region() = default; // the empty region

    // `bandedRects` must already be disjoint and in band order; Graphics guarantees that.
    explicit Region(std::vector<Rect> bandedRects) : m_rects(std::move(bandedRects)) {}

    const std::vector<Rect>& rects() const { return m_rects; }
    bool isEmpty() const { return m_rects.empty(); }

    // PtInRegion
    bool contains(Point p) const
    {
        for (const Rect& r : m_rects) {
            if (r.top > p.y)
                return false; // bands are sorted: nothing further down can hold the point
            if (r.contains(p))
                return true;
        }
        return false;
    }

    // GetRgnBox: the smallest rectangle holding every pixel; all zero for an empty region.
    Rect bounds() const
    {
        if (m_rects.empty())
            return {};
        Rect box = m_rects.front();
        for (const Rect& r : m_rects) {
            box.left = std::min(box.left, r.left);
            box.right = std::max(box.right, r.right);
            box.bottom = std::max(box.bottom, r.bottom);
        }
        return box;
    }

    // OffsetRgn
    Region offsetBy(int dx, int dy) const
    {
        std::vector<Rect> moved;
        moved.reserve(m_rects.size());
        for (const Rect& r : m_rects)
            moved.push_back(r.offsetBy(dx, dy));
        return Region(std::move(moved));
    }

    // EqualRgn: with the canonical banding of Graphics, equal shapes have equal rectangles.
    friend bool operator==(const Region&, const Region&) = default;

private:
    std::vector<Rect> m_rects;
};

} // namespace plainquill::contracts
