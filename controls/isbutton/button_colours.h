#pragma once
// The colour arithmetic of the faces and skins, per channel on resolved 0x00BBGGRR colours.
#include "controls/contracts/colour.h"

#include <cmath>

namespace plainquill::isbutton {

// Nearest integer, halves to the even neighbour (the default rounding mode).
inline int roundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

// (a + b) / 2, rounded.
contracts::Colour average(contracts::Colour a, contracts::Colour b);
// k + (255 - k) x c div 255: k = 0 keeps the colour, 255 gives white.
contracts::Colour lighten(contracts::Colour c, int k);
// c + d, clamped to 0..255.
contracts::Colour offset(contracts::Colour c, int d);
// top + (bottom - top) x i / n, rounded: step i of n from `top` to `bottom`.
contracts::Colour step(contracts::Colour top, contracts::Colour bottom, int i, int n);

} // namespace plainquill::isbutton
