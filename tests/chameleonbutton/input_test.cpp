// chameleonButton's input: the events of a click, a drag out, a right click and the space bar,
// hover through the timer, the check behaviour, arrows, and access keys.
#include "controls/contracts/access_key.h"
#include "tests/chameleonbutton/button_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace plainquill::chameleon::testing {
namespace {

using ::testing::ElementsAre;

constexpr Point kInside{44, 12};
constexpr Point kOutside{150, 12};

TEST(ChameleonInput, LeftClickDragOutAndRightClick)
{
    Button b({{"BTYPE", std::int64_t{Classic}}, {"TX", std::string("Go")}});
    b.load();
    int clicks = 0;
    b.button.SetClickHandler([&] { ++clicks; });

    b.host.clearRecords();
    b.host.click(kInside);
    EXPECT_THAT(b.host.eventNames(), ElementsAre("MouseDown", "MouseUp", "Click"));
    EXPECT_EQ(clicks, 1);

    // Dragging out pops the button up, back in presses it, releasing outside clicks nothing.
    b.host.clearRecords();
    b.host.press(MOUSE_LEFT, kInside);
    EXPECT_EQ(b.button.LastState(), Down);
    b.host.moveMouse(kOutside);
    EXPECT_EQ(b.button.LastState(), Up);
    b.host.moveMouse(kInside);
    EXPECT_EQ(b.button.LastState(), Down);
    EXPECT_FALSE(b.button.IsOver()); // the pressed look has no hover decoration
    b.host.moveMouse(kOutside);
    b.host.release(MOUSE_LEFT, kOutside);
    EXPECT_THAT(b.host.eventNames(), ElementsAre("MouseDown", "MouseMove", "MouseMove", "MouseMove", "MouseUp"));
    EXPECT_EQ(b.button.LastState(), Up);
    EXPECT_EQ(clicks, 1);

    // A right click raises its mouse events only and draws nothing new.
    b.host.moveMouse(kInside);
    b.host.clearRecords();
    const Bitmap before = b.host.pixels().copy();
    b.host.click(kInside, MOUSE_RIGHT);
    EXPECT_THAT(b.host.eventNames(), ElementsAre("MouseDown", "MouseUp"));
    EXPECT_TRUE(Picture::fromBitmap(before)->sameImageAs(*Picture::fromBitmap(b.host.pixels().copy())));
    EXPECT_EQ(clicks, 1);
}

TEST(ChameleonInput, HandlersMayChangeTheArgumentsPassedByReference)
{
    Button b({});
    b.load();
    // A handler that turns every left press into a right one: the control then draws no down look.
    b.host.setEventResponder([](host::RecordedEvent& event) {
        if (event.name == "MouseDown")
            event.arguments[0] = std::int16_t{MOUSE_RIGHT};
    });
    b.host.press(MOUSE_LEFT, kInside);
    EXPECT_EQ(b.button.LastState(), Up);
    b.host.release(MOUSE_LEFT, kInside);
    EXPECT_THAT(b.host.eventNames(), ::testing::Not(::testing::Contains("Click")));
}

// Where the container cannot tell that the pointer left, the timer looks for it.
TEST(ChameleonInput, HoverComesAndGoesThroughTheTimer)
{
    Button b({{"BTYPE", std::int64_t{WindowsXP}}}, {.messageHooks = false});
    b.load();
    b.host.clearRecords();
    b.host.moveMouse(kInside);
    EXPECT_TRUE(b.button.IsOver());
    EXPECT_EQ(b.at(1, 10), 0x31B2FFu); // the orange glow
    b.host.advanceTime(30);
    EXPECT_TRUE(b.button.IsOver()); // still over: the ticks change nothing
    // The pointer leaves for another window without the control hearing a move.
    b.host.setCursorPos({0, 0});
    b.host.advanceTime(3);
    EXPECT_FALSE(b.button.IsOver());
    EXPECT_NE(b.at(1, 10), 0x31B2FFu);
    b.host.advanceTime(30); // the timer has stopped: one MouseOut, not one per tick
    EXPECT_THAT(b.host.eventNames(), ElementsAre("MouseMove", "MouseOver", "MouseOut"));
}

TEST(ChameleonInput, CheckBehaviourFlipsValueBeforeClickAndStaysDown)
{
    Button b({{"CHECK", true}});
    b.load();
    std::vector<bool> valuesAtClick;
    b.button.SetClickHandler([&] { valuesAtClick.push_back(b.button.Value()); });
    b.host.moveMouse(kInside);
    b.host.click(kInside);
    EXPECT_EQ(b.button.LastState(), Down);
    b.host.moveMouse({45, 12}); // hovered again, still drawn down
    EXPECT_EQ(b.button.LastState(), Down);
    b.host.giveFocus();
    b.host.keyDown(32);
    b.host.keyUp(32);
    EXPECT_EQ(b.button.LastState(), Up);
    EXPECT_EQ(valuesAtClick, (std::vector<bool>{true, false}));

    // Value alone shows nothing until the check behaviour is switched on.
    Button plain({});
    plain.load();
    plain.button.SetValue(true);
    EXPECT_EQ(plain.button.LastState(), Up);
    plain.button.SetCheckBoxBehaviour(true);
    EXPECT_EQ(plain.button.LastState(), Down);
}

TEST(ChameleonInput, KeysSpaceClicksArrowsMoveTheFocus)
{
    Button b({});
    b.load();
    b.host.clearRecords();
    for (const int arrow : {37, 38, 39, 40}) {
        b.host.giveFocus(); // each arrow moves it away
        b.host.keyDown(arrow);
        b.host.keyUp(arrow);
    }
    EXPECT_THAT(b.host.sentKeys(), ElementsAre("+{TAB}", "+{TAB}", "{TAB}", "{TAB}"));
    EXPECT_THAT(b.host.eventNames(), ::testing::Not(::testing::Contains("Click")));

    b.host.giveFocus();
    b.host.clearRecords();
    b.host.keyDown(32, 0, ' ');
    EXPECT_EQ(b.button.LastState(), Down);
    b.host.keyUp(32);
    EXPECT_THAT(b.host.eventNames(), ElementsAre("KeyDown", "KeyPress", "KeyUp", "Click"));
}

TEST(ChameleonInput, AccessKeyOfCaption)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},          {"&", ""},           {"&a", "a"},        {"&Remove", "r"},     {"Save &As", "a"},
        {"A&&B", ""},      {"A&&B &Copy", "c"}, {"A&&B&&&C", ""},   {"A&&B&&C &D", ""},   {"End&", ""},
        {"x&&", ""},       {"A&&&", ""},        {"&&&x", "x"},      {"&\xc3\x89t\xc3\xa9", "\xc3\x89"},
    };
    for (const auto& [caption, key] : cases)
        EXPECT_EQ(contracts::accessKeyOf(caption), key) << caption;
}

TEST(ChameleonInput, AccessKeyClicksOnlyWhileEnabled)
{
    Button b({{"TX", std::string("&Remove All")}, {"ENAB", false}});
    b.load();
    int clicks = 0;
    b.button.SetClickHandler([&] { ++clicks; });
    EXPECT_EQ(b.host.AccessKeys(), "r");
    b.button.AccessKeyPress('r'); // as if the container let it through
    EXPECT_EQ(clicks, 0);
    b.button.SetEnabled(true);
    EXPECT_TRUE(b.host.pressAccessKey('R'));
    EXPECT_EQ(clicks, 1);
}

} // namespace
} // namespace plainquill::chameleon::testing
