#pragma once
// The visual-styles theme as the themed button uses it:
//   OpenThemeData(hwnd, "Button")            -> theme.open("Button")  (nullptr: no theme)
//   DrawThemeBackground(h, dc, part, state, rect, clip)
//                                            -> data->drawBackground(dc, part, state, rect, clip)
//   GetThemeBackgroundRegion(h, dc, part, state, rect)
//                                            -> data->backgroundRegion(part, state, rect)
//   CloseThemeData(h)                        -> the unique_ptr going out of scope
#include "controls/contracts/drawing_surface.h"
#include "controls/contracts/geometry.h"
#include "controls/contracts/region.h"

#include <memory>
#include <optional>
#include <string_view>

namespace plainquill::contracts {

// Parts and states of the "Button" class.
inline constexpr int BP_PUSHBUTTON = 1;
inline constexpr int PBS_NORMAL = 1;
inline constexpr int PBS_HOT = 2;
inline constexpr int PBS_PRESSED = 3;
inline constexpr int PBS_DISABLED = 4;
inline constexpr int PBS_DEFAULTED = 5;

class ThemeData {
public:
    virtual ~ThemeData() = default;

    // Draws the part in the state into `rect` of the Dc, limited to `clip` when given; the
    // theme's transparent corners leave the Dc's pixels as they were. False when the part or state
    // is unknown or nothing could be drawn.
    virtual bool drawBackground(Dc& dc, int partId, int stateId, const Rect& rect, const Rect* clip) = 0;
    // The outline of the part drawn into `rect`, in the Dc's coordinates; nullopt on failure.
    virtual std::optional<Region> backgroundRegion(int partId, int stateId, const Rect& rect) = 0;
};

class Theme {
public:
    virtual ~Theme() = default;

    // Theme data for a class name such as "Button"; nullptr when there is no theme for it (no
    // visual styles, an unknown class).
    virtual std::unique_ptr<ThemeData> open(std::string_view classList) = 0;
};

} // namespace plainquill::contracts
