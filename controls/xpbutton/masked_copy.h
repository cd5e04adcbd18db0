#pragma once
// Copies a block of one DC onto another with one colour of the source left transparent, using
// only raster operations: a one-bit mask of the transparent colour cuts a hole in the
// destination, the inverted mask cuts the colour out of the source, and XOR joins the two.
#include "controls/contracts/drawing_surface.h"

namespace plainquill::xpbutton {

void MaskedCopy(contracts::Dc& destination, contracts::Dc& source, const contracts::Rect& sourceRect, int x, int y,
                contracts::Colour maskColour);

} // namespace plainquill::xpbutton
