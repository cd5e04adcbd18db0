#include "platform/raster/shapes.h"

#include <algorithm>
#include <cmath>

namespace plainquill::raster {

using contracts::Point;
using contracts::Rect;

namespace {

// Half the width of the rounded shape's row whose centre is `cy`, measured from the corner
// ellipse's centre; the straight part is the full half-width `a`.
double cornerReach(double cy, double top, double bottom, double a, double b)
{
    double dy = 0;
    if (cy < top + b)
        dy = top + b - cy;
    else if (cy > bottom - b)
        dy = cy - (bottom - b);
    else
        return a;
    const double t = 1.0 - (dy * dy) / (b * b);
    return t <= 0 ? -1.0 : a * std::sqrt(t);
}

} // namespace

std::vector<RowSpans> roundRectRows(const Rect& box, int ellipseWidth, int ellipseHeight)
{
    std::vector<RowSpans> rows;
    if (box.isEmpty())
        return rows;
    const double a = std::clamp(ellipseWidth, 0, box.width()) / 2.0;
    const double b = std::clamp(ellipseHeight, 0, box.height()) / 2.0;
    constexpr double eps = 1e-9; // a centre exactly on the outline is inside
    for (int y = box.top; y < box.bottom; ++y) {
        if (a <= 0 || b <= 0) {
            rows.push_back({y, {{box.left, box.right}}});
            continue;
        }
        const double reach = cornerReach(y + 0.5, box.top, box.bottom, a, b);
        if (reach < 0)
            continue;
        // pixel x is inside when left + a - reach <= x + 0.5 <= right - a + reach
        const int x0 = static_cast<int>(std::ceil(box.left + a - reach - 0.5 - eps));
        const int x1 = static_cast<int>(std::floor(box.right - a + reach - 0.5 + eps)) + 1;
        if (x1 > x0)
            rows.push_back({y, {{std::max(x0, box.left), std::min(x1, box.right)}}});
    }
    return rows;
}

namespace {

struct Crossing {
    int x;       // first pixel column at or right of the edge on this row
    int winding; // +1 downward edge, -1 upward edge
};

// ceil(num / den) for den > 0
long long ceilDiv(long long num, long long den)
{
    return num >= 0 ? (num + den - 1) / den : -((-num) / den);
}

std::vector<Crossing> crossingsAt(std::span<const Point> pts, int y)
{
    std::vector<Crossing> out;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const Point p = pts[i], q = pts[(i + 1) % pts.size()];
        if (p.y == q.y)
            continue; // horizontal edges add no crossings
        const Point lo = p.y < q.y ? p : q, hi = p.y < q.y ? q : p;
        if (y < lo.y || y >= hi.y)
            continue; // an edge owns its top row, not its bottom row
        // x on the edge at row y is lo.x + (y - lo.y) * (hi.x - lo.x) / (hi.y - lo.y)
        const long long den = hi.y - lo.y;
        const long long num = static_cast<long long>(lo.x) * den + static_cast<long long>(y - lo.y) * (hi.x - lo.x);
        out.push_back({static_cast<int>(ceilDiv(num, den)), p.y < q.y ? 1 : -1});
    }
    std::sort(out.begin(), out.end(), [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
    return out;
}

std::vector<Span> spansFrom(const std::vector<Crossing>& crossings, contracts::PolyFillMode mode)
{
    std::vector<Span> spans;
    int winding = 0;
    for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
        winding += mode == contracts::WINDING ? crossings[i].winding : 1;
        const bool inside = mode == contracts::WINDING ? winding != 0 : (winding % 2) != 0;
        if (!inside || crossings[i + 1].x <= crossings[i].x)
            continue;
        if (!spans.empty() && spans.back().right == crossings[i].x)
            spans.back().right = crossings[i + 1].x; // join touching runs
        else
            spans.push_back({crossings[i].x, crossings[i + 1].x});
    }
    return spans;
}

} // namespace

std::vector<RowSpans> polygonRows(std::span<const Point> points, contracts::PolyFillMode mode)
{
    std::vector<RowSpans> rows;
    if (points.size() < 3)
        return rows;
    const auto [minIt, maxIt] =
        std::minmax_element(points.begin(), points.end(), [](Point a, Point b) { return a.y < b.y; });
    for (int y = minIt->y; y < maxIt->y; ++y) {
        std::vector<Span> spans = spansFrom(crossingsAt(points, y), mode);
        if (!spans.empty())
            rows.push_back({y, std::move(spans)});
    }
    return rows;
}

} // namespace plainquill::raster
