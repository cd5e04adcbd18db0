// XpB's repaint and the parts of the face behind the content: background, border or bevel, the
// XP face and the rounded window shape of style 3.
#include "controls/xpbutton/xp_button.h"

#include "controls/xpbutton/xp_colour_math.h"

#include <algorithm>
#include <cmath>

namespace plainquill::xpbutton {

using namespace contracts;

namespace {

constexpr Colour kHighlight = sysColourRef(COLOR_HIGHLIGHT);
constexpr Colour kButtonShadow = sysColourRef(COLOR_BTNSHADOW);
constexpr Colour kButtonHighlight = sysColourRef(COLOR_BTNHIGHLIGHT);
constexpr Colour kDarkShadow = sysColourRef(COLOR_3DDKSHADOW);
constexpr Colour kXPFocus = 0xE6AA8C; // red 140, green 170, blue 230

int rounded(double value) { return static_cast<int>(std::nearbyint(value)); }

// The pixel just inside each corner of a W x H face.
void innerCorners(Dc& dc, int W, int H, Colour colour)
{
    for (const Point p : {Point{1, 1}, Point{1, H - 2}, Point{W - 2, 1}, Point{W - 2, H - 2}})
        dc.setPixelV(p, colour);
}

struct Edge {
    int x1, y1, x2, y2;
    Colour colour;
};

} // namespace

void XpB::Refresh()
{
    Container& c = container();
    c.SetAutoRedraw(true);
    c.Cls();
    PaintBackground();
    if (m_buttonStyle != Bare)
        DrawBorder();
    ComputeLayout();
    DrawPicture();
    if (m_isFocused && m_showFocusRect && m_buttonStyle != XP)
        c.hDC().drawFocusRect(m_focusRect);
    DrawCaption();
    c.SetAutoRedraw(false);
}

void XpB::PaintBackground()
{
    Container& c = container();
    if (m_buttonStyle == XP)
        return;
    if (m_buttonStyle != Flat) {
        if (m_transparentBG)
            CopyParentBackground();
        return;
    }
    // The surface's colour is also what the next Cls clears to, so it goes back to BackColor
    // first: otherwise a transparent button would keep its hover tint after the cursor left
    // wherever the parent has no picture to copy.
    c.SetBackColor(m_backColor);
    if (!m_isDown && m_transparentBG)
        CopyParentBackground();
    const Channels h = SplitColor(ResolveSysColor(kHighlight));
    const auto tint = [](int r, int g, int b) { return rgb(std::min(r, 255), std::min(g, 255), std::min(b, 255)); };
    if (m_isHover && !m_isDown)
        c.SetBackColor(m_xpDefaultColors ? tint(h.red + 171, h.green + 154, h.blue + 108)
                                         : ResolveSysColor(m_xpColorHover));
    if (m_isDown)
        c.SetBackColor(m_xpDefaultColors ? tint(h.red + 156, h.green + 139, h.blue + 108)
                                         : ResolveSysColor(m_xpColorPressed));
}

// Shows the part of the form's background picture that lies under the button. Each step that
// cannot be done (no picture, no bitmap in it) leaves the surface as it is.
void XpB::CopyParentBackground()
{
    Container& c = container();
    try {
        const double left = c.ScaleX(c.Extender().Left(), c.ParentScaleMode(), ScaleUnit::Pixels);
        const double top = c.ScaleY(c.Extender().Top(), c.ParentScaleMode(), ScaleUnit::Pixels);
        const PictureRef picture = c.ParentPicture();
        if (!picture || !picture->bitmap())
            return;
        const std::unique_ptr<Dc> memory = c.graphics().createMemoryDc();
        const Bitmap previous = memory->selectBitmap(*picture->bitmap());
        c.hDC().bitBlt(0, 0, rounded(c.ScaleWidth()), rounded(c.ScaleHeight()), memory.get(), rounded(left),
                       rounded(top), SRCCOPY);
        memory->selectBitmap(previous);
    } catch (const std::exception&) {
        // A parent without the expected properties: nothing to copy.
    }
}

void XpB::DrawBorder()
{
    Container& c = container();
    if (m_buttonStyle == XP) {
        DrawXPFace();
        return;
    }
    if (m_buttonStyle == Flat) {
        PaintBackground();
        return;
    }
    const int w = rounded(c.ScaleWidth());
    const int h = rounded(c.ScaleHeight());
    if (m_bevel < 2) {
        // The second frame lies one pixel further right and down, so only its left and top
        // edges show, over the first frame's: light above and left, shadow below and right.
        FillOrFrame(c.hDC(), 0, 0, w, h, kButtonShadow, false);
        FillOrFrame(c.hDC(), 0, 0, w + 1, h + 1, kButtonHighlight, false);
        return;
    }
    DrawBevel(ResolveSysColor(m_backColor), m_bevel, m_bevelDepth);
}

// Rings from the outside in: the dark pass outlines each ring one step darker than the one
// inside it; the light pass then redraws the top and left edges one step lighter per ring.
void XpB::DrawBevel(Colour base, int rings, int depth)
{
    Container& c = container();
    Colour shade = base;
    for (int k = rings; k >= 0; --k) {
        shade = ShiftColor(shade, -depth);
        FillOrFrame(c.hDC(), k, k, rounded(c.ScaleWidth() - k), rounded(c.ScaleHeight() - k), shade, false);
    }
    Colour light = base;
    for (int k = rings; k >= 0; --k) {
        light = Lighten(light, depth);
        PenLine(k, k, rounded(c.ScaleWidth() - (k + 1)), k, light);
        PenLine(k, k, k, rounded(c.ScaleHeight() - (k + 1)), light);
    }
}

void XpB::DrawXPFace()
{
    Dc& dc = container().hDC();
    const int W = m_clientWidth;
    const int H = m_clientHeight;
    FillOrFrame(dc, 0, 0, W, H, m_backColor, true);
    const Colour u = ShiftColor(ResolveSysColor(m_backColor), 48);
    if (!Enabled()) {
        FillOrFrame(dc, 0, 0, W, H, ShiftColor(u, -24), true);
        FillOrFrame(dc, 0, 0, W, H, ShiftColor(u, -84), false);
        innerCorners(dc, W, H, ShiftColor(u, -72));
        return;
    }

    // One line per row, top light to bottom 25 darker; row 0 is left to the outline.
    const float step = 25.0f / static_cast<float>(H);
    for (int i = 1; i <= H; ++i)
        PenLine(0, i, W, i, ShiftColor(u, static_cast<int>(std::nearbyint(-step * static_cast<float>(i)))));

    const Colour outline = ResolveSysColor(kDarkShadow);
    FillOrFrame(dc, 0, 0, W, H, outline, false);
    innerCorners(dc, W, H, outline);
    DrawXPEdges(u);
}

// The lines just inside the outline: a frame in the focus colour while focused, else light and
// dark shades of the face colour u.
void XpB::DrawXPEdges(Colour u)
{
    const int W = m_clientWidth;
    const int H = m_clientHeight;
    if (m_isFocused) {
        const Colour f = m_xpDefaultColors ? kXPFocus : ResolveSysColor(m_xpColorPressed);
        FillOrFrame(container().hDC(), 1, 2, W - 1, H - 2, f, false);
        const Edge focused[] = {
            {2, H - 2, W - 2, H - 2, ShiftColor(f, -33)}, {2, 1, W - 2, 1, ShiftColor(f, 65)},
            {1, 2, W - 1, 2, ShiftColor(f, 50)},          {2, 3, 2, H - 3, ShiftColor(f, 31)},
            {W - 3, 3, W - 3, H - 3, ShiftColor(f, 31)},
        };
        for (const Edge& e : focused)
            PenLine(e.x1, e.y1, e.x2, e.y2, e.colour);
        return;
    }
    const Edge plain[] = {
        {2, H - 2, W - 2, H - 2, ShiftColor(u, -48)}, {1, H - 3, W - 2, H - 3, ShiftColor(u, -32)},
        {W - 2, 2, W - 2, H - 2, ShiftColor(u, -36)}, {W - 3, 3, W - 3, H - 3, ShiftColor(u, -24)},
        {2, 1, W - 2, 1, ShiftColor(u, 16)},          {1, 2, W - 2, 2, ShiftColor(u, 10)},
        {1, 2, 1, H - 2, ShiftColor(u, -5)},          {2, 3, 2, H - 3, ShiftColor(u, -10)},
    };
    for (const Edge& e : plain)
        PenLine(e.x1, e.y1, e.x2, e.y2, e.colour);
}

// Cuts three pixels off each corner: the corner itself and its neighbours along both edges.
// The window keeps the shape even when the style changes later.
void XpB::SetRoundShape()
{
    Graphics& g = container().graphics();
    const int W = m_clientWidth;
    const int H = m_clientHeight;
    Region shape = g.createRectRgn({0, 0, W, H});
    const Point cut[] = {{0, 0},     {1, 0},         {0, 1},         {W - 1, 0},     {W - 2, 0},     {W - 1, 1},
                         {0, H - 1}, {1, H - 1},     {0, H - 2},     {W - 1, H - 1}, {W - 2, H - 1}, {W - 1, H - 2}};
    for (const Point p : cut)
        shape = g.combineRgn(shape, g.createRectRgn({p.x, p.y, p.x + 1, p.y + 1}), RGN_DIFF);
    container().SetWindowRgn(std::move(shape));
}

void XpB::PenLine(int x1, int y1, int x2, int y2, Colour colour)
{
    Dc& dc = container().hDC();
    const Pen previous = dc.selectPen(Pen::solid(colour));
    dc.moveTo({x1, y1});
    dc.lineTo({x2, y2});
    dc.selectPen(previous);
}

void XpB::FillOrFrame(Dc& dc, int left, int top, int right, int bottom, Colour colour, bool fill)
{
    const Brush brush = Brush::solid(ResolveSysColor(colour));
    if (fill)
        dc.fillRect({left, top, right, bottom}, brush);
    else
        dc.frameRect({left, top, right, bottom}, brush);
}

} // namespace plainquill::xpbutton
