// Style 7, FaceSkin: the shape of BlueSkin built from the button face, lighter when hot, darker
// and reversed when pressed.
#include "controls/isbutton/button_colours.h"
#include "controls/isbutton/is_button.h"
#include "controls/isbutton/skins.h"

namespace plainquill::isbutton {

using namespace contracts;

void drawFaceSkin(SkinCanvas& k, const SkinInput& in)
{
    const int W = in.W, H = in.H;
    const Colour b = in.b(), hb = in.hb();
    if (in.state == Pressed) {
        const Colour c = offset(b, -9);
        k.gradient(offset(c, -15), c, 1, 1, W - 2, H - 2);
        k.gradient(offset(c, -21), offset(c, 21), W - 2, 2, W - 1, H - 5);
        k.gradient(offset(c, -32), offset(c, -5), 1, 2, 2, H - 5);
        k.borderAndOuterPixels(W, H, offset(c, -96), offset(b, -21));
        k.line(2, H - 2, W - 2, H - 2, offset(b, 8));
        k.line(2, 1, W - 2, 1, offset(b, -21));
        return;
    }
    const Colour c = in.state == Hot ? offset(b, 24) : in.state == Disabled ? offset(b, 18) : offset(b, 8);
    const int k16 = in.state == Hot ? 16 : 15;
    in.setBackground(c);
    k.gradient(offset(c, k16), offset(c, -k16), 1, 1, W - 2, H - 3);
    k.gradient(offset(c, 21), offset(c, -21), 1, 2, 2, H - 5);
    k.gradient(offset(c, -5), offset(c, -32), W - 2, 2, W - 1, H - 5);
    k.borderAndOuterPixels(W, H, offset(c, -96), in.state == Disabled ? offset(b, 5) : offset(b, -21));
    k.line(2, 1, W - 2, 1, offset(b, 21));
    k.line(2, H - 2, W - 2, H - 2, in.state == Hot ? offset(b, -16) : offset(b, -37));
    if (in.state == Hot || in.state == 5 || (in.state == Normal && in.hasFocus)) {
        k.line(2, 1, W - 2, 1, offset(hb, 21));
        k.line(1, 2, W - 1, 2, offset(hb, 21));
        k.line(1, H - 3, W - 1, H - 3, offset(hb, -5));
        k.line(2, H - 2, W - 2, H - 2, offset(hb, -21));
    }
}

} // namespace plainquill::isbutton
