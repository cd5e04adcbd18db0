// XpB's properties and methods. A visual property repaints at once; every write tells the
// container the property must be saved, under the property's own name.
#include "controls/xpbutton/xp_button.h"

#include "controls/contracts/access_key.h"
#include "controls/contracts/control_errors.h"
#include "controls/contracts/system_colours.h"

#include <cmath>
#include <limits>

namespace plainquill::xpbutton {

using namespace contracts;

namespace {

constexpr std::string_view kEventNames[] = {"Click",     "KeyDown", "KeyPress", "KeyUp",   "MouseDown",
                                            "MouseMove", "MouseUp", "MouseIn",  "MouseOut"};

std::int16_t to16(std::int32_t value)
{
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        throw OverflowError();
    return static_cast<std::int16_t>(value);
}

} // namespace

XpB::XpB() = default;
XpB::~XpB() = default;

std::span<const std::string_view> XpB::EventNames() const { return kEventNames; }

bool XpB::Enabled() const { return container().Enabled(); }

// A disabled button hears no release, no key going up and no pointer, so the press and the hover
// it had end here: enabled again, it shows at rest and its next press is a press of its own.
void XpB::SetEnabled(bool enabled)
{
    if (!enabled) {
        if (m_hoverWatched)
            EndHover();
        m_isHover = false; // the space key's too
        m_isDown = false;
        m_keyLatch = false;
    }
    container().SetEnabled(enabled);
    container().PropertyChanged("Enabled");
    Refresh();
}

void XpB::SetFont(const FontRef& font)
{
    if (!font)
        return;
    // Each copy announces itself on g_Font, and each announcement repaints.
    m_font->SetName(font->Name());
    m_font->SetSize(font->Size());
    m_font->SetBold(font->Bold());
    m_font->SetItalic(font->Italic());
    m_font->SetUnderline(font->Underline());
    m_font->SetStrikethrough(font->Strikethrough());
    container().PropertyChanged("Font");
}

// g_Font is the object the control listens to: whenever it changes, the surface takes a copy of
// it and the face is drawn again.
void XpB::UseFont(FontRef font)
{
    m_font = font ? std::move(font) : makeFont();
    m_fontWatch = m_font->Subscribe([this](std::string_view) {
        container().SetFont(m_font->Clone());
        Refresh();
    });
}

WindowHandle XpB::hWnd() const { return container().hWnd(); }

std::int16_t XpB::MousePointer() const { return static_cast<std::int16_t>(container().MousePointer()); }

void XpB::SetMousePointer(std::int32_t shape)
{
    container().SetMousePointer(to16(shape));
    container().PropertyChanged("MousePointer");
}

PictureRef XpB::MouseIcon() const { return container().MouseIcon(); }

void XpB::SetMouseIcon(PictureRef picture)
{
    container().SetMouseIcon(std::move(picture));
    container().PropertyChanged("MouseIcon");
}

void XpB::SetShowFocusRect(bool show)
{
    m_showFocusRect = show;
    container().PropertyChanged("ShowFocusRect");
    Refresh();
}

void XpB::SetURL(const std::string& url)
{
    m_url = url;
    container().PropertyChanged("URL");
}

void XpB::SetCaption(const std::string& caption)
{
    m_caption = caption;
    container().PropertyChanged("Caption");
    SetAccessKey();
    Refresh();
}

void XpB::SetButtonStyle(std::int32_t style)
{
    m_buttonStyle = style;
    container().PropertyChanged("ButtonStyle");
    // The XP face paints every pixel itself; a copied background would only be painted over.
    if (style == XP)
        SetTransparentBG(false);
    Resize();
}

void XpB::SetPicturePosition(std::int32_t position)
{
    m_picturePosition = position;
    container().PropertyChanged("PicturePosition");
    Refresh();
}

void XpB::SetPicture(PictureRef picture)
{
    m_currentPicture = picture;
    m_normalPicture = picture;
    if (hasImage(picture)) {
        const double w = container().ScaleX(picture->Width(), ScaleUnit::Himetric, ScaleUnit::Pixels);
        const double h = container().ScaleY(picture->Height(), ScaleUnit::Himetric, ScaleUnit::Pixels);
        m_originalPicSize = {static_cast<int>(std::nearbyint(w)), static_cast<int>(std::nearbyint(h))};
    } else {
        m_originalPicSize = {32, 32};
    }
    container().PropertyChanged("Picture");
    if (m_pictureSize == Natural) {
        m_pictureWidth = m_originalPicSize.width;
        m_pictureHeight = m_originalPicSize.height;
    }
    Refresh();
}

void XpB::SetPictureWidth(std::int32_t width)
{
    m_pictureWidth = width;
    container().PropertyChanged("PictureWidth");
    Refresh();
}

void XpB::SetPictureHeight(std::int32_t height)
{
    m_pictureHeight = height;
    container().PropertyChanged("PictureHeight");
    Refresh();
}

void XpB::SetPictureSize(std::int32_t mode)
{
    m_pictureSize = mode;
    container().PropertyChanged("PictureSize");
    Size size{m_pictureWidth, m_pictureHeight};
    if (mode == Small)
        size = {16, 16};
    else if (mode == Normal)
        size = {32, 32};
    else if (mode == Natural)
        size = hasImage(m_currentPicture) ? m_originalPicSize : Size{32, 32};
    m_pictureWidth = size.width;
    m_pictureHeight = size.height;
    Refresh();
}

void XpB::SetPictureHover(PictureRef picture)
{
    m_hoverPicture = std::move(picture);
    container().PropertyChanged("PictureHover");
}

void XpB::SetXPColor_Pressed(Colour colour)
{
    m_xpColorPressed = colour;
    container().PropertyChanged("XPColor_Pressed");
}

void XpB::SetXPColor_Hover(Colour colour)
{
    m_xpColorHover = colour;
    container().PropertyChanged("XPColor_Hover");
}

void XpB::SetXPDefaultColors(bool use)
{
    m_xpDefaultColors = use;
    container().PropertyChanged("XPDefaultColors");
}

void XpB::SetBackColor(Colour colour)
{
    m_backColor = colour;
    container().PropertyChanged("BackColor");
    container().SetBackColor(colour);
    Refresh();
}

void XpB::SetForeColor(Colour colour)
{
    m_foreColor = colour;
    container().PropertyChanged("ForeColor");
    container().SetForeColor(colour);
    Refresh();
}

void XpB::SetSoundOver(const std::string& path)
{
    m_soundOver = path;
    container().PropertyChanged("SoundOver");
}

void XpB::SetSoundClick(const std::string& path)
{
    m_soundClick = path;
    container().PropertyChanged("SoundClick");
}

void XpB::SetDefCurHand(bool on)
{
    m_defCurHand = on;
    container().PropertyChanged("DefCurHand");
}

void XpB::SetXPShowBorderAlways(bool on)
{
    m_xpShowBorderAlways = on;
    container().PropertyChanged("XPShowBorderAlways");
}

void XpB::SetMaskColor(Colour colour)
{
    m_maskColor = colour;
    container().PropertyChanged("MaskColor");
    Refresh();
}

void XpB::SetTransparentBG(bool on)
{
    m_transparentBG = on;
    container().PropertyChanged("TransparentBG");
    Refresh();
}

void XpB::SetBEVEL(std::int32_t rings)
{
    m_bevel = to16(rings);
    container().PropertyChanged("BEVEL");
    Refresh();
}

void XpB::SetBEVELDEPTH(std::int32_t step)
{
    m_bevelDepth = to16(step);
    container().PropertyChanged("BEVELDEPTH");
    Refresh();
}

void XpB::SetAccessKey() { container().SetAccessKeys(contracts::accessKeyOf(m_caption)); }

Colour XpB::ResolveSysColor(Colour value) const
{
    return resolveFromHighBytes(value, container().graphics().systemColours());
}

void XpB::RaiseClick()
{
    container().RaiseEvent(ClickEvent, {});
    if (m_clickHandler)
        m_clickHandler();
}

void XpB::RaiseMouse(Event event, int button, int shift, float x, float y)
{
    EventArgument arguments[] = {static_cast<std::int16_t>(button), static_cast<std::int16_t>(shift), x, y};
    container().RaiseEvent(event, arguments);
}

} // namespace plainquill::xpbutton
