#pragma once
// An XP_ProgressBar loaded in the headless host from a few stored properties, and helpers to
// read its pixels. Colours in expectations are 0x00BBGGRR.
#include "controls/progressbar/xp_progress_bar.h"
#include "platform/host/headless_host.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

namespace plainquill::progressbar::testing {

using namespace contracts;

inline constexpr Colour kRed = 0x0000FF; // RGB(255, 0, 0): lightening moves green and blue alike

struct Bar {
    // `then` runs once the bar is loaded, so helpers can return a Bar set up further.
    Bar(Size size, std::initializer_list<std::pair<const char*, PropertyValue>> stored,
        const std::function<void(XP_ProgressBar&)>& then = {})
        : host(std::make_unique<XP_ProgressBar>(), host::HeadlessOptions{.name = "XP_ProgressBar1", .size = size}),
          bar(host.controlAs<XP_ProgressBar>())
    {
        PropertyBag bag;
        for (const auto& [name, value] : stored)
            bag.WriteProperty(name, value);
        host.load(bag);
        if (then)
            then(bar);
    }

    Colour at(int x, int y) const { return host.pixel(x, y); }

    // Every pixel of the window that satisfies `match`, as a bounding box (empty when none).
    Rect boxOf(const std::function<bool(Colour)>& match) const
    {
        Rect box{1 << 20, 1 << 20, -1, -1};
        for (int y = 0; y < host.pixels().height(); ++y)
            for (int x = 0; x < host.pixels().width(); ++x)
                if (match(at(x, y)))
                    box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                           std::max(box.bottom, y + 1)};
        return box.right < 0 ? Rect{} : box;
    }
    int count(Colour colour, const Rect& area) const
    {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                n += at(x, y) == colour;
        return n;
    }

    host::HeadlessHost host;
    XP_ProgressBar& bar;
};

struct PixelCase {
    int x, y;
    Colour expected;
    const char* why;
};

inline void expectPixels(const Bar& bar, std::initializer_list<PixelCase> cases)
{
    for (const PixelCase& c : cases)
        EXPECT_EQ(bar.at(c.x, c.y), c.expected) << "(" << c.x << ", " << c.y << ") " << c.why << std::hex
                                                << " got 0x" << bar.at(c.x, c.y);
}

} // namespace plainquill::progressbar::testing
