// The container services every host shares: the surface, its properties and the objects the
// control reaches through its container.
#include "platform/host/control_site.h"

#include "controls/contracts/system_colours.h"

#include <algorithm>
#include <cmath>

namespace plainquill::host {

using namespace contracts;

namespace {

bool samePixels(const Bitmap& a, const Bitmap& b)
{
    if (a.size() != b.size() || a.format() != b.format())
        return false;
    for (int y = 0; y < a.height(); ++y)
        if (!std::equal(a.row(y), a.row(y) + a.width(), b.row(y)))
            return false;
    return true;
}

} // namespace

class ControlSite::SiteExtender final : public ExtenderObject {
public:
    SiteExtender(ControlSite& site, std::string name) : m_site(site), m_name(std::move(name)) {}

    std::string Name() const override { return m_name; }
    void setName(std::string name) { m_name = std::move(name); }
    double Left() const override { return m_site.positionInParent().x * kTwipsPerPixel; }
    double Top() const override { return m_site.positionInParent().y * kTwipsPerPixel; }
    std::string ToolTipText() const override { return m_toolTip; }
    void SetToolTipText(const std::string& text) override
    {
        m_toolTip = text;
        m_site.applyToolTip(text);
    }

private:
    ControlSite& m_site;
    std::string m_name;
    std::string m_toolTip;
};

ControlSite::ControlSite(raster::RasterGraphics& graphics, Theme& theme, std::unique_ptr<Control> control,
                         SiteOptions options)
    : m_graphics(graphics), m_scaledGraphics(graphics), m_theme(theme), m_control(std::move(control)), m_surface(graphics, {0, 0}),
      m_extender(std::make_unique<SiteExtender>(*this, options.name)), m_font(makeFont())
{
    m_ambient.UserMode = options.userMode;
    m_ambient.DisplayName = options.name;
    m_ambient.Font = options.ambientFont ? options.ambientFont : makeFont();
    m_surface.setFont(m_font->Description());
    applyColours();
    m_control->Site(*this);
}

ControlSite::~ControlSite() = default;

ExtenderObject& ControlSite::Extender() { return *m_extender; }

void ControlSite::setInstanceName(const std::string& name)
{
    m_ambient.DisplayName = name;
    m_extender->setName(name);
}

Colour ControlSite::resolved(Colour colour) const
{
    return oleTranslateColor(colour, m_graphics.systemColours()).value_or(colour & 0x00FFFFFFu);
}

void ControlSite::applyColours() { m_surface.setColours(resolved(m_foreColour), resolved(m_backColour)); }

Dc& ControlSite::hDC()
{
    if (m_surface.autoRedraw())
        m_windowStale = true; // what is drawn now shows when the window next repaints
    return m_surface.drawingDc();
}

double ControlSite::ScaleWidth() const { return convertScale(m_surface.size().width, ScaleUnit::Pixels, m_scaleMode); }

double ControlSite::ScaleHeight() const
{
    return convertScale(m_surface.size().height, ScaleUnit::Pixels, m_scaleMode);
}

double ControlSite::Width() const { return m_surface.size().width * kTwipsPerPixel; }
double ControlSite::Height() const { return m_surface.size().height * kTwipsPerPixel; }

void ControlSite::SetWidth(double twips)
{
    const int pixels = static_cast<int>(std::nearbyint(std::max(0.0, twips) / kTwipsPerPixel));
    requestSize({pixels, m_surface.size().height});
}

void ControlSite::SetHeight(double twips)
{
    const int pixels = static_cast<int>(std::nearbyint(std::max(0.0, twips) / kTwipsPerPixel));
    requestSize({m_surface.size().width, pixels});
}

void ControlSite::SetAutoRedraw(bool on)
{
    if (m_surface.autoRedraw() && !on)
        m_windowStale = true; // the image becomes the background the window shows
    m_surface.setAutoRedraw(on);
}

// Cleared while the control paints, the window is part of that paint, which goes on to draw the
// rest: asking for another would paint again at every notification that follows.
void ControlSite::SetBackColor(Colour colour)
{
    m_backColour = colour;
    applyColours();
    m_surface.clearTo(resolved(colour));
    if (!m_inPaint)
        m_windowStale = true;
}

void ControlSite::SetForeColor(Colour colour)
{
    m_foreColour = colour;
    applyColours();
}

void ControlSite::SetFont(FontRef font)
{
    m_font = font ? std::move(font) : makeFont();
    m_surface.setFont(m_font->Description());
}

// A disabled window hears no release, so it cannot keep the mouse either.
void ControlSite::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    if (!enabled) {
        m_releaseEndsDoubleClick = false;
        if (capturing())
            ReleaseCapture();
    }
    applyEnabled(enabled);
}

