// The program's three kinds of drawn button, made by class name as the window makes them and
// driven through the face it uses: what a pointer resting on them costs, told by their pixels and
// the repaints they ask for, whatever the kind does inside.
#include "controls/contracts/button_face.h"
#include "controls/registry/standard_controls.h"
#include "platform/host/headless_host.h"

#include <gtest/gtest.h>

#include <string>

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
        atRest = host.pixels().copy();
    }
    bool shows(const Bitmap& pixels) const
    {
        return Picture::fromBitmap(pixels)->sameImageAs(*Picture::fromBitmap(host.pixels().copy()));
    }

    host::HeadlessHost host;
    ButtonFace& face;
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

} // namespace
} // namespace plainquill
