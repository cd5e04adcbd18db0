// Styles 0 to 2 (and any style outside 0 to 9): the fill computed in whole pitches, the shaded
// band or the three searching blocks, the white gaps of the segmented style, and the grey frame
// with rounded corners that the XP-like styles share.
#include "controls/progressbar/xp_progress_bar.h"

#include "controls/progressbar/colour_math.h"
#include "controls/progressbar/progress_arithmetic.h"

namespace plainquill::progressbar {

using namespace contracts;

void XP_ProgressBar::ComputeFill()
{
    m_segmentWidth = m_scrolling == Segmented ? 6 : 0;
    m_segmentGap = 2;
    const int pitch = m_segmentWidth + m_segmentGap;
    m_clientRect.left += 3;
    m_fillArea = m_clientRect;
    // No upper bound: 100 % gives 1.0204, so the fill runs on under the frame.
    m_fillFraction = std::max(0.0, m_percent / 98.0);
    if (m_orientation == 0) {
        const int x = roundHalfEven((m_clientRect.right - m_clientRect.left) * m_fillFraction + m_clientRect.left);
        // Whole pitches from the left. % keeps the sign of its left side, so a fill short of the left
        // edge moves up towards it instead of a pitch further away.
        m_fillArea.right = x - ((x - m_fillArea.left) % pitch);
        if (m_fillArea.right < m_clientRect.left)
            m_fillArea.right = m_clientRect.left;
    } else {
        m_fillFraction = 1 - m_fillFraction;
        const int y = roundHalfEven((m_clientRect.bottom - m_clientRect.top) * m_fillFraction + m_clientRect.top);
        m_fillArea.top = y - ((y - m_fillArea.bottom) % pitch);
        if (m_fillArea.top > m_clientRect.bottom)
            m_fillArea.top = m_clientRect.bottom;
    }
}

void XP_ProgressBar::DrawXPFill()
{
    if (m_orientation == 0)
        DrawXPFillHorizontal();
    else
        DrawXPFillVertical();
}

void XP_ProgressBar::DrawXPFillHorizontal()
{
    const int H = m_clientRect.bottom;
    if (m_fillArea.right <= 14)
        m_fillArea.right = 12; // at least one block shows
    const Rect band{4, 8, m_fillArea.right + 4 > m_clientRect.right ? m_fillArea.right - 4 : m_fillArea.right, H - 8};
    if (m_scrolling != Searching) {
        const Colour light = LightenColor(m_color, 150);
        // The order matters: the band covers rows 8 and 9 of the first gradient, and the second
        // gradient covers the band's last two rows.
        Gradient(light, m_color, 4, 3, band.right, 6, false);
        FillBox(band, m_color);
        Gradient(m_color, light, 4, H - 10, band.right, 6, false);
        return;
    }
    for (int i = 0; i < 3; ++i) {
        const int x =
            roundHalfEven(m_fillArea.right + (m_segmentGap + 10) * i - (100 - m_percent) / 100.0 * 45);
        Gradient(LightenColor(m_color, 220 - 40 * i), LightenColor(m_color, 200 - 40 * i), x, 3, 9, H - 2, true);
    }
}

void XP_ProgressBar::DrawXPFillVertical()
{
    const int W = m_clientRect.right;
    const int H = m_clientRect.bottom;
    const Rect band{9, m_fillArea.top, W - 8, H};
    if (m_scrolling != Searching) {
        const Colour light = LightenColor(m_color, 150);
        Gradient(light, m_color, 4, m_fillArea.top, 4, H, true);
        FillBox(band, m_color);
        Gradient(m_color, light, W - 8, m_fillArea.top, 4, H, true);
        return;
    }
    for (int i = 0; i < 3; ++i) {
        const int top = m_fillArea.top + (m_segmentGap + 10) * i;
        Gradient(LightenColor(m_color, 220 - 40 * i), LightenColor(m_color, 200 - 40 * i), W - 2, top, 2, 9, false);
    }
}

void XP_ProgressBar::CutSegments()
{
    if (!m_drawDC)
        return;
    const Brush white = Brush::solid(kWhite);
    const int pitch = m_segmentWidth + m_segmentGap;
    m_gapRect = m_clientRect; // its left is 3 here
    if (m_orientation == 0) {
        for (int x = m_fillArea.left + m_segmentWidth; x <= m_fillArea.right; x += pitch) {
            m_gapRect.left = x + 1;
            m_gapRect.right = x + 1 + m_segmentGap;
            m_drawDC->fillRect(m_gapRect, white);
        }
    } else {
        for (int y = m_fillArea.bottom; y >= m_fillArea.top + m_segmentWidth; y -= pitch) {
            m_gapRect.top = y - 2;
            m_gapRect.bottom = y - 2 + m_segmentGap;
            m_drawDC->fillRect(m_gapRect, white);
        }
    }
}

void XP_ProgressBar::DrawXPFrame()
{
    m_clientRect.left -= 3;
    const int W = m_clientRect.right;
    const int H = m_clientRect.bottom;
    Line(2, 1, W - 2, 1, 0xBEBEBE);
    Line(2, H - 2, W - 2, H - 2, 0xEFEFEF);
    Line(1, 2, 1, H - 2, 0xBEBEBE);
    Line(2, 2, 2, H - 2, 0xEFEFEF);
    Line(2, 2, W - 2, 2, 0xEFEFEF);
    Line(W - 2, 2, W - 2, H - 2, 0xEFEFEF);
    FrameBox(m_clientRect, 0x686868);
    if (!m_drawDC)
        return;
    // The corners, pixel by pixel: left column top to bottom, then the right column. The top
    // right corner differs from the other three.
    struct CornerPixel {
        int x, fromRight;
        int y, fromBottom;
        Colour colour;
    };
    static constexpr CornerPixel kCorners[] = {
        {0, 0, 0, 0, 0xFFFFFF}, {0, 0, 1, 0, 0xA6ABAC}, {0, 0, 2, 0, 0x7D7E7F}, {1, 0, 0, 0, 0xA7ABAC},
        {1, 0, 1, 0, 0x777777}, {2, 0, 0, 0, 0x7D7E7F}, {2, 0, 2, 0, 0xBEBEBE}, {0, 0, 0, 1, 0xFFFFFF},
        {1, 0, 0, 1, 0xA6ABAC}, {2, 0, 0, 1, 0x7D7E7F}, {0, 0, 0, 3, 0x7D7E7F}, {0, 0, 0, 2, 0xA7ABAC},
        {1, 0, 0, 2, 0x777777}, {0, 1, 0, 0, 0xFFFFFF}, {0, 1, 1, 0, 0xBEBEBE}, {0, 1, 2, 0, 0x7D7E7F},
        {0, 2, 2, 0, 0xBEBEBE}, {0, 2, 1, 0, 0x686868}, {0, 1, 0, 1, 0xFFFFFF}, {0, 1, 0, 2, 0xBEBEBE},
        {0, 1, 0, 3, 0x7D7E7F}, {0, 2, 0, 2, 0x777777}, {0, 2, 0, 1, 0xBEBEBE}, {0, 3, 0, 1, 0x7D7E7F},
    };
    for (const CornerPixel& p : kCorners) {
        const int x = p.fromRight ? W - p.fromRight : p.x;
        const int y = p.fromBottom ? H - p.fromBottom : p.y;
        m_drawDC->setPixelV({x, y}, ResolveColor(p.colour));
    }
}

} // namespace plainquill::progressbar
