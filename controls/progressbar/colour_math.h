#pragma once
// The bar's colour arithmetic on resolved 0x00BBGGRR colours.
#include "controls/contracts/colour.h"

namespace plainquill::progressbar {

// Each channel moves towards white: amount + (255 - amount) x channel / 255 (integer division),
// cut at 255. Amount 0 keeps the colour, 255 gives white.
contracts::Colour LightenColor(contracts::Colour colour, int amount);

// Each channel: (255 - weight) x second / 255 + weight x first / 255 in floating point,
// rounded. Weight 255 gives `first`, 0 gives `second`. Both colours must be resolved.
contracts::Colour BlendColor(contracts::Colour first, contracts::Colour second, int weight);

} // namespace plainquill::progressbar
