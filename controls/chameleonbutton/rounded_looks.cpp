// ButtonType 4 (a light panel with rounded corners) and 14 (a highlight gradient in a double frame).
#include "controls/chameleonbutton/chameleon_button.h"

#include "controls/chameleonbutton/colour_shift.h"

#include <cmath>

namespace plainquill::chameleon {

using namespace contracts;

// ---- type 4 -----------------------------------------------------------------------------------------

// The up and the disabled look; they differ only in the caption style.
void chameleonButton::DrawRoundedPanel(int captionStyle)
{
    const int w = W();
    const int h = H();
    const Palette& p = m_palette;
    DrawRect(1, 1, w - 2, h - 2, p.light, false);
    DrawCaption(captionStyle);
    DrawRect(0, 0, w, h, p.darkShadow, true);
    for (const Point c : {Point{1, 1}, Point{1, h - 2}, Point{w - 2, 1}, Point{w - 2, h - 2}})
        PutPixel(c.x, c.y, p.darkShadow);
    PaintLine(1, 2, 2, 0, p.face);
    // Highlight inside the top and left, face then shadow inside the right and bottom.
    PaintLine(3, 2, w - 3, 2, p.highlight);
    PaintLine(2, 2, 2, h - 3, p.highlight);
    PutPixel(3, 3, p.highlight);
    PaintLine(w - 3, 1, w - 3, h - 3, p.face);
    PaintLine(1, h - 3, w - 3, h - 3, p.face);
    PutPixel(w - 4, h - 4, p.face);
    PaintLine(w - 2, 2, w - 2, h - 2, p.shadow);
    PaintLine(2, h - 2, w - 2, h - 2, p.shadow);
    PutPixel(w - 3, h - 3, p.shadow);
}

void chameleonButton::DrawRoundedPanelDown()
{
    const int w = W();
    const int h = H();
    const Palette& p = m_palette;
    const Colour pressed = Shift(p.shadow, -16);
    const Colour deep = Shift(p.shadow, -64);
    const Colour mid = Shift(p.shadow, -32);
    DrawRect(1, 1, w - 2, h - 2, pressed, false);
    // The caption's effect is taken from the pressed face for this one drawing.
    m_palette.xpFace = pressed;
    DrawCaption(2);
    m_palette.xpFace = Shift(p.face, 48);
    DrawRect(0, 0, w, h, p.darkShadow, true);
    DrawRect(1, 1, w - 2, h - 2, deep, true);
    DrawRect(2, 2, w - 4, h - 4, mid, true);
    PutPixel(2, 2, deep);
    PutPixel(3, 3, mid);
    for (const Point c : {Point{1, 1}, Point{1, h - 2}, Point{w - 2, 1}, Point{w - 2, h - 2}})
        PutPixel(c.x, c.y, p.darkShadow);
    PaintLine(w - 3, 1, w - 3, h - 3, p.shadow);
    PaintLine(1, h - 3, w - 2, h - 3, p.shadow);
    PutPixel(w - 4, h - 4, p.shadow);
    PaintLine(w - 2, 3, w - 2, h - 2, pressed);
    PaintLine(3, h - 2, w - 2, h - 2, pressed);
    PaintLine(w - 2, h - 3, w - 4, h - 1, mid);
    PutPixel(2, h - 2, mid);
    PutPixel(w - 2, 2, mid);
}

// ---- type 14 ----------------------------------------------------------------------------------------

void chameleonButton::DrawHighlightGradient()
{
    const float step = 58.0f / static_cast<float>(H());
    for (int i = 1; i <= H(); ++i)
        PaintLine(0, i, W(), i, Shift(m_palette.highlight, static_cast<int>(std::nearbyint(-(double(step) * i)))));
}

void chameleonButton::DrawGradientFrame()
{
    const int w = W();
    const int h = H();
    DrawRect(0, 0, w, h, Shift(m_palette.shadow, -50), true);
    DrawRect(1, 1, w - 2, h - 2, Shift(m_palette.face, -9), true);
    DrawRect(2, 2, w - 4, 2, m_palette.highlight, false); // a strip along the top
    DrawRect(2, 4, 2, h - 6, m_palette.highlight, false); // and one down the left side
}

void chameleonButton::DrawGradientUp()
{
    if (m_isOver)
        DrawRect(0, 0, W(), H(), m_palette.light, false);
    else
        DrawHighlightGradient();
    // The default button's caption is bold for this drawing only: the stored FontBold stays, and
    // the redraws the two font sets would cause are suppressed.
    const bool isDefault = container().Ambient().DisplayAsDefault;
    const bool bold = FontBold();
    if (isDefault) {
        m_isShown = false;
        SetFontBold(true);
    }
    DrawCaption(HoverStyle());
    if (container().Ambient().DisplayAsDefault) {
        SetFontBold(bold);
        m_isShown = true;
    }
    DrawGradientFrame();
    DrawFocus();
}

void chameleonButton::DrawGradientDown()
{
    const int w = W();
    const int h = H();
    DrawRect(1, 1, w, h, Shift(m_palette.face, -9), false);
    DrawRect(0, 0, w, h, Shift(m_palette.shadow, -48), true);
    PaintLine(2, h - 2, w - 2, h - 2, m_palette.highlight);
    PaintLine(w - 2, 2, w - 2, h - 1, m_palette.highlight);
    DrawCaption(7);
    DrawFocus();
}

void chameleonButton::DrawGradientDisabled()
{
    DrawHighlightGradient();
    DrawGradientFrame();
    DrawCaption(6);
}

} // namespace plainquill::chameleon
