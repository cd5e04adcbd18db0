// isButton's input: the events and drawn states that mouse, keyboard, access key and focus give.
#include "tests/isbutton/button_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace plainquill::isbutton {
namespace {

using namespace contracts;
using testing::kMiddle;
using testing::kOutside;
using testing::LoadedButton;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(IsButtonInput, PointerEntersOnceAndLeavesOnce)
{
    LoadedButton b({{"Style", std::int64_t{Standard}}});
    for (int x : {10, 20, 30, 40})
        b.host.moveMouse({x, 12});
    EXPECT_THAT(b.host.eventNames(), ElementsAre("MouseEnter"));
    EXPECT_EQ(b.button.State(), Hot);
    b.host.moveMouse(kOutside);
    b.host.moveMouse({201, 12});
    EXPECT_THAT(b.host.eventNames(), ElementsAre("MouseEnter", "MouseLeave"));
    EXPECT_EQ(b.button.State(), Normal);
    EXPECT_FALSE(b.button.MouseInside());
}

TEST(IsButtonInput, MouseSequencesGiveTheirEventsStatesAndCheckValues)
{
    using Steps = std::function<void(host::HeadlessHost&)>;
    struct Case {
        const char* name;
        std::int64_t buttonType;
        bool checked;
        Steps steps;
        std::vector<std::string> events; // after entering
        std::int32_t state;
        bool value;
    };
    const Case cases[] = {
        {"click", PushButton, false, [](auto& h) { h.click(kMiddle); }, {"Click"}, Hot, false},
        {"press inside, release outside", PushButton, false,
         [](auto& h) { h.press(MOUSE_LEFT, kMiddle); h.release(MOUSE_LEFT, kOutside); }, {"MouseLeave"}, Normal,
         false},
        {"right button, then a container click", PushButton, false,
         [](auto& h) {
             h.click(kMiddle, MOUSE_RIGHT);
             h.control().Click();
         },
         {}, Hot, false},
        {"check button, unchecked", CheckButton, false, [](auto& h) { h.click(kMiddle); }, {}, Pressed, true},
        {"check button, checked", CheckButton, true, [](auto& h) { h.click(kMiddle); }, {"Click"}, Hot, false},
        {"double click", PushButton, false,
         [](auto& h) {
             h.click(kMiddle);
             h.control().DblClick();
         },
         {"Click"}, Pressed, false},
    };
    for (const Case& c : cases) {
        LoadedButton b({{"ButtonType", c.buttonType}, {"Value", c.checked}});
        b.host.moveMouse(kMiddle);
        b.host.clearRecords();
        c.steps(b.host);
        EXPECT_EQ(b.host.eventNames(), c.events) << c.name;
        EXPECT_EQ(b.button.State(), c.state) << c.name;
        EXPECT_EQ(b.button.Value(), c.value) << c.name;
    }
}

TEST(IsButtonInput, KeyboardAndAccessKey)
{
    // Space on a fresh instance raises Click but cannot toggle: no left release has been seen yet.
    LoadedButton fresh({{"ButtonType", std::int64_t{CheckButton}}, {"Caption", std::string("&Go")}});
    fresh.host.giveFocus();
    fresh.host.keyDown(32);
    EXPECT_EQ(fresh.button.State(), Pressed);
    fresh.host.keyUp(32);
    EXPECT_THAT(fresh.host.eventNames(), ElementsAre("Click"));
    EXPECT_FALSE(fresh.button.Value());
    EXPECT_EQ(fresh.button.State(), Normal);

    // The access key toggles a check button and raises nothing.
    fresh.host.clearRecords();
    ASSERT_TRUE(fresh.host.pressAccessKey('g'));
    EXPECT_TRUE(fresh.button.Value());
    EXPECT_THAT(fresh.host.eventNames(), IsEmpty());
    fresh.host.keyDown(32);
    fresh.host.keyUp(32);
    EXPECT_FALSE(fresh.button.Value()) << "Space toggles once a left release was seen";

    // Arrows move the focus like Tab and Shift+Tab; Tab itself raises MouseLeave.
    LoadedButton b({});
    for (int key : {39, 40, 37, 38}) {
        b.host.giveFocus();
        b.host.keyDown(key);
    }
    EXPECT_THAT(b.host.sentKeys(), ElementsAre("{TAB}", "{TAB}", "+{TAB}", "+{TAB}"));
    b.host.giveFocus();
    b.host.keyDown(9);
    EXPECT_THAT(b.host.eventNames(), ElementsAre("MouseLeave"));
}

TEST(IsButtonInput, TheCaptionsAccessKeyIsOneWholeCharacter)
{
    const std::pair<const char*, const char*> cases[] = {
        {"&Go", "g"}, {"A&&B &Copy", "c"}, {"&Über", "Ü"}};
    for (const auto& [caption, key] : cases)
        EXPECT_EQ(LoadedButton({{"Caption", std::string(caption)}}).host.AccessKeys(), key) << caption;
}

TEST(IsButtonInput, PaintOverridesTheDrawnState)
{
    struct Case {
        const char* name;
        std::int64_t style;
        bool userMode;
        bool enabled;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"design mode", Standard, false, true, Hot},
        {"design mode, BlueSkin", BlueSkin, false, true, Normal},
        {"disabled in design mode", Standard, false, false, Disabled},
        {"disabled", Glossy, true, false, Disabled},
    };
    for (const Case& c : cases) {
        LoadedButton b({{"Style", c.style}, {"Enabled", c.enabled}},
                       {.name = "isButton1", .userMode = c.userMode, .size = {89, 25}});
        EXPECT_EQ(b.button.State(), c.expected) << c.name;
    }
    LoadedButton checked({{"ButtonType", std::int64_t{CheckButton}}, {"Value", true}});
    EXPECT_EQ(checked.button.State(), Pressed);
    // Without the hook (design mode) the pointer changes nothing.
    LoadedButton design({}, {.name = "isButton1", .userMode = false, .size = {89, 25}});
    design.host.moveMouse(kMiddle);
    EXPECT_THAT(design.host.eventNames(), IsEmpty());
}

} // namespace
} // namespace plainquill::isbutton
