#include "pixel_art.h"
#include "platform/raster/qimage_bridge.h"

namespace plainquill::raster::testing {
namespace {

constexpr Colour kInk = 0x0000FF;
const Legend kLegend{{'.', kSentinel}, {'#', kInk}};

struct FillCase {
    const char* name;
    Rect rect;
    Rect expectedInk; // the pixels the fill must cover on an 8 x 6 surface
};

void PrintTo(const FillCase& c, std::ostream* os) { *os << c.name; }

class FillRectTest : public ::testing::TestWithParam<FillCase> {};

TEST_P(FillRectTest, CoversLeftToRightMinusOneAndNothingElse)
{
    PixelFixture f;
    f.dc().fillRect(GetParam().rect, Brush::solid(kInk));
    EXPECT_TRUE(matchesArt(f.pixels(), kLegend, artOfRect({8, 6}, GetParam().expectedInk)));
}

INSTANTIATE_TEST_SUITE_P(Cases, FillRectTest,
                         ::testing::Values(FillCase{"inside", {1, 1, 4, 3}, {1, 1, 4, 3}},
                                           FillCase{"one_by_one", {2, 2, 3, 3}, {2, 2, 3, 3}},
                                           FillCase{"zero_width", {2, 1, 2, 5}, {}},
                                           FillCase{"zero_height", {1, 3, 6, 3}, {}},
                                           // Edges the wrong way round reach back from left and top,
                                           // which they include: FillRect is a PatBlt of width
                                           // right - left and height bottom - top.
                                           FillCase{"edges_swapped_reach_back", {4, 3, 1, 1}, {2, 2, 5, 4}},
                                           FillCase{"right_one_left_of_left", {1, 1, 0, 3}, {1, 1, 2, 3}},
                                           FillCase{"bottom_one_above_top", {2, 4, 5, 3}, {2, 4, 5, 5}},
                                           FillCase{"clipped_left", {-3, 1, 2, 2}, {0, 1, 2, 2}},
                                           FillCase{"clipped_top", {1, -4, 3, 2}, {1, 0, 3, 2}},
                                           FillCase{"clipped_right", {6, 0, 20, 1}, {6, 0, 8, 1}},
                                           FillCase{"clipped_bottom", {0, 5, 1, 9}, {0, 5, 1, 6}},
                                           FillCase{"whole_and_beyond", {-1, -1, 9, 7}, {0, 0, 8, 6}},
                                           FillCase{"fully_outside", {8, 0, 12, 6}, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FillRect, AdjacentFillsCoverEveryPixelExactlyOnce)
{
    // Each fill XORs, so a pixel covered twice would return to the sentinel.
    PixelFixture f;
    f.dc().selectBrush(Brush::solid(0xFFFFFF));
    for (int x = 0; x < 8; x += 3)
        for (int y = 0; y < 6; y += 2)
            f.dc().patBlt(x, y, 3, 2, PATINVERT);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(f.at(x, y), kSentinel ^ 0xFFFFFFu) << x << "," << y;
}

TEST(FrameRect, DrawsOnePixelBorderInsideTheRectangle)
{
    struct Case {
        const char* name;
        Rect rect;
        std::vector<std::string> art;
    };
    const std::vector<Case> cases = {
        {"five_by_four", {1, 1, 6, 5}, {"........", ".#####..", ".#...#..", ".#...#..", ".#####..", "........"}},
        {"one_by_one", {2, 2, 3, 3}, {"........", "........", "..#.....", "........", "........", "........"}},
        {"one_wide", {3, 1, 4, 4}, {"........", "...#....", "...#....", "...#....", "........", "........"}},
        {"empty_draws_nothing", {3, 3, 3, 5}, {"........", "........", "........", "........", "........", "........"}},
        {"swapped_draws_nothing", {5, 4, 1, 1}, {"........", "........", "........", "........", "........", "........"}},
        {"clipped_at_right_and_bottom", {5, 3, 10, 10}, {"........", "........", "........", ".....###", ".....#..", ".....#.."}},
    };
    for (const Case& c : cases) {
        PixelFixture f;
        f.dc().frameRect(c.rect, Brush::solid(kInk));
        EXPECT_TRUE(matchesArt(f.pixels(), kLegend, c.art)) << c.name;
    }
}

TEST(PatBlt, RasterOperationsCombineBrushAndDestination)
{
    struct Case {
        const char* name;
        RasterOp rop;
        Colour expected;
    };
    const Colour brush = 0x00F0A050, dest = 0x00336699;
    const std::vector<Case> cases = {
        {"PATCOPY", PATCOPY, brush},       {"PATINVERT", PATINVERT, brush ^ dest},
        {"DSTINVERT", DSTINVERT, ~dest & 0xFFFFFFu}, {"BLACKNESS", BLACKNESS, 0},
        {"WHITENESS", WHITENESS, 0xFFFFFF}, {"PATPAINT(P|~S|D, no source reads as 0)", PATPAINT, 0xFFFFFF},
    };
    for (const Case& c : cases) {
        PixelFixture f({3, 1});
        f.dc().fillRect({0, 0, 3, 1}, Brush::solid(dest));
        f.dc().selectBrush(Brush::solid(brush));
        f.dc().patBlt(1, 0, 1, 1, c.rop);
        if (c.rop == PATPAINT) { // uses the source: PatBlt refuses it
            EXPECT_EQ(f.at(1, 0), dest) << c.name;
            continue;
        }
        EXPECT_EQ(f.at(1, 0), c.expected) << c.name;
        EXPECT_EQ(f.at(0, 0), dest) << c.name;
        EXPECT_EQ(f.at(2, 0), dest) << c.name;
    }
}

TEST(PatBlt, NegativeExtentsReachBackIncludingTheirStart)
{
    struct Case {
        const char* name;
        int x, y, width, height;
        Rect expectedInk;
    };
    const std::vector<Case> cases = {
        {"both_negative", 5, 4, -3, -2, {3, 3, 6, 5}},
        {"width_minus_one_is_the_start_column", 5, 1, -1, 2, {5, 1, 6, 3}},
        {"height_negative_only", 2, 2, 3, -1, {2, 2, 5, 3}},
        {"width_zero_is_empty", 3, 1, 0, -3, {}},
        {"clipped_at_the_left", 1, 0, -4, 2, {0, 0, 2, 2}},
    };
    for (const Case& c : cases) {
        PixelFixture f;
        f.dc().selectBrush(Brush::solid(kInk));
        f.dc().patBlt(c.x, c.y, c.width, c.height, PATCOPY);
        EXPECT_TRUE(matchesArt(f.pixels(), kLegend, artOfRect({8, 6}, c.expectedInk))) << c.name;
    }
}

TEST(BitBlt, NegativeExtentsCopyTheSameBlockUnmirrored)
{
    PixelFixture f;
    auto source = f.dc().createCompatibleDc();
    Bitmap pixels = Bitmap::create({4, 1});
    for (int x = 0; x < 4; ++x)
        pixels.setPixel(x, 0, Colour(0x10 * (x + 1)));
    source->selectBitmap(pixels);
    // Width -2 at x 5 from source x 2: destination columns 4..5 take source columns 1..2.
    ASSERT_TRUE(f.dc().bitBlt(5, 0, -2, 1, source.get(), 2, 0, SRCCOPY));
    EXPECT_EQ(f.at(3, 0), kSentinel);
    EXPECT_EQ(f.at(4, 0), 0x20u);
    EXPECT_EQ(f.at(5, 0), 0x30u);
    EXPECT_EQ(f.at(6, 0), kSentinel);
}

TEST(Rectangle, PenOutlinesAndBrushFillsInside)
{
    PixelFixture f;
    f.dc().selectPen(Pen::solid(kInk));
    f.dc().selectBrush(Brush::solid(0x00FF00));
    f.dc().rectangle({1, 1, 6, 5});
    EXPECT_TRUE(matchesArt(f.pixels(), {{'.', kSentinel}, {'#', kInk}, {'o', 0x00FF00}},
                           {"........", ".#####..", ".#ooo#..", ".#ooo#..", ".#####..", "........"}));
}

TEST(Rectangle, NullPenFillsOnePixelLessAtRightAndBottom)
{
    PixelFixture f;
    f.dc().selectPen(Pen::null());
    f.dc().selectBrush(Brush::solid(kInk));
    f.dc().rectangle({1, 1, 6, 5});
    EXPECT_TRUE(matchesArt(f.pixels(), kLegend, artOfRect({8, 6}, {1, 1, 5, 4})));
}

TEST(ClipRegion, LimitsFillsAndIsRemovedByNull)
{
    PixelFixture f;
    const Region clip = f.graphics.combineRgn(f.graphics.createRectRgn({0, 0, 2, 6}),
                                              f.graphics.createRectRgn({5, 0, 8, 6}), RGN_OR);
    f.dc().selectClipRegion(&clip);
    f.dc().fillRect({1, 1, 7, 2}, Brush::solid(kInk));
    EXPECT_TRUE(matchesArt(f.pixels(), kLegend,
                           {"........", ".#...##.", "........", "........", "........", "........"}));
    EXPECT_EQ(f.dc().getPixel({3, 1}), CLR_INVALID); // outside the clip reads as invalid
    f.dc().selectClipRegion(nullptr);
    f.dc().fillRect({3, 1, 4, 2}, Brush::solid(kInk));
    EXPECT_EQ(f.at(3, 1), kInk);
}

TEST(Pixels, SetPixelAndGetPixelInsideAndOutside)
{
    PixelFixture f({4, 3});
    f.dc().setPixelV({3, 2}, 0x123456);
    EXPECT_EQ(f.dc().getPixel({3, 2}), 0x123456u);
    f.dc().setPixelV({4, 2}, 0x123456); // right of the surface: ignored
    f.dc().setPixelV({-1, 0}, 0x123456);
    for (Point outside : {Point{4, 0}, Point{0, 3}, Point{-1, 0}, Point{0, -1}})
        EXPECT_EQ(f.dc().getPixel(outside), CLR_INVALID);
    EXPECT_EQ(f.dc().getNearestColor(0x00ABCDEF), 0x00ABCDEFu);
}

} // namespace
} // namespace plainquill::raster::testing

namespace plainquill::raster::testing {
namespace {

// Pixel centres inside the ellipse inscribed in the box: for (0,0,5,5) the circle of radius 2.5
// around (2.5, 2.5); the 1-pixel pen is what lies outside the circle of radius 1.5.
TEST(Ellipse, PenRingInsideTheBoxAndBrushWithin)
{
    PixelFixture f({6, 6});
    f.dc().selectPen(Pen::solid(kInk));
    f.dc().selectBrush(Brush::solid(0x00FF00));
    f.dc().ellipse({0, 0, 5, 5});
    EXPECT_TRUE(matchesArt(f.pixels(), {{'.', kSentinel}, {'#', kInk}, {'o', 0x00FF00}},
                           {".###..", "#ooo#.", "#ooo#.", "#ooo#.", ".###..", "......"}));
}

TEST(Ellipse, NullPenFillsTheEllipseOfTheBoxOnePixelSmaller)
{
    PixelFixture f({6, 6});
    f.dc().selectPen(Pen::null());
    f.dc().selectBrush(Brush::solid(kInk));
    f.dc().ellipse({0, 0, 5, 5});
    EXPECT_TRUE(matchesArt(f.pixels(), kLegend, {".##...", "####..", "####..", ".##...", "......", "......"}));
}

TEST(Surface, ResizeKeepsTheDcStateAndQImageShowsRgb)
{
    PixelFixture f({2, 2});
    f.dc().setTextColor(0x010203);
    f.dc().selectFont({"DejaVu Sans", 12});
    f.surface.resize({3, 1});
    EXPECT_EQ(f.dc().size(), (Size{3, 1}));
    EXPECT_EQ(f.dc().textColor(), 0x010203u);
    EXPECT_EQ(f.dc().font().pointSize, 12);
    f.dc().setPixelV({2, 0}, rgb(10, 20, 30));
    const QImage image = toQImage(f.pixels());
    EXPECT_EQ(image.pixel(2, 0), qRgb(10, 20, 30));
    EXPECT_EQ(fromQImage(image).pixel(2, 0), rgb(10, 20, 30));
}

} // namespace
} // namespace plainquill::raster::testing
