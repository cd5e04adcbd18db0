// The skins' place in the paint: each sets its inset for the icon and caption, then draws. A skin
// whose gradient has no steps ends early; the icon and caption are drawn all the same.
#include "controls/isbutton/is_button.h"

#include "controls/isbutton/skins.h"

namespace plainquill::isbutton {

using namespace contracts;

void isButton::DrawSkin(Dc& dc)
{
    void (*draw)(SkinCanvas&, const SkinInput&) = nullptr;
    switch (m_style) {
    case BlueSkin:
        draw = drawBlueSkin;
        break;
    case FaceSkin:
        draw = drawFaceSkin, m_iconMargin = 4;
        break;
    case Gradient:
        draw = drawGradientSkin, m_iconMargin = 4;
        break;
    case Glossy:
        draw = drawGlossySkin, m_iconMargin = 6;
        break;
    case Rounded:
        draw = drawRoundedSkin, m_iconMargin = 7;
        break;
    default:
        return; // no look of that number: the face stays cleared
    }
    const SkinInput in = CurrentSkinInput();
    SkinCanvas canvas(dc);
    try {
        draw(canvas, in);
    } catch (const SkinEnded&) {
    }
}

SkinInput isButton::CurrentSkinInput()
{
    SkinInput in;
    in.W = m_buttonRect.right;
    in.H = m_buttonRect.bottom;
    in.state = m_state;
    in.hasFocus = m_hasFocus;
    in.showFocus = m_showFocus;
    in.displayAsDefault = container().Ambient().DisplayAsDefault;
    in.useCustomColors = m_useCustomColors;
    in.backColor = m_backColor;
    in.highlightColor = m_highlightColor;
    in.sysFace = Sys(COLOR_BTNFACE);
    in.sysHighlight = Sys(COLOR_HIGHLIGHT);
    in.setBackground = [this](Colour colour) { container().SetBackColor(colour); };
    return in;
}

} // namespace plainquill::isbutton
