#pragma once
// The pixel-painted skins, each a function of what it needs to know of the button. They draw
// with fixed coordinates from the edges of a W x H face; a gradient without steps ends a skin
// early by throwing SkinEnded (skin_canvas.h).
#include "controls/isbutton/skin_canvas.h"

#include <cstdint>
#include <functional>

namespace plainquill::isbutton {

struct SkinInput {
    int W = 0;
    int H = 0;
    std::int32_t state = 0;
    bool hasFocus = false;
    bool showFocus = false;
    bool displayAsDefault = false;
    bool useCustomColors = false;
    contracts::Colour backColor = 0;      // BackColor
    contracts::Colour highlightColor = 0; // HighlightColor
    contracts::Colour sysFace = 0;        // the system's button face
    contracts::Colour sysHighlight = 0;   // the system's highlight
    // Sets the surface's background colour, which fills the whole surface.
    std::function<void(contracts::Colour)> setBackground;

    // b and hb of the skins: the custom colours when used, else the system's.
    contracts::Colour b() const { return useCustomColors ? backColor : sysFace; }
    contracts::Colour hb() const { return useCustomColors ? highlightColor : sysHighlight; }
};

void drawBlueSkin(SkinCanvas& canvas, const SkinInput& in);
void drawFaceSkin(SkinCanvas& canvas, const SkinInput& in);
void drawGradientSkin(SkinCanvas& canvas, const SkinInput& in);
void drawGlossySkin(SkinCanvas& canvas, const SkinInput& in);
void drawRoundedSkin(SkinCanvas& canvas, const SkinInput& in);

} // namespace plainquill::isbutton
