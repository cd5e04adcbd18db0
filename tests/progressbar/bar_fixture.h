#pragma once
// An XP_ProgressBar loaded in the headless host from a few stored properties, and a table of
// pixels to expect of it.
#include "controls/progressbar/xp_progress_bar.h"
#include "tests/support/headless_control.h"

#include <gtest/gtest.h>

#include <functional>

namespace plainquill::progressbar::testing {

using namespace contracts;

inline constexpr Colour kRed = 0x0000FF; // RGB(255, 0, 0): lightening moves green and blue alike

struct Bar : plainquill::testing::HeadlessControl<XP_ProgressBar> {
    // `then` runs once the bar is loaded, so helpers can return a Bar set up further.
    Bar(Size size, plainquill::testing::StoredProperties stored, const std::function<void(XP_ProgressBar&)>& then = {})
        : HeadlessControl(stored, {.name = "XP_ProgressBar1", .size = size})
    {
        load();
        if (then)
            then(bar);
    }
    XP_ProgressBar& bar{control};
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
