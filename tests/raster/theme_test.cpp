#include "pixel_art.h"
#include "platform/raster/qstyle_theme.h"

#include <set>

namespace plainquill::raster::testing {
namespace {

std::set<std::pair<int, int>> changedPixels(const PixelFixture& f)
{
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < f.pixels().height(); ++y)
        for (int x = 0; x < f.pixels().width(); ++x)
            if (f.at(x, y) != kSentinel)
                out.insert({x, y});
    return out;
}

TEST(QStyleTheme, OnlyTheButtonClassExists)
{
    QStyleTheme theme;
    EXPECT_NE(theme.open("Button"), nullptr);
    EXPECT_NE(theme.open("button"), nullptr);
    EXPECT_NE(theme.open("Window;Button"), nullptr);
    EXPECT_EQ(theme.open("Window"), nullptr);
}

TEST(QStyleTheme, DrawsEachStateInsideItsRectangleAndClip)
{
    QStyleTheme theme;
    auto data = theme.open("Button");
    ASSERT_NE(data, nullptr);
    std::vector<std::vector<Colour>> pictures;
    for (int state = PBS_NORMAL; state <= PBS_DEFAULTED; ++state) {
        PixelFixture f({40, 20});
        const Rect rect{2, 1, 38, 19}, clip{0, 0, 30, 20};
        ASSERT_TRUE(data->drawBackground(f.dc(), BP_PUSHBUTTON, state, rect, &clip)) << state;
        const auto changed = changedPixels(f);
        EXPECT_GT(changed.size(), 200u) << "state " << state << " draws a face";
        for (auto [x, y] : changed)
            ASSERT_TRUE(rect.contains({x, y}) && clip.contains({x, y})) << state << " drew at " << x << "," << y;
        std::vector<Colour> picture;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x)
                picture.push_back(f.at(x, y));
        pictures.push_back(picture);
    }
    EXPECT_NE(pictures[PBS_NORMAL - 1], pictures[PBS_PRESSED - 1]) << "pressed looks different";
    EXPECT_NE(pictures[PBS_NORMAL - 1], pictures[PBS_DISABLED - 1]) << "disabled looks different";
}

TEST(QStyleTheme, RegionIsTheOutlineWithinTheRectangle)
{
    QStyleTheme theme;
    auto data = theme.open("Button");
    const auto region = data->backgroundRegion(BP_PUSHBUTTON, PBS_NORMAL, {-1, -1, 41, 21});
    ASSERT_TRUE(region.has_value());
    const Rect box = region->bounds();
    EXPECT_GE(box.left, -1);
    EXPECT_GE(box.top, -1);
    EXPECT_LE(box.right, 41);
    EXPECT_LE(box.bottom, 21);
    EXPECT_TRUE(region->contains({20, 10})) << "the middle of the button";
}

TEST(QStyleTheme, UnknownPartsAndStatesFail)
{
    QStyleTheme theme;
    auto data = theme.open("Button");
    PixelFixture f({10, 10});
    EXPECT_FALSE(data->drawBackground(f.dc(), 2, PBS_NORMAL, {0, 0, 10, 10}, nullptr));
    EXPECT_FALSE(data->drawBackground(f.dc(), BP_PUSHBUTTON, 6, {0, 0, 10, 10}, nullptr));
    EXPECT_FALSE(data->backgroundRegion(BP_PUSHBUTTON, 0, {0, 0, 10, 10}).has_value());
    EXPECT_TRUE(changedPixels(f).empty());
}

} // namespace
} // namespace plainquill::raster::testing
