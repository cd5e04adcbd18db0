// Style 8, Gradient: a light-to-dark face (reversed when pressed) inside a bevel, a border that
// darkens with the focus, and a soft rim at the bottom and right.
#include "controls/isbutton/button_colours.h"
#include "controls/isbutton/is_button.h"
#include "controls/isbutton/skins.h"

namespace plainquill::isbutton {

using namespace contracts;

void drawGradientSkin(SkinCanvas& k, const SkinInput& in)
{
    const int W = in.W, H = in.H;
    const bool pressed = in.state == Pressed;
    const Colour base = in.useCustomColors ? in.backColor : in.sysFace;
    const Colour c = in.state == Normal ? base : in.useCustomColors ? in.highlightColor : offset(in.sysFace, 15);
    in.setBackground(c);
    if (pressed)
        k.gradient(offset(c, -15), offset(c, 15), 2, 2, W - 3, H - 6);
    else
        k.gradient(offset(c, 15), offset(c, -15), 2, 2, W - 3, H - 6);

    const Colour light = offset(c, 96);
    k.line(2, 1, W - 3, 1, pressed ? c : light);
    k.line(1, 2, 1, H - 3, pressed ? c : light);
    k.line(2, H - 3, W - 2, H - 3, pressed ? light : c);
    k.line(W - 2, 2, W - 2, H - 3, pressed ? light : c);

    const Colour border = offset(base, (!pressed && in.hasFocus) ? -96 : -48);
    k.line(2, 0, W - 3, 0, border);
    k.line(0, 2, 0, H - 3, border);
    k.line(2, H - 2, W - 3, H - 2, border);
    k.line(W - 2, 2, W - 2, H - 3, border);
    for (const Point p : {Point{1, 1}, {1, H - 3}, {W - 3, 1}, {W - 3, H - 3}})
        k.pixel(p.x, p.y, border);

    const Colour rim = offset(border, 21);
    k.line(3, H - 1, W - 4, H - 1, rim);
    k.line(W - 1, 3, W - 1, H - 4, rim);
    k.line(W - 4, H - 1, W, H - 5, rim);
    k.line(W - 3, H - 1, W, H - 4, offset(rim, 15));
}

} // namespace plainquill::isbutton
