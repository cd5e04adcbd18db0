// The looks drawn from edges, frames and fills: ButtonType 1, 2, 5 to 13 (10 draws nothing of its
// own, and neither does any value outside 1 to 14).
#include "controls/chameleonbutton/chameleon_button.h"

#include "controls/chameleonbutton/colour_shift.h"

namespace plainquill::chameleon {

using namespace contracts;

namespace {

constexpr Colour kCaptionFrame = 0xCC9999; // RGB(153, 153, 204)
constexpr bool kOuterOnly = true;
constexpr bool kBothLevels = false;

} // namespace

void chameleonButton::DrawEdgeLookUp(int look)
{
    const Palette& p = m_palette;
    const bool asDefault = m_showFocusRect && container().Ambient().DisplayAsDefault;
    switch (look) {
    case Outlined:
        DrawCaption(HoverStyle());
        DrawEdge3D(p.highlight, p.shadow, p.highlight, p.shadow, 1, kBothLevels);
        DrawRect(0, 0, W(), H(), p.darkShadow, true);
        DrawFocus();
        break;
    case Classic:
        DrawCaption(HoverStyle());
        if (asDefault) {
            DrawEdge3D(p.highlight, p.darkShadow, p.light, p.shadow, 1, kBothLevels);
            DrawFocus();
            DrawRect(0, 0, W(), H(), p.darkShadow, true);
        } else {
            DrawEdge3D(p.highlight, p.darkShadow, p.light, p.shadow, 0, kBothLevels);
        }
        break;
    case SoftRaised: {
        const Colour l = Shift(p.light, 8);
        DrawCaption(HoverStyle());
        DrawEdge3D(l, p.shadow, l, p.shadow, 0, kBothLevels);
        DrawFocus();
        break;
    }
    case ThinRaised:
    case HoverRaised:
    case Transparent:
    case HoverClassic:
    case Oval:
        DrawLightLookUp(look);
        break;
    default:
        break;
    }
}

void chameleonButton::DrawEdgeLookDown(int look)
{
    const Palette& p = m_palette;
    const bool asDefault = m_showFocusRect && container().Ambient().DisplayAsDefault;
    switch (look) {
    case Outlined:
        DrawCaption(2);
        DrawEdge3D(p.shadow, p.highlight, p.shadow, p.highlight, 1, kBothLevels);
        DrawRect(0, 0, W(), H(), p.darkShadow, true);
        DrawFocus();
        break;
    case Classic:
        DrawCaption(2);
        if (asDefault) {
            DrawRect(0, 0, W(), H(), p.darkShadow, true);
            DrawRect(1, 1, W() - 2, H() - 2, p.shadow, true);
            DrawFocus();
        } else {
            DrawEdge3D(p.darkShadow, p.highlight, p.shadow, p.light, 0, kBothLevels);
        }
        break;
    case SoftRaised: {
        const Colour l = Shift(p.light, 8);
        DrawCaption(2);
        DrawEdge3D(p.shadow, l, p.shadow, l, 0, kBothLevels);
        DrawFocus();
        break;
    }
    case ThinRaised:
    case HoverRaised:
    case Transparent:
    case HoverClassic:
    case Oval:
        DrawLightLookDown(look);
        break;
    default:
        break;
    }
}

void chameleonButton::DrawEdgeLookDisabled(int look)
{
    const Palette& p = m_palette;
    switch (look) {
    case Outlined:
        DrawCaption(3);
        DrawEdge3D(p.highlight, p.shadow, p.highlight, p.shadow, 1, kBothLevels);
        DrawRect(0, 0, W(), H(), p.darkShadow, true);
        break;
    case Classic:
        DrawCaption(3);
        DrawEdge3D(p.highlight, p.darkShadow, p.light, p.shadow, 0, kBothLevels);
        break;
    case FlatFrame:
        DrawCaption(4);
        DrawRect(0, 0, W(), H(), p.shadow, true);
        break;
    case SoftRaised: {
        const Colour l = Shift(p.light, 8);
        DrawCaption(4);
        DrawEdge3D(l, p.shadow, l, p.shadow, 0, kBothLevels);
        break;
    }
    case ThinRaised:
    case OfficeBar:
    case Transparent:
    case HoverRaised:
    case HoverClassic:
    case Oval:
        DrawLightLookDisabled(look);
        break;
    default:
        break;
    }
}

// ---- the light looks: a thin edge, an edge only under the pointer, or none -------------------------------

void chameleonButton::DrawLightLookUp(int look)
{
    const Palette& p = m_palette;
    switch (look) {
    case ThinRaised:
    case HoverRaised:
        DrawCaption(HoverStyle());
        if (look == ThinRaised || m_isOver)
            DrawEdge3D(p.highlight, p.shadow, 0, 0, 0, kOuterOnly);
        DrawFocus();
        break;
    case Transparent:
        if (m_backDC)
            dc().bitBlt(0, 0, W(), H(), m_backDC.get(), 0, 0, SRCCOPY);
        DrawCaption(HoverStyle());
        DrawFocus();
        break;
    case HoverClassic:
        DrawCaption(HoverStyle());
        if (m_isOver)
            DrawEdge3D(p.highlight, p.darkShadow, p.light, p.shadow, 0, kBothLevels);
        DrawFocus();
        break;
    case Oval:
        DrawOval(0, 0, W(), H(), m_isOver ? p.shadow : p.face, p.face);
        DrawCaption(HoverStyle());
        break;
    default:
        break;
    }
}

void chameleonButton::DrawLightLookDown(int look)
{
    const Palette& p = m_palette;
    switch (look) {
    case ThinRaised:
    case HoverRaised:
        DrawCaption(2);
        DrawEdge3D(p.shadow, p.highlight, 0, 0, 0, kOuterOnly);
        DrawFocus();
        break;
    case Transparent:
        if (m_backDC)
            dc().bitBlt(0, 0, W(), H(), m_backDC.get(), 0, 0, SRCCOPY);
        DrawCaption(2);
        DrawFocus();
        break;
    case HoverClassic:
        DrawCaption(2);
        DrawEdge3D(p.darkShadow, p.highlight, p.shadow, p.light, 0, kBothLevels);
        DrawFocus();
        break;
    case Oval:
        DrawOval(0, 0, W(), H(), p.darkShadow, Shift(p.face, -32));
        DrawCaption(2);
        break;
    default:
        break;
    }
}

void chameleonButton::DrawLightLookDisabled(int look)
{
    const Palette& p = m_palette;
    switch (look) {
    case ThinRaised:
        DrawCaption(3);
        DrawEdge3D(p.highlight, p.shadow, 0, 0, 0, kOuterOnly);
        break;
    case OfficeBar:
        DrawCaption(4);
        break;
    case Transparent:
        if (m_backDC)
            dc().bitBlt(0, 0, W(), H(), m_backDC.get(), 0, 0, SRCCOPY);
        DrawCaption(3);
        break;
    case HoverRaised:
    case HoverClassic:
    case Oval:
        DrawCaption(3);
        break;
    default:
        break;
    }
}

// ---- type 5 ---------------------------------------------------------------------------------------------

// In this look the focus is a coloured frame around the caption instead of the dotted rectangle.
void chameleonButton::DrawFlatFrameCaptionFrame()
{
    if (m_hasFocus && m_showFocusRect)
        DrawRect(m_captionRect.left - 2, m_captionRect.top - 1, m_captionWidth + 4, m_captionHeight + 2,
                 kCaptionFrame, true);
}

void chameleonButton::DrawFlatFrameUp()
{
    const int w = W();
    const int h = H();
    const Palette& p = m_palette;
    DrawRect(1, 1, w - 1, h - 1, Shift(p.face, 12), false);
    DrawCaption(HoverStyle());
    DrawRect(1, 1, w - 1, h - 1, p.highlight, true);
    DrawRect(0, 0, w - 1, h - 1, Shift(p.shadow, -26), true);
    PutPixel(1, h - 2, Shift(p.shadow, 26));
    PutPixel(w - 2, 1, Shift(p.shadow, 26));
    DrawFlatFrameCaptionFrame();
}

void chameleonButton::DrawFlatFrameDown()
{
    const int w = W();
    const int h = H();
    const Palette& p = m_palette;
    DrawRect(1, 1, w - 2, h - 2, Shift(p.shadow, 16), false);
    DrawRect(0, 0, w - 1, h - 1, Shift(p.shadow, -26), true);
    PaintLine(w - 1, 1, w - 1, h, p.highlight);
    PaintLine(1, h - 1, w - 1, h - 1, p.highlight);
    // The pressed caption stays in place, plain, and is not remembered as a caption style.
    DrawCaptionText(m_captionRect, p.textOver);
    DrawFlatFrameCaptionFrame();
}

// ---- type 9 ---------------------------------------------------------------------------------------------

void chameleonButton::DrawOfficeBar(int state)
{
    const Palette& p = m_palette;
    if (state == Up) {
        if (m_isOver)
            DrawRect(1, 1, W(), H(), p.officeFill, false);
        DrawCaption(HoverStyle());
        if (m_isOver)
            DrawRect(0, 0, W(), H(), p.officeBorder, true);
    } else {
        if (m_isOver)
            DrawRect(0, 0, W(), H(),
                     m_colorScheme != Custom ? tintColour(p.officeBorder, 128) : Shift(p.officeFill, -32), false);
        DrawCaption(2);
        DrawRect(0, 0, W(), H(), p.officeBorder, true);
    }
    DrawFocus();
}

} // namespace plainquill::chameleon
