// chameleonButton's new-instance values and its stored keys. Loading puts the values straight into
// the fields: it is not a change to be saved, and the palette is derived when the control is shown.
#include "controls/chameleonbutton/chameleon_button.h"

namespace plainquill::chameleon {

using namespace contracts;

namespace {

constexpr Colour kDefaultMaskColor = 0xC0C0C0;

PropertyValue integer(std::int64_t value) { return value; }
PropertyValue colour(Colour value) { return ColourValue{value}; }

} // namespace

void chameleonButton::InitProperties()
{
    m_enabled = true;
    m_showFocusRect = true;
    m_useMaskColor = true;
    m_caption = container().Ambient().DisplayName;
    const FontRef& ambient = container().Ambient().Font;
    container().SetFont(ambient ? ambient->Clone() : makeFont());
    m_buttonType = Classic;
    m_colorScheme = System;
    SetColors();
    m_backColor = m_backOver = m_palette.face;
    m_foreColor = m_foreOver = m_palette.text;
    m_maskColor = kDefaultMaskColor;
    CalcCaptionRect();
}

void chameleonButton::ReadProperties(const PropertyBag& bag)
{
    const SystemColours& sys = container().graphics().systemColours();
    m_buttonType = bag.ReadInteger("BTYPE", Classic);
    m_caption = bag.ReadString("TX", "");
    m_enabled = bag.ReadBoolean("ENAB", true);
    // The control keeps a font of its own: the stored object may be shared with other instances.
    const FontRef font = bag.ReadFont("FONT", container().Font());
    container().SetFont(font ? font->Clone() : makeFont());
    m_colorScheme = bag.ReadInteger("COLTYPE", System);
    m_showFocusRect = bag.ReadBoolean("FOCUSR", true);
    m_backColor = bag.ReadColour("BCOL", sys.sysColor(COLOR_BTNFACE));
    m_backOver = bag.ReadColour("BCOLO", m_backColor);
    m_foreColor = bag.ReadColour("FCOL", sys.sysColor(COLOR_BTNTEXT));
    m_foreOver = bag.ReadColour("FCOLO", m_foreColor);
    m_maskColor = bag.ReadColour("MCOL", kDefaultMaskColor);
    container().SetMousePointer(bag.ReadInteger("MPTR", POINTER_DEFAULT));
    container().SetMouseIcon(bag.ReadPicture("MICON", nullptr));
    m_pictureNormal = bag.ReadPicture("PICN", nullptr);
    m_pictureOver = bag.ReadPicture("PICH", nullptr);
    m_useMaskColor = bag.ReadBoolean("UMCOL", true);
    m_softBevel = bag.ReadBoolean("SOFT", false);
    m_picturePosition = bag.ReadInteger("PICPOS", PictureLeft);
    m_useGreyscale = bag.ReadBoolean("NGREY", false);
    m_specialEffect = bag.ReadInteger("FX", NoEffect);
    // Runs the set, so the pointer just read gives way to the arrow or the hand.
    SetHandPointer(bag.ReadBoolean("HAND", false));
    m_checkBoxBehaviour = bag.ReadBoolean("CHECK", false);
    m_value = bag.ReadBoolean("VALUE", false);
    container().SetEnabled(m_enabled);
    MeasurePicture();
    CalcCaptionRect();
    SetAccessKey();
}

void chameleonButton::WriteProperties(PropertyBag& bag)
{
    bag.WriteProperty("BTYPE", integer(m_buttonType));
    bag.WriteProperty("TX", m_caption);
    bag.WriteProperty("ENAB", m_enabled);
    bag.WriteProperty("FONT", container().Font());
    bag.WriteProperty("COLTYPE", integer(m_colorScheme));
    bag.WriteProperty("FOCUSR", m_showFocusRect);
    bag.WriteProperty("BCOL", colour(m_backColor));
    bag.WriteProperty("BCOLO", colour(m_backOver));
    bag.WriteProperty("FCOL", colour(m_foreColor));
    bag.WriteProperty("FCOLO", colour(m_foreOver));
    bag.WriteProperty("MCOL", colour(m_maskColor));
    bag.WriteProperty("MPTR", integer(container().MousePointer()));
    bag.WriteProperty("MICON", container().MouseIcon());
    bag.WriteProperty("PICN", m_pictureNormal);
    bag.WriteProperty("PICH", m_pictureOver);
    bag.WriteProperty("UMCOL", m_useMaskColor);
    bag.WriteProperty("SOFT", m_softBevel);
    bag.WriteProperty("PICPOS", integer(m_picturePosition));
    bag.WriteProperty("NGREY", m_useGreyscale);
    bag.WriteProperty("FX", integer(m_specialEffect));
    bag.WriteProperty("HAND", m_handPointer);
    bag.WriteProperty("CHECK", m_checkBoxBehaviour);
    bag.WriteProperty("VALUE", m_value);
}

} // namespace plainquill::chameleon
