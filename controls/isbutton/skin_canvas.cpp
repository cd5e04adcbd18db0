#include "controls/isbutton/skin_canvas.h"

#include "controls/isbutton/button_colours.h"

namespace plainquill::isbutton {

using namespace contracts;

void SkinCanvas::pixel(int x, int y, Colour c) { m_dc.setPixelV({x, y}, c); }

void SkinCanvas::line(int x1, int y1, int x2, int y2, Colour c)
{
    const Pen old = m_dc.selectPen(Pen::solid(c));
    m_dc.moveTo({x1, y1});
    m_dc.lineTo({x2, y2});
    m_dc.selectPen(old);
}

void SkinCanvas::fill(int x, int y, int w, int h, Colour c) { m_dc.fillRect({x, y, x + w, y + h}, Brush::solid(c)); }

void SkinCanvas::outline(int x, int y, int w, int h, Colour c)
{
    const Pen old = m_dc.selectPen(Pen::solid(c));
    m_dc.moveTo({x, y});
    m_dc.lineTo({x + w, y});
    m_dc.lineTo({x + w, y + h});
    m_dc.lineTo({x, y + h});
    m_dc.lineTo({x, y});
    m_dc.selectPen(old);
}

void SkinCanvas::gradient(Colour top, Colour bottom, int x1, int y, int x2, int n)
{
    if (n < 0)
        return;
    if (n == 0)
        throw SkinEnded{};
    for (int i = 0; i <= n; ++i)
        line(x1, y + i, x2, y + i, step(top, bottom, i, n));
}

void SkinCanvas::hgradient(Colour left, Colour right, int x1, int y1, int x2, int y2)
{
    if (x2 == x1)
        throw SkinEnded{};
    const int n = x2 - x1;
    for (int i = 0; i <= n; ++i)
        line(x1 + i, y1, x1 + i, y2, step(left, right, i, n));
}

void SkinCanvas::borderAndOuterPixels(int W, int H, contracts::Colour border, contracts::Colour outer)
{
    line(2, 0, W - 2, 0, border);
    line(0, 2, 0, H - 2, border);
    line(2, H - 1, W - 2, H - 1, border);
    line(W - 1, 0, W - 1, H, border);
    using contracts::Point;
    for (const Point p : {Point{1, 1}, {1, H - 2}, {W - 2, 1}, {W - 2, H - 2}})
        pixel(p.x, p.y, border);
    for (const Point p : {Point{1, 0}, {W - 2, 0}, {0, 1}, {0, H - 2}, {1, H - 1}, {W - 2, H - 1}, {W - 1, 1},
                          {W - 1, H - 2}})
        pixel(p.x, p.y, outer);
}

} // namespace plainquill::isbutton
