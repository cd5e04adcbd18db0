#include "pixel_art.h"

namespace plainquill::raster::testing {
namespace {

constexpr Colour kLine = 0x0000FF, kGap = 0x00FF00;
const Legend kLegend{{'.', kSentinel}, {'#', kLine}, {'-', kGap}};

TEST(HatchBrush, EachStyleDrawsItsEightByEightPatternAlignedToTheOrigin)
{
    struct Case {
        int style;
        std::vector<std::string> art;
    };
    const std::vector<Case> cases = {
        {HS_HORIZONTAL, {"--------", "--------", "--------", "########", "--------", "--------", "--------", "--------"}},
        {HS_VERTICAL, {"----#---", "----#---", "----#---", "----#---", "----#---", "----#---", "----#---", "----#---"}},
        {HS_FDIAGONAL, {"#-------", "-#------", "--#-----", "---#----", "----#---", "-----#--", "------#-", "-------#"}},
        {HS_BDIAGONAL, {"-------#", "------#-", "-----#--", "----#---", "---#----", "--#-----", "-#------", "#-------"}},
        {HS_CROSS, {"----#---", "----#---", "----#---", "########", "----#---", "----#---", "----#---", "----#---"}},
        {HS_DIAGCROSS, {"#------#", "-#----#-", "--#--#--", "---##---", "---##---", "--#--#--", "-#----#-", "#------#"}},
    };
    for (const Case& c : cases) {
        PixelFixture f({8, 8});
        f.dc().setBkColor(kGap);
        f.dc().fillRect({0, 0, 8, 8}, Brush::hatch(c.style, kLine));
        EXPECT_TRUE(matchesArt(f.pixels(), kLegend, c.art)) << "style " << c.style;
    }
}

TEST(HatchBrush, PatternRepeatsFromTheOriginNotFromTheRectangle)
{
    PixelFixture f({12, 1});
    f.dc().setBkColor(kGap);
    f.dc().fillRect({2, 0, 12, 1}, Brush::hatch(HS_FDIAGONAL, kLine)); // row 0: line at x = 0 and 8
    EXPECT_TRUE(matchesArt(f.pixels(), kLegend, {"..------#---"}));
}

TEST(HatchBrush, TransparentModeLeavesTheGaps)
{
    PixelFixture f({8, 4});
    f.dc().setBkColor(kGap);
    f.dc().setBkMode(TRANSPARENT);
    f.dc().fillRect({0, 0, 8, 4}, Brush::hatch(HS_HORIZONTAL, kLine));
    EXPECT_TRUE(matchesArt(f.pixels(), kLegend, {"........", "........", "........", "########"}));
}

TEST(HatchBrush, AStyleOutsideTheRangeMakesNoBrushAndDrawsNothing)
{
    for (int style : {-1, 6, 100}) {
        const Brush b = Brush::hatch(style, kLine);
        EXPECT_TRUE(b.isNull()) << style;
        PixelFixture f({2, 2});
        f.dc().fillRect({0, 0, 2, 2}, b);
        EXPECT_EQ(f.at(0, 0), kSentinel);
    }
}

TEST(PatternBrush, ColourBitmapTilesFromTheOriginAndIsCopiedAtCreation)
{
    Bitmap tile = Bitmap::create({2, 2});
    tile.setPixel(0, 0, kLine);
    tile.setPixel(1, 0, kGap);
    tile.setPixel(0, 1, kGap);
    tile.setPixel(1, 1, kGap);
    const Brush brush = Brush::pattern(tile);
    tile.setPixel(1, 1, kLine); // changing the bitmap afterwards must not change the brush
    PixelFixture f({5, 3});
    f.dc().selectBrush(brush);
    f.dc().patBlt(1, 0, 4, 3, PATCOPY);
    EXPECT_TRUE(matchesArt(f.pixels(), kLegend, {".-#-#", ".----", ".-#-#"}));
}

TEST(PatternBrush, MonochromeBitmapTakesTextAndBackgroundColours)
{
    const std::uint8_t bits[] = {0x80, 0x00, 0x00, 0x00}; // 2 x 2: only (0, 0) is a 1 bit (white)
    const Brush brush = Brush::pattern(Bitmap::createMonochrome({2, 2}, bits));
    PixelFixture f({2, 2});
    f.dc().setTextColor(kLine); // 0 bits
    f.dc().setBkColor(kGap);    // 1 bits
    f.dc().fillRect({0, 0, 2, 2}, brush);
    EXPECT_TRUE(matchesArt(f.pixels(), kLegend, {"-#", "##"}));
}

TEST(Brushes, SelectReturnsThePreviousBrushAndNewDcsStartWithWhite)
{
    PixelFixture f;
    auto memory = f.dc().createCompatibleDc();
    EXPECT_EQ(memory->brush().kind(), Brush::Kind::Solid);
    EXPECT_EQ(memory->brush().colour(), kWhite);
    const Brush old = memory->selectBrush(Brush::solid(kLine));
    EXPECT_EQ(old.colour(), kWhite);
    EXPECT_EQ(memory->selectBrush(old).colour(), kLine);
}

} // namespace
} // namespace plainquill::raster::testing
