// The notifications of a hosted control: its lifecycle in the container's order, and input
// turned into the container's sequences (a double click, focus, access keys).
#include "platform/host/control_site.h"

#include <cmath>

namespace plainquill::host {

using namespace contracts;

void ControlSite::deliver(std::string_view notification, const std::function<void()>& handler)
{
    if (m_terminated)
        return;
    if (m_onNotification)
        m_onNotification(notification);
    try {
        handler();
    } catch (const std::exception& error) {
        // The container's rule: an error ends the handler; the control keeps the state it reached.
        if (m_onError)
            m_onError(notification, error);
    }
    showChanges();
}

void ControlSite::initializeNew()
{
    deliver("Initialize", [&] { m_control->Initialize(); });
    deliver("InitProperties", [&] { m_control->InitProperties(); });
}

void ControlSite::initializeFrom(const PropertyBag& bag)
{
    deliver("Initialize", [&] { m_control->Initialize(); });
    deliver("ReadProperties", [&] { m_control->ReadProperties(bag); });
}

PropertyBag ControlSite::save()
{
    PropertyBag bag;
    const auto himetric = [](int pixels) {
        return static_cast<std::int64_t>(std::nearbyint(convertScale(pixels, ScaleUnit::Pixels, ScaleUnit::Himetric)));
    };
    bag.WriteProperty("_ExtentX", himetric(m_surface.size().width));
    bag.WriteProperty("_ExtentY", himetric(m_surface.size().height));
    deliver("WriteProperties", [&] { m_control->WriteProperties(bag); });
    return bag;
}

void ControlSite::resizeTo(Size pixels)
{
    m_surface.resize({std::max(0, pixels.width), std::max(0, pixels.height)}, resolved(m_backColour));
    m_windowStale = true;
    deliver("Resize", [&] { m_control->Resize(); });
}

void ControlSite::setScale(int scale)
{
    if (scale == m_surface.scale())
        return;
    m_scaledGraphics.setScale(scale);
    m_surface.setScale(scale);
    m_windowStale = true;
}

void ControlSite::showControl()
{
    m_windowStale = true;
    deliver("Show", [&] { m_control->Show(); });
}

void ControlSite::hideControl() { deliver("Hide", [&] { m_control->Hide(); }); }

void ControlSite::terminate()
{
    deliver("Terminate", [&] { m_control->Terminate(); });
    m_terminated = true;
}

bool ControlSite::bringUpToDate()
{
    if (!m_windowStale || m_terminated)
        return false;
    m_windowStale = false;
    m_surface.showImage();
    if (!m_surface.autoRedraw()) {
        m_inPaint = true;
        deliver("Paint", [&] { m_control->Paint(); });
        m_inPaint = false;
    }
    return true;
}

float ControlSite::toScale(int pixels) const
{
    return static_cast<float>(convertScale(pixels, ScaleUnit::Pixels, m_scaleMode));
}

bool ControlSite::isInsideShape(Point at) const
{
    const Rect client{0, 0, m_surface.size().width, m_surface.size().height};
    return client.contains(at) && (!m_region || m_region->contains(at));
}

void ControlSite::mousePressed(int button, int shift, Point at)
{
    if (!m_enabled)
        return;
    m_releaseEndsDoubleClick = false;
    deliver("MouseDown", [&] { m_control->MouseDown(button, shift, toScale(at.x), toScale(at.y)); });
}

void ControlSite::mouseDoubleClicked(int /*button*/, int /*shift*/, Point /*at*/)
{
    if (!m_enabled)
        return;
    m_releaseEndsDoubleClick = true;
    deliver("DblClick", [&] { m_control->DblClick(); });
}

void ControlSite::mouseMoved(int buttons, int shift, Point at)
{
    if (!m_enabled)
        return;
    deliver("MouseMove", [&] { m_control->MouseMove(buttons, shift, toScale(at.x), toScale(at.y)); });
    windowMessage(WindowMessage::MouseMove);
}

void ControlSite::windowMessage(WindowMessage message)
{
    deliver("WindowMessage", [&] { m_hooks.deliver(message); });
}

void ControlSite::pointerLeft()
{
    if (m_hooks.leaveRequested())
        deliver("WindowMessage", [&] { m_hooks.pointerLeft(); });
}

void ControlSite::mouseReleased(int button, int shift, Point at)
{
    if (!m_enabled)
        return;
    const bool endsDoubleClick = std::exchange(m_releaseEndsDoubleClick, false);
    deliver("MouseUp", [&] { m_control->MouseUp(button, shift, toScale(at.x), toScale(at.y)); });
    if (!endsDoubleClick && isInsideShape(at))
        deliver("Click", [&] { m_control->Click(); });
    if (capturing())
        ReleaseCapture();
}

void ControlSite::keyPressed(int keyCode, int shift, int characterCode)
{
    if (!m_enabled)
        return;
    deliver("KeyDown", [&] { m_control->KeyDown(keyCode, shift); });
    if (characterCode != 0)
        deliver("KeyPress", [&] { m_control->KeyPress(characterCode); });
}

void ControlSite::keyReleased(int keyCode, int shift)
{
    if (!m_enabled)
        return;
    deliver("KeyUp", [&] { m_control->KeyUp(keyCode, shift); });
}

void ControlSite::focusEntered()
{
    deliver("EnterFocus", [&] { m_control->EnterFocus(); });
    deliver("GotFocus", [&] { m_control->GotFocus(); });
}

void ControlSite::focusLeft()
{
    deliver("LostFocus", [&] { m_control->LostFocus(); });
    deliver("ExitFocus", [&] { m_control->ExitFocus(); });
}

void ControlSite::accessKeyPressed(int characterCode)
{
    if (!m_enabled)
        return;
    if (m_control->CanGetFocus())
        takeFocus();
    deliver("AccessKeyPress", [&] { m_control->AccessKeyPress(characterCode); });
}

void ControlSite::setDisplayAsDefault(bool isDefault)
{
    if (m_ambient.DisplayAsDefault == isDefault)
        return;
    m_ambient.DisplayAsDefault = isDefault;
    deliver("AmbientChanged", [&] { m_control->AmbientChanged("DisplayAsDefault"); });
}

} // namespace plainquill::host
