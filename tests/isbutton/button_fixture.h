#pragma once
// An isButton at the Start button's size in a headless host: stored (for the model tests) or
// loaded with the load's own records forgotten (for the input and paint tests).
#include "controls/isbutton/is_button.h"
#include "tests/support/headless_control.h"

namespace plainquill::isbutton::testing {

using plainquill::testing::StoredProperties;

struct StoredButton : plainquill::testing::HeadlessControl<isButton> {
    explicit StoredButton(StoredProperties stored,
                          host::HeadlessOptions options = {.name = "isButton1", .size = {89, 25}})
        : HeadlessControl(stored, std::move(options))
    {
    }
    isButton& button{control};
};

struct LoadedButton : StoredButton {
    explicit LoadedButton(StoredProperties stored,
                          host::HeadlessOptions options = {.name = "isButton1", .size = {89, 25}})
        : StoredButton(stored, std::move(options))
    {
        load();
        host.clearRecords();
    }
};

inline constexpr contracts::Point kMiddle{44, 12};
inline constexpr contracts::Point kOutside{200, 12};

} // namespace plainquill::isbutton::testing
