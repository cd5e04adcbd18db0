#pragma once
// A chameleonButton in the headless host with a few stored properties, loaded by load().
#include "controls/chameleonbutton/chameleon_button.h"
#include "tests/support/headless_control.h"

namespace plainquill::chameleon::testing {

using namespace contracts;
using plainquill::testing::pictureOf;

struct Button : plainquill::testing::HeadlessControl<chameleonButton> {
    explicit Button(plainquill::testing::StoredProperties stored, host::HeadlessOptions options = {})
        : HeadlessControl(stored, withName(std::move(options)))
    {
    }
    // Without a size of its own, the button has the Start button's.
    static host::HeadlessOptions withName(host::HeadlessOptions options)
    {
        options.name = "chameleonButton1";
        if (options.size == Size{100, 30})
            options.size = {89, 25};
        return options;
    }
    chameleonButton& button{control};
};

} // namespace plainquill::chameleon::testing
