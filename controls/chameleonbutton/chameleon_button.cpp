// chameleonButton's properties, methods and lifecycle.
#include "controls/chameleonbutton/chameleon_button.h"

#include "controls/chameleonbutton/hand_pointer.h"

#include <cmath>
#include <utility>

namespace plainquill::chameleon {

using namespace contracts;

namespace {

constexpr std::string_view kEventNames[] = {"Click",   "MouseDown", "MouseMove", "MouseUp",  "KeyPress",
                                            "KeyDown", "KeyUp",     "MouseOver", "MouseOut"};
constexpr int kOverTimerInterval = 3; // milliseconds

} // namespace

chameleonButton::chameleonButton() = default;
chameleonButton::~chameleonButton() = default;

std::span<const std::string_view> chameleonButton::EventNames() const { return kEventNames; }

template <typename T>
void chameleonButton::SetAndRedraw(T& field, T value, std::string_view name, bool deriveColours)
{
    field = std::move(value);
    if (deriveColours)
        SetColors();
    Redraw(m_lastState, true);
    MarkChanged(name);
}

void chameleonButton::SetButtonType(std::int32_t type)
{
    m_buttonType = type;
    if (!container().Ambient().UserMode) {
        if (type == FlatFrame)
            SetFontBold(true);
    } else if (type == Transparent && m_isShown) {
        CaptureBackground();
    }
    ResizeSequence();
    MarkChanged("BTYPE");
}

void chameleonButton::SetCaption(const std::string& caption)
{
    m_caption = caption;
    SetAccessKey();
    CalcCaptionRect();
    Redraw(Up, true);
    MarkChanged("TX");
}

// A disabled button hears nothing of the pointer, so the hover it had ends here: enabled again, it
// starts afresh from what the pointer does then.
void chameleonButton::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    const bool hovered = !enabled && m_hoverWatched;
    if (hovered)
        EndHover();
    Redraw(Up, true);
    if (hovered)
        RaiseSimple(MouseOutEvent);
    container().SetEnabled(enabled);
    MarkChanged("ENAB");
}

// ---- the font ----------------------------------------------------------------------------------------

FontRef chameleonButton::Font() const { return container().Font(); }

void chameleonButton::FontChanged(const FontRef& font)
{
    container().SetFont(font);
    CalcCaptionRect();
    Redraw(Up, true);
}

void chameleonButton::SetFont(const FontRef& font)
{
    FontChanged(font ? font->Clone() : makeFont());
    MarkChanged("FONT");
}

void chameleonButton::ChangeFont(void (FontObject::*set)(bool), bool value)
{
    const FontRef font = container().Font();
    (font.get()->*set)(value);
    FontChanged(font);
}

bool chameleonButton::FontBold() const { return Font()->Bold(); }
void chameleonButton::SetFontBold(bool bold) { ChangeFont(&FontObject::SetBold, bold); }
bool chameleonButton::FontItalic() const { return Font()->Italic(); }
void chameleonButton::SetFontItalic(bool italic) { ChangeFont(&FontObject::SetItalic, italic); }
bool chameleonButton::FontUnderline() const { return Font()->Underline(); }
void chameleonButton::SetFontUnderline(bool underline) { ChangeFont(&FontObject::SetUnderline, underline); }

std::int16_t chameleonButton::FontSize() const
{
    return static_cast<std::int16_t>(std::nearbyint(Font()->Size()));
}

void chameleonButton::SetFontSize(std::int16_t size)
{
    const FontRef font = container().Font();
    font->SetSize(size);
    FontChanged(font);
}

std::string chameleonButton::FontName() const { return Font()->Name(); }

void chameleonButton::SetFontName(const std::string& name)
{
    const FontRef font = container().Font();
    font->SetName(name);
    FontChanged(font);
}

// ---- colours -----------------------------------------------------------------------------------------

void chameleonButton::SetColorScheme(std::int32_t scheme)
{
    m_colorScheme = scheme;
    SetColors();
    Redraw(Up, true);
    MarkChanged("COLTYPE");
}

// While the form is designed the hover colours follow the normal ones, so a designer who only
// picks the face and text colours gets a button that does not change colour under the pointer.
void chameleonButton::SetBackColor(Colour colour)
{
    if (!container().Ambient().UserMode)
        m_backOver = colour;
    SetAndRedraw(m_backColor, colour, "BCOL", true);
}

void chameleonButton::SetBackOver(Colour colour) { SetAndRedraw(m_backOver, colour, "BCOLO", true); }

void chameleonButton::SetForeColor(Colour colour)
{
    if (!container().Ambient().UserMode)
        m_foreOver = colour;
    SetAndRedraw(m_foreColor, colour, "FCOL", true);
}

void chameleonButton::SetForeOver(Colour colour) { SetAndRedraw(m_foreOver, colour, "FCOLO", true); }

