#include "pixel_art.h"

namespace plainquill::raster::testing {
namespace {

std::vector<std::string> artOf(const Region& region, Size size)
{
    std::vector<std::string> rows;
    for (int y = 0; y < size.height; ++y) {
        std::string row;
        for (int x = 0; x < size.width; ++x)
            row += region.contains({x, y}) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

class RegionTest : public ::testing::Test {
protected:
    RasterGraphics graphics{xpSystemColours()};
};

TEST_F(RegionTest, RectangleHoldsLeftTopButNotRightBottom)
{
    const Region r = graphics.createRectRgn({2, 1, 5, 3});
    struct Probe {
        const char* name;
        Point p;
        bool inside;
    };
    for (const Probe& probe : {Probe{"top_left", {2, 1}, true}, Probe{"last_pixel", {4, 2}, true},
                               Probe{"right_edge", {5, 1}, false}, Probe{"bottom_edge", {2, 3}, false},
                               Probe{"left_of", {1, 2}, false}, Probe{"above", {3, 0}, false}})
        EXPECT_EQ(r.contains(probe.p), probe.inside) << probe.name;
    EXPECT_EQ(r.bounds(), (Rect{2, 1, 5, 3}));
    EXPECT_EQ(graphics.createRectRgn({5, 3, 2, 1}), r) << "edges given the wrong way round";
    EXPECT_TRUE(graphics.createRectRgn({2, 2, 2, 5}).isEmpty());
}

TEST_F(RegionTest, EllipseAndRoundRectLeaveOutTheLastColumnAndRow)
{
    // CreateEllipticRgn(0, 0, 5, 5) covers the circle inscribed in the 4 x 4 box: corner pixel
    // centres (0.5, 0.5) lie 2.12 from the centre (2, 2), outside the radius 2.
    EXPECT_EQ(artOf(graphics.createEllipticRgn({0, 0, 5, 5}), {5, 5}),
              (std::vector<std::string>{".##..", "####.", "####.", ".##..", "....."}));
    // A 7 x 5 window shaped by CreateRoundRectRgn(0, 0, 8, 6, 4, 4): corners of radius 2.
    EXPECT_EQ(artOf(graphics.createRoundRectRgn({0, 0, 8, 6}, 4, 4), {8, 6}),
              (std::vector<std::string>{".#####..", "#######.", "#######.", "#######.", ".#####..", "........"}));
    // Corner ellipses larger than the box are cut to it; no rounding gives the rectangle.
    EXPECT_EQ(graphics.createRoundRectRgn({0, 0, 6, 6}, 0, 0), graphics.createRectRgn({0, 0, 5, 5}));
}

TEST_F(RegionTest, PolygonOfARectanglesCornersIsThatRectangle)
{
    const Point pts[] = {{1, 1}, {6, 1}, {6, 4}, {1, 4}};
    EXPECT_EQ(graphics.createPolygonRgn(pts, ALTERNATE), graphics.createRectRgn({1, 1, 6, 4}));
}

TEST_F(RegionTest, CutCornerPolygonRemovesOnePixelAtEachCorner)
{
    // The eight-sided window shape of a 6 x 5 skin: (0,1) (1,0) (W-1,0) (W,1) (W,H-2) (W-2,H) (2,H) (0,H-2).
    const int W = 6, H = 5;
    const Point pts[] = {{0, 1}, {1, 0}, {W - 1, 0}, {W, 1}, {W, H - 2}, {W - 2, H}, {2, H}, {0, H - 2}};
    EXPECT_EQ(artOf(graphics.createPolygonRgn(pts, ALTERNATE), {W, H}),
              (std::vector<std::string>{".####.", "######", "######", "######", ".####."}));
}

TEST_F(RegionTest, AlternateFillLeavesTheOverlapOfAFoldedPolygonEmptyWindingFillsIt)
{
    // One outline that runs over the band x 2..4, y 2..4 twice in the same direction.
    const Point pts[] = {{0, 0}, {4, 0}, {4, 4}, {2, 4}, {2, 2}, {6, 2}, {6, 6}, {0, 6}, {0, 0}};
    EXPECT_EQ(artOf(graphics.createPolygonRgn(pts, ALTERNATE), {6, 6}),
              (std::vector<std::string>{"####..", "####..", "##..##", "##..##", "######", "######"}));
    EXPECT_EQ(artOf(graphics.createPolygonRgn(pts, WINDING), {6, 6}),
              (std::vector<std::string>{"####..", "####..", "######", "######", "######", "######"}));
}

TEST_F(RegionTest, CombineOperations)
{
    const Region a = graphics.createRectRgn({0, 0, 3, 2});
    const Region b = graphics.createRectRgn({2, 1, 5, 3});
    struct Case {
        const char* name;
        RegionOp op;
        std::vector<std::string> art;
    };
    for (const Case& c : {Case{"AND", RGN_AND, {".....", "..#..", "....."}},
                          Case{"OR", RGN_OR, {"###..", "#####", "..###"}},
                          Case{"XOR", RGN_XOR, {"###..", "##.##", "..###"}},
                          Case{"DIFF", RGN_DIFF, {"###..", "##...", "....."}},
                          Case{"COPY", RGN_COPY, {"###..", "###..", "....."}}})
        EXPECT_EQ(artOf(graphics.combineRgn(a, b, c.op), {5, 3}), c.art) << c.name;
}

TEST_F(RegionTest, CuttingPixelsAndAddingThemBackGivesTheSameRegion)
{
    // Shapes built in different ways compare equal when they cover the same pixels.
    Region cut = graphics.createRectRgn({0, 0, 4, 3});
    cut = graphics.combineRgn(cut, graphics.createRectRgn({0, 0, 1, 1}), RGN_DIFF);
    cut = graphics.combineRgn(cut, graphics.createRectRgn({3, 2, 4, 3}), RGN_DIFF);
    EXPECT_FALSE(cut.contains({0, 0}));
    EXPECT_TRUE(cut.contains({1, 0}));
    EXPECT_FALSE(cut.contains({3, 2}));
    Region back = graphics.combineRgn(cut, graphics.createRectRgn({0, 0, 1, 1}), RGN_OR);
    back = graphics.combineRgn(back, graphics.createRectRgn({3, 2, 4, 3}), RGN_OR);
    EXPECT_EQ(back, graphics.createRectRgn({0, 0, 4, 3}));
    EXPECT_EQ(back.offsetBy(2, 1).bounds(), (Rect{2, 1, 6, 4}));
}

} // namespace
} // namespace plainquill::raster::testing
