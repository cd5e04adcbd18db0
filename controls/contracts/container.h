#pragma once
// What a drawn control sees of the window that hosts it: its drawing surface and the container's
// services. The notifications travel the other way, as the virtual handlers of Control
// (control.h). Two hosts implement this: the Qt widget that shows a control in a real window and
// the headless host the controls' tests drive (both in platform/host).
//
// Coordinates are pixels of the control's client area unless a name says otherwise; "container
// units" are twips, the unit of the window's layout.
#include "controls/contracts/colour.h"
#include "controls/contracts/drawing_surface.h"
#include "controls/contracts/font_object.h"
#include "controls/contracts/geometry.h"
#include "controls/contracts/graphics.h"
#include "controls/contracts/panel_window.h"
#include "controls/contracts/picture.h"
#include "controls/contracts/region.h"
#include "controls/contracts/scale.h"
#include "controls/contracts/theme.h"
#include "controls/contracts/tooltip_window.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace plainquill::contracts {

// The surface's pointer shapes, with the platform's numbers (what MousePointer stores).
enum PointerShape : int {
    POINTER_DEFAULT = 0,
    POINTER_ARROW = 1,
    POINTER_CROSS = 2,
    POINTER_IBEAM = 3,
    POINTER_ICON = 4,
    POINTER_SIZE = 5,
    POINTER_SIZE_NESW = 6,
    POINTER_SIZE_NS = 7,
    POINTER_SIZE_NWSE = 8,
    POINTER_SIZE_WE = 9,
    POINTER_UP_ARROW = 10,
    POINTER_HOURGLASS = 11,
    POINTER_NO_DROP = 12,
    POINTER_ARROW_HOURGLASS = 13,
    POINTER_ARROW_QUESTION = 14,
    POINTER_SIZE_ALL = 15,
    POINTER_CUSTOM = 99, // the MouseIcon picture
};

// An argument of a raised event. The container's handler may change it; the control reads the
// changed value back after RaiseEvent returns.
using EventArgument = std::variant<std::int16_t, std::int32_t, float, double, bool, std::string>;

// The container's ambient properties, as they are while the control runs.
struct AmbientProperties {
    bool UserMode = true;          // false while the form is being designed
    bool DisplayAsDefault = false; // the control is the form's default button
    std::string DisplayName;       // the instance's name, e.g. "XP_ProgressBar1"
    FontRef Font;                  // the form's font
};

// The container's wrapper of the instance.
class ExtenderObject {
public:
    virtual ~ExtenderObject() = default;
    virtual std::string Name() const = 0;
    // Position in the parent, in the parent's scale unit (twips on a form).
    virtual double Left() const = 0;
    virtual double Top() const = 0;
    virtual std::string ToolTipText() const = 0;
    virtual void SetToolTipText(const std::string& text) = 0;
};

// A child timer. It ticks while Enabled with an interval above 0 (milliseconds); ticks arrive as
// notifications, never inside another handler unless that handler processes pending events.
class ChildTimer {
public:
    virtual ~ChildTimer() = default;
    virtual void SetInterval(int milliseconds) = 0;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

// The window messages a control may watch after the window's own handling of them.
enum class WindowMessage { MouseMove, MouseLeave, ThemeChanged, SysColorChange };

// An installed message hook; destroying it removes the hook.
class MessageHook {
public:
    virtual ~MessageHook() = default;
};

class Container {
public:
    virtual ~Container() = default;

    // ---- the surface ------------------------------------------------------------------------------
    virtual WindowHandle hWnd() const = 0;
    // Where drawing goes: the window itself, or the persistent image while AutoRedraw is on.
    virtual Dc& hDC() = 0;
    virtual Graphics& graphics() = 0;
    virtual Theme& theme() = 0;

    // The client area in the current ScaleMode (ScaleLeft and ScaleTop are 0).
    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;
    virtual double ScaleLeft() const = 0;
    virtual double ScaleTop() const = 0;
    virtual ScaleUnit ScaleMode() const = 0;
    virtual void SetScaleMode(ScaleUnit unit) = 0;
    double ScaleX(double value, ScaleUnit from, ScaleUnit to) const { return convertScale(value, from, to); }
    double ScaleY(double value, ScaleUnit from, ScaleUnit to) const { return convertScale(value, from, to); }

    // The control's size in container units (twips). Setting it resizes the window, which
    // delivers Resize before the set returns.
    virtual double Width() const = 0;
    virtual double Height() const = 0;
    virtual void SetWidth(double twips) = 0;
    virtual void SetHeight(double twips) = 0;

