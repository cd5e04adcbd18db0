// Styles 3 to 9, always horizontal. The fill's divisor differs by style on purpose: 101 in
// styles 5, 7 and 8 (never quite full), 100 in 3, 4, 6 and 9.
#include "controls/progressbar/xp_progress_bar.h"

#include "controls/contracts/control_errors.h"
#include "controls/progressbar/colour_math.h"
#include "controls/progressbar/progress_arithmetic.h"

#include <limits>

namespace plainquill::progressbar {

using namespace contracts;

void XP_ProgressBar::DrawFlat()
{
    const int W = m_clientRect.right, H = m_clientRect.bottom;
    FrameBox(m_clientRect, LightenColor(m_color, 100));
    m_fillArea = {1, 1, roundHalfEven(m_percent / 100.0 * W), H - 1};
    FillBox(m_fillArea, LightenColor(m_color, 180));
}

void XP_ProgressBar::DrawEtched()
{
    const int W = m_clientRect.right, H = m_clientRect.bottom;
    if (m_drawDC)
        m_drawDC->drawEdge(m_clientRect, EDGE_ETCHED, BF_RECT);
    Gradient(LightenColor(m_color, 140), LightenColor(m_color, 200), 2, 2, roundHalfEven(m_percent / 100.0 * (W - 4)),
             H - 3, true);
}

void XP_ProgressBar::DrawShaded()
{
    const int W = m_clientRect.right, H = m_clientRect.bottom;
    FrameBox(m_clientRect, LightenColor(m_color, 10));
    m_fillArea.right = roundHalfEven(m_percent / 101.0 * W);
    Gradient(m_color, LightenColor(m_color, 100), 2, 2, W - 2, H - 5, false);           // the track
    Gradient(LightenColor(m_color, 250), m_color, 3, 3, m_fillArea.right, H - 6, false); // the fill
    Line(m_fillArea.right, 2, m_fillArea.right, H - 2, LightenColor(m_color, 25));
}

void XP_ProgressBar::DrawDark()
{
    const int W = m_clientRect.right, H = m_clientRect.bottom;
    FrameBox(m_clientRect, Blend(m_color, kBlack, 200));
    const Colour end = LightenColor(ResolveColor(Blend(m_color, kBlack, 100)), 10);
    Gradient(kBlack, end, 2, 2, roundHalfEven(m_percent / 100.0 * (W - 5)), H - 2, true);
}

void XP_ProgressBar::DrawHatched()
{
    const int W = m_clientRect.right, H = m_clientRect.bottom;
    if (m_drawDC)
        m_drawDC->drawEdge(m_clientRect, EDGE_BUMP, BF_RECT);
    m_fillArea = {2, 2, roundHalfEven(m_percent / 101.0 * W), H - 2};
    // The hatch style is a 16-bit value; a BrushStyle beyond that is an overflow.
    using Int16 = std::numeric_limits<std::int16_t>;
    if (m_brushStyle < Int16::min() || m_brushStyle > Int16::max())
        throw OverflowError();
    if (!m_drawDC)
        return;
    const Brush hatch = Brush::hatch(m_brushStyle, ResolveColor(m_color));
    // Not restored: the gaps take this colour only while the background mode is still opaque,
    // that is until the first percentage text has been drawn into the buffer.
    m_drawDC->setBkColor(LightenColor(m_color, 140));
    m_drawDC->fillRect(m_fillArea, hatch); // an unknown hatch style makes no brush: nothing is filled
}

void XP_ProgressBar::DrawPatterned()
{
    const int W = m_clientRect.right, H = m_clientRect.bottom;
    if (m_drawDC)
        m_drawDC->drawEdge(m_clientRect, BDR_SUNKENOUTER, BF_RECT);
    if (!m_image)
        return;
    // Only a bitmap makes a pattern brush; an icon or an empty picture fills nothing.
    const Brush pattern = m_image->bitmap() ? Brush::pattern(*m_image->bitmap()) : Brush{};
    const int w = roundHalfEven(m_percent / 101.0 * W);
    m_fillArea.right = w;
    if (!m_drawDC || pattern.isNull())
        return;
    const Brush previous = m_drawDC->selectBrush(pattern);
    m_drawDC->patBlt(2, 2, w, H - 4, PATCOPY);
    m_drawDC->selectBrush(previous);
}

void XP_ProgressBar::DrawMetallic()
{
    const int W = m_clientRect.right, H = m_clientRect.bottom;
    m_fillArea.right = roundHalfEven(m_percent / 100.0 * (W - 4));
    const int half = roundHalfEven((H - 3) / 2.0);
    Gradient(0xFFFFFF, 0xC0C0C0, 2, 2, W - 3, half, false);                          // upper track
    Gradient(Blend(0xC0C0C0, kBlack, 255), 0xC0C0C0, 2, half, W - 3, half, false);   // lower track
    Gradient(LightenColor(m_color, 150), Blend(m_color, kBlack, 180), 2, 2, m_fillArea.right, half, false);
    Gradient(Blend(m_color, kBlack, 190), m_color, 2, half, m_fillArea.right, half, false);
    m_clientRect.left += 3;
    DrawXPFrame();
}

} // namespace plainquill::progressbar
