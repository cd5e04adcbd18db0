// The percentage text, centred on the bar. Styles 6 and 9 draw it a second time, clipped at the
// fill's end, in a colour that stands out on the fill.
#include "controls/progressbar/xp_progress_bar.h"

#include "controls/progressbar/colour_math.h"
#include "controls/progressbar/progress_arithmetic.h"

namespace plainquill::progressbar {

using namespace contracts;

void XP_ProgressBar::DrawPercentText()
{
    const bool over = m_scrolling == Dark || m_scrolling == Metallic;
    const std::string text =
        m_scrolling == Searching ? "Gathering Required Information" : std::to_string(m_percent) + " %";
    if (!m_showText || !m_drawDC)
        return;
    m_textFont = m_font;
    m_oldFont = m_drawDC->selectFont(m_textFont ? m_textFont->Description() : FontDescription{});
    m_drawDC->setBkMode(TRANSPARENT); // not restored
    m_drawDC->setTextColor(ResolveColor(m_scrolling == Dark ? 0xC0C0C0 : 0x000040));
    CentreTextRect(text);
    const double f = m_percent / 100.0 * m_clientRect.right;
    // In styles 6 and 9 a fill already past the text's right edge leaves this pass out.
    if (!(over && f > m_textRect.right))
        m_drawDC->drawText(text, m_textRect, DT_SINGLELINE);
    m_drawDC->selectFont(m_oldFont);
    if (over)
        DrawTextOverFill(text);
}

void XP_ProgressBar::CentreTextRect(const std::string& text)
{
    m_drawDC->drawText(text, m_textRect, DT_CALCRECT);
    const int width = m_textRect.right - m_textRect.left;
    const int height = m_textRect.bottom - m_textRect.top;
    m_textRect.left = roundHalfEven(m_clientRect.right / 2.0 - width / 2.0);
    m_textRect.top = roundHalfEven(m_clientRect.bottom / 2.0 - height / 2.0);
    m_textRect.right = m_textRect.left + width;
    m_textRect.bottom = m_textRect.top + height;
}

void XP_ProgressBar::DrawTextOverFill(const std::string& text)
{
    m_oldFont = m_drawDC->selectFont(m_textFont ? m_textFont->Description() : FontDescription{});
    m_drawDC->setBkMode(TRANSPARENT);
    const double f = m_percent / 100.0 * m_clientRect.right;
    if (f < m_textRect.left) {
        m_drawDC->selectFont(m_oldFont);
        return;
    }
    m_drawDC->setTextColor(ResolveColor(m_scrolling == Dark ? LightenColor(m_color, 80) : 0xFFFFFF));
    m_textRect.left = roundHalfEven(m_clientRect.right / 2.0 - (m_textRect.right - m_textRect.left) / 2.0);
    m_textRect.right = roundHalfEven(f);
    m_drawDC->drawText(text, m_textRect, DT_SINGLELINE); // clipped at the fill's end
    m_drawDC->selectFont(m_oldFont);
}

} // namespace plainquill::progressbar
