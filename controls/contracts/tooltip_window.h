#pragma once
// The platform's tooltip window as a control drives it: made with a style, given one tool (the
// control's window and the text to show over it), optionally a title with an icon and its own
// colours. Destroying the object destroys the window.
#include "controls/contracts/colour.h"
#include "controls/contracts/geometry.h"

#include <cstdint>
#include <string>

namespace plainquill::contracts {

// A window as the controls name it; 0 is no window. Only compared and handed back, never
// dereferenced.
using WindowHandle = std::uintptr_t;

// Window styles of a tooltip window.
inline constexpr std::uint32_t TTS_ALWAYSTIP = 0x01; // also while the window is inactive
inline constexpr std::uint32_t TTS_NOPREFIX = 0x02;  // "&" is shown as it is
inline constexpr std::uint32_t TTS_BALLOON = 0x40;   // a balloon with a pointer towards the tool

// The tooltip watches the tool window's mouse messages itself.
inline constexpr std::uint32_t TTF_SUBCLASS = 0x10;

// The title icons (TTM_SETTITLE's wParam).
enum TitleIcon : int { TTI_NONE = 0, TTI_INFO = 1, TTI_WARNING = 2, TTI_ERROR = 3 };

// TOOLINFO: where the tip belongs and what it says.
struct ToolInfo {
    std::uint32_t flags = 0;
    WindowHandle window = 0;
    std::uintptr_t id = 0;
    Rect rect;        // in the tool window's client pixels
    std::string text; // UTF-8
};

class ToolTipWindow {
public:
    virtual ~ToolTipWindow() = default;

    virtual void AddTool(const ToolInfo& tool) = 0;                     // TTM_ADDTOOL
    virtual void DelTool(const ToolInfo& tool) = 0;                     // TTM_DELTOOL
    virtual void SetTitle(int icon, const std::string& title) = 0;      // TTM_SETTITLE
    virtual void SetTipTextColor(Colour colour) = 0;                    // TTM_SETTIPTEXTCOLOR
    virtual void SetTipBkColor(Colour colour) = 0;                      // TTM_SETTIPBKCOLOR
};

} // namespace plainquill::contracts
