// XP_ProgressBar's repaint and the drawing primitives every style is built on.
#include "controls/progressbar/xp_progress_bar.h"

#include "controls/contracts/system_colours.h"
#include "controls/progressbar/colour_math.h"
#include "controls/progressbar/progress_arithmetic.h"

#include <algorithm>

namespace plainquill::progressbar {

using namespace contracts;

Colour XP_ProgressBar::ResolveColor(Colour value) const
{
    return resolveByTopBit(value, container().graphics().systemColours());
}

Colour XP_ProgressBar::Blend(Colour first, Colour second, int weight) const
{
    return BlendColor(ResolveColor(first), ResolveColor(second), weight);
}

void XP_ProgressBar::DrawProgressBar()
{
    if (m_percent > 100)
        m_percent = 100;
    if (const std::optional<Rect> client = container().ClientRect(m_hWnd))
        m_clientRect = *client;
    FillBox(m_clientRect, m_scrolling == Dark ? kBlack : kWhite);
    DrawStyle();
    DrawPercentText();
    if (m_buffered)
        pDraw(container().hDC(), 0, 0, roundHalfEven(container().ScaleWidth()),
              roundHalfEven(container().ScaleHeight()), roundHalfEven(container().ScaleLeft()),
              roundHalfEven(container().ScaleTop()));
}

void XP_ProgressBar::DrawStyle()
{
    switch (m_scrolling) {
    case Flat:
        return DrawFlat();
    case Etched:
        return DrawEtched();
    case Shaded:
        return DrawShaded();
    case Dark:
        return DrawDark();
    case Hatched:
        return DrawHatched();
    case Patterned:
        return DrawPatterned();
    case Metallic:
        return DrawMetallic();
    default: // 0 to 2, and any value outside 0 to 9 (which paints like Smooth)
        ComputeFill();
        DrawXPFill();
        if (m_scrolling == Segmented)
            CutSegments();
        DrawXPFrame();
    }
}

void XP_ProgressBar::DrawLine(int X, int Y, int Width, int Height, Dc& cHdc, Colour Color)
{
    const Pen previous = cHdc.selectPen(Pen::solid(ResolveColor(Color)));
    cHdc.moveTo({X, Y});
    cHdc.lineTo({Width, Height});
    cHdc.selectPen(previous);
}

void XP_ProgressBar::DrawGradient(Colour& lEndColor, Colour& lStartcolor, int X, int Y, int X2, int Y2, Dc& hdc,
                                  bool& bH)
{
    lEndColor = ResolveColor(lEndColor);
    lStartcolor = ResolveColor(lStartcolor);
    // Channels and steps in single precision: the bands' colours are rounded from them, and wider
    // values would move some bands one shade.
    const float r1 = static_cast<float>(redOf(lEndColor)), g1 = static_cast<float>(greenOf(lEndColor)),
                b1 = static_cast<float>(blueOf(lEndColor));
    const float r2 = static_cast<float>(redOf(lStartcolor)), g2 = static_cast<float>(greenOf(lStartcolor)),
                b2 = static_cast<float>(blueOf(lStartcolor));
    const int count = bH ? X2 : Y2;
    // A count of 0 leaves nothing to divide: the steps stay 0 and the one line drawn has the end colour.
    const auto step = [count](float from, float to) {
        return count == 0 ? 0.0f : static_cast<float>(static_cast<double>(to - from) / count);
    };
    const float stepR = step(r1, r2), stepG = step(g1, g2), stepB = step(b1, b2);
    const auto channel = [](float start, float stepSize, int i) {
        return std::clamp(roundHalfEven(static_cast<double>(start) + static_cast<double>(stepSize) * i), 0, 255);
    };
    for (int i = 0; i <= count; ++i) {
        const Colour colour = rgb(channel(r1, stepR, i), channel(g1, stepG, i), channel(b1, stepB, i));
        if (bH)
            DrawLine(X + i, Y, X + i, Y2, hdc, colour);
        else
            DrawLine(X, Y + i, X2, Y + i, hdc, colour);
    }
}

void XP_ProgressBar::pDraw(Dc& hdc, int xSrc, int ySrc, int WidthSrc, int HeightSrc, int xDst, int yDst)
{
    if (WidthSrc < 1)
        WidthSrc = m_bufferWidth;
    if (HeightSrc < 1)
        HeightSrc = m_bufferHeight;
    if (m_bufferDC)
        hdc.bitBlt(xDst, yDst, WidthSrc, HeightSrc, m_bufferDC.get(), xSrc, ySrc, SRCCOPY);
}

void XP_ProgressBar::FrameBox(const Rect& rect, Colour colour)
{
    if (m_drawDC)
        m_drawDC->frameRect(rect, Brush::solid(colour));
}

void XP_ProgressBar::FillBox(const Rect& rect, Colour colour)
{
    if (m_drawDC)
        m_drawDC->fillRect(rect, Brush::solid(ResolveColor(colour)));
}

void XP_ProgressBar::Gradient(Colour endColour, Colour startColour, int X, int Y, int X2, int Y2, bool bH)
{
    if (m_drawDC)
        DrawGradient(endColour, startColour, X, Y, X2, Y2, *m_drawDC, bH);
}

void XP_ProgressBar::Line(int X, int Y, int toX, int toY, Colour colour)
{
    if (m_drawDC)
        DrawLine(X, Y, toX, toY, *m_drawDC, colour);
}

} // namespace plainquill::progressbar
