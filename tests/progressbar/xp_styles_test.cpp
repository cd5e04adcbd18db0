// Styles 0 to 2 and the XP frame, pixel by pixel. Expected colours are worked out from the
// drawing rules by hand; the fill colour is pure red (0x0000FF), so LightenColor(red, a) is
// RGB(255, a, a) and a gradient moves green and blue together.
#include "bar_fixture.h"

namespace plainquill::progressbar {
namespace {

using namespace contracts;
using testing::Bar;
using testing::expectPixels;
using testing::kRed;

// RGB(255, n, n) in 0x00BBGGRR.
constexpr Colour redLightened(int n) { return rgb(255, n, n); }

Bar horizontal(std::int32_t style, std::int32_t value, Size size = {103, 20})
{
    return Bar(size, {{"Scrolling", std::int64_t{style}}, {"Color", ColourValue{kRed}}},
               [&](XP_ProgressBar& bar) { bar.SetValue(value); });
}

TEST(XpFrame, EdgesAndTheCornerTable)
{
    const Bar b = horizontal(1, 50);
    expectPixels(b, {
        {10, 0, 0x686868, "outer frame, top"},       {10, 19, 0x686868, "outer frame, bottom"},
        {0, 10, 0x686868, "outer frame, left"},      {102, 10, 0x686868, "outer frame, right"},
        {10, 1, 0xBEBEBE, "top line"},               {10, 2, 0xEFEFEF, "inner top line"},
        {10, 18, 0xEFEFEF, "bottom line"},           {1, 10, 0xBEBEBE, "left line"},
        {2, 10, 0xEFEFEF, "inner left line"},        {101, 10, 0xEFEFEF, "right line"},
        {0, 0, 0xFFFFFF, "top left"},                {0, 1, 0xA6ABAC, "top left"},
        {0, 2, 0x7D7E7F, "top left"},                {1, 0, 0xA7ABAC, "top left"},
        {1, 1, 0x777777, "top left"},                {2, 0, 0x7D7E7F, "top left"},
        {2, 2, 0xBEBEBE, "top left"},                {0, 19, 0xFFFFFF, "bottom left"},
        {1, 19, 0xA6ABAC, "bottom left"},            {2, 19, 0x7D7E7F, "bottom left"},
        {0, 17, 0x7D7E7F, "bottom left"},            {0, 18, 0xA7ABAC, "bottom left"},
        {1, 18, 0x777777, "bottom left"},            {102, 0, 0xFFFFFF, "top right"},
        {102, 1, 0xBEBEBE, "top right"},             {102, 2, 0x7D7E7F, "top right"},
        {101, 2, 0xBEBEBE, "top right"},             {101, 1, 0x686868, "top right differs"},
        {102, 19, 0xFFFFFF, "bottom right"},         {102, 18, 0xBEBEBE, "bottom right"},
        {102, 17, 0x7D7E7F, "bottom right"},         {101, 18, 0x777777, "bottom right"},
        {101, 19, 0xBEBEBE, "bottom right"},         {100, 19, 0x7D7E7F, "bottom right"},
    });
}

TEST(SmoothStyle, BandBetweenTwoGradients)
{
    // Width 103 at 50 %: x = round(100 x 50 / 98 + 3) = 54, pitch 2, so the fill ends at 53.
    const Bar b = horizontal(1, 50);
    expectPixels(b, {
        {10, 3, redLightened(150), "first gradient starts light"},
        {10, 7, redLightened(50), "150 - 4 x 25"},
        {10, 8, kRed, "the band covers the first gradient's rows 8 and 9"},
        {10, 9, kRed, "band"},
        {10, 10, kRed, "second gradient starts at the colour"},
        {10, 12, redLightened(50), "second gradient over the band's last rows"},
        {10, 16, redLightened(150), "second gradient ends light"},
        {10, 17, kWhite, "below the fill"},
        {3, 10, kWhite, "the fill starts at column 4"},
        {4, 10, kRed, "first filled column"},
        {52, 11, redLightened(25), "last filled column"},
        {53, 11, kWhite, "first empty column"},
    });
}

TEST(SmoothStyle, FullBarRunsUnderTheFrame)
{
    // 100 %: x = round(100 x 100 / 98 + 3) = 105; the band stops 4 short of it (101), and the
    // frame is drawn over the rest.
    const Bar b = horizontal(1, 100);
    expectPixels(b, {
        {100, 10, kRed, "band reaches column 100"},
        {101, 10, 0xEFEFEF, "frame over the band's end"},
        {100, 3, redLightened(150), "the gradients end with the band"},
    });
}

TEST(SegmentedStyle, BlocksOfSixWithWhiteGaps)
{
    // 50 %: x = 54, pitch 8: 54 - (51 mod 8) = 51. Gaps after columns 9, 17, ..., 49.
    const Bar b = horizontal(0, 50);
    expectPixels(b, {
        {4, 10, kRed, "first block starts at 4"},  {9, 10, kRed, "first block ends at 9"},
        {10, 10, kWhite, "gap"},                   {11, 10, kWhite, "gap"},
        {12, 10, kRed, "second block"},            {10, 5, kWhite, "gaps cut the full height"},
        {10, 1, 0xBEBEBE, "the frame is drawn after the gaps"},
        {49, 10, kRed, "last block"},              {50, 10, kWhite, "last gap"},
        {52, 10, kWhite, "past the fill"},
    });
}

TEST(SegmentedStyle, EmptyBarStillShowsOneBlock)
{
    const Bar b = horizontal(0, 0);
    expectPixels(b, {
        {4, 10, kRed, "one block"},
        {9, 10, kRed, "one block"},
        {10, 10, kWhite, "its gap"},
        {11, 10, kWhite, "its gap"},
        {12, 10, kWhite, "nothing more"},
    });
}

TEST(SegmentedStyle, VerticalGapsFromTheBottomUp)
{
    // Height 103 at 50 %: y = round(103 x (1 - 50/98)) = 50; 50 - ((50 - 103) mod 8) = 55.
    // Gaps every 8 rows upwards from the bottom edge: 101-102 (under the frame), 93-94, ... 61-62.
    Bar b({20, 103}, {{"Scrolling", std::int64_t{0}}, {"Orientation", std::int64_t{1}}, {"Color", ColourValue{kRed}}});
    b.bar.SetValue(50);
    expectPixels(b, {
        {10, 54, kWhite, "above the fill"},  {10, 55, kRed, "the fill's top"},
        {10, 60, kRed, "block"},             {10, 61, kWhite, "gap"},
        {10, 62, kWhite, "gap"},             {10, 63, kRed, "block"},
        {10, 92, kRed, "block"},             {10, 93, kWhite, "gap"},
        {10, 94, kWhite, "gap"},             {10, 95, kRed, "block"},
        {10, 101, 0xEFEFEF, "the first gap lies under the frame"},
    });
}

TEST(SmoothStyle, VerticalFillRisesFromTheBottom)
{
    // y = 50, pitch 2: 50 - (-53 mod 2) = 51. Side gradients of five columns: 150 to 0 in steps
    // of 37.5, so 112.5 and 37.5 round to the even 112 and 38.
    Bar b({20, 103}, {{"Scrolling", std::int64_t{1}}, {"Orientation", std::int64_t{1}}, {"Color", ColourValue{kRed}}});
    b.bar.SetValue(50);
    expectPixels(b, {
        {10, 50, kWhite, "above the fill"},       {10, 51, kRed, "band from row 51"},
        {4, 60, redLightened(150), "left edge"},  {5, 60, redLightened(112), "112.5 to even"},
        {7, 60, redLightened(38), "37.5 to even"}, {8, 60, kRed, "meets the band"},
        {12, 60, kRed, "right side starts"},      {13, 60, redLightened(38), "right side"},
        {16, 60, redLightened(150), "right edge"}, {17, 60, kWhite, "inside the frame"},
    });
}

TEST(SearchingStyle, ThreeBlocksFollowThePercentage)
{
    // 50 %: fill ends at 53; blocks at round(53 + 12i - 22.5): 30.5 and 54.5 round to even.
    const Bar b = horizontal(2, 50);
    expectPixels(b, {
        {29, 10, kWhite, "before the first block"},
        {30, 10, redLightened(220), "first block starts at 30, not 31"},
        {31, 10, redLightened(218), "220 - 2.22 rounds to 218"},
        {39, 10, redLightened(200), "ends ten columns on"},
        {40, 10, kWhite, "gap of two"},
        {42, 10, redLightened(180), "second block, darker"},
        {54, 10, redLightened(140), "third block at 54"},
        {63, 10, redLightened(120), "third block ends"},
        {64, 10, kWhite, "after the blocks"},
        {30, 3, redLightened(220), "blocks start at row 3"},
        {30, 17, redLightened(220), "and end at row H - 3"},
        {30, 18, 0xEFEFEF, "frame"},
    });
}

TEST(SearchingStyle, EmptyBarHidesTheBlocksUnderTheFrame)
{
    // 0 %: blocks at -33, -21 and -9; only the third block's last column reaches column 0.
    const Bar b = horizontal(2, 0);
    EXPECT_EQ(b.count(kWhite, {3, 3, 100, 17}), 97 * 14);
}

TEST(SearchingStyle, VerticalBlocksRunLeftwardsFromTheRightEdge)
{
    // Width 20, height 103 at 50 %: the fill's top is 51; blocks of ten rows at 51, 63 and 75,
    // each row drawn from x = 18 leftwards to x = 3 (the frame covers 18).
    Bar b({20, 103}, {{"Scrolling", std::int64_t{2}}, {"Orientation", std::int64_t{1}}, {"Color", ColourValue{kRed}}});
    b.bar.SetValue(50);
    expectPixels(b, {
        {10, 50, kWhite, "above"},
        {10, 51, redLightened(220), "first block's first row"},
        {3, 51, redLightened(220), "rows reach x = 3"},
        {2, 51, 0xEFEFEF, "the frame's inner line"},
        {17, 51, redLightened(220), "rows start at x = 18, under the frame"},
        {10, 60, redLightened(200), "first block's last row"},
        {10, 61, kWhite, "gap"},
        {10, 63, redLightened(180), "second block"},
        {10, 75, redLightened(140), "third block"},
        {10, 85, kWhite, "after the third"},
    });
}

TEST(OtherStyles, AnUnknownStylePaintsLikeSmooth)
{
    const Bar smooth = horizontal(1, 64);
    const Bar unknown = horizontal(12, 64);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 103; ++x)
            ASSERT_EQ(unknown.at(x, y), smooth.at(x, y)) << x << ", " << y;
}

} // namespace
} // namespace plainquill::progressbar
