#pragma once
// An XpB named "XpB1" loaded in the headless host from a few stored properties, with the load's
// own records forgotten.
#include "controls/xpbutton/xp_button.h"
#include "tests/support/headless_control.h"

#include <gtest/gtest.h>

namespace plainquill::xpbutton::testing {

using namespace contracts;

struct Button : plainquill::testing::HeadlessControl<XpB> {
    explicit Button(plainquill::testing::StoredProperties stored, Size size = {89, 25})
        : HeadlessControl(stored, {.name = "XpB1", .size = size})
    {
        load();
        host.clearRecords();
    }

    // The picture drawn at `drawn`, set the way a designer sets it, and shown.
    void setPicture(PictureRef picture, Size drawn)
    {
        xpb.SetPicture(std::move(picture));
        xpb.SetPictureWidth(drawn.width);
        xpb.SetPictureHeight(drawn.height);
        host.idle();
        host.clearRecords();
    }
    // The pointer goes off to another window: the control hears it leave, or where the container
    // cannot tell, its timer finds it gone.
    void pointerAway()
    {
        host.moveMouse({-100, -80});
        host.advanceTime(10);
    }

    XpB& xpb{control};
};

// A bitmap filled with one colour, with a 1-pixel frame of another around it.
inline PictureRef framedPicture(Size size, Colour inside, Colour frame)
{
    return plainquill::testing::pictureOf(size, [&](int x, int y) {
        return x == 0 || y == 0 || x == size.width - 1 || y == size.height - 1 ? frame : inside;
    });
}

inline PropertyValue integer(std::int64_t v) { return v; }

} // namespace plainquill::xpbutton::testing
