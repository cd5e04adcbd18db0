// isButton's own tooltip: built as the pointer enters and destroyed as it leaves, with the
// container's text borrowed while it is up; its style, title and colour rules.
#include "tests/isbutton/button_fixture.h"

#include <gtest/gtest.h>

namespace plainquill::isbutton {
namespace {

using namespace contracts;
using testing::kMiddle;
using testing::kOutside;
using testing::LoadedButton;
using host::RecordedToolTip;

TEST(IsButtonToolTip, LivesWhileThePointerIsOverTheButtonAndBorrowsTheContainersText)
{
    for (const std::string text : {"Convert the files", ""}) {
        LoadedButton b({{"ToolTipText", text}});
        EXPECT_EQ(b.host.Extender().ToolTipText(), text);
        EXPECT_TRUE(b.host.toolTips().empty());
        b.host.moveMouse(kMiddle);
        ASSERT_EQ(b.host.toolTips().size(), 1u);
        const RecordedToolTip& tip = *b.host.toolTips().front();
        EXPECT_FALSE(tip.destroyed);
        ASSERT_EQ(tip.tools.size(), 1u); // also with an empty text: an empty tool
        EXPECT_EQ(tip.tools[0].text, text);
        EXPECT_EQ(tip.tools[0].flags, TTF_SUBCLASS);
        EXPECT_EQ(tip.tools[0].window, b.host.hWnd());
        EXPECT_EQ(tip.tools[0].rect, (Rect{0, 0, 89, 25}));
        EXPECT_EQ(b.host.Extender().ToolTipText(), "") << "blank while the tooltip is up";
        b.host.moveMouse({50, 12});
        EXPECT_EQ(b.host.toolTips().size(), 1u) << "one tooltip per entry";
        b.host.moveMouse(kOutside);
        EXPECT_TRUE(tip.destroyed);
        EXPECT_TRUE(tip.tools.empty());
        EXPECT_EQ(b.host.Extender().ToolTipText(), text) << "given back after the leave";
    }

    // Hide gives the text back; a set shows the new text and keeps it.
    LoadedButton b({{"ToolTipText", std::string("old")}});
    b.host.moveMouse(kMiddle);
    b.host.hide();
    EXPECT_EQ(b.host.Extender().ToolTipText(), "old");
    b.button.SetToolTipText("new");
    EXPECT_EQ(b.host.toolTips().back()->tools.at(0).text, "new");
    EXPECT_EQ(b.button.ToolTipText(), "new");
    b.host.show();
    b.host.moveMouse(kOutside);
    EXPECT_EQ(b.host.Extender().ToolTipText(), "new");
}

TEST(IsButtonToolTip, StyleTitleAndColourRules)
{
    struct Case {
        const char* name;
        std::int64_t type, icon;
        std::string title;
        std::int64_t fore, back;
        std::uint32_t style;
        std::optional<std::pair<int, std::string>> expectedTitle;
        std::optional<Colour> text, background;
    };
    const Case cases[] = {
        {"balloon, nothing else", ttBalloon, tiNone, "", 0, 0, 0x43, {}, {}, {}},
        {"rectangle", ttStandard, tiNone, "", 0, 0, 0x03, {}, {}, {}},
        {"any other type is a rectangle", 7, tiNone, "", 0, 0, 0x03, {}, {}, {}},
        {"title", ttBalloon, tiNone, "Start", 0, 0, 0x43, std::pair{0, std::string("Start")}, {}, {}},
        {"icon with an empty title", ttBalloon, tiWarning, "", 0, 0, 0x43, std::pair{2, std::string()}, {}, {}},
        {"colours", ttBalloon, tiNone, "", 0x0000FF, 0x80000018, 0x43, {}, 0x0000FF, 0xE1FFFF},
        {"an untranslatable colour", ttBalloon, tiNone, "", 0x0000FF, 0x80000099, 0x43, {}, 0x0000FF, 0xFFFFFFFF},
    };
    for (const Case& c : cases) {
        LoadedButton b({{"ToolTipType", c.type},  {"ToolTipIcon", c.icon},          {"Tooltiptitle", c.title},
                        {"ttForeColor", c.fore}, {"ttBackColor", c.back}});
        b.host.moveMouse(kMiddle);
        ASSERT_EQ(b.host.toolTips().size(), 1u) << c.name;
        const RecordedToolTip& tip = *b.host.toolTips().front();
        EXPECT_EQ(tip.style, c.style) << c.name;
        EXPECT_EQ(tip.title, c.expectedTitle) << c.name;
        EXPECT_EQ(tip.textColour, c.text) << c.name;
        EXPECT_EQ(tip.bkColour, c.background) << c.name;
    }
}

TEST(IsButtonAbout, ShowsAsATopMostWindowTitledWithTheVersionAndHidesOnAClick)
{
    LoadedButton b({});
    ASSERT_EQ(b.host.panels().size(), 1u);
    host::RasterPanel& about = *b.host.panels().front();
    EXPECT_FALSE(about.Visible());
    b.button.About();
    EXPECT_TRUE(about.Visible());
    EXPECT_EQ(about.Title(), "About isButton 3.6.2");
    EXPECT_EQ(about.WindowStyle(), host::RasterPanel::kChildStyle + 0xC60000);
    EXPECT_TRUE(about.topMost());
    EXPECT_TRUE(about.detached());
    // The Close box (290, 80)-(360, 106): face + 15 at the top, face - 15 at the bottom, reversed
    // while pressed, in a frame of the shadow colour.
    const Colour light = rgb(251, 248, 231), dark = rgb(221, 218, 201);
    EXPECT_EQ(about.pixels().pixel(300, 81), light);
    EXPECT_EQ(about.pixels().pixel(300, 104), dark);
    EXPECT_EQ(about.pixels().pixel(300, 80), rgb(172, 168, 153));
    EXPECT_EQ(about.pixels().pixel(290, 80), rgb(236, 233, 216)) << "cut corner";
    about.press();
    EXPECT_EQ(about.pixels().pixel(300, 81), dark);
    about.release();
    EXPECT_FALSE(about.Visible());
}

} // namespace
} // namespace plainquill::isbutton
