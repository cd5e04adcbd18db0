#pragma once
// The XP-look button's colour arithmetic, on 0x00BBGGRR values.
#include "controls/contracts/colour.h"

namespace plainquill::xpbutton {

// Red and green move by the full amount, blue by blue x amount / 192 (truncated toward zero),
// so a light face darkens evenly while its blue, which dominates XP colours, keeps its depth.
// Each channel is cut to 0..255.
contracts::Colour ShiftColor(contracts::Colour colour, int amount);

struct Channels {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// The three channels of a colour value (the value must be an RGB colour, not a system colour).
Channels SplitColor(contracts::Colour colour);

// Each channel plus `amount`, cut to 255 (used where a colour only ever lightens).
contracts::Colour Lighten(contracts::Colour colour, int amount);

} // namespace plainquill::xpbutton
