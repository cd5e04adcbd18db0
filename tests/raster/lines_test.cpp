#include "pixel_art.h"

#include <set>

namespace plainquill::raster::testing {
namespace {

constexpr Colour kInk = 0x000080;

std::set<std::pair<int, int>> inkOf(const PixelFixture& f)
{
    std::set<std::pair<int, int>> ink;
    for (int y = 0; y < f.pixels().height(); ++y)
        for (int x = 0; x < f.pixels().width(); ++x)
            if (f.at(x, y) == kInk)
                ink.insert({x, y});
            else
                EXPECT_EQ(f.at(x, y), kSentinel) << "stray colour at " << x << "," << y;
    return ink;
}

std::set<std::pair<int, int>> drawLine(Point from, Point to, Size size = {8, 8})
{
    PixelFixture f(size);
    f.dc().selectPen(Pen::solid(kInk));
    f.dc().moveTo(from);
    f.dc().lineTo(to);
    EXPECT_EQ(f.dc().currentPosition(), to);
    return inkOf(f);
}

struct LineCase {
    const char* name;
    Point from, to;
    std::set<std::pair<int, int>> pixels;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

// Worked out with the rule in lines.cpp: err starts at 2*minor - major, the minor coordinate
// steps when err + bias > 0, bias 1 in octants 3, 5, 6 and 8. The lines with |dx| = 2|dy| (or
// the reverse) pass exactly between two pixels at every second step, so they show the tie rule.
class LineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineTest, LightsStartPixelAndTheIdealLineButNotTheEnd)
{
    EXPECT_EQ(drawLine(GetParam().from, GetParam().to), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Octants, LineTest,
    ::testing::Values(
        LineCase{"oct1_right_down_shallow_tie_stays", {0, 0}, {4, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        LineCase{"oct2_down_right_steep_tie_stays", {0, 0}, {2, 4}, {{0, 0}, {0, 1}, {1, 2}, {1, 3}}},
        LineCase{"oct3_down_left_steep_tie_steps", {2, 0}, {0, 4}, {{2, 0}, {1, 1}, {1, 2}, {0, 3}}},
        LineCase{"oct4_left_down_shallow_tie_stays", {4, 0}, {0, 2}, {{4, 0}, {3, 0}, {2, 1}, {1, 1}}},
        LineCase{"oct5_left_up_shallow_tie_steps", {4, 2}, {0, 0}, {{4, 2}, {3, 1}, {2, 1}, {1, 0}}},
        LineCase{"oct6_up_left_steep_tie_steps", {2, 4}, {0, 0}, {{2, 4}, {1, 3}, {1, 2}, {0, 1}}},
        LineCase{"oct7_up_right_steep_tie_stays", {0, 4}, {2, 0}, {{0, 4}, {0, 3}, {1, 2}, {1, 1}}},
        LineCase{"oct8_right_up_shallow_tie_steps", {0, 2}, {4, 0}, {{0, 2}, {1, 1}, {2, 1}, {3, 0}}},
        LineCase{"no_tie_5_by_2", {0, 0}, {5, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},
        LineCase{"diagonal", {1, 1}, {4, 4}, {{1, 1}, {2, 2}, {3, 3}}},
        LineCase{"anti_diagonal_up", {4, 4}, {1, 1}, {{4, 4}, {3, 3}, {2, 2}}},
        LineCase{"horizontal_right", {1, 3}, {5, 3}, {{1, 3}, {2, 3}, {3, 3}, {4, 3}}},
        LineCase{"horizontal_left", {5, 3}, {1, 3}, {{5, 3}, {4, 3}, {3, 3}, {2, 3}}},
        LineCase{"vertical_down", {2, 1}, {2, 4}, {{2, 1}, {2, 2}, {2, 3}}},
        LineCase{"vertical_up", {2, 4}, {2, 1}, {{2, 4}, {2, 3}, {2, 2}}},
        LineCase{"one_pixel_long", {3, 3}, {4, 3}, {{3, 3}}},
        LineCase{"zero_length_draws_nothing", {3, 3}, {3, 3}, {}},
        LineCase{"clipped_from_outside_left", {-3, 2}, {3, 2}, {{0, 2}, {1, 2}, {2, 2}}},
        LineCase{"clipped_past_bottom_right", {6, 6}, {10, 10}, {{6, 6}, {7, 7}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Lines, ReversedLineLightsTheSamePixelsApartFromTheEnds)
{
    const Point centre{7, 7};
    for (int dx = -6; dx <= 6; ++dx)
        for (int dy = -6; dy <= 6; ++dy) {
            const Point far{centre.x + dx, centre.y + dy};
            auto forward = drawLine(centre, far, {15, 15});
            auto backward = drawLine(far, centre, {15, 15});
            forward.erase({centre.x, centre.y});
            backward.erase({far.x, far.y});
            ASSERT_EQ(forward, backward) << "dx " << dx << " dy " << dy;
        }
}

TEST(Lines, NullPenOnlyMovesThePosition)
{
    PixelFixture f;
    f.dc().selectPen(Pen::null());
    f.dc().moveTo({0, 0});
    f.dc().lineTo({5, 5});
    EXPECT_TRUE(inkOf(f).empty());
    EXPECT_EQ(f.dc().currentPosition(), (Point{5, 5}));
}

TEST(Lines, ConsecutiveLineToCallsJoinWithoutGapsOrDoubleStarts)
{
    // A closed outline as the controls draw it: four LineTo calls back to the start.
    PixelFixture f({6, 5});
    f.dc().selectPen(Pen::solid(kInk));
    f.dc().moveTo({0, 0});
    for (Point p : {Point{4, 0}, Point{4, 3}, Point{0, 3}, Point{0, 0}})
        f.dc().lineTo(p);
    EXPECT_TRUE(matchesArt(f.pixels(), {{'.', kSentinel}, {'#', kInk}}, {"#####.", "#...#.", "#...#.", "#####.", "......"}));
}

TEST(Lines, WidePensCoverTheirWidthWithRoundEnds)
{
    struct Case {
        int width;
        std::vector<std::string> art;
    };
    const std::vector<Case> cases = {
        {2, {"........", "........", ".######.", ".######.", "........", "........"}},
        {3, {"........", "#######.", "#######.", "#######.", "........", "........"}},
    };
    for (const Case& c : cases) {
        PixelFixture f;
        f.dc().selectPen(Pen::solid(kInk, c.width));
        f.dc().moveTo({1, 2});
        f.dc().lineTo({5, 2});
        EXPECT_TRUE(matchesArt(f.pixels(), {{'.', kSentinel}, {'#', kInk}}, c.art)) << "width " << c.width;
    }
}

TEST(Lines, SelectReturnsThePreviousPen)
{
    PixelFixture f;
    const Pen first = Pen::solid(0x111111);
    f.dc().selectPen(first);
    EXPECT_EQ(f.dc().selectPen(Pen::solid(0x222222, 2)), first);
    EXPECT_EQ(f.dc().pen(), Pen::solid(0x222222, 2));
}

} // namespace
} // namespace plainquill::raster::testing
