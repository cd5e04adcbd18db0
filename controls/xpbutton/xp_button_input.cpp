// XpB's input: resizing, focus, the mouse, the keyboard and the access key, the hover timer,
// the click sound and the link. Every change of the three display flags ends in Refresh.
//
// Hover ends when the container tells that the cursor left. Only a container that cannot tell has
// the cursor looked for every 10 ms by OverTimer: a hundred wake-ups a second, for as long as the
// cursor rests on the button, cost about one per cent of a core by themselves.
#include "controls/xpbutton/xp_button.h"

#include "controls/contracts/key_codes.h"

#include <cmath>

namespace plainquill::xpbutton {

using namespace contracts;

namespace {

constexpr std::string_view kMailPrefix = "mailto:";

} // namespace

void XpB::Resize()
{
    Container& c = container();
    // Too small to show a face: grow to 10 pixels (150 twips), which comes back as a Resize.
    if (c.ScaleWidth() < 10)
        c.SetWidth(150);
    if (c.ScaleHeight() < 10)
        c.SetHeight(150);
    m_clientWidth = static_cast<int>(std::nearbyint(c.ScaleWidth()));
    m_clientHeight = static_cast<int>(std::nearbyint(c.ScaleHeight()));
    m_focusRect = {4, 4, static_cast<int>(std::nearbyint(c.ScaleWidth() - 4)),
                   static_cast<int>(std::nearbyint(c.ScaleHeight() - 4))};
    if (m_buttonStyle == XP)
        SetRoundShape();
    Refresh();
}

void XpB::EnterFocus()
{
    m_isFocused = true;
    Refresh();
}

void XpB::ExitFocus()
{
    m_isFocused = false;
    m_isDown = false;
    Refresh();
}

bool XpB::Inside(float x, float y) const
{
    return x >= 0 && x < container().ScaleWidth() && y >= 0 && y < container().ScaleHeight();
}

void XpB::MouseDown(int button, int shift, float x, float y)
{
    m_lastButton = static_cast<std::int16_t>(button);
    m_lastShift = static_cast<std::int16_t>(shift);
    m_lastX = x;
    m_lastY = y;
    if (button != MOUSE_RIGHT) {
        m_isDown = true;
        Refresh();
    }
    RaiseMouse(MouseDownEvent, button, shift, x, y);
}

// The second press of a double click behaves as a press of its own, so it clicks again.
void XpB::DblClick()
{
    container().SetCapture();
    MouseDown(m_lastButton, m_lastShift, m_lastX, m_lastY);
}

void XpB::MouseMove(int button, int shift, float x, float y)
{
    if (Inside(x, y) && !m_isHover) {
        WatchHover();
        m_isHover = true;
        if (hasImage(m_hoverPicture))
            m_currentPicture = m_hoverPicture;
        EventArgument arguments[] = {static_cast<std::int16_t>(shift)};
        container().RaiseEvent(MouseInEvent, arguments);
        Refresh();
        container().DoEvents();
    }
    RaiseMouse(MouseMoveEvent, button, shift, x, y);
}

void XpB::WatchLeaving()
{
    m_leaveHook = container().HookWindowMessages([this](WindowMessage message) {
        if (message == WindowMessage::MouseLeave && m_hoverWatched)
            CursorGone();
    });
}

void XpB::WatchHover()
{
    m_hoverWatched = true;
    if (!m_leaveHook || !container().TrackMouseLeave())
        m_overTimer->SetEnabled(true);
}

void XpB::OverTimerTick()
{
    Container& c = container();
    if (c.WindowFromPoint(c.GetCursorPos()) == c.hWnd())
        return;
    CursorGone();
}

void XpB::CursorGone()
{
    EndHover();
    Refresh();
    // Shown released while the cursor is away, but the press still counts when it comes back.
    if (m_isDown) {
        m_isDown = false;
        Refresh();
        m_isDown = true;
    }
}

void XpB::EndHover()
{
    m_hoverWatched = false;
    if (m_overTimer)
        m_overTimer->SetEnabled(false);
    m_isHover = false;
    m_currentPicture = m_normalPicture;
    EventArgument arguments[] = {m_lastShift};
    container().RaiseEvent(MouseOutEvent, arguments);
}

void XpB::MouseUp(int button, int shift, float x, float y)
{
    m_isDown = false;
    if (button != MOUSE_RIGHT) {
        Refresh();
        if (Inside(x, y)) {
            PlayWave(m_soundClick);
            RaiseClick();
            GoToURL();
        }
    }
    RaiseMouse(MouseUpEvent, button, shift, x, y);
}

void XpB::KeyDown(int keyCode, int shift)
{
    // The latch keeps a held key (auto-repeat) from pressing the face again.
    if (!m_keyLatch) {
        if (keyCode == keys::kSpace) {
            m_isDown = true;
            m_isHover = true;
            Refresh();
        }
        m_keyLatch = true;
    }
    EventArgument arguments[] = {static_cast<std::int16_t>(keyCode), static_cast<std::int16_t>(shift)};
    container().RaiseEvent(KeyDownEvent, arguments);
}

void XpB::KeyPress(int characterCode)
{
    EventArgument arguments[] = {static_cast<std::int16_t>(characterCode)};
    container().RaiseEvent(KeyPressEvent, arguments);
}

void XpB::KeyUp(int keyCode, int shift)
{
    if (keyCode == keys::kSpace) {
        m_isDown = false;
        m_isHover = false;
        Refresh();
        MouseUp(MOUSE_LEFT, shift, 0, 0);
    }
    m_keyLatch = false;
    EventArgument arguments[] = {static_cast<std::int16_t>(keyCode), static_cast<std::int16_t>(shift)};
    container().RaiseEvent(KeyUpEvent, arguments);
}

void XpB::AccessKeyPress(int)
{
    if (!container().Enabled())
        return;
    RaiseClick();
    GoToURL();
}

void XpB::GoToURL()
{
    // The prefix is matched exactly: any other spelling is an address for the hyperlink service.
    if (m_url.starts_with(kMailPrefix))
        container().ShellOpen(m_url);
    else if (!m_url.empty())
        container().NavigateTo(m_url);
}

void XpB::PlayWave(const std::string& path) { container().PlayWave(path); }

} // namespace plainquill::xpbutton
