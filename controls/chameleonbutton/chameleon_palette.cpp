// The palette each colour scheme derives, and the colour translation it starts from.
#include "controls/chameleonbutton/chameleon_button.h"
#include "controls/chameleonbutton/colour_shift.h"

namespace plainquill::chameleon {

using namespace contracts;

Colour chameleonButton::TranslateColor(Colour colour) const
{
    // A value the platform cannot translate draws black rather than as a stray bit pattern.
    return oleTranslateColor(colour, container().graphics().systemColours()).value_or(kBlack);
}

Colour chameleonButton::Shift(Colour colour, int amount) const
{
    return shiftColour(colour, amount, false, m_softBevel);
}

Colour chameleonButton::ShiftXP(Colour colour, int amount) const
{
    return shiftColour(colour, amount, true, m_softBevel);
}

namespace {

void fixedGreyPalette(Palette& p)
{
    p.face = 0xC0C0C0;
    p.text = p.textOver = 0;
    p.shadow = 0x808080;
    p.light = 0xDFDFDF;
    p.highlight = 0xFFFFFF;
    p.darkShadow = 0;
    p.officeBorder = 0x800000;
    p.officeFill = 0xD1ADAD;
}

void systemPalette(Palette& p, const SystemColours& sys)
{
    p.face = sys.sysColor(COLOR_BTNFACE);
    p.text = p.textOver = sys.sysColor(COLOR_BTNTEXT);
    p.shadow = sys.sysColor(COLOR_BTNSHADOW);
    p.light = sys.sysColor(COLOR_3DLIGHT);
    p.highlight = sys.sysColor(COLOR_BTNHIGHLIGHT);
    p.darkShadow = sys.sysColor(COLOR_3DDKSHADOW);
    p.officeBorder = sys.sysColor(COLOR_HIGHLIGHT);
    p.officeFill = tintColour(sys.sysColor(COLOR_HIGHLIGHT), 176);
}

} // namespace

// The shades of the edges, from the face.
void chameleonButton::ShadeFromFace()
{
    Palette& p = m_palette;
    p.shadow = Shift(p.face, -64);
    p.light = Shift(p.face, 31);
    p.highlight = Shift(p.face, 47);
    p.darkShadow = Shift(p.face, -192);
}

void chameleonButton::SetColors()
{
    const SystemColours& sys = container().graphics().systemColours();
    Palette& p = m_palette;
    switch (m_colorScheme) {
    case Custom:
        p.face = TranslateColor(m_backColor);
        p.text = TranslateColor(m_foreColor);
        p.textOver = TranslateColor(m_foreOver);
        ShadeFromFace();
        p.officeBorder = Shift(p.face, -128);
        p.officeFill = p.face;
        break;
    case FixedGrey:
        fixedGreyPalette(p);
        break;
    case ParentWindow:
        if (std::unique_ptr<Dc> parent = container().ParentWindowDc()) {
            p.face = parent->bkColor();
            p.text = p.textOver = parent->textColor();
        } // released here, right after the read
        ShadeFromFace();
        p.officeBorder = sys.sysColor(COLOR_HIGHLIGHT);
        p.officeFill = tintColour(sys.sysColor(COLOR_HIGHLIGHT), 176);
        break;
    default:
        systemPalette(p, sys);
        break;
    }
    p.maskRGB = TranslateColor(m_maskColor);
    // Taken with the look of this moment: a later change of ButtonType keeps it until the next call.
    p.xpFace = shiftColour(p.face, 48, m_buttonType == WindowsXP, m_softBevel);
}

} // namespace plainquill::chameleon
