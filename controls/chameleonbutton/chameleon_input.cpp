// chameleonButton's reactions to the mouse, the keyboard, focus and its access key, and the hover
// timer. Every reaction ends in a Redraw; Redraw itself skips the work when nothing changed.
#include "controls/chameleonbutton/chameleon_button.h"
#include "controls/contracts/access_key.h"
#include "controls/contracts/key_codes.h"

#include <array>

namespace plainquill::chameleon {

using namespace contracts;

namespace {

std::int16_t narrow(int value) { return static_cast<std::int16_t>(value); }

} // namespace

// ---- events ------------------------------------------------------------------------------------------

void chameleonButton::RaiseSimple(Event event) { container().RaiseEvent(event, {}); }

// The container's handler may change the arguments; the caller goes on with the changed values.
void chameleonButton::RaiseMouse(Event event, int& button, int& shift, float& x, float& y)
{
    std::array<EventArgument, 4> arguments{narrow(button), narrow(shift), x, y};
    container().RaiseEvent(event, arguments);
    button = std::get<std::int16_t>(arguments[0]);
    shift = std::get<std::int16_t>(arguments[1]);
    x = std::get<float>(arguments[2]);
    y = std::get<float>(arguments[3]);
}

void chameleonButton::RaiseKey(Event event, int& keyCode, int& shift)
{
    std::array<EventArgument, 2> arguments{narrow(keyCode), narrow(shift)};
    container().RaiseEvent(event, arguments);
    keyCode = std::get<std::int16_t>(arguments[0]);
    shift = std::get<std::int16_t>(arguments[1]);
}

// ---- the pointer -------------------------------------------------------------------------------------

// The window under the cursor decides, so a child window or a corner cut from the shape counts as
// outside.
bool chameleonButton::IsMouseOver() const
{
    return container().WindowFromPoint(container().GetCursorPos()) == container().hWnd();
}

void chameleonButton::MouseDown(int button, int shift, float x, float y)
{
    RaiseMouse(MouseDownEvent, button, shift, x, y);
    m_lastButton = button;
    if (button != MOUSE_RIGHT)
        Redraw(Down, false);
}

void chameleonButton::MouseMove(int button, int shift, float x, float y)
{
    RaiseMouse(MouseMoveEvent, button, shift, x, y);
    if (button >= MOUSE_RIGHT)
        return;
    if (!IsMouseOver()) {
        // The capture keeps the moves coming while a button is held: dragging out pops the
        // button up, dragging back in presses it again.
        Redraw(Up, false);
        return;
    }
    if (button == 0 && !m_isOver) {
        WatchHover();
        m_isOver = true;
        Redraw(Up, true);
        RaiseSimple(MouseOverEvent);
    } else if (button == MOUSE_LEFT) {
        // The pressed look is drawn without the hover decoration.
        m_isOver = true;
        Redraw(Down, false);
        m_isOver = false;
    }
}

// Hover ends when the container tells that the pointer left. Only a container that cannot tell has
// the pointer looked for every 3 ms by OverTimer: those wake-ups alone, for as long as the pointer
// rests on the button, cost a few per cent of a core.
void chameleonButton::WatchLeaving()
{
    m_leaveHook = container().HookWindowMessages([this](WindowMessage message) {
        if (message == WindowMessage::MouseLeave && m_hoverWatched)
            PointerGone();
    });
}

void chameleonButton::WatchHover()
{
    m_hoverWatched = true;
    if (!m_leaveHook || !container().TrackMouseLeave())
        m_overTimer->SetEnabled(true);
}

void chameleonButton::OverTimerTick()
{
    if (IsMouseOver())
        return;
    PointerGone();
}

void chameleonButton::PointerGone()
{
    EndHover();
    Redraw(Up, true);
    RaiseSimple(MouseOutEvent);
}

void chameleonButton::EndHover()
{
    m_hoverWatched = false;
    m_overTimer->SetEnabled(false);
    m_isOver = false;
}

void chameleonButton::MouseUp(int button, int shift, float x, float y)
{
    RaiseMouse(MouseUpEvent, button, shift, x, y);
    if (button != MOUSE_RIGHT)
        Redraw(Up, false);
}

void chameleonButton::FinishClick()
{
    container().Refresh();
    RaiseSimple(ClickEvent);
    if (m_clickHandler)
        m_clickHandler();
}

void chameleonButton::ClickSteps()
{
    if (m_lastButton != MOUSE_LEFT || !m_enabled)
        return;
    if (m_checkBoxBehaviour)
        m_value = !m_value;
    Redraw(Up, true);
    FinishClick();
}

void chameleonButton::Click() { ClickSteps(); }

// The second click of a double click comes as DblClick instead of a mouse-down: press the button
// again and take the capture so that the release draws it up.
void chameleonButton::DblClick()
{
    if (m_lastButton != MOUSE_LEFT)
        return;
    MouseDown(MOUSE_LEFT, 0, 0, 0);
    container().SetCapture();
}

// ---- the keyboard ----------------------------------------------------------------------------------------

void chameleonButton::KeyDown(int keyCode, int shift)
{
    RaiseKey(KeyDownEvent, keyCode, shift);
    m_lastKey = keyCode & 0xFF;
    switch (keyCode) {
    case keys::kSpace:
        Redraw(Down, false);
        break;
    case keys::kLeftArrow:
    case keys::kUpArrow:
        container().SendKeys("+{TAB}");
        break;
    case keys::kRightArrow:
    case keys::kDownArrow:
        container().SendKeys("{TAB}");
        break;
    default:
        break;
    }
}

// Enabled is not tested here: a disabled control never holds the focus, so it gets no keys.
void chameleonButton::KeyUp(int keyCode, int shift)
{
    RaiseKey(KeyUpEvent, keyCode, shift);
    if (m_lastKey != keys::kSpace || keyCode != keys::kSpace)
        return;
    if (m_checkBoxBehaviour)
        m_value = !m_value;
    Redraw(Up, false);
    FinishClick();
}

void chameleonButton::KeyPress(int characterCode)
{
    std::array<EventArgument, 1> arguments{narrow(characterCode)};
    container().RaiseEvent(KeyPressEvent, arguments);
}

// ---- focus and the access key -------------------------------------------------------------------------------

void chameleonButton::GotFocus()
{
    m_hasFocus = true;
    Redraw(m_lastState, true);
}

void chameleonButton::LostFocus()
{
    m_hasFocus = false;
    Redraw(m_lastState, true);
}

void chameleonButton::AccessKeyPress(int)
{
    m_lastButton = MOUSE_LEFT;
    ClickSteps();
}

void chameleonButton::SetAccessKey()
{
    container().SetAccessKeys("");
    container().SetAccessKeys(contracts::accessKeyOf(m_caption));
}

} // namespace plainquill::chameleon
