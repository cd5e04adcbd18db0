// chameleonButton's model: new and loaded defaults, the stored keys, the names sets report, the
// design-time colour coupling, FontSize rounding and DisableRefresh.
#include "tests/chameleonbutton/button_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace plainquill::chameleon::testing {
namespace {

using ::testing::ElementsAre;

TEST(ChameleonModel, NewAndLoadedDefaults)
{
    Button fresh({});
    fresh.host.loadNew();
    EXPECT_EQ(fresh.button.Caption(), "chameleonButton1");
    EXPECT_EQ(fresh.button.ButtonType(), Classic);
    EXPECT_EQ(fresh.button.BackColor(), fresh.sys(COLOR_BTNFACE));
    EXPECT_EQ(fresh.button.ForeOver(), fresh.sys(COLOR_BTNTEXT));
    EXPECT_EQ(fresh.button.MaskColor(), 0xC0C0C0u);
    // A new instance draws as type 2 in the system colours: highlight top left, dark shadow bottom right.
    EXPECT_EQ(fresh.at(0, 0), fresh.sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(fresh.at(88, 24), fresh.sys(COLOR_3DDKSHADOW));

    // "HAND" false replaces the stored pointer with the arrow and no picture.
    Button stored({{"MPTR", std::int64_t{POINTER_HOURGLASS}}, {"HAND", false}});
    stored.load();
    EXPECT_EQ(stored.button.MousePointer(), POINTER_ARROW);
    EXPECT_EQ(stored.button.MouseIcon(), nullptr);
    EXPECT_EQ(stored.button.Caption(), "");
    EXPECT_TRUE(stored.button.Enabled());
    EXPECT_TRUE(stored.button.UseMaskColor());
    EXPECT_EQ(stored.button.BackOver(), stored.sys(COLOR_BTNFACE));

    Button hand({{"HAND", true}});
    hand.load();
    EXPECT_EQ(hand.button.MousePointer(), POINTER_CUSTOM);
    ASSERT_NE(hand.button.MouseIcon(), nullptr);
    EXPECT_EQ(hand.button.MouseIcon()->Type(), PictureType::Icon);

    // The hover colours follow the normal ones when only those were stored.
    Button colours({{"bcol", ColourValue{0x123456}}, {"FCOL", ColourValue{0x654321}}});
    colours.load();
    EXPECT_EQ(colours.button.BackOver(), 0x123456u);
    EXPECT_EQ(colours.button.ForeOver(), 0x654321u);
}

TEST(ChameleonModel, ReadsAndWritesEveryKeyInOrderAndRoundTrips)
{
    Button b({});
    b.load();
    const std::vector<std::string> order{"BTYPE", "TX",    "ENAB",  "FONT", "COLTYPE", "FOCUSR", "BCOL", "BCOLO",
                                         "FCOL",  "FCOLO", "MCOL",  "MPTR", "MICON",   "PICN",   "PICH", "UMCOL",
                                         "SOFT",  "PICPOS", "NGREY", "FX",  "HAND",    "CHECK",  "VALUE"};
    EXPECT_EQ(b.bag.NamesRead(), order);
    std::vector<std::string> written = b.host.save().Names();
    written.erase(written.begin(), written.begin() + 2); // the container's extent
    EXPECT_EQ(written, order);

    // Values away from every default come back through a save and a load.
    chameleonButton& c = b.button;
    c.SetButtonType(OfficeBar);
    c.SetCaption("&Go");
    c.SetEnabled(false);
    c.SetColorScheme(Custom);
    c.SetBackColor(0x111111);
    c.SetBackOver(0x222222);
    c.SetForeColor(0x333333);
    c.SetForeOver(0x444444);
    c.SetMaskColor(0x555555);
    c.SetShowFocusRect(false);
    c.SetSoftBevel(true);
    c.SetPicturePosition(PictureBelow);
    c.SetUseMaskColor(false);
    c.SetUseGreyscale(true);
    c.SetSpecialEffect(Shadowed);
    c.SetCheckBoxBehaviour(true);
    c.SetValue(true);
    c.SetFontSize(14);
    Button again({});
    const PropertyBag saved = b.host.save();
    for (const auto& entry : saved.Entries())
        again.bag.WriteProperty(entry.name, entry.value);
    again.load();
    const chameleonButton& r = again.button;
    EXPECT_EQ(r.ButtonType(), OfficeBar);
    EXPECT_EQ(r.Caption(), "&Go");
    EXPECT_FALSE(r.Enabled());
    EXPECT_FALSE(again.host.Enabled()); // the window too
    EXPECT_EQ(again.host.AccessKeys(), "g");
    EXPECT_EQ(r.ColorScheme(), Custom);
    EXPECT_EQ(std::vector<Colour>({r.BackColor(), r.BackOver(), r.ForeColor(), r.ForeOver(), r.MaskColor()}),
              std::vector<Colour>({0x111111, 0x222222, 0x333333, 0x444444, 0x555555}));
    EXPECT_EQ(std::vector<int>({r.ShowFocusRect(), r.SoftBevel(), r.UseMaskColor(), r.UseGreyscale(),
                                r.CheckBoxBehaviour(), r.Value()}),
              std::vector<int>({0, 1, 0, 1, 1, 1}));
    EXPECT_EQ(r.PicturePosition(), PictureBelow);
    EXPECT_EQ(r.SpecialEffect(), Shadowed);
    EXPECT_EQ(r.FontSize(), 14);
}

TEST(ChameleonModel, SetsReportTheirStoredNames)
{
    Button b({});
    b.load();
    b.host.clearRecords();
    chameleonButton& c = b.button;
    c.SetButtonType(WindowsXP);
    c.SetCaption("x");
    c.SetPictureOver(nullptr);
    c.SetPictureNormal(nullptr);
    c.SetHandPointer(false);
    c.SetFontBold(true); // the font attributes report nothing
    c.SetValue(true);
    EXPECT_THAT(b.host.changedProperties(), ElementsAre("BTYPE", "TX", "PICO", "PICN", "HAND", "VALUE"));
}

TEST(ChameleonModel, DesignTimeCouplesTheHoverColoursToTheNormalOnes)
{
    for (const bool userMode : {false, true}) {
        Button b({}, {.userMode = userMode});
        b.load();
        b.button.SetBackColor(0x0000FF);
        b.button.SetForeColor(0x00FF00);
        const bool coupled = !userMode;
        EXPECT_EQ(b.button.BackOver() == 0x0000FF, coupled) << "user mode " << userMode;
        EXPECT_EQ(b.button.ForeOver() == 0x00FF00, coupled) << "user mode " << userMode;
        b.button.SetButtonType(FlatFrame); // bold only while designing
        EXPECT_EQ(b.button.FontBold(), coupled) << "user mode " << userMode;
    }
}

TEST(ChameleonModel, FontSizeReadsBackRoundedHalfToEven)
{
    const std::pair<double, int> cases[] = {{8.5, 8}, {9.5, 10}, {8.25, 8}, {10.75, 11}};
    for (const auto& [size, expected] : cases) {
        Button b({{"FONT", makeFont({.face = "Tahoma", .pointSize = size})}});
        b.load();
        EXPECT_EQ(b.button.FontSize(), expected) << size;
    }
}

TEST(ChameleonModel, FontAttributesDoNotReachTheSharedFontObject)
{
    const FontRef shared = makeFont({.face = "Tahoma", .pointSize = 8.25});
    Button b({{"FONT", shared}});
    b.load();
    b.button.SetFontBold(true);
    b.button.SetFontName("Serif");
    EXPECT_TRUE(b.button.FontBold());
    EXPECT_EQ(b.button.FontName(), "Serif");
    EXPECT_FALSE(shared->Bold());
    EXPECT_EQ(shared->Name(), "Tahoma");
}

TEST(ChameleonModel, DisableRefreshHoldsEveryDrawingUntilRefresh)
{
    Button b({{"BTYPE", std::int64_t{Classic}}});
    b.load();
    const Colour before = b.at(0, 0);
    b.button.DisableRefresh();
    b.button.SetColorScheme(Custom);
    b.button.SetBackColor(0x0000FF);
    b.button.SetCaption("Changed");
    EXPECT_EQ(b.button.Caption(), "Changed");
    EXPECT_EQ(b.at(0, 0), before);
    b.button.Refresh();
    b.host.idle();
    EXPECT_NE(b.at(0, 0), before);
    EXPECT_EQ(b.at(10, 10), 0x0000FFu);
}

} // namespace
} // namespace plainquill::chameleon::testing
