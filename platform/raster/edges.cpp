// DrawEdge and DrawFocusRect: the system's 3-D borders and the dotted focus frame.
#include "platform/raster/raster_dc.h"
#include "platform/raster/rop.h"

#include <array>

namespace plainquill::raster {

using namespace contracts;

namespace {

constexpr int kNone = -1;
using EdgeTable = std::array<int, 16>;

// Indexed by the edge's BDR_ bits: inner bits (0, 4, 8, 12) + outer bits (0, 1, 2, 3).
// A lone inner edge is drawn in the outer position, so its colours sit in the outer tables.
constexpr EdgeTable kTopLeftOuter = {
    kNone, COLOR_3DLIGHT, COLOR_BTNSHADOW, kNone,
    COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT, COLOR_BTNSHADOW, kNone,
    COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_BTNSHADOW, kNone,
    kNone, COLOR_3DLIGHT, COLOR_BTNSHADOW, kNone};
constexpr EdgeTable kTopLeftInner = {
    kNone, kNone, kNone, kNone,
    kNone, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT, kNone,
    kNone, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW, kNone,
    kNone, kNone, kNone, kNone};
constexpr EdgeTable kBottomRightOuter = {
    kNone, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, kNone,
    COLOR_BTNSHADOW, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, kNone,
    COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, kNone,
    kNone, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, kNone};
constexpr EdgeTable kBottomRightInner = {
    kNone, kNone, kNone, kNone,
    kNone, COLOR_BTNSHADOW, COLOR_BTNSHADOW, kNone,
    kNone, COLOR_3DLIGHT, COLOR_3DLIGHT, kNone,
    kNone, kNone, kNone, kNone};
// BF_SOFT swaps the two light and the two dark colours of the top-left side.
constexpr EdgeTable kTopLeftOuterSoft = {
    kNone, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, kNone,
    COLOR_3DLIGHT, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, kNone,
    COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, kNone,
    kNone, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, kNone};
constexpr EdgeTable kTopLeftInnerSoft = {
    kNone, kNone, kNone, kNone,
    kNone, COLOR_3DLIGHT, COLOR_3DLIGHT, kNone,
    kNone, COLOR_BTNSHADOW, COLOR_BTNSHADOW, kNone,
    kNone, kNone, kNone, kNone};

struct EdgeColours {
    int topLeftOuter, topLeftInner, bottomRightOuter, bottomRightInner;
};

// BF_FLAT and BF_MONO draw every side alike: the outer line dark (shadow, or the window frame),
// the inner line in the face (or window) colour.
EdgeColours flatColours(int index, int outerColour, int innerColour)
{
    const int outer = kTopLeftOuter[index] == kNone ? kNone
                      : (index & BDR_OUTER)         ? outerColour
                                                    : innerColour;
    const int inner = kTopLeftInner[index] == kNone ? kNone : innerColour;
    return {outer, inner, outer, inner};
}

EdgeColours edgeColours(EdgeType edge, BorderFlags flags)
{
    const int i = static_cast<int>(edge & (BDR_INNER | BDR_OUTER));
    if (flags & BF_MONO)
        return flatColours(i, COLOR_WINDOWFRAME, COLOR_WINDOW);
    if (flags & BF_FLAT)
        return flatColours(i, COLOR_BTNSHADOW, COLOR_BTNFACE);
    if (flags & BF_SOFT)
        return {kTopLeftOuterSoft[i], kTopLeftInnerSoft[i], kBottomRightOuter[i], kBottomRightInner[i]};
    return {kTopLeftOuter[i], kTopLeftInner[i], kBottomRightOuter[i], kBottomRightInner[i]};
}

int lineCount(int outer, int inner) { return (outer != kNone ? 1 : 0) + (inner != kNone ? 1 : 0); }

} // namespace

// Drawn with lines in the platform's order: outer top and left, outer bottom and right, then the
// inner ones. Because the bottom and right come second they own the top-right and bottom-left
// corner pixels. An inner line stops one pixel short at a corner that both its sides share.
bool RasterDc::drawEdge(Rect& rect, EdgeType edge, BorderFlags flags)
{
    syncScale();
    const EdgeColours c = edgeColours(edge, flags);
    const Rect r = rect;
    const bool top = flags & BF_TOP, left = flags & BF_LEFT, bottom = flags & BF_BOTTOM, right = flags & BF_RIGHT;
    const int lt = top && left, rt = right && top, lb = left && bottom, rb = right && bottom;
    auto line = [&](int colour, int x0, int y0, int x1, int y1) {
        drawThinLine({x0, y0}, {x1, y1}, sysColour(colour));
    };
    if (c.topLeftOuter != kNone) {
        if (top) line(c.topLeftOuter, r.left, r.top, r.right, r.top);
        if (left) line(c.topLeftOuter, r.left, r.top, r.left, r.bottom);
    }
    if (c.bottomRightOuter != kNone) {
        if (bottom) line(c.bottomRightOuter, r.left, r.bottom - 1, r.right, r.bottom - 1);
        if (right) line(c.bottomRightOuter, r.right - 1, r.top, r.right - 1, r.bottom);
    }
    if (c.topLeftInner != kNone) {
        if (top) line(c.topLeftInner, r.left + lt, r.top + 1, r.right - rt, r.top + 1);
        if (left) line(c.topLeftInner, r.left + 1, r.top + lt, r.left + 1, r.bottom - lb);
    }
    if (c.bottomRightInner != kNone) {
        if (bottom) line(c.bottomRightInner, r.left + lb, r.bottom - 2, r.right - rb, r.bottom - 2);
        if (right) line(c.bottomRightInner, r.right - 2, r.top + rt, r.right - 2, r.bottom - rb);
    }
    Rect inner = r;
    if (left) inner.left += lineCount(c.topLeftOuter, c.topLeftInner);
    if (top) inner.top += lineCount(c.topLeftOuter, c.topLeftInner);
    if (right) inner.right -= lineCount(c.bottomRightOuter, c.bottomRightInner);
    if (bottom) inner.bottom -= lineCount(c.bottomRightOuter, c.bottomRightInner);
    if (flags & BF_MIDDLE)
        fillRect(inner, Brush::solid(sysColour(flags & BF_MONO ? COLOR_WINDOW : COLOR_BTNFACE)));
    if (flags & BF_ADJUST)
        rect = inner;
    return true;
}

// PATINVERT of the four 1-pixel sides with a 50 % monochrome pattern aligned to the DC's origin:
// pixels with x + y even are 1 bits (XOR with the background colour), the others 0 bits (XOR
// with the text colour). The sides do not overlap, so drawing twice restores the pixels.
void RasterDc::drawFocusRect(const Rect& rect)
{
    syncScale();
    const Rect r = rect;
    if (r.isEmpty())
        return;
    const Colour dots = m_bitmap.isMonochrome() ? Bitmap::nearestMonochrome(m_bkColour) : m_bkColour;
    const Colour gaps = m_bitmap.isMonochrome() ? Bitmap::nearestMonochrome(m_textColour) : m_textColour;
    auto invert = [&](const Rect& side) {
        m_canvas.forEachPixel(side, [&](int x, int y, std::uint32_t& d) { d ^= ((x + y) % 2 == 0) ? dots : gaps; });
    };
    invert({r.left, r.top, r.right, r.top + 1});
    if (r.height() > 1)
        invert({r.left, r.bottom - 1, r.right, r.bottom});
    invert({r.left, r.top + 1, r.left + 1, r.bottom - 1});
    if (r.width() > 1)
        invert({r.right - 1, r.top + 1, r.right, r.bottom - 1});
}

} // namespace plainquill::raster
