// isButton's tooltip. While its own tooltip is up the control borrows the container's tooltip
// text (the container's copy is blank), so that only one tooltip shows.
#include "controls/isbutton/is_button.h"

namespace plainquill::isbutton {

using namespace contracts;

namespace {

// A colour of 0 leaves the tooltip window's own colour: black cannot be asked for.
constexpr Colour kOwnColour = 0;
// What a colour that cannot be translated is sent as.
constexpr Colour kUntranslatable = 0xFFFFFFFFu;

} // namespace

void isButton::BuildToolTip()
{
    m_toolTipText = container().Extender().ToolTipText();
    container().Extender().SetToolTipText("");
    const std::uint32_t style = TTS_ALWAYSTIP | TTS_NOPREFIX | (m_toolTipType == ttBalloon ? TTS_BALLOON : 0);
    // Only the newest window is kept; an older one goes with it rather than being left behind.
    m_toolTipWindow = container().CreateToolTipWindow(style);
    const WindowHandle window = container().hWnd();
    m_toolInfo = {TTF_SUBCLASS, window, 0, container().ClientRect(window).value_or(m_buttonRect), m_toolTipText};
    if (!m_toolTipWindow)
        return; // nothing can be shown, and nothing is reported
    m_toolTipWindow->AddTool(m_toolInfo);
    if (!m_toolTipTitle.empty() || m_toolTipIcon != tiNone)
        m_toolTipWindow->SetTitle(m_toolTipIcon, m_toolTipTitle);
    const SystemColours& sys = container().graphics().systemColours();
    if (m_toolTipForeColor != kOwnColour)
        m_toolTipWindow->SetTipTextColor(oleTranslateColor(m_toolTipForeColor, sys).value_or(kUntranslatable));
    if (m_toolTipBackColor != kOwnColour)
        m_toolTipWindow->SetTipBkColor(oleTranslateColor(m_toolTipBackColor, sys).value_or(kUntranslatable));
}

void isButton::RemoveToolTip()
{
    container().Extender().SetToolTipText(m_toolTipText);
    if (!m_toolTipWindow)
        return;
    m_toolTipWindow->DelTool(m_toolInfo);
    m_toolTipWindow.reset();
}

} // namespace plainquill::isbutton
