// Style 9, Glossy: a face with bright highlights down both sides of its upper half, shaded
// lower corners and a bright top rim. h is half the height, a real number; every position and
// count made from it is rounded.
#include "controls/isbutton/button_colours.h"
#include "controls/isbutton/is_button.h"
#include "controls/isbutton/skins.h"

namespace plainquill::isbutton {

using namespace contracts;

namespace {

Colour baseColour(const SkinInput& in)
{
    const Colour hot = in.useCustomColors ? in.highlightColor : in.sysFace;
    switch (in.state) {
    case Normal:
        return offset(in.b(), -15);
    case Hot:
        return offset(hot, 1);
    case Pressed:
        return offset(hot, 24);
    default:
        return offset(in.b(), 15);
    }
}

// The skin's parts, drawn in shades of the base colour c.
struct GlossyFace {
    SkinCanvas& k;
    int W, H;
    Colour c;
    double h = H / 2.0;

    Colour o(int d) const { return offset(c, d); }
    static int r(double v) { return roundHalfEven(v); }
    // A gradient down column x: the line from x to x + 1 on every row.
    void column(Colour top, Colour bottom, int x, int y, int n) const { k.gradient(top, bottom, x, y, x + 1, n); }

    void leftSide() const
    {
        column(o(128), o(-128), 0, 0, H - 4);

        column(c, o(-37), 2, 4, r(h - 7));
        column(c, o(-53), 3, 3, r(h - 7));
        column(c, o(-37), 4, 2, r(h - 7));
        column(o(37), o(5), 5, 2, r(h - 4));

        column(o(-37), o(-32), 2, r(h - 2), r(h - 5));
        column(o(-53), o(-32), 3, r(h - 3), r(h - 3));
        column(o(-37), o(-32), 4, r(h - 4), r(h - 1));
        column(o(5), o(-5), 5, r(h - 4), r(h - 3));

        k.hgradient(o(-53), o(-32), 5, H - 5, 12, H - 4);
        k.hgradient(o(-56), o(-32), 4, H - 6, 7, H - 5);
        k.hgradient(o(-37), o(-32), 3, H - 7, 5, H - 6);
    }

    void rightSide() const
    {
        column(o(128), o(-128), W - 2, 0, H - 4);
        column(o(128), o(-48), W - 1, 0, r(h));
        column(o(-64), o(-8), W - 1, r(h), r(h - 4));

        column(c, o(-37), W - 4, 4, r(h - 5));
        column(c, o(-48), W - 5, 3, r(h - 4));
        column(c, o(-37), W - 6, 2, r(h - 3));
        column(o(37), o(5), W - 7, 2, r(h - 4));

        column(o(-37), o(-21), W - 4, r(h), r(h - 5));
        column(o(-48), o(-37), W - 5, r(h), r(h - 5));
        column(o(-37), o(-53), W - 6, r(h), r(h - 4));
        column(o(-5), o(-37), W - 7, r(h), r(h - 4));

        k.hgradient(o(-32), o(-53), W - 15, H - 4, W - 7, H - 3);
    }

    void topRim() const
    {
        k.line(3, 0, W - 3, 0, o(48));
        k.line(1, 1, W - 1, 1, o(48));
        k.line(5, 1, W - 5, 1, c);
        k.hgradient(o(32), c, W - 11, 2, W - 4, 3);
        k.hgradient(o(32), c, W - 10, 3, W - 5, 4);
        k.hgradient(o(32), c, W - 9, 4, W - 6, 5);
        k.line(6, 3, 7, 3, o(128));
    }

    void bottomRim() const
    {
        k.line(3, H - 1, W - 3, H - 1, o(-16));
        k.line(2, H - 2, W - 3, H - 2, o(-128));
        k.line(7, H - 3, W - 7, H - 3, c);
        k.pixel(1, H - 3, o(-112));
    }
};

} // namespace

void drawGlossySkin(SkinCanvas& k, const SkinInput& in)
{
    const GlossyFace face{k, in.W, in.H, baseColour(in)};
    in.setBackground(face.c);
    k.gradient(face.o(32), face.o(-32), 5, 2, in.W - 5, in.H - 6);
    face.leftSide();
    face.rightSide();
    face.topRim();
    face.bottomRim();
}

} // namespace plainquill::isbutton
