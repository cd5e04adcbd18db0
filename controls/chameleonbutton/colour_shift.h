#pragma once
// The colour arithmetic every look of the multi-look button is built from. Colours are 0x00BBGGRR.
#include "controls/contracts/colour.h"

namespace plainquill::chameleon {

// Moves all three channels by `amount` (lighter when positive), saturating at 0 and 255. With
// `soft` the amount is halved toward zero first. With `xp` the blue channel moves in proportion
// to itself (b + b * amount / 192), which keeps a bluish tint as the face darkens.
contracts::Colour shiftColour(contracts::Colour colour, int amount, bool xp, bool soft);

// Moves each channel toward white: base + (255 - base) * channel / 255, at most 255.
contracts::Colour tintColour(contracts::Colour colour, int base);

} // namespace plainquill::chameleon
