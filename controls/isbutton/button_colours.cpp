#include "controls/isbutton/button_colours.h"

#include <algorithm>

namespace plainquill::isbutton {

using namespace contracts;

namespace {

template <typename PerChannel>
Colour perChannel(Colour a, Colour b, PerChannel f)
{
    return rgb(f(redOf(a), redOf(b)), f(greenOf(a), greenOf(b)), f(blueOf(a), blueOf(b)));
}

} // namespace

Colour average(Colour a, Colour b)
{
    return perChannel(a, b, [](int x, int y) { return roundHalfEven((x + y) / 2.0); });
}

Colour lighten(Colour c, int k)
{
    return perChannel(c, c, [k](int x, int) { return std::min(255, k + (255 - k) * x / 255); });
}

Colour offset(Colour c, int d)
{
    return perChannel(c, c, [d](int x, int) { return std::clamp(x + d, 0, 255); });
}

Colour step(Colour top, Colour bottom, int i, int n)
{
    return perChannel(top, bottom, [i, n](int t, int b) {
        return std::clamp(roundHalfEven(t + static_cast<double>(b - t) * i / n), 0, 255);
    });
}

} // namespace plainquill::isbutton
