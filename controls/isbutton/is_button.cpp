// isButton's properties, methods and lifecycle.
#include "controls/isbutton/is_button.h"

#include <stdexcept>
#include <type_traits>
#include <utility>

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

// Most properties only change how the face looks; those that move the caption or the icon need a
// new layout first (which paints as well), then a paint of their own.
template <typename T>
void isButton::SetAndPaint(T& field, std::type_identity_t<T> value, std::string_view name)
{
    field = std::move(value);
    MarkChanged(name);
    Refresh();
}

template <typename T>
void isButton::SetAndLayOut(T& field, std::type_identity_t<T> value, std::string_view name)
{
    field = std::move(value);
    MarkChanged(name);
    LayOut();
    Refresh();
}

// Every look but the current one may need a different inset, and the inset is only known once a
// paint of the new look has set it, so the geometry is worked out twice.
void isButton::SetStyle(std::int32_t style)
{
    SetAndLayOut(m_style, style, "Style");
    LayOut();
    Refresh();
}

void isButton::SetCaption(const std::string& caption) { SetAndLayOut(m_caption, caption, "Caption"); }

void isButton::SetIcon(PictureRef icon) { SetAndLayOut(m_icon, std::move(icon), "Icon"); }

void isButton::SetIconAlign(std::int32_t align) { SetAndLayOut(m_iconAlign, align, "IconAlign"); }

void isButton::SetIconSize(std::int16_t size) { SetAndLayOut(m_iconSize, size, "IconSize"); }

void isButton::SetCaptionAlign(std::int32_t align) { SetAndLayOut(m_captionAlign, align, "CaptionAlign"); }

void isButton::SetNonThemeStyle(std::int32_t style) { SetAndLayOut(m_nonThemeStyle, style, "NonThemeStyle"); }

// A disabled button hears nothing of the pointer, so the hover it had ends here: enabled again, it
// starts afresh from what the pointer does then, instead of taking its next press for part of an
// old hover.
void isButton::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    if (!enabled && m_mouseInside)
        EndHover();
    m_state = Normal;
    Refresh();
    MarkChanged("Enabled");
    container().SetEnabled(enabled);
}

void isButton::SetShowFocus(bool show) { SetAndPaint(m_showFocus, show, "ShowFocus"); }

void isButton::SetUseCustomColors(bool use) { SetAndPaint(m_useCustomColors, use, "UseCustomColors"); }

void isButton::SetBackColor(Colour colour) { SetAndPaint(m_backColor, colour, "BackColor"); }

void isButton::SetHighlightColor(Colour colour) { SetAndPaint(m_highlightColor, colour, "HighlightColor"); }

void isButton::SetFontColor(Colour colour) { SetAndPaint(m_fontColor, colour, "FontColor"); }

void isButton::SetFontHighlightColor(Colour colour) { SetAndPaint(m_fontHighlightColor, colour, "FontHighlightColor"); }

// Building the tooltip takes the container's text, so the new text goes there first: otherwise the
// set would be lost, replaced by whatever text the container had.
void isButton::SetToolTipText(const std::string& text)
{
    m_toolTipText = text;
    container().Extender().SetToolTipText(text);
    BuildToolTip();
    MarkChanged("ToolTipText");
    Refresh();
}

// The other tooltip properties take effect when the tooltip is next built, as the pointer enters.
void isButton::SetToolTipTitle(const std::string& title) { SetAndPaint(m_toolTipTitle, title, "TooltipTitle"); }

void isButton::SetToolTipIcon(std::int32_t icon) { SetAndPaint(m_toolTipIcon, icon, "TooltipIcon"); }

void isButton::SetToolTipType(std::int32_t type) { SetAndPaint(m_toolTipType, type, "ToolTipType"); }

void isButton::SetToolTipBackColor(Colour colour) { SetAndPaint(m_toolTipBackColor, colour, "ToolTipBackColor"); }

void isButton::SetToolTipForeColor(Colour colour) { SetAndPaint(m_toolTipForeColor, colour, "ToolTipForeColor"); }

FontRef isButton::Font() const { return container().Font(); }

void isButton::SetFont(FontRef font)
{
    m_font = font;
    container().SetFont(std::move(font));
    Refresh();
    MarkChanged("Font");
}

void isButton::SetButtonType(std::int32_t type) { SetAndPaint(m_buttonType, type, "ButtonType"); }

std::int32_t isButton::MousePointer() const { return container().MousePointer(); }

// The surface keeps the shape as a 16-bit value.
void isButton::SetMousePointer(std::int32_t shape)
{
    container().SetMousePointer(static_cast<std::int16_t>(shape));
    MarkChanged("MousePointer");
}

void isButton::SetValue(bool value) { SetAndPaint(m_value, value, "Value"); }

void isButton::SetMaskColor(Colour colour) { SetAndPaint(m_maskColor, colour, "MaskColor"); }

void isButton::SetUseMaskColor(bool use) { SetAndPaint(m_useMaskColor, use, "UseMaskColor"); }

void isButton::SetRoundedBordersByTheme(bool rounded)
{
    SetAndPaint(m_roundedBordersByTheme, rounded, "RoundedBordersByTheme");
}

void isButton::SetRightToLeft(bool rightToLeft)
{
    SetAndPaint(m_rightToLeft, rightToLeft ? -1 : 0, "bRTLText");
}

void isButton::Refresh() { DrawButton(); }

std::int32_t isButton::OpenLink(const std::string& link)
{
    try {
        container().NavigateTo(link);
        return kShellOpened;
    } catch (const std::runtime_error&) {
        return kShellCannotOpen;
    }
}

void isButton::Initialize()
{
    container().SetScaleMode(ScaleUnit::Pixels);
    MakeAboutPanel();
}

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

void isButton::Terminate()
{
    RemoveHoverHooks();
    m_toolTipWindow.reset();
    m_about.reset();
}

void isButton::Raise(Event event) { container().RaiseEvent(event, {}); }

void isButton::RaiseClick()
{
    Raise(ClickEvent);
    if (m_clickHandler)
        m_clickHandler();
}

} // namespace plainquill::isbutton
