// isButton's new-instance defaults and its stored keys. Reads and writes set the fields directly:
// loading is not a change to be saved, and one layout at the end draws the result.
#include "controls/isbutton/is_button.h"

namespace plainquill::isbutton {

using namespace contracts;

namespace {

// A stored form may leave out any key whose value equals these.
constexpr std::int32_t kStoredStyle = Framed;
constexpr std::int32_t kStoredNonThemeStyle = BlueSkin;
constexpr std::int16_t kStoredIconSize = 16;
constexpr Colour kStoredMaskColor = 0xC0C0C0;
// A missing caption reads as this; an empty one is not written, so it comes back as this too.
constexpr const char* kStoredCaption = "isButton";

PropertyValue integer(std::int64_t value) { return value; }
PropertyValue colour(Colour value) { return ColourValue{value}; }

} // namespace

void isButton::InitProperties()
{
    const SystemColours& sys = container().graphics().systemColours();
    auto translated = [&](int index) { return oleTranslateColor(sysColourRef(index), sys).value_or(0); };
    m_style = Standard;
    m_caption = container().Extender().Name();
    m_iconSize = 16;
    m_icon = Picture::empty();
    m_captionFormat = DT_CENTER | DT_WORDBREAK;
    m_enabled = true;
    m_showFocus = false;
    m_useCustomColors = false;
    m_backColor = translated(COLOR_BTNFACE);
    m_highlightColor = translated(COLOR_HIGHLIGHT);
    m_fontColor = translated(COLOR_BTNTEXT);
    m_fontHighlightColor = translated(COLOR_BTNTEXT);
    if (m_about)
        m_aboutStyle = m_about->WindowStyle();
    m_toolTipType = ttBalloon;
    m_captionAlign = Center;
    m_iconAlign = Left;
    m_iconMargin = 4;
}

// The keys of the look, the caption, the icon and the colours, in the order they are read.
void isButton::ReadFace(const PropertyBag& bag)
{
    const SystemColours& sys = container().graphics().systemColours();
    m_icon = bag.ReadPicture("Icon", nullptr);
    m_style = bag.ReadInteger("Style", kStoredStyle);
    m_caption = bag.ReadString("Caption", kStoredCaption);
    m_iconSize = bag.ReadInteger16("IconSize", kStoredIconSize);
    m_captionAlign = bag.ReadInteger("CaptionAlign", Center);
    m_iconAlign = bag.ReadInteger("IconAlign", Left);
    m_nonThemeStyle = bag.ReadInteger("iNonThemeStyle", kStoredNonThemeStyle);
    m_enabled = bag.ReadBoolean("Enabled", true);
    m_showFocus = bag.ReadBoolean("ShowFocus", false);
    m_useCustomColors = bag.ReadBoolean("USeCustomColors", false);
    m_backColor = bag.ReadColour("BackColor", sys.sysColor(COLOR_BTNFACE));
    m_highlightColor = bag.ReadColour("HighlightColor", sys.sysColor(COLOR_HIGHLIGHT));
    m_fontColor = bag.ReadColour("FontColor", sys.sysColor(COLOR_BTNTEXT));
    m_fontHighlightColor = bag.ReadColour("FontHighlightColor", sys.sysColor(COLOR_BTNTEXT));
}

void isButton::ReadToolTip(const PropertyBag& bag)
{
    const SystemColours& sys = container().graphics().systemColours();
    // The container keeps the first reading as its own tooltip text, the control the second.
    container().Extender().SetToolTipText(bag.ReadString("ToolTipText", m_toolTipText));
    m_toolTipText = bag.ReadString("ToolTipText", "");
    m_toolTipTitle = bag.ReadString("Tooltiptitle", "");
    m_toolTipIcon = bag.ReadInteger("ToolTipIcon", tiNone);
    m_toolTipType = bag.ReadInteger("ToolTipType", ttBalloon);
    m_toolTipBackColor = bag.ReadColour("ttBackColor", sys.sysColor(COLOR_INFOBK));
    m_toolTipForeColor = bag.ReadColour("ttForeColor", sys.sysColor(COLOR_INFOTEXT));
}

void isButton::ReadProperties(const PropertyBag& bag)
{
    m_state = Normal;
    ReadFace(bag);
    ReadToolTip(bag);
    m_font = bag.ReadFont("Font", container().Font());
    container().SetFont(m_font);
    m_buttonType = bag.ReadInteger("ButtonType", PushButton);
    m_value = bag.ReadBoolean("Value", false);
    m_useMaskColor = bag.ReadBoolean("UseMaskColor", false);
    m_maskColor = bag.ReadColour("MaskColor", kStoredMaskColor);
    container().SetMousePointer(bag.ReadInteger16("MousePointer", 0));
    m_roundedBordersByTheme = bag.ReadBoolean("RoundedBordersByTheme", true);
    m_rightToLeft = bag.ReadBoolean("bRTLText", false) ? -1 : 0;
    // A button stored disabled must take no input from the start, not only after its next set.
    container().SetEnabled(m_enabled);
    if (container().Ambient().UserMode)
        InstallHoverHook();
    LayOut();
}

void isButton::WriteProperties(PropertyBag& bag)
{
    const SystemColours& sys = container().graphics().systemColours();
    bag.WriteProperty("Icon", m_icon);
    bag.WriteProperty("Style", integer(m_style), integer(kStoredStyle));
    bag.WriteProperty("Caption", m_caption, std::string());
    bag.WriteProperty("IconSize", integer(m_iconSize), integer(kStoredIconSize));
    bag.WriteProperty("IconAlign", integer(m_iconAlign), integer(Left));
    bag.WriteProperty("CaptionAlign", integer(m_captionAlign), integer(Center));
    bag.WriteProperty("iNonThemeStyle", integer(m_nonThemeStyle), integer(kStoredNonThemeStyle));
    bag.WriteProperty("Enabled", m_enabled, true);
    bag.WriteProperty("ShowFocus", m_showFocus, false);
    bag.WriteProperty("USeCustomColors", m_useCustomColors, false);
    bag.WriteProperty("BackColor", colour(m_backColor), colour(sys.sysColor(COLOR_BTNFACE)));
    bag.WriteProperty("HighlightColor", colour(m_highlightColor), colour(sys.sysColor(COLOR_HIGHLIGHT)));
    bag.WriteProperty("FontColor", colour(m_fontColor), colour(sys.sysColor(COLOR_BTNTEXT)));
    bag.WriteProperty("FontHighlightColor", colour(m_fontHighlightColor), colour(sys.sysColor(COLOR_BTNTEXT)));
    // Always written: the container keeps no tooltip text of its own in the stored form, so leaving
    // the key out whenever it matched the container's copy would lose the text at the next load.
    bag.WriteProperty("ToolTipText", m_toolTipText);
    bag.WriteProperty("Tooltiptitle", m_toolTipTitle);
    bag.WriteProperty("ToolTipIcon", integer(m_toolTipIcon));
    bag.WriteProperty("ToolTipType", integer(m_toolTipType));
    bag.WriteProperty("ttBackColor", colour(m_toolTipBackColor), colour(sys.sysColor(COLOR_INFOBK)));
    bag.WriteProperty("ttForeColor", colour(m_toolTipForeColor), colour(sys.sysColor(COLOR_INFOTEXT)));
    bag.WriteProperty("Font", container().Font());
    bag.WriteProperty("ButtonType", integer(m_buttonType), integer(PushButton));
    bag.WriteProperty("Value", m_value, false);
    bag.WriteProperty("MaskColor", colour(m_maskColor), colour(kStoredMaskColor));
    bag.WriteProperty("UseMaskColor", m_useMaskColor, false);
    bag.WriteProperty("MousePointer", integer(static_cast<std::int16_t>(container().MousePointer())), integer(0));
    bag.WriteProperty("RoundedBordersByTheme", m_roundedBordersByTheme, true);
    bag.WriteProperty("bRTLText", integer(m_rightToLeft), integer(0));
}

} // namespace plainquill::isbutton
