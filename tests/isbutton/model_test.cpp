// isButton's model: new-instance and stored defaults, case-insensitive reads, the read and write
// orders, the caption and tooltip round trips, and the names property sets report.
#include "tests/isbutton/button_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>

namespace plainquill::isbutton {
namespace {

using namespace contracts;
using ::testing::ElementsAre;

using Button = testing::StoredButton;

// Every stored property, each away from both its defaults.
void setEverythingApartFromItsDefault(isButton& b)
{
    b.SetStyle(Soft);
    b.SetCaption("Go");
    b.SetIconSize(24);
    b.SetIconAlign(Right);
    b.SetCaptionAlign(Bottom);
    b.SetNonThemeStyle(Themed);
    b.SetEnabled(false);
    b.SetShowFocus(true);
    b.SetUseCustomColors(true);
    for (auto set : {&isButton::SetBackColor, &isButton::SetHighlightColor, &isButton::SetFontColor,
                     &isButton::SetFontHighlightColor, &isButton::SetToolTipBackColor, &isButton::SetToolTipForeColor,
                     &isButton::SetMaskColor})
        (b.*set)(0x123456);
    b.SetToolTipText("Tip");
    b.SetToolTipTitle("Title");
    b.SetToolTipIcon(tiError);
    b.SetToolTipType(ttStandard);
    b.SetFont(makeFont({.face = "Serif", .pointSize = 14}));
    b.SetButtonType(CheckButton);
    b.SetValue(true);
    b.SetUseMaskColor(true);
    b.SetMousePointer(POINTER_CROSS);
    b.SetRoundedBordersByTheme(false);
    b.SetRightToLeft(true);
}

TEST(IsButtonModel, DefaultsOfANewInstanceAndOfMissingKeys)
{
    Button fresh({});
    fresh.host.loadNew();
    Button stored({});
    stored.load();
    isButton& n = fresh.button;
    isButton& s = stored.button;
    struct Case { std::int64_t got, expected; const char* what; };
    const Case cases[] = {
        {n.Style(), Standard, "new Style"},
        {n.NonThemeStyle(), Standard, "new NonThemeStyle"},
        {n.IconAlign(), Left, "new IconAlign"},
        {n.ToolTipType(), ttBalloon, "new ToolTipType"},
        // Layout and paint have run since InitProperties: the centred caption's format, the inset of
        // a line-drawn look.
        {n.CaptionFormat(), 0x15, "new CaptionFormat"},
        {n.IconMargin(), 3, "new IconMargin"},
        {n.BackColor(), 0xD8E9EC, "new BackColor"},
        {n.ToolTipBackColor(), 0, "new ToolTipBackColor"},
        {s.Style(), Framed, "Style"},
        {s.NonThemeStyle(), BlueSkin, "iNonThemeStyle"},
        {s.IconAlign(), Left, "IconAlign"},
        {s.BackColor(), stored.sys(COLOR_BTNFACE), "BackColor"},
        {s.FontHighlightColor(), stored.sys(COLOR_BTNTEXT), "FontHighlightColor"},
        {s.ToolTipType(), ttBalloon, "ToolTipType"},
        {s.ToolTipBackColor(), stored.sys(COLOR_INFOBK), "ttBackColor"},
        {s.ToolTipForeColor(), stored.sys(COLOR_INFOTEXT), "ttForeColor"},
        {s.MaskColor(), 0xC0C0C0, "MaskColor"},
        {s.RoundedBordersByTheme(), true, "RoundedBordersByTheme"},
        {s.State(), Normal, "state"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected) << c.what;
    EXPECT_EQ(n.Caption(), "isButton1");
    ASSERT_NE(n.Icon(), nullptr);
    EXPECT_EQ(n.Icon()->Type(), PictureType::None);
    EXPECT_EQ(s.Caption(), "isButton");
    EXPECT_EQ(s.Icon(), nullptr);
    EXPECT_EQ(s.Font(), stored.host.Font()); // the surface keeps its own
}

TEST(IsButtonModel, ReadsAndWritesKeysInTheirOwnOrdersAndFindsThemWhateverTheirCase)
{
    Button b({});
    b.load();
    // The reads take CaptionAlign before IconAlign; the writes the other way round.
    EXPECT_THAT(b.bag.NamesRead(),
                ElementsAre("Icon", "Style", "Caption", "IconSize", "CaptionAlign", "IconAlign", "iNonThemeStyle",
                            "Enabled", "ShowFocus", "USeCustomColors", "BackColor", "HighlightColor", "FontColor",
                            "FontHighlightColor", "ToolTipText", "Tooltiptitle", "ToolTipIcon", "ToolTipType",
                            "ttBackColor", "ttForeColor", "Font", "ButtonType", "Value", "UseMaskColor", "MaskColor",
                            "MousePointer", "RoundedBordersByTheme", "bRTLText"));

    // Everything holds its read default: only the keys without a write default are written, and the
    // caption, whose write default (empty) is not its read default.
    EXPECT_THAT(b.host.save().Names(), ElementsAre("_ExtentX", "_ExtentY", "Icon", "Caption", "ToolTipText",
                                                   "Tooltiptitle", "ToolTipIcon", "ToolTipType", "Font"));

    setEverythingApartFromItsDefault(b.button);
    const PropertyBag saved = b.host.save();
    EXPECT_THAT(saved.Names(),
                ElementsAre("_ExtentX", "_ExtentY", "Icon", "Style", "Caption", "IconSize", "IconAlign", "CaptionAlign",
                            "iNonThemeStyle", "Enabled", "ShowFocus", "USeCustomColors", "BackColor", "HighlightColor",
                            "FontColor", "FontHighlightColor", "ToolTipText", "Tooltiptitle", "ToolTipIcon",
                            "ToolTipType", "ttBackColor", "ttForeColor", "Font", "ButtonType", "Value", "MaskColor",
                            "UseMaskColor", "MousePointer", "RoundedBordersByTheme", "bRTLText"));
    EXPECT_EQ(saved.ReadInteger("bRTLText", 0), -1);
    EXPECT_EQ(saved.ReadInteger("iNonThemeStyle", 0), Themed);

    // Every key is found whatever its case.
    Button lower({});
    for (PropertyBag::Entry entry : saved.Entries()) {
        for (char& ch : entry.name)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        lower.bag.WriteProperty(entry.name, entry.value);
    }
    lower.load();
    EXPECT_FALSE(lower.host.Enabled()); // a button stored disabled takes no input from the start
    const PropertyBag resaved = lower.host.save();
    ASSERT_EQ(resaved.Names(), saved.Names());
    for (const PropertyBag::Entry& entry : saved.Entries())
        EXPECT_TRUE(sameValue(resaved.ReadProperty(entry.name), entry.value)) << entry.name;

    Button rtl({{"bRTLText", std::int64_t{5}}});
    EXPECT_TRUE(rtl.load().RightToLeft()) << "any non-zero stored value";
}

TEST(IsButtonModel, StoredToolTipTextGoesToTheContainerAndTheControlAndAnEmptyCaptionComesBackAsIsButton)
{
    struct Case { std::optional<std::string> stored; const char* expected; };
    for (const Case& c : {Case{std::nullopt, ""}, Case{"Convert", "Convert"}}) {
        Button b({});
        if (c.stored)
            b.bag.WriteProperty("ToolTipText", *c.stored);
        b.host.Extender().SetToolTipText("from before");
        b.load().SetCaption("");
        // The first reading defaults to the control's copy, empty at load, and replaces the container's.
        EXPECT_EQ(b.host.Extender().ToolTipText(), c.expected);
        EXPECT_EQ(b.button.ToolTipText(), c.expected);
        Button again({});
        again.bag = b.host.save();
        EXPECT_EQ(again.load().Caption(), "isButton");
        EXPECT_EQ(again.button.ToolTipText(), c.expected);
    }
}

TEST(IsButtonModel, PropertySetsReportTheirStorageNames)
{
    struct Case { std::function<void(isButton&)> set; const char* name; };
    const Case cases[] = {
        {[](isButton& b) { b.SetStyle(Glossy); }, "Style"},
        {[](isButton& b) { b.SetNonThemeStyle(Flat); }, "NonThemeStyle"},
        {[](isButton& b) { b.SetUseCustomColors(true); }, "UseCustomColors"},
        {[](isButton& b) { b.SetToolTipText("x"); }, "ToolTipText"},
        {[](isButton& b) { b.SetToolTipTitle("x"); }, "TooltipTitle"},
        {[](isButton& b) { b.SetToolTipIcon(tiInfo); }, "TooltipIcon"},
        {[](isButton& b) { b.SetFont(makeFont()); }, "Font"},
        {[](isButton& b) { b.SetMousePointer(POINTER_IBEAM); }, "MousePointer"},
        {[](isButton& b) { b.SetRightToLeft(true); }, "bRTLText"},
        {[](isButton& b) { b.SetEnabled(false); }, "Enabled"},
    };
    for (const Case& c : cases) {
        Button b({});
        b.load();
        b.host.clearRecords();
        c.set(b.button);
        EXPECT_THAT(b.host.changedProperties(), ElementsAre(c.name));
    }
}

TEST(IsButtonModel, FixedFacts)
{
    Button b({});
    EXPECT_EQ(b.load().version(), "3.6.2");
    EXPECT_THAT(b.button.EventNames(), ElementsAre("Click", "MouseEnter", "MouseLeave"));
    EXPECT_EQ(b.button.OpenLink("https://example.org/"), 33);
    b.host.failNavigation(true);
    EXPECT_LE(b.button.OpenLink("nowhere:"), 32);
    EXPECT_THAT(b.host.navigations(), ElementsAre("https://example.org/", "nowhere:"));
}

} // namespace
} // namespace plainquill::isbutton
