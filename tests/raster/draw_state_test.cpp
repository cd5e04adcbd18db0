#include "pixel_art.h"

#include <set>

namespace plainquill::raster::testing {
namespace {

const Colour kHilight = rgb(255, 255, 255), kShadow = rgb(172, 168, 153);
const Legend kLegend{{'.', kSentinel}, {'H', kHilight}, {'S', kShadow}, {'g', 0x929292}};

// 3 x 2, white but for a black pixel at (1, 0) and a red one at (0, 1): both count as "dark".
Bitmap twoDarkPixels()
{
    Bitmap b = Bitmap::create({3, 2});
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            b.setPixel(x, y, kWhite);
    b.setPixel(1, 0, kBlack);
    b.setPixel(0, 1, 0x0000FF);
    return b;
}

TEST(DrawState, DisabledBitmapIsEmbossedHighlightBelowRightShadowInPlace)
{
    PixelFixture f({6, 5});
    EXPECT_TRUE(f.dc().drawState(nullptr, twoDarkPixels(), 1, 1, 0, 0, DST_BITMAP | DSS_DISABLED));
    EXPECT_TRUE(matchesArt(f.pixels(), kLegend, {"......", "..S...", ".S.H..", "..H...", "......"}));
}

TEST(DrawState, MonoDrawsTheDarkPixelsInTheBrushOnly)
{
    PixelFixture f({6, 5});
    const Brush grey = Brush::solid(0x929292);
    EXPECT_TRUE(f.dc().drawState(&grey, twoDarkPixels(), 1, 1, 0, 0, DST_BITMAP | DSS_MONO));
    EXPECT_TRUE(matchesArt(f.pixels(), kLegend, {"......", "..g...", ".g....", "......", "......"}));
}

TEST(DrawState, DisabledIconUsesWhatTheIconDrawsOnWhite)
{
    const std::uint8_t maskBits[] = {0x80, 0x00, 0x00, 0x00}; // (0,0) transparent
    Bitmap colour = Bitmap::create({2, 2});
    colour.setPixel(1, 0, 0x0000FF);
    const Icon icon = Icon::createIndirect({Bitmap::createMonochrome({2, 2}, maskBits), colour});
    PixelFixture f({4, 4});
    EXPECT_TRUE(f.dc().drawState(nullptr, icon, 0, 0, 0, 0, DST_ICON | DSS_DISABLED));
    // dark: (1,0), (0,1), (1,1); highlight one pixel down-right where not covered by shadow
    EXPECT_TRUE(matchesArt(f.pixels(), kLegend, {".S..", "SSH.", ".HH.", "...."}));
}

TEST(DrawState, DisabledTextIsTheTextInShadowOverItsHighlightCopy)
{
    PixelFixture f({60, 20});
    f.dc().selectFont({"DejaVu Sans", 8.25});
    f.dc().setTextColor(0x0000FF);
    Rect r{2, 2, 60, 20};
    f.dc().setBkMode(TRANSPARENT);
    f.dc().drawText("Ok", r, DT_NOCLIP);
    std::set<std::pair<int, int>> ink;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            if (f.at(x, y) == 0x0000FF)
                ink.insert({x, y});
    ASSERT_FALSE(ink.empty());
    f.reset();
    EXPECT_TRUE(f.dc().drawState(nullptr, std::string("Ok"), 2, 2, 0, 0, DST_TEXT | DSS_DISABLED));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x) {
            const bool shadow = ink.count({x, y}), highlight = !shadow && ink.count({x - 1, y - 1});
            const Colour expected = shadow ? kShadow : highlight ? kHilight : kSentinel;
            ASSERT_EQ(f.at(x, y), expected) << x << "," << y;
        }
    EXPECT_EQ(f.dc().textColor(), 0x0000FFu) << "the DC's colours are put back";
}

TEST(DrawState, NormalBitmapIsAPlainCopyAndTheKindMustMatch)
{
    PixelFixture f({4, 3});
    EXPECT_TRUE(f.dc().drawState(nullptr, twoDarkPixels(), 1, 1, 0, 0, DST_BITMAP));
    EXPECT_EQ(f.at(2, 1), kBlack);
    EXPECT_EQ(f.at(1, 2), 0x0000FFu);
    EXPECT_EQ(f.at(3, 1), kWhite);
    EXPECT_FALSE(f.dc().drawState(nullptr, twoDarkPixels(), 0, 0, 0, 0, DST_ICON | DSS_DISABLED));
    EXPECT_FALSE(f.dc().drawState(nullptr, std::string("x"), 0, 0, 0, 0, DST_BITMAP));
}

} // namespace
} // namespace plainquill::raster::testing
