#pragma once
// The base of every drawn control: the notifications its container sends, as virtual handlers
// that do nothing unless a control overrides them, and the container it reaches its surface and
// services through.
//
// A host makes the control, sites it (Site), and then sends, in this order:
//   Initialize; InitProperties (a new instance) or ReadProperties (a stored one); Resize; Show;
//   Paint; then input, focus, ambient changes and timer ticks as they happen; Hide; Terminate.
// WriteProperties comes whenever the host saves the instance.
//
// A handler that throws ends there: the host catches the error at the notification boundary
// and the control keeps whatever state it had reached. Property sets called directly by the
// window (the faces) are not notifications; their errors reach the window.
#include "controls/contracts/container.h"
#include "controls/contracts/property_bag.h"

#include <cassert>
#include <span>
#include <string_view>

namespace plainquill::contracts {

// Mouse button masks and shift masks, as the notifications carry them.
enum MouseButtonMask : int { MOUSE_LEFT = 1, MOUSE_RIGHT = 2, MOUSE_MIDDLE = 4 };
enum ShiftMask : int { SHIFT_MASK = 1, CTRL_MASK = 2, ALT_MASK = 4 };

class Control {
public:
    virtual ~Control() = default;

    // The host gives the control its container before the first notification.
    void Site(Container& container) { m_container = &container; }

    // ---- lifecycle ----------------------------------------------------------------------------------
    virtual void Initialize() {}
    virtual void InitProperties() {}
    virtual void ReadProperties(const PropertyBag&) {}
    virtual void WriteProperties(PropertyBag&) {}
    virtual void Resize() {}
    virtual void Show() {}
    virtual void Paint() {}
    virtual void Hide() {}
    virtual void Terminate() {}

    // ---- input: buttons and shift are masks, X and Y in the control's ScaleMode --------------------
    virtual void MouseDown(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void MouseMove(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void MouseUp(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void Click() {}
    virtual void DblClick() {}
    // Key codes are the platform's virtual-key numbers (space 32, left arrow 37, 'A' 65, ...).
    virtual void KeyDown(int /*keyCode*/, int /*shift*/) {}
    virtual void KeyUp(int /*keyCode*/, int /*shift*/) {}
    virtual void KeyPress(int /*characterCode*/) {}

    // ---- focus, access keys, ambient properties -----------------------------------------------------
    virtual void GotFocus() {}
    virtual void LostFocus() {}
    virtual void EnterFocus() {}
    virtual void ExitFocus() {}
    virtual void AccessKeyPress(int /*characterCode*/) {}
    virtual void AmbientChanged(std::string_view /*propertyName*/) {}

    // ---- what the host asks of the control -----------------------------------------------------------
    // Whether the control takes part in the tab order and can hold the focus.
    virtual bool CanGetFocus() const { return true; }
    // The control's events in declaration order; event number n is EventNames()[n - 1].
    virtual std::span<const std::string_view> EventNames() const { return {}; }

protected:
    Container& container() const
    {
        assert(m_container && "a control is used before its host sited it");
        return *m_container;
    }

private:
    Container* m_container = nullptr;
};

} // namespace plainquill::contracts
