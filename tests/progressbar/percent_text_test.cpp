// The percentage text: centred, in 0x000040 (0xC0C0C0 on the dark style), and in styles 6 and 9 a
// second pass in a contrasting colour clipped at the fill's end. Glyph shapes are the surface's
// business; what is tested here is which colours appear where.
#include "bar_fixture.h"

#include "platform/raster/raster_graphics.h"
#include "platform/raster/xp_system_colours.h"

namespace plainquill::progressbar {
namespace {

using namespace contracts;
using testing::Bar;
using testing::kRed;

constexpr Colour kText = 0x000040;

Bar withText(std::int32_t style, std::int32_t value, Size size = {160, 24})
{
    return Bar(size, {{"ShowText", true}, {"Scrolling", std::int64_t{style}}, {"Color", ColourValue{kRed}}},
               [&](XP_ProgressBar& bar) { bar.SetValue(value); });
}

// The text's size as the surface measures it, in the bar's default font.
Size measured(const std::string& text)
{
    raster::RasterGraphics graphics(raster::xpSystemColours());
    const auto dc = graphics.createMemoryDc();
    Rect r{};
    dc->drawText(text, r, DT_CALCRECT);
    return r.size();
}

TEST(PercentText, CentredInTheDarkBlueTextColour)
{
    const Bar b = withText(1, 45);
    const Size size = measured("45 %");
    const Rect ink = b.boxOf([](Colour c) { return c == kText; });
    ASSERT_FALSE(ink.isEmpty());
    // TextRect: left = round(160 / 2 - w / 2), top = round(24 / 2 - h / 2); the ink lies inside.
    const int left = static_cast<int>(std::nearbyint(80 - size.width / 2.0));
    const int top = static_cast<int>(std::nearbyint(12 - size.height / 2.0));
    EXPECT_GE(ink.left, left);
    EXPECT_LE(ink.right, left + size.width);
    EXPECT_GE(ink.top, top);
    EXPECT_LE(ink.bottom, top + size.height);
    EXPECT_LE(std::abs((ink.left + ink.right) - 160), 4) << "roughly centred";
}

TEST(PercentText, NoTextUnlessShowText)
{
    Bar b = withText(1, 45);
    b.bar.SetShowText(false);
    EXPECT_TRUE(b.boxOf([](Colour c) { return c == kText; }).isEmpty());
}

TEST(PercentText, SearchingShowsItsMessage)
{
    const Bar b = withText(2, 45, {260, 24});
    const Rect ink = b.boxOf([](Colour c) { return c == kText; });
    // Far wider than "45 %" would be.
    EXPECT_GT(ink.width(), measured("45 %").width * 3);
    EXPECT_LE(ink.width(), measured("Gathering Required Information").width);
}

TEST(PercentText, DarkStyleAtFullShowsOnlyTheSecondPass)
{
    // 100 %: the fill passes the text's right edge, so the first pass (0xC0C0C0) is left out and
    // the second draws in LightenColor(red, 80).
    const Bar b = withText(6, 100);
    EXPECT_TRUE(b.boxOf([](Colour c) { return c == 0xC0C0C0; }).isEmpty());
    EXPECT_FALSE(b.boxOf([](Colour c) { return c == rgb(255, 80, 80); }).isEmpty());
}

TEST(PercentText, DarkStyleEmptyShowsOnlyTheFirstPass)
{
    const Bar b = withText(6, 0);
    EXPECT_FALSE(b.boxOf([](Colour c) { return c == 0xC0C0C0; }).isEmpty());
    EXPECT_TRUE(b.boxOf([](Colour c) { return c == rgb(255, 80, 80); }).isEmpty());
}

TEST(PercentText, MetallicHalfwaySplitsTheTextAtTheFillsEnd)
{
    // f = 50 % of 160 = 80: white ink only left of column 80, dark ink only from there on.
    const Bar b = withText(9, 50);
    const Rect inner{3, 3, 157, 17};
    int whiteLeft = 0, whiteRight = 0, darkLeft = 0, darkRight = 0;
    for (int y = inner.top; y < inner.bottom; ++y)
        for (int x = inner.left; x < inner.right; ++x) {
            const Colour c = b.at(x, y);
            if (c == kWhite)
                ++(x < 80 ? whiteLeft : whiteRight);
            else if (c == kText)
                ++(x < 80 ? darkLeft : darkRight);
        }
    EXPECT_GT(whiteLeft, 0);
    EXPECT_EQ(whiteRight, 0);
    EXPECT_EQ(darkLeft, 0);
    EXPECT_GT(darkRight, 0);
}

} // namespace
} // namespace plainquill::progressbar
