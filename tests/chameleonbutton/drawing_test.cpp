// chameleonButton's drawing pipeline: colour arithmetic, palettes per scheme, caption and picture
// placement, the picture transfer, and the window shapes.
#include "controls/chameleonbutton/colour_shift.h"
#include "tests/chameleonbutton/button_fixture.h"

#include <gtest/gtest.h>

namespace plainquill::chameleon::testing {
namespace {

TEST(ChameleonDrawing, ColourArithmetic)
{
    struct Case { Colour colour; int amount; bool xp, soft; Colour expected; };
    const Case cases[] = {
        {0xD8E9EC, 48, true, false, 0xFFFFFF},  // every channel saturates, blue by 216 * 48 / 192
        {0xFFFFFF, -25, true, false, 0xDEE6E6}, // blue falls by 255 * 25 / 192 = 33
        {0x808080, -25, false, true, 0x747474}, // soft: -25 halves toward zero to -12
        {0x101010, 47, false, true, 0x272727},  // soft: 47 halves to 23
        {0x102030, -64, false, false, 0x000000},
        {0x0000FF, 0, true, false, 0x0000FF},
        {0x00C000, -1, true, false, 0x00BF00}, // red clamps at 0; blue 0 + 0 * -1 / 192 stays 0
    };
    for (const Case& c : cases)
        EXPECT_EQ(shiftColour(c.colour, c.amount, c.xp, c.soft), c.expected) << std::hex << c.colour << " " << c.amount;
    EXPECT_EQ(tintColour(0x000000, 176), 0xB0B0B0u);
    EXPECT_EQ(tintColour(0xC56A31, 176), rgb(191, 208, 237));
    EXPECT_EQ(tintColour(0xFFFFFF, 128), 0xFFFFFFu);
}

TEST(ChameleonDrawing, PalettePerScheme)
{
    struct Case { std::int32_t scheme; Colour face, shadow, light, highlight, dark, officeBorder, officeFill; };
    Button probe({});
    const Colour hl = probe.sys(COLOR_HIGHLIGHT);
    const Colour tintedHl = tintColour(hl, 176);
    const Case cases[] = {
        {Custom, 0x808080, 0x404040, 0x9F9F9F, 0xAFAFAF, 0x000000, 0x000000, 0x808080},
        {FixedGrey, 0xC0C0C0, 0x808080, 0xDFDFDF, 0xFFFFFF, 0x000000, 0x800000, 0xD1ADAD},
        {ParentWindow, 0xFFFFFF, 0xBFBFBF, 0xFFFFFF, 0xFFFFFF, 0x3F3F3F, hl, tintedHl},
        {System, probe.sys(COLOR_BTNFACE), probe.sys(COLOR_BTNSHADOW), probe.sys(COLOR_3DLIGHT),
         probe.sys(COLOR_BTNHIGHLIGHT), probe.sys(COLOR_3DDKSHADOW), hl, tintedHl},
        {0, probe.sys(COLOR_BTNFACE), probe.sys(COLOR_BTNSHADOW), probe.sys(COLOR_3DLIGHT),
         probe.sys(COLOR_BTNHIGHLIGHT), probe.sys(COLOR_3DDKSHADOW), hl, tintedHl},
    };
    for (const Case& c : cases) {
        // The parent window of the headless host paints white with black text.
        Button b({{"COLTYPE", std::int64_t{c.scheme}}, {"BCOL", ColourValue{0x808080}}, {"FCOL", ColourValue{0x0000FF}},
                  {"MCOL", ColourValue{sysColourRef(COLOR_BTNFACE)}}});
        b.load();
        const Palette& p = b.button.palette();
        const std::vector<Colour> got{p.face,       p.shadow,       p.light,     p.highlight,
                                      p.darkShadow, p.officeBorder, p.officeFill};
        EXPECT_EQ(got, (std::vector<Colour>{c.face, c.shadow, c.light, c.highlight, c.dark, c.officeBorder,
                                            c.officeFill}))
            << "scheme " << c.scheme;
        EXPECT_EQ(p.maskRGB, b.sys(COLOR_BTNFACE)) << "scheme " << c.scheme;
        EXPECT_EQ(p.xpFace, shiftColour(p.face, 48, false, false)) << "scheme " << c.scheme;
    }
    Button xp({{"BTYPE", std::int64_t{WindowsXP}}, {"COLTYPE", std::int64_t{Custom}}, {"BCOL", ColourValue{0x808080}}});
    xp.load();
    EXPECT_EQ(xp.button.palette().xpFace, 0xA0B0B0u); // blue grows by 128 * 48 / 192 = 32
}

TEST(ChameleonDrawing, CaptionAndPicturePlacement)
{
    const PictureRef picture = pictureOf({16, 16}, [](int, int) { return kBlack; });
    for (std::int32_t place = PictureLeft; place <= PictureBehind; ++place) {
        Button b({{"TX", std::string("OK")}, {"PICN", picture}, {"PICPOS", std::int64_t{place}}},
                 {.size = {89, 50}});
        b.load();
        const Rect caption = b.button.CaptionRect();
        const Point at = b.button.PicturePlace();
        const int cw = caption.width();
        const int ch = caption.height();
        EXPECT_EQ(b.button.PressedCaptionRect(), caption.offsetBy(1, 1)) << place;
        EXPECT_EQ(b.button.PictureSize(), (Size{16, 16}));
        switch (place) {
        case PictureLeft:
            EXPECT_EQ(caption.left, 17 + (89 - 17 - cw) / 2);
            EXPECT_EQ(at, (Point{caption.left - 20, 17}));
            break;
        case PictureRight:
            EXPECT_EQ(caption.left, 1 + (89 - 1 - cw - 16 - 4) / 2);
            EXPECT_EQ(at, (Point{caption.right + 4, 17}));
            break;
        case PictureAbove:
            EXPECT_EQ(caption.top, 17 + (50 - 17 - ch) / 2);
            EXPECT_EQ(at, (Point{36, caption.top - 18}));
            break;
        case PictureBelow:
            EXPECT_EQ(caption.top, 1 + (50 - 1 - ch - 16 - 4) / 2);
            EXPECT_EQ(at, (Point{36, caption.bottom + 2}));
            break;
        default:
            EXPECT_EQ(caption.left, 1 + (89 - 1 - cw) / 2);
            EXPECT_EQ(at, (Point{36, 17}));
            break;
        }
    }
    // A caption of spaces leaves the picture in the middle whatever the position.
    Button blank({{"TX", std::string("   ")}, {"PICN", picture}, {"PICPOS", std::int64_t{PictureLeft}}});
    blank.load();
    EXPECT_EQ(blank.button.PicturePlace(), (Point{36, 4}));
}

TEST(ChameleonDrawing, PictureTransfer)
{
    // 15 pixels wide (rows not a multiple of 4 bytes), every pixel different; the first column is
    // the mask colour.
    constexpr Colour kMask = 0x00FF00;
    const auto source = [](int x, int y) { return x == 0 ? kMask : rgb(10 * x, 100 + 50 * y, 255 - 10 * x); };
    const PictureRef picture = pictureOf({15, 3}, source);
    for (const bool useMask : {true, false}) {
        Button b({{"BTYPE", std::int64_t{FaceOnly}}, {"TX", std::string(" ")}, {"PICN", picture},
                  {"MCOL", ColourValue{kMask}}, {"UMCOL", useMask}});
        b.load();
        const Point at = b.button.PicturePlace();
        ASSERT_EQ(at, (Point{37, 11}));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 15; ++x)
                ASSERT_EQ(b.at(at.x + x, at.y + y), x == 0 && useMask ? b.button.palette().face : source(x, y))
                    << "mask " << useMask << " at " << x << "," << y;
    }
    // Grey rounds half to even twice: pure red is 76.5 -> 76.
    Button red({{"BTYPE", std::int64_t{FaceOnly}}, {"PICN", pictureOf({2, 2}, [](int, int) { return 0x0000FFu; })},
                {"NGREY", true}});
    red.load();
    const Point at = red.button.PicturePlace();
    EXPECT_EQ(red.at(at.x, at.y), rgb(76, 76, 76));
}

TEST(ChameleonDrawing, WindowShapes)
{
    struct Case { std::int32_t look; std::vector<Point> cut; std::vector<Point> kept; };
    const Case cases[] = {
        {Outlined, {{0, 0}, {88, 0}, {0, 24}, {88, 24}}, {{1, 0}, {87, 24}, {44, 12}}},
        {Gradient, {{0, 0}, {88, 0}, {0, 24}, {88, 24}}, {{1, 0}, {0, 1}}},
        {FlatFrame, {{88, 0}, {0, 24}}, {{0, 0}, {88, 24}, {87, 0}}},
        {WindowsXP, {{0, 0}, {1, 0}, {0, 1}, {87, 0}, {88, 0}, {88, 1}, {0, 23}, {0, 24}, {1, 24}, {88, 23}, {87, 24},
                     {88, 24}},
         {{2, 0}, {1, 1}, {87, 1}, {86, 24}, {87, 23}}},
        {RoundedPanel, {{1, 0}, {88, 23}}, {{1, 1}, {2, 0}}},
        {Oval, {{0, 0}, {88, 0}, {0, 24}, {88, 24}, {5, 1}}, {{44, 0}, {44, 24}, {0, 12}, {88, 12}, {44, 12}}},
        {Classic, {}, {{0, 0}, {88, 24}}},
        {99, {}, {{0, 0}, {88, 24}}},
    };
    for (const Case& c : cases) {
        Button b({{"BTYPE", std::int64_t{c.look}}});
        b.load();
        ASSERT_TRUE(b.host.windowRegion().has_value());
        for (const Point p : c.cut)
            EXPECT_FALSE(b.host.windowRegion()->contains(p)) << "type " << c.look << " " << p.x << "," << p.y;
        for (const Point p : c.kept)
            EXPECT_TRUE(b.host.windowRegion()->contains(p)) << "type " << c.look << " " << p.x << "," << p.y;
    }
}

// The transparent look copies the part of the parent that lies behind it: the extender places the
// control in twips, the parent's pixels are counted in pixels.
TEST(ChameleonDrawing, TransparentLookShowsTheParentBehindIt)
{
    Button b({{"BTYPE", std::int64_t{Transparent}}}, {.positionInParent = {24, 16}, .parentSize = {400, 300}});
    Bitmap parent = Bitmap::create({400, 300});
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            parent.setPixel(x, y, x >= 24 && x < 24 + 89 && y >= 16 && y < 16 + 25 ? rgb(x - 24, y - 16, 200) : kWhite);
    b.host.setParentBackground(parent);
    b.load();
    for (const Point p : {Point{0, 0}, Point{5, 3}, Point{88, 24}})
        EXPECT_EQ(b.at(p.x, p.y), rgb(p.x, p.y, 200)) << p.x << "," << p.y;
    EXPECT_EQ(b.host.clientSize(), (Size{89, 25})); // the height came back after the capture
}

// With custom colours the hovered button is drawn in its hover face; the stored face stays.
TEST(ChameleonDrawing, CustomSchemeDrawsTheHoverFaceOnlyWhileHovered)
{
    Button b({{"COLTYPE", std::int64_t{Custom}}, {"BCOL", ColourValue{0x0000FF}}, {"BCOLO", ColourValue{0x00FF00}}});
    b.load();
    EXPECT_EQ(b.at(10, 10), 0x0000FFu);
    b.host.moveMouse({44, 12});
    EXPECT_EQ(b.at(10, 10), 0x00FF00u);
    EXPECT_EQ(b.button.BackColor(), 0x0000FFu);
    EXPECT_EQ(b.button.palette().face, 0x0000FFu);
}

TEST(ChameleonDrawing, ZeroHeightDrawsNothingAndRaisesNoError)
{
    Button b({{"BTYPE", std::int64_t{WindowsXP}}}, {.size = {89, 0}});
    b.load();
    b.button.SetCaption("x");
    b.host.moveMouse({5, 0});
    EXPECT_TRUE(b.host.errors().empty());
}

} // namespace
} // namespace plainquill::chameleon::testing
