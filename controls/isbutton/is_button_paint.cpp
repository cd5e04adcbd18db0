// isButton's paint: clear, settle the drawn state, draw the face of the look, then the icon, then
// the caption. The line-drawn looks (0 to 4) and the themed one (6) are here; the skins are in
// is_button_skins.cpp.
#include "controls/isbutton/is_button.h"

#include "controls/isbutton/button_colours.h"
#include "controls/isbutton/skin_canvas.h"

#include <algorithm>

namespace plainquill::isbutton {

using namespace contracts;

Colour isButton::Sys(int index) const { return container().graphics().systemColours().sysColor(index); }

// The custom back colour in the states listed, the custom highlight colour in the others.
Colour isButton::FaceColour(std::initializer_list<std::int32_t> states) const
{
    if (!m_useCustomColors)
        return Sys(COLOR_BTNFACE);
    return std::find(states.begin(), states.end(), m_state) != states.end() ? m_backColor : m_highlightColor;
}

void isButton::DrawButton()
{
    container().Cls();
    m_iconMargin = 3;
    if (!m_isShown)
        return;
    SettleState();
    DrawFace();
    Dc& dc = container().hDC();
    if (m_icon && m_icon->Type() != PictureType::None)
        DrawIcon(dc);
    DrawCaption(dc);
}

// The overrides are stored: the state read afterwards is the one drawn.
void isButton::SettleState()
{
    if (!container().Ambient().UserMode && m_style != BlueSkin)
        m_state = Hot;
    if (m_buttonType == CheckButton && m_value)
        m_state = Pressed;
    if (!m_enabled) {
        m_state = Disabled;
        container().SetBackColor(Sys(COLOR_BTNFACE));
    }
}

void isButton::DrawFace()
{
    Dc& dc = container().hDC();
    switch (m_style) {
    case Standard:
        DrawStandard(dc);
        break;
    case Soft:
    case Flat:
        DrawSoftOrFlat(dc);
        break;
    case Framed:
        DrawFramed(dc);
        break;
    case Highlight:
        DrawHighlight(dc);
        break;
    case Themed:
        // A theme that cannot draw is given up for good: from the next paint on the fall-back look.
        if (!DrawThemed(dc))
            m_style = m_nonThemeStyle;
        break;
    default:
        DrawSkin(dc);
        break;
    }
}

void isButton::DrawStandard(Dc& dc)
{
    container().SetBackColor(FaceColour({Normal}));
    Rect whole = m_buttonRect;
    dc.drawEdge(whole, m_state == Pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const bool marked = m_hasFocus ? m_showFocus : container().Ambient().DisplayAsDefault;
    if (marked)
        SkinCanvas(dc).outline(0, 0, m_buttonRect.right - 1, m_buttonRect.bottom - 1, kBlack);
}

void isButton::DrawSoftOrFlat(Dc& dc)
{
    container().SetBackColor(FaceColour({Normal, Disabled}));
    EdgeType edge = 0;
    if (m_state == Pressed)
        edge = BDR_SUNKENOUTER;
    else if (m_state == Hot || (m_state == Normal && m_style == Soft))
        edge = BDR_RAISEDINNER;
    Rect whole = m_buttonRect;
    if (edge != 0)
        dc.drawEdge(whole, edge, BF_RECT);
}

// A dark frame with a light one a pixel inside it, notched at the bottom-left and top-right.
void isButton::DrawFramed(Dc& dc)
{
    const Colour back = m_useCustomColors ? m_backColor : Sys(COLOR_BTNFACE);
    container().SetBackColor(back);
    Colour f = back;
    if (m_state == Hot)
        f = m_useCustomColors ? average(m_highlightColor, m_backColor) : average(Sys(COLOR_BTNSHADOW), back);
    else if (m_state == Pressed)
        f = m_useCustomColors ? m_highlightColor : Sys(COLOR_BTNSHADOW);
    SkinCanvas canvas(dc);
    dc.fillRect(m_buttonRect, Brush::solid(f));
    const int w = m_buttonRect.right - 1, h = m_buttonRect.bottom - 1;
    canvas.outline(0, 0, w - 1, h - 1, Sys(COLOR_BTNSHADOW));
    canvas.outline(1, 1, w - 1, h - 1, Sys(COLOR_WINDOW));
    canvas.pixel(0, h, f);
    canvas.pixel(w, 0, f);
    const Colour between = average(Sys(COLOR_WINDOW), Sys(COLOR_BTNSHADOW));
    canvas.pixel(1, h - 1, between);
    canvas.pixel(w - 1, 1, between);
}

void isButton::DrawHighlight(Dc& dc)
{
    const Colour hl = m_useCustomColors ? m_highlightColor : Sys(COLOR_HIGHLIGHT);
    const Colour bf = m_useCustomColors ? m_backColor : Sys(COLOR_BTNFACE);
    const int W = m_buttonRect.right, H = m_buttonRect.bottom;
    SkinCanvas canvas(dc);
    if (m_state == Hot || m_state == Pressed) {
        canvas.fill(0, 0, W - 1, H - 1, lighten(hl, m_state == Hot ? 176 : 128));
        canvas.outline(0, 0, W - 1, H - 1, hl);
    } else if (m_state == Normal || m_state == Disabled) {
        canvas.fill(0, 0, W, H, lighten(bf, 32));
    }
}

bool isButton::DrawThemed(Dc& dc)
{
    container().SetBackColor(Sys(COLOR_BTNFACE));
    const int stateId = (m_hasFocus && m_state == Normal) ? PBS_DEFAULTED : m_state;
    std::unique_ptr<ThemeData> theme = container().theme().open("Button");
    if (!theme)
        return false;
    // The outline only changes with the state and the size; asking the theme again on every
    // paint would cost more than the drawing itself.
    if (m_roundedBordersByTheme && m_themedShapeState != stateId) {
        const Rect grown = m_buttonRect.inflatedBy(1, 1);
        if (std::optional<Region> outline = theme->backgroundRegion(BP_PUSHBUTTON, stateId, grown)) {
            container().SetWindowRgn(std::move(*outline));
            m_themedShapeState = stateId;
        }
    }
    return theme->drawBackground(dc, BP_PUSHBUTTON, stateId, m_buttonRect, &m_buttonRect);
}

void isButton::DrawCaption(Dc& dc)
{
    Colour c = Sys(COLOR_BTNTEXT);
    if (m_state == Disabled)
        c = oleTranslateColor(sysColourRef(COLOR_GRAYTEXT), container().graphics().systemColours()).value_or(0);
    else if (m_useCustomColors)
        c = (m_state == Hot || m_state == Pressed) ? m_fontHighlightColor : m_fontColor;
    const Colour oldColour = dc.setTextColor(c);
    const BkMode oldMode = dc.setBkMode(TRANSPARENT);
    Rect r = m_captionRect;
    dc.drawText(m_caption, r, m_captionFormat);
    dc.setBkMode(oldMode);
    dc.setTextColor(oldColour);
}

} // namespace plainquill::isbutton
