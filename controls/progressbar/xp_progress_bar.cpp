// XP_ProgressBar's properties, persistence and lifecycle.
#include "controls/progressbar/xp_progress_bar.h"

#include "controls/progressbar/progress_arithmetic.h"

namespace plainquill::progressbar {

using namespace contracts;

namespace {

constexpr Colour kHighlight = sysColourRef(COLOR_HIGHLIGHT); // the bar's default fill
constexpr std::int32_t kStoredBrushStyle = 4; // the bag's default, unlike a fresh instance's 0

} // namespace

XP_ProgressBar::XP_ProgressBar() = default;
XP_ProgressBar::~XP_ProgressBar() = default;

void XP_ProgressBar::SetBrushStyle(std::int32_t style)
{
    m_brushStyle = style;
    container().PropertyChanged("BrushStyle");
}

void XP_ProgressBar::SetColor(Colour colour)
{
    m_color = ResolveColor(colour);
    DrawProgressBar();
}

void XP_ProgressBar::SetImage(PictureRef picture)
{
    m_image = std::move(picture);
    container().PropertyChanged("Image");
    DrawProgressBar();
}

void XP_ProgressBar::SetMin(std::int32_t min)
{
    m_min = min;
    container().PropertyChanged("Min");
}

void XP_ProgressBar::SetMax(std::int32_t max)
{
    m_max = max;
    container().PropertyChanged("Max");
}

void XP_ProgressBar::SetOrientation(std::int32_t orientation)
{
    m_orientation = orientation;
    container().PropertyChanged("Orientation");
    DrawProgressBar();
}

void XP_ProgressBar::SetScrolling(std::int32_t style)
{
    m_scrolling = style;
    container().PropertyChanged("Scrolling");
    DrawProgressBar();
}

void XP_ProgressBar::SetShowText(bool show)
{
    m_showText = show;
    container().PropertyChanged("ShowText");
    DrawProgressBar();
}

std::int32_t XP_ProgressBar::Value() const { return valueFromPercent(m_percent, m_max, m_min); }

void XP_ProgressBar::SetValue(std::int32_t value)
{
    // Computed before anything changes: a division or overflow error leaves the bar as it was.
    m_percent = percentFromValue(value, m_max, m_min);
    DrawProgressBar();
}

void XP_ProgressBar::Initialize()
{
    m_font = makeFont();
    container().SetBackColor(kWhite);
    container().SetScaleMode(ScaleUnit::Pixels);
    Sethdc(&container().hDC());
    m_hWnd = container().hWnd();
    m_max = 100;
    m_min = 0;
    m_percent = 0;
    m_orientation = 0;
    m_scrolling = 0;
    m_color = ResolveColor(kHighlight);
    DrawProgressBar();
}

void XP_ProgressBar::Resize() { Sethdc(&container().hDC()); }

void XP_ProgressBar::Paint() { DrawProgressBar(); }

void XP_ProgressBar::Terminate() { DestroyBuffer(); }

void XP_ProgressBar::ReadProperties(const PropertyBag& bag)
{
    // A stored form without a font keeps the one Initialize made.
    SetFont(bag.ReadFont("Font", m_font));
    m_brushStyle = bag.ReadInteger("BrushStyle", kStoredBrushStyle);
    SetColor(bag.ReadColour("Color", kHighlight));
    m_image = bag.ReadPicture("Image", nullptr);
    SetMax(bag.ReadInteger("Max", 100));
    SetMin(bag.ReadInteger("Min", 0));
    SetOrientation(bag.ReadInteger("Orientation", 0));
    SetScrolling(bag.ReadInteger("Scrolling", 0));
    SetShowText(bag.ReadBoolean("ShowText", false));
    // "Value" holds the value (not the percentage), so a bar saved with any Max reloads as it was.
    SetValue(bag.ReadInteger("Value", 0));
}

void XP_ProgressBar::WriteProperties(PropertyBag& bag)
{
    bag.WriteProperty("Font", m_font, FontRef{});
    bag.WriteProperty("BrushStyle", std::int64_t{m_brushStyle}, std::int64_t{kStoredBrushStyle});
    bag.WriteProperty("Color", ColourValue{m_color}, ColourValue{kHighlight});
    bag.WriteProperty("Image", m_image, PictureRef{});
    bag.WriteProperty("Max", std::int64_t{m_max}, std::int64_t{100});
    bag.WriteProperty("Min", std::int64_t{m_min}, std::int64_t{0});
    bag.WriteProperty("Orientation", std::int64_t{m_orientation}, std::int64_t{0});
    bag.WriteProperty("Scrolling", std::int64_t{m_scrolling}, std::int64_t{0});
    bag.WriteProperty("ShowText", m_showText, false);
    bag.WriteProperty("Value", std::int64_t{Value()}, std::int64_t{0});
}

} // namespace plainquill::progressbar
