// The skins read back at the rows and columns their palettes name: BlueSkin's frames by hover,
// focus and default, the Rounded palettes and their focus rule, edges and rims of the others,
// each skin's inset, and the early end of a gradient without steps.
#include "controls/isbutton/skins.h"
#include "tests/isbutton/button_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace plainquill::isbutton {
namespace {

using namespace contracts;
using testing::kMiddle;
using testing::LoadedButton;

enum class Into { Normal, Hot, Pressed, Disabled, Focused, Default, FocusedHot };

void bring(LoadedButton& b, Into state)
{
    if (state == Into::Focused || state == Into::FocusedHot)
        b.host.giveFocus();
    if (state == Into::Hot || state == Into::Pressed || state == Into::FocusedHot)
        b.host.moveMouse(kMiddle);
    if (state == Into::Pressed)
        b.host.press(MOUSE_LEFT, kMiddle);
    if (state == Into::Disabled)
        b.button.SetEnabled(false);
    if (state == Into::Default)
        b.host.setDisplayAsDefault(true);
    b.host.idle();
}

struct Sample {
    Point at;
    Colour expected;
};

TEST(IsButtonSkins, PixelsAtTheNamedRowsAndColumns)
{
    struct Case {
        std::int64_t style;
        Into state;
        std::vector<Sample> samples;
    };
    // W 89, H 25; button face 236,233,216 and highlight 49,106,197 (BGR 0xC56A31).
    const Case cases[] = {
        // BlueSkin: no inner frame unless focused, default or hovered.
        {BlueSkin, Into::Normal,
         {{{10, 1}, 0xFBFCFC}, {{10, 0}, 0x743C00}, {{1, 1}, 0x906E48}, {{0, 1}, 0xA28B6A}, {{2, 1}, 0xCAC7BF},
          {{88, 12}, 0x743C00}}},
        {BlueSkin, Into::Focused, {{{10, 1}, 0xFFE7CE}, {{10, 2}, 0xF6D4BC}, {{10, 22}, 0xE4AD89}, {{10, 23}, 0xEE8269}}},
        {BlueSkin, Into::Default, {{{10, 1}, 0xFFE7CE}, {{10, 23}, 0xEE8269}}},
        {BlueSkin, Into::Hot, {{{10, 1}, 0xCFF0FF}, {{10, 2}, 0x89D8FD}, {{10, 22}, 0x30B3F8}, {{10, 23}, 0x1097E5}}},
        {BlueSkin, Into::FocusedHot, {{{10, 1}, 0xCFF0FF}, {{10, 23}, 0x1097E5}}},
        {BlueSkin, Into::Pressed, {{{10, 1}, 0xC1CCD1}, {{10, 0}, 0x743C00}, {{1, 1}, 0x906E48}}},
        {BlueSkin, Into::Disabled, {{{10, 0}, 0xBAC7C9}, {{10, 12}, 0xEAF4F5}, {{1, 1}, 0xC7D5D8}, {{87, 23}, 0xC7D5D8}}},
        // FaceSkin from the button face: base offset by +8, border by -96 from it.
        {FaceSkin, Into::Normal, {{{10, 1}, rgb(255, 254, 237)}, {{10, 0}, rgb(148, 145, 128)}, {{10, 23}, rgb(199, 196, 179)}}},
        {FaceSkin, Into::Focused, {{{10, 1}, rgb(70, 127, 218)}, {{10, 23}, rgb(28, 85, 176)}}},
        // Gradient: the border darkens with the focus; the rim is the border lightened by 21.
        {Gradient, Into::Normal, {{{10, 0}, rgb(188, 185, 168)}, {{10, 24}, rgb(209, 206, 189)}, {{10, 1}, rgb(255, 255, 255)}}},
        {Gradient, Into::Focused, {{{10, 0}, rgb(140, 137, 120)}}},
        {Gradient, Into::Pressed, {{{10, 0}, rgb(188, 185, 168)}, {{10, 1}, rgb(251, 248, 231)}}},
        // Glossy from c = face - 15 (normal) or face + 1 (hot): the bottom rim is c - 128.
        {Glossy, Into::Normal, {{{10, 23}, rgb(93, 90, 73)}, {{10, 0}, rgb(255, 255, 249)}, {{1, 22}, rgb(109, 106, 89)}}},
        {Glossy, Into::Hot, {{{10, 23}, rgb(109, 106, 89)}}},
        // Rounded: the palettes' edges, the given corner pixels, and the focus rule.
        {Rounded, Into::Normal,
         {{{30, 0}, 0x67696A}, {{0, 12}, 0xF7F7F7}, {{1, 12}, 0xA0A0A0}, {{88, 12}, 0xF6F6F6}, {{30, 23}, 0x545454},
          {{9, 0}, 0x7A7A7A}, {{7, 1}, 0x676767}, {{20, 12}, 0xEAE7E8}}},
        {Rounded, Into::Focused, {{{30, 0}, 0x450608}, {{1, 12}, 0xB0A09E}, {{20, 12}, 0xE2A66A}}},
        {Rounded, Into::Hot, {{{30, 0}, 0x450608}, {{87, 12}, 0xAB9B98}, {{30, 23}, 0x635D40}}},
        {Rounded, Into::Pressed, {{{30, 0}, 0x3C090A}, {{20, 12}, 0xCC9B6A}}},
        {Rounded, Into::Disabled, {{{30, 0}, 0x67696A}}},
    };
    for (const Case& c : cases) {
        LoadedButton b({{"Style", c.style}, {"Caption", std::string()}});
        bring(b, c.state);
        for (const Sample& s : c.samples)
            EXPECT_EQ(b.host.pixel(s.at.x, s.at.y), s.expected)
                << "style " << c.style << " state " << int(c.state) << " at " << s.at.x << "," << s.at.y;
    }
}

TEST(IsButtonSkins, CustomBlueSkinIsShadedFromTheBackColour)
{
    LoadedButton b({{"Style", std::int64_t{BlueSkin}}, {"USeCustomColors", true}, {"BackColor", ColourValue{0x808080}},
                    {"HighlightColor", ColourValue{0x204060}}, {"Caption", std::string()}});
    EXPECT_EQ(b.host.pixel(10, 0), 0x000000u); // border: B - 128
    EXPECT_EQ(b.host.pixel(1, 0), 0x6B6B6Bu);  // outer pixels: B - 21
    bring(b, Into::Hot);
    EXPECT_EQ(b.host.pixel(10, 1), 0x7595B5u); // HighlightColor + 85
    EXPECT_EQ(b.host.pixel(10, 23), 0x204060u);
}

TEST(IsButtonSkins, EachSkinSetsItsOwnInset)
{
    const PictureRef red = Picture::fromIcon(Icon::createIndirect(
        {Bitmap::create({16, 16}, Bitmap::Format::Monochrome), [] {
             Bitmap colour = Bitmap::create({16, 16});
             for (int y = 0; y < 16; ++y)
                 for (int x = 0; x < 16; ++x)
                     colour.setPixel(x, y, 0x0000FF);
             return colour;
         }()}));
    const std::pair<std::int64_t, int> cases[] = {{BlueSkin, 3}, {FaceSkin, 4}, {Gradient, 4}, {Glossy, 6}, {Rounded, 7}};
    for (const auto& [style, margin] : cases) {
        LoadedButton b({{"Style", style}, {"IconAlign", std::int64_t{Left}}, {"Icon", red}});
        EXPECT_EQ(b.button.IconMargin(), margin) << "style " << style;
        EXPECT_EQ(b.host.pixel(margin, 4), 0x0000FFu) << "style " << style;
        EXPECT_NE(b.host.pixel(margin - 1, 4), 0x0000FFu) << "style " << style;
    }
}

TEST(IsButtonSkins, AGradientWithoutStepsEndsTheSkin)
{
    // At a height of 8 BlueSkin's second gradient has no steps: the first is drawn, the border not.
    Bitmap target = Bitmap::create({30, 8});
    LoadedButton b({});
    std::unique_ptr<Dc> dc = b.host.graphics().createMemoryDc();
    dc->selectBitmap(target);
    dc->fillRect(target.bounds(), Brush::solid(0x123456));
    SkinCanvas canvas(*dc);
    SkinInput in;
    in.W = 30, in.H = 8, in.state = Normal, in.sysFace = 0x123456;
    in.setBackground = [](Colour) {};
    EXPECT_THROW(drawBlueSkin(canvas, in), SkinEnded);
    EXPECT_EQ(target.pixel(10, 1), 0xFBFCFCu);
    EXPECT_EQ(target.pixel(10, 0), 0x123456u);
}

} // namespace
} // namespace plainquill::isbutton