void ControlSite::Cls()
{
    m_surface.cls(resolved(m_backColour));
    if (m_surface.autoRedraw())
        m_windowStale = true;
}

void ControlSite::Refresh()
{
    m_windowStale = true;
    bringUpToDate();
    showChanges();
}

void ControlSite::showChanges()
{
    // What is drawn into the persistent image shows once the window takes the image again: take it
    // now, so that the pixels tell whether anything changed.
    if (m_windowStale && m_surface.autoRedraw())
        bringUpToDate();
    const Bitmap& now = m_surface.windowDevicePixels();
    if (!m_windowStale && samePixels(now, m_toldPixels))
        return;
    m_toldPixels = now.copy();
    surfaceChanged();
}

void ControlSite::PaintPicture(const Picture& picture, int x, int y, int width, int height)
{
    const Size natural = picture.pixelSize();
    const int w = width > 0 ? width : natural.width;
    const int h = height > 0 ? height : natural.height;
    Dc& target = hDC();
    if (const Icon* icon = picture.icon()) {
        target.drawIconEx(x, y, *icon, w, h, nullptr, DI_NORMAL);
    } else if (const Bitmap* bitmap = picture.bitmap()) {
        const std::unique_ptr<Dc> memory = target.createCompatibleDc();
        const Bitmap previous = memory->selectBitmap(*bitmap);
        target.stretchBlt(x, y, w, h, memory.get(), 0, 0, natural.width, natural.height, SRCCOPY);
        memory->selectBitmap(previous);
    }
}

void ControlSite::SetMousePointer(int shape)
{
    m_pointer = shape;
    applyPointer(m_pointer, m_mouseIcon);
}

void ControlSite::SetMouseIcon(PictureRef picture)
{
    m_mouseIcon = std::move(picture);
    applyPointer(m_pointer, m_mouseIcon);
}

void ControlSite::SetAccessKeys(std::string keys)
{
    m_accessKeys = std::move(keys);
    applyAccessKeys(m_accessKeys);
}

std::optional<Rect> ControlSite::ClientRect(WindowHandle window) const
{
    if (window == 0 || window != hWnd())
        return std::nullopt;
    return Rect{0, 0, m_surface.size().width, m_surface.size().height};
}

void ControlSite::SetWindowRgn(std::optional<Region> region)
{
    m_region = std::move(region);
    applyRegion(m_region);
    m_windowStale = true; // the platform repaints a window whose shape changed
}

void ControlSite::PropertyChanged(std::string_view name)
{
    if (m_onChanged)
        m_onChanged(name);
}

void ControlSite::RaiseEvent(int number, std::span<EventArgument> arguments)
{
    const auto names = m_control->EventNames();
    if (number < 1 || number > static_cast<int>(names.size()))
        throw std::out_of_range("the control raised an event it does not declare");
    if (m_onEvent)
        m_onEvent(names[number - 1], arguments);
}

std::unique_ptr<MessageHook> ControlSite::HookWindowMessages(std::function<void(WindowMessage)> handler)
{
    return m_hooks.install(std::move(handler));
}

bool ControlSite::TrackMouseLeave()
{
    m_hooks.trackLeave();
    return true;
}

} // namespace plainquill::host
