#include "controls/chameleonbutton/colour_shift.h"

#include <algorithm>

namespace plainquill::chameleon {

using contracts::Colour;

Colour shiftColour(Colour colour, int amount, bool xp, bool soft)
{
    if (soft)
        amount /= 2; // C++ division truncates toward zero, as the halving must
    int r = contracts::redOf(colour) + amount;
    int g = contracts::greenOf(colour) + amount;
    int b = contracts::blueOf(colour);
    b += xp ? (b * amount) / 192 : amount;
    // Only the direction of the move can overflow, so only that bound is applied.
    const auto bound = [amount](int channel) {
        if (amount > 0)
            return std::min(channel, 255);
        if (amount < 0)
            return std::max(channel, 0);
        return channel;
    };
    return static_cast<Colour>(bound(r) + 256 * bound(g) + 65536 * bound(b));
}

Colour tintColour(Colour colour, int base)
{
    const auto tint = [base](int channel) { return std::min(255, base + ((255 - base) * channel) / 255); };
    return contracts::rgb(tint(contracts::redOf(colour)), tint(contracts::greenOf(colour)),
                          tint(contracts::blueOf(colour)));
}

} // namespace plainquill::chameleon
