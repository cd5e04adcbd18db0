// What each ButtonType draws, read back pixel by pixel at 89 x 25 in the system colours (button
// face RGB(236, 233, 216), so the XP look's tint is white). Expected colours are worked out by
// hand from the look's recipe.
#include "tests/chameleonbutton/button_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace plainquill::chameleon::testing {
namespace {

struct Pixel {
    int x, y;
    Colour colour;
};

enum class Variant { Up, Hover, Down, Focus, FocusHover, Default, DefaultNoFocusRect, Disabled };

void bringInto(Button& b, Variant v)
{
    const Point inside{44, 12};
    switch (v) {
    case Variant::Up:
        break;
    case Variant::Hover:
        b.host.moveMouse(inside);
        break;
    case Variant::Down:
        b.host.press(MOUSE_LEFT, inside);
        break;
    case Variant::Focus:
        b.host.giveFocus();
        break;
    case Variant::FocusHover:
        b.host.giveFocus();
        b.host.moveMouse(inside);
        break;
    case Variant::Default:
        b.host.setDisplayAsDefault(true);
        break;
    case Variant::DefaultNoFocusRect:
        b.button.SetShowFocusRect(false);
        b.host.setDisplayAsDefault(true);
        break;
    case Variant::Disabled:
        b.button.SetEnabled(false);
        break;
    }
    b.host.idle();
}

struct LookCase {
    const char* name;
    std::int32_t look;
    Variant variant;
    std::vector<Pixel> pixels;
    Size size{89, 25};
};

void expectPixels(const LookCase& c)
{
    Button b({{"BTYPE", std::int64_t{c.look}}, {"TX", std::string("OK")}}, {.size = c.size});
    b.load();
    bringInto(b, c.variant);
    for (const Pixel& p : c.pixels)
        EXPECT_EQ(b.at(p.x, p.y), p.colour) << c.name << " at " << p.x << "," << p.y;
}

constexpr Colour kOutline = 0x733C00;
constexpr Colour kCorner = 0x7B4D10;

TEST(ChameleonLooks, WindowsXP)
{
    const LookCase cases[] = {
        {"up", WindowsXP, Variant::Up,
         {{0, 12, kOutline}, {44, 0, kOutline}, {1, 1, kCorner}, {87, 23, kCorner}, {1, 23, kCorner},
          {40, 23, rgb(207, 207, 192)}, {40, 22, rgb(223, 223, 213)}, {87, 10, rgb(219, 219, 208)},
          {86, 10, rgb(231, 231, 224)}, {40, 1, kWhite}, {40, 2, kWhite}, {1, 10, rgb(250, 250, 249)},
          {2, 10, rgb(245, 245, 242)}, {5, 12, rgb(243, 243, 240)}}},
        // 25 / 20 = 1.25 a line: line 5 is 6.25 steps down, line 6 7.5 (rounds to 8), line 10 12.5 (to 12).
        {"gradient of a 20-pixel button", WindowsXP, Variant::Up,
         {{5, 5, rgb(249, 249, 248)}, {5, 6, rgb(247, 247, 245)}, {5, 10, rgb(243, 243, 240)}}, {89, 20}},
        {"hover", WindowsXP, Variant::Hover,
         {{1, 10, 0x31B2FF}, {87, 10, 0x31B2FF}, {40, 22, 0x31B2FF}, {1, 2, 0x8CDBFF}, {2, 10, 0x6BCBFF},
          {86, 10, 0x6BCBFF}, {40, 23, 0x0096E7}, {40, 1, 0xCEF3FF}, {0, 12, kOutline}}},
        {"focus", WindowsXP, Variant::Focus,
         {{1, 10, 0xE7AE8C}, {40, 22, 0xE7AE8C}, {1, 2, 0xF7D7BD}, {2, 10, 0xF0D1B5}, {40, 23, 0xEF826B},
          {40, 1, 0xFFE7CE}}},
        {"focus and hover shows the orange glow", WindowsXP, Variant::FocusHover, {{1, 10, 0x31B2FF}}},
        {"default", WindowsXP, Variant::Default, {{1, 10, 0xE7AE8C}, {40, 23, 0xEF826B}}},
        {"default without focus rectangle", WindowsXP, Variant::DefaultNoFocusRect, {{1, 10, rgb(250, 250, 249)}}},
        {"down", WindowsXP, Variant::Down,
         {{0, 12, kOutline}, {1, 1, kCorner}, {40, 23, rgb(239, 239, 230)}, {40, 22, rgb(233, 233, 224)},
          {87, 10, rgb(228, 228, 218)}, {86, 10, kWhite}, {40, 1, rgb(191, 191, 178)}, {40, 2, rgb(199, 199, 187)},
          {1, 10, rgb(191, 191, 178)}, {2, 10, rgb(201, 201, 189)}, {5, 12, rgb(210, 210, 199)}}},
        {"disabled", WindowsXP, Variant::Disabled,
         {{5, 12, rgb(231, 231, 224)}, {0, 12, rgb(171, 171, 144)}, {88, 24, rgb(171, 171, 144)},
          {1, 1, rgb(183, 183, 160)}, {87, 23, rgb(183, 183, 160)}}},
    };
    for (const LookCase& c : cases)
        expectPixels(c);
}

TEST(ChameleonLooks, ClassicAndItsDefaultOutline)
{
    const Colour hl = 0xFFFFFF, light = rgb(241, 239, 226), shadow = rgb(172, 168, 153), dark = rgb(113, 111, 100);
    const LookCase cases[] = {
        {"up", Classic, Variant::Up,
         {{0, 0, hl}, {0, 12, hl}, {87, 0, hl}, {88, 0, dark}, {0, 24, dark}, {88, 24, dark}, {1, 1, light},
          {1, 12, light}, {87, 1, shadow}, {87, 23, shadow}, {1, 23, shadow}}},
        {"down", Classic, Variant::Down, {{0, 0, dark}, {88, 24, hl}, {1, 1, shadow}, {87, 23, light}}},
        {"default", Classic, Variant::Default,
         {{0, 0, dark}, {88, 24, dark}, {1, 1, hl}, {87, 23, dark}, {2, 2, light}, {86, 22, shadow}}},
        {"default without focus rectangle", Classic, Variant::DefaultNoFocusRect, {{0, 0, hl}, {1, 1, light}}},
        {"disabled", Classic, Variant::Disabled, {{0, 0, hl}, {88, 24, dark}, {1, 1, light}}},
    };
    for (const LookCase& c : cases)
        expectPixels(c);
}

// The system palette: face, highlight, 3-D light, shadow, dark shadow, and the office colours.
constexpr Colour F = rgb(236, 233, 216), HL = kWhite, L = rgb(241, 239, 226), S = rgb(172, 168, 153),
                 D = rgb(113, 111, 100), kOfficeBorder = rgb(49, 106, 197), kOfficeFill = rgb(191, 208, 237);

TEST(ChameleonLooks, TheOtherLooksInTheirVariants)
{
    const LookCase cases[] = {
        {"1 up", Outlined, Variant::Up, {{0, 0, D}, {1, 1, HL}, {87, 23, S}, {2, 2, HL}, {86, 22, S}}},
        {"1 down", Outlined, Variant::Down, {{0, 0, D}, {1, 1, S}, {87, 23, HL}}},
        {"4 up", RoundedPanel, Variant::Up,
         {{0, 12, D}, {1, 1, F}, {1, 23, D}, {3, 3, HL}, {2, 10, HL}, {86, 10, F}, {87, 10, S}, {10, 5, L}}},
        {"4 down", RoundedPanel, Variant::Down,
         {{0, 12, D}, {1, 5, rgb(108, 104, 89)}, {2, 5, rgb(140, 136, 121)}, {10, 5, rgb(156, 152, 137)},
          {86, 10, S}, {87, 10, rgb(156, 152, 137)}}},
        {"5 up", FlatFrame, Variant::Up,
         {{10, 5, rgb(248, 245, 228)}, {1, 5, HL}, {88, 5, HL}, {0, 5, rgb(146, 142, 127)},
          {1, 23, rgb(198, 194, 179)}}},
        {"5 down", FlatFrame, Variant::Down,
         {{10, 5, rgb(188, 184, 169)}, {0, 5, rgb(146, 142, 127)}, {88, 5, HL}, {5, 24, HL}}},
        {"5 disabled", FlatFrame, Variant::Disabled, {{0, 5, S}, {88, 24, S}, {10, 5, F}}},
        {"6 up", SoftRaised, Variant::Up, {{0, 0, rgb(249, 247, 234)}, {88, 24, S}, {1, 1, rgb(249, 247, 234)}}},
        {"6 down", SoftRaised, Variant::Down, {{0, 0, S}, {88, 24, rgb(249, 247, 234)}}},
        {"7 up", ThinRaised, Variant::Up, {{0, 0, HL}, {88, 24, S}, {1, 1, F}}},
        {"7 down", ThinRaised, Variant::Down, {{0, 0, S}, {88, 24, HL}}},
        {"8 up", HoverRaised, Variant::Up, {{0, 0, F}, {88, 24, F}}},
        {"8 hover", HoverRaised, Variant::Hover, {{0, 0, HL}, {88, 24, S}}},
        {"9 up", OfficeBar, Variant::Up, {{0, 0, F}, {5, 5, F}}},
        {"9 hover", OfficeBar, Variant::Hover, {{0, 0, kOfficeBorder}, {5, 5, kOfficeFill}}},
        {"9 down", OfficeBar, Variant::Down, {{0, 0, kOfficeBorder}, {5, 5, F}}},
        {"11 shows the white parent", Transparent, Variant::Up, {{0, 0, kWhite}, {5, 5, kWhite}}},
        {"12 up", HoverClassic, Variant::Up, {{0, 0, F}}},
        {"12 hover", HoverClassic, Variant::Hover, {{0, 0, HL}, {88, 24, D}, {1, 1, L}}},
        {"12 down", HoverClassic, Variant::Down, {{0, 0, D}, {88, 24, HL}}},
        {"13 up", Oval, Variant::Up, {{44, 0, F}, {0, 0, F}}},
        {"13 hover", Oval, Variant::Hover, {{44, 0, S}, {44, 1, S}, {0, 0, F}}},
        {"13 down", Oval, Variant::Down, {{44, 0, D}, {44, 5, rgb(204, 201, 184)}, {0, 0, F}}},
        {"13 disabled", Oval, Variant::Disabled, {{44, 0, F}, {44, 5, F}}},
        // 58 / 25 = 2.32 a line: line 5 is 11.6 steps darker.
        {"14 up", Gradient, Variant::Up,
         {{10, 5, rgb(243, 243, 243)}, {0, 5, rgb(122, 118, 103)}, {1, 5, rgb(227, 224, 207)}, {2, 5, HL},
          {3, 5, HL}, {10, 2, HL}, {10, 3, HL}}},
        {"14 hover", Gradient, Variant::Hover, {{10, 5, L}, {0, 5, rgb(122, 118, 103)}}},
        {"14 down", Gradient, Variant::Down, {{10, 5, rgb(227, 224, 207)}, {0, 5, rgb(124, 120, 105)}, {87, 10, HL}}},
        {"14 disabled", Gradient, Variant::Disabled, {{10, 5, rgb(243, 243, 243)}, {2, 5, HL}}},
    };
    for (const LookCase& c : cases)
        expectPixels(c);
}

// Type 5 shows the focus as a frame around the caption; type 14 as the default button draws its
// caption bold without changing the stored font.
TEST(ChameleonLooks, CaptionFrameAndBoldDefaultCaption)
{
    Button framed({{"BTYPE", std::int64_t{FlatFrame}}, {"TX", std::string("OK")}});
    framed.load();
    framed.host.giveFocus();
    framed.host.idle();
    const Rect c = framed.button.CaptionRect();
    for (const Point p : {Point{c.left - 2, c.top - 1}, Point{c.right + 1, c.bottom}, Point{c.left - 2, c.bottom}})
        EXPECT_EQ(framed.at(p.x, p.y), 0xCC9999u) << p.x << "," << p.y;

    const auto inkOf = [](bool isDefault) {
        Button b({{"BTYPE", std::int64_t{Gradient}}, {"TX", std::string("Default")}});
        b.load();
        b.host.setDisplayAsDefault(isDefault);
        b.host.idle();
        EXPECT_FALSE(b.button.FontBold());
        int ink = 0;
        for (int y = 6; y < 20; ++y)
            for (int x = 6; x < 83; ++x)
                ink += b.at(x, y) == 0;
        return ink;
    };
    EXPECT_GT(inkOf(true), inkOf(false) + 10);
}

TEST(ChameleonLooks, FaceOnlyAndUnknownTypesShowNothingButTheFace)
{
    for (const std::int32_t look : {std::int32_t{FaceOnly}, 0, 15, -3}) {
        for (const Variant v : {Variant::Up, Variant::Hover, Variant::Down, Variant::Disabled}) {
            Button b({{"BTYPE", std::int64_t{look}}, {"TX", std::string("Caption")}});
            b.load();
            bringInto(b, v);
            int others = 0;
            for (int y = 0; y < 25; ++y)
                for (int x = 0; x < 89; ++x)
                    others += b.at(x, y) != rgb(236, 233, 216);
            EXPECT_EQ(others, 0) << "type " << look << " variant " << static_cast<int>(v);
        }
    }
}

} // namespace
} // namespace plainquill::chameleon::testing
