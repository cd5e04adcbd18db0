// The headless host delivers the container's notifications in the container's order and keeps
// the promises of the container interface: the double-click sequence, clicks only over the
// shape, focus and access keys, timers, events by reference, errors ending only their handler.
#include "platform/host/headless_host.h"
#include "probe_control.h"

#include "controls/contracts/control_errors.h"

#include <gtest/gtest.h>
#include <gmock/gmock.h>

namespace plainquill::host {
namespace {

using namespace contracts;
using testing::ProbeControl;
using ::testing::ElementsAre;

struct Hosted {
    explicit Hosted(HeadlessOptions options = {})
        : host(std::make_unique<ProbeControl>(), std::move(options)), probe(host.controlAs<ProbeControl>())
    {
    }
    HeadlessHost host;
    ProbeControl& probe;
};

TEST(HeadlessHost, LoadsInTheContainersOrder)
{
    Hosted stored;
    stored.host.load(PropertyBag{});
    EXPECT_THAT(stored.probe.log, ElementsAre("Initialize", "ReadProperties", "Resize", "Show", "Paint"));

    Hosted fresh;
    fresh.host.loadNew();
    EXPECT_THAT(fresh.probe.log, ElementsAre("Initialize", "InitProperties", "Resize", "Show", "Paint"));

    fresh.probe.clear();
    fresh.host.idle(); // nothing was lost: no second Paint
    fresh.host.resize({50, 20});
    fresh.host.hide();
    EXPECT_THAT(fresh.probe.log, ElementsAre("Resize", "Paint", "Hide"));
}

TEST(HeadlessHost, DoubleClickReplacesTheSecondMouseDown)
{
    Hosted h;
    h.host.loadNew();
    h.host.SetScaleMode(ScaleUnit::Pixels);
    h.probe.clear();
    h.host.doubleClick({3, 4});
    EXPECT_THAT(h.probe.log, ElementsAre("MouseDown 1 0 3 4", "MouseUp 1 0 3 4", "Click", "DblClick",
                                         "MouseUp 1 0 3 4"));
}

TEST(HeadlessHost, ClickNeedsPressAndReleaseOverTheShape)
{
    struct Case {
        const char* name;
        Point pressAt;
        Point releaseAt;
        int button;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases{
        {"inside", {5, 5}, {6, 6}, MOUSE_LEFT, {"MouseDown 1 0 5 5", "MouseUp 1 0 6 6", "Click"}},
        {"released outside", {5, 5}, {150, 6}, MOUSE_LEFT, {"MouseDown 1 0 5 5", "MouseUp 1 0 150 6"}},
        {"right button", {5, 5}, {5, 5}, MOUSE_RIGHT, {"MouseDown 2 0 5 5", "MouseUp 2 0 5 5", "Click"}},
        {"pressed in the cut-away corner", {0, 0}, {0, 0}, MOUSE_LEFT, {}},
        {"pressed beside the control", {-3, 5}, {5, 5}, MOUSE_LEFT, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Hosted h;
        h.host.loadNew();
        h.host.SetScaleMode(ScaleUnit::Pixels);
        // Everything but the top-left 2 x 2 pixels.
        h.host.SetWindowRgn(h.host.graphics().combineRgn(h.host.graphics().createRectRgn({0, 0, 100, 30}),
                                                         h.host.graphics().createRectRgn({0, 0, 2, 2}), RGN_DIFF));
        h.host.idle(); // the reshaped window repaints
        h.probe.clear();
        h.host.press(c.button, c.pressAt);
        h.host.release(c.button, c.releaseAt);
        EXPECT_EQ(h.probe.log, c.expected);
    }
}

TEST(HeadlessHost, MouseCoordinatesAreInTheScaleMode)
{
    Hosted h;
    h.host.loadNew();
    EXPECT_EQ(h.host.ScaleMode(), ScaleUnit::Twips); // the container's default
    EXPECT_DOUBLE_EQ(h.host.ScaleWidth(), 1500);
    h.probe.clear();
    h.host.press(MOUSE_LEFT, {2, 3}, SHIFT_MASK);
    h.host.SetScaleMode(ScaleUnit::Pixels);
    h.host.moveMouse({4, 5});
    EXPECT_THAT(h.probe.log, ElementsAre("MouseDown 1 1 30 45", "MouseMove 1 0 4 5"));
    EXPECT_DOUBLE_EQ(h.host.ScaleWidth(), 100);
}

TEST(HeadlessHost, DisabledControlGetsNoInput)
{
    Hosted h;
    h.host.loadNew();
    h.host.SetAccessKeys("s");
    h.host.SetEnabled(false);
    h.probe.clear();
    h.host.click({5, 5});
    h.host.giveFocus();
    h.host.keyDown(32);
    EXPECT_FALSE(h.host.pressAccessKey('s'));
    EXPECT_TRUE(h.probe.log.empty());

    h.host.SetEnabled(true);
    h.host.click({5, 5});
    EXPECT_THAT(h.probe.log, ::testing::Contains("Click"));
}

TEST(HeadlessHost, FocusAndKeys)
{
    Hosted h;
    h.host.loadNew();
    h.probe.clear();
    h.host.keyDown(32); // without the focus the keys go elsewhere
    h.host.giveFocus();
    h.host.keyDown(65, SHIFT_MASK, 'A');
    h.host.keyUp(65, SHIFT_MASK);
    h.host.removeFocus();
    EXPECT_THAT(h.probe.log, ElementsAre("EnterFocus", "GotFocus", "KeyDown 65 1", "KeyPress 65", "KeyUp 65 1",
                                         "LostFocus", "ExitFocus"));
}

TEST(HeadlessHost, SentTabMovesTheFocusAfterTheHandlerReturns)
{
    Hosted h;
    h.host.loadNew();
    h.host.giveFocus();
    bool focusedInside = false;
    h.probe.during["KeyDown"] = [&] {
        h.host.SendKeys("{TAB}");
        focusedInside = h.host.hasFocus();
    };
    h.probe.clear();
    h.host.keyDown(39);
    EXPECT_TRUE(focusedInside);
    EXPECT_FALSE(h.host.hasFocus());
    EXPECT_THAT(h.host.sentKeys(), ElementsAre("{TAB}"));
    EXPECT_THAT(h.probe.log, ElementsAre("KeyDown 39 0", "LostFocus", "ExitFocus"));
}

TEST(HeadlessHost, AccessKeyFocusesThenNotifies)
{
    Hosted h;
    h.host.loadNew();
    h.host.SetAccessKeys("s");
    h.probe.clear();
    EXPECT_FALSE(h.host.pressAccessKey('x'));
    EXPECT_TRUE(h.host.pressAccessKey('S'));
    EXPECT_THAT(h.probe.log, ElementsAre("EnterFocus", "GotFocus", "AccessKeyPress 115"));

    // A control that never takes the focus still hears its key.
    Hosted unfocusable;
    unfocusable.probe.canGetFocus = false;
    unfocusable.host.loadNew();
    unfocusable.host.SetAccessKeys("Q");
    unfocusable.probe.clear();
    EXPECT_TRUE(unfocusable.host.pressAccessKey('q'));
    EXPECT_THAT(unfocusable.probe.log, ElementsAre("AccessKeyPress 113"));
}

TEST(HeadlessHost, AmbientDisplayAsDefaultIsAnnounced)
{
    Hosted h;
    h.host.loadNew();
    h.probe.clear();
    h.host.setDisplayAsDefault(true);
    h.host.setDisplayAsDefault(true); // unchanged: no notice
    EXPECT_TRUE(h.host.Ambient().DisplayAsDefault);
    EXPECT_THAT(h.probe.log, ElementsAre("AmbientChanged DisplayAsDefault"));
    EXPECT_EQ(h.host.Ambient().DisplayName, "Control1");
    EXPECT_EQ(h.host.Extender().Name(), "Control1");
    EXPECT_TRUE(h.host.Ambient().UserMode);
}

TEST(HeadlessHost, EventArgumentsComeBackChanged)
{
    Hosted h;
    h.host.loadNew();
    h.host.setEventResponder([](RecordedEvent& e) {
        if (e.name == "MouseDown")
            e.arguments[0] = std::int16_t{2};
    });
    std::array<EventArgument, 4> arguments{std::int16_t{1}, std::int16_t{0}, 3.0f, 4.0f};
    h.host.RaiseEvent(2, arguments);
    h.host.RaiseEvent(1, {});
    EXPECT_EQ(std::get<std::int16_t>(arguments[0]), 2);
    EXPECT_THAT(h.host.eventNames(), ElementsAre("MouseDown", "Click"));
    EXPECT_EQ(std::get<std::int16_t>(h.host.events()[0].arguments[0]), 2);
    EXPECT_THROW(h.host.RaiseEvent(3, {}), std::out_of_range);
}

TEST(HeadlessHost, AnErrorEndsOnlyItsHandler)
{
    Hosted h;
    h.host.loadNew();
    int reached = 0;
    h.probe.during["MouseDown"] = [&] {
        reached = 1;
        throw OverflowError();
    };
    h.probe.clear();
    h.host.click({5, 5});
    EXPECT_EQ(reached, 1);
    EXPECT_THAT(h.host.errors(), ElementsAre("MouseDown: Overflow"));
    EXPECT_THAT(h.probe.log, ElementsAre("MouseDown 1 0 75 75", "MouseUp 1 0 75 75", "Click"));
}

TEST(HeadlessHost, TimersTickOnlyWhileEnabledWithAnInterval)
{
    Hosted h;
    h.host.loadNew();
    int ticks = 0;
    auto timer = h.host.CreateTimer([&] { ++ticks; });
    EXPECT_FALSE(timer->Enabled());
    timer->SetEnabled(true);
    h.host.advanceTime(50); // interval 0: never ticks
    EXPECT_EQ(ticks, 0);
    timer->SetInterval(10);
    h.host.advanceTime(35);
    EXPECT_EQ(ticks, 3);
    timer->SetEnabled(false);
    h.host.advanceTime(100);
    EXPECT_EQ(ticks, 3);
    timer->SetEnabled(true); // counts again from now
    h.host.advanceTime(9);
    EXPECT_EQ(ticks, 3);
    h.host.advanceTime(1);
    EXPECT_EQ(ticks, 4);
    EXPECT_EQ(std::count(h.host.notifications().begin(), h.host.notifications().end(), "Timer"), 4);
}

TEST(HeadlessHost, ATimerMayEndItselfInItsTick)
{
    Hosted h;
    h.host.loadNew();
    std::unique_ptr<ChildTimer> timer;
    int ticks = 0;
    timer = h.host.CreateTimer([&] {
        ++ticks;
        timer.reset();
    });
    timer->SetInterval(3);
    timer->SetEnabled(true);
    h.host.advanceTime(20);
    EXPECT_EQ(ticks, 1);
}

TEST(HeadlessHost, DoEventsHandlesWhatWaitsOnce)
{
    Hosted h;
    h.host.loadNew();
    std::vector<std::string> order;
    auto hook = h.host.HookWindowMessages([&](WindowMessage m) {
        if (m == WindowMessage::MouseLeave)
            order.push_back("leave");
    });
    h.host.TrackMouseLeave();
    h.host.queueForDoEvents([&] { h.host.pointerLeft(); });
    h.probe.during["MouseUp"] = [&] {
        order.push_back("before");
        h.host.DoEvents();
        order.push_back("after");
        h.host.DoEvents(); // nothing waits any more
    };
    h.host.click({5, 5});
    EXPECT_THAT(order, ElementsAre("before", "leave", "after"));
}

TEST(HeadlessHost, HooksSeeMessagesAfterTheWindowAndLeaveOnlyWhenTracked)
{
    Hosted h;
    h.host.loadNew();
    std::vector<std::string> seen;
    h.probe.during["MouseMove"] = [&] { seen.push_back("notification"); };
    auto hook = h.host.HookWindowMessages([&](WindowMessage m) {
        seen.push_back(m == WindowMessage::MouseMove ? "move" : m == WindowMessage::MouseLeave ? "leave" : "theme");
    });
    h.host.moveMouse({5, 5});
    h.host.moveMouse({500, 5}); // left, but nobody asked to be told
    h.host.moveMouse({5, 5});
    h.host.TrackMouseLeave();
    h.host.moveMouse({500, 5});
    h.host.themeChanged();
    EXPECT_THAT(seen, ElementsAre("notification", "move", "notification", "move", "leave", "theme"));

    hook.reset();
    seen.clear();
    h.host.moveMouse({5, 5});
    EXPECT_THAT(seen, ElementsAre("notification"));
}

TEST(HeadlessHost, CaptureBringsTheReleaseFromOutside)
{
    Hosted h;
    h.host.loadNew();
    h.host.SetScaleMode(ScaleUnit::Pixels);
    h.probe.during["DblClick"] = [&] { h.host.SetCapture(); };
    h.host.click({5, 5});
    h.host.press(MOUSE_LEFT, {5, 5});
    h.host.release(MOUSE_LEFT, {5, 5});
    EXPECT_FALSE(h.host.hasCapture());

    h.host.SetCapture();
    h.probe.clear();
    h.host.release(MOUSE_LEFT, {300, 5}); // no button held, yet the capture brings it here
    EXPECT_THAT(h.probe.log, ElementsAre("MouseUp 1 0 300 5"));
    EXPECT_FALSE(h.host.hasCapture()); // a release ends the capture
}

TEST(HeadlessHost, WindowFromPointHonoursTheShape)
{
    HeadlessOptions options;
    options.screenOrigin = {200, 100};
    Hosted h(options);
    h.host.loadNew();
    h.host.SetWindowRgn(h.host.graphics().createEllipticRgn({0, 0, 101, 31}));
    EXPECT_EQ(h.host.WindowFromPoint({250, 115}), h.host.hWnd());  // the middle
    EXPECT_EQ(h.host.WindowFromPoint({200, 100}), h.host.ParentWindow()); // a cut-away corner
    EXPECT_EQ(h.host.WindowFromPoint({5000, 5000}), WindowHandle{0});
    EXPECT_EQ(h.host.ClientToScreen({1, 2}), (Point{201, 102}));
    EXPECT_EQ(h.host.ClientRect(h.host.hWnd()), (Rect{0, 0, 100, 30}));
    EXPECT_FALSE(h.host.ClientRect(h.host.ParentWindow()));
}

TEST(HeadlessHost, SizeInContainerUnits)
{
    Hosted h;
    h.host.loadNew();
    EXPECT_DOUBLE_EQ(h.host.Width(), 1500);
    h.probe.clear();
    h.host.SetWidth(150);
    h.host.SetHeight(0);
    EXPECT_THAT(h.probe.log, ElementsAre("Resize", "Resize"));
    EXPECT_EQ(h.host.clientSize(), (Size{10, 0}));
}

TEST(HeadlessHost, SavesTheExtentBeforeTheControlsKeys)
{
    Hosted h;
    h.host.loadNew();
    const PropertyBag bag = h.host.save();
    // 100 x 30 pixels in HIMETRIC: 2645.8 -> 2646 and 793.75 -> 794.
    EXPECT_THAT(bag.Names(), ElementsAre("_ExtentX", "_ExtentY"));
    EXPECT_EQ(bag.ReadInteger("_extentx", 0), 2646);
    EXPECT_EQ(bag.ReadInteger("_extenty", 0), 794);
    EXPECT_EQ(h.probe.log.back(), "WriteProperties");
}

TEST(HeadlessHost, TerminatesOnce)
{
    std::vector<std::string> log;
    {
        Hosted h;
        h.host.loadNew();
        h.host.terminate();
        h.host.click({5, 5}); // after Terminate nothing more arrives
        log = h.probe.log;
    }
    EXPECT_EQ(std::count(log.begin(), log.end(), "Terminate"), 1);
    EXPECT_EQ(log.back(), "Terminate");
}

} // namespace
} // namespace plainquill::host
