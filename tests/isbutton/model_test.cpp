// isButton's model: new-instance and stored defaults, case-insensitive reads, the read and write
// orders, the caption and tooltip round trips, and the names property sets report.
#include "controls/isbutton/is_button.h"
#include "platform/host/headless_host.h"

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

struct Button {
    explicit Button(std::initializer_list<std::pair<const char*, PropertyValue>> stored)
        : host(std::make_unique<isButton>(), host::HeadlessOptions{.name = "isButton1", .size = {89, 25}}),
          button(host.controlAs<isButton>())
    {
        for (const auto& [name, value] : stored)
            bag.WriteProperty(name, value);
    }
    Button& load()
    {
        host.load(bag);
        return *this;
    }
    Colour sys(int index) { return host.graphics().systemColours().sysColor(index); }

    PropertyBag bag;
    host::HeadlessHost host;
    isButton& button;
};

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

TEST(IsButtonModel, NewInstanceStartsStandardWithItsName)
{
    Button b({});
    b.host.loadNew();
    EXPECT_EQ(b.button.Style(), Standard);
    EXPECT_EQ(b.button.NonThemeStyle(), Standard);
    EXPECT_EQ(b.button.Caption(), "isButton1");
    EXPECT_EQ(b.button.IconAlign(), Left);
    EXPECT_EQ(b.button.ToolTipType(), ttBalloon);
    EXPECT_EQ(b.button.CaptionFormat(), 0x11u);
    EXPECT_EQ(b.button.IconMargin(), 4);
    EXPECT_EQ(b.button.BackColor(), 0xD8E9ECu);
    EXPECT_EQ(b.button.ToolTipBackColor(), 0u);
    ASSERT_NE(b.button.Icon(), nullptr);
    EXPECT_EQ(b.button.Icon()->Type(), PictureType::None);
}

TEST(IsButtonModel, MissingKeysReadAsTheirStoredDefaults)
{
    Button b({});
    b.load();
    struct Case { std::int64_t got, expected; const char* what; };
    const Case cases[] = {
        {b.button.Style(), Framed, "Style"},
        {b.button.NonThemeStyle(), BlueSkin, "iNonThemeStyle"},
        {b.button.IconAlign(), Left, "IconAlign"},
        {b.button.BackColor(), b.sys(COLOR_BTNFACE), "BackColor"},
        {b.button.FontHighlightColor(), b.sys(COLOR_BTNTEXT), "FontHighlightColor"},
        {b.button.ToolTipType(), ttBalloon, "ToolTipType"},
        {b.button.ToolTipBackColor(), b.sys(COLOR_INFOBK), "ttBackColor"},
        {b.button.ToolTipForeColor(), b.sys(COLOR_INFOTEXT), "ttForeColor"},
        {b.button.MaskColor(), 0xC0C0C0, "MaskColor"},
        {b.button.RoundedBordersByTheme(), true, "RoundedBordersByTheme"},
        {b.button.State(), Normal, "state"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected) << c.what;
    EXPECT_EQ(b.button.Caption(), "isButton");
    EXPECT_EQ(b.button.Icon(), nullptr);
    EXPECT_EQ(b.button.Font(), b.host.Font()); // the surface keeps its own
}

TEST(IsButtonModel, ReadsAndWritesKeysInTheirOwnOrders)
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
}

TEST(IsButtonModel, EveryKeyIsFoundWhateverItsCase)
{
    Button b({});
    b.load();
    setEverythingApartFromItsDefault(b.button);
    const PropertyBag saved = b.host.save();

    Button lower({});
    for (const PropertyBag::Entry& entry : saved.Entries()) {
        std::string name = entry.name;
        for (char& ch : name)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        lower.bag.WriteProperty(name, entry.value);
    }
    lower.load();
    EXPECT_FALSE(lower.host.Enabled()); // a button stored disabled takes no input from the start
    const PropertyBag resaved = lower.host.save();
    ASSERT_EQ(resaved.Names(), saved.Names());
    for (const PropertyBag::Entry& entry : saved.Entries())
        EXPECT_TRUE(sameValue(resaved.ReadProperty(entry.name), entry.value)) << entry.name;

    Button rtl({{"bRTLText", std::int64_t{5}}});
    EXPECT_TRUE(rtl.load().button.RightToLeft()) << "any non-zero stored value";
}

TEST(IsButtonModel, EmptyCaptionComesBackAsIsButtonAndTheToolTipSurvives)
{
    Button b({{"ToolTipText", std::string("Convert the queue")}});
    b.load().button.SetCaption("");
    Button again({});
    again.bag = b.host.save();
    again.load();
    EXPECT_EQ(again.button.Caption(), "isButton");
    EXPECT_EQ(again.button.ToolTipText(), "Convert the queue");
}

TEST(IsButtonModel, StoredToolTipTextGoesToTheContainerAndTheControl)
{
    struct Case { std::optional<std::string> stored; const char* expected; };
    for (const Case& c : {Case{std::nullopt, ""}, Case{"Convert", "Convert"}}) {
        Button b({});
        if (c.stored)
            b.bag.WriteProperty("ToolTipText", *c.stored);
        b.host.Extender().SetToolTipText("from before");
        b.load();
        // The first reading defaults to the control's copy, empty at load, and replaces the container's.
        EXPECT_EQ(b.host.Extender().ToolTipText(), c.expected);
        EXPECT_EQ(b.button.ToolTipText(), c.expected);
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
    EXPECT_EQ(b.load().button.version(), "3.6.2");
    EXPECT_THAT(b.button.EventNames(), ElementsAre("Click", "MouseEnter", "MouseLeave"));
    EXPECT_EQ(b.button.OpenLink("https://example.org/"), 33);
    b.host.failNavigation(true);
    EXPECT_LE(b.button.OpenLink("nowhere:"), 32);
    EXPECT_THAT(b.host.navigations(), ElementsAre("https://example.org/", "nowhere:"));
}

} // namespace
} // namespace plainquill::isbutton
