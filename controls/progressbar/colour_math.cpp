#include "controls/progressbar/colour_math.h"

#include "controls/progressbar/progress_arithmetic.h"

#include <algorithm>
#include <cstdint>

namespace plainquill::progressbar {

using contracts::Colour;

namespace {

// The channels as the bar splits a colour: by division, so they are the low three bytes.
struct Channels {
    std::int64_t red, green, blue;
};

Channels split(Colour colour)
{
    const std::int64_t c = colour;
    return {c & 0xFF, (c / 256) & 0xFF, (c / 65536) & 0xFF};
}

Colour join(std::int64_t red, std::int64_t green, std::int64_t blue)
{
    return static_cast<Colour>(red + green * 256 + blue * 65536);
}

} // namespace

Colour LightenColor(Colour colour, int amount)
{
    const Channels c = split(colour);
    const auto lighten = [amount](std::int64_t channel) {
        return std::min<std::int64_t>(255, amount + (255 - amount) * channel / 255);
    };
    return join(lighten(c.red), lighten(c.green), lighten(c.blue));
}

Colour BlendColor(Colour first, Colour second, int weight)
{
    const Channels a = split(first);
    const Channels b = split(second);
    const auto blend = [weight](std::int64_t from, std::int64_t to) {
        return std::int64_t{roundHalfEven((255.0 - weight) * to / 255.0 + weight * static_cast<double>(from) / 255.0)};
    };
    return join(blend(a.red, b.red), blend(a.green, b.green), blend(a.blue, b.blue));
}

} // namespace plainquill::progressbar
