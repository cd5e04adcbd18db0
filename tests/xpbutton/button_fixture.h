#pragma once
// An XpB named "XpB1" loaded in the headless host from a few stored properties. Colours in
// expectations are 0x00BBGGRR.
#include "controls/xpbutton/xp_button.h"
#include "platform/host/headless_host.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

namespace plainquill::xpbutton::testing {

using namespace contracts;

struct Button {
    explicit Button(std::initializer_list<std::pair<const char*, PropertyValue>> stored, Size size = {89, 25})
        : host(std::make_unique<XpB>(), host::HeadlessOptions{.name = "XpB1", .size = size}), xpb(host.controlAs<XpB>())
    {
        PropertyBag bag;
        for (const auto& [name, value] : stored)
            bag.WriteProperty(name, value);
        host.load(bag);
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

    Colour at(int x, int y) const { return host.pixel(x, y); }
    Point middle() const { return {host.clientSize().width / 2, host.clientSize().height / 2}; }
    // The pointer goes to another window without telling the control; its timer notices.
    void pointerAway()
    {
        host.setCursorPos({0, 0});
        host.advanceTime(10);
    }

    host::HeadlessHost host;
    XpB& xpb;
};

// A bitmap filled with one colour, with a 1-pixel frame of another around it.
inline PictureRef framedPicture(Size size, Colour inside, Colour frame)
{
    Bitmap b = Bitmap::create(size);
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x)
            b.setPixel(x, y, x == 0 || y == 0 || x == size.width - 1 || y == size.height - 1 ? frame : inside);
    return Picture::fromBitmap(b);
}

inline PropertyValue integer(std::int64_t v) { return v; }

} // namespace plainquill::xpbutton::testing
