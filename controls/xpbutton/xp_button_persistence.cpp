// XpB's lifecycle and stored keys. Loading sets the fields directly (it is not a change to be
// saved); the resize handling at the end lays the face out and draws it once.
#include "controls/xpbutton/xp_button.h"

namespace plainquill::xpbutton {

using namespace contracts;

namespace {

constexpr Colour kStoredBackColor = sysColourRef(COLOR_BTNFACE);
constexpr Colour kStoredForeColor = sysColourRef(COLOR_BTNTEXT);
constexpr Colour kStoredXPColorPressed = sysColourRef(COLOR_BTNHIGHLIGHT);
constexpr Colour kStoredXPColorHover = sysColourRef(COLOR_3DLIGHT);
constexpr const char* kStoredSoundOver = ".\\resources\\over.wav";
constexpr const char* kStoredSoundClick = ".\\resources\\click.wav";

PropertyValue integer(std::int64_t value) { return value; }
PropertyValue colour(Colour value) { return ColourValue{value}; }

} // namespace

void XpB::Initialize()
{
    UseFont(makeFont());
    container().SetScaleMode(ScaleUnit::Pixels);
    m_overTimer = container().CreateTimer([this] { OverTimerTick(); });
    m_overTimer->SetInterval(10);
    m_overTimer->SetEnabled(false);
    WatchLeaving();
}

void XpB::InitProperties()
{
    const AmbientProperties& ambient = container().Ambient();
    m_backColor = kStoredBackColor;
    container().SetBackColor(m_backColor);
    m_foreColor = kStoredForeColor;
    container().SetForeColor(m_foreColor);
    m_showFocusRect = true;
    const FontRef ambientFont = ambient.Font ? ambient.Font->Clone() : makeFont();
    container().SetFont(ambientFont->Clone());
    UseFont(ambientFont);
    m_caption = ambient.DisplayName;
    m_picturePosition = LeftOf;
    m_buttonStyle = Flat;
    m_pictureWidth = 32;
    m_pictureHeight = 32;
    m_pictureSize = Normal;
    m_normalPicture = Picture::empty();
    m_hoverPicture = Picture::empty();
    m_url.clear();
    m_xpColorPressed = kStoredXPColorPressed;
    m_xpColorHover = kStoredXPColorHover;
    m_xpDefaultColors = true;
    m_soundOver = kStoredSoundOver;
    m_soundClick = kStoredSoundClick;
    m_transparentBG = false;
    m_maskColor = 0;
    m_xpShowBorderAlways = false;
    m_defCurHand = false;
    m_bevel = 1;
    m_bevelDepth = 8;
    SetAccessKey();
}

// The caption, the look and the picture's place and sizes, in the order they are read.
void XpB::ReadCaptionAndPicture(const PropertyBag& bag)
{
    m_showFocusRect = bag.ReadBoolean("ShowFocusRect", true);
    m_caption = bag.ReadString("Caption", container().Ambient().DisplayName);
    m_picturePosition = bag.ReadInteger("PicturePosition", LeftOf);
    m_buttonStyle = bag.ReadInteger("ButtonStyle", Flat);
    m_currentPicture = bag.ReadPicture("Picture", nullptr);
    m_pictureWidth = bag.ReadInteger("PictureWidth", 32);
    m_pictureHeight = bag.ReadInteger("PictureHeight", 32);
    m_pictureSize = bag.ReadInteger("PictureSize", Normal);
    m_originalPicSize.width = bag.ReadInteger("OriginalPicSizeW", 32);
    m_originalPicSize.height = bag.ReadInteger("OriginalPicSizeH", 32);
}

// The font is read twice: the surface and the control each keep a reading of their own, so one
// bag may load several instances.
void XpB::ReadFonts(const PropertyBag& bag)
{
    const AmbientProperties& ambient = container().Ambient();
    const FontRef ambientFont = ambient.Font ? ambient.Font : makeFont();
    const FontRef surfaceFont = bag.ReadFont("Font", ambientFont);
    container().SetFont(surfaceFont ? surfaceFont->Clone() : makeFont());
    const FontRef font = bag.ReadFont("Font", ambientFont);
    UseFont(font ? font->Clone() : makeFont());
}

void XpB::ReadProperties(const PropertyBag& bag)
{
    m_backColor = bag.ReadColour("BackColor", kStoredBackColor);
    container().SetBackColor(m_backColor);
    m_foreColor = bag.ReadColour("ForeColor", kStoredForeColor);
    container().SetForeColor(m_foreColor);

    ReadCaptionAndPicture(bag);
    ReadFonts(bag);
    m_hoverPicture = bag.ReadPicture("PictureHover", nullptr);
    m_normalPicture = bag.ReadPicture("Picture", nullptr);

    SetMouseIcon(bag.ReadPicture("MouseIcon", nullptr));
    container().SetEnabled(bag.ReadBoolean("Enabled", true));
    container().SetMousePointer(bag.ReadInteger16("MousePointer", 0));

    m_url = bag.ReadString("URL", "");
    m_xpColorPressed = bag.ReadColour("XPColor_Pressed", kStoredXPColorPressed);
    m_xpColorHover = bag.ReadColour("XPColor_Hover", kStoredXPColorHover);
    m_xpDefaultColors = bag.ReadBoolean("XPDefaultColors", true);
    m_soundOver = bag.ReadString("SoundOver", kStoredSoundOver);
    m_soundClick = bag.ReadString("SoundClick", kStoredSoundClick);
    m_defCurHand = bag.ReadBoolean("DefCurHand", false);
    m_xpShowBorderAlways = bag.ReadBoolean("XPShowBorderAlways", false);
    m_maskColor = bag.ReadColour("MaskColor", 0);
    m_transparentBG = bag.ReadBoolean("TransparentBG", false);
    m_bevel = bag.ReadInteger16("BEVEL", 1);
    m_bevelDepth = bag.ReadInteger16("BEVELDEPTH", 8);

    SetAccessKey();
    Resize();
}

void XpB::WriteProperties(PropertyBag& bag)
{
    const AmbientProperties& ambient = container().Ambient();
    bag.WriteProperty("Caption", m_caption, ambient.DisplayName);
    bag.WriteProperty("PicturePosition", integer(m_picturePosition), integer(LeftOf));
    bag.WriteProperty("ButtonStyle", integer(m_buttonStyle), integer(Flat));
    // What is drawn now: while the cursor is over the button, that is the hover picture.
    bag.WriteProperty("Picture", m_currentPicture, PictureRef{});
    bag.WriteProperty("PictureWidth", integer(m_pictureWidth), integer(32));
    bag.WriteProperty("PictureHeight", integer(m_pictureHeight), integer(32));
    bag.WriteProperty("PictureSize", integer(m_pictureSize), integer(Normal));
    bag.WriteProperty("OriginalPicSizeW", integer(m_originalPicSize.width), integer(32));
    bag.WriteProperty("OriginalPicSizeH", integer(m_originalPicSize.height), integer(32));
    bag.WriteProperty("PictureHover", m_hoverPicture, PictureRef{});
    bag.WriteProperty("Enabled", container().Enabled(), true);
    bag.WriteProperty("Font", container().Font(), ambient.Font);
    bag.WriteProperty("MouseIcon", container().MouseIcon(), PictureRef{});
    bag.WriteProperty("MousePointer", integer(container().MousePointer()), integer(0));
    bag.WriteProperty("ShowFocusRect", m_showFocusRect, true);
    bag.WriteProperty("URL", m_url, std::string());
    bag.WriteProperty("XPColor_Pressed", colour(m_xpColorPressed), colour(kStoredXPColorPressed));
    bag.WriteProperty("XPColor_Hover", colour(m_xpColorHover), colour(kStoredXPColorHover));
    bag.WriteProperty("XPDefaultColors", m_xpDefaultColors, true);
    bag.WriteProperty("BackColor", colour(m_backColor), colour(kStoredBackColor));
    bag.WriteProperty("ForeColor", colour(m_foreColor), colour(kStoredForeColor));
    bag.WriteProperty("SoundOver", m_soundOver, std::string(kStoredSoundOver));
    bag.WriteProperty("SoundClick", m_soundClick, std::string(kStoredSoundClick));
    bag.WriteProperty("DefCurHand", m_defCurHand, false);
    bag.WriteProperty("XPShowBorderAlways", m_xpShowBorderAlways, false);
    bag.WriteProperty("MaskColor", colour(m_maskColor), colour(0));
    bag.WriteProperty("TransparentBG", m_transparentBG, false);
    bag.WriteProperty("BEVEL", integer(m_bevel), integer(1));
    bag.WriteProperty("BEVELDEPTH", integer(m_bevelDepth), integer(8));
}

void XpB::Terminate()
{
    if (m_overTimer)
        m_overTimer->SetEnabled(false);
    m_leaveHook.reset();
    m_fontWatch.reset();
    m_font.reset();
}

} // namespace plainquill::xpbutton
