// isButton's layout and paint, read back as pixels: minimum size, caption rectangles, window
// shapes, the line-drawn faces per state, the theme's fall-back, icon placement and grey icons.
// Expected colours are worked out by hand from the system colours (button face 236,233,216,
// shadow 172,168,153, highlight 49,106,197, window white).
#include "tests/isbutton/button_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace plainquill::isbutton {
namespace {

using namespace contracts;
using testing::kMiddle;
using testing::LoadedButton;

constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;

PictureRef iconOf(int size, const std::function<Colour(int, int)>& colourAt)
{
    Bitmap colour = Bitmap::create({size, size});
    const Bitmap mask = Bitmap::create({size, size}, Bitmap::Format::Monochrome); // all opaque
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            colour.setPixel(x, y, colourAt(x, y));
    return Picture::fromIcon(Icon::createIndirect({mask, colour}));
}

enum class Into { Normal, Hot, Pressed, Disabled, Default };

void bring(LoadedButton& b, Into state)
{
    if (state == Into::Hot || state == Into::Pressed)
        b.host.moveMouse(kMiddle);
    if (state == Into::Pressed)
        b.host.press(MOUSE_LEFT, kMiddle);
    if (state == Into::Disabled)
        b.button.SetEnabled(false);
    if (state == Into::Default)
        b.host.setDisplayAsDefault(true);
    b.host.idle();
}

TEST(IsButtonLayout, MinimumSizeAndCaptionPlacement)
{
    LoadedButton small({});
    small.host.resize({10, 8});
    EXPECT_EQ(small.host.clientSize(), (Size{20, 20}));

    struct Case {
        std::int64_t align;
        std::function<Rect(double W, double H, double r, double b, double m)> expected;
        DrawTextFormat format;
    };
    // l = t = 4; halves round to even.
    const auto R = [](double l, double t, double r, double b) {
        const auto even = [](double v) { return static_cast<int>(std::nearbyint(v)); };
        return Rect{even(l), even(t), even(r), even(b)};
    };
    const Case cases[] = {
        {Center, [&](double W, double H, double r, double b, double) {
             return R((W - r - 4) / 2, (H - b - 4) / 2 + 3, (W + r - 4) / 2, (H + b - 4) / 2); }, 0x15},
        {Left, [&](double, double H, double r, double b, double m) {
             return R(m, (H - b - 4) / 2 + 3, r + m, (H + b - 4) / 2); }, 0x14},
        {Right, [&](double W, double H, double r, double b, double m) {
             return R(W - r - 4 - m, (H - b - 4) / 2 + 3, W - 4 - m, (H + b - 4) / 2); }, 0x16},
        {Top, [&](double W, double, double r, double b, double m) {
             return R((W - r - 4) / 2, m / 2, (W + r - 4) / 2, m / 2 + (b - 4)); }, 0x11},
        {Bottom, [&](double W, double H, double r, double b, double m) {
             return R((W - r - 4) / 2, H - (b - 4) - m / 2, (W + r - 4) / 2, H - m / 2); }, 0x19},
    };
    for (const bool rtl : {false, true}) {
        for (const Case& c : cases) {
            LoadedButton b({{"Caption", std::string("Start")}, {"CaptionAlign", c.align}, {"bRTLText", rtl}});
            Rect measured{4, 4, b.W() - 4, b.H() - 4};
            b.host.hDC().drawText("Start", measured, DT_CALCRECT | DT_WORDBREAK);
            EXPECT_EQ(b.button.CaptionRect(), c.expected(b.W(), b.H(), measured.right, measured.bottom, 3))
                << "align " << c.align;
            EXPECT_EQ(b.button.CaptionFormat(), c.format | (rtl ? DT_RTLREADING : 0)) << "align " << c.align;
        }
    }
    LoadedButton odd({{"CaptionAlign", std::int64_t{7}}});
    EXPECT_EQ(odd.button.CaptionRect(), (Rect{4, 4, 85, 21}));
}

TEST(IsButtonLayout, WindowShapeByLook)
{
    struct Case {
        std::int64_t style;
        std::vector<Point> inside, outside;
    };
    const Case cases[] = {
        {Standard, {{0, 0}, {88, 24}}, {}},
        {BlueSkin, {{1, 0}, {0, 1}, {87, 0}, {88, 1}, {5, 5}}, {{0, 0}, {0, 24}, {88, 0}, {88, 24}}},
        {FaceSkin, {{1, 0}, {5, 5}}, {{0, 0}, {0, 24}}},
        {Gradient, {{2, 0}, {5, 5}}, {{1, 0}, {0, 1}, {88, 0}}},
        {Glossy, {{2, 0}, {5, 5}}, {{1, 0}, {0, 1}, {88, 0}}},
        {Rounded, {{3, 3}, {9, 0}, {85, 21}}, {{0, 0}, {2, 2}, {88, 24}}},
    };
    for (const Case& c : cases) {
        LoadedButton b({{"Style", c.style}});
        for (const Point p : c.inside)
            EXPECT_TRUE(b.host.isInsideShape(p)) << "style " << c.style << " at " << p.x << "," << p.y;
        for (const Point p : c.outside)
            EXPECT_FALSE(b.host.isInsideShape(p)) << "style " << c.style << " at " << p.x << "," << p.y;
    }
}

TEST(IsButtonPaint, LineDrawnFacesPerState)
{
    struct Sample {
        Point at;
        Colour expected;
    };
    struct Case {
        std::int64_t style;
        Into state;
        std::vector<Sample> samples;
    };
    const Colour face = rgb(236, 233, 216), shadow = rgb(172, 168, 153), white = kWhite;
    const Colour light = rgb(241, 239, 226), dark = rgb(113, 111, 100), hl = rgb(49, 106, 197);
    const Colour windowShadow = rgb(214, 212, 204); // average(window, shadow)
    const Case cases[] = {
        {Standard, Into::Normal, {{{0, 0}, light}, {{1, 1}, white}, {{88, 24}, dark}, {{87, 23}, shadow}, {{5, 12}, face}}},
        {Standard, Into::Pressed, {{{0, 0}, shadow}, {{1, 1}, dark}, {{88, 24}, white}, {{5, 12}, face}}},
        {Standard, Into::Default, {{{0, 0}, kBlack}, {{88, 24}, kBlack}, {{88, 0}, kBlack}, {{1, 1}, white}}},
        {Standard, Into::Disabled, {{{0, 0}, light}, {{88, 24}, dark}}},
        {Soft, Into::Normal, {{{0, 0}, white}, {{88, 24}, shadow}, {{1, 1}, face}}},
        {Soft, Into::Disabled, {{{0, 0}, face}, {{88, 24}, face}}},
        {Flat, Into::Normal, {{{0, 0}, face}, {{88, 24}, face}}},
        {Flat, Into::Hot, {{{0, 0}, white}, {{88, 24}, shadow}}},
        {Flat, Into::Pressed, {{{0, 0}, shadow}, {{88, 24}, white}}},
        {Framed, Into::Normal,
         {{{0, 0}, shadow}, {{87, 0}, shadow}, {{88, 0}, face}, {{0, 24}, face}, {{1, 1}, white}, {{88, 24}, white},
          {{1, 23}, windowShadow}, {{87, 1}, windowShadow}, {{5, 12}, face}}},
        {Framed, Into::Hot, {{{5, 12}, rgb(204, 200, 184)}, {{88, 0}, rgb(204, 200, 184)}, {{0, 0}, shadow}}},
        {Framed, Into::Pressed, {{{5, 12}, shadow}, {{1, 1}, white}}},
        {Highlight, Into::Normal, {{{0, 0}, rgb(238, 235, 220)}, {{88, 24}, rgb(238, 235, 220)}}},
        {Highlight, Into::Hot, {{{0, 0}, hl}, {{88, 24}, hl}, {{5, 12}, rgb(191, 208, 237)}}},
        {Highlight, Into::Pressed, {{{88, 0}, hl}, {{5, 12}, rgb(152, 180, 226)}}},
    };
    for (const Case& c : cases) {
        LoadedButton b({{"Style", c.style}, {"Caption", std::string()}});
        bring(b, c.state);
        for (const Sample& s : c.samples)
            EXPECT_EQ(b.host.pixel(s.at.x, s.at.y), s.expected)
                << "style " << c.style << " state " << int(c.state) << " at " << s.at.x << "," << s.at.y;
    }
    // Custom colours: the back colour in Normal, the highlight colour once hot.
    LoadedButton custom({{"USeCustomColors", true}, {"BackColor", ColourValue{0x102030}},
                         {"HighlightColor", ColourValue{0x405060}}, {"Style", std::int64_t{Standard}}});
    EXPECT_EQ(custom.host.pixel(5, 12), 0x102030u);
    bring(custom, Into::Hot);
    EXPECT_EQ(custom.host.pixel(5, 12), 0x405060u);
}

TEST(IsButtonPaint, ThemeFallsBackForGoodWhereThereIsNone)
{
    struct NoTheme final : Theme {
        std::unique_ptr<ThemeData> open(std::string_view) override { return nullptr; }
    } none;
    LoadedButton b({{"Style", std::int64_t{Themed}}, {"iNonThemeStyle", std::int64_t{Framed}}},
                   {.name = "isButton1", .size = {89, 25}, .theme = &none});
    EXPECT_EQ(b.button.Style(), Framed);
    EXPECT_EQ(b.host.pixel(0, 0), rgb(172, 168, 153));

    LoadedButton themed({{"Style", std::int64_t{Themed}}, {"RoundedBordersByTheme", true}});
    EXPECT_EQ(themed.button.Style(), Themed);
    ASSERT_TRUE(themed.host.windowRegion().has_value());
    LoadedButton square({{"Style", std::int64_t{Themed}}, {"RoundedBordersByTheme", false}});
    EXPECT_EQ(square.host.windowRegion(), Region({{0, 0, 89, 25}}));
}

TEST(IsButtonPaint, IconPlacementSilhouetteAndGreyIcons)
{
    const PictureRef red = iconOf(16, [](int, int) { return kRed; });
    struct Case {
        std::int64_t style;
        std::int64_t align;
        Into state;
        Point icon;
        std::optional<Point> silhouette;
    };
    // W 89, H 25, size 16, margin 3: centre x = (89 - 16) / 2 = 36.5 -> 36, y = 4.5 -> 4.
    const Case cases[] = {
        {Standard, Center, Into::Normal, {36, 4}, {}},
        {Standard, Left, Into::Normal, {3, 4}, {}},
        {Standard, Right, Into::Normal, {70, 4}, {}},
        {Standard, Top, Into::Normal, {36, 3}, {}},
        {Standard, Bottom, Into::Normal, {36, 6}, {}},
        {Standard, Left, Into::Pressed, {4, 5}, {}},
        {Highlight, Left, Into::Hot, {1, 2}, Point{3, 4}},
    };
    for (const Case& c : cases) {
        LoadedButton b({{"Style", c.style}, {"IconAlign", c.align}, {"Icon", red}, {"Caption", std::string()}});
        bring(b, c.state);
        const auto where = "style " + std::to_string(c.style) + " align " + std::to_string(c.align);
        EXPECT_EQ(b.host.pixel(c.icon.x, c.icon.y), kRed) << where;
        EXPECT_NE(b.host.pixel(c.icon.x - 1, c.icon.y), kRed) << where;
        EXPECT_NE(b.host.pixel(c.icon.x, c.icon.y - 1), kRed) << where;
        if (c.silhouette) {
            EXPECT_EQ(b.host.pixel(c.silhouette->x + 15, c.silhouette->y + 15), 0x808080u) << where;
            EXPECT_NE(b.host.pixel(c.silhouette->x + 16, c.silhouette->y + 15), 0x808080u) << where;
        }
    }

    // Disabled: 0.33 x 255 = 84.15 -> 84 in every channel.
    LoadedButton disabled({{"Style", std::int64_t{Standard}}, {"IconAlign", std::int64_t{Left}}, {"Icon", red}});
    bring(disabled, Into::Disabled);
    EXPECT_EQ(disabled.host.pixel(3, 4), 0x545454u);

    // The mask colour is left out; the rest, disabled, is round(round(0.3 R) + 0.59 G + 0.11 B).
    const PictureRef halves = iconOf(16, [](int x, int) { return x < 8 ? kRed : kGreen; });
    LoadedButton masked({{"IconAlign", std::int64_t{Left}}, {"Icon", halves}, {"UseMaskColor", true},
                         {"MaskColor", ColourValue{kRed}}, {"Style", std::int64_t{Flat}}, {"Caption", std::string()}});
    EXPECT_EQ(masked.host.pixel(3, 4), rgb(236, 233, 216));
    EXPECT_EQ(masked.host.pixel(11, 4), kGreen);
    bring(masked, Into::Disabled);
    EXPECT_EQ(masked.host.pixel(3, 4), rgb(236, 233, 216));
    EXPECT_EQ(masked.host.pixel(11, 4), 0x969696u);
}

TEST(IsButtonPaint, GreyIconsKeepThePureGreys)
{
    const Colour in[] = {0x000000, 0x808080, 0xA0A0A0, 0xFFFFFF, 0x909090, 0xF8F8F8, 0x0000FF, 0x00FF00};
    // 1.03 x 144 = 148.3; 1.03 x 248 capped at 255; 0.33 x 255 = 84.15; 0.59 x 255 = 150.45.
    const Colour out[] = {0x000000, 0x808080, 0xA0A0A0, 0xFFFFFF, 0x949494, 0xFFFFFF, 0x545454, 0x969696};
    const PictureRef icon = iconOf(8, [&](int x, int) { return in[x]; });
    LoadedButton b({});
    Bitmap target = Bitmap::create({8, 8});
    std::unique_ptr<Dc> dc = b.host.graphics().createMemoryDc();
    dc->selectBitmap(target);
    ASSERT_TRUE(b.button.PaintIconGrayscale(dc.get(), icon->icon(), 0, 0, 8, 8));
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(target.pixel(x, 3), out[x]) << "column " << x;
    EXPECT_FALSE(b.button.PaintIconGrayscale(nullptr, icon->icon(), 0, 0, 8, 8));
    EXPECT_FALSE(b.button.PaintIconGrayscale(dc.get(), nullptr, 0, 0, 8, 8));
}

} // namespace
} // namespace plainquill::isbutton
