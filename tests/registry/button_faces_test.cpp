// The program's three kinds of drawn button, made by class name as the window makes them and
// driven through the face it uses: how a pointer resting on them and a spell of being disabled
// show, told by their pixels and their Clicks whatever the kind does inside.
#include "controls/contracts/button_face.h"
#include "controls/registry/standard_controls.h"
#include "platform/host/headless_host.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

namespace plainquill {
namespace {

using namespace contracts;

constexpr Point kMiddle{44, 12};
constexpr Point kAway{200, 12};

// Each kind in a look whose hover shows, as the window's buttons are stored.
const struct {
    const char* className;
    const char* key;
    std::int64_t look;
} kButtons[] = {{controls::kIsButtonClass, "Style", 5},
                {controls::kChameleonButtonClass, "BTYPE", 3},
                {controls::kXpButtonClass, "ButtonStyle", 3}};

struct HostedButton {
    HostedButton(const char* className, const char* key, std::int64_t look, bool leavesTold = true)
        : host(controls::standardControlClasses().make(className),
               {.name = "Button1", .size = {89, 25}, .messageHooks = leavesTold}),
          face(dynamic_cast<ButtonFace&>(host.control()))
    {
        PropertyBag stored;
        stored.WriteProperty(key, look);
        host.load(stored);
        face.SetClickHandler([this] {
            ++clicks;
            if (auto run = std::exchange(duringClick, {}))
                run();
        });
        atRest = host.pixels().copy();
    }
    bool shows(const Bitmap& pixels) const
    {
        return Picture::fromBitmap(pixels)->sameImageAs(*Picture::fromBitmap(host.pixels().copy()));
    }

    host::HeadlessHost host;
    ButtonFace& face;
    int clicks = 0;
    std::function<void()> duringClick; // once, inside the next Click
    Bitmap atRest;
};

// Resting or moving on a lit button changes no look, so it costs no repaint, whether the container
// tells of the pointer leaving or the button has to look for it with a timer; and it goes out
// when the pointer leaves.
TEST(ButtonFaces, APointerRestingOnAButtonRedrawsNothing)
{
    for (const auto& kind : kButtons)
        for (const bool leavesTold : {true, false}) {
            SCOPED_TRACE(std::string(kind.className) + (leavesTold ? ", leaves told" : ", leaves looked for"));
            HostedButton b(kind.className, kind.key, kind.look, leavesTold);
            b.host.moveMouse(kMiddle);
            const int lit = b.host.windowUpdates();
            b.host.moveMouse({45, 13});
            b.host.advanceTime(1000);
            EXPECT_EQ(b.host.windowUpdates(), lit);
            if (leavesTold) {
                b.host.moveMouse(kAway);
            } else {
                b.host.setCursorPos({0, 0}); // to another window, unheard
                b.host.advanceTime(20);
            }
            EXPECT_TRUE(b.shows(b.atRest)) << "still lit after the pointer left";
        }
}

// Disabled, a button hears nothing of the pointer. Enabled again it shows what the pointer does
// now, and its first click is a click, although the pointer came back to where the platform last
// saw it, which brings no move before the press.
TEST(ButtonFaces, TheFirstClickAfterBeingDisabledIsAClick)
{
    const struct {
        const char* name;
        std::function<void(HostedButton&)> steps;
        bool pointerOver; // afterwards
    } cases[] = {
        {"disabled and enabled under a resting pointer",
         [](HostedButton& b) { b.face.SetEnabled(false); b.face.SetEnabled(true); }, true},
        {"the pointer left while it was disabled",
         [](HostedButton& b) { b.face.SetEnabled(false); b.host.moveMouse(kAway); b.face.SetEnabled(true); }, false},
        {"disabled while pressed",
         [](HostedButton& b) {
             b.host.press(MOUSE_LEFT, kMiddle);
             b.face.SetEnabled(false);
             b.host.release(MOUSE_LEFT, kMiddle);
             b.face.SetEnabled(true);
         },
         true},
        {"disabled by its own click, the pointer gone before it ends", // a conversion run
         [](HostedButton& b) {
             b.duringClick = [&b] { b.face.SetEnabled(false); b.host.moveMouse(kAway); b.face.SetEnabled(true); };
             b.host.click(kMiddle);
         },
         false},
    };
    for (const auto& kind : kButtons)
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(kind.className) + ": " + c.name);
            HostedButton b(kind.className, kind.key, kind.look);
            b.host.moveMouse(kMiddle);
            const Bitmap lit = b.host.pixels().copy();
            c.steps(b);
            b.host.idle();
            EXPECT_TRUE(b.shows(c.pointerOver ? lit : b.atRest)) << "the face does not show where the pointer is";
            b.clicks = 0;
            b.host.click(kMiddle);
            EXPECT_EQ(b.clicks, 1);
        }
}

} // namespace
} // namespace plainquill
