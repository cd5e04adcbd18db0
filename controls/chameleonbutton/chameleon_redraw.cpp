// Redraw, the one drawing entry point, with the primitives the looks are made of and the caption
// styles.
#include "controls/chameleonbutton/chameleon_button.h"

#include "controls/chameleonbutton/colour_shift.h"

#include <cstdlib>

namespace plainquill::chameleon {

using namespace contracts;

namespace {

constexpr DrawTextFormat kCaptionFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK; // 21

} // namespace

int chameleonButton::Look() const
{
    return (m_buttonType >= Outlined && m_buttonType <= Gradient) ? m_buttonType : FaceOnly;
}

void chameleonButton::Redraw(int state, bool force)
{
    if (m_checkBoxBehaviour && m_value)
        state = Down;
    if (!force && m_caption == m_lastCaption && state == m_lastState)
        return;
    if (H() == 0 || !m_isShown)
        return;
    m_lastState = state;
    m_lastCaption = m_caption;
    container().Cls();

    // With custom colours the whole palette follows the hover face while the pointer is over the
    // button; the stored face comes back however the drawing ends.
    struct HoverColours {
        chameleonButton& button;
        Colour stored;
        bool active;
        ~HoverColours()
        {
            if (!active)
                return;
            button.m_backColor = stored;
            button.SetColors();
        }
    } hover{*this, m_backColor, m_isOver && m_colorScheme == Custom};
    if (hover.active) {
        m_backColor = m_backOver;
        SetColors();
    }

    DrawState(state);
}

// The face, then the look and the picture of the state; of the disabled state while disabled.
void chameleonButton::DrawState(int state)
{
    DrawRect(0, 0, W(), H(), m_palette.face, false);
    if (!m_enabled) {
        DrawLook(-1);
        DrawPicture(2);
    } else if (state == Up) {
        DrawLook(Up);
        DrawPicture(0);
    } else if (state == Down) {
        DrawLook(Down);
        DrawPicture(1);
    }
}

// state: Up, Down, or -1 for the disabled look.
void chameleonButton::DrawLook(int state)
{
    const int look = Look();
    switch (look) {
    case WindowsXP:
        state == Up ? DrawXPUp() : state == Down ? DrawXPDown() : DrawXPDisabled();
        break;
    case RoundedPanel:
        state == Down ? DrawRoundedPanelDown() : DrawRoundedPanel(state == Up ? HoverStyle() : 3);
        break;
    case Gradient:
        state == Up ? DrawGradientUp() : state == Down ? DrawGradientDown() : DrawGradientDisabled();
        break;
    case FlatFrame:
        if (state == Up)
            DrawFlatFrameUp();
        else if (state == Down)
            DrawFlatFrameDown();
        else
            DrawEdgeLookDisabled(look);
        break;
    case OfficeBar:
        state == -1 ? DrawEdgeLookDisabled(look) : DrawOfficeBar(state);
        break;
    default:
        state == Up ? DrawEdgeLookUp(look) : state == Down ? DrawEdgeLookDown(look) : DrawEdgeLookDisabled(look);
        break;
    }
}

// ---- primitives ----------------------------------------------------------------------------------------

void chameleonButton::DrawRect(int x, int y, int w, int h, Colour colour, bool frameOnly)
{
    const Rect r = Rect::fromSize(x, y, w, h);
    if (frameOnly)
        dc().frameRect(r, Brush::solid(colour));
    else
        dc().fillRect(r, Brush::solid(colour));
}

void chameleonButton::PaintLine(int x1, int y1, int x2, int y2, Colour colour)
{
    Dc& d = dc();
    const Pen old = d.selectPen(Pen::solid(colour));
    d.moveTo({x1, y1});
    d.lineTo({x2, y2});
    d.selectPen(old);
}

void chameleonButton::PutPixel(int x, int y, Colour colour) { dc().setPixelV({x, y}, colour); }

void chameleonButton::DrawOval(int x, int y, int w, int h, Colour pen, Colour fill)
{
    Dc& d = dc();
    const Pen oldPen = d.selectPen(Pen::solid(pen, 2));
    const Brush oldBrush = d.selectBrush(Brush::solid(fill));
    d.ellipse(Rect::fromSize(x, y, w, h));
    d.selectBrush(oldBrush);
    d.selectPen(oldPen);
}

void chameleonButton::DrawFocus()
{
    if (!m_showFocusRect || !m_hasFocus)
        return;
    dc().setTextColor(m_palette.text);
    dc().drawFocusRect(m_focusRect);
}

// One path of one-pixel lines, each colour taking over from the previous pen: the outer edge (c1
// up the left and along the top, c2 down the right and back along the bottom), then unless
// outerOnly the inner edge one pixel further in (c3, c4).
void chameleonButton::DrawEdge3D(Colour c1, Colour c2, Colour c3, Colour c4, int inset, bool outerOnly)
{
    Dc& d = dc();
    const int i = std::abs(inset);
    const int x = W() - 1 - i;
    const int y = H() - 1 - i;
    const Pen old = d.selectPen(Pen::solid(c1));
    d.moveTo({i, y});
    d.lineTo({i, i});
    d.lineTo({x, i});
    d.selectPen(Pen::solid(c2));
    d.lineTo({x, y});
    d.lineTo({i - 1, y});
    if (!outerOnly) {
        d.moveTo({i + 1, y - 1});
        d.selectPen(Pen::solid(c3));
        d.lineTo({i + 1, i + 1});
        d.lineTo({x - 1, i + 1});
        d.selectPen(Pen::solid(c4));
        d.lineTo({x - 1, y - 1});
        d.lineTo({i, y - 1});
    }
    d.selectPen(old);
}

// ---- the caption ----------------------------------------------------------------------------------------

void chameleonButton::DrawCaptionText(const Rect& rect, Colour colour)
{
    Dc& d = dc();
    d.setTextColor(colour);
    d.setBkMode(TRANSPARENT);
    Rect r = rect;
    d.drawText(m_caption, r, kCaptionFormat);
}

void chameleonButton::DrawCaptionEffect(const Rect& rect)
{
    if (m_specialEffect <= NoEffect)
        return;
    Colour base = m_palette.face;
    if (m_buttonType == WindowsXP || m_buttonType == RoundedPanel || m_buttonType == Gradient)
        base = m_palette.xpFace;
    else if (m_buttonType == OfficeBar && m_lastState == Up && m_isOver && m_colorScheme != Custom)
        base = m_palette.officeFill;
    const int a = m_specialEffect == Sunken ? 40 : -40;
    DrawCaptionText(rect.offsetBy(1, 1), Shift(base, a));
    if (m_specialEffect == Raised || m_specialEffect == Sunken)
        DrawCaptionText(rect.offsetBy(-1, -1), Shift(base, -a));
}

void chameleonButton::DrawCaption(int style)
{
    m_lastCaptionStyle = style;
    const Palette& p = m_palette;
    switch (style) {
    case 0:
    case 1:
        DrawCaptionEffect(m_captionRect);
        DrawCaptionText(m_captionRect, style == 0 ? p.text : p.textOver);
        break;
    case 2:
        DrawCaptionEffect(m_pressedCaptionRect);
        DrawCaptionText(m_pressedCaptionRect, m_buttonType == RoundedPanel ? p.light : p.textOver);
        break;
    case 3:
        DrawCaptionText(m_pressedCaptionRect, p.highlight);
        DrawCaptionText(m_captionRect, p.shadow);
        break;
    case 4:
        DrawCaptionText(m_captionRect, p.shadow);
        break;
    case 5:
        DrawCaptionText(m_captionRect, shiftColour(p.xpFace, -104, true, m_softBevel));
        break;
    case 6:
        DrawCaptionText(m_pressedCaptionRect, p.highlight);
        DrawCaptionText(m_captionRect, p.face);
        break;
    case 7:
        DrawCaptionText(m_pressedCaptionRect, Shift(p.shadow, -50));
        DrawCaptionText(m_captionRect, p.highlight);
        break;
    default:
        break;
    }
}

} // namespace plainquill::chameleon
