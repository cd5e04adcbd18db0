#include "controls/xpbutton/xp_colour_math.h"

#include <algorithm>

namespace plainquill::xpbutton {

using namespace contracts;

namespace {

int cut(int channel) { return std::clamp(channel, 0, 255); }

} // namespace

Colour ShiftColor(Colour colour, int amount)
{
    const Channels c = SplitColor(colour);
    return rgb(cut(c.red + amount), cut(c.green + amount), cut(c.blue + c.blue * amount / 192));
}

Channels SplitColor(Colour colour)
{
    const auto value = static_cast<std::int64_t>(colour);
    const int blue = static_cast<int>(value / 65536);
    const int green = static_cast<int>((value % 65536) / 256);
    return {static_cast<int>(value % 256), green, blue};
}

Colour Lighten(Colour colour, int amount)
{
    const Channels c = SplitColor(colour);
    return rgb(cut(c.red + amount), cut(c.green + amount), cut(c.blue + amount));
}

} // namespace plainquill::xpbutton
