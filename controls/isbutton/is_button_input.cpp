// isButton's input: the drawn state, the check state and the events, from the container's
// notifications and from the window messages its hover hook sees after the window's own handling.
#include "controls/isbutton/is_button.h"

#include "controls/contracts/key_codes.h"

namespace plainquill::isbutton {

using namespace contracts;

// The hook exists only in run mode; without it the button still works, but the pointer never
// makes it Hot, raises MouseEnter or MouseLeave, or brings up the tooltip.
void isButton::InstallHoverHook()
{
    m_hoverHook = container().HookWindowMessages([this](WindowMessage message) { OnWindowMessage(message); });
    m_trackingAvailable = m_hoverHook != nullptr;
}

void isButton::RemoveHoverHooks() { m_hoverHook.reset(); }

void isButton::RequestLeaveNotification()
{
    if (m_trackingAvailable)
        container().TrackMouseLeave();
}

void isButton::OnWindowMessage(WindowMessage message)
{
    switch (message) {
    case WindowMessage::SysColorChange:
    case WindowMessage::ThemeChanged:
        m_themedShapeState = 0; // a new theme may have a new outline
        Refresh();
        break;
    case WindowMessage::MouseMove:
        if (m_mouseInside)
            break;
        m_mouseInside = true;
        RequestLeaveNotification();
        m_state = Hot;
        Refresh();
        Raise(MouseEnterEvent);
        BuildToolTip();
        break;
    case WindowMessage::MouseLeave:
        if (!m_mouseInside)
            break; // already handled when the button was released outside or disabled
        EndHover();
        Refresh();
        break;
    }
}

void isButton::EndHover()
{
    m_mouseInside = false;
    m_state = Normal;
    RemoveToolTip();
    Raise(MouseLeaveEvent);
}

// A press comes only over the button, so the pointer is inside even when no move said so: the
// platform drops a move to the very place it last saw the pointer, which is where a pointer that
// left while the button was disabled comes back to.
void isButton::MouseDown(int button, int, float, float)
{
    if (button != MOUSE_LEFT)
        return;
    if (m_trackingAvailable && !m_mouseInside)
        OnWindowMessage(WindowMessage::MouseMove);
    m_state = Pressed;
    Refresh();
}

// Messages queued behind the release (a leave among them) are handled before Click is decided,
// so a press released outside the button raises none. Where the leave has not arrived by then
// (the window keeps the pointer while a button is held), the pointer's position decides, so that
// a release outside never clicks and never leaves the button looking hot.
void isButton::MouseUp(int button, int, float, float)
{
    if (button == MOUSE_LEFT) {
        if (m_buttonType == CheckButton && !m_value) {
            m_state = Pressed;
        } else {
            m_state = Hot;
            container().DoEvents();
            if (m_trackingAvailable && !PointerOver()) {
                if (m_mouseInside)
                    OnWindowMessage(WindowMessage::MouseLeave);
                m_state = Normal;
            } else {
                RequestLeaveNotification();
            }
            if (m_mouseInside)
                RaiseClick();
        }
        Refresh();
    }
    m_lastMouseButton = static_cast<std::int16_t>(button);
}

bool isButton::PointerOver() const
{
    return container().WindowFromPoint(container().GetCursorPos()) == container().hWnd();
}

// The container's Click follows MouseUp; it is where a check button changes its value. A click
// whose handler ran long (a whole conversion run) may end with the pointer long gone: the face then
// rests rather than staying lit for a pointer that is not there.
void isButton::ContainerClickAction()
{
    if (m_lastMouseButton != MOUSE_LEFT)
        return;
    if (m_buttonType == CheckButton)
        m_value = !m_value;
    m_state = m_trackingAvailable && !m_mouseInside ? Normal : Hot;
    Refresh();
}

void isButton::Click() { ContainerClickAction(); }

// The second press of a double click shows Pressed like the first.
void isButton::DblClick()
{
    if (m_lastMouseButton == MOUSE_LEFT)
        MouseDown(MOUSE_LEFT, 0, 1, 1);
}

void isButton::KeyDown(int keyCode, int)
{
    switch (keyCode) {
    case keys::kSpace:
        m_state = Pressed;
        Refresh();
        break;
    case keys::kRightArrow:
    case keys::kDownArrow:
        container().SendKeys("{TAB}");
        break;
    case keys::kLeftArrow:
    case keys::kUpArrow:
        container().SendKeys("+{TAB}");
        break;
    case keys::kTab:
        Raise(MouseLeaveEvent);
        break;
    default:
        break;
    }
}

// The check state changes before Click is raised.
void isButton::KeyUp(int keyCode, int)
{
    if (keyCode != keys::kSpace)
        return;
    ContainerClickAction();
    RaiseClick();
    m_state = Normal;
    Refresh();
}

// Toggles a check button but raises no Click.
void isButton::AccessKeyPress(int)
{
    m_lastMouseButton = MOUSE_LEFT;
    ContainerClickAction();
    m_state = Normal;
}

void isButton::GotFocus()
{
    m_hasFocus = true;
    Refresh();
}

void isButton::EnterFocus() { GotFocus(); }

void isButton::LostFocus()
{
    m_hasFocus = false;
    Refresh();
}

void isButton::ExitFocus() { LostFocus(); }

void isButton::AmbientChanged(std::string_view propertyName)
{
    if (propertyName == "DisplayAsDefault")
        Refresh();
}

} // namespace plainquill::isbutton
