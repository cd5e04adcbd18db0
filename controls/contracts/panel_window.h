#pragma once
// A picture panel a control carries as a child window, hidden until the control shows it (an
// About box): it keeps what is drawn on it, reports presses and clicks, and can become a framed,
// top-most window of its own.
#include "controls/contracts/drawing_surface.h"

#include <cstdint>
#include <functional>
#include <string>

namespace plainquill::contracts {

// Window style bits a panel may be given besides its own.
inline constexpr std::uint32_t WS_CAPTION = 0x00C00000;
inline constexpr std::uint32_t WS_THICKFRAME = 0x00040000;
inline constexpr std::uint32_t WS_MINIMIZEBOX = 0x00020000;

class PanelWindow {
public:
    struct Handlers {
        std::function<void()> paint;     // the panel needs drawing
        std::function<void()> mouseDown; // a button went down over it
        std::function<void()> click;     // a press and release over it
    };

    virtual ~PanelWindow() = default;

    virtual void SetHandlers(Handlers handlers) = 0;
    // Draws into the panel's persistent image (its client pixels); Refresh shows it.
    virtual Dc& hDC() = 0;
    virtual void Refresh() = 0;
    virtual Size ClientSize() const = 0;

    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual std::uint32_t WindowStyle() const = 0;
    virtual void SetWindowStyle(std::uint32_t style) = 0; // takes effect at the next frame change
    virtual void ApplyFrameChange() = 0;
    virtual void SetTopMost() = 0;
    virtual std::string Title() const = 0;
    virtual void SetTitle(const std::string& title) = 0;
    // SetParent(panel, 0): from now on a window of its own rather than a child of the control.
    virtual void DetachFromControl() = 0;
};

} // namespace plainquill::contracts
