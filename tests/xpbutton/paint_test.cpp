// XpB's looks, read back pixel by pixel. The face colour (100, 120, 96) keeps every channel
// away from the 0..255 cut, so a wrong channel or a wrong blue rule shows.
#include "button_fixture.h"

#include <functional>

namespace plainquill::xpbutton::testing {
namespace {

const Colour kFace = rgb(100, 120, 96); // u = (148, 168, 120) in style 3

struct PixelCase {
    int x, y;
    Colour expected;
    const char* why;
};

void expectPixels(const Button& b, std::initializer_list<PixelCase> cases)
{
    for (const PixelCase& c : cases)
        EXPECT_EQ(b.at(c.x, c.y), c.expected) << "(" << c.x << ", " << c.y << ") " << c.why << std::hex << " got 0x"
                                              << b.at(c.x, c.y);
}

// The smallest rectangle holding every pixel that matches; empty when none does.
Rect boxOf(const Button& b, const std::function<bool(Colour)>& match)
{
    Rect box{1 << 20, 1 << 20, -1, -1};
    for (int y = 0; y < b.host.clientSize().height; ++y)
        for (int x = 0; x < b.host.clientSize().width; ++x)
            if (match(b.at(x, y)))
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
    return box.right < 0 ? Rect{} : box;
}

TEST(XpBPaint, TheXPFaceIsAGradientInsideADarkOutlineWithTwoToneEdges)
{
    Button b({{"ButtonStyle", integer(XP)}, {"BackColor", ColourValue{kFace}}, {"Caption", std::string()}},
             {89, 30});
    const Colour outline = rgb(113, 111, 100);
    expectPixels(b, {
                        {40, 10, rgb(140, 160, 115), "row 10: round(-25 / 30 x 10) = -8"},
                        {40, 20, rgb(131, 151, 110), "row 20: -17, blue by 120 x -17 / 192"},
                        {40, 26, rgb(126, 146, 107), "row 26: -22"},
                        {0, 15, outline, "outline"},
                        {1, 1, outline, "corner"},
                        {87, 28, outline, "corner"},
                        {40, 1, rgb(164, 184, 130), "top edge +16"},
                        {40, 28, rgb(100, 120, 90), "bottom edge -48"},
                        {40, 27, rgb(116, 136, 100), "second bottom row -32"},
                        {1, 10, rgb(143, 163, 117), "left edge -5"},
                        {2, 10, rgb(138, 158, 114), "second left column -10"},
                        {87, 10, rgb(112, 132, 98), "right edge -36"},
                        {86, 10, rgb(124, 144, 105), "second right column -24"},
                    });
    // The window loses three pixels at each corner.
    const Region& shape = *b.host.windowRegion();
    for (const Point p : {Point{0, 0}, Point{1, 0}, Point{0, 1}, Point{88, 29}, Point{87, 29}, Point{88, 28}})
        EXPECT_FALSE(shape.contains(p)) << p.x << ", " << p.y;
    for (const Point p : {Point{2, 0}, Point{1, 1}, Point{87, 28}})
        EXPECT_TRUE(shape.contains(p)) << p.x << ", " << p.y;
}

TEST(XpBPaint, TheFocusedXPFaceUsesTheFocusColour)
{
    const struct {
        bool defaults;
        Colour frame, top, bottom, inner;
    } cases[] = {
        {true, rgb(140, 170, 230), rgb(205, 235, 255), rgb(107, 137, 191), rgb(171, 201, 255)},
        {false, rgb(0, 160, 0), rgb(65, 225, 0), rgb(0, 127, 0), rgb(31, 191, 0)},
    };
    for (const auto& c : cases) {
        Button b({{"ButtonStyle", integer(XP)},
                  {"XPDefaultColors", c.defaults},
                  {"XPColor_Pressed", ColourValue{rgb(0, 160, 0)}},
                  {"Caption", std::string()}});
        b.host.giveFocus();
        b.host.idle();
        expectPixels(b, {{1, 10, c.frame, "frame"},
                         {40, 1, c.top, "top +65"},
                         {40, 23, c.bottom, "bottom -33"},
                         {86, 10, c.inner, "inner right +31"}});
    }
}

TEST(XpBPaint, TheDisabledXPFaceIsFlat)
{
    Button b({{"ButtonStyle", integer(XP)},
              {"BackColor", ColourValue{kFace}},
              {"Enabled", false},
              {"Caption", std::string()}});
    expectPixels(b, {{40, 3, rgb(124, 144, 105), "fill -24"},
                     {40, 22, rgb(124, 144, 105), "no gradient"},
                     {0, 10, rgb(64, 84, 68), "outline -84"},
                     {1, 1, rgb(76, 96, 75), "corner -72"}});
}

TEST(XpBPaint, TheFlatLookTintsOnHoverAndPress)
{
    const Colour own = rgb(10, 20, 30);
    const struct {
        bool defaults;
        bool press;
        Colour expected;
    } cases[] = {{true, false, rgb(220, 255, 255)}, // highlight (49, 106, 197) + (171, 154, 108)
                 {true, true, rgb(205, 245, 255)},  // + (156, 139, 108)
                 {false, false, own},
                 {false, true, rgb(40, 50, 60)}};
    for (const auto& c : cases) {
        Button b({{"XPDefaultColors", c.defaults},
                  {"XPColor_Hover", ColourValue{own}},
                  {"XPColor_Pressed", ColourValue{rgb(40, 50, 60)}},
                  {"Caption", std::string()}});
        b.host.moveMouse(b.middle());
        if (c.press)
            b.host.press(MOUSE_LEFT, b.middle());
        expectPixels(b, {{2, 2, c.expected, c.press ? "pressed" : "hover"}});
        b.host.release(MOUSE_LEFT, b.middle());
        b.pointerAway();
        expectPixels(b, {{2, 2, rgb(236, 233, 216), "back to the face after leaving"}});
    }
}

TEST(XpBPaint, BevelRingsLightenUpAndLeftAndDarkenDownAndRight)
{
    Button b({{"ButtonStyle", integer(Raised)},
              {"BackColor", ColourValue{kFace}},
              {"BEVEL", integer(3)},
              {"Caption", std::string()}});
    expectPixels(b, {{10, 0, rgb(132, 152, 128), "outermost top: base + 32"},
                     {0, 10, rgb(132, 152, 128), "outermost left"},
                     {10, 3, rgb(108, 128, 104), "innermost top: base + 8"},
                     {10, 24, rgb(68, 88, 83), "outermost bottom: four steps darker"},
                     {10, 21, rgb(92, 112, 92), "innermost bottom: one step"},
                     {88, 10, rgb(68, 88, 83), "outermost right"},
                     {10, 20, kFace, "inside the rings"}});
    b.xpb.SetBEVEL(1);
    b.host.idle();
    expectPixels(b, {{0, 10, rgb(255, 255, 255), "highlight left"},
                     {10, 0, rgb(255, 255, 255), "highlight top"},
                     {88, 10, rgb(172, 168, 153), "shadow right"},
                     {10, 24, rgb(172, 168, 153), "shadow bottom"}});
}

TEST(XpBPaint, PictureAndCaptionShareTheContentArea)
{
    Button b({{"ButtonStyle", integer(XP)},
              {"Caption", std::string("Help")},
              {"Picture", framedPicture({12, 18}, 0x0000FF, 0x0000FF)},
              {"PictureWidth", integer(12)},
              {"PictureHeight", integer(18)},
              {"OriginalPicSizeW", integer(12)},
              {"OriginalPicSizeH", integer(18)}},
             {100, 26});
    EXPECT_EQ(b.xpb.ContentRect(), (Rect{4, 4, 96, 22}));
    const int tw = b.xpb.CaptionRect().width();
    const Rect picture{4 + (92 - (tw + 16)) / 2, 4, 4 + (92 - (tw + 16)) / 2 + 12, 22};
    EXPECT_EQ(b.xpb.PictureRect(), picture);
    EXPECT_EQ(b.xpb.CaptionRect().left, picture.right + 4);
    EXPECT_EQ(boxOf(b, [](Colour c) { return c == 0x0000FF; }), picture);

    const struct {
        std::int32_t position;
        bool pictureFirst, sideBySide;
    } positions[] = {{Above, true, false}, {LeftOf, true, true}, {RightOf, false, true}, {Below, false, false}};
    for (const auto& p : positions) {
        b.xpb.SetPicturePosition(p.position);
        const Rect pic = b.xpb.PictureRect();
        const Rect cap = b.xpb.CaptionRect();
        const Rect& first = p.pictureFirst ? pic : cap;
        const Rect& second = p.pictureFirst ? cap : pic;
        EXPECT_EQ(p.sideBySide ? second.left : second.top, (p.sideBySide ? first.right : first.bottom) + 4)
            << p.position;
    }
}

TEST(XpBPaint, APressMovesTheContentExceptInTheFlatLook)
{
    const Colour ink = rgb(0, 0, 255);
    const struct {
        std::int32_t style;
        int shift;
    } cases[] = {{Raised, 1}, {Flat, 0}, {XP, 1}, {Bare, 1}};
    for (const auto& c : cases) {
        Button b({{"ButtonStyle", integer(c.style)},
                  {"ForeColor", ColourValue{ink}},
                  {"Caption", std::string("Go")}});
        b.setPicture(framedPicture({6, 6}, 0x00FF00, 0x00FF00), {6, 6});
        const auto isInk = [&](Colour x) { return x == ink; };
        const auto isPicture = [](Colour x) { return x == 0x00FF00; };
        const Rect text = boxOf(b, isInk);
        const Rect picture = boxOf(b, isPicture);
        const Colour edge = b.at(3, 12);
        b.host.press(MOUSE_LEFT, b.middle());
        EXPECT_EQ(boxOf(b, isInk), text.offsetBy(c.shift, c.shift)) << c.style;
        EXPECT_EQ(boxOf(b, isPicture), picture.offsetBy(c.shift, c.shift)) << c.style;
        if (c.style != Flat) {
            EXPECT_EQ(b.at(3, 12), edge) << "the face itself does not change, style " << c.style;
        }
    }
}

TEST(XpBPaint, TheFlatLookLiftsAHoveredPictureOverItsShadow)
{
    Button b({{"Caption", std::string()}});
    b.setPicture(framedPicture({8, 8}, 0x00FF00, 0x00FF00), {8, 8});
    const Rect resting = b.xpb.PictureRect();
    b.host.moveMouse(b.middle());
    EXPECT_EQ(boxOf(b, [](Colour c) { return c == 0x00FF00; }), resting.offsetBy(-3, -3));
    EXPECT_EQ(boxOf(b, [](Colour c) { return c == 0x929292; }), resting) << "the shadow stays where it rested";
}

TEST(XpBPaint, MaskColourPixelsOfThePictureAreTransparent)
{
    Button b({{"ButtonStyle", integer(Bare)},
              {"BackColor", ColourValue{kFace}},
              {"Caption", std::string()},
              {"MaskColor", ColourValue{0xFF00FF}}});
    b.setPicture(framedPicture({8, 8}, 0x00FF00, 0xFF00FF), {16, 16});
    const Rect r = b.xpb.PictureRect();
    EXPECT_EQ(boxOf(b, [](Colour c) { return c == 0x00FF00; }), r.inflatedBy(-2, -2)) << "stretched twice";
    expectPixels(b, {{r.left, r.top, kFace, "frame pixel is the mask colour"}});
}

TEST(XpBPaint, ADisabledCaptionIsEmbossed)
{
    Button b({{"ButtonStyle", integer(Bare)}, {"Caption", std::string("Help")}, {"Enabled", false}});
    const Rect light = boxOf(b, [](Colour c) { return c == rgb(255, 255, 255); });
    const Rect shade = boxOf(b, [](Colour c) { return c == rgb(172, 168, 153); });
    ASSERT_FALSE(shade.isEmpty());
    EXPECT_EQ(light.right, shade.right + 1);
    EXPECT_EQ(light.bottom, shade.bottom + 1);
}

TEST(XpBPaint, ATransparentButtonShowsTheFormPictureBehindIt)
{
    Bitmap back = Bitmap::create({400, 300});
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            back.setPixel(x, y, rgb(x % 256, y % 256, 77));
    for (const std::int32_t style : {Raised, Flat, Bare}) {
        Button b({{"ButtonStyle", integer(style)}, {"TransparentBG", true}, {"Caption", std::string()}});
        b.host.setParentPicture(Picture::fromBitmap(back));
        b.xpb.Refresh();
        b.host.idle();
        // The button sits at (24, 16) of its form.
        expectPixels(b, {{10, 10, rgb(34, 26, 77), "the form's picture"}});
    }
}

} // namespace
} // namespace plainquill::xpbutton::testing
