// Styles 3 to 9, pixel by pixel, with the fill in pure red (0x0000FF) so that
// LightenColor(red, a) is RGB(255, a, a) and BlendColor(red, black, w) is RGB(w, 0, 0).
#include "bar_fixture.h"

#include "controls/contracts/control_errors.h"

namespace plainquill::progressbar {
namespace {

using namespace contracts;
using testing::Bar;
using testing::expectPixels;
using testing::kRed;

constexpr Colour redLightened(int n) { return rgb(255, n, n); }

Bar styled(std::int32_t style, std::int32_t value, Size size,
           std::initializer_list<std::pair<const char*, PropertyValue>> more = {})
{
    return Bar(size, more, [&](XP_ProgressBar& bar) {
        bar.SetColor(kRed);
        bar.SetScrolling(style);
        bar.SetValue(value);
    });
}

TEST(FlatStyle, LightOutlineAndLighterFill)
{
    const Bar b = styled(3, 50, {100, 10});
    expectPixels(b, {
        {0, 5, redLightened(100), "outline"},  {99, 5, redLightened(100), "outline"},
        {1, 5, redLightened(180), "fill"},     {49, 8, redLightened(180), "fill to round(50 % of 100)"},
        {50, 5, kWhite, "past the fill"},      {49, 9, redLightened(100), "outline below"},
    });
}

TEST(FlatStyle, AtZeroTheBackToFrontFillStaysInsideTheOutline)
{
    // FillArea left 1, right 0: a fill of width -1 at column 1 covers column 1 alone.
    const Bar b = styled(3, 0, {100, 10});
    expectPixels(b, {
        {0, 5, redLightened(100), "outline"},
        {1, 5, redLightened(180), "the one column of the back-to-front fill"},
        {2, 5, kWhite, "past it"},
    });
}

TEST(FlatStyle, IsAlwaysHorizontal)
{
    const Bar flat = styled(3, 30, {100, 10});
    const Bar upright = styled(3, 30, {100, 10}, {{"Orientation", std::int64_t{1}}});
    for (int x = 0; x < 100; ++x)
        ASSERT_EQ(upright.at(x, 5), flat.at(x, 5)) << x;
}

TEST(EtchedStyle, HorizontalGradientFromColumnTwo)
{
    // count = round(50 % of 96) = 48: columns 2 to 50, from 140 to 200 in steps of 1.25.
    const Bar b = styled(4, 50, {100, 10});
    expectPixels(b, {
        {2, 4, redLightened(140), "first column"},
        {3, 4, redLightened(141), "141.25"},
        {4, 4, redLightened(142), "142.5 rounds to even"},
        {50, 4, redLightened(200), "last column"},
        {51, 4, kWhite, "past the fill"},
        {10, 2, redLightened(150), "rows 2 ..."},
        {10, 6, redLightened(150), "... to H - 4"},
        {10, 7, kWhite, "row H - 3 is left out"},
    });
}

TEST(ShadedStyle, TrackFillAndEndLine)
{
    // Fill end = round(50 / 101 x 100) = 50. Track rows 2..9 from 0 to 100 (steps of 14.29),
    // fill rows 3..9 from 250 to 0 (steps of 41.67), end line in LightenColor(red, 25).
    const Bar b = styled(5, 50, {100, 12});
    expectPixels(b, {
        {0, 0, redLightened(10), "frame"},
        {2, 2, kRed, "track row 2"},
        {2, 3, redLightened(14), "track row 3: the fill starts at column 3"},
        {3, 3, redLightened(250), "fill row 3"},
        {49, 4, redLightened(208), "fill row 4: 208.33"},
        {50, 5, redLightened(25), "end line"},
        {50, 10, kWhite, "end line stops at H - 3"},
        {51, 9, redLightened(100), "track row 9, past the fill"},
        {97, 2, kRed, "track to W - 3"},
        {98, 2, kWhite, "track ends"},
        {20, 10, kWhite, "below the track"},
    });
}

TEST(DarkStyle, GradientFromBlack)
{
    // Frame: BlendColor(red, black, 200) = RGB(200, 0, 0). End: LightenColor(RGB(100, 0, 0), 10)
    // = RGB(106, 10, 10). Columns 2 .. 2 + round(50 % of 95) = 2 + 48 (47.5 to even).
    const Bar b = styled(6, 50, {100, 10});
    expectPixels(b, {
        {0, 0, rgb(200, 0, 0), "frame"},
        {2, 5, kBlack, "starts black"},
        {26, 5, rgb(53, 5, 5), "halfway"},
        {50, 5, rgb(106, 10, 10), "ends at the end colour"},
        {51, 5, kBlack, "background"},
        {20, 7, rgb(40, 4, 4), "rows 2 to H - 3"},
        {20, 8, kBlack, "row H - 2 is left out"},
    });
}

TEST(HatchedStyle, HatchInTheColourOverTheLightenedBackground)
{
    // Fill columns 2 .. round(50 / 101 x 100) - 1 = 49: 48 columns, one vertical line in 8.
    const Bar b = styled(7, 50, {100, 12}, {{"BrushStyle", std::int64_t{HS_VERTICAL}}});
    const Rect row{2, 5, 50, 6};
    EXPECT_EQ(b.count(kRed, row), 6);
    EXPECT_EQ(b.count(redLightened(140), row), 42);
    EXPECT_EQ(b.at(50, 5), kWhite);
}

TEST(HatchedStyle, GapsStayWhiteOnceTextWasDrawn)
{
    // The text leaves the buffer's background mode transparent, and it is never set back.
    const Bar b = styled(7, 50, {100, 40},
                         {{"BrushStyle", std::int64_t{HS_VERTICAL}}, {"ShowText", true}});
    const Rect row{2, 3, 50, 4}; // far above the centred text
    EXPECT_EQ(b.count(kRed, row), 6);
    EXPECT_EQ(b.count(kWhite, row), 42);
}

TEST(HatchedStyle, AtZeroTheBackToFrontFillLeavesTheOuterEdge)
{
    // FillArea left 2, right 0: width -2 at column 2 covers columns 1 and 2, not the outer edge.
    const Bar unfilled = styled(7, 0, {100, 12}, {{"BrushStyle", std::int64_t{9}}}); // no hatch: no fill
    const Bar b = styled(7, 0, {100, 12}, {{"BrushStyle", std::int64_t{HS_VERTICAL}}});
    for (int y = 0; y < 12; ++y)
        EXPECT_EQ(b.at(0, y), unfilled.at(0, y)) << "outer edge, row " << y;
    EXPECT_EQ(b.count(kRed, {1, 2, 3, 10}) + b.count(redLightened(140), {1, 2, 3, 10}), 16);
    EXPECT_EQ(b.at(3, 5), kWhite);
}

TEST(HatchedStyle, UnknownHatchFillsNothingAndTooLargeOverflows)
{
    Bar b = styled(7, 50, {100, 12}, {{"BrushStyle", std::int64_t{9}}});
    EXPECT_EQ(b.count(kWhite, {2, 2, 50, 10}), 48 * 8);

    b.bar.SetBrushStyle(70000);
    EXPECT_THROW(b.bar.SetValue(60), OverflowError);
}

TEST(PatternedStyle, TilesTheImageFromTheOrigin)
{
    Bitmap checker = Bitmap::create({2, 2});
    checker.setPixel(0, 0, 0x00FF00);
    checker.setPixel(1, 1, 0x00FF00);
    Bar b = styled(8, 50, {100, 12});
    b.bar.SetImage(Picture::fromBitmap(checker));
    // Width round(50 / 101 x 100) = 50 from column 2: columns 2..51, rows 2..9.
    expectPixels(b, {
        {2, 2, 0x00FF00, "(2, 2) takes the pattern's (0, 0)"},
        {3, 2, kBlack, "(3, 2) takes (1, 0)"},
        {51, 9, 0x00FF00, "last pixel"},
        {52, 5, kWhite, "past the fill"},
        {20, 10, kWhite, "below the fill"},
    });
}

TEST(PatternedStyle, NoBitmapNoFill)
{
    const Bar none = styled(8, 50, {100, 12});
    EXPECT_EQ(none.count(kWhite, {2, 2, 98, 10}), 96 * 8);

    Bar icon = styled(8, 50, {100, 12});
    icon.bar.SetImage(Picture::fromIcon(Icon::createIndirect(
        {Bitmap::create({2, 2}, Bitmap::Format::Monochrome), Bitmap::create({2, 2})})));
    EXPECT_EQ(icon.count(kWhite, {2, 2, 98, 10}), 96 * 8);
}

TEST(MetallicStyle, TwoToneTrackAndFillInsideTheFrame)
{
    // Fill end round(50 % of 96) = 48; half = round(17 / 2) = 8 (8.5 to even).
    // Upper track rows 2..10 from 255 to 192 (steps 7.875); lower track rows 8..16 plain 0xC0C0C0.
    // Upper fill from RGB(255,150,150) to RGB(180,0,0); lower fill from RGB(190,0,0) to red.
    const Bar b = styled(9, 50, {100, 20});
    expectPixels(b, {
        {10, 3, rgb(246, 131, 131), "upper fill row 3: 245.6, 131.25"},
        {10, 8, rgb(190, 0, 0), "lower fill starts at half"},
        {10, 12, rgb(222, 0, 0), "lower fill row 12: 222.5 to even"},
        {10, 16, kRed, "lower fill ends in the colour"},
        {47, 12, rgb(222, 0, 0), "last fill column"},
        {48, 12, 0xC0C0C0, "lower track"},
        {60, 6, 0xE0E0E0, "upper track row 6: 223.5 to even 224"},
        {60, 17, kWhite, "between the track and the frame"},
        {60, 2, 0xEFEFEF, "the frame covers the track's first row"},
        {101 - 3, 10, 0xEFEFEF, "the frame's right line"},
    });
}

} // namespace
} // namespace plainquill::progressbar