void chameleonButton::SetMaskColor(Colour colour) { SetAndRedraw(m_maskColor, colour, "MCOL", true); }

void chameleonButton::SetSoftBevel(bool soft) { SetAndRedraw(m_softBevel, soft, "SOFT", true); }

void chameleonButton::SetShowFocusRect(bool show) { SetAndRedraw(m_showFocusRect, show, "FOCUSR", false); }

// ---- the pointer ---------------------------------------------------------------------------------------

std::int32_t chameleonButton::MousePointer() const { return container().MousePointer(); }

void chameleonButton::SetMousePointer(std::int32_t shape)
{
    container().SetMousePointer(shape);
    MarkChanged("MPTR");
}

PictureRef chameleonButton::MouseIcon() const { return container().MouseIcon(); }

void chameleonButton::SetMouseIcon(const PictureRef& picture)
{
    try {
        container().SetMouseIcon(picture);
    } catch (const std::exception&) {
        // A pointer picture the surface cannot take leaves the pointer as it was.
    }
    MarkChanged("MICON");
}

void chameleonButton::SetHandPointer(bool hand)
{
    m_handPointer = hand;
    if (hand) {
        container().SetMouseIcon(handPointerPicture());
        container().SetMousePointer(POINTER_CUSTOM);
    } else {
        container().SetMouseIcon(nullptr);
        container().SetMousePointer(POINTER_ARROW);
    }
    MarkChanged("HAND");
}

WindowHandle chameleonButton::hWnd() const { return container().hWnd(); }

// ---- pictures and effects --------------------------------------------------------------------------------

void chameleonButton::SetPictureNormal(PictureRef picture)
{
    m_pictureNormal = std::move(picture);
    MeasurePicture();
    CalcCaptionRect();
    Redraw(m_lastState, true);
    MarkChanged("PICN");
}

void chameleonButton::SetPictureOver(PictureRef picture)
{
    m_pictureOver = std::move(picture);
    if (m_isOver)
        Redraw(m_lastState, true);
    MarkChanged("PICO"); // announced under this name, stored under "PICH"
}

void chameleonButton::SetPicturePosition(std::int32_t position)
{
    m_picturePosition = position;
    MarkChanged("PICPOS");
    CalcCaptionRect();
    Redraw(m_lastState, true);
}

void chameleonButton::SetUseMaskColor(bool use)
{
    m_useMaskColor = use;
    if (m_pictureNormal)
        Redraw(m_lastState, true);
    MarkChanged("UMCOL");
}

void chameleonButton::SetUseGreyscale(bool use)
{
    m_useGreyscale = use;
    if (m_pictureNormal)
        Redraw(m_lastState, true);
    MarkChanged("NGREY");
}

void chameleonButton::SetSpecialEffect(std::int32_t effect) { SetAndRedraw(m_specialEffect, effect, "FX", false); }

void chameleonButton::SetCheckBoxBehaviour(bool check) { SetAndRedraw(m_checkBoxBehaviour, check, "CHECK", false); }

void chameleonButton::SetValue(bool value)
{
    m_value = value;
    if (m_checkBoxBehaviour)
        Redraw(Up, true);
    MarkChanged("VALUE");
}

// ---- methods ------------------------------------------------------------------------------------------------

void chameleonButton::Refresh()
{
    if (m_buttonType == Transparent)
        CaptureBackground();
    SetColors();
    CalcCaptionRect();
    m_isShown = true;
    Redraw(m_lastState, true);
}

// ---- lifecycle ------------------------------------------------------------------------------------------------

void chameleonButton::Initialize()
{
    // Drawing goes into the persistent image, so the window repaints without asking the control.
    container().SetScaleMode(ScaleUnit::Pixels);
    container().SetAutoRedraw(true);
    m_overTimer = container().CreateTimer([this] { OverTimerTick(); });
    m_overTimer->SetInterval(kOverTimerInterval);
    m_overTimer->SetEnabled(false);
    WatchLeaving();
    m_isShown = true;
}

void chameleonButton::Resize() { ResizeSequence(); }

void chameleonButton::Show()
{
    if (m_buttonType == Transparent) {
        if (!m_backDC)
            MakeBackDc();
        CaptureBackground();
    }
    m_isShown = true;
    SetColors();
    Redraw(Up, true);
}

void chameleonButton::Hide() { m_isShown = false; }

void chameleonButton::AmbientChanged(std::string_view)
{
    if (m_colorScheme == Custom)
        return;
    SetColors();
    Redraw(m_lastState, true);
}

void chameleonButton::Terminate()
{
    m_isShown = false;
    if (m_overTimer)
        m_overTimer->SetEnabled(false);
    m_leaveHook.reset();
    if (m_backDC) {
        m_backDC->selectBitmap(m_backOldBitmap);
        m_backDC.reset();
        m_backOldBitmap = {};
    }
}

} // namespace plainquill::chameleon
