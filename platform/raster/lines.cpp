// MoveTo/LineTo: cosmetic lines by Bresenham, wide pens as round-ended bands.
#include "platform/raster/raster_dc.h"

#include <algorithm>
#include <cstdlib>

namespace plainquill::raster {

using contracts::Colour;
using contracts::Point;

namespace {

// Octants, numbered from +x towards +y (y grows downwards):
//   1: x+ y+ x-major   2: y+ x+ y-major   3: y+ x- y-major   4: x- y+ x-major
//   5: x- y- x-major   6: y- x- y-major   7: y- x+ y-major   8: x+ y- x-major
// (|dx| == |dy| counts as x-major.)
int octantOf(int dx, int dy)
{
    if (dx >= 0) {
        if (dy >= 0)
            return dx >= dy ? 1 : 2;
        return dx >= -dy ? 8 : 7;
    }
    if (dy >= 0)
        return -dx >= dy ? 4 : 3;
    return -dx >= -dy ? 5 : 6;
}

// The tie rule. When the ideal line passes exactly halfway between two pixels, the error term
// is 0; octants 3, 5, 6 and 8 step on a tie and the others do not. That choice makes a line
// from A to B and the line from B to A light the same pixels (apart from the end point each
// leaves out), which is the property the platform's lines have.
bool stepsOnTie(int octant) { return octant == 3 || octant == 5 || octant == 6 || octant == 8; }

} // namespace

void RasterDc::drawThinLine(Point from, Point to, Colour colour)
{
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    if (dy == 0 || dx == 0) { // the common case: one span, end excluded
        const int x0 = dx >= 0 ? from.x : to.x + 1, x1 = dx >= 0 ? to.x : from.x + 1;
        const int y0 = dy >= 0 ? from.y : to.y + 1, y1 = dy >= 0 ? to.y : from.y + 1;
        const contracts::Rect area = dy == 0 ? contracts::Rect{x0, from.y, x1, from.y + 1}
                                             : contracts::Rect{from.x, y0, from.x + 1, y1};
        m_canvas.forEachPixel(area, [colour](int, int, std::uint32_t& d) { d = colour; });
        return;
    }
    const int adx = std::abs(dx), ady = std::abs(dy);
    const bool xMajor = adx >= ady;
    const int major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
    const int bias = stepsOnTie(octantOf(dx, dy)) ? 1 : 0;
    const int xStep = dx > 0 ? 1 : -1, yStep = dy > 0 ? 1 : -1;
    int err = 2 * minor - major;
    int x = from.x, y = from.y;
    for (int i = 0; i < major; ++i) {
        plot(x, y, colour);
        if (err + bias > 0) {
            (xMajor ? y : x) += xMajor ? yStep : xStep;
            err += 2 * minor - 2 * major;
        } else {
            err += 2 * minor;
        }
        (xMajor ? x : y) += xMajor ? xStep : yStep;
    }
}

// A geometric pen: every pixel within width / 2 of the segment, round ends included. Odd widths
// measure from pixel centres and even widths from pixel corners, so a horizontal line of width w
// is exactly w rows high.
void RasterDc::drawWideLine(Point from, Point to, const contracts::Pen& pen)
{
    const double half = pen.width / 2.0;
    const double offset = pen.width % 2 ? 0.0 : 0.5;
    const double ax = from.x + offset, ay = from.y + offset, bx = to.x + offset, by = to.y + offset;
    const double vx = bx - ax, vy = by - ay, len2 = vx * vx + vy * vy;
    const int reach = pen.width / 2 + 1;
    const contracts::Rect box{std::min(from.x, to.x) - reach, std::min(from.y, to.y) - reach,
                              std::max(from.x, to.x) + reach + 1, std::max(from.y, to.y) + reach + 1};
    const Colour colour = pen.colour;
    m_canvas.forEachPixel(box, [&](int x, int y, std::uint32_t& d) {
        double t = len2 > 0 ? ((x - ax) * vx + (y - ay) * vy) / len2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        const double ex = x - (ax + t * vx), ey = y - (ay + t * vy);
        if (ex * ex + ey * ey <= half * half + 1e-9)
            d = colour;
    });
}

void RasterDc::lineTo(Point p)
{
    syncScale();
    const Point from = std::exchange(m_position, p);
    if (m_pen.isNull())
        return;
    if (m_pen.width > 1)
        drawWideLine(from, p, m_pen);
    else
        drawThinLine(from, p, m_pen.colour);
}

} // namespace plainquill::raster
