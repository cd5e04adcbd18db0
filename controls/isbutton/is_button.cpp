// isButton's properties, methods and lifecycle.
#include "controls/isbutton/is_button.h"

#include <stdexcept>

namespace plainquill::isbutton {

using namespace contracts;

namespace {

constexpr std::string_view kEventNames[] = {"Click", "MouseEnter", "MouseLeave"};

// The shell's answers: above 32 is success; 31 is "no application is associated" with the address.
constexpr std::int32_t kShellOpened = 33;
constexpr std::int32_t kShellCannotOpen = 31;

} // namespace

isButton::isButton() = default;
isButton::~isButton() = default;

std::span<const std::string_view> isButton::EventNames() const { return kEventNames; }

void isButton::MarkChanged(std::string_view name) { container().PropertyChanged(name); }

// Every look but the current one may need a different inset, and the inset is only known once a
// paint of the new look has set it, so the geometry is worked out twice.
void isButton::SetStyle(std::int32_t style)
{
    m_style = style;
    MarkChanged("Style");
    LayOut();
    Refresh();
    LayOut();
    Refresh();
}

void isButton::SetCaption(const std::string& caption)
{
    m_caption = caption;
    MarkChanged("Caption");
    LayOut();
    Refresh();
}

void isButton::SetIcon(PictureRef icon)
{
    m_icon = std::move(icon);
    MarkChanged("Icon");
    LayOut();
    Refresh();
}

void isButton::SetIconAlign(std::int32_t align)
{
    m_iconAlign = align;
    MarkChanged("IconAlign");
    LayOut();
    Refresh();
}

void isButton::SetIconSize(std::int16_t size)
{
    m_iconSize = size;
    MarkChanged("IconSize");
    LayOut();
    Refresh();
}

void isButton::SetCaptionAlign(std::int32_t align)
{
    m_captionAlign = align;
    MarkChanged("CaptionAlign");
    LayOut();
    Refresh();
}

void isButton::SetNonThemeStyle(std::int32_t style)
{
    m_nonThemeStyle = style;
    MarkChanged("NonThemeStyle");
    LayOut();
    Refresh();
}

void isButton::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    m_state = Normal;
    Refresh();
    MarkChanged("Enabled");
    container().SetEnabled(enabled);
}

void isButton::SetShowFocus(bool show)
{
    m_showFocus = show;
    MarkChanged("ShowFocus");
    Refresh();
}

void isButton::SetUseCustomColors(bool use)
{
    m_useCustomColors = use;
    MarkChanged("UseCustomColors");
    Refresh();
}

void isButton::SetBackColor(Colour colour)
{
    m_backColor = colour;
    MarkChanged("BackColor");
    Refresh();
}

void isButton::SetHighlightColor(Colour colour)
{
    m_highlightColor = colour;
    MarkChanged("HighlightColor");
    Refresh();
}

void isButton::SetFontColor(Colour colour)
{
    m_fontColor = colour;
    MarkChanged("FontColor");
    Refresh();
}

void isButton::SetFontHighlightColor(Colour colour)
{
    m_fontHighlightColor = colour;
    MarkChanged("FontHighlightColor");
    Refresh();
}

void isButton::SetToolTipText(const std::string& text)
{
    m_toolTipText = text;
    BuildToolTip();
    MarkChanged("ToolTipText");
    Refresh();
}

// The other tooltip properties take effect when the tooltip is next built, as the pointer enters.
void isButton::SetToolTipTitle(const std::string& title)
{
    m_toolTipTitle = title;
    MarkChanged("TooltipTitle");
    Refresh();
}

void isButton::SetToolTipIcon(std::int32_t icon)
{
    m_toolTipIcon = icon;
    MarkChanged("TooltipIcon");
    Refresh();
}

void isButton::SetToolTipType(std::int32_t type)
{
    m_toolTipType = type;
    MarkChanged("ToolTipType");
    Refresh();
}

void isButton::SetToolTipBackColor(Colour colour)
{
    m_toolTipBackColor = colour;
    MarkChanged("ToolTipBackColor");
    Refresh();
}

void isButton::SetToolTipForeColor(Colour colour)
{
    m_toolTipForeColor = colour;
    MarkChanged("ToolTipForeColor");
    Refresh();
}

FontRef isButton::Font() const { return container().Font(); }

void isButton::SetFont(FontRef font)
{
    m_font = font;
    container().SetFont(std::move(font));
    Refresh();
    MarkChanged("Font");
}

void isButton::SetButtonType(std::int32_t type)
{
    m_buttonType = type;
    MarkChanged("ButtonType");
    Refresh();
}

std::int32_t isButton::MousePointer() const { return container().MousePointer(); }

// The surface keeps the shape as a 16-bit value.
void isButton::SetMousePointer(std::int32_t shape)
{
    container().SetMousePointer(static_cast<std::int16_t>(shape));
    MarkChanged("MousePointer");
}

void isButton::SetValue(bool value)
{
    m_value = value;
    MarkChanged("Value");
    Refresh();
}

void isButton::SetMaskColor(Colour colour)
{
    m_maskColor = colour;
    MarkChanged("MaskColor");
    Refresh();
}

void isButton::SetUseMaskColor(bool use)
{
    m_useMaskColor = use;
    MarkChanged("UseMaskColor");
    Refresh();
}

void isButton::SetRoundedBordersByTheme(bool rounded)
{
    m_roundedBordersByTheme = rounded;
    MarkChanged("RoundedBordersByTheme");
    Refresh();
}

void isButton::SetRightToLeft(bool rightToLeft)
{
    m_rightToLeft = rightToLeft ? -1 : 0;
    MarkChanged("bRTLText");
    Refresh();
}

void isButton::Refresh()
{
    if (m_isShown)
        DrawButton();
}

std::int32_t isButton::OpenLink(const std::string& link)
{
    try {
        container().NavigateTo(link);
        return kShellOpened;
    } catch (const std::runtime_error&) {
        return kShellCannotOpen;
    }
}

void isButton::LayOut()
{
    m_buttonRect = {0, 0, static_cast<int>(container().ScaleWidth()), static_cast<int>(container().ScaleHeight())};
    PlaceCaptionAndShape();
    Refresh();
}

void isButton::Initialize() { container().SetScaleMode(ScaleUnit::Pixels); }

void isButton::Resize() { LayOut(); }

void isButton::Show()
{
    m_isShown = true;
    LayOut();
}

void isButton::Paint() { Refresh(); }

void isButton::Hide()
{
    m_isShown = false;
    // The container shows its own tooltip again while the control is hidden.
    container().Extender().SetToolTipText(m_toolTipText);
}

void isButton::Terminate() { RemoveHoverHooks(); }

void isButton::Raise(Event event) { container().RaiseEvent(event, {}); }

void isButton::RaiseClick()
{
    Raise(ClickEvent);
    if (m_clickHandler)
        m_clickHandler();
}

} // namespace plainquill::isbutton