    // While AutoRedraw is on, hDC draws into a persistent image that the window shows whenever it
    // repaints (and Paint is not sent); while off, hDC draws on the window, and the window sends
    // Paint when its contents were lost (shown, resized, Refresh).
    virtual void SetAutoRedraw(bool on) = 0;
    // Setting BackColor clears the surface to it.
    virtual Colour BackColor() const = 0;
    virtual void SetBackColor(Colour colour) = 0;
    virtual Colour ForeColor() const = 0;
    virtual void SetForeColor(Colour colour) = 0;
    // The surface's font, selected into hDC.
    virtual FontRef Font() const = 0;
    virtual void SetFont(FontRef font) = 0;
    // The window's enabled state: a disabled window receives no mouse or keyboard input.
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    // Clears the drawing target to BackColor (with AutoRedraw off: to the persistent image).
    virtual void Cls() = 0;
    // Shows the surface now: with AutoRedraw on the persistent image, otherwise Paint is sent.
    virtual void Refresh() = 0;
    // Draws the picture at (x, y) in pixels, stretched to width x height (0: the picture's size).
    virtual void PaintPicture(const Picture& picture, int x, int y, int width = 0, int height = 0) = 0;

    virtual int MousePointer() const = 0;
    virtual void SetMousePointer(int shape) = 0;
    virtual PictureRef MouseIcon() const = 0;
    virtual void SetMouseIcon(PictureRef picture) = 0;
    // The characters whose Alt+key, pressed anywhere in the window, reaches this control as
    // AccessKeyPress. Matched without regard to case.
    virtual std::string AccessKeys() const = 0;
    virtual void SetAccessKeys(std::string keys) = 0;

    // GetClientRect: (0, 0, width, height) of a window the container knows, in pixels.
    virtual std::optional<Rect> ClientRect(WindowHandle window) const = 0;
    // SetWindowRgn: the window's shape; input outside it goes to what lies below. nullopt
    // restores the full rectangle. The region is the window's from then on.
    virtual void SetWindowRgn(std::optional<Region> region) = 0;

    // ---- the container ----------------------------------------------------------------------------
    // The property must be saved.
    virtual void PropertyChanged(std::string_view name) = 0;
    // Raises the event with this number (1 for the first in Control::EventNames()).
    virtual void RaiseEvent(int number, std::span<EventArgument> arguments) = 0;
    virtual const AmbientProperties& Ambient() const = 0;
    virtual ExtenderObject& Extender() = 0;
    // A new timer, disabled, interval 0; `onTick` runs as a notification of this control.
    virtual std::unique_ptr<ChildTimer> CreateTimer(std::function<void()> onTick) = 0;
    // Handles what is waiting (input, painting, timer ticks) once, then returns.
    virtual void DoEvents() = 0;
    // Types keystrokes into the focused window; "{TAB}" and "+{TAB}" move the focus to the next
    // and the previous control in the tab order, after the current handler returns.
    virtual void SendKeys(std::string_view keys) = 0;
    // The hyperlink service. Throws std::runtime_error when the address cannot be opened.
    virtual void NavigateTo(std::string_view address) = 0;
    // The shell's "open" of a document or address (a "mailto:" link opens the mail program), on
    // behalf of the parent form. Whether anything opened is not reported.
    virtual void ShellOpen(std::string_view document) = 0;
    // Plays a wave file asynchronously and returns at once. A relative path (either separator)
    // is taken from the program's folder; a missing file or no sound device plays nothing and
    // reports nothing.
    virtual void PlayWave(std::string_view path) = 0;

    // ---- pointer and capture ------------------------------------------------------------------------
    virtual Point GetCursorPos() const = 0;                        // screen pixels
    virtual WindowHandle WindowFromPoint(Point screen) const = 0;  // honours window shapes
    virtual Point ClientToScreen(Point client) const = 0;
    // Mouse input comes to this control until the next button release or ReleaseCapture.
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;

    // ---- the parent window ----------------------------------------------------------------------------
    virtual WindowHandle ParentWindow() const = 0;
    // A DC holding what the parent window itself draws (its background, without its child
    // controls), in the parent's pixel coordinates; the caller owns it.
    virtual std::unique_ptr<Dc> ParentWindowDc() = 0;
    // The parent form's background picture, or null.
    virtual PictureRef ParentPicture() const = 0;
    virtual ScaleUnit ParentScaleMode() const = 0;

    // ---- window messages --------------------------------------------------------------------------------
    // Calls `handler` for the watched messages after the window's own handling, until the returned
    // hook is destroyed. Null when the container cannot hook its window.
    virtual std::unique_ptr<MessageHook> HookWindowMessages(std::function<void(WindowMessage)> handler) = 0;
    // Asks for one MouseLeave message when the pointer next leaves the window.
    virtual bool TrackMouseLeave() = 0;

    // ---- tooltip windows ------------------------------------------------------------------------------
    // A new tooltip window owned by the control's window, with TTS_ styles; null when it cannot be
    // made.
    virtual std::unique_ptr<ToolTipWindow> CreateToolTipWindow(std::uint32_t style) = 0;
    // A hidden, borderless picture panel of this size inside the control's window.
    virtual std::unique_ptr<PanelWindow> CreatePanel(Size size) = 0;
};

} // namespace plainquill::contracts
