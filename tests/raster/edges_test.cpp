#include "pixel_art.h"

namespace plainquill::raster::testing {
namespace {

// The XP scheme's 3-D colours, spelt out rather than read from the table under test.
const Colour kLight = rgb(241, 239, 226), kHighlight = rgb(255, 255, 255), kShadow = rgb(172, 168, 153),
             kDarkShadow = rgb(113, 111, 100), kFace = rgb(236, 233, 216);
const Legend kEdgeLegend{{'.', kSentinel}, {'L', kLight}, {'H', kHighlight}, {'S', kShadow},
                         {'D', kDarkShadow}, {'F', kFace}, {'K', kBlack}};

struct EdgeCase {
    const char* name;
    EdgeType edge;
    BorderFlags flags;
    std::vector<std::string> art; // a 5 x 4 edge at (0, 0) on a 6 x 5 surface
};

void PrintTo(const EdgeCase& c, std::ostream* os) { *os << c.name; }

class DrawEdgeTest : public ::testing::TestWithParam<EdgeCase> {};

// Outer top and left lines first, then outer bottom and right (which own the top-right and
// bottom-left corners), then the inner lines, which stop short at corners both their sides share.
TEST_P(DrawEdgeTest, PaintsTheEdgeInSystemColours)
{
    PixelFixture f({6, 5});
    Rect r{0, 0, 5, 4};
    EXPECT_TRUE(f.dc().drawEdge(r, GetParam().edge, GetParam().flags));
    EXPECT_TRUE(matchesArt(f.pixels(), kEdgeLegend, GetParam().art));
    EXPECT_EQ(r, (Rect{0, 0, 5, 4})) << "without BF_ADJUST the rectangle is unchanged";
}

INSTANTIATE_TEST_SUITE_P(
    Edges, DrawEdgeTest,
    ::testing::Values(
        EdgeCase{"EDGE_RAISED", EDGE_RAISED, BF_RECT, {"LLLLD.", "LHHSD.", "LSSSD.", "DDDDD.", "......"}},
        EdgeCase{"EDGE_SUNKEN", EDGE_SUNKEN, BF_RECT, {"SSSSH.", "SDDLH.", "SLLLH.", "HHHHH.", "......"}},
        EdgeCase{"EDGE_ETCHED", EDGE_ETCHED, BF_RECT, {"SSSSH.", "SHHSH.", "SSSSH.", "HHHHH.", "......"}},
        EdgeCase{"EDGE_BUMP", EDGE_BUMP, BF_RECT, {"LLLLD.", "LDDLD.", "LLLLD.", "DDDDD.", "......"}},
        EdgeCase{"BDR_RAISEDINNER_alone_sits_outside", BDR_RAISEDINNER, BF_RECT,
                 {"HHHHS.", "H...S.", "H...S.", "SSSSS.", "......"}},
        EdgeCase{"BDR_SUNKENOUTER", BDR_SUNKENOUTER, BF_RECT, {"SSSSH.", "S...H.", "S...H.", "HHHHH.", "......"}},
        EdgeCase{"left_and_top_only", EDGE_RAISED, BF_LEFT | BF_TOP,
                 {"LLLLL.", "LHHHH.", "LH....", "LH....", "......"}},
        EdgeCase{"right_and_bottom_only", EDGE_RAISED, BF_RIGHT | BF_BOTTOM,
                 {"...SD.", "...SD.", "SSSSD.", "DDDDD.", "......"}},
        EdgeCase{"BF_SOFT_swaps_top_left_light_colours", EDGE_RAISED, BF_RECT | BF_SOFT,
                 {"HHHHD.", "HLLSD.", "HSSSD.", "DDDDD.", "......"}},
        EdgeCase{"BF_FLAT", EDGE_RAISED, BF_RECT | BF_FLAT, {"SSSSS.", "SFFFS.", "SFFFS.", "SSSSS.", "......"}},
        EdgeCase{"BF_MONO", EDGE_SUNKEN, BF_RECT | BF_MONO, {"KKKKK.", "KHHHK.", "KHHHK.", "KKKKK.", "......"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DrawEdge, AdjustShrinksTheRectangleByTheDrawnBorder)
{
    struct Case {
        const char* name;
        EdgeType edge;
        BorderFlags flags;
        Rect expected;
    };
    const std::vector<Case> cases = {
        {"two_lines_all_sides", EDGE_RAISED, BF_RECT, {2, 2, 8, 5}},
        {"one_line_all_sides", BDR_RAISEDINNER, BF_RECT, {1, 1, 9, 6}},
        {"two_lines_left_top", EDGE_SUNKEN, BF_LEFT | BF_TOP, {2, 2, 10, 7}},
        {"one_line_right", BDR_SUNKENOUTER, BF_RIGHT, {0, 0, 9, 7}},
    };
    for (const Case& c : cases) {
        PixelFixture f({10, 7});
        Rect r{0, 0, 10, 7};
        f.dc().drawEdge(r, c.edge, c.flags | BF_ADJUST);
        EXPECT_EQ(r, c.expected) << c.name;
    }
}

TEST(DrawEdge, MiddleFillsTheInsideWithTheFaceColour)
{
    PixelFixture f({7, 5});
    Rect r{0, 0, 6, 5};
    f.dc().drawEdge(r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    EXPECT_TRUE(matchesArt(f.pixels(), kEdgeLegend, {"LLLLLD.", "LHHHSD.", "LHFFSD.", "LSSSSD.", "DDDDDD."}));
}

TEST(DrawFocusRect, InvertsAlternatePixelsAndASecondCallRestores)
{
    PixelFixture f({6, 4});
    f.dc().setTextColor(kBlack);
    f.dc().setBkColor(kWhite);
    f.dc().drawFocusRect({0, 0, 5, 4});
    const Colour inverted = kSentinel ^ 0xFFFFFFu;
    // dots where x + y is even along the border
    EXPECT_TRUE(matchesArt(f.pixels(), {{'.', kSentinel}, {'x', inverted}}, {"x.x.x.", "......", "x...x.", ".x.x.."}));
    f.dc().drawFocusRect({0, 0, 5, 4});
    EXPECT_TRUE(matchesArt(f.pixels(), {{'.', kSentinel}}, {"......", "......", "......", "......"}));
}

TEST(DrawFocusRect, GapsXorWithTheTextColour)
{
    PixelFixture f({4, 1});
    f.dc().setTextColor(0x0000FF);
    f.dc().setBkColor(kWhite);
    f.dc().drawFocusRect({0, 0, 4, 1});
    EXPECT_EQ(f.at(0, 0), kSentinel ^ 0xFFFFFFu);
    EXPECT_EQ(f.at(1, 0), kSentinel ^ 0x0000FFu);
}

} // namespace
} // namespace plainquill::raster::testing
