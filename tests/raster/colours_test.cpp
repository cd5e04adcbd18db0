#include "controls/contracts/geometry.h"
#include "controls/contracts/system_colours.h"
#include "platform/raster/qstyle_theme.h"
#include "platform/raster/xp_system_colours.h"

#include <gtest/gtest.h>

namespace plainquill::raster {
namespace {

using namespace contracts;

TEST(Rect, RightAndBottomAreExclusive)
{
    const Rect r{2, 3, 6, 8};
    EXPECT_EQ(r.width(), 4);
    EXPECT_EQ(r.height(), 5);
    EXPECT_TRUE(r.contains({5, 7}));
    EXPECT_FALSE(r.contains({6, 7}));
    EXPECT_FALSE(r.contains({5, 8}));
    EXPECT_TRUE(Rect({2, 3, 2, 8}).isEmpty());
    EXPECT_EQ(r.intersectedWith({5, 0, 9, 4}), (Rect{5, 3, 6, 4}));
    EXPECT_EQ(r.intersectedWith({6, 0, 9, 9}), (Rect{})) << "touching rectangles share no pixel";
    EXPECT_EQ((Rect{6, 8, 2, 3}).normalized(), r);
    EXPECT_EQ(r.inflatedBy(-1, -2), (Rect{3, 5, 5, 6}));
}

TEST(Colour, ChannelsAreLaidOutBlueGreenRed)
{
    EXPECT_EQ(rgb(236, 233, 216), 0x00D8E9ECu);
    EXPECT_EQ(redOf(0x00D8E9EC), 236);
    EXPECT_EQ(greenOf(0x00D8E9EC), 233);
    EXPECT_EQ(blueOf(0x00D8E9EC), 216);
}

TEST(SystemColours, XpSchemeValues)
{
    const SystemColours& sys = xpSystemColours();
    struct Case {
        int index;
        Colour expected;
    };
    for (const Case& c : {Case{COLOR_BTNFACE, 0x00D8E9EC}, Case{COLOR_BTNSHADOW, 0x0099A8AC},
                          Case{COLOR_BTNHIGHLIGHT, 0x00FFFFFF}, Case{COLOR_3DDKSHADOW, 0x00646F71},
                          Case{COLOR_3DLIGHT, 0x00E2EFF1}, Case{COLOR_HIGHLIGHT, 0x00C56A31},
                          Case{COLOR_GRAYTEXT, 0x0099A8AC}, Case{COLOR_BTNTEXT, 0x00000000},
                          Case{COLOR_WINDOW, 0x00FFFFFF}, Case{COLOR_INFOBK, 0x00E1FFFF},
                          Case{COLOR_MENUBAR, 0x00D8E9EC}, Case{-1, 0}, Case{31, 0}})
        EXPECT_EQ(sys.sysColor(c.index), c.expected) << "index " << c.index;
}

TEST(ColourResolving, EachControlsRule)
{
    const SystemColours& sys = xpSystemColours();
    struct Case {
        const char* name;
        Colour value;
        Colour byTopBit;
        Colour fromHighBytes;
        std::optional<Colour> ole;
    };
    const std::vector<Case> cases = {
        {"plain_colour", 0x00123456, 0x00123456, 0x00123456, 0x00123456},
        {"button_face_reference", 0x8000000F, 0x00D8E9EC, 0x00D8E9EC, 0x00D8E9EC},
        {"highlight_reference", 0x8000000D, 0x00C56A31, 0x00C56A31, 0x00C56A31},
        {"palette_index_form", 0x01000005, 0x01000005, 0x00FFFFFF, 0x01000005},
        {"reference_beyond_the_table", 0x80000040, 0, 0, std::nullopt},
        {"unknown_high_byte", 0x40000005, 0x40000005, 0x00FFFFFF, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(resolveByTopBit(c.value, sys), c.byTopBit) << c.name;
        EXPECT_EQ(resolveFromHighBytes(c.value, sys), c.fromHighBytes) << c.name;
        EXPECT_EQ(oleTranslateColor(c.value, sys), c.ole) << c.name;
    }
}

TEST(Theme, NoThemeWithoutAWidgetsApplication)
{
    // This test binary runs a QGuiApplication only: QStyle is not available.
    QStyleTheme theme;
    EXPECT_EQ(theme.open("Button"), nullptr);
}

} // namespace
} // namespace plainquill::raster
