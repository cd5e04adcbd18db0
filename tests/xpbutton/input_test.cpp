// XpB's input: presses, hover, the keyboard latch, the sound and the link.
#include "button_fixture.h"

#include "platform/host/wave_player.h"

#include <algorithm>

namespace plainquill::xpbutton::testing {
namespace {

long count(const std::vector<std::string>& names, const std::string& name)
{
    return std::count(names.begin(), names.end(), name);
}

TEST(XpBInput, AClickNeedsTheReleaseOverTheButton)
{
    // The button is 89 x 25: its last column is 88, its last row 24.
    const Point middle{44, 12}, outside{-20, 12};
    const struct {
        const char* name;
        int movesIn;
        bool leave, comeBack;
        Point release;
        long clicks, mouseIns, mouseOuts;
    } cases[] = {
        {"inside", 1, false, false, middle, 1, 1, 0},
        {"three moves inside", 3, false, false, middle, 1, 1, 0},
        {"released outside", 1, true, false, outside, 0, 1, 1},
        {"out and back in", 1, true, true, middle, 1, 2, 1},
        {"released one column right", 1, false, false, {89, 12}, 0, 1, 1},
        {"released one row below", 1, false, false, {44, 25}, 0, 1, 1},
    };
    for (const auto& c : cases) {
        Button b({{"URL", std::string("http://example.org/")}});
        for (int i = 0; i < c.movesIn; ++i)
            b.host.moveMouse({middle.x + i, middle.y});
        b.host.press(MOUSE_LEFT, middle);
        EXPECT_TRUE(b.xpb.IsDown()) << c.name;
        if (c.leave) {
            b.host.moveMouse(outside);
            b.pointerAway();
            // Shown released while away, but still pressed.
            EXPECT_TRUE(b.xpb.IsDown()) << c.name;
            EXPECT_FALSE(b.xpb.IsHover()) << c.name;
            EXPECT_FALSE(b.xpb.HoverWatched()) << c.name;
        }
        if (c.comeBack)
            b.host.moveMouse(middle);
        b.host.release(MOUSE_LEFT, c.release);
        const auto names = b.host.eventNames();
        EXPECT_FALSE(b.xpb.IsDown()) << c.name;
        EXPECT_EQ(count(names, "Click"), c.clicks) << c.name;
        EXPECT_EQ(count(names, "MouseIn"), c.mouseIns) << c.name;
        EXPECT_EQ(count(names, "MouseOut"), c.mouseOuts) << c.name;
        EXPECT_EQ(b.host.wavesPlayed().size(), static_cast<std::size_t>(c.clicks)) << c.name;
        EXPECT_EQ(b.host.navigations().size(), static_cast<std::size_t>(c.clicks)) << c.name;
    }
}

TEST(XpBInput, TheRightButtonReportsButNeitherPressesNorClicks)
{
    Button b({});
    b.host.press(MOUSE_RIGHT, b.middle());
    EXPECT_FALSE(b.xpb.IsDown());
    b.host.release(MOUSE_RIGHT, b.middle());
    EXPECT_EQ(b.host.eventNames(), (std::vector<std::string>{"MouseDown", "MouseUp"}));
    EXPECT_TRUE(b.host.wavesPlayed().empty());
}

TEST(XpBInput, AHeldSpaceClicksOnceWhenReleased)
{
    Button b({{"URL", std::string("http://example.org/")}});
    b.host.giveFocus();
    // Space under another held key does not press: the first key down holds the latch.
    b.host.keyDown(65);
    b.host.keyDown(32);
    EXPECT_FALSE(b.xpb.IsDown());
    b.host.keyUp(65);
    for (int i = 0; i < 3; ++i)
        b.host.keyDown(32);
    EXPECT_TRUE(b.xpb.IsDown());
    EXPECT_TRUE(b.xpb.IsHover());
    b.host.keyUp(32);
    EXPECT_FALSE(b.xpb.IsDown());
    EXPECT_FALSE(b.xpb.IsHover());
    const auto names = b.host.eventNames();
    EXPECT_EQ(count(names, "Click"), 1);
    EXPECT_EQ(count(names, "KeyDown"), 5);
    EXPECT_EQ(b.host.wavesPlayed(), (std::vector<std::string>{".\\resources\\click.wav"}));
    EXPECT_EQ(b.host.navigations(), (std::vector<std::string>{"http://example.org/"}));
}

TEST(XpBInput, ADoubleClickIsTwoFullClicks)
{
    Button b({});
    b.host.doubleClick(b.middle());
    const auto names = b.host.eventNames();
    EXPECT_EQ(count(names, "MouseDown"), 2);
    EXPECT_EQ(count(names, "MouseUp"), 2);
    EXPECT_EQ(count(names, "Click"), 2);
    EXPECT_EQ(b.host.wavesPlayed().size(), 2u);
}

TEST(XpBInput, OnlyTheExactMailPrefixGoesToTheShell)
{
    const struct {
        const char* url;
        std::size_t shell, navigated;
    } cases[] = {{"mailto:help@example.org", 1, 0},
                 {"MAILTO:help@example.org", 0, 1},
                 {"http://example.org/", 0, 1},
                 {"", 0, 0}};
    for (const auto& c : cases) {
        Button b({{"URL", std::string(c.url)}, {"Caption", std::string("&Mail")}});
        ASSERT_TRUE(b.host.pressAccessKey('m'));
        EXPECT_EQ(b.host.shellOpens().size(), c.shell) << c.url;
        EXPECT_EQ(b.host.navigations().size(), c.navigated) << c.url;
        EXPECT_EQ(count(b.host.eventNames(), "Click"), 1) << c.url;
        EXPECT_TRUE(b.host.wavesPlayed().empty()) << "the access key clicks silently";
    }
}

TEST(XpBInput, AFailingLinkIsAnErrorOfTheCaller)
{
    Button b({{"URL", std::string("http://example.org/")}});
    b.host.failNavigation(true);
    EXPECT_THROW(b.xpb.GoToURL(), std::runtime_error);
    b.host.click(b.middle());
    EXPECT_EQ(b.host.errors().size(), 1u);
}

TEST(XpBInput, ATinyButtonGrowsToTenPixels)
{
    Button b({});
    b.host.resize({3, 40});
    EXPECT_EQ(b.host.clientSize(), (Size{10, 40}));
    EXPECT_EQ(b.xpb.FocusRect(), (Rect{4, 4, 6, 36}));
}

TEST(XpBInput, SoundPathsAreTakenFromTheProgramFolder)
{
    const struct {
        const char* stored;
        const char* played;
    } cases[] = {{".\\resources\\click.wav", "/opt/pq/resources/click.wav"},
                 {"sounds/a.wav", "/opt/pq/sounds/a.wav"},
                 {"/usr/share/b.wav", "/usr/share/b.wav"},
                 {"..\\c.wav", "/opt/c.wav"}};
    for (const auto& c : cases)
        EXPECT_EQ(host::programRelativePath(c.stored, "/opt/pq"), QString::fromUtf8(c.played)) << c.stored;
}

} // namespace
} // namespace plainquill::xpbutton::testing
