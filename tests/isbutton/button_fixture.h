#pragma once
// A loaded isButton at the Start button's size in a headless host, for the input and paint tests.
#include "controls/isbutton/is_button.h"
#include "platform/host/headless_host.h"

#include <initializer_list>
#include <memory>
#include <utility>

namespace plainquill::isbutton::testing {

struct LoadedButton {
    explicit LoadedButton(std::initializer_list<std::pair<const char*, contracts::PropertyValue>> stored,
                          host::HeadlessOptions options = {.name = "isButton1", .size = {89, 25}})
        : host(std::make_unique<isButton>(), std::move(options)), button(host.controlAs<isButton>())
    {
        contracts::PropertyBag bag;
        for (const auto& [name, value] : stored)
            bag.WriteProperty(name, value);
        host.load(bag);
        host.clearRecords();
    }
    contracts::Colour sys(int index) { return host.graphics().systemColours().sysColor(index); }
    int W() const { return host.clientSize().width; }
    int H() const { return host.clientSize().height; }

    host::HeadlessHost host;
    isButton& button;
};

inline constexpr contracts::Point kMiddle{44, 12};
inline constexpr contracts::Point kOutside{200, 12};

} // namespace plainquill::isbutton::testing
